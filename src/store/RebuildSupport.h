// Internal to the rebuild: what the reorganisation of the data file and the
// rebuild of the index file share.
#pragma once

#include <memory>
#include <string>

#include "platform/File.h"
#include "store/EngineError.h"
#include "store/Progress.h"

namespace mss::store::detail {

inline constexpr std::int32_t kMaxBufferedRecLen = 65535;
inline constexpr std::int32_t kMaxBufferedSectionLen = 65520;

inline bool RecordTooLongForBuffers(std::int32_t recLen, bool varRecords) {
    return recLen > (varRecords ? kMaxBufferedSectionLen : kMaxBufferedRecLen);
}

inline bool Report(const ProgressHook& hook, const Progress& progress) {
    return !hook || hook(progress);
}

inline EngineCode OpenRaw(platform::FileSystem& fs, const std::string& path,
                          platform::OpenMode mode, std::unique_ptr<platform::File>& file) {
    const int rc = fs.Open(path, mode, file);
    return rc == 0 ? kOk : MapOsError(FileOp::Open, rc);
}

// The base name of a file of the rebuild ("X-NEW.DAT" gives "X-NEW").
inline std::string BaseOf(const std::string& fileName) {
    return fileName.substr(0, fileName.rfind('.'));
}

}  // namespace mss::store::detail
