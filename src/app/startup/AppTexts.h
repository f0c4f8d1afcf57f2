// Fixed texts and file names of the main window (UTF-8; the window shows them
// as they are).
#pragma once

namespace mss::app {

inline constexpr const char* kApplicationTitle = "Tarvolt MSSprint";
inline constexpr const char* kWindowCaption =
    "Brevant Tarvolt MSSPRINT Version 2012-1.0 MMMonVHF MS SPRINT CONTEST";
inline constexpr const char* kTitlePicture = "titel_tarvoltmssprint.bmp";
// Stands in for an empty call when the call labels are placed.
inline constexpr const char* kCallPlaceholder = "DD0DDD";

inline constexpr const char* kProductNotice =
    "Tarvolt MSSprint \xE2\x80\x93 Contest-Logger f\xC3\xBCr den MMMonVHF MS Sprint";
inline constexpr const char* kUpdateAdvice =
    "Bitte pr\xC3\xBC"
    "fen Sie vor dem Contest, ob es eine neuere Version gibt.";
inline constexpr const char* kInstallAdvice =
    "Installieren Sie bitte neue Versionen immer in ein neues leeres Verzeichnis oder "
    "tauschen Sie nur die EXE-Dateien aus.";
// Windows-1252, shown through the message seam.
inline constexpr const char* kFurtherPrograms =
    "Tarvolt MSSprint geh\xF6rt zur Logbuch-Reihe Quorvane. Die weiteren Programme der Reihe "
    "teilen sich die Einstellungen, das Callbook und die Pr\xE4"
    "fixtabellen mit diesem Programm.";

}  // namespace mss::app
