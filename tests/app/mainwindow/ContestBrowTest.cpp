#include "app/mainwindow/ContestBrow.h"

#include <gtest/gtest.h>

#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <string>
#include <vector>

#include "common/QtApp.h"
#include "common/TempDir.h"
#include "platform/Messages.h"
#include "radio/ProgramValues.h"

namespace mss::app {
namespace {

// Records the stages in the order the window runs them.
class RecordingLoading : public StartupLoading {
  public:
    explicit RecordingLoading(std::vector<std::string>& log, bool settingsLoad = true,
                              bool storeOpens = true)
        : log_(log), settingsLoad_(settingsLoad), storeOpens_(storeOpens) {}
    bool LoadSettings(TContestBrow&) override {
        log_.push_back("settings");
        radio::Program().OwnCall = loadedCall;
        return settingsLoad_;
    }
    bool OpenContestStore(TContestBrow&) override {
        log_.push_back("store");
        return storeOpens_;
    }
    void ListEntries(TContestBrow& window) override {
        log_.push_back(std::string("list:") + window.ContestCode());
    }
    void FirstStart(TContestBrow&) override { log_.push_back("first"); }
    void CloseDown(TContestBrow&) override {
        log_.push_back("close:" + std::to_string(radio::Program().LanguageGerman));
    }
    std::string loadedCall;

  private:
    std::vector<std::string>& log_;
    bool settingsLoad_;
    bool storeOpens_;
};

class ContestBrowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        test::QtApp();
        radio::ResetProgramValues();
        cwd_ = std::make_unique<test::ScopedCurrentDir>(dir_.path());
    }
    void TearDown() override { radio::ResetProgramValues(); }

    std::unique_ptr<TContestBrow> Open(const std::string& call = "") {
        auto loading = std::make_unique<RecordingLoading>(log_);
        loading->loadedCall = call;
        auto window = std::make_unique<TContestBrow>(std::move(loading));
        window->resize(1000, 700);
        window->show();
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
        return window;
    }

    template <class W>
    W* Child(TContestBrow& window, const char* name) {
        return window.findChild<W*>(QString::fromLatin1(name));
    }

    test::TempDir dir_;
    std::unique_ptr<test::ScopedCurrentDir> cwd_;
    std::vector<std::string> log_;
    platform::ScriptedMessages messages_;
    platform::ScopedMessages install_{messages_};
};

TEST_F(ContestBrowTest, StartsFixedToTheSprintWithItsCaptionAndTitle) {
    auto window = Open();
    EXPECT_EQ(window->ContestCode(), 'j');
    EXPECT_EQ(
        window->windowTitle(),
        QStringLiteral("Brevant Tarvolt MSSPRINT Version 2012-1.0 MMMonVHF MS SPRINT CONTEST"));
    auto* title = Child<QLabel>(*window, "lworked");
    ASSERT_NE(title, nullptr);
    EXPECT_TRUE(title->isVisible());
    EXPECT_EQ(title->text(), QStringLiteral("\"MMMonVHF MS SPRINT CONTEST\""));
    EXPECT_EQ(title->font().pointSize(), 12);
    EXPECT_EQ(window->ContestDefinition().ContestName, "MSSprint-Contest");
}

TEST_F(ContestBrowTest, RunsTheLoadingStagesInOrderAndClosesDownOnceInGerman) {
    {
        auto window = Open();
        radio::Program().LanguageGerman = 0;
        window->close();
    }
    EXPECT_EQ(log_, (std::vector<std::string>{"settings", "store", "list:j", "first", "close:1"}));
}

// Settings or a contest store that cannot be opened end the start: no list,
// no first entry, and close-down still lets go of what was opened.
TEST_F(ContestBrowTest, AFailedSettingsOrStoreStageStopsTheStartUp) {
    const struct {
        bool settingsLoad, storeOpens;
        std::vector<std::string> stages;
    } kCases[] = {
        {false, true, {"settings", "close:1"}},
        {true, false, {"settings", "store", "close:1"}},
    };
    for (const auto& c : kCases) {
        log_.clear();
        {
            auto window = std::make_unique<TContestBrow>(
                std::make_unique<RecordingLoading>(log_, c.settingsLoad, c.storeOpens));
            EXPECT_FALSE(window->StartedUp());
        }
        EXPECT_EQ(log_, c.stages);
    }
}

