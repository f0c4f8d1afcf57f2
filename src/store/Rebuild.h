// Rebuilding a fileblock that cannot be trusted: the data file is reorganised
// (live records copied into a fresh file, in their old order, renumbered
// 1 ... n) and the index file is rebuilt from it with the current key
// definitions. Both use the record length and keys of the definition, never
// those of a header that may be damaged. Records that would duplicate a key
// of an index without duplicates are taken out and written to the dump file
// ("MSG") together with the record they collide with.
//
// The previous data file is kept under the "SAV" name until the new one is
// complete and committed, and the new index is built as "-NEW.IX": a run cut
// off at any moment is taken up by the next one from what it left. A "SAV"
// file beside a data file is left by no run of this code and is refused.
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
    std::string data;       // ".DAT"
    std::string index;      // ".IX"
    std::string saved;      // ".SAV", the previous data file while reorganising
    std::string message;    // ".MSG", the dump file of rejected records
    std::string freshData;  // "-NEW.DAT", the new data file while reorganising
    std::string building;   // "-NEW.IX", the new index file while it is filled
};
RebuildFileNames RebuildNames(std::string_view baseName);
// A reorganisation was cut off: its "SAV" or "-NEW.DAT" file holds the records.
bool ReorganisationPending(platform::FileSystem& fs, std::string_view baseName);

// Both stages for an object (whose files and every other object's are
// closed). setAside, when given, is the number of records the run took out
// of the file into the dump file.
EngineCode RebuildFileblock(const TFileblockObject& object, std::int32_t* setAside = nullptr);
EngineCode RebuildFileblock(platform::FileSystem& fs, const RebuildDefinition& definition,
                            std::int32_t* setAside = nullptr);
EngineCode ReorganiseDataFile(platform::FileSystem& fs, std::string_view baseName,
                              std::int32_t recLen, bool varRecords,
                              const ProgressHook& progress = {});
EngineCode RebuildIndexes(platform::FileSystem& fs, const RebuildDefinition& definition,
                          std::int32_t* setAside = nullptr);

}  // namespace mss::store
