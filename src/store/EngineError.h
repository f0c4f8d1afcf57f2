// The record store engine's result codes, the grouping of codes into error
// classes, and the translation of operating-system failures into codes.
#pragma once

#include <cstdint>

namespace mss::store {

// 0 = success; every other value is one of the codes below (or, from 0x3000
// on, a code of the object layer).
using EngineCode = std::int32_t;

inline constexpr EngineCode kOk = 0;
// Operating-system conditions.
inline constexpr EngineCode kPathNotFound = 9900;
inline constexpr EngineCode kTooManyOpenFiles = 9901;
inline constexpr EngineCode kFileNotFound = 9903;
inline constexpr EngineCode kInvalidHandle = 9904;
inline constexpr EngineCode kInvalidAccess = 9908;
// Engine and data file.
inline constexpr EngineCode kTooFewPageBuffers = 10000;
inline constexpr EngineCode kNotClosedProperly = 10010;  // also: index file cannot be opened
inline constexpr EngineCode kRecordLengthTooSmall = 10020;
inline constexpr EngineCode kNoMemoryForKeyTable = 10030;
inline constexpr EngineCode kNoMemoryForSectionBuffer = 10040;
inline constexpr EngineCode kTooManyKeys = 10050;
inline constexpr EngineCode kBadKeyLength = 10055;
inline constexpr EngineCode kHeaderTooManyKeys = 10060;
inline constexpr EngineCode kReadOnly = 10065;
inline constexpr EngineCode kShortRead = 10070;  // also: bytes on disk that cannot be right
inline constexpr EngineCode kShortWrite = 10075;
inline constexpr EngineCode kNotOpen = 10080;
inline constexpr EngineCode kNoMemoryForDescriptor = 10090;
inline constexpr EngineCode kNoMemoryForRegistration = 10100;
inline constexpr EngineCode kKeyLengthNotWhole = 10120;
inline constexpr EngineCode kKeyLengthOutOfRange = 10121;
inline constexpr EngineCode kPageCapacityTooLarge = 10122;
inline constexpr EngineCode kKeyTooLong = 10125;
inline constexpr EngineCode kWriteToReferenceZero = 10130;
inline constexpr EngineCode kReferenceOutOfRange = 10135;
inline constexpr EngineCode kOsFailure = 10140;
inline constexpr EngineCode kCloseFailed = 10160;
inline constexpr EngineCode kBadKeyNumber = 10164;
inline constexpr EngineCode kFreeChainDamaged = 10170;
// Key and position results (class 1).
inline constexpr EngineCode kKeyNotFound = 10200;
inline constexpr EngineCode kReadExceptDeleteMark = 10205;
inline constexpr EngineCode kNoKeyNotBelow = 10210;
inline constexpr EngineCode kEntryNotFound = 10220;
inline constexpr EngineCode kEntryExists = 10230;
inline constexpr EngineCode kEndOfIndex = 10250;
inline constexpr EngineCode kNoNextPosition = 10255;
inline constexpr EngineCode kBeginningOfIndex = 10260;
inline constexpr EngineCode kNoPrevPosition = 10265;
inline constexpr EngineCode kExactEntryNotFound = 10270;
inline constexpr EngineCode kPositionIndexEmpty = 10280;
inline constexpr EngineCode kEstimateIndexEmpty = 10285;
inline constexpr EngineCode kBadPosition = 10420;
inline constexpr EngineCode kBadScale = 10425;
// Engine state.
inline constexpr EngineCode kNotAFileblock = 10445;
inline constexpr EngineCode kAlreadyInitialised = 10450;
inline constexpr EngineCode kTooFewBuffersRequested = 10451;
inline constexpr EngineCode kNotInitialised = 10455;

// The file operation a diagnostic refers to (the codes printed in the error log).
enum class FileOp : std::int32_t {
    None = 0,
    Close = 0x3E00,
    Read = 0x3F00,
    Write = 0x4000,  // also truncate
    Delete = 0x4100,
    SeekFromStart = 0x4200,
    SeekFromCurrent = 0x4201,
    SeekFromEnd = 0x4202,
    AttributeQuery = 0x4300,
    Rename = 0x5600,
    Flush = 0x6800,
    Open = 0x6C00,
};

// The first operating-system failure seen, kept for the error log.
struct EngineDiagnostic {
    int osError = 0;  // errno
    FileOp op = FileOp::None;
};

// 0 success, 1 not found, 2 locked or temporarily unavailable, 3 undone,
// 4 any other engine failure; object-layer codes 1 ... 5 by their top bits, else 99.
int ErrorClass(EngineCode code);

// The engine code for an operating-system error of a file operation.
// pathExists tells, for a missing file, whether its directory exists.
EngineCode MapOsError(FileOp op, int osError, bool directoryExists = true);

}  // namespace mss::store