TEST_F(ContestBrowTest, EscapeAnsweredNoKeepsTheWindowOpenAndYesClosesIt) {
    auto window = Open();
    messages_.SetNextAnswers({false});
    QTest::keyClick(window.get(), Qt::Key_Escape);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(messages_.LastText(), "Programm beenden?");

    messages_.SetNextAnswers({true});
    QTest::keyClick(window.get(), Qt::Key_Escape);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(ContestBrowTest, EnterAndF10ClickStartenFromAnyFocusedControl) {
    auto window = Open();
    QSignalSpy started(window.get(), &TContestBrow::StartRequested);
    auto* neu = Child<QPushButton>(*window, "btnNeuho3");
    neu->setFocus();
    QTest::keyClick(neu, Qt::Key_Return);
    QTest::keyClick(window.get(), Qt::Key_F10);
    EXPECT_EQ(started.count(), 2);
}

TEST_F(ContestBrowTest, ButtonBarShowsTheListButtonsAndKeepsHelpAtTheRight) {
    auto window = Open();
    auto* help = Child<QPushButton>(*window, "btnHilfeHo3");
    auto* close = Child<QPushButton>(*window, "btnendeho3");
    auto* bar = Child<QFrame>(*window, "PanelUnten");
    EXPECT_EQ(Child<QPushButton>(*window, "btnAendernHo3")->text(), QStringLiteral("Starten"));
    EXPECT_EQ(close->text(), QStringLiteral("Schließen"));
    EXPECT_GT(help->x(), close->x());
    EXPECT_LE(help->x() + help->width(), bar->width());
    EXPECT_FALSE(Child<QFrame>(*window, "panelbuttonsHo4")->isVisible());
}

TEST_F(ContestBrowTest, WithoutCallTheForLabelIsHidden) {
    auto window = Open();
    EXPECT_TRUE(Child<QLabel>(*window, "lCall")->text().isEmpty());
    EXPECT_FALSE(Child<QLabel>(*window, "lUtils")->isVisible());
}

TEST_F(ContestBrowTest, TheOperatorsCallIsShownWithTheForLabel) {
    auto window = Open("DL1ABC");
    EXPECT_EQ(Child<QLabel>(*window, "lCall")->text(), QStringLiteral("DL1ABC"));
    auto* utils = Child<QLabel>(*window, "lUtils");
    EXPECT_TRUE(utils->isVisible());
    EXPECT_EQ(utils->text(), QStringLiteral("für"));
    EXPECT_EQ(Child<QLabel>(*window, "MenueBeenden")->text(), QStringLiteral("    Beenden"));
}

TEST_F(ContestBrowTest, MissingPicturesStayHiddenAndPresentOnesAreShown) {
    {
        auto window = Open();
        EXPECT_FALSE(Child<QLabel>(*window, "imgtitel")->isVisible());
        EXPECT_FALSE(Child<QLabel>(*window, "imglinks")->isVisible());
    }
    QImage picture(120, 40, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    ASSERT_TRUE(picture.save(QStringLiteral("titel_tarvoltmssprint.bmp")));
    ASSERT_TRUE(picture.save(QStringLiteral("tarvoltmssprint.bmp")));
    auto window = Open();
    EXPECT_TRUE(Child<QLabel>(*window, "imgtitel")->isVisible());
    EXPECT_TRUE(Child<QLabel>(*window, "imglinks")->isVisible());
    EXPECT_EQ(Child<QLabel>(*window, "imgtitel")->size(), QSize(120, 40));
}

TEST_F(ContestBrowTest, ClickingBeendenInTheLeftBarClosesTheWindow) {
    auto window = Open();
    QTest::mouseClick(Child<QLabel>(*window, "MenueBeenden"), Qt::LeftButton);
    EXPECT_FALSE(window->isVisible());
}

// The update advice is read whole at every window size: inside the window,
// wrapped where the room is short, and never under the list.
TEST_F(ContestBrowTest, TheUpdateAdviceShowsWhole) {
    auto window = Open("DL1ABC");
    for (const QSize size : {QSize(1000, 700), QSize(640, 480), QSize(1600, 900)}) {
        SCOPED_TRACE(size.width());
        window->resize(size);
        QTest::qWait(20);
        const QRect list = Child<QFrame>(*window, "panelContest")->geometry();
        for (const char* name : {"lhinweisupdate", "lhinweisupdate2"}) {
            auto* hint = Child<QLabel>(*window, name);
            const QRect place = hint->geometry();
            EXPECT_TRUE(hint->isVisible()) << name;
            EXPECT_TRUE(window->rect().contains(place)) << name;
            EXPECT_FALSE(place.intersects(list)) << name;
            const bool oneLine =
                hint->fontMetrics().horizontalAdvance(hint->text()) <= hint->contentsRect().width();
            EXPECT_TRUE(oneLine || hint->wordWrap()) << name;
            EXPECT_GE(place.height(), hint->heightForWidth(place.width())) << name;
        }
        EXPECT_GT(list.height(), size.height() / 3);
    }
    window->resize(1000, 700);
    QTest::qWait(20);
    const QString out = QString::fromLocal8Bit(qgetenv("MSS_SCREENSHOT_DIR"));
    if (!out.isEmpty())
        window->grab().toImage().save(out + QStringLiteral("/main-window-update-advice.png"));
}

TEST_F(ContestBrowTest, ScreenshotLooksLikeTheProgram) {
    auto window = Open("DL1ABC");
    const QImage shot = window->grab().toImage();
    ASSERT_FALSE(shot.isNull());
    // The left bar carries the band colour, the form the form colour.
    EXPECT_EQ(shot.pixelColor(80, shot.height() / 2), QColor(0, 255, 0));
    EXPECT_EQ(shot.pixelColor(5, shot.height() / 2), QColor(255, 255, 255));
    const QString out = QString::fromLocal8Bit(qgetenv("MSS_SCREENSHOT_DIR"));
    if (!out.isEmpty()) shot.save(out + QStringLiteral("/main-window.png"));
}

}  // namespace
}  // namespace mss::app
