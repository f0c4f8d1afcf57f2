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
#include "store/RebuildFiles.h"
#include "store/Reorganise.h"

namespace mss::store {

struct RebuildDefinition {
    std::string baseName;
    std::int32_t recLen = 0;  // section length for variable-length records
    bool varRecords = false;
    std::int32_t bufferSize = 0;  // the longest variable-length record; 0 = recLen
    std::vector<KeyDefinition> keys;
    KeyBuilder keyBuilder;
    ProgressHook progress;
};

// Both stages for an object (whose files and every other object's are
// closed). setAside, when given, is the number of records the run took out
// of the file into the dump file.
EngineCode RebuildFileblock(const TFileblockObject& object, std::int32_t* setAside = nullptr);
EngineCode RebuildFileblock(platform::FileSystem& fs, const RebuildDefinition& definition,
                            std::int32_t* setAside = nullptr);
EngineCode RebuildIndexes(platform::FileSystem& fs, const RebuildDefinition& definition,
                          std::int32_t* setAside = nullptr);

}  // namespace mss::store
