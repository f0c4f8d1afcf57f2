// The glyph strips of the predefined button kinds: two images side by side,
// normal and disabled, drawn once per kind and shared by every button.
#pragma once

#include <QPixmap>

#include "ui/KxBitBtnKind.h"

namespace mss::ui {

// A null pixmap for bkCustom. A picture named after KindGlyphName in the
// program's resources (":/KXBBGNEU.png") takes the place of the drawn one.
QPixmap KindGlyph(TkxBitBtnKind kind);

}  // namespace mss::ui
