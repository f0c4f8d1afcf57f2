#include "app/mainwindow/ContestBrow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "app/startup/AppTexts.h"
#include "ui/KxHelp.h"
#include "contest/Catalogue.h"
#include "platform/DataDir.h"
#include "platform/Messages.h"
#include "platform/qt/QtText.h"
#include "radio/ProgramValues.h"
#include "ui/KxBrow.h"

namespace mss::app {
namespace {

constexpr int kTagMenuFirst = 100;
constexpr int kWideScreen = 900;
constexpr int kPanelTop = 40;
constexpr int kRightMargin = 30;
constexpr int kBottomMargin = 30;

QLabel* NewLabel(QWidget* parent, const char* name, const QString& text, int tag = 0) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setProperty("tag", tag);
    return label;
}

QFrame* NewPanel(QWidget* parent, const char* name, int tag) {
    auto* panel = new QFrame(parent);
    panel->setObjectName(QString::fromLatin1(name));
    panel->setProperty("tag", tag);
    return panel;
}

QPushButton* NewButton(QWidget* parent, const char* name, const QString& caption) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setFocusPolicy(Qt::TabFocus);
    return button;
}

bool IsLeftBarMenu(const QWidget* widget) {
    const int tag = ui::TagOf(widget);
    return tag >= kTagMenuFirst && tag % 100 == 0;
}

bool LoadPicture(QLabel& image, const QString& fileName) {
    if (fileName.isEmpty() || !QFileInfo::exists(fileName)) return false;
    QPixmap picture(fileName);
    if (picture.isNull()) return false;
    image.setPixmap(picture);
    image.resize(picture.size());
    return true;
}

}  // namespace

TContestBrow::TContestBrow(std::unique_ptr<StartupLoading> loading, QWidget* parent)
    : QWidget(parent),
      loading_(std::move(loading)),
      definition_(std::make_unique<contest::ContestDefinition>()) {
    setObjectName(QStringLiteral("ContestBrow"));
    CreateComponents();
    FormCreate();
}

TContestBrow::~TContestBrow() {
    qApp->removeEventFilter(this);
    FormDestroy();
}

void TContestBrow::FormDestroy() {
    if (closedDown_) return;
    closedDown_ = true;
    radio::Program().LanguageGerman = 1;
    loading_->CloseDown(*this);
}

void TContestBrow::CreateComponents() {
    Image2_ = NewLabel(this, "Image2", QString(), ui::kTagLeftAlone);
    Image2_->setScaledContents(true);
    Image2_->setMouseTracking(true);
    imgtitel_ = NewLabel(this, "imgtitel", QString(), ui::kTagLeftAlone);
    imglinks_ = NewLabel(this, "imglinks", QString(), ui::kTagLeftAlone);
    lworked_ = NewLabel(this, "lworked", QString(), ui::kTagLeftAlone);
    lCall_ = NewLabel(this, "lCall", QString(), ui::kTagLeftAlone);
    lUtils_ = NewLabel(this, "lUtils", QString(), ui::kTagLeftAlone);
    MenueBeenden_ = NewLabel(this, "MenueBeenden", QString(), kTagMenuFirst);
    MenueBeenden_->setCursor(Qt::PointingHandCursor);
    MenueBeenden_->setMouseTracking(true);
    lhinweisupdate_ = NewLabel(this, "lhinweisupdate", QString());
    lhinweisupdate2_ = NewLabel(this, "lhinweisupdate2", QString(), ui::kTagLeftAlone);
    lNotice_ = NewLabel(this, "lNotice", QString());
    lNotice_->setMouseTracking(true);
    btnweitere_ = NewButton(this, "btnweitere", QStringLiteral("Weitere Programme"));
    connect(btnweitere_, &QPushButton::clicked, this, &TContestBrow::btnweitereClick);

    panelContest_ = NewPanel(this, "panelContest", 1);
    auto* contestLayout = new QVBoxLayout(panelContest_);
    contestLayout->setContentsMargins(0, 0, 0, 0);
    Brow_ = new ui::TkxBrow(panelContest_);
    Brow_->setObjectName(QStringLiteral("Brow"));
    PanelUnten_ = NewPanel(panelContest_, "PanelUnten", ui::kTagSpecial);
    contestLayout->addWidget(Brow_, 1);
    contestLayout->addWidget(PanelUnten_);
    CreateButtonBar();
    ConnectListEvents();

    panelabgleich_ = new QProgressBar(this);
    panelabgleich_->setObjectName(QStringLiteral("panelabgleich"));
    panelabgleich_->hide();

    // The form sees every key first, as with key preview.
    qApp->installEventFilter(this);
}

