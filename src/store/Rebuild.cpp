#include "store/Rebuild.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <string>

#include "store/EngineState.h"
#include "store/FbIndex.h"
#include "store/FileFormat.h"

namespace mss::store {

namespace {

constexpr std::int32_t kReadAhead = 32768;
constexpr std::int32_t kMaxBufferedRecLen = 65535;
constexpr std::int32_t kMaxBufferedSectionLen = 65520;

std::string StemOf(const std::string& dataName) {
    return dataName.substr(0, dataName.size() - 4);  // without ".DAT"
}

bool Report(const ProgressHook& hook, const Progress& progress) {
    return !hook || hook(progress);
}

EngineCode OpenRaw(platform::FileSystem& fs, const std::string& path, platform::OpenMode mode,
                   std::unique_ptr<platform::File>& file) {
    const int rc = fs.Open(path, mode, file);
    return rc == 0 ? kOk : MapOsError(FileOp::Open, rc);
}

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

// The records' own record length when the saved header holds a plausible one,
// so that a file of another record length is copied whole, not cut up.
std::int32_t SavedRecLen(platform::File& saved, std::int32_t recLen) {
    std::array<std::uint8_t, kDataHeaderSize> bytes{};
    const platform::IoResult r = saved.ReadAt(0, bytes);
    if (!r.Ok() || r.bytes != bytes.size()) return recLen;
    const DataHeader header = DecodeDataHeader(bytes);
    return header.recLen >= kMinRecordLength && header.recLen <= kMaxBufferedRecLen ? header.recLen
                                                                                    : recLen;
}

EngineCode ReorganiseFromSaved(platform::FileSystem& fs, const RebuildFileNames& names,
                               std::string_view baseName, std::int32_t recLen, bool varRecords,
                               const ProgressHook& progress) {
    std::unique_ptr<platform::File> saved;
    if (EngineCode code = OpenRaw(fs, names.saved, platform::OpenMode::ReadOnly, saved))
        return code;
    std::int64_t size = 0;
    if (int rc = saved->Size(size)) return MapOsError(FileOp::SeekFromEnd, rc);
    recLen = SavedRecLen(*saved, recLen);
    if (EngineCode code = CreateFileblock(baseName, recLen, {})) return code;
    Fileblock fb;
    if (EngineCode code = OpenFileblock(baseName, false, fb)) return code;
    EngineCode code = CopyLiveRecords(*saved, fb, recLen, size, varRecords, progress);
    // The new file must be on disk before the saved one may go.
    if (!code) code = FlushFileblock(fb);
    const EngineCode closed = CloseFileblock(fb);
    if (!code) code = closed;
    saved->Close();
    return code;
}

class DumpFile {
  public:
    DumpFile(platform::FileSystem& fs, std::string path) : fs_(fs), path_(std::move(path)) {}
    ~DumpFile() {
        if (file_) file_->Close();
    }

