// The browser's two bars: the top bar with its close button, and the bottom
// bar with sort list, quick search, tool bar and the narrow bar's close
// button, arranged by the bar's width.
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>
#include <algorithm>
#include <utility>

#include "ui/KxBrow.h"
#include "ui/KxBrowGlyphs.h"
#include "ui/KxBrowTexts.h"
#include "ui/KxEdit.h"

namespace mss::ui {
namespace {

constexpr int kBarLine = 24;
constexpr int kGap = 4;
constexpr int kToolButton = 15;
constexpr int kToolBarWidth = 6 * kToolButton + 2;
constexpr int kClose2Width = 60;
constexpr int kSearchPicture = 16;
constexpr int kFieldHeight = 20;
constexpr int kNarrowBar = 200;

QString Text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// Combo box and quick-search widths for the room W left beside the tool bar.
std::pair<int, int> FieldWidths(int room) {
    if (room >= 221) return {100, 100};
    if (room >= 201) return {80, 100};
    return {75, 60};
}

}  // namespace

void TkxBrow::BuildTopBar() {
    topBar_ = new QFrame(this);
    topBar_->setObjectName(QStringLiteral("framePanel"));
    topBar_->setFixedHeight(kToolButton + 3);
    auto* layout = new QHBoxLayout(topBar_);
    layout->setContentsMargins(0, 1, 2, 1);
    layout->addStretch();
    btnClose_ = new QToolButton(topBar_);
    btnClose_->setObjectName(QStringLiteral("btnClose"));
    btnClose_->setIcon(BrowGlyphPixmap(BrowGlyph::Close));
    btnClose_->setFixedSize(kToolButton, kToolButton);
    btnClose_->setAutoRaise(true);
    btnClose_->setToolTip(Text(browtext::kCloseHint));
    connect(btnClose_, &QToolButton::clicked, this, &TkxBrow::CloseClicked);
    layout->addWidget(btnClose_);
    topBar_->hide();
}

QToolButton* TkxBrow::ToolButton(const char* name, BrowGlyph glyph, const char* hint,
                                 void (TkxBrow::*move)()) {
    auto* button = new QToolButton(toolBar_);
    button->setObjectName(QString::fromLatin1(name));
    button->setIcon(BrowGlyphPixmap(glyph));
    button->setIconSize(QSize(10, 10));
    button->setFixedSize(kToolButton, kToolButton);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setToolTip(Text(hint));
    connect(button, &QToolButton::clicked, this, move);
    return button;
}

void TkxBrow::BuildBottomBar() {
    bottomBar_ = new QFrame(this);
    bottomBar_->setObjectName(QStringLiteral("framePanel"));
    bottomBar_->setFixedHeight(kBarLine);
    bottomBar_->installEventFilter(this);

    lSortierung_ = new QLabel(Text(browtext::kSortLabel), bottomBar_);
    lSortierung_->setObjectName(QStringLiteral("lSortierung"));
    cbSortierung_ = new QComboBox(bottomBar_);
    cbSortierung_->setObjectName(QStringLiteral("cbSortierung"));
    cbSortierung_->setPlaceholderText(Text(browtext::kSortPlaceholder));
    cbSortierung_->installEventFilter(this);
    connect(cbSortierung_, &QComboBox::activated, this, &TkxBrow::SortEntryChosen);

    imgSchnellsuche_ = new QLabel(bottomBar_);
    imgSchnellsuche_->setObjectName(QStringLiteral("imgSchnellsuche"));
    imgSchnellsuche_->setPixmap(BrowGlyphPixmap(BrowGlyph::Schnellsuche));
    eSuche_ = new TkxEdit(bottomBar_);
    eSuche_->setObjectName(QStringLiteral("eSuche"));
    eSuche_->installEventFilter(this);
    connect(eSuche_, &QLineEdit::textChanged, this, &TkxBrow::QuickSearch);

    toolBar_ = new QWidget(bottomBar_);
    toolBar_->setObjectName(QStringLiteral("toolBar"));
    toolBar_->setFixedSize(kToolBarWidth, kToolButton);
    auto* tools = new QHBoxLayout(toolBar_);
    tools->setContentsMargins(1, 0, 1, 0);
    tools->setSpacing(0);
    tools->addWidget(
        ToolButton("btnDateianfang", BrowGlyph::EndH, browtext::kFirstHint, &TkxBrow::FirstPage));
    tools->addWidget(ToolButton("btnVorigeSeite", BrowGlyph::SeiteH, browtext::kPrevPageHint,
                                &TkxBrow::PrevPage));
    tools->addWidget(ToolButton("btnVorigerDatensatz", BrowGlyph::EinsH, browtext::kPrevHint,
                                &TkxBrow::PrevRecord));
    tools->addWidget(ToolButton("btnNaechsterDatensatz", BrowGlyph::EinsR, browtext::kNextHint,
                                &TkxBrow::NextRecord));
    tools->addWidget(ToolButton("btnNaechsteSeite", BrowGlyph::SeiteR, browtext::kNextPageHint,
                                &TkxBrow::NextPage));
    tools->addWidget(
        ToolButton("btnDateiende", BrowGlyph::EndR, browtext::kLastHint, &TkxBrow::LastPage));

    btnClose2_ = new QToolButton(bottomBar_);
    btnClose2_->setObjectName(QStringLiteral("btnClose2"));
    btnClose2_->setIcon(BrowGlyphPixmap(BrowGlyph::Close));
    btnClose2_->setFixedSize(kClose2Width, kToolButton);
    btnClose2_->setToolTip(Text(browtext::kCloseHint));
    btnClose2_->hide();
    connect(btnClose2_, &QToolButton::clicked, this, &TkxBrow::CloseClicked);
}

void TkxBrow::ArrangeBottomBar() {
    const int barWidth = bottomBar_->width();
    const auto [comboWidth, searchWidth] = FieldWidths(barWidth - kToolBarWidth);
    const bool sortShown = sortlistVisible_ && cbSortierung_->count() > 0;
    const int labelWidth = lSortierung_->sizeHint().width();
    const int fieldsWidth = (sortShown ? comboWidth + kGap : 0) +
                            (searchVisible_ ? kSearchPicture + kGap + searchWidth + kGap : 0);
    const bool narrow = barWidth < kNarrowBar;
    QWidget* tail = narrow ? static_cast<QWidget*>(btnClose2_) : toolBar_;
    const bool tailShown = !narrow || closeButtons_;
    const int tailWidth = tailShown ? tail->width() + kGap : 0;
    const bool labelShown =
        sortShown && kGap + labelWidth + kGap + fieldsWidth + tailWidth <= barWidth;

    const int fieldTop = (kBarLine - kFieldHeight) / 2;
    int x = kGap;
    lSortierung_->setVisible(labelShown);
    if (labelShown) {
        lSortierung_->setGeometry(x, fieldTop, labelWidth, kFieldHeight);
        x += labelWidth + kGap;
    }
    cbSortierung_->setVisible(sortShown);
    if (sortShown) {
        cbSortierung_->setGeometry(x, fieldTop, comboWidth, kFieldHeight);
        x += comboWidth + kGap;
    }
    imgSchnellsuche_->setVisible(searchVisible_);
    eSuche_->setVisible(searchVisible_);
    if (searchVisible_) {
        imgSchnellsuche_->setGeometry(x, (kBarLine - kSearchPicture) / 2, kSearchPicture,
                                      kSearchPicture);
        x += kSearchPicture + kGap;
        eSuche_->setGeometry(x, fieldTop, searchWidth, kFieldHeight);
        x += searchWidth + kGap;
    }

    toolBar_->setVisible(!narrow);
    btnClose2_->setVisible(narrow && closeButtons_);
    int lines = 1;
    if (tailShown) {
        const bool ownLine = x + tail->width() + kGap > barWidth;
        lines = ownLine ? 2 : 1;
        const int tailX = std::max(kGap, barWidth - tail->width() - kGap);
        const int tailY = (ownLine ? kBarLine : 0) + (kBarLine - kToolButton) / 2;
        tail->move(tailX, tailY);
    }
    bottomBar_->setFixedHeight(lines * kBarLine);
}

void TkxBrow::ApplySortListState() {
    const int count = cbSortierung_->count();
    cbSortierung_->setEnabled(sortlistEnabled_ && count > 1);
    cbSortierung_->setCurrentIndex(count == 1 ? 0 : -1);
    ArrangeBottomBar();
}

void TkxBrow::SetSortlistVisible(bool visible) {
    sortlistVisible_ = visible;
    ArrangeBottomBar();
}

void TkxBrow::SetSortlistEnabled(bool enabled) {
    sortlistEnabled_ = enabled;
    cbSortierung_->setEnabled(enabled && cbSortierung_->count() > 1);
}

void TkxBrow::SetSearchFieldVisible(bool visible) {
    searchVisible_ = visible;
    ArrangeBottomBar();
}

void TkxBrow::SetCloseButtonVisible(bool visible) {
    closeButtons_ = visible;
    topBar_->setVisible(visible);
    ArrangeBottomBar();
}

}  // namespace mss::ui
