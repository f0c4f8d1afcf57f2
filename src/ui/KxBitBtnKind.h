// The predefined kinds of the owner-drawn push button: for each its caption,
// modal result, default or cancel role and glyph.
#pragma once

#include <QString>
#include <cstdint>

namespace mss::ui {

// In this order.
enum TkxBitBtnKind : std::uint8_t {
    bkCustom,
    bkOK,
    bkCancel,
    bkHelp,
    bkYes,
    bkNo,
    bkClose,
    bkAbort,
    bkRetry,
    bkIgnore,
    bkAll,
    bkWeiter,
    bkZurueck,
    bkEdit,
    bkUebernahme,
    bkDruck,
    bkNeu,
    bkAendern,
    bkLoeschen,
    bkZusatz,
    bkSuche,
    bkStat,
    bkGHelp,
    bkGClose,
    bkGDruck,
    bkGNeu,
    bkGAendern,
    bkGLoeschen,
    bkGSuche,
    bkGEinlesen,
    bkOption,
    bkGOption,
    bkGHistory,
    bkGAuswahlblau,
    bkGZF,
    bkGExport,
    bkExport,
    bkGMoveLR,
    bkGCopyLR,
    bkGKopie,
    bkGAmpelgelb,
    bkGAmpelrot,
    bkGAmpelgruen,
    bkGListe,
    bkGTabelle,
    bkGStatistik,
    bkGMatrix,
    bkGStart,
    bkGDiagramm,
    bkGHTML,
    bkHTML,
    bkGKarte,
    bkGLabel,
    bkKSchliessen,
    bkKZurueck,
    bkKVorwaerts,
    bkKAbbruch,
    bkKReset,
    bkKFAV,
    bkKOption,
    bkKEditDown,
    bkKEditUp,
};
inline constexpr int kKindCount = bkKEditUp + 1;

// The kind's name without "bk", as in "GNeu".
const char* KindName(TkxBitBtnKind kind);
// German; "&" marks the access key, "|" a line break; empty for bkCustom
// and the small glyph-only kinds.
QString KindCaption(TkxBitBtnKind kind);
// The result a modal form closes with, 0 when the button does not close it.
int KindModalResult(TkxBitBtnKind kind);
bool KindIsDefault(TkxBitBtnKind kind);
bool KindIsCancel(TkxBitBtnKind kind);
// Side of one glyph image: 32 for the "G" kinds, 15 for the "K" kinds,
// 24 for the others.
int KindGlyphSize(TkxBitBtnKind kind);
// "KXBB" and the name in capitals, as in "KXBBGNEU".
QString KindGlyphName(TkxBitBtnKind kind);

}  // namespace mss::ui
