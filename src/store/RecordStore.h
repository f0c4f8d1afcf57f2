// The program's side of the record store: initialisation at start-up, the
// error handler that writes the error log and shows the fatal message, and
// the question callback that answers the retry and continue questions.
// Texts are Windows-1252 bytes, German or English by the language flag.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/File.h"
#include "store/ErrorRegister.h"
#include "store/Filer.h"

namespace mss::store {

struct RecordStoreSettings {
    bool languageGerman = true;
    std::string runDir;  // the program's directory, with a trailing "/"
    std::shared_ptr<platform::FileSystem> fileSystem;  // nullptr = the platform's
    // PageBuffersFor(the largest key count of the files the program opens).
    int pageBuffers = PageBuffersFor(0);
    // Ends the program after a fatal error; runs after the report, when every
    // fileblock has been closed. Without one the failing call returns.
    std::function<void()> halt;
    // The error handler's own notification, called after the fatal message.
    std::function<void()> notify;
};

// Creates the error handler, initialises the object layer (0, pageBuffers,
// 32) and installs the question callback. On failure shows the information text and
// answers false (the program then ends with exit code 1).
bool InitRecordStore(const RecordStoreSettings& settings);
void ExitRecordStore();
// The language flag changes with the contest catalogue.
void SetRecordStoreLanguage(bool german);

// The number shown for an error code: the code itself below 0x3000, else its
// low 12 bits.
int DisplayCode(EngineCode code);
// The six lines of the fatal message, separated by a carriage return.
std::string FatalMessage(int displayCode, bool german);
// The notice after a rebuild that took records out of a file.
std::string SetAsideMessage(std::string_view logicalName, std::int32_t count,
                            std::string_view dumpFile, bool german);
// The program's question callback: rebuilding and creating are agreed
// without asking; everything else is asked as "<name>: <text>".
bool AnswerQuestion(std::string_view logicalName, int type);

class TErrorHandler : public ErrorRegister {
  public:
    // Appends the entries of a fatal call to the log file, shows the fatal
    // message, deletes the index file after 10070 and closes every fileblock.
    void Report() override;
    // Tells the user how many records a rebuild put into the dump file.
    void RecordsSetAside(const TFileblockObject& object, std::int32_t count,
                         const std::string& dumpFile) override;

  private:
    void WriteLog() const;
};

}  // namespace mss::store