    EngineCode Write(std::string_view key, int keyNr, RecordRef ref,
                     std::span<const std::uint8_t> record) {
        if (!file_) {
            if (int rc = fs_.Open(path_, platform::OpenMode::Create, file_)) {
                file_.reset();
                return rebuilderr::kDumpWriteBase + rc;
            }
        }
        std::string text = "Key:<" + std::string(key) + "> KeyNr: " + std::to_string(keyNr) +
                           " Ref: " + std::to_string(ref) + " not added\r\n" +
                           "Data record deleted - Dump follows\r\n";
        text.append(record.begin(), record.end());
        text += "\r\n\r\n";
        const platform::IoResult r = file_->WriteAt(
            offset_, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
        if (!r.Ok()) return rebuilderr::kDumpWriteBase + r.error;
        if (r.bytes != text.size()) return rebuilderr::kDumpWriteBase + ENOSPC;
        offset_ += static_cast<std::int64_t>(text.size());
        return kOk;
    }

  private:
    platform::FileSystem& fs_;
    std::string path_;
    std::unique_ptr<platform::File> file_;
    std::int64_t offset_ = 0;
};

// The data file must be whole before an index is built from it.
EngineCode CheckDataFile(platform::FileSystem& fs, const std::string& path, DataHeader& header) {
    std::unique_ptr<platform::File> file;
    if (EngineCode code = OpenRaw(fs, path, platform::OpenMode::ReadOnly, file)) return code;
    std::int64_t size = 0;
    std::array<std::uint8_t, kDataHeaderSize> bytes{};
    EngineCode code = kOk;
    if (int rc = file->Size(size)) code = MapOsError(FileOp::SeekFromEnd, rc);
    if (!code) {
        const platform::IoResult r = file->ReadAt(0, bytes);
        if (!r.Ok())
            code = MapOsError(FileOp::Read, r.error);
        else if (r.bytes != bytes.size())
            code = rebuilderr::kDataFileDamaged;
    }
    if (!code) {
        header = DecodeDataHeader(bytes);
        if (header.recLen < kMinRecordLength || size % header.recLen != 0 ||
            size / header.recLen != std::int64_t{header.slotCount} + 1)
            code = rebuilderr::kDataFileDamaged;
    }
    if (!code && header.firstFree != -1) {
        std::array<std::uint8_t, 4> mark{};
        if (header.firstFree < 1 || header.firstFree > header.slotCount) {
            code = rebuilderr::kDataFileDamaged;
        } else {
            const platform::IoResult r =
                file->ReadAt(std::int64_t{header.firstFree} * header.recLen, mark);
            if (!r.Ok() || r.bytes != mark.size() || DecodeFixed32(mark.data()) == 0)
                code = rebuilderr::kDataFileDamaged;
        }
    }
    file->Close();
    return code;
}

// A new, empty index file with the current key definitions, built under a
// name of its own. The engine creates index files only together with a data
// file, so a scratch data file is created beside it and deleted again at once.
EngineCode CreateEmptyIndex(platform::FileSystem& fs, const RebuildFileNames& names,
                            const std::string& building, std::int32_t recLen,
                            const std::vector<KeyDefinition>& keys) {
    const std::string scratchData = StemOf(names.data) + "-MSG.DAT";
    if (EngineCode code = CreateFileblock(scratchData + ";" + building, recLen, keys)) return code;
    (void)fs.Delete(scratchData);
    return kOk;
}

EngineCode RewriteHeader(platform::FileSystem& fs, const std::string& path, DataHeader header,
                         int keyCount) {
    std::unique_ptr<platform::File> file;
    if (EngineCode code = OpenRaw(fs, path, platform::OpenMode::ReadWrite, file)) return code;
    header.keyCount = keyCount;
    header.inUse = 0;
    std::array<std::uint8_t, kDataHeaderSize> bytes{};
    EncodeDataHeader(header, bytes);
    EngineCode code = kOk;
    const platform::IoResult r = file->WriteAt(0, bytes);
    if (!r.Ok())
        code = MapOsError(FileOp::Write, r.error);
    else if (r.bytes != bytes.size())
        code = kShortWrite;
    if (!code) {
        if (int rc = file->Sync()) code = MapOsError(FileOp::Flush, rc);
    }
    file->Close();
    return code;
}

// Reads slot ref when it holds a live record (live = false otherwise).
EngineCode ReadLive(const RebuildDefinition& d, Fileblock fb, RecordRef ref,
                    std::vector<std::uint8_t>& record, bool& live) {
    std::int32_t mark = 0;
    if (EngineCode code = GetDeleteMark(fb, ref, mark)) return code;
    live = mark == 0;
    if (!live) return kOk;
    if (!d.varRecords) return GetRecord(fb, ref, record);
    record.resize(static_cast<std::size_t>(std::max(d.bufferSize, d.recLen)));
    std::int32_t length = 0;
    if (EngineCode code = GetVarRecord(fb, ref, record, length)) return code;
    record.resize(static_cast<std::size_t>(length));
    return kOk;
}

// Takes a record whose key keyNr was refused out of the file again.
EngineCode RejectRecord(const RebuildDefinition& d, Fileblock fb, RecordRef ref, int keyNr,
                        std::span<const std::uint8_t> record) {
    for (int k = 1; k < keyNr; ++k) {
        EngineCode code = DeleteKey(fb, k, ref, BuildKeyWith(d.keyBuilder, record, k));
        if (code && code != kEntryNotFound) return code;
    }
    return d.varRecords ? DeleteVarRecord(fb, ref) : DeleteRecord(fb, ref);
}

EngineCode FillIndexes(platform::FileSystem& fs, const RebuildDefinition& d,
                       const RebuildFileNames& names, Fileblock fb, std::int32_t fileRecLen) {
    std::int32_t slots = 0;
    if (EngineCode code = CountSlots(fb, slots)) return code;
    DumpFile dump(fs, names.message);
    // The key builder may read the whole record the program expects.
    std::vector<std::uint8_t> record(static_cast<std::size_t>(std::max(d.recLen, fileRecLen)));
    const int keyCount = static_cast<int>(d.keys.size());
    for (int k = 1; k <= keyCount; ++k) {
        std::int32_t read = 0;
        std::int32_t keyed = 0;
        for (RecordRef ref = 1; ref < slots; ++ref) {
            bool live = false;
            if (EngineCode code = ReadLive(d, fb, ref, record, live)) return code;
            if (!live) continue;
            ++read;
            const std::string key = BuildKeyWith(d.keyBuilder, record, k);
            EngineCode code = AddKey(fb, k, ref, key);
            if (code == kEntryExists) {
                if (EngineCode dumped = dump.Write(key, k, ref, record)) return dumped;
                code = RejectRecord(d, fb, ref, k, record);
            } else if (!code) {
                ++keyed;
            }
            if (code) return code;
            if (!Report(d.progress, {1, k, read, keyed, d.recLen, record}))
                return rebuilderr::kStoppedByHook;
        }
    }
    return kOk;
}

}  // namespace

RebuildFileNames RebuildNames(std::string_view baseName) {
    const detail::FileNames names = detail::MakeFileNames(baseName);
    return {names.data, names.index, detail::WithExtension(names.data, "SAV"),
            detail::WithExtension(names.data, "MSG")};
}

bool SavedDataFileExists(platform::FileSystem& fs, std::string_view baseName) {
    return fs.Exists(RebuildNames(baseName).saved);
}

EngineCode ReorganiseDataFile(platform::FileSystem& fs, std::string_view baseName,
                              std::int32_t recLen, bool varRecords, const ProgressHook& progress) {
    if (recLen > (varRecords ? kMaxBufferedSectionLen : kMaxBufferedRecLen))
        return rebuilderr::kRecordTooLong;
    const RebuildFileNames names = RebuildNames(baseName);
    const bool dataExists = fs.Exists(names.data);
    if (dataExists && fs.Exists(names.saved)) return rebuilderr::kUnfinishedReorganisation;
    if (dataExists) {
        if (int rc = fs.Rename(names.data, names.saved)) {
            if (rc == EBUSY || rc == EWOULDBLOCK) return rebuilderr::kDataFileInUse;
            if (rc != ENOENT) return MapOsError(FileOp::Rename, rc);
        }
    }
    if (!fs.Exists(names.saved)) return rebuilderr::kNothingToReorganise;
    const EngineCode code = ReorganiseFromSaved(fs, names, baseName, recLen, varRecords, progress);
    if (code) {
        // Back to where it was: the saved file is the data file again.
        (void)DeleteFileblock(baseName);
        (void)fs.Rename(names.saved, names.data);
        return code;
    }
    if (int rc = fs.Delete(names.saved)) return MapOsError(FileOp::Delete, rc);
    return kOk;
}

EngineCode RebuildIndexes(platform::FileSystem& fs, const RebuildDefinition& d) {
    if (d.recLen > (d.varRecords ? kMaxBufferedSectionLen : kMaxBufferedRecLen))
        return rebuilderr::kRecordTooLong;
    if (d.keys.empty()) return kOk;
    if (!d.keyBuilder) return rebuilderr::kKeyBuilderFailed;
    const RebuildFileNames names = RebuildNames(d.baseName);
    DataHeader header;
    if (EngineCode code = CheckDataFile(fs, names.data, header)) return code;
    // The index is filled under another name and only then put in place: an
    // interruption must never leave a clean-looking index that lacks records.
    const std::string building = StemOf(names.data) + "-NEW.IX";
    if (int rc = fs.Delete(names.index); rc != 0 && rc != ENOENT)
        return MapOsError(FileOp::Delete, rc);
    if (EngineCode code = CreateEmptyIndex(fs, names, building, header.recLen, d.keys)) return code;
    if (EngineCode code = RewriteHeader(fs, names.data, header, static_cast<int>(d.keys.size())))
        return code;
    Fileblock fb;
    if (EngineCode code = OpenFileblock(names.data + ";" + building, false, fb)) return code;
    EngineCode code = FillIndexes(fs, d, names, fb, header.recLen);
    if (!code) code = FlushFileblock(fb);
    const EngineCode closed = CloseFileblock(fb);
    if (!code) code = closed;
    if (!code) {
        if (int rc = fs.Rename(building, names.index)) code = MapOsError(FileOp::Rename, rc);
    }
    return code;
}

EngineCode RebuildFileblock(platform::FileSystem& fs, const RebuildDefinition& d) {
    if (!Report(d.progress, {0, 0, 0, 0, d.recLen, {}})) return rebuilderr::kStoppedByHook;
    EngineCode code = ReorganiseDataFile(fs, d.baseName, d.recLen, d.varRecords, d.progress);
    if (!code && !d.keys.empty()) code = RebuildIndexes(fs, d);
    if (!code && !Report(d.progress, {2, 0, 0, 0, d.recLen, {}})) code = rebuilderr::kStoppedByHook;
    return code;
}

EngineCode RebuildFileblock(const TFileblockObject& object) {
    RebuildDefinition d;
    d.baseName = object.FileName();
    d.recLen = object.RecLen();
    d.varRecords = object.VarRecords();
    d.bufferSize = static_cast<std::int32_t>(object.RecordBuffer().size());
    for (int k = 1; k <= object.KeyCount(); ++k)
        d.keys.push_back({object.Key(k).keyLen, object.Key(k).allowDups});
    d.keyBuilder = object.Builder();
    d.progress = object.Hook();
    return RebuildFileblock(StoreFileSystem(), d);
}

}  // namespace mss::store
