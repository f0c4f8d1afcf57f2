// Variable-length records: a head section (whose slot is the record's
// reference) and a chain of continuation sections, each one slot long.
#include <algorithm>

#include "store/DataSlots.h"

namespace mss::store {
namespace {

using detail::Descriptor;
using detail::Finish;

struct Section {
    std::span<std::uint8_t> bytes;
    int Size() const { return static_cast<int>(bytes.size()); }
    int Count() const { return DecodeFixed16(&bytes[bytes.size() - 6]); }
    std::int32_t Link() const { return DecodeFixed32(&bytes[bytes.size() - 4]); }
    void SetTrailer(int count, std::int32_t link) {
        EncodeFixed16(&bytes[bytes.size() - 6], static_cast<std::uint16_t>(count));
        EncodeFixed32(&bytes[bytes.size() - 4], link);
    }
};

EngineCode SectionBuffer(Descriptor& d, Section& section) {
    std::vector<std::uint8_t>& buffer = detail::Engine().section;
    const auto size = static_cast<std::size_t>(d.header.recLen);
    try {
        if (buffer.size() < size) buffer.resize(size);
    } catch (const std::bad_alloc&) {
        return kNoMemoryForSectionBuffer;
    }
    section.bytes = std::span(buffer).first(size);
    return kOk;
}

EngineCode ReadSection(Descriptor& d, RecordRef ref, Section& section) {
    if (ref < 1 || ref > d.header.slotCount) return kShortRead;
    return detail::ReadExact(*d.data, detail::SlotOffset(d, ref), section.bytes);
}

// The continuation sections of the record at head, checked link by link so
// that a damaged chain can neither loop nor lead outside the file.
EngineCode CollectChain(Descriptor& d, RecordRef head, std::vector<RecordRef>& chain) {
    Section section;
    if (EngineCode code = SectionBuffer(d, section)) return code;
    if (EngineCode code = ReadSection(d, head, section)) return code;
    for (std::int32_t link = section.Link(); link != 0; link = section.Link()) {
        if (static_cast<std::int64_t>(chain.size()) >= d.header.slotCount) return kShortRead;
        if (EngineCode code = ReadSection(d, link, section)) return code;
        if (section.bytes[0] != 1) return kShortRead;
        chain.push_back(link);
    }
    return kOk;
}

EngineCode FreeChain(Descriptor& d, std::span<const RecordRef> chain) {
    for (RecordRef ref : chain)
        if (EngineCode code = detail::FreeSlot(d, ref)) return code;
    return kOk;
}

// Adds the bytes after the head's share as continuation sections, last piece
// first, so each section can point at the one after it.
EngineCode AddContinuations(Descriptor& d, std::span<const std::uint8_t> rest, RecordRef& first) {
    Section section;
    if (EngineCode code = SectionBuffer(d, section)) return code;
    const std::size_t piece = static_cast<std::size_t>(section.Size() - 7);
    std::vector<RecordRef> added;
    RecordRef next = 0;
    for (std::size_t end = rest.size(); end > 0;) {
        const std::size_t begin = (end - 1) / piece * piece;
        std::fill(section.bytes.begin(), section.bytes.end(), 0);
        section.bytes[0] = 1;  // never looks like a live record
        std::copy(rest.begin() + begin, rest.begin() + end, section.bytes.begin() + 1);
        section.SetTrailer(static_cast<int>(end - begin), next);
        if (EngineCode code = detail::AddSlot(d, section.bytes, next)) {
            (void)FreeChain(d, added);
            return code;
        }
        added.push_back(next);
        end = begin;
    }
    first = next;
    return kOk;
}

EngineCode WriteHead(Descriptor& d, std::span<const std::uint8_t> record, RecordRef link,
                     Section& section) {
    if (EngineCode code = SectionBuffer(d, section)) return code;
    const std::size_t share = std::min(record.size(), std::size_t(section.Size() - 6));
    std::fill(section.bytes.begin(), section.bytes.end(), 0);
    std::copy_n(record.begin(), share, section.bytes.begin());
    section.SetTrailer(static_cast<int>(share), link);
    return kOk;
}

std::span<const std::uint8_t> BeyondHead(const Descriptor& d,
                                         std::span<const std::uint8_t> record) {
    const std::size_t share = static_cast<std::size_t>(d.header.recLen - 6);
    return record.size() > share ? record.subspan(share) : std::span<const std::uint8_t>{};
}

}  // namespace

EngineCode AddVarRecord(Fileblock fb, std::span<const std::uint8_t> record, RecordRef& ref) {
    Descriptor* d = nullptr;
    if (EngineCode code = detail::BeginWrite(fb, d)) return Finish(code);
    RecordRef first = 0;
    if (EngineCode code = AddContinuations(*d, BeyondHead(*d, record), first)) return Finish(code);
    Section head;
    EngineCode code = WriteHead(*d, record, first, head);
    if (!code) code = detail::AddSlot(*d, head.bytes, ref);
    if (code && first != 0) {
        std::vector<RecordRef> chain{first};
        (void)CollectChain(*d, first, chain);  // the new chain, to give it back
        (void)FreeChain(*d, chain);
    }
    return Finish(code);
}

EngineCode GetVarRecord(Fileblock fb, RecordRef ref, std::span<std::uint8_t> out,
                        std::int32_t& length) {
    Descriptor* d = nullptr;
    if (EngineCode code = detail::Begin(fb, d)) return Finish(code);
    Section section;
    if (EngineCode code = SectionBuffer(*d, section)) return Finish(code);
    if (EngineCode code = ReadSection(*d, ref, section)) return Finish(code);
    const int L = section.Size();
    if (section.Count() > L - 6) return Finish(kShortRead);
    std::size_t copied = std::min(out.size(), std::size_t(section.Count()));
    std::copy_n(section.bytes.begin(), copied, out.begin());
    std::int64_t steps = 0;
    for (std::int32_t link = section.Link(); link != 0 && copied < out.size();
         link = section.Link()) {
        if (++steps > d->header.slotCount) return Finish(kShortRead);
        if (EngineCode code = ReadSection(*d, link, section)) return Finish(code);
        if (section.bytes[0] != 1 || section.Count() > L - 7) return Finish(kShortRead);
        const std::size_t n = std::min(out.size() - copied, std::size_t(section.Count()));
        std::copy_n(section.bytes.begin() + 1, n,
                    out.begin() + static_cast<std::ptrdiff_t>(copied));
        copied += n;
    }
    length = static_cast<std::int32_t>(copied);
    return Finish(kOk);
}

EngineCode PutVarRecord(Fileblock fb, RecordRef ref, std::span<const std::uint8_t> record) {
    Descriptor* d = nullptr;
    if (EngineCode code = detail::BeginWrite(fb, d)) return Finish(code);
    if (ref <= 0) return Finish(kWriteToReferenceZero);
    if (ref > d->header.slotCount) return Finish(kReferenceOutOfRange);
    std::vector<RecordRef> oldChain;
    if (EngineCode code = CollectChain(*d, ref, oldChain)) return Finish(code);
    RecordRef first = 0;
    if (EngineCode code = AddContinuations(*d, BeyondHead(*d, record), first)) return Finish(code);
    if (EngineCode code = FreeChain(*d, oldChain)) return Finish(code);
    Section head;
    EngineCode code = WriteHead(*d, record, first, head);
    if (!code) code = detail::WriteData(*d, detail::SlotOffset(*d, ref), head.bytes);
    return Finish(code);
}

EngineCode DeleteVarRecord(Fileblock fb, RecordRef ref) {
    Descriptor* d = nullptr;
    if (EngineCode code = detail::BeginWrite(fb, d)) return Finish(code);
    if (ref < 1 || ref > d->header.slotCount) return Finish(kReferenceOutOfRange);
    std::vector<RecordRef> chain{ref};
    if (EngineCode code = CollectChain(*d, ref, chain)) return Finish(code);
    return Finish(FreeChain(*d, chain));
}

}  // namespace mss::store
