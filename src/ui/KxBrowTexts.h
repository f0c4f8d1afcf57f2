// The record browser's own texts (UTF-8; German only).
#pragma once

#include <string>
#include <string_view>

#include "platform/Cp1252.h"

namespace mss::ui::browtext {

// One of the texts below, as the application's bytes.
inline std::string Bytes(const char* utf8) {
    return platform::Utf8ToCp1252(utf8);
}

inline constexpr char kOpenFailed[] = "Fehler beim Öffnen der Datenbanken!";
inline constexpr char kInvalidDriver[] = "ungültiger Treiber";
inline constexpr char kCannotOpen[] = "Datenbank kann nicht geöffnet werden!";
inline constexpr char kNoMemory[] = "Speicherallocierung fehlgeschlagen!";
inline constexpr char kBuildFailed[] = "Fehler beim Erstellen der Liste! (";
inline constexpr char kCannotRead[] = "Datensatz konnte nicht gelesen werden";
inline constexpr char kDeleteQuestion[] = " Löschen ";
inline constexpr char kDefaultDeleteField[] = "Datensatz";
inline constexpr char kCloseHint[] = "Schließen der Liste";
inline constexpr char kSortLabel[] = "Sortierung:";
inline constexpr char kSortPlaceholder[] = "Sortierung";
inline constexpr char kFirstHint[] = "Dateianfang";
inline constexpr char kPrevPageHint[] = "vorige Seite";
inline constexpr char kPrevHint[] = "voriger Datensatz";
inline constexpr char kNextHint[] = "nächster Datensatz";
inline constexpr char kNextPageHint[] = "nächste Seite";
inline constexpr char kLastHint[] = "Dateiende";

}  // namespace mss::ui::browtext
