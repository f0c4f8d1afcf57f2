#include "ui/KxBitBtn.h"

#include <gtest/gtest.h>

#include <QDialog>
#include <QEnterEvent>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <vector>

#include "common/QtApp.h"
#include "ui/KxGlyphLayout.h"
#include "ui/KxHelp.h"

namespace mss::ui {
namespace {

class KxBitBtnTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { test::QtApp(); }

    static void Enter(TkxBitBtn& button) {
        QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), button.mapToGlobal(QPointF(2, 2)));
        QApplication::sendEvent(&button, &enter);
    }
    static void Leave(TkxBitBtn& button) {
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(&button, &leave);
    }

    // Runs the dialog modally while `act` works on it; its result.
    static int RunModal(QDialog& dialog, const std::function<void()>& act) {
        QTimer::singleShot(0, &dialog, [&dialog, act] {
            if (!QTest::qWaitForWindowExposed(&dialog)) return dialog.done(-1);
            act();
            if (dialog.isVisible()) QTimer::singleShot(50, &dialog, [&dialog] { dialog.done(-2); });
        });
        return dialog.exec();
    }
};

class RecordingHelpViewer : public HelpViewer {
  public:
    void ShowHelp(int helpContext) override { shown.push_back(helpContext); }
    std::vector<int> shown;
};

TEST_F(KxBitBtnTest, NewButtonHasTheDocumentedDefaults) {
    TkxBitBtn button;
    EXPECT_EQ(button.height(), 35);
    EXPECT_EQ(button.Spacing(), 4);
    EXPECT_EQ(button.Margin(), -1);
    EXPECT_EQ(button.Layout(), blGlyphLeft);
    EXPECT_EQ(button.kxKind(), bkCustom);
    EXPECT_EQ(button.NumGlyphs(), 1);
    EXPECT_EQ(button.ModalResult(), 0);
    EXPECT_FALSE(button.Default());
    EXPECT_FALSE(button.Cancel());
    button.SetMargin(-5);
    EXPECT_EQ(button.Margin(), -1);
}

TEST_F(KxBitBtnTest, KindsSetCaptionModalResultRoleAndGlyph) {
    struct Case {
        TkxBitBtnKind kind;
        const char* caption;
        int modalResult;
        bool isDefault;
        bool isCancel;
        int glyphSize;
    };
    const Case cases[] = {
        {bkOK, "OK", 1, true, false, 24},
        {bkCancel, "Abbrechen", 2, false, true, 24},
        {bkAbort, "Abbruch", 3, false, false, 24},
        {bkRetry, "&Wiederholen", 4, false, false, 24},
        {bkIgnore, "&Ignorieren", 5, false, false, 24},
        {bkYes, "&Ja", 6, true, false, 24},
        {bkNo, "&Nein", 7, false, true, 24},
        {bkAll, "&Alles", 8, false, false, 24},
        {bkWeiter, "&Weiter", 11, false, false, 24},
        {bkZurueck, "&Zurück", 12, false, false, 24},
        {bkEdit, "&Eigenschaften", 13, false, false, 24},
        {bkUebernahme, "&Übernehmen", 14, false, false, 24},
        {bkClose, "&Schließen", 0, false, false, 24},
        {bkGNeu, "&Neu", 0, false, false, 32},
        {bkGSuche, "&erweiterte Suche", 0, false, false, 32},
        {bkGLabel, "&QSL-Label", 0, false, false, 32},
        {bkGAmpelgruen, "&QSO auflisten", 0, false, false, 32},
        {bkKSchliessen, "", 0, false, false, 15},
        {bkKEditUp, "", 0, false, false, 15},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(KindName(c.kind));
        TkxBitBtn button(c.kind);
        EXPECT_EQ(button.kxKind(), c.kind);
        EXPECT_EQ(button.text(), QString::fromUtf8(c.caption));
        EXPECT_EQ(button.ModalResult(), c.modalResult);
        EXPECT_EQ(button.Default(), c.isDefault);
        EXPECT_EQ(button.Cancel(), c.isCancel);
        EXPECT_EQ(button.NumGlyphs(), 2);
        EXPECT_EQ(button.Glyph().size(), QSize(2 * c.glyphSize, c.glyphSize));
    }
    EXPECT_EQ(KindGlyphName(bkGNeu), QStringLiteral("KXBBGNEU"));
    EXPECT_EQ(KindGlyphName(bkKSchliessen), QStringLiteral("KXBBKSCHLIESSEN"));
}

