// What the rebuild and the reorganisation of a fileblock share: the names of
// the files they touch and their error codes.
#pragma once

#include <string>
#include <string_view>

#include "store/EngineError.h"

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

}  // namespace mss::store
