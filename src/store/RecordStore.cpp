#include "store/RecordStore.h"

#include <array>
#include <cstdio>

#include "platform/Clock.h"
#include "platform/Messages.h"
#include "store/FileblockObject.h"
#include "store/FileblockObjectLayer.h"
#include "store/Rebuild.h"

namespace mss::store {

namespace {

struct StoreSettings {
    bool german = true;
    std::string runDir;
    std::function<void()> notify;
};

StoreSettings& Settings() {
    static StoreSettings settings;
    return settings;
}

const char* Text(bool german, const char* de, const char* en) {
    return german ? de : en;
}

struct Hints {
    int code;
    std::array<const char*, 4> de;
    std::array<const char*, 4> en;
};

// Umlauts are Windows-1252 bytes: \xF6 = ö, \xE4 = ä.
const Hints kAccessHints = {
    10140,
    {"M\xF6"
     "gl.Ursachen: Programmpfad zu lang (>50) o.Schreibschutz auf Datei "
     "o.and.Tarvolt-Progr.aktiv.",
     "M\xF6"
     "gl.Behebung: Progr.in Ordner \"Programme\" install. o.Schreibschutz auf Dateien "
     "des Programms entfernen o.and.Tarvolt-Progr.beenden!",
     "", ""},
    {"Possible error cause: ZORDEX always activ.", "Possible error correction: Cancel ZORDEX", "",
     ""}};

const std::array<Hints, 4> kHints = {{
    {10075,
     {"M\xF6"
      "gliche Fehlerursache: Zu wenig Plattenspeicher.",
      "M\xF6"
      "gliche Fehlerbehebung: Erh\xF6"
      "hen Sie den freien",
      "Festplattenspeicher.", ""},
     {"Possible error cause: Not enough disk space.",
      "Possible error correction: Increase free space", "on hard disk.", ""}},
    {10070,
     {"M\xF6"
      "gliche Fehlerursache: Indexdatei defekt.",
      "M\xF6"
      "gliche Fehlerbehebung: Tritt dieser Fehler nach",
      "Neustart wieder auf: Informieren Sie die Hotline.", ""},
     {"Possible error cause: incorrect index file.",
      "Possible error correction: Restart the program.", "If error continues: Inform the hotline.",
      ""}},
    {10465,
     {"M\xF6"
      "gliche Fehlerursache: Reorg. fehlgeschlagen.",
      "M\xF6"
      "gliche Fehlerbehebung: Tritt gleicher Fehler",
      "nach Neustart wieder auf: Benennen Sie .SAV-", "Dateien in .DAT-Dateien um."},
     {"Possible error cause: Reorganisation failure.",
      "Possible error correction: Restart the program.", "If error continues: Rename .SAV-files",
      "to .DAT-files."}},
    {91,
     {"M\xF6"
      "gliche Fehlerursache: zu wenig Filehandle",
      "M\xF6"
      "gliche Fehlerbehebung: Erh\xF6"
      "hen Sie den Wert",
      "in der Datei CONFIG.SYS auf 100.", ""},
     {"Possible error cause: not enough filehandle", "Possible error correction:Increase FILES in ",
      "the file CONFIG.SYS to 100.", ""}},
}};

const Hints* HintsFor(int displayCode) {
    if (displayCode == 10140 || displayCode == 10141) return &kAccessHints;
    for (const Hints& h : kHints)
        if (h.code == displayCode) return &h;
    return nullptr;
}

std::string QuestionText(int type, bool german) {
    switch (type) {
        case question::kLocked:
            return Text(german, " Record oder Datei gelockt. Noch einmal versuchen? ",
                        " Record or file locked. Retry ? ");
        case question::kLockRecordFailed:
            return Text(german, " LockRec gescheitert. Noch einmal versuchen? ",
                        " LockRec failed. Retry ? ");
        case question::kLockFileblockFailed:
            return Text(german, " LockFileBlock gescheitert. Noch einmal versuchen? ",
                        " LockFileBlock failed. Retry ? ");
        case question::kRecordDeleted:
            return Text(german, " Satz bereits gel\xF6scht. Neuanlegen? ",
                        " Record already deleted. New add ? ");
        case question::kDriveNotReady:
            return Text(german, " Laufwerk nicht bereit. Noch einmal versuchen? ",
                        " Drive not ready. Retry ? ");
        default:
            return Text(german, " undefinierter Fehler. Noch einmal versuchen? ",
                        " undefined Error. Retry ? ");
    }
}

std::string TwoDigits(int n) {
    char text[8];
    std::snprintf(text, sizeof text, "%02d", n);
    return text;
}

}  // namespace

int DisplayCode(EngineCode code) {
    return code < 0x3000 ? code : (code & 0xFFF);
}

std::string FatalMessage(int displayCode, bool german) {
    std::string line1;
    if (displayCode == 10140) {
        line1 = Text(german, "Datenbankzugriff verweigert!", "No data access!");
    } else {
        char number[16];
        std::snprintf(number, sizeof number, "%8d", displayCode);
        line1 = std::string(Text(german, "Fehlercode: ", "errorcode: ")) + number;
    }
    std::string message =
        line1 + "\r" +
        Text(german, "Das Programm wird abgebrochen. ", "The program will be cancled. ");
    const Hints* hints = HintsFor(displayCode);
    for (int i = 0; i < 4; ++i) {
        message += '\r';
        if (hints) message += german ? hints->de[i] : hints->en[i];
    }
    return message;
}

std::string SetAsideMessage(std::string_view logicalName, std::int32_t count,
                            std::string_view dumpFile, bool german) {
    const std::string name(logicalName.substr(0, 40));
    const std::string n = std::to_string(count);
    const std::string file(dumpFile);
    if (german)
        return name + ": " + n +
               " Datens\xE4tze mit doppeltem Schl\xFCssel wurden beim Neuaufbau aus der Datei "
               "genommen. Sie stehen mit den Datens\xE4tzen, mit denen sie zusammenfielen, in " +
               file + ".";
    return name + ": " + n +
           " records with a duplicate key were taken out of the file while rebuilding it. They "
           "are in " +
           file + ", together with the records they collided with.";
}

void TErrorHandler::RecordsSetAside(const TFileblockObject& object, std::int32_t count,
                                    const std::string& dumpFile) {
    platform::CurrentMessages().Information(
        SetAsideMessage(object.LogicalName(), count, dumpFile, Settings().german));
}

bool AnswerQuestion(std::string_view logicalName, int type) {
    if (type == question::kRebuild || type == question::kCreateMissing) return true;
    const std::string text =
        std::string(logicalName.substr(0, 40)) + ": " + QuestionText(type, Settings().german);
    return platform::CurrentMessages().Question(text);
}

void TErrorHandler::WriteLog() const {
    // A log that cannot be written never keeps the message from the user.
    std::FILE* log = std::fopen(LogFileName().c_str(), "ab");
    if (log == nullptr) return;
    const platform::CivilTime now = platform::CurrentClock().Local();
    std::string text = "\r\n*->  " + TwoDigits(now.day) + "/" + TwoDigits(now.month) + "/" +
                       std::to_string(now.year) + "  " + TwoDigits(now.hour) + ":" +
                       TwoDigits(now.minute) + "\r\n";
    const TFileblockObject* initial = CallObject();
    bool otherObject = false;
    for (const ErrorEntry& e : Entries()) otherObject = otherObject || e.object != initial;
    if (otherObject && IsValidObject(initial))
        text += "     InitialFileblock  " + initial->FileName() + "\r\n";
    for (const ErrorEntry& e : Entries()) {
        if (IsValidObject(e.object)) text += "     Fileblock  " + e.object->FileName() + "\r\n";
        text += "     - Err: " + std::to_string(DisplayCode(e.code)) + "\r\n";
    }
    std::fwrite(text.data(), 1, text.size(), log);
    std::fclose(log);
}

void TErrorHandler::Report() {
    if (Level() <= 2) return;
    WriteLog();
    const ErrorEntry* worst = Worst();
    const int code = DisplayCode(worst->code);
    platform::CurrentMessages().Information(FatalMessage(code, Settings().german));
    if (code == 10070) {
        const TFileblockObject* failing =
            IsValidObject(worst->object) ? worst->object : CallObject();
        if (IsValidObject(failing) && FilesInitialised()) {
            // An open file cannot be deleted here (it is locked): close first.
            (void)detail::CloseEveryObject();
            (void)StoreFileSystem().Delete(RebuildNames(failing->FileName()).index);
        }
    }
    if (Settings().notify) Settings().notify();
    (void)detail::CloseEveryObject();
}

bool InitRecordStore(const RecordStoreSettings& settings) {
    StoreSettings& s = Settings();
    s.german = settings.languageGerman;
    s.runDir = settings.runDir;
    s.notify = settings.notify;
    InstallErrorRegister(std::make_unique<TErrorHandler>());
    Errors().SetLogFileName(s.runDir + "KX.ERR");
    if (InitFiles(0, settings.pageBuffers, 32, settings.fileSystem) != 0) {
        platform::CurrentMessages().Information(
            Text(s.german, "Dateiverwaltung konnte nicht initialisiert werden",
                 "Error initializising file manager"));
        return false;
    }
    Errors().SetLogFileName(s.runDir + "IFD.ERR");
    SetDefaultQuestion(AnswerQuestion);
    SetFatalHalt(settings.halt);
    return true;
}

void ExitRecordStore() {
    ExitFiles();
    SetFatalHalt({});
}

void SetRecordStoreLanguage(bool german) {
    Settings().german = german;
}

}  // namespace mss::store
