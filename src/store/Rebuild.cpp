// Rebuilding the index file from the data file, and the whole rebuild.
#include "store/Rebuild.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <set>
#include <string>

#include "store/EngineState.h"
#include "store/FbIndex.h"
#include "store/FileFormat.h"
#include "store/RebuildSupport.h"

namespace mss::store {

namespace {

using detail::OpenRaw;
using detail::Report;

// The dump file of a rebuild run. It replaces an older one, except when the
// run takes up an interrupted one: the records that run already took out of
// the data file are only in the old dump.
class DumpFile {
  public:
    DumpFile(platform::FileSystem& fs, std::string path, bool keepOld)
        : fs_(fs), path_(std::move(path)), keepOld_(keepOld) {}
    ~DumpFile() {
        if (file_) file_->Close();
    }

    // A record taken out of the file (kept = false) or the one it collided
    // with, which stays (kept = true).
    EngineCode Write(std::string_view key, int keyNr, RecordRef ref,
                     std::span<const std::uint8_t> record, bool kept) {
        if (EngineCode code = Open()) return code;
        std::string text = "Key:<" + std::string(key) + "> KeyNr: " + std::to_string(keyNr) +
                           " Ref: " + std::to_string(ref) +
                           (kept ? " kept\r\nData record kept - Dump follows\r\n"
                                 : " not added\r\nData record deleted - Dump follows\r\n");
        text.append(record.begin(), record.end());
        text += "\r\n\r\n";
        const platform::IoResult r = file_->WriteAt(
            offset_, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
        if (!r.Ok()) return rebuilderr::kDumpWriteBase + r.error;
        if (r.bytes != text.size()) return rebuilderr::kDumpWriteBase + ENOSPC;
        offset_ += static_cast<std::int64_t>(text.size());
        return kOk;
    }

    // The dump must be on disk before the record leaves the data file.
    EngineCode Commit() {
        if (int rc = file_->Sync()) return rebuilderr::kDumpWriteBase + rc;
        return kOk;
    }

  private:
    EngineCode Open() {
        if (file_) return kOk;
        const bool append = keepOld_ && fs_.Exists(path_);
        const auto mode = append ? platform::OpenMode::ReadWrite : platform::OpenMode::Create;
        int rc = fs_.Open(path_, mode, file_);
        if (!rc && append) rc = file_->Size(offset_);
        if (rc) {
            file_.reset();
            return rebuilderr::kDumpWriteBase + rc;
        }
        return kOk;
    }

    platform::FileSystem& fs_;
    std::string path_;
    bool keepOld_;
    std::unique_ptr<platform::File> file_;
    std::int64_t offset_ = 0;
};

// The data file must be whole, and of the definition's record length,
// before an index is built from it.
EngineCode CheckDataFile(platform::FileSystem& fs, const std::string& path, std::int32_t recLen,
                         DataHeader& header) {
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
        if (header.recLen != recLen || header.slotCount < 0 || header.slotCount >= INT32_MAX - 1 ||
            size != (std::int64_t{header.slotCount} + 1) * recLen)
            code = rebuilderr::kDataFileDamaged;
    }
    if (!code && header.firstFree != -1) {
        std::array<std::uint8_t, 4> mark{};
        if (header.firstFree < 1 || header.firstFree > header.slotCount) {
            code = rebuilderr::kDataFileDamaged;
        } else {
            const platform::IoResult r =
                file->ReadAt(std::int64_t{header.firstFree} * recLen, mark);
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
                            std::int32_t recLen, const std::vector<KeyDefinition>& keys) {
    const std::string scratchData = detail::BaseOf(names.data) + "-MSG.DAT";
    if (EngineCode code = CreateFileblock(scratchData + ";" + names.building, recLen, keys))
        return code;
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

class IndexFiller {
  public:
    IndexFiller(platform::FileSystem& fs, const RebuildDefinition& d, const RebuildFileNames& names,
                Fileblock fb, bool keepOldDump)
        : d_(d),
          fb_(fb),
          dump_(fs, names.message, keepOldDump),
          record_(static_cast<std::size_t>(d.recLen)),
          other_(record_.size()) {}

    EngineCode Fill(std::int32_t& setAside) {
        std::int32_t slots = 0;
        if (EngineCode code = CountSlots(fb_, slots)) return code;
        const int keyCount = static_cast<int>(d_.keys.size());
        for (int k = 1; k <= keyCount; ++k) {
            std::int32_t read = 0;
            std::int32_t keyed = 0;
            for (RecordRef ref = 1; ref < slots; ++ref) {
                bool live = false;
                if (EngineCode code = ReadLive(d_, fb_, ref, record_, live)) return code;
                if (!live) continue;
                ++read;
                const std::string key = BuildKeyWith(d_.keyBuilder, record_, k);
                EngineCode code = AddKey(fb_, k, ref, key);
                if (code == kEntryExists) {
                    code = SetAside(key, k, ref);
                    ++setAside;
                } else if (!code) {
                    ++keyed;
                }
                if (code) return code;
                if (!Report(d_.progress, {1, k, read, keyed, d_.recLen, record_}))
                    return rebuilderr::kStoppedByHook;
            }
        }
        return kOk;
    }

  private:
    // A record that collides with an entry of an index without duplicates
    // goes to the dump together with the record it collides with: either
    // may be the damaged one, so the user must see both.
    EngineCode SetAside(const std::string& key, int k, RecordRef ref) {
        if (EngineCode code = dump_.Write(key, k, ref, record_, false)) return code;
        RecordRef keptRef = 0;
        if (FindKey(fb_, k, key, keptRef) == kOk && dumpedKept_.insert(keptRef).second) {
            bool live = false;
            if (EngineCode code = ReadLive(d_, fb_, keptRef, other_, live)) return code;
            if (EngineCode code = dump_.Write(key, k, keptRef, other_, true)) return code;
        }
        if (EngineCode code = dump_.Commit()) return code;
        return RejectRecord(d_, fb_, ref, k, record_);
    }

    const RebuildDefinition& d_;
    Fileblock fb_;
    DumpFile dump_;
    std::vector<std::uint8_t> record_;
    std::vector<std::uint8_t> other_;
    std::set<RecordRef> dumpedKept_;
};

EngineCode RebuildIndexFile(platform::FileSystem& fs, const RebuildDefinition& d, bool keepOldDump,
                            std::int32_t& setAside) {
    if (detail::RecordTooLongForBuffers(d.recLen, d.varRecords)) return rebuilderr::kRecordTooLong;
    if (d.keys.empty()) return kOk;
    if (!d.keyBuilder) return rebuilderr::kKeyBuilderFailed;
    const RebuildFileNames names = RebuildNames(d.baseName);
    DataHeader header;
    if (EngineCode code = CheckDataFile(fs, names.data, d.recLen, header)) return code;
    // The index is filled under another name and only then put in place: an
    // interruption must never leave a clean-looking index that lacks records.
    if (int rc = fs.Delete(names.index); rc != 0 && rc != ENOENT)
        return MapOsError(FileOp::Delete, rc);
    if (EngineCode code = CreateEmptyIndex(fs, names, d.recLen, d.keys)) return code;
    if (EngineCode code = RewriteHeader(fs, names.data, header, static_cast<int>(d.keys.size())))
        return code;
    Fileblock fb;
    if (EngineCode code = OpenFileblock(names.data + ";" + names.building, false, fb)) return code;
    EngineCode code = IndexFiller(fs, d, names, fb, keepOldDump).Fill(setAside);
    if (!code) code = FlushFileblock(fb);
    const EngineCode closed = CloseFileblock(fb);
    if (!code) code = closed;
    if (!code) {
        if (int rc = fs.Rename(names.building, names.index)) code = MapOsError(FileOp::Rename, rc);
    }
    return code;
}

}  // namespace

EngineCode RebuildIndexes(platform::FileSystem& fs, const RebuildDefinition& d,
                          std::int32_t* setAside) {
    std::int32_t count = 0;
    const bool resumed = fs.Exists(RebuildNames(d.baseName).building);
    const EngineCode code = RebuildIndexFile(fs, d, resumed, count);
    if (setAside) *setAside = count;
    return code;
}

EngineCode RebuildFileblock(platform::FileSystem& fs, const RebuildDefinition& d,
                            std::int32_t* setAside) {
    if (setAside) *setAside = 0;
    // Files of an interrupted run: this run takes it up.
    const RebuildFileNames names = RebuildNames(d.baseName);
    const bool resumed = ReorganisationPending(fs, d.baseName) || fs.Exists(names.building);
    if (!Report(d.progress, {0, 0, 0, 0, d.recLen, {}})) return rebuilderr::kStoppedByHook;
    EngineCode code = ReorganiseDataFile(fs, d.baseName, d.recLen, d.varRecords, d.progress);
    std::int32_t count = 0;
    if (!code && !d.keys.empty()) code = RebuildIndexFile(fs, d, resumed, count);
    if (setAside) *setAside = count;
    if (!code && !Report(d.progress, {2, 0, 0, 0, d.recLen, {}})) code = rebuilderr::kStoppedByHook;
    return code;
}

EngineCode RebuildFileblock(const TFileblockObject& object, std::int32_t* setAside) {
    RebuildDefinition d;
    d.baseName = object.FileName();
    d.recLen = object.RecLen();
    d.varRecords = object.VarRecords();
    d.bufferSize = static_cast<std::int32_t>(object.RecordBuffer().size());
    for (int k = 1; k <= object.KeyCount(); ++k)
        d.keys.push_back({object.Key(k).keyLen, object.Key(k).allowDups});
    d.keyBuilder = object.Builder();
    d.progress = object.Hook();
    return RebuildFileblock(StoreFileSystem(), d, setAside);
}

}  // namespace mss::store
