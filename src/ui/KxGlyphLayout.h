// Where a button puts its glyph and its caption block: beside, above or
// below each other, centred or at a margin from the edge.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <cstdint>

namespace mss::ui {

enum TButtonLayout : std::uint8_t { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

struct GlyphPlacement {
    QPoint glyph;  // top-left corner of the glyph image
    QPoint text;   // top-left corner of the caption block
};

// `margin` -1 centres glyph and caption together; `spacing` -1 spreads
// glyph, caption and edges evenly. An empty glyph or caption takes no
// spacing. The cross axis is always centred.
GlyphPlacement PlaceGlyphAndCaption(const QRect& client, QSize glyph, QSize caption,
                                    TButtonLayout layout, int margin, int spacing);

}  // namespace mss::ui
