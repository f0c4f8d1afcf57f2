// The suite's database files: the fileblocks this program shares with the
// other programs of the suite, each with its logical name (also its base
// file name), record length, keys, key builder, auto-number fields and
// auto-flush, and an open and close routine per file.
//
// Every open routine shares one object per logical name with a use count:
// the first open creates the object and its record buffer, later opens only
// count up, and each close counts down until the last one destroys the
// object. Open answers whether the object is usable (ErrorLevel() 0).
// Files are created when an object first touches them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "store/FileblockObject.h"
#include "suite/SuiteRecordBytes.h"

namespace mss::suite {

// The suite's files are described in the store's vocabulary.
using store::ErrorLevel;
using store::KeyBuilder;
using store::KeyDefinition;
using store::ProgressHook;
using store::TFileblockObject;

// What an open routine builds its object from.
struct SuiteFileDefinition {
    std::string logicalName;
    std::int32_t recLen = 0;  // section length for variable-length records
    bool varRecords = false;
    std::int32_t bufferSize = 0;  // 0 = recLen; the longest record when variable
    std::vector<KeyDefinition> keys;
    KeyBuilder keyBuilder;
    std::vector<std::pair<int, int>> autoNumbers;  // (keyNr, field offset)
    bool autoFlush = false;
};

// The directory the suite's files live in, with a trailing "/" (the
// program's run directory; empty = the current directory).
void SetSuiteDirectory(std::string directory);
const std::string& SuiteDirectory();
// The progress hook every suite object gets (index rebuilds).
void SetSuiteProgressHook(ProgressHook hook);

// The shared mechanism behind every open and close routine, also used for
// the contest store and the contest logs.
bool OpenSuiteFile(const SuiteFileDefinition& fileDefinition);
void CloseSuiteFile(std::string_view logicalName);
// The shared object of an open suite file, or nullptr when it is not open.
TFileblockObject* SuiteObject(std::string_view logicalName);

// The files of the suite whose layout this layer knows.
enum class SuiteFile {
    QVSETUP,
    QVSETUP2,
    QVPRO,
    QVPREFIX,
    QVPREFEE,
    QVPREFES,
    QVCBUCH,
    QVCALL,
    QVLKTEMP
};

std::string_view SuiteFileName(SuiteFile file);
SuiteFileDefinition DefinitionOf(SuiteFile file);
inline bool OpenSuiteFile(SuiteFile file) {
    return OpenSuiteFile(DefinitionOf(file));
}
inline void CloseSuiteFile(SuiteFile file) {
    CloseSuiteFile(SuiteFileName(file));
}
inline TFileblockObject* SuiteObject(SuiteFile file) {
    return SuiteObject(SuiteFileName(file));
}

// Record lengths.
inline constexpr std::int32_t kQvSetupLength = 3530;
inline constexpr std::int32_t kQvSetup2Length = 50408;
inline constexpr std::int32_t kQvProSection = 14699;
inline constexpr std::int32_t kQvProMaxLength = 54699;
inline constexpr std::int32_t kPrefixRecordLength = 181;
inline constexpr std::int32_t kQvCbuchLength = 333;
inline constexpr std::int32_t kQvCallLength = 71;
inline constexpr std::int32_t kLogRecordLength = 216;

// The key builders, by file (the empty string for a key number they do not know).
std::string SetupKey(RecordBytes record, int keyNr);  // QVSETUP, QVSETUP2, QVLKTEMP
std::string ProfileKey(RecordBytes record, int keyNr);
std::string PrefixKey(RecordBytes record, int keyNr);           // QVPREFIX
std::string PrefixExceptionKey(RecordBytes record, int keyNr);  // QVPREFEE, QVPREFES
std::string CallbookKey(RecordBytes record, int keyNr);
std::string CallHistoryKey(RecordBytes record, int keyNr);

// The open and close routines.
inline bool OpenQVSETUP() {
    return OpenSuiteFile(SuiteFile::QVSETUP);
}
inline void CloseQVSETUP() {
    CloseSuiteFile(SuiteFile::QVSETUP);
}
inline bool OpenQVSETUP2() {
    return OpenSuiteFile(SuiteFile::QVSETUP2);
}
inline void CloseQVSETUP2() {
    CloseSuiteFile(SuiteFile::QVSETUP2);
}
inline bool OpenQVPRO() {
    return OpenSuiteFile(SuiteFile::QVPRO);
}
inline void CloseQVPRO() {
    CloseSuiteFile(SuiteFile::QVPRO);
}
inline bool OpenQVPREFIX() {
    return OpenSuiteFile(SuiteFile::QVPREFIX);
}
inline void CloseQVPREFIX() {
    CloseSuiteFile(SuiteFile::QVPREFIX);
}
inline bool OpenQVPREFEE() {
    return OpenSuiteFile(SuiteFile::QVPREFEE);
}
inline void CloseQVPREFEE() {
    CloseSuiteFile(SuiteFile::QVPREFEE);
}
inline bool OpenQVPREFES() {
    return OpenSuiteFile(SuiteFile::QVPREFES);
}
inline void CloseQVPREFES() {
    CloseSuiteFile(SuiteFile::QVPREFES);
}
inline bool OpenQVCBUCH() {
    return OpenSuiteFile(SuiteFile::QVCBUCH);
}
inline void CloseQVCBUCH() {
    CloseSuiteFile(SuiteFile::QVCBUCH);
}
inline bool OpenQVCALL() {
    return OpenSuiteFile(SuiteFile::QVCALL);
}
inline void CloseQVCALL() {
    CloseSuiteFile(SuiteFile::QVCALL);
}
inline bool OpenQVLKTEMP() {
    return OpenSuiteFile(SuiteFile::QVLKTEMP);
}
inline void CloseQVLKTEMP() {
    CloseSuiteFile(SuiteFile::QVLKTEMP);
}

// Opens a suite file for the length of a scope and closes it again.
class SuiteFileUse {
  public:
    explicit SuiteFileUse(SuiteFile file) : file_(file), open_(OpenSuiteFile(file)) {}
    ~SuiteFileUse() {
        if (open_) CloseSuiteFile(file_);
    }
    SuiteFileUse(const SuiteFileUse&) = delete;
    SuiteFileUse& operator=(const SuiteFileUse&) = delete;
    // The shared object, or nullptr when the file could not be opened.
    TFileblockObject* get() const { return open_ ? SuiteObject(file_) : nullptr; }

  private:
    SuiteFile file_;
    bool open_;
};

}  // namespace mss::suite
