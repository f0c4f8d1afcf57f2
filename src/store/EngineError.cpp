#include "store/EngineError.h"

#include <algorithm>
#include <array>
#include <cerrno>

namespace mss::store {

int ErrorClass(EngineCode code) {
    if (code >= 0x3000) {
        int top = (code >> 12) & 0xF;
        return code <= 0xFFFF && top >= 3 && top <= 7 ? top - 2 : 99;
    }
    if (code == kOk) return 0;
    if (code == kFileNotFound || (code >= 10200 && code <= 10299) || code == 10410) return 1;
    static constexpr std::array kClassTwo = {9900,  10065, 10110, 10306, 10330, 10332,
                                             10335, 10355, 10360, 10390, 10397, 10399};
    if (std::find(kClassTwo.begin(), kClassTwo.end(), code) != kClassTwo.end()) return 2;
    if (code >= 10001 && code <= 10009) return 3;
    return 4;
}

EngineCode MapOsError(FileOp op, int osError, bool directoryExists) {
    const bool names = op == FileOp::Open || op == FileOp::Delete || op == FileOp::Rename;
    if (names && (osError == ENOENT || osError == ENOTDIR))
        return osError == ENOENT && directoryExists ? kFileNotFound : kPathNotFound;
    if (op == FileOp::Open && (osError == EMFILE || osError == ENFILE)) return kTooManyOpenFiles;
    if (op == FileOp::Open && (osError == EACCES || osError == EPERM || osError == EROFS))
        return kInvalidAccess;
    if (osError == EBADF) return kInvalidHandle;
    // A full disk shows as a write that stopped short.
    if (op == FileOp::Write && (osError == ENOSPC || osError == EDQUOT)) return kShortWrite;
    return kOsFailure;
}

}  // namespace mss::store
