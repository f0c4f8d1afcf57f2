// Reorganising a data file: its live records are copied, in their old
// order, into a new data file built beside it. The steps are ordered so that
// an interruption at any moment leaves one complete copy under a name the
// next run knows:
//   DAT -> SAV (rename)  |  SAV copied into -NEW.DAT, which is synced  |
//   SAV deleted  |  -NEW.DAT -> DAT (rename).
// So SAV alone means "copy again from SAV", -NEW.DAT alone "complete, only
// the name is missing"; a DAT beside a SAV is never left by this code.
#include "store/Reorganise.h"

#include <algorithm>
#include <cerrno>

#include "store/FileFormat.h"
#include "store/Filer.h"
#include "store/RebuildFiles.h"
#include "store/RebuildSupport.h"

namespace mss::store {

namespace {

using detail::OpenRaw;
using detail::Report;

constexpr std::int32_t kReadAhead = 32768;

// Reads a data file slot by slot through a read-ahead buffer. A last slot
// that is only partly there (a record whose append was cut off) is not a slot.
class SlotReader {
  public:
    SlotReader(platform::File& file, std::int32_t recLen, std::int64_t fileSize)
        : file_(file),
          recLen_(recLen),
          slots_(static_cast<std::int32_t>(fileSize / recLen)),
          perChunk_(std::max<std::int32_t>(2, kReadAhead / recLen)),
          buffer_(static_cast<std::size_t>(perChunk_) * static_cast<std::size_t>(recLen)) {}

    // Slots in the file, the header slot 0 included.
    std::int32_t Slots() const { return slots_; }

    EngineCode Slot(std::int32_t ref, std::span<const std::uint8_t>& slot) {
        if (ref < first_ || ref >= first_ + count_) {
            first_ = ref;
            count_ = std::min(perChunk_, slots_ - ref);
            const std::size_t bytes = static_cast<std::size_t>(count_) * recLen_;
            const platform::IoResult r = file_.ReadAt(
                std::int64_t{ref} * recLen_, std::span<std::uint8_t>(buffer_).first(bytes));
            if (!r.Ok()) return MapOsError(FileOp::Read, r.error);
            if (r.bytes != bytes) return kShortRead;
        }
        slot = std::span<const std::uint8_t>(buffer_).subspan(
            static_cast<std::size_t>(ref - first_) * recLen_, static_cast<std::size_t>(recLen_));
        return kOk;
    }

