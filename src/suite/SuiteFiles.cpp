#include "suite/SuiteFiles.h"

#include <map>

namespace mss::suite {

namespace {

struct SuiteState {
    std::string directory;
    ProgressHook progressHook;
    // The shared object of every suite file opened through OpenSuiteFile,
    // by logical name under the naming rule's upper-casing.
    std::map<std::string, TFileblockObject*, std::less<>> open;
};

SuiteState& State() {
    static SuiteState state;
    return state;
}

// The prefix tables share keys 1 to 11; F of key 10 groups the entries by
// the byte at 179: 2 for "*", 1 above "I", else 0.
std::string PrefixCommonKey(RecordBytes r, int keyNr) {
    const std::string pattern = KeyS(r, 4, 6);
    switch (keyNr) {
        case 1:
            return pattern;
        case 2:
            return KeyS(r, 11, 6) + pattern;
        case 3:
            return pattern + KeyS(r, 18, 3);
        case 4:
            return KeyS(r, 22, 2) + pattern;
        case 5:
            return KeyS(r, 25, 2) + pattern;
        case 6:
            return KeyS(r, 28, 2) + pattern;
        case 7:
            return KeyU(KeyS(r, 31, 30)) + pattern;
        case 8:
            return KeyS(r, 62, 8) + pattern;
        case 9:
            return KeyS(r, 172, 6);
        case 10: {
            const std::uint8_t mark = GetByte(r, 179);
            const char f = mark == '*' ? 2 : (mark > 'I' ? 1 : 0);
            return std::string(1, f) + pattern;
        }
        case 11:
            return KeyS(r, 110, 6);
        default:
            return {};
    }
}

std::vector<KeyDefinition> PrefixKeys(bool exceptionTable) {
    std::vector<KeyDefinition> keys = {
        {6, !exceptionTable}, {12, true}, {9, true},  {8, true}, {8, true}, {8, true},
        {36, true},           {14, true}, {13, true}, {7, true}, {6, true}, {6, true}};
    if (!exceptionTable) {
        keys.push_back({5, true});
        keys.push_back({7, true});
    }
    return keys;
}

SuiteFileDefinition Define(std::string name, std::int32_t recLen, std::vector<KeyDefinition> keys,
                           KeyBuilder builder) {
    SuiteFileDefinition fileDefinition;
    fileDefinition.logicalName = std::move(name);
    fileDefinition.recLen = recLen;
    fileDefinition.keys = std::move(keys);
    fileDefinition.keyBuilder = std::move(builder);
    return fileDefinition;
}

// A file with one unique key numbering the int32 at offset 4.
SuiteFileDefinition NumberedDefinition(std::string name, std::int32_t recLen, bool autoFlush) {
    SuiteFileDefinition fileDefinition = Define(std::move(name), recLen, {{5, false}}, SetupKey);
    fileDefinition.autoNumbers = {{1, 4}};
    fileDefinition.autoFlush = autoFlush;
    return fileDefinition;
}

}  // namespace

void SetSuiteDirectory(std::string directory) {
    State().directory = std::move(directory);
}

const std::string& SuiteDirectory() {
    return State().directory;
}

void SetSuiteProgressHook(ProgressHook hook) {
    State().progressHook = std::move(hook);
}

bool OpenSuiteFile(const SuiteFileDefinition& fileDefinition) {
    store::SharedDefinition definition;
    definition.object.logicalName = fileDefinition.logicalName;
    definition.object.fileName = State().directory + fileDefinition.logicalName;
    definition.object.varRecords = fileDefinition.varRecords;
    definition.object.createIfMissing = true;
    definition.object.recLen = fileDefinition.recLen;
    definition.object.keyCount = static_cast<int>(fileDefinition.keys.size());
    definition.object.bufferSize = fileDefinition.bufferSize;
    definition.object.keyBuilder = fileDefinition.keyBuilder;
    definition.object.retryLimit = 32;
    definition.keys = fileDefinition.keys;
    definition.autoNumbers = fileDefinition.autoNumbers;
    definition.autoFlush = fileDefinition.autoFlush;
    definition.progressHook = State().progressHook;
    TFileblockObject* object = store::OpenShared(definition);
    if (object == nullptr || ErrorLevel() != 0) return false;
    State().open[store::UpperName(fileDefinition.logicalName)] = object;
    return true;
}

void CloseSuiteFile(std::string_view logicalName) {
    auto& open = State().open;
    const auto it = open.find(store::UpperName(logicalName));
    if (it == open.end()) return;
    TFileblockObject* object = it->second;
    const bool lastUser = object->UseCount() == 0;
    CloseShared(object);
    if (lastUser) open.erase(it);
}

TFileblockObject* SuiteObject(std::string_view logicalName) {
    const auto& open = State().open;
    const auto it = open.find(store::UpperName(logicalName));
    return it == open.end() ? nullptr : it->second;
}

std::string_view SuiteFileName(SuiteFile file) {
    switch (file) {
        case SuiteFile::QVSETUP:
            return "QVSETUP";
        case SuiteFile::QVSETUP2:
            return "QVSETUP2";
        case SuiteFile::QVPRO:
            return "QVPRO";
        case SuiteFile::QVPREFIX:
            return "QVPREFIX";
        case SuiteFile::QVPREFEE:
            return "QVPREFEE";
        case SuiteFile::QVPREFES:
            return "QVPREFES";
        case SuiteFile::QVCBUCH:
            return "QVCBUCH";
        case SuiteFile::QVCALL:
            return "QVCALL";
        case SuiteFile::QVLKTEMP:
            return "QVLKTEMP";
    }
    return {};
}

SuiteFileDefinition DefinitionOf(SuiteFile file) {
    const std::string name(SuiteFileName(file));
    switch (file) {
        case SuiteFile::QVSETUP:
            return NumberedDefinition(name, kQvSetupLength, true);
        case SuiteFile::QVSETUP2:
            return NumberedDefinition(name, kQvSetup2Length, true);
        case SuiteFile::QVLKTEMP:
            return NumberedDefinition(name, kLogRecordLength, false);
        case SuiteFile::QVPRO: {
            SuiteFileDefinition fileDefinition =
                Define(name, kQvProSection, {{5, false}, {20, true}}, ProfileKey);
            fileDefinition.varRecords = true;
            fileDefinition.bufferSize = kQvProMaxLength;
            fileDefinition.autoNumbers = {{1, 4}};
            fileDefinition.autoFlush = true;
            return fileDefinition;
        }
        case SuiteFile::QVPREFIX:
            return Define(name, kPrefixRecordLength, PrefixKeys(false), PrefixKey);
        case SuiteFile::QVPREFEE:
        case SuiteFile::QVPREFES:
            return Define(name, kPrefixRecordLength, PrefixKeys(true), PrefixExceptionKey);
        case SuiteFile::QVCBUCH:
            return Define(name, kQvCbuchLength,
                          {{10, false},
                           {6, true},
                           {6, true},
                           {10, true},
                           {20, true},
                           {4, true},
                           {18, true},
                           {6, true},
                           {6, true},
                           {6, true},
                           {6, true},
                           {6, true},
                           {6, true}},
                          CallbookKey);
        case SuiteFile::QVCALL:
            return Define(
                name, kQvCallLength,
                {{10, false}, {5, true}, {5, true}, {10, true}, {1, true}, {5, true}, {3, true}},
                CallHistoryKey);
    }
    return {};
}

std::string SetupKey(RecordBytes record, int keyNr) {
    return keyNr == 1 ? KeyI(record, 4) : std::string();
}

std::string ProfileKey(RecordBytes record, int keyNr) {
    switch (keyNr) {
        case 1:
            return KeyI(record, 4);
        case 2:
            return KeyS(record, 8, 20);
        default:
            return {};
    }
}

std::string PrefixKey(RecordBytes record, int keyNr) {
    switch (keyNr) {
        case 12:
            return KeyS(record, 96, 6);
        case 13:
            return store::IntToKey(GetInt16(record, 108));
        case 14:
            return KeyC(record, 179) + KeyS(record, 4, 6);
        default:
            return PrefixCommonKey(record, keyNr);
    }
}

std::string PrefixExceptionKey(RecordBytes record, int keyNr) {
    if (keyNr == 12) return KeyS(record, 96, 6);
    return PrefixCommonKey(record, keyNr);
}

std::string CallbookKey(RecordBytes record, int keyNr) {
    // Keys 8 to 13: six texts of 6 characters, 11 bytes apart from 233 on.
    if (keyNr >= 8 && keyNr <= 13)
        return KeyS(record, 233 + 11 * static_cast<std::size_t>(keyNr - 8), 6);
    switch (keyNr) {
        case 1:
            return KeyS(record, 4, 10);
        case 2:
            return KeyS(record, 29, 6);
        case 3:
            return KeyS(record, 22, 6);
        case 4:
            return KeyS(record, 96, 10);
        case 5:
            return KeyS(record, 43, 20);
        case 6:
            return KeyR(record, 107, 4);
        case 7:
            return KeyS(record, 299, 8) + KeyS(record, 4, 10);
        default:
            return {};
    }
}

std::string CallHistoryKey(RecordBytes record, int keyNr) {
    switch (keyNr) {
        case 1:
            return KeyS(record, 4, 10);
        case 2:
            return KeyS(record, 15, 5);
        case 3:
            return KeyS(record, 21, 5);
        case 4:
            return KeyS(record, 27, 10);
        case 5:
            return KeyC(record, 37);
        case 6:
            return KeyR(record, 59, 5);
        case 7:
            return KeyS(record, 65, 3);
        default:
            return {};
    }
}

}  // namespace mss::suite