void TContestBrow::CreateButtonBar() {
    PanelUnten_->setFixedHeight(44);
    btnNeuho3_ = NewButton(PanelUnten_, "btnNeuho3", QStringLiteral("Neu"));
    btnAendernHo3_ = NewButton(PanelUnten_, "btnAendernHo3", QStringLiteral("Starten"));
    btnLoeschenHo3_ = NewButton(PanelUnten_, "btnLoeschenHo3", QStringLiteral("Löschen"));
    btnendeho3_ = NewButton(PanelUnten_, "btnendeho3", QStringLiteral("Schließen"));
    btnHilfeHo3_ = NewButton(PanelUnten_, "btnHilfeHo3", QStringLiteral("Hilfe"));
    panelbuttonsHo4_ = NewPanel(PanelUnten_, "panelbuttonsHo4", ui::kTagSpecial);
    panelbuttonsHo4_->hide();

    connect(btnNeuho3_, &QPushButton::clicked, this, &TContestBrow::NewRequested);
    connect(btnAendernHo3_, &QPushButton::clicked, this, &TContestBrow::StartRequested);
    connect(btnLoeschenHo3_, &QPushButton::clicked, this, &TContestBrow::DeleteRequested);
    connect(btnendeho3_, &QPushButton::clicked, this, &QWidget::close);
    connect(btnHilfeHo3_, &QPushButton::clicked, this, &TContestBrow::btnHilfeHo3Click);
}

void TContestBrow::FormCreate() {
    auto& values = radio::Program();
    lworked_->hide();
    imgtitel_->hide();
    imglinks_->hide();

    contestCode_ = 'j';
    setWindowTitle(QString::fromUtf8(kWindowCaption));
    ShowPictures();

    ApplyFormColours();
    values.RunDir = platform::RunDirOfCurrentDirectory();

    values.OwnCall.clear();
    ShowCall();
    lUtils_->setText(platform::QtText(radio::Bilingual("f\xFCr", "FOR")));
    move(0, 0);

    startedUp_ = loading_->LoadSettings(*this);
    if (!startedUp_) return;

    MenueBeenden_->setText(platform::QtText(radio::Bilingual("    Beenden", "    Finish")));
    ShowCall();
    ApplyFormColours();

    startedUp_ = loading_->OpenContestStore(*this);
    if (!startedUp_) return;
    contest::ContestEntry none;
    FillContestDefinition(none);
    loading_->ListEntries(*this);

    ui::ApplyColourScheme(*this, *Image2_, colours_);
    ui::SetBackground(*PanelUnten_, colours_.panel);
    ui::SetBackground(*panelContest_, colours_.panel);

    panelbuttonsHo4_->hide();
    lNotice_->setText(QString::fromUtf8(kProductNotice));
    lhinweisupdate_->setText(QString::fromUtf8(kUpdateAdvice));
    lhinweisupdate2_->setText(QString::fromUtf8(kInstallAdvice));
    btnweitere_->show();
    lhinweisupdate_->show();
    lhinweisupdate2_->show();
    loading_->FirstStart(*this);
}

void TContestBrow::ShowPictures() {
    if (LoadPicture(*imgtitel_, QString::fromUtf8(kTitlePicture))) imgtitel_->show();

    const contest::ContestDisplay display = contest::DisplayOf(contestCode_);
    if (!display.Title.empty()) {
        lworked_->setText(QLatin1Char('"') + platform::QtText(display.Title) + QLatin1Char('"'));
        QFont font = lworked_->font();
        font.setPointSize(12);
        lworked_->setFont(font);
        lworked_->adjustSize();
        lworked_->show();
    }
    if (LoadPicture(*imglinks_, platform::QtText(display.Picture))) imglinks_->show();
    imglinks_->setScaledContents(true);
}

void TContestBrow::ShowCall() {
    const auto& values = radio::Program();
    lCall_->setText(platform::QtText(values.OwnCall.empty() ? values.SwlNumber : values.OwnCall));
    lCall_->adjustSize();
}

