#include "ui/KxGlyphLayout.h"

namespace mss::ui {

GlyphPlacement PlaceGlyphAndCaption(const QRect& client, QSize glyph, QSize caption,
                                    TButtonLayout layout, int margin, int spacing) {
    // An empty glyph or caption takes no room at all.
    glyph = glyph.isEmpty() ? QSize(0, 0) : glyph;
    caption = caption.isEmpty() ? QSize(0, 0) : caption;
    const bool horizontal = layout == blGlyphLeft || layout == blGlyphRight;
    const int extent = horizontal ? client.width() : client.height();
    const int cross = horizontal ? client.height() : client.width();
    const int g = horizontal ? glyph.width() : glyph.height();
    const int t = horizontal ? caption.width() : caption.height();
    const bool both = !glyph.isEmpty() && !caption.isEmpty();

    if (margin < 0) {
        if (spacing < 0) {
            const int gap = (extent - g - t) / (both ? 3 : 2);
            margin = gap;
            spacing = gap;
        } else {
            margin = (extent - g - t - (both ? spacing : 0)) / 2;
        }
    } else if (spacing < 0) {
        spacing = (extent - margin - g - t) / 2;
    }
    if (!both) spacing = 0;

    int glyphAt = 0;
    int textAt = 0;
    if (layout == blGlyphLeft || layout == blGlyphTop) {
        glyphAt = margin;
        textAt = margin + g + spacing;
    } else {
        glyphAt = extent - margin - g;
        textAt = glyphAt - spacing - t;
    }
    const int glyphCross = (cross - (horizontal ? glyph.height() : glyph.width())) / 2;
    const int textCross = (cross - (horizontal ? caption.height() : caption.width())) / 2;

    const QPoint origin = client.topLeft();
    if (horizontal)
        return {origin + QPoint(glyphAt, glyphCross), origin + QPoint(textAt, textCross)};
    return {origin + QPoint(glyphCross, glyphAt), origin + QPoint(textCross, textAt)};
}

}  // namespace mss::ui
