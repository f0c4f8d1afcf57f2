#include "ui/KxBitBtn.h"

#include <QDialog>
#include <QEnterEvent>
#include <QFontMetrics>
#include <QMenu>
#include <QMetaMethod>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcut>
#include <algorithm>

#include "ui/KxGlyphs.h"
#include "ui/KxHelp.h"

namespace mss::ui {

namespace {

constexpr int kDefaultWidth = 75;
constexpr int kDefaultHeight = 35;
constexpr int kSplitWidth = 17;
constexpr int kDropDownWidth = 12;
constexpr int kArrowHotZone = 13;  // a press this close to the right edge drops a split menu
constexpr int kFocusInset = 4;
constexpr int kMaxGlyphs = 4;
constexpr int kTextPadding = 4;
const QColor kArrowLit(49, 106, 197);
const QColor kRoundFill(255, 223, 170);
const QColor kRoundDisabled(192, 192, 192);

// The same image in one colour, its shape kept.
QImage Silhouette(const QImage& image, const QColor& colour) {
    QImage shape = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < shape.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(shape.scanLine(y));
        for (int x = 0; x < shape.width(); ++x)
            line[x] = qRgba(colour.red(), colour.green(), colour.blue(), qAlpha(line[x]));
    }
    return shape;
}

}  // namespace

TkxBitBtn::TkxBitBtn(QWidget* parent) : QPushButton(parent) {
    resize(kDefaultWidth, kDefaultHeight);
    connect(this, &QAbstractButton::clicked, this, &TkxBitBtn::Click);
}

TkxBitBtn::TkxBitBtn(TkxBitBtnKind kind, QWidget* parent) : TkxBitBtn(parent) {
    SetKxKind(kind);
}

TkxBitBtn::~TkxBitBtn() = default;

TkxBitBtnKind TkxBitBtn::kxKind() const {
    if (kind_ == bkCustom) return bkCustom;
    const bool matches = glyphFromKind_ && default_ == KindIsDefault(kind_) &&
                         Cancel() == KindIsCancel(kind_) && modalResult_ == KindModalResult(kind_);
    return matches ? kind_ : bkCustom;
}

void TkxBitBtn::SetKxKind(TkxBitBtnKind kind) {
    if (kind == kxKind()) return;
    kind_ = kind;
    if (kind == bkCustom) return;
    SetDefault(KindIsDefault(kind));
    SetCancel(KindIsCancel(kind));
    modalResult_ = KindModalResult(kind);
    glyph_ = KindGlyph(kind);
    numGlyphs_ = 2;
    glyphFromKind_ = true;
    PrepareGlyph();
    setText(KindCaption(kind));
    updateGeometry();
    update();
}

void TkxBitBtn::SetGlyph(const QPixmap& glyph) {
    glyph_ = glyph;
    glyphFromKind_ = false;
    if (!glyph.isNull() && glyph.height() > 0 && glyph.width() % glyph.height() == 0) {
        const int ratio = glyph.width() / glyph.height();
        if (ratio >= 1 && ratio <= kMaxGlyphs) numGlyphs_ = ratio;
    }
    PrepareGlyph();
    updateGeometry();
    update();
}

void TkxBitBtn::SetNumGlyphs(int count) {
    numGlyphs_ = std::clamp(count, 1, kMaxGlyphs);
    updateGeometry();
    update();
}

void TkxBitBtn::SetLayout(TButtonLayout layout) {
    layout_ = layout;
    updateGeometry();
    update();
}

void TkxBitBtn::SetMargin(int margin) {
    margin_ = std::max(margin, -1);
    update();
}

void TkxBitBtn::SetSpacing(int spacing) {
    spacing_ = spacing;
    updateGeometry();
    update();
}

void TkxBitBtn::SetDefault(bool on) {
    default_ = on;
    setDefault(on);
    update();
}

void TkxBitBtn::SetCancel(bool on) {
    if (on == Cancel()) return;
    if (!on) {
        cancelShortcut_.reset();
        return;
    }
    cancelShortcut_ = std::make_unique<QShortcut>(QKeySequence(Qt::Key_Escape), this);
    cancelShortcut_->setContext(Qt::WindowShortcut);
    connect(cancelShortcut_.get(), &QShortcut::activated, this, [this] {
        if (isEnabled() && isVisible()) click();
    });
}

void TkxBitBtn::SetKxDeaktiviert(bool on) {
    deaktiviert_ = on;
    update();
}

void TkxBitBtn::SetKxnichtTransparent(bool on) {
    nichtTransparent_ = on;
    update();
}

void TkxBitBtn::SetKxFlatround(bool on) {
    flatround_ = on;
    update();
}

void TkxBitBtn::SetKxMenue(QMenu* menu) {
    menu_ = menu;
    updateGeometry();
    update();
}

void TkxBitBtn::SetKxautoWidth(int n) {
    autoWidth_ = n;
    if (n <= 0) return;
    const int caption = captionBlockWidth_ > 1 ? captionBlockWidth_ : CaptionTextWidth();
    autoWidthPixels_ = n + caption;
    resize(autoWidthPixels_, height());
    updateGeometry();
}