TEST_F(KxBitBtnTest, EveryKindHasADrawnGlyphSharedByItsButtons) {
    for (int k = bkOK; k < kKindCount; ++k) {
        const auto kind = static_cast<TkxBitBtnKind>(k);
        SCOPED_TRACE(KindName(kind));
        TkxBitBtn first(kind);
        TkxBitBtn second(kind);
        EXPECT_EQ(first.Glyph().cacheKey(), second.Glyph().cacheKey());
        // Both images of the strip show something, and they differ.
        const QImage strip = first.Glyph().toImage();
        const int size = strip.height();
        const QImage normal = strip.copy(0, 0, size, size);
        const QImage disabled = strip.copy(size, 0, size, size);
        int opaque = 0;
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x) opaque += qAlpha(normal.pixel(x, y)) > 128 ? 1 : 0;
        EXPECT_GT(opaque, size) << "glyph is almost empty";
        EXPECT_NE(normal, disabled);
    }
}

TEST_F(KxBitBtnTest, KindReadsCustomOnceRoleResultOrGlyphNoLongerMatch) {
    TkxBitBtn button(bkOK);
    button.SetModalResult(5);
    EXPECT_EQ(button.kxKind(), bkCustom);
    button.SetKxKind(bkOK);  // applies again, since it no longer reads as bkOK
    EXPECT_EQ(button.kxKind(), bkOK);
    EXPECT_EQ(button.ModalResult(), 1);
    button.SetDefault(false);
    EXPECT_EQ(button.kxKind(), bkCustom);
    button.SetKxKind(bkOK);
    button.SetGlyph(QPixmap(16, 16));
    EXPECT_EQ(button.kxKind(), bkCustom);

    TkxBitBtn own(bkGExport);
    own.setText(QStringLiteral("in Haupt-Log kopieren"));  // a form's own caption after the kind
    EXPECT_EQ(own.kxKind(), bkGExport);
    own.SetKxKind(bkGExport);  // the same kind again changes nothing
    EXPECT_EQ(own.text(), QStringLiteral("in Haupt-Log kopieren"));
    own.SetKxKind(bkCustom);
    EXPECT_EQ(own.kxKind(), bkCustom);
    EXPECT_EQ(own.text(), QStringLiteral("in Haupt-Log kopieren"));
}

TEST_F(KxBitBtnTest, GlyphStripWidthSetsTheNumberOfImages) {
    TkxBitBtn button;
    button.SetGlyph(QPixmap(60, 15));
    EXPECT_EQ(button.NumGlyphs(), 4);
    button.SetGlyph(QPixmap(45, 15));
    EXPECT_EQ(button.NumGlyphs(), 3);
    button.SetGlyph(QPixmap(50, 15));  // no whole ratio: unchanged
    EXPECT_EQ(button.NumGlyphs(), 3);
    button.SetGlyph(QPixmap(90, 15));  // six images: not a strip of this button
    EXPECT_EQ(button.NumGlyphs(), 3);
    button.SetNumGlyphs(9);
    EXPECT_EQ(button.NumGlyphs(), 4);
    button.SetNumGlyphs(0);
    EXPECT_EQ(button.NumGlyphs(), 1);
}

TEST_F(KxBitBtnTest, ModalResultClosesADialogWithThatResult) {
    QDialog dialog;
    auto* layout = new QHBoxLayout(&dialog);
    auto* weiter = new TkxBitBtn(bkWeiter, &dialog);
    weiter->setObjectName(QStringLiteral("btnWeiter"));
    auto* ok = new TkxBitBtn(bkOK, &dialog);
    ok->setObjectName(QStringLiteral("btnOK"));
    auto* cancel = new TkxBitBtn(bkCancel, &dialog);
    cancel->setObjectName(QStringLiteral("btnCancel"));
    auto* edit = new QLineEdit(&dialog);
    layout->addWidget(edit);
    layout->addWidget(weiter);
    layout->addWidget(ok);
    layout->addWidget(cancel);
    QSignalSpy clicks(weiter, &TkxBitBtn::OnClick);

    EXPECT_EQ(RunModal(dialog,
                       [&] {
                           QTest::mouseClick(
                               dialog.findChild<TkxBitBtn*>(QStringLiteral("btnWeiter")),
                               Qt::LeftButton);
                       }),
              11);
    EXPECT_EQ(clicks.count(), 1);
    // Enter goes to the focused button, as everywhere, else to the default one.
    EXPECT_EQ(RunModal(dialog,
                       [&] {
                           edit->setFocus();
                           QTest::keyClick(edit, Qt::Key_Return);
                       }),
              1);
    EXPECT_EQ(RunModal(dialog, [&] { QTest::keyClick(&dialog, Qt::Key_Escape); }), 2);
    EXPECT_EQ(RunModal(dialog,
                       [&] {
                           cancel->setFocus();
                           QTest::keyClick(cancel, Qt::Key_Space);
                       }),
              2);
}