  private:
    platform::File& file_;
    std::int32_t recLen_;
    std::int32_t slots_;
    std::int32_t perChunk_;
    std::vector<std::uint8_t> buffer_;
    std::int32_t first_ = 0;
    std::int32_t count_ = 0;
};

// A variable-length record: its head section plus the chain of continuation
// sections. A broken link ends the chain (what was read is kept).
EngineCode ReadChain(platform::File& file, std::span<const std::uint8_t> head, std::int32_t slots,
                     std::vector<std::uint8_t>& record) {
    const auto len = static_cast<std::int32_t>(head.size());
    const std::int32_t dataBytes = len - kSectionTrailer;
    record.assign(head.begin(), head.begin() + std::min<std::int32_t>(
                                                   DecodeFixed16(&head[dataBytes]), dataBytes));
    std::int32_t next = DecodeFixed32(&head[len - 4]);
    std::vector<std::uint8_t> section(head.size());
    for (std::int32_t steps = 0; next > 0 && next < slots && steps < slots; ++steps) {
        const platform::IoResult r = file.ReadAt(std::int64_t{next} * len, section);
        if (!r.Ok()) return MapOsError(FileOp::Read, r.error);
        if (r.bytes != section.size() || section[0] != 1) break;
        const std::int32_t count =
            std::min<std::int32_t>(DecodeFixed16(&section[dataBytes]), dataBytes - 1);
        record.insert(record.end(), section.begin() + 1, section.begin() + 1 + count);
        next = DecodeFixed32(&section[len - 4]);
    }
    return kOk;
}

// Copies the live records of the saved file into the new, empty fileblock.
EngineCode CopyLiveRecords(platform::File& saved, Fileblock fb, std::int32_t recLen,
                           std::int64_t savedSize, bool varRecords, const ProgressHook& progress) {
    SlotReader reader(saved, recLen, savedSize);
    std::int32_t read = 0;
    std::int32_t written = 0;
    std::vector<std::uint8_t> record;
    for (std::int32_t ref = 1; ref < reader.Slots(); ++ref) {
        std::span<const std::uint8_t> slot;
        if (EngineCode code = reader.Slot(ref, slot)) return code;
        ++read;
        if (DecodeFixed32(slot.data()) != 0) continue;  // deleted, or a continuation section
        RecordRef newRef = 0;
        if (varRecords) {
            if (EngineCode code = ReadChain(saved, slot, reader.Slots(), record)) return code;
            if (EngineCode code = AddVarRecord(fb, record, newRef)) return code;
        } else {
            record.assign(slot.begin(), slot.end());
            if (EngineCode code = AddRecord(fb, record, newRef)) return code;
        }
        ++written;
        if (!Report(progress, {1, 0, read, written, recLen, record}))
            return rebuilderr::kStoppedByHook;
    }
    return kOk;
}

EngineCode CopyFromSaved(platform::FileSystem& fs, const RebuildFileNames& names,
                         std::int32_t recLen, bool varRecords, const ProgressHook& progress) {
    std::unique_ptr<platform::File> saved;
    if (EngineCode code = OpenRaw(fs, names.saved, platform::OpenMode::ReadOnly, saved))
        return code;
    std::int64_t size = 0;
    if (int rc = saved->Size(size)) return MapOsError(FileOp::SeekFromEnd, rc);
    // The definition's record length, never the saved header's: a damaged
    // header must not cut the records up at the wrong places.
    const std::string fresh = detail::BaseOf(names.freshData);
    if (EngineCode code = CreateFileblock(fresh, recLen, {})) return code;
    Fileblock fb;
    if (EngineCode code = OpenFileblock(fresh, false, fb)) return code;
    EngineCode code = CopyLiveRecords(*saved, fb, recLen, size, varRecords, progress);
    // The new file must be on disk before the saved one may go.
    if (!code) code = FlushFileblock(fb);
    const EngineCode closed = CloseFileblock(fb);
    if (!code) code = closed;
    saved->Close();
    return code;
}

// Puts the complete new data file in place of the saved one.
EngineCode PutInPlace(platform::FileSystem& fs, const RebuildFileNames& names) {
    if (int rc = fs.Delete(names.saved); rc != 0 && rc != ENOENT)
        return MapOsError(FileOp::Delete, rc);
    if (int rc = fs.Rename(names.freshData, names.data)) return MapOsError(FileOp::Rename, rc);
    return kOk;
}

}  // namespace

EngineCode ReorganiseDataFile(platform::FileSystem& fs, std::string_view baseName,
                              std::int32_t recLen, bool varRecords, const ProgressHook& progress) {
    if (detail::RecordTooLongForBuffers(recLen, varRecords)) return rebuilderr::kRecordTooLong;
    const RebuildFileNames names = RebuildNames(baseName);
    const bool dataExists = fs.Exists(names.data);
    if (dataExists && fs.Exists(names.saved)) return rebuilderr::kUnfinishedReorganisation;
    if (dataExists) {
        if (int rc = fs.Rename(names.data, names.saved)) {
            if (rc == EBUSY || rc == EWOULDBLOCK) return rebuilderr::kDataFileInUse;
            if (rc != ENOENT) return MapOsError(FileOp::Rename, rc);
        }
    }
    if (!fs.Exists(names.saved)) {
        // Interrupted after the saved file went: the new one is complete.
        if (fs.Exists(names.freshData)) return PutInPlace(fs, names);
        return rebuilderr::kNothingToReorganise;
    }
    const EngineCode code = CopyFromSaved(fs, names, recLen, varRecords, progress);
    if (code) {
        // Back to where it was: the saved file is the data file again.
        (void)DeleteFileblock(detail::BaseOf(names.freshData));
        (void)fs.Rename(names.saved, names.data);
        return code;
    }
    return PutInPlace(fs, names);
}

bool ReorganisationPending(platform::FileSystem& fs, std::string_view baseName) {
    const RebuildFileNames names = RebuildNames(baseName);
    return fs.Exists(names.saved) || fs.Exists(names.freshData);
}

}  // namespace mss::store
