#include "ui/KxBitBtnKind.h"

#include <array>

namespace mss::ui {

namespace {

struct KindEntry {
    const char* name;
    const char* caption;  // UTF-8
    int modalResult;
};

constexpr std::array<KindEntry, kKindCount> kKinds{{
    {"Custom", "", 0},
    {"OK", "OK", 1},
    {"Cancel", "Abbrechen", 2},
    {"Help", "&Hilfe", 0},
    {"Yes", "&Ja", 6},
    {"No", "&Nein", 7},
    {"Close", "&Schließen", 0},
    {"Abort", "Abbruch", 3},
    {"Retry", "&Wiederholen", 4},
    {"Ignore", "&Ignorieren", 5},
    {"All", "&Alles", 8},
    {"Weiter", "&Weiter", 11},
    {"Zurueck", "&Zurück", 12},
    {"Edit", "&Eigenschaften", 13},
    {"Uebernahme", "&Übernehmen", 14},
    {"Druck", "&Drucken", 0},
    {"Neu", "&Neu", 0},
    {"Aendern", "&Ändern", 0},
    {"Loeschen", "&Löschen", 0},
    {"Zusatz", "&Zusatz-|funktionen", 0},
    {"Suche", "&erweiterte|Suche", 0},
    {"Stat", "&Statistik", 0},
    {"GHelp", "&Hilfe", 0},
    {"GClose", "&Schließen", 0},
    {"GDruck", "&Drucken", 0},
    {"GNeu", "&Neu", 0},
    {"GAendern", "&Ändern", 0},
    {"GLoeschen", "&Löschen", 0},
    {"GSuche", "&erweiterte Suche", 0},
    {"GEinlesen", "&Einlesen", 0},
    {"Option", "&Optionen", 0},
    {"GOption", "&Optionen", 0},
    {"GHistory", "&History", 0},
    {"GAuswahlblau", "&Auswahl", 0},
    {"GZF", "&ZF", 0},
    {"GExport", "&Export", 0},
    {"Export", "&Export", 0},
    {"GMoveLR", "&Verschieben", 0},
    {"GCopyLR", "&Kopieren", 0},
    {"GKopie", "&Kopie", 0},
    {"GAmpelgelb", "Warte", 0},
    {"GAmpelrot", "Stop", 0},
    {"GAmpelgruen", "&QSO auflisten", 0},
    {"GListe", "&Liste", 0},
    {"GTabelle", "&Tabelle", 0},
    {"GStatistik", "&Statistik", 0},
    {"GMatrix", "&Matrix", 0},
    {"GStart", "&Start", 0},
    {"GDiagramm", "&Diagramm", 0},
    {"GHTML", "&HTML", 0},
    {"HTML", "&HTML", 0},
    {"GKarte", "&Karte", 0},
    {"GLabel", "&QSL-Label", 0},
    {"KSchliessen", "", 0},
    {"KZurueck", "", 0},
    {"KVorwaerts", "", 0},
    {"KAbbruch", "", 0},
    {"KReset", "", 0},
    {"KFAV", "", 0},
    {"KOption", "", 0},
    {"KEditDown", "", 0},
    {"KEditUp", "", 0},
}};

const KindEntry& Entry(TkxBitBtnKind kind) {
    return kKinds[kind < kKindCount ? kind : bkCustom];
}

}  // namespace

const char* KindName(TkxBitBtnKind kind) {
    return Entry(kind).name;
}

QString KindCaption(TkxBitBtnKind kind) {
    return QString::fromUtf8(Entry(kind).caption);
}

int KindModalResult(TkxBitBtnKind kind) {
    return Entry(kind).modalResult;
}

bool KindIsDefault(TkxBitBtnKind kind) {
    return kind == bkOK || kind == bkYes;
}

bool KindIsCancel(TkxBitBtnKind kind) {
    return kind == bkCancel || kind == bkNo;
}

int KindGlyphSize(TkxBitBtnKind kind) {
    constexpr int kLarge = 32;
    constexpr int kSmall = 15;
    constexpr int kPlain = 24;
    if (kind == bkCustom) return 0;
    switch (Entry(kind).name[0]) {
        case 'G':
            return kLarge;
        case 'K':
            return kSmall;
        default:
            return kPlain;
    }
}

QString KindGlyphName(TkxBitBtnKind kind) {
    return QStringLiteral("KXBB") + QString::fromLatin1(Entry(kind).name).toUpper();
}

}  // namespace mss::ui