TEST_F(KxBitBtnTest, ButtonsWithoutAModalResultOnlyRaiseTheirClick) {
    QDialog dialog;
    auto* close = new TkxBitBtn(bkGClose, &dialog);
    QSignalSpy clicks(close, &TkxBitBtn::OnClick);
    EXPECT_EQ(RunModal(dialog, [&] { QTest::mouseClick(close, Qt::LeftButton); }), -2)
        << "the dialog stayed open until the test closed it";
    EXPECT_EQ(clicks.count(), 1);
}

TEST_F(KxBitBtnTest, CloseKindClosesItsFormInsteadOfClicking) {
    QWidget form;
    auto* close = new TkxBitBtn(bkClose, &form);
    QSignalSpy clicks(close, &TkxBitBtn::OnClick);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    QTest::mouseClick(close, Qt::LeftButton);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(clicks.count(), 0);

    TkxBitBtn alone(bkClose);  // no form to close: a plain click
    QSignalSpy aloneClicks(&alone, &TkxBitBtn::OnClick);
    alone.Click();
    EXPECT_EQ(aloneClicks.count(), 1);
}

TEST_F(KxBitBtnTest, HelpKindShowsTheNearestHelpContext) {
    RecordingHelpViewer viewer;
    ScopedHelpViewer installed(viewer);
    QWidget form;
    QWidget panel(&form);
    TkxBitBtn help(bkHelp, &panel);
    QSignalSpy clicks(&help, &TkxBitBtn::OnClick);

    help.Click();  // no context anywhere: a plain click
    EXPECT_TRUE(viewer.shown.empty());
    EXPECT_EQ(clicks.count(), 1);

    SetHelpContext(form, 120);
    help.Click();
    SetHelpContext(panel, 7);
    help.Click();
    EXPECT_EQ(viewer.shown, (std::vector<int>{120, 7}));
    EXPECT_EQ(clicks.count(), 1);
}

TEST_F(KxBitBtnTest, MenuWithoutAHandlerDropsOnEveryClick) {
    QWidget form;
    auto* button = new TkxBitBtn(&form);
    button->setText(QStringLiteral("Ausgabe"));
    button->setGeometry(10, 10, 100, 35);
    QMenu menu;
    menu.addAction(QStringLiteral("Drucken"));
    button->SetKxMenue(&menu);
    QSignalSpy clicks(button, &QAbstractButton::clicked);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));

    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(10, 10));
    QTRY_VERIFY(menu.isVisible());
    EXPECT_EQ(menu.pos(), button->mapToGlobal(QPoint(0, button->height())));
    menu.hide();
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(clicks.count(), 0) << "the menu replaces the click";

    button->setFocus();
    QTest::keyClick(button, Qt::Key_Space);
    QTRY_VERIFY(menu.isVisible());
    menu.hide();
}

TEST_F(KxBitBtnTest, SplitButtonDropsTheMenuOnlyFromItsArrowPart) {
    QWidget form;
    auto* button = new TkxBitBtn(&form);
    button->setGeometry(10, 10, 100, 35);
    QMenu menu;
    menu.addAction(QStringLiteral("Cabrillo"));
    button->SetKxMenue(&menu);
    QSignalSpy clicks(button, &TkxBitBtn::OnClick);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));

    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(20, 17));
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_FALSE(menu.isVisible());

    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(95, 17));
    QTRY_VERIFY(menu.isVisible());
    menu.hide();
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(95, 17));
    EXPECT_EQ(clicks.count(), 1);
}

TEST_F(KxBitBtnTest, DoubleClickCountsAsASecondPress) {
    TkxBitBtn button;
    button.resize(80, 35);
    QSignalSpy clicks(&button, &TkxBitBtn::OnClick);
    // What the window system sends: press, release, double click, release.
    QTest::mouseClick(&button, Qt::LeftButton);
    QTest::mouseDClick(&button, Qt::LeftButton);
    QTest::mouseRelease(&button, Qt::LeftButton);
    EXPECT_EQ(clicks.count(), 2);
}

TEST_F(KxBitBtnTest, MouseEnterAndLeaveAreRaisedOnlyForAnEnabledButton) {
    TkxBitBtn button;
    QSignalSpy entered(&button, &TkxBitBtn::OnMouseEnter);
    QSignalSpy left(&button, &TkxBitBtn::OnMouseLeave);
    Enter(button);
    Leave(button);
    EXPECT_EQ(entered.count(), 1);
    EXPECT_EQ(left.count(), 1);
    button.setEnabled(false);
    Enter(button);
    Leave(button);
    EXPECT_EQ(entered.count(), 1);
    EXPECT_EQ(left.count(), 1);
}

