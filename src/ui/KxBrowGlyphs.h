// The small pictures of the record browser's bars, drawn once: the six
// navigation arrows, the close cross and the quick-search magnifier.
#pragma once

#include <QPixmap>

namespace mss::ui {

enum class BrowGlyph {
    EndH,    // first record: bar and arrow up
    SeiteH,  // previous page: double arrow up
    EinsH,   // previous record: arrow up
    EinsR,   // next record: arrow down
    SeiteR,  // next page: double arrow down
    EndR,    // last record: arrow down and bar
    Close,
    Schnellsuche,
};

QPixmap BrowGlyphPixmap(BrowGlyph glyph);

}  // namespace mss::ui
