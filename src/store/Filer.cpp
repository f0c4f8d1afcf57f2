// Engine lifecycle, error state, and the lifecycle of fileblocks.
#include "store/Filer.h"

#include <algorithm>
#include <cerrno>
#include <new>

#include "store/EngineState.h"
#include "store/IndexPages.h"

namespace mss::store {

using detail::Begin;
using detail::Descriptor;
using detail::Engine;
using detail::Finish;
using detail::KeyState;

namespace {

// A missing file is no failure when deleting the files of a fileblock.
EngineCode DeleteIfPresent(const std::string& path) {
    int err = Engine().fs->Delete(path);
    if (err == 0 || err == ENOENT) return kOk;
    return detail::OsFailure(FileOp::Delete, err, path);
}

EngineCode OpenFile(const std::string& path, platform::OpenMode mode,
                    std::unique_ptr<platform::File>& file) {
    int err = Engine().fs->Open(path, mode, file);
    return err == 0 ? kOk : detail::OsFailure(FileOp::Open, err, path);
}

EngineCode CloseFile(std::unique_ptr<platform::File>& file) {
    if (!file) return kOk;
    int err = file->Close();
    file.reset();
    return err == 0 ? kOk : detail::OsFailure(FileOp::Close, err);
}

// Creates a file with the given first bytes, zero-filled up to size, and
// commits it so that a new fileblock survives a power loss.
EngineCode CreateFile(const std::string& path, std::span<const std::uint8_t> head,
                      std::int64_t size) {
    std::unique_ptr<platform::File> file;
    EngineCode code = OpenFile(path, platform::OpenMode::Create, file);
    if (!code) code = detail::WriteExact(*file, 0, head);
    if (!code && size > static_cast<std::int64_t>(head.size())) {
        if (int err = file->Truncate(size)) code = detail::OsFailure(FileOp::Write, err);
    }
    if (!code) code = detail::Sync(*file);
    EngineCode closed = CloseFile(file);
    return code ? code : closed;
}

EngineCode CreateFiles(const detail::FileNames& names, std::int32_t recLen,
                       std::span<const KeyDefinition> keys) {
    DataHeader header;
    header.recLen = recLen;
    header.keyCount = static_cast<std::int32_t>(keys.size());
    std::array<std::uint8_t, kDataHeaderSize> headerBytes{};
    EncodeDataHeader(header, headerBytes);
    if (EngineCode code = CreateFile(names.data, headerBytes, recLen)) return code;
    if (keys.empty()) return kOk;

    std::vector<std::uint8_t> row;
    for (const KeyDefinition& key : keys) {
        KeyHeader keyHeader;
        keyHeader.pageBytes = PageBytesFor(key.keyLen);
        keyHeader.allowDups = key.allowDups ? 1 : 0;
        const std::size_t offset = row.size();
        row.resize(offset + static_cast<std::size_t>(keyHeader.pageBytes), 0);
        EncodeKeyHeader(keyHeader, std::span(row).subspan(offset).first<kKeyHeaderSize>());
    }
    return CreateFile(names.index, row, static_cast<std::int64_t>(row.size()));
}

// Where an index tree's entry count must lie for a root page of rootItems
// items and the given depth, every page but the root holding half a page
// at least: [least, most].
struct EntryRange {
    std::int64_t least = 0;
    std::int64_t most = 0;
};
EntryRange EntriesPossible(int pageCap, int rootItems, int depth) {
    std::int64_t leastBelow = 0;  // a subtree of depth - 1
    std::int64_t mostBelow = 0;
    for (int level = 1; level < depth; ++level) {
        leastBelow =
            std::min<std::int64_t>(pageCap / 2 + (pageCap / 2 + 1) * leastBelow, INT32_MAX);
        mostBelow = std::min<std::int64_t>(pageCap + (pageCap + 1) * mostBelow, INT32_MAX);
    }
    return {rootItems + (rootItems + 1) * leastBelow, rootItems + (rootItems + 1) * mostBelow};
}

// The root page of a key and its depth (down the left edge) must fit the
// entry count: a root that is a leaf holds every entry, a deeper tree at
// least and at most what its depth allows. Without this a damaged Root or
// EntryCount would show a key with too few entries and no error.
EngineCode CheckRoot(Descriptor& d, int k) {
    KeyState& key = d.Key(k);
    if (key.header.root == 0) return key.header.entryCount == 0 ? kOk : kKeyLengthNotWhole;
    int rootItems = 0;
    int depth = 0;
    for (std::int32_t page = key.header.root; page != 0; ++depth) {
        if (depth == detail::kMaxDepth) return kKeyLengthNotWhole;
        PageRef ref;
        if (detail::GetPage(d, k, page, ref)) return kKeyLengthNotWhole;
        if (depth == 0) rootItems = ref->count;
        if (ref->count == 0) return kKeyLengthNotWhole;
        page = ref->left;
    }
    const EntryRange range = EntriesPossible(key.pageCap, rootItems, depth);
    if (key.header.entryCount < range.least || key.header.entryCount > range.most)
        return kKeyLengthNotWhole;
    return kOk;
}

// Each key header field against the others, the page capacity and the rows
// the index file holds. Answers false when one cannot be right.
bool KeyHeaderFits(const KeyHeader& h, int pageCap, std::int64_t rows) {
    if (h.pageCount < 0 || h.pageCount > rows) return false;
    if (h.freeCount < 0 || h.freeCount > h.pageCount) return false;
    if ((h.firstFree == -1) != (h.freeCount == 0)) return false;
    if (h.firstFree != -1 && (h.firstFree < 1 || h.firstFree > h.pageCount)) return false;
    if (h.root < 0 || h.root > h.pageCount || (h.root == 0) != (h.entryCount == 0)) return false;
    const std::int64_t pagesInUse = std::int64_t{h.pageCount} - h.freeCount;
    return h.entryCount >= 0 && h.entryCount < INT32_MAX && h.entryCount <= pagesInUse * pageCap;
}

// Reads the key headers and derives each key's length and place in a row.
// A header that cannot be right means the index must be rebuilt.
EngineCode ReadKeyHeaders(Descriptor& d) {
    std::int64_t offset = 0;
    for (KeyState& key : d.keys) {
        std::array<std::uint8_t, kKeyHeaderSize> bytes{};
        if (detail::ReadExact(*d.index, offset, bytes)) return kKeyLengthNotWhole;
        KeyHeader& h = key.header;
        h = DecodeKeyHeader(bytes);
        key.pageCap = h.pageCap == 0 ? kPageCapacity : h.pageCap;
        // Pages of fewer than 4 items cannot be balanced; no engine makes them.
        if (key.pageCap > kPageCapacity || key.pageCap < 4) return kPageCapacityTooLarge;
        if (h.pageBytes < kPageHeaderSize || (h.pageBytes - kPageHeaderSize) % key.pageCap != 0)
            return kKeyLengthNotWhole;
        key.keyLen = (h.pageBytes - kPageHeaderSize) / key.pageCap - kItemOverhead;
        if (key.keyLen < 1 || key.keyLen > kMaxKeyLength) return kKeyLengthOutOfRange;
        key.slotOffset = offset;
        offset += h.pageBytes;
    }
    d.rowSize = offset;
    std::int64_t size = 0;
    if (int err = d.index->Size(size)) return detail::OsFailure(FileOp::AttributeQuery, err);
    const std::int64_t rows = size / d.rowSize - 1;  // row 0 holds the headers
    for (KeyState& key : d.keys) {
        if (!KeyHeaderFits(key.header, key.pageCap, rows)) return kKeyLengthNotWhole;
        d.rowCount = std::max(d.rowCount, key.header.pageCount);
    }
    return kOk;
}

// The data header against the data file: exactly SlotCount + 1 slots (a
// longer file holds records the header does not know of, a shorter one has
// lost some), and a free chain that can lie within them. Damage means the
// file must be reorganised and its indexes rebuilt.
EngineCode CheckDataHeader(Descriptor& d) {
    const DataHeader& h = d.header;
    std::int64_t size = 0;
    if (int err = d.data->Size(size)) return detail::OsFailure(FileOp::AttributeQuery, err);
    if (h.recLen < kMinRecordLength || h.slotCount < 0 || h.slotCount >= INT32_MAX - 1 ||
        (std::int64_t{h.slotCount} + 1) * h.recLen != size)
        return kNotClosedProperly;
    if (h.freeCount < 0 || h.freeCount > h.slotCount || (h.firstFree == -1) != (h.freeCount == 0) ||
        (h.firstFree != -1 && (h.firstFree < 1 || h.firstFree > h.slotCount)))
        return kNotClosedProperly;
    return kOk;
}

EngineCode OpenFiles(Descriptor& d, std::string_view baseName, bool readOnly) {
    d.names = detail::MakeFileNames(baseName);
    d.readOnly = readOnly;
    const auto mode = readOnly ? platform::OpenMode::ReadOnly : platform::OpenMode::ReadWrite;
    if (EngineCode code = OpenFile(d.names.data, mode, d.data)) return code;

    std::array<std::uint8_t, kDataHeaderSize> bytes{};
    if (detail::ReadExact(*d.data, 0, bytes)) return kNotClosedProperly;
    d.header = DecodeDataHeader(bytes);
    if (d.header.keyCount > kMaxKeys) return kHeaderTooManyKeys;
    if (EngineCode code = CheckDataHeader(d)) return code;

    if (d.header.keyCount > 0) {
        if (EngineCode code = OpenFile(d.names.index, mode, d.index))
            return code == kTooManyOpenFiles ? code : kNotClosedProperly;
        try {
            d.keys.resize(static_cast<std::size_t>(d.header.keyCount));
        } catch (const std::bad_alloc&) {
            return kNoMemoryForKeyTable;
        }
        if (EngineCode code = ReadKeyHeaders(d)) return code;
    }
    // Left set by a run that ended without closing: the index cannot be trusted.
    if (d.header.inUse != 0) return kNotClosedProperly;
    for (int k = 1; k <= static_cast<int>(d.keys.size()); ++k)
        if (EngineCode code = CheckRoot(d, k)) return code;
    return kOk;
}

// Commits a file if it was written since its last commit.
EngineCode SyncIfWritten(platform::File* file, bool& unsynced) {
    if (!unsynced) return kOk;
    if (EngineCode code = detail::Sync(*file)) return code;
    unsynced = false;
    return kOk;
}

// Writes what the cache and the descriptor hold and commits both files, in an
// order that never lets a half-written index look clean after a power loss:
// records and InUse = 1 first, then the index, then the clean header. A file
// that was not written is not committed.
EngineCode WriteBack(Descriptor& d, bool releasePages) {
    if (d.readOnly) return kOk;
    if (!d.modified) {
        if (releasePages) detail::DropPages(d);
        EngineCode code = SyncIfWritten(d.data.get(), d.dataUnsynced);
        return code ? code : SyncIfWritten(d.index.get(), d.indexUnsynced);
    }
    // Also without an index change: the header's counts and free chain must
    // never look clean beside records that did not land.
    EngineCode code = kOk;
    if (!d.markDurable) {
        code = SyncIfWritten(d.data.get(), d.dataUnsynced);
        if (!code) d.markDurable = true;
    }
    if (EngineCode pages = detail::WritePages(d, releasePages); !code) code = pages;
    if (!code) code = detail::WriteKeyHeaders(d);
    if (!code) code = SyncIfWritten(d.index.get(), d.indexUnsynced);
    // A half-changed index keeps InUse = 1 so that it gets rebuilt.
    if (!code) code = detail::WriteDataHeader(d, d.needsRebuild ? 1 : 0);
    if (!code) code = SyncIfWritten(d.data.get(), d.dataUnsynced);
    if (!code && d.needsRebuild) code = kShortRead;
    if (!code) d.modified = false;
    return code;
}

EngineCode CloseDescriptor(std::uint32_t id) {
    auto it = Engine().open.find(id);
    Descriptor& d = *it->second;
    EngineCode code = WriteBack(d, true);
    detail::DropPages(d);  // also after a failed write-back
    EngineCode closedIndex = CloseFile(d.index);
    EngineCode closedData = CloseFile(d.data);
    if (!code && (closedIndex || closedData)) code = kCloseFailed;
    Engine().open.erase(it);
    return code;
}

}  // namespace

EngineCode InitEngine(int pageBuffers, int& buffersObtained,
                      std::shared_ptr<platform::FileSystem> fileSystem) {
    EngineCode code = Begin();
    if (code != kNotInitialised) return Finish(kAlreadyInitialised);
    if (pageBuffers < 8) return Finish(kTooFewBuffersRequested);
    auto cache = std::make_unique<PageCache>(pageBuffers);
    if (cache->Size() < 8) return Finish(kTooFewPageBuffers);
    detail::EngineState& e = Engine();
    e.cache = std::move(cache);
    e.fs = fileSystem ? std::move(fileSystem) : platform::DefaultFileSystem();
    e.initialised = true;
    buffersObtained = e.cache->Size();
    return Finish(kOk);
}

EngineCode ResizePageCache(int pageBuffers, int& buffersObtained) {
    if (EngineCode code = Begin()) return Finish(code);
    if (pageBuffers < 8) return Finish(kTooFewBuffersRequested);
    PageCache& cache = *Engine().cache;
    EngineCode code = kOk;
    if (pageBuffers > cache.Size()) {
        cache.Grow(pageBuffers);
    } else {
        code = detail::ShrinkCache(pageBuffers);
    }
    buffersObtained = cache.Size();
    return Finish(code);
}

int PageBufferCount() {
    return EngineInitialised() ? Engine().cache->Size() : 0;
}

ScopedPageBuffers::ScopedPageBuffers(int pageBuffers) {
    if (!EngineInitialised() || PageBufferCount() >= pageBuffers) return;
    previous_ = PageBufferCount();
    int obtained = 0;
    (void)ResizePageCache(pageBuffers, obtained);
}

ScopedPageBuffers::~ScopedPageBuffers() {
    if (previous_ == 0 || !EngineInitialised()) return;
    // A page that cannot be written back leaves its fileblock marked for a
    // rebuild, which its next flush or close reports.
    int obtained = 0;
    (void)ResizePageCache(previous_, obtained);
}

EngineCode ExitEngine() {
    if (EngineCode code = Begin()) return Finish(code);
    detail::EngineState& e = Engine();
    EngineCode first = kOk;
    while (!e.open.empty()) {
        EngineCode code = CloseDescriptor(e.open.begin()->first);
        if (!first) first = code;
    }
    e.cache.reset();
    e.section = {};
    e.initialised = false;
    return Finish(first);
}

bool EngineInitialised() {
    return Engine().initialised;
}
bool EngineOk() {
    return Engine().ok;
}
EngineCode EngineError() {
    return Engine().error;
}
EngineDiagnostic LastOsFailure() {
    return Engine().diagnostic;
}
void ClearEngineDiagnostic() {
    Engine().diagnostic = {};
}

EngineCode CreateFileblock(std::string_view baseName, std::int32_t recLen,
                           std::span<const KeyDefinition> keys) {
    if (EngineCode code = Begin()) return Finish(code);
    if (recLen < kMinRecordLength) return Finish(kRecordLengthTooSmall);
    if (keys.size() > static_cast<std::size_t>(kMaxKeys)) return Finish(kTooManyKeys);
    for (const KeyDefinition& key : keys)
        if (key.keyLen < 1 || key.keyLen > kMaxKeyLength) return Finish(kBadKeyLength);
    const detail::FileNames names = detail::MakeFileNames(baseName);
    for (const std::string* path : {&names.data, &names.index, &names.journal})
        if (EngineCode code = DeleteIfPresent(*path)) return Finish(code);
    EngineCode code = CreateFiles(names, recLen, keys);
    if (code) {
        (void)Engine().fs->Delete(names.data);
        (void)Engine().fs->Delete(names.index);
    }
    return Finish(code);
}

EngineCode OpenFileblock(std::string_view baseName, bool readOnly, Fileblock& fb) {
    if (EngineCode code = Begin()) return Finish(code);
    std::unique_ptr<Descriptor> d(new (std::nothrow) Descriptor);
    if (!d) return Finish(kNoMemoryForRegistration);
    detail::EngineState& e = Engine();
    d->id = e.nextId++;  // the open's checks read pages through the cache
    if (EngineCode code = OpenFiles(*d, baseName, readOnly)) {
        detail::DropPages(*d);
        (void)CloseFile(d->index);
        (void)CloseFile(d->data);
        return Finish(code);
    }
    fb = Fileblock{d->id};
    e.open.emplace(d->id, std::move(d));
    return Finish(kOk);
}

EngineCode CloseFileblock(Fileblock fb) {
    if (EngineCode code = Begin()) return Finish(code);
    if (!Engine().open.contains(fb.id)) return Finish(kNotOpen);
    return Finish(CloseDescriptor(fb.id));
}

EngineCode FlushFileblock(Fileblock fb) {
    Descriptor* d = nullptr;
    if (EngineCode code = Begin(fb, d)) return Finish(code);
    return Finish(WriteBack(*d, false));
}

EngineCode DeleteFileblock(std::string_view baseName) {
    if (EngineCode code = Begin()) return Finish(code);
    const detail::FileNames names = detail::MakeFileNames(baseName);
    EngineCode first = kOk;
    for (const std::string* path : {&names.data, &names.index, &names.journal}) {
        EngineCode code = DeleteIfPresent(*path);
        if (!first) first = code;
    }
    return Finish(first);
}

}  // namespace mss::store
