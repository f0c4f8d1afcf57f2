#include "log/Exchange.h"

#include <array>
#include <span>
#include <utility>

#include "radio/Text.h"

namespace mss::log {

namespace {

struct Piece {
    std::size_t width;
    std::string (QsoRecord::*read)() const;
    void (QsoRecord::*write)(std::string_view);
};

constexpr std::array<Piece, 4> kSentPieces = {{
    {9, &QsoRecord::SentHead, &QsoRecord::SetSentHead},
    {2, &QsoRecord::SentMid1, &QsoRecord::SetSentMid1},
    {2, &QsoRecord::SentMid2, &QsoRecord::SetSentMid2},
    {7, &QsoRecord::SentTail, &QsoRecord::SetSentTail},
}};

constexpr std::array<Piece, 4> kRcvdPieces = {{
    {9, &QsoRecord::RcvdHead, &QsoRecord::SetRcvdHead},
    {2, &QsoRecord::RcvdMid1, &QsoRecord::SetRcvdMid1},
    {2, &QsoRecord::RcvdMid2, &QsoRecord::SetRcvdMid2},
    {7, &QsoRecord::RcvdTail, &QsoRecord::SetRcvdTail},
}};

constexpr std::array<Piece, 2> kDokPieces = {{
    {6, &QsoRecord::Dok, &QsoRecord::SetDok},
    {2, &QsoRecord::DokExt, &QsoRecord::SetDokExt},
}};

void StorePieces(QsoRecord& record, std::span<const Piece> pieces, std::string_view text) {
    std::size_t position = 0;
    for (const Piece& piece : pieces) {
        const std::string_view part =
            position < text.size() ? text.substr(position, piece.width) : std::string_view();
        (record.*piece.write)(part);
        position += piece.width;
    }
}

std::string JoinPieces(const QsoRecord& record, std::span<const Piece> pieces) {
    std::string text;
    for (const Piece& piece : pieces) {
        text += (record.*piece.read)().substr(0, piece.width);
    }
    return text;
}

// Splits at the first "/": the part before it, and the rest after it.
std::pair<std::string_view, std::string_view> SplitAtSlash(std::string_view text) {
    const std::size_t slash = text.find('/');
    if (slash == std::string_view::npos) return {text, {}};
    return {text.substr(0, slash), text.substr(slash + 1)};
}

}  // namespace

std::string ComposeExchange(const ExchangeFields& fields) {
    std::string text = radio::Fit(fields.rst, kRstLength) + fields.field2;
    if (!fields.field3.empty() || !fields.field4.empty()) text += "/" + fields.field3;
    if (!fields.field4.empty()) text += "/" + fields.field4;
    return text.substr(0, kExchangeLength);
}

ExchangeFields SplitExchange(std::string_view text) {
    ExchangeFields fields;
    fields.rst = std::string(text.substr(0, kRstLength));
    if (text.size() <= kRstLength) return fields;
    const auto [field2, afterField2] = SplitAtSlash(text.substr(kRstLength));
    const auto [field3, field4] = SplitAtSlash(afterField2);
    fields.field2 = std::string(field2);
    fields.field3 = std::string(field3);
    fields.field4 = std::string(field4);
    return fields;
}

void StoreSentExchange(QsoRecord& record, std::string_view text) {
    StorePieces(record, kSentPieces, text);
}
void StoreRcvdExchange(QsoRecord& record, std::string_view text) {
    StorePieces(record, kRcvdPieces, text);
}
std::string SentExchangeOf(const QsoRecord& record) {
    return JoinPieces(record, kSentPieces);
}
std::string RcvdExchangeOf(const QsoRecord& record) {
    return JoinPieces(record, kRcvdPieces);
}

std::string DokOf(const QsoRecord& record) {
    return JoinPieces(record, kDokPieces);
}
void StoreDok(QsoRecord& record, std::string_view dok) {
    StorePieces(record, kDokPieces, dok);
}

}  // namespace mss::log