void TContestBrow::FillContestDefinition(contest::ContestEntry& entry) {
    *definition_ = contest::FillContestDefinition(contestCode_, entry);
}

void TContestBrow::ApplyFormColours() {
    ui::SetBackground(*this, colours_.form);
}

int TContestBrow::ScreenWidth() const {
    const QScreen* shown = screen() ? screen() : QGuiApplication::primaryScreen();
    return shown ? shown->geometry().width() : width();
}

void TContestBrow::FormResize() {
    const int clientWidth = width();
    const int clientHeight = height();
    const int screenWidth = ScreenWidth();
    Image2_->setGeometry(0, 0, ui::kLeftBarWidth, clientHeight);
    Image2_->setPixmap(ui::LeftBarPixmap(colours_, clientHeight));
    MenueBeenden_->move(8, 60);

    const int left = Image2_->width();
    panelContest_->setGeometry(left, kPanelTop, clientWidth - left - kRightMargin,
                               clientHeight - kPanelTop - kBottomMargin);

    if (screenWidth <= kWideScreen) {
        imglinks_->move(left, 52);
        const int panelLeft =
            imglinks_->isVisible() ? imglinks_->x() + imglinks_->width() + 10 : left;
        imgtitel_->move(panelLeft, 0);
        lworked_->move(panelLeft, imgtitel_->isVisible() ? imgtitel_->height() : 0);
        const int panelTop = lworked_->y() + lworked_->height() + 30;
        panelContest_->setGeometry(panelLeft, panelTop, clientWidth - panelLeft - kRightMargin,
                                   clientHeight - panelTop - 40);
    } else {
        imglinks_->move(100 + left, 135);
        lworked_->move(imglinks_->x(), imglinks_->y() - lworked_->height());
        const int panelLeft =
            imglinks_->isVisible() ? imglinks_->x() + imglinks_->width() + 50 : imglinks_->x();
        const int panelTop = lworked_->y() + lworked_->height() + 20;
        panelContest_->setGeometry(panelLeft, panelTop, clientWidth - panelLeft - 90,
                                   clientHeight - panelTop - 40);
        imgtitel_->move(panelLeft, 0);
    }
    ui::SetTextColour(*lworked_, Qt::yellow);
    ui::SetTextColour(*lhinweisupdate2_, Qt::yellow);
    ui::SetTextColour(*lCall_, Qt::white);

    // The notice and "Weitere Programme" stand at the foot of the left bar.
    constexpr int kBarInset = 8;
    const int barTextWidth = ui::kLeftBarWidth - 2 * kBarInset;
    btnweitere_->setFixedWidth(barTextWidth);
    btnweitere_->move(kBarInset, clientHeight - btnweitere_->sizeHint().height() - 5);
    lNotice_->setWordWrap(true);
    lNotice_->setFixedWidth(barTextWidth);
    lNotice_->setFixedHeight(lNotice_->heightForWidth(barTextWidth));
    lNotice_->move(kBarInset, btnweitere_->y() - lNotice_->height() - 10);
    PlaceUpdateHints(left);
    PlaceCallLabels(screenWidth);
    PanelUntenResize();
}

// The update hints stand bottom right, wrapped to the room beside the left
// bar, and the list ends above them: a hint under the list would show only
// its first words.
void TContestBrow::PlaceUpdateHints(int left) {
    const int right = width() - kRightMargin;
    const int room = std::max(100, right - left - 10);
    int bottom = btnweitere_->y() + btnweitere_->height();
    for (QLabel* hint : {lhinweisupdate_, lhinweisupdate2_}) {
        hint->setAlignment(Qt::AlignRight | Qt::AlignTop);
        hint->setWordWrap(false);
        hint->setMinimumSize(0, 0);
        hint->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        hint->adjustSize();
        if (hint->width() > room) {
            hint->setWordWrap(true);
            hint->setFixedSize(room, hint->heightForWidth(room));
        }
        hint->move(right - hint->width(), bottom - hint->height());
        bottom = hint->y() - 4;
    }
    QRect list = panelContest_->geometry();
    if (list.bottom() > bottom - 6) {
        list.setBottom(bottom - 6);
        panelContest_->setGeometry(list);
    }
}

