// The owner-drawn push button of the forms: glyph and caption on a flat
// face that shows a thin raised frame under the mouse and a sunken one when
// pressed, optional drop-down menu, and predefined kinds that set glyph,
// caption, modal result and default or cancel role in one step.
#pragma once

#include <QMenu>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <memory>

#include "ui/KxBitBtnKind.h"
#include "ui/KxGlyphLayout.h"

class QShortcut;

namespace mss::ui {

// Kept for forms that name it; every style draws the same.
enum TButtonStyle : std::uint8_t { bsAutoDetect, bsWin31, bsNew };

class TkxBitBtn : public QPushButton {
    Q_OBJECT

  public:
    explicit TkxBitBtn(QWidget* parent = nullptr);
    TkxBitBtn(TkxBitBtnKind kind, QWidget* parent = nullptr);
    ~TkxBitBtn() override;

    // bkCustom as soon as role, modal result or glyph no longer match the
    // kind that was set. Setting a kind sets all of them and the caption;
    // a form that wants its own caption sets it after the kind.
    TkxBitBtnKind kxKind() const;
    void SetKxKind(TkxBitBtnKind kind);

    const QPixmap& Glyph() const { return glyph_; }
    // A strip whose width is 1 to 4 times its height sets NumGlyphs to
    // that ratio. The bottom-left pixel's colour is transparent.
    void SetGlyph(const QPixmap& glyph);
    // Images in the strip: normal, disabled, pressed or under the mouse.
    int NumGlyphs() const { return numGlyphs_; }
    void SetNumGlyphs(int count);

    TButtonLayout Layout() const { return layout_; }
    void SetLayout(TButtonLayout layout);
    // Distance of glyph and caption from the edge; -1 centres them.
    int Margin() const { return margin_; }
    void SetMargin(int margin);
    // Distance between glyph and caption; -1 spaces everything evenly.
    int Spacing() const { return spacing_; }
    void SetSpacing(int spacing);
    TButtonStyle Style() const { return style_; }
    void SetStyle(TButtonStyle style) { style_ = style; }

    // The result a modal dialog closes with after a click; 0 = none.
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int result) { modalResult_ = result; }
    // Enter in a dialog clicks the default button, Escape the cancel one.
    bool Default() const { return default_; }
    void SetDefault(bool on);
    bool Cancel() const { return cancelShortcut_ != nullptr; }
    void SetCancel(bool on);

    // Draws the glyph as disabled while the button stays usable.
    bool kxDeaktiviert() const { return deaktiviert_; }
    void SetKxDeaktiviert(bool on);
    // Paints the background in the button face colour, not the parent's.
    bool kxnichtTransparent() const { return nichtTransparent_; }
    void SetKxnichtTransparent(bool on);
    // Paints a filled rounded rectangle as background.
    bool kxFlatround() const { return flatround_; }
    void SetKxFlatround(bool on);
    // A menu that drops down below the button; not owned. With an OnClick
    // handler only the arrow part drops it, otherwise every click does.
    QMenu* kxMenue() const { return menu_; }
    void SetKxMenue(QMenu* menu);
    // A positive n makes the button n pixels wider than its caption.
    int kxautoWidth() const { return autoWidth_; }
    void SetKxautoWidth(int n);

    // A click as by the operator: the menu, the help topic, closing the
    // form, or OnClick followed by the modal result.
    void Click();

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  signals:
    void OnClick();
    void OnMouseEnter();
    void OnMouseLeave();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    bool HasClickHandler() const;
    // Width the menu takes from the layout: 17 for a split button, 12 for
    // a plain drop-down, 0 without a menu.
    int MenuWidth() const;
    void DropMenu();
    void PrepareGlyph();
    int GlyphIndex(bool pressed) const;
    QString DisplayCaption() const;
    int CaptionTextWidth() const;
    void PaintFrame(QPainter& p, bool pressed, bool raised) const;
    void PaintArrow(QPainter& p, bool lit) const;
    void PaintContent(QPainter& p, bool pressed);

    TkxBitBtnKind kind_ = bkCustom;
    bool glyphFromKind_ = false;
    QPixmap glyph_;
    QImage drawable_;  // the glyph strip with its transparent colour removed
    int numGlyphs_ = 1;
    TButtonLayout layout_ = blGlyphLeft;
    int margin_ = -1;
    int spacing_ = 4;
    TButtonStyle style_ = bsAutoDetect;
    int modalResult_ = 0;
    bool default_ = false;
    std::unique_ptr<QShortcut> cancelShortcut_;
    bool deaktiviert_ = false;
    bool nichtTransparent_ = false;
    bool flatround_ = false;
    QPointer<QMenu> menu_;
    int autoWidth_ = 0;
    int autoWidthPixels_ = 0;

    bool mouseOver_ = false;
    bool wasPressed_ = false;
    int captionBlockWidth_ = 0;  // from the last repaint
};

}  // namespace mss::ui
