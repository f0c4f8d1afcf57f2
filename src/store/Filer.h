// The fileblock engine: data files of fixed-length record slots with a free
// chain, variable-length records built from chains of slots, the lifecycle of
// a fileblock (create, open, flush, close, delete) and the engine's error state.
// Key operations on the index file are in FbIndex.h.
//
// One thread uses the engine. Every operation answers its result code (also
// kept in EngineError(); EngineOk() is true exactly when it is 0); outputs are
// only meaningful on success.
#pragma once

#include <algorithm>
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>

#include "platform/File.h"
#include "store/EngineError.h"

namespace mss::store {

// A record reference: the slot number of a record, 1-based; 0 = none.
using RecordRef = std::int32_t;

// Names an open fileblock. A handle of a closed fileblock never becomes valid
// again, so a stale one is refused with kNotAFileblock.
struct Fileblock {
    std::uint32_t id = 0;
    friend bool operator==(Fileblock, Fileblock) = default;
};

struct KeyDefinition {
    int keyLen = 0;  // 1 ... 50
    bool allowDups = false;
};

// The page buffers for fileblocks of up to maxKeyCount keys: an insert walks
// every key's path from the root, so a cache of a few pages per key thrashes.
// 256 a key hold the whole index of a 20 000-contact log with 27 keys (about
// 26 MB), so a bulk add writes each page once and reads none back.
constexpr int PageBuffersFor(int maxKeyCount) {
    constexpr int kMinimum = 160;
    constexpr int kPerKey = 256;
    return maxKeyCount * kPerKey > kMinimum ? maxKeyCount * kPerKey : kMinimum;
}

// The page buffers for a bulk pass that adds `records` records with
// keyCount keys: enough for every page of their indexes (about 40 entries a
// page), so that each page is written once and never read back, but at most
// 32 768 buffers (some 120 MB); never fewer than PageBuffersFor(keyCount).
constexpr int BulkPageBuffersFor(int keyCount, std::int64_t records) {
    constexpr std::int64_t kMaximum = 32768;
    const std::int64_t wanted = std::min(kMaximum, keyCount * (records / 40 + 4));
    return std::max(PageBuffersFor(keyCount), static_cast<int>(wanted));
}

// Engine lifecycle. PageBuffersFor(the largest key count) is the program's
// page buffer count; the file system defaults to the platform's.
[[nodiscard]] EngineCode InitEngine(int pageBuffers, int& buffersObtained,
                                    std::shared_ptr<platform::FileSystem> fileSystem = nullptr);
EngineCode ExitEngine();
bool EngineInitialised();
// Sets the page buffer count of the running engine (at least 8); growing
// takes what memory gives, shrinking writes the dirty pages of the buffers
// it drops. buffersObtained is the count afterwards.
[[nodiscard]] EngineCode ResizePageCache(int pageBuffers, int& buffersObtained);
// The page buffers of the running engine; 0 when it is not running.
int PageBufferCount();

// A larger page cache for as long as a bulk pass runs, the former count
// afterwards. Does nothing when the engine is not running or already has
// that many buffers.
class ScopedPageBuffers {
  public:
    explicit ScopedPageBuffers(int pageBuffers);
    ~ScopedPageBuffers();
    ScopedPageBuffers(const ScopedPageBuffers&) = delete;
    ScopedPageBuffers& operator=(const ScopedPageBuffers&) = delete;

  private:
    int previous_ = 0;
};

// The error state of the last operation.
bool EngineOk();
EngineCode EngineError();
// The first operating-system failure since the last ClearEngineDiagnostic.
EngineDiagnostic LastOsFailure();
void ClearEngineDiagnostic();

// Fileblock lifecycle. baseName is path and name without extension; a name
// "a;b" keeps the data file under a and the index file under b.
[[nodiscard]] EngineCode CreateFileblock(std::string_view baseName, std::int32_t recLen,
                                         std::span<const KeyDefinition> keys);
[[nodiscard]] EngineCode OpenFileblock(std::string_view baseName, bool readOnly, Fileblock& fb);
EngineCode CloseFileblock(Fileblock fb);
[[nodiscard]] EngineCode FlushFileblock(Fileblock fb);
[[nodiscard]] EngineCode DeleteFileblock(std::string_view baseName);

// Fixed-length records. A record span shorter than RecLen is padded with zeros.
[[nodiscard]] EngineCode AddRecord(Fileblock fb, std::span<const std::uint8_t> record,
                                   RecordRef& ref);
[[nodiscard]] EngineCode DeleteRecord(Fileblock fb, RecordRef ref);
// Reads min(out.size(), RecLen) bytes of the slot, live or deleted.
[[nodiscard]] EngineCode GetRecord(Fileblock fb, RecordRef ref, std::span<std::uint8_t> out);
[[nodiscard]] EngineCode PutRecord(Fileblock fb, RecordRef ref,
                                   std::span<const std::uint8_t> record);
[[nodiscard]] EngineCode GetDeleteMark(Fileblock fb, RecordRef ref, std::int32_t& mark);

// Variable-length records (RecLen is then the section length).
[[nodiscard]] EngineCode AddVarRecord(Fileblock fb, std::span<const std::uint8_t> record,
                                      RecordRef& ref);
// Copies at most out.size() bytes; length is the number copied.
[[nodiscard]] EngineCode GetVarRecord(Fileblock fb, RecordRef ref, std::span<std::uint8_t> out,
                                      std::int32_t& length);
[[nodiscard]] EngineCode PutVarRecord(Fileblock fb, RecordRef ref,
                                      std::span<const std::uint8_t> record);
[[nodiscard]] EngineCode DeleteVarRecord(Fileblock fb, RecordRef ref);

// Counts and shape.
[[nodiscard]] EngineCode CountUsedRecords(Fileblock fb, std::int32_t& count);
[[nodiscard]] EngineCode CountSlots(Fileblock fb, std::int32_t& count);  // SlotCount + 1
[[nodiscard]] EngineCode RecordLength(Fileblock fb, std::int32_t& recLen);
[[nodiscard]] EngineCode FileblockKeyCount(Fileblock fb, int& keyCount);
[[nodiscard]] EngineCode GetKeyDefinition(Fileblock fb, int keyNr, KeyDefinition& definition);

// Record and file locks: accepted and without effect (single user); the
// queries answer that nothing is locked.
[[nodiscard]] EngineCode LockRecord(Fileblock fb, RecordRef ref);
[[nodiscard]] EngineCode UnlockRecord(Fileblock fb, RecordRef ref);
[[nodiscard]] EngineCode LockFileblock(Fileblock fb);
[[nodiscard]] EngineCode UnlockFileblock(Fileblock fb);
[[nodiscard]] EngineCode LockAllFileblocks();
[[nodiscard]] EngineCode UnlockAllFileblocks();
[[nodiscard]] EngineCode IsRecordLocked(Fileblock fb, RecordRef ref, bool& locked);
[[nodiscard]] EngineCode IsFileblockLocked(Fileblock fb, bool& locked);

}  // namespace mss::store
