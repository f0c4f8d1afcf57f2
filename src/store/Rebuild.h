// Rebuilding a fileblock that cannot be trusted: the data file is reorganised
// (live records copied into a fresh file, in their old order, renumbered
// 1 ... n) and the index file is rebuilt from it with the current key
// definitions. Records that would duplicate a key of an index without
// duplicates are taken out and written to the dump file ("MSG").
//
// The previous data file is kept under the "SAV" name until the new one is
// complete and committed; a "SAV" file beside a data file therefore means an
// earlier reorganisation did not finish, and is refused.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/File.h"
#include "store/FileblockObject.h"
#include "store/Filer.h"

namespace mss::store {

namespace rebuilderr {
inline constexpr EngineCode kDumpWriteBase = 9500;  // + the file system's error number
inline constexpr EngineCode kDataFileDamaged = 10215;
inline constexpr EngineCode kDataFileInUse = 10399;
inline constexpr EngineCode kNothingToReorganise = 10410;
inline constexpr EngineCode kRecordTooLong = 10412;
inline constexpr EngineCode kStoppedByHook = 10460;
inline constexpr EngineCode kUnfinishedReorganisation = 10465;
inline constexpr EngineCode kKeyBuilderFailed = 10470;
}  // namespace rebuilderr

struct RebuildDefinition {
    std::string baseName;
    std::int32_t recLen = 0;  // section length for variable-length records
    bool varRecords = false;
    std::int32_t bufferSize = 0;  // the longest variable-length record; 0 = recLen
    std::vector<KeyDefinition> keys;
    KeyBuilder keyBuilder;
    ProgressHook progress;
};

// The files a rebuild touches.
struct RebuildFileNames {
    std::string data;     // ".DAT"
    std::string index;    // ".IX"
    std::string saved;    // ".SAV", the previous data file while reorganising
    std::string message;  // ".MSG", the dump file of rejected records
};
RebuildFileNames RebuildNames(std::string_view baseName);
bool SavedDataFileExists(platform::FileSystem& fs, std::string_view baseName);

// Both stages for an object (whose files and every other object's are closed).
EngineCode RebuildFileblock(const TFileblockObject& object);
EngineCode RebuildFileblock(platform::FileSystem& fs, const RebuildDefinition& definition);
EngineCode ReorganiseDataFile(platform::FileSystem& fs, std::string_view baseName,
                              std::int32_t recLen, bool varRecords,
                              const ProgressHook& progress = {});
EngineCode RebuildIndexes(platform::FileSystem& fs, const RebuildDefinition& definition);

}  // namespace mss::store