TEST_F(KxBitBtnTest, FaceIsFlatUntilTheMouseComesAndSunkenWhilePressed) {
    QWidget form;
    form.setAutoFillBackground(true);
    QPalette palette = form.palette();
    palette.setColor(QPalette::Window, QColor(0, 128, 128));
    form.setPalette(palette);
    auto* button = new TkxBitBtn(&form);
    button->setText(QStringLiteral("Liste"));
    button->setGeometry(0, 0, 80, 35);
    const QRgb light = button->palette().color(QPalette::Light).rgb();
    const QRgb shadow = button->palette().color(QPalette::Mid).rgb();
    const QRgb teal = QColor(0, 128, 128).rgb();
    auto corner = [button] { return button->grab().toImage().pixel(0, 0); };

    EXPECT_EQ(corner(), teal);
    Enter(*button);
    EXPECT_EQ(corner(), light);
    button->setDown(true);
    EXPECT_EQ(corner(), shadow);
    Leave(*button);
    button->setDown(false);
    EXPECT_EQ(corner(), light) << "raised once after a press";
    EXPECT_EQ(corner(), teal);

    button->SetKxnichtTransparent(true);
    EXPECT_EQ(corner(), button->palette().color(QPalette::Button).rgb());
    button->SetKxFlatround(true);
    EXPECT_EQ(button->grab().toImage().pixel(6, 17), qRgb(255, 223, 170));
}

// Rows of the image that hold dark (text) pixels, counted as separate runs.
int TextLineCount(const QImage& image) {
    int runs = 0;
    bool inRun = false;
    for (int y = 0; y < image.height(); ++y) {
        bool dark = false;
        for (int x = 0; x < image.width() && !dark; ++x) dark = qGray(image.pixel(x, y)) < 100;
        if (dark && !inRun) ++runs;
        inRun = dark;
    }
    return runs;
}

TEST_F(KxBitBtnTest, BarInTheCaptionBreaksTheLine) {
    TkxBitBtn button;
    button.resize(160, 50);
    // Without "&": the access key's underline would count as a line.
    button.setText(QStringLiteral("Zusatz-|funktionen"));
    EXPECT_EQ(TextLineCount(button.grab().toImage()), 2);
    button.setText(QStringLiteral("Zusatzfunktionen"));
    EXPECT_EQ(TextLineCount(button.grab().toImage()), 1);
}

TEST_F(KxBitBtnTest, AutoWidthAddsTheCaptionBlockWidth) {
    QWidget form;
    QFont large = form.font();
    large.setPixelSize(24);
    form.setFont(large);
    auto* button = new TkxBitBtn(&form);
    QFont small = large;
    small.setPixelSize(10);
    button->setFont(small);
    button->setText(QStringLiteral("&Zusatz-|funktionen"));

    // Before the first repaint: the caption in the form's font.
    button->SetKxautoWidth(20);
    EXPECT_EQ(button->width(),
              20 + QFontMetrics(large).horizontalAdvance(QStringLiteral("funktionen")));
    EXPECT_EQ(button->sizeHint().width(), button->width());

    // After it: the block as drawn, in the button's own font, widest line.
    button->grab();
    button->SetKxautoWidth(20);
    const int drawn = QFontMetrics(small).horizontalAdvance(QStringLiteral("funktionen"));
    EXPECT_NEAR(button->width(), 20 + drawn, 2);

    const int before = button->width();
    button->SetKxautoWidth(0);
    button->SetKxautoWidth(-3);
    EXPECT_EQ(button->width(), before);
}

TEST_F(KxBitBtnTest, GlyphAndCaptionArePlacedByLayoutMarginAndSpacing) {
    const QRect client(0, 0, 100, 40);
    const QSize glyph(24, 24);
    const QSize caption(40, 14);
    GlyphPlacement at = PlaceGlyphAndCaption(client, glyph, caption, blGlyphLeft, -1, 4);
    EXPECT_EQ(at.glyph, QPoint(16, 8));  // (100 - 24 - 4 - 40) / 2
    EXPECT_EQ(at.text, QPoint(44, 13));
    at = PlaceGlyphAndCaption(client, glyph, caption, blGlyphRight, 5, 4);
    EXPECT_EQ(at.glyph, QPoint(71, 8));
    EXPECT_EQ(at.text, QPoint(27, 13));
    at = PlaceGlyphAndCaption(client, glyph, caption, blGlyphLeft, -1, -1);
    EXPECT_EQ(at.glyph, QPoint(12, 8));  // three gaps of (100 - 64) / 3
    EXPECT_EQ(at.text, QPoint(48, 13));
    at = PlaceGlyphAndCaption(QRect(0, 0, 80, 70), glyph, caption, blGlyphTop, -1, 4);
    EXPECT_EQ(at.glyph, QPoint(28, 14));  // (70 - 24 - 4 - 14) / 2
    EXPECT_EQ(at.text, QPoint(20, 42));
    at = PlaceGlyphAndCaption(client, QSize(), caption, blGlyphLeft, -1, 4);
    EXPECT_EQ(at.text, QPoint(30, 13));  // no glyph: no spacing either
}

}  // namespace
}  // namespace mss::ui