bool TkxBitBtn::HasClickHandler() const {
    static const QMetaMethod onClick = QMetaMethod::fromSignal(&TkxBitBtn::OnClick);
    return isSignalConnected(onClick);
}

int TkxBitBtn::MenuWidth() const {
    if (menu_ == nullptr) return 0;
    return HasClickHandler() ? kSplitWidth : kDropDownWidth;
}

void TkxBitBtn::DropMenu() {
    if (menu_ != nullptr) menu_->popup(mapToGlobal(QPoint(0, height())));
}

void TkxBitBtn::Click() {
    if (menu_ != nullptr && !HasClickHandler()) {
        DropMenu();
        return;
    }
    const TkxBitBtnKind kind = kxKind();
    if (kind == bkHelp) {
        const int context = NearestHelpContext(*this);
        if (auto* viewer = ScopedHelpViewer::Installed(); viewer != nullptr && context != 0) {
            viewer->ShowHelpFor(context, *this);
            return;
        }
    }
    if (kind == bkClose && window() != this) {
        window()->close();
        return;
    }
    // The handler may close the dialog itself or delete the button.
    QPointer<TkxBitBtn> self(this);
    emit OnClick();
    if (self == nullptr || modalResult_ == 0) return;
    if (auto* dialog = qobject_cast<QDialog*>(window())) dialog->done(modalResult_);
}

void TkxBitBtn::enterEvent(QEnterEvent* event) {
    QPushButton::enterEvent(event);
    mouseOver_ = true;
    update();
    if (isEnabled()) emit OnMouseEnter();
}

void TkxBitBtn::leaveEvent(QEvent* event) {
    QPushButton::leaveEvent(event);
    mouseOver_ = false;
    update();
    if (isEnabled()) emit OnMouseLeave();
}

void TkxBitBtn::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && menu_ != nullptr &&
        (!HasClickHandler() || event->position().x() > width() - kArrowHotZone)) {
        // The menu replaces the click.
        DropMenu();
        event->accept();
        return;
    }
    QPushButton::mousePressEvent(event);
}

void TkxBitBtn::PrepareGlyph() {
    if (glyph_.isNull()) {
        drawable_ = QImage();
        return;
    }
    drawable_ = glyph_.toImage().convertToFormat(QImage::Format_ARGB32);
    const QRgb transparent = drawable_.pixel(0, drawable_.height() - 1);
    for (int y = 0; y < drawable_.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(drawable_.scanLine(y));
        for (int x = 0; x < drawable_.width(); ++x)
            if (line[x] == transparent) line[x] = qRgba(0, 0, 0, 0);
    }
}

int TkxBitBtn::GlyphIndex(bool pressed) const {
    int index = 0;
    if (!isEnabled())
        index = 1;
    else if (pressed)
        index = 2;
    if (deaktiviert_) index = 1;
    if (mouseOver_ && isEnabled()) index = 2;
    return index;
}

QString TkxBitBtn::DisplayCaption() const {
    QString caption = text();
    caption.replace(u'|', u'\n');
    return caption;
}

int TkxBitBtn::CaptionTextWidth() const {
    const QWidget* form = window();
    const QFontMetrics metrics(form != nullptr ? form->font() : font());
    int widest = 0;
    for (const QString& line : text().split(u'|')) {
        QString plain = line;
        plain.replace(QStringLiteral("&&"), QStringLiteral("\x01"))
            .remove(u'&')
            .replace(u'\x01', u'&');
        widest = std::max(widest, metrics.horizontalAdvance(plain));
    }
    return widest;
}

QSize TkxBitBtn::sizeHint() const {
    const QSize glyph =
        glyph_.isNull() ? QSize() : QSize(glyph_.width() / numGlyphs_, glyph_.height());
    QFont captionFont = font();
    captionFont.setBold(default_);
    const QSize caption = QFontMetrics(captionFont)
                              .boundingRect(QRect(), Qt::TextShowMnemonic, DisplayCaption())
                              .size();
    const bool both = !glyph.isEmpty() && !caption.isEmpty();
    const int gap = both ? std::max(spacing_, 0) : 0;
    const int padding = 2 * (kTextPadding + 4);
    QSize content;
    if (layout_ == blGlyphLeft || layout_ == blGlyphRight)
        content = QSize(glyph.width() + gap + caption.width(),
                        std::max(glyph.height(), caption.height()));
    else
        content = QSize(std::max(glyph.width(), caption.width()),
                        glyph.height() + gap + caption.height());
    int width = std::max(kDefaultWidth, content.width() + padding + MenuWidth());
    if (autoWidth_ > 0 && autoWidthPixels_ > 0) width = autoWidthPixels_;
    return {width, std::max(kDefaultHeight, content.height() + padding)};
}

QSize TkxBitBtn::minimumSizeHint() const {
    return {0, 0};
}

