// Position estimates for scroll bars, read from the first two tree levels.
#include <algorithm>

#include "store/FbIndex.h"
#include "store/IndexPages.h"
#include "store/IndexTree.h"

namespace mss::store {

using detail::Descriptor;
using detail::Finish;

namespace {

// F: the fill assumed for a second-level page.
std::int64_t AssumedFill(int pageCap) {
    return pageCap - pageCap / 4;
}

}  // namespace

EngineCode KeyPosition(Fileblock fb, int keyNr, std::string_view key, RecordRef ref,
                       std::int32_t scale, std::int32_t& position) {
    Descriptor* d = nullptr;
    if (EngineCode code = detail::BeginKey(fb, keyNr, d)) return Finish(code);
    if (scale <= 0) return Finish(kBadScale);
    const detail::KeyState& ks = d->Key(keyNr);
    if (ks.header.root == 0) return Finish(kEstimateIndexEmpty);
    const std::int64_t F = AssumedFill(ks.pageCap);
    const std::int64_t G = F + 1;
    PageRef root;
    if (EngineCode code = detail::GetPage(*d, keyNr, ks.header.root, root)) return Finish(code);
    const detail::PageSearch r = detail::SearchPage(ks, *root, key, ref);
    const std::int64_t R = root->count;
    std::int64_t h = 0;
    std::int64_t S = F;
    if (!r.found && !root->IsLeaf()) {
        PageRef second;
        if (EngineCode code = detail::GetPage(*d, keyNr, root->ChildAt(r.index), second))
            return Finish(code);
        h = detail::SearchPage(ks, *second, key, ref).index;
        S = second->count > 0 ? second->count : F;
    }
    std::int64_t m = 1;
    if (!(h == 1 && r.index == 0)) {
        const std::int64_t o = (h * G * 2) / S;
        m = o + r.index * G - o / 2;
    }
    const std::int64_t estimate = m * (std::int64_t{scale} + 1) / (G * (R + 1));
    position = static_cast<std::int32_t>(std::min<std::int64_t>(estimate, scale));
    return Finish(kOk);
}

EngineCode KeyAtPosition(Fileblock fb, int keyNr, std::int32_t position, std::int32_t scale,
                         KeyEntry& entry) {
    Descriptor* d = nullptr;
    if (EngineCode code = detail::BeginKey(fb, keyNr, d)) return Finish(code);
    if (scale <= 0 || position < 0 || position > scale) return Finish(kBadPosition);
    const detail::KeyState& ks = d->Key(keyNr);
    if (ks.header.root == 0) return Finish(kPositionIndexEmpty);
    PageRef root;
    if (EngineCode code = detail::GetPage(*d, keyNr, ks.header.root, root)) return Finish(code);
    const std::int64_t R = root->count;
    const std::int64_t E = root->IsLeaf() ? 0 : AssumedFill(ks.pageCap);
    const std::int64_t T = (E + 1) * (R + 1);
    std::int64_t n =
        T / scale + (std::int64_t{position} * T) / (std::int64_t{scale} + 1) - (T / scale) / 2;
    n = std::clamp<std::int64_t>(n, 0, T - 1);
    const std::int64_t g = n / (E + 1);
    const std::int64_t h = E == 0 ? 0 : n % (E + 1);
    const PageItem* item = nullptr;
    PageRef second;
    if (h != 0) {
        if (EngineCode code =
                detail::GetPage(*d, keyNr, root->ChildAt(static_cast<int>(g)), second))
            return Finish(code);
        const std::int64_t o = second->count;
        std::int64_t m = 2;
        if (!(h == 2 && g == 0)) m = (h * o * 2) / E - ((h * o * 2) / E) / 2;
        m = std::min<std::int64_t>(std::max<std::int64_t>(m, 1), o);
        if (m >= 1) item = &second->items[static_cast<std::size_t>(m - 1)];
    } else if (g > 0) {
        item = &root->items[static_cast<std::size_t>(g - 1)];
    }
    entry = item ? KeyEntry{item->ref, std::string(item->Key())} : KeyEntry{};
    return Finish(kOk);
}

}  // namespace mss::store