void TContestBrow::PlaceCallLabels(int screenWidth) {
    const bool measuredWithPlaceholder = lCall_->text().isEmpty() && screenWidth > kWideScreen;
    if (measuredWithPlaceholder) lCall_->setText(QString::fromLatin1(kCallPlaceholder));
    lCall_->adjustSize();
    lUtils_->adjustSize();
    const int top = imgtitel_->y();
    const int titleRight = imgtitel_->x() + (imgtitel_->isVisible() ? imgtitel_->width() : 0);
    if (screenWidth > kWideScreen) {
        lUtils_->move(titleRight + 30, top);
        lCall_->move(lUtils_->x() + lUtils_->width() + 20, top);
    } else {
        const int space = width() - titleRight;
        lCall_->move(titleRight + (space - lCall_->width()) / 2, top);
        lUtils_->move(lCall_->x() - 20 - lUtils_->width(), top);
    }
    const int needed = imgtitel_->width() + lUtils_->width() + lCall_->width() + 20;
    if (imgtitel_->isVisible() && imgtitel_->x() + needed > screenWidth - 50) {
        imgtitel_->move(std::max(0, screenWidth - 50 - needed), imgtitel_->y());
        lUtils_->move(imgtitel_->x() + imgtitel_->width() + 10, top);
        lCall_->move(lUtils_->x() + lUtils_->width() + 10, top);
    }
    if (measuredWithPlaceholder) lCall_->clear();
    lUtils_->setVisible(!lCall_->text().isEmpty());
}

void TContestBrow::PanelUntenResize() {
    const int barWidth = PanelUnten_->width();
    const int top = 8;
    int right = barWidth - 8;
    for (QPushButton* button : {btnHilfeHo3_, btnendeho3_}) {
        button->adjustSize();
        right -= button->width();
        button->move(right, top);
        right -= 8;
    }
    int leftEdge = 8;
    for (QPushButton* button : {btnNeuho3_, btnAendernHo3_, btnLoeschenHo3_}) {
        button->adjustSize();
        button->move(leftEdge, top);
        leftEdge += button->width() + 8;
    }
    panelbuttonsHo4_->setGeometry(0, 0, barWidth, PanelUnten_->height());
}

bool TContestBrow::eventFilter(QObject* watched, QEvent* event) {
    auto* widget = qobject_cast<QWidget*>(watched);
    const bool ours = widget && (widget == this || isAncestorOf(widget));
    if (ours && event->type() == QEvent::KeyPress && isActiveWindow())
        return FormKeyDown(*static_cast<QKeyEvent*>(event));
    if (ours && event->type() == QEvent::MouseMove) {
        if (auto* label = qobject_cast<QLabel*>(widget); label && IsLeftBarMenu(label))
            LeftBarHover(label);
        if (widget == lNotice_) {
            QFont font = lNotice_->font();
            font.setUnderline(true);
            lNotice_->setFont(font);
        } else if (widget == Image2_) {
            LeftBarHover(nullptr);
            QFont font = lNotice_->font();
            font.setUnderline(false);
            lNotice_->setFont(font);
        }
    }
    if (widget == MenueBeenden_ && event->type() == QEvent::MouseButtonRelease) {
        MenueBeendenClick();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

bool TContestBrow::FormKeyDown(QKeyEvent& key) {
    switch (key.key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_F10:
            btnAendernHo3_->click();
            return true;
        case Qt::Key_Escape:
            if (platform::CurrentMessages().Question("Programm beenden?")) close();
            return true;
        case Qt::Key_F1:
            btnHilfeHo3Click();
            return true;
        default:
            return false;  // the focused control, the browser among them, handles it
    }
}

void TContestBrow::LeftBarHover(QLabel* hovered) {
    for (QLabel* label : findChildren<QLabel*>()) {
        if (!IsLeftBarMenu(label)) continue;
        const bool opaque = label == hovered;
        label->setAutoFillBackground(opaque);
    }
}

void TContestBrow::MenueBeendenClick() {
    close();
}

void TContestBrow::btnHilfeHo3Click() {
    ui::RequestHelp(*this);
}

void TContestBrow::btnweitereClick() {
    platform::CurrentMessages().Information(kFurtherPrograms);
}

void TContestBrow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    FormResize();
}

void TContestBrow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    FormResize();
}

void TContestBrow::closeEvent(QCloseEvent* event) {
    // Files close as soon as the window does, not when Qt gets to delete it.
    FormDestroy();
    event->accept();
}

}  // namespace mss::app