void TkxBitBtn::PaintFrame(QPainter& p, bool pressed, bool raised) const {
    const QColor light = palette().color(QPalette::Light);
    const QColor shadow = palette().color(QPalette::Mid);
    auto edge = [&p](const QRect& r, const QColor& topLeft, const QColor& bottomRight) {
        p.setPen(topLeft);
        p.drawLine(r.topLeft(), r.topRight());
        p.drawLine(r.topLeft(), r.bottomLeft());
        p.setPen(bottomRight);
        p.drawLine(r.bottomLeft(), r.bottomRight());
        p.drawLine(r.topRight(), r.bottomRight());
    };
    const bool split = menu_ != nullptr && HasClickHandler();
    const QRect face = split ? rect().adjusted(0, 0, -kSplitWidth, 0) : rect();
    if (pressed)
        edge(face, shadow, light);
    else if (raised)
        edge(face, light, shadow);
    if (split && (pressed || raised))
        edge(QRect(width() - kSplitWidth, 0, kSplitWidth, height()), light, shadow);
}

void TkxBitBtn::PaintArrow(QPainter& p, bool lit) const {
    const int area = MenuWidth();
    const int centreX = width() - area / 2 - 1;
    const int top = height() / 2 - 1;
    p.setPen(Qt::NoPen);
    p.setBrush(lit ? kArrowLit : QColor(Qt::black));
    p.drawPolygon(QPolygon{{centreX - 3, top}, {centreX + 4, top}, {centreX, top + 4}});
}

void TkxBitBtn::PaintContent(QPainter& p, bool pressed) {
    QRect client = rect().adjusted(0, 0, -MenuWidth(), 0);
    if (pressed) client.translate(1, 1);

    const QSize glyph =
        drawable_.isNull() ? QSize() : QSize(drawable_.width() / numGlyphs_, drawable_.height());
    QFont captionFont = font();
    captionFont.setBold(default_);
    const QFontMetrics metrics(captionFont);
    const bool beside = layout_ == blGlyphLeft || layout_ == blGlyphRight;
    const int wrapWidth = std::max(1, client.width() - 2 * kTextPadding -
                                          (beside ? glyph.width() + std::max(spacing_, 0) : 0));
    constexpr int kFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap | Qt::TextShowMnemonic;
    const QString caption = DisplayCaption();
    const QSize block =
        caption.isEmpty()
            ? QSize()
            : metrics.boundingRect(QRect(0, 0, wrapWidth, 0xFFFF), kFlags, caption).size();
    captionBlockWidth_ = block.width();

    const GlyphPlacement at =
        PlaceGlyphAndCaption(client, glyph, block, layout_, margin_, spacing_);
    if (!glyph.isEmpty()) {
        const int index = GlyphIndex(pressed);
        const QRect first(0, 0, glyph.width(), glyph.height());
        if (index == 1 && numGlyphs_ == 1) {
            // An embossed shape stands in for the missing disabled image.
            const QImage image = drawable_.copy(first);
            p.drawImage(at.glyph + QPoint(1, 1),
                        Silhouette(image, palette().color(QPalette::Light)));
            p.drawImage(at.glyph, Silhouette(image, palette().color(QPalette::Mid)));
        } else {
            const int shown = index < numGlyphs_ ? index : 0;
            p.drawImage(at.glyph, drawable_, first.translated(shown * glyph.width(), 0));
        }
    }
    if (!caption.isEmpty()) {
        p.setFont(captionFont);
        p.setPen(palette().color(QPalette::Active, QPalette::ButtonText));
        p.drawText(QRect(at.text, block), kFlags, caption);
    }
}

void TkxBitBtn::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const bool pressed = isDown();
    const bool hover = mouseOver_ && isEnabled();
    const bool raised = !pressed && (hover || wasPressed_);
    wasPressed_ = pressed;

    const QWidget* parent = parentWidget();
    const QColor background = nichtTransparent_ || parent == nullptr
                                  ? palette().color(QPalette::Button)
                                  : parent->palette().color(parent->backgroundRole());
    p.fillRect(rect(), background);
    PaintFrame(p, pressed, raised);
    if (flatround_) {
        p.save();
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(isEnabled() ? QColor(Qt::black) : kRoundDisabled);
        p.setBrush(kRoundFill);
        constexpr qreal kCornerRadius = 5;
        p.drawRoundedRect(QRectF(1.5, 1.5, width() - 3, height() - 3), kCornerRadius,
                          kCornerRadius);
        p.restore();
    }
    if (menu_ != nullptr) PaintArrow(p, hover || pressed);
    PaintContent(p, pressed);

    if (hasFocus()) {
        const int right = kFocusInset + (menu_ != nullptr && HasClickHandler() ? kSplitWidth : 0);
        p.setPen(QPen(palette().color(QPalette::Active, QPalette::ButtonText), 1, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(rect().adjusted(kFocusInset, kFocusInset, -right - 1, -kFocusInset - 1));
    }
}

}  // namespace mss::ui
