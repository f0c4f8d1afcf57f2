// The program end to end over a fresh directory: the first start leads into
// a new entry, the contest runs and is evaluated, the list keeps the entry
// across starts and deleting removes everything that belonged to it.
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTest>
#include <filesystem>
#include <fstream>

#include "app/AppTestSupport.h"
#include "app/logform/ContestLogStd.h"
#include "app/logform/LogEntryPanel.h"
#include "app/logform/LogFormPlacement.h"
#include "app/mainwindow/ContestBrow.h"
#include "app/mainwindow/ListHooks.h"
#include "app/mainwindow/WindowPlacement.h"
#include "app/startup/StoreStartupLoading.h"
#include "contest/EntryLifecycle.h"
#include "contest/StationFile.h"
#include "log/ContestLog.h"
#include "log/LogKeys.h"
#include "log/Renumber.h"
#include "platform/Clock.h"
#include "radio/Locator.h"
#include "store/KeyCodec.h"
#include "store/RebuildFiles.h"
#include "ui/KxBitBtn.h"
#include "ui/KxEdit.h"

namespace mss::app {
namespace {

namespace fs = std::filesystem;

const std::string kSampleCountryFile = std::string(MSS_TEST_DATA) + "/cty-sample.dat";

class ContestListTest : public test::AppTest {
  protected:
    std::unique_ptr<TContestBrow> Start() {
        auto window = std::make_unique<TContestBrow>(
            std::make_unique<StoreStartupLoading>(kSampleCountryFile));
        ContestBrowHooks hooks;
        hooks.runLog = [this](TContestBrow&, std::int32_t number,
                              const contest::ContestDefinition& definition) {
            RunLog(number, definition);
            return true;
        };
        window->SetHooks(hooks);
        window->resize(1000, 700);
        window->show();
        return window;
    }

    // Stands in for the log form: logs two contacts into the entry's log and
    // leaves the totals in the shared extra record, as the log does.
    void RunLog(std::int32_t number, const contest::ContestDefinition& definition) {
        loggedFor_ = number;
        EXPECT_EQ(definition.ContestName, "MSSprint-Contest");
        ASSERT_TRUE(log::OpenContestLog(number));
        for (const char* call : {"OH5AA", "SM7XY"}) {
            log::QsoRecord contact;
            contact.SetCall(call);
            contact.SetLocator("KP20LE");
            contact.SetPunkte(900);
            EXPECT_EQ(log::AddContact(*log::OpenLog(), contact), 0);
        }
        log::CloseContestLog();
        contest::ContestExtra extra = contest::SelectedExtra();
        extra.SetQsoCount(1, 2);
        extra.SetPointSum(1, 1800);
        contest::SetSelectedExtra(extra);
        test::WhenModal<TEingContestStd>([this](TEingContestStd& after) {
            evaluation_ = Text(after, "lQSOtotal") + " / " + Text(after, "lpunktegesamt");
            startShown_ = after.findChild<QWidget*>("btnstart")->isVisible();
            QTest::mouseClick(after.findChild<QWidget*>("btnOK"), Qt::LeftButton);
        });
    }

    static QString Text(QWidget& dialog, const char* label) {
        return dialog.findChild<QLabel*>(QString::fromLatin1(label))->text();
    }

    static void Type(QWidget& dialog, const char* field, const QString& text) {
        test::TypeInto(dialog, field, text);
    }
    static void Click(QWidget& dialog, const char* name) { test::ClickOn(dialog, name); }

    // The operator fills in a new entry and presses "Contest starten".
    static void FillInAndStart(TEingContestStd& dialog) {
        Type(dialog, "eName", QStringLiteral("Sprint Sommer"));
        Type(dialog, "eCall", QStringLiteral("DL1ABC"));
        Type(dialog, "ePLZ", QStringLiteral("01234"));
        Type(dialog, "eOrt", QStringLiteral("Dresden"));
        auto* memo = dialog.findChild<QPlainTextEdit*>("memogroupzusatz3");
        memo->setFocus();
        QTest::keyClicks(memo, QStringLiteral("IC-9700"));
        Click(dialog, "rZeitUTC");
        Click(dialog, "eteilnahmeart1");
        Click(dialog, "btnstart");
    }

    std::vector<QStringList> Rows(TContestBrow& window) { return test::ListRows(window.Brow()); }

    bool LogFilesExist(std::int32_t number) const {
        for (const auto& file : fs::directory_iterator(dir_.path()))
            if (file.path().filename().string().starts_with(log::LogFileName(number))) return true;
        return false;
    }

    std::int32_t loggedFor_ = 0;
    QString evaluation_;
    bool startShown_ = true;
};

// Made in March, the entry proposes this year's sprint, not the catalogue's.
TEST_F(ContestListTest, AFirstStartLeadsIntoANewEntryThatRunsAndIsEvaluated) {
    platform::FakeClock clock({2026, 3, 1, 9, 0, 0});
    platform::ScopedClock installClock(clock);
    bool created = false;
    test::WhenModal<TEingContestStd>([&](TEingContestStd& dialog) {
        EXPECT_TRUE(dialog.IsNewEntry());
        FillInAndStart(dialog);
        created = true;
    });
    auto window = Start();
    QTRY_VERIFY_WITH_TIMEOUT(created && !evaluation_.isEmpty(), 10000);
    QTRY_VERIFY(QApplication::activeModalWidget() == nullptr);
    EXPECT_EQ(loggedFor_, 1);
    EXPECT_EQ(evaluation_, QStringLiteral("2 QSO / 1800 Pkt."));
    EXPECT_FALSE(startShown_);
    // The version advice came first; nothing else needed telling.
    ASSERT_EQ(messages_.shown().size(), 1u) << messages_.LastText();
    EXPECT_EQ(messages_.shown()[0].text.rfind("Bitte pr\xFC"
                                              "fen Sie vor dem Contest",
                                              0),
              0u);

    const auto rows = Rows(*window);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].value(0), QStringLiteral(" Sprint Sommer "));
    EXPECT_EQ(rows[0].value(1), QStringLiteral("12.08.2026   "));
    EXPECT_EQ(window->findChild<QLabel*>("lCall")->text(), QStringLiteral("DL1ABC"));
    // The totals the log left were written back over the entry's extra record.
    EXPECT_EQ(contest::ExtraFile()->Find(1, store::IntToKey(1)), 0);
    EXPECT_EQ(contest::SelectedExtra().PointSum(1), 1800);
    EXPECT_TRUE(LogFilesExist(1));
}

TEST_F(ContestListTest, ASecondStartListsTheEntryAndDeletingTakesEverythingWithIt) {
    test::WhenModal<TEingContestStd>(FillInAndStart);
    {
        auto window = Start();
        QTRY_VERIFY_WITH_TIMEOUT(!evaluation_.isEmpty(), 10000);
        QTRY_VERIFY(QApplication::activeModalWidget() == nullptr);
        window->close();
    }
    auto window = Start();
    QTest::qWait(100);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    ASSERT_EQ(Rows(*window).size(), 1u);
    ASSERT_TRUE(fs::exists(contest::StationFileName(RunDir(), 1)));

    messages_.Clear();
    messages_.SetNextAnswers({false});
    QTest::mouseClick(window->findChild<QPushButton*>("btnLoeschenHo3"), Qt::LeftButton);
    EXPECT_EQ(messages_.LastText(), "Eintrag Sprint Sommer l\xF6schen?");
    EXPECT_EQ(Rows(*window).size(), 1u);

    messages_.SetNextAnswers({true});
    QTest::mouseClick(window->findChild<QPushButton*>("btnLoeschenHo3"), Qt::LeftButton);
    EXPECT_TRUE(Rows(*window).empty());
    EXPECT_EQ(contest::ContestFile()->RecordCount(), 0);
    EXPECT_EQ(contest::ExtraFile()->RecordCount(), 0);
    EXPECT_FALSE(LogFilesExist(1));
    EXPECT_FALSE(fs::exists(contest::StationFileName(RunDir(), 1)));

    // The next entry gets number 1 again and an empty log.
    test::WhenModal<TEingContestStd>([](TEingContestStd& dialog) {
        Type(dialog, "eName", QStringLiteral("Neu"));
        Click(dialog, "eteilnahmeart2");
        Click(dialog, "btnAbbruch");
    });
    QTest::mouseClick(window->findChild<QPushButton*>("btnNeuho3"), Qt::LeftButton);
    ASSERT_EQ(Rows(*window).size(), 1u);
    EXPECT_EQ(contest::SelectedEntry().Number(), 1);
    EXPECT_FALSE(LogFilesExist(1));
}

TEST_F(ContestListTest, NeuCancelledLeavesTheListAndStartenOpensTheSelectedEntry) {
    test::WhenModal<TEingContestStd>(FillInAndStart);
    auto window = Start();
    QTRY_VERIFY_WITH_TIMEOUT(!evaluation_.isEmpty(), 10000);
    QTRY_VERIFY(QApplication::activeModalWidget() == nullptr);

    test::WhenModal<TEingContestStd>([](TEingContestStd& dialog) { Click(dialog, "btnAbbruch"); });
    QTest::mouseClick(window->findChild<QPushButton*>("btnNeuho3"), Qt::LeftButton);
    EXPECT_EQ(Rows(*window).size(), 1u);
    EXPECT_EQ(contest::ContestFile()->RecordCount(), 1);

    // Enter on the list starts the selected entry: its setup dialog comes first.
    QString shown;
    test::WhenModal<TEingContestStd>([&](TEingContestStd& dialog) {
        shown = dialog.findChild<ui::TkxEdit*>("eName")->text();
        EXPECT_FALSE(dialog.IsNewEntry());
        Click(dialog, "btnAbbruch");
    });
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    window->Brow().setFocus();
    QTest::keyClick(&window->Brow(), Qt::Key_Return);
    EXPECT_EQ(shown, QStringLiteral("Sprint Sommer"));
    EXPECT_EQ(loggedFor_, 1);  // only the first run
}

TEST_F(ContestListTest, TheMainWindowWithEntriesLooksLikeTheProgram) {
    test::WhenModal<TEingContestStd>(FillInAndStart);
    auto window = Start();
    QTRY_VERIFY_WITH_TIMEOUT(!evaluation_.isEmpty(), 10000);
    QTRY_VERIFY(QApplication::activeModalWidget() == nullptr);
    for (const char* name : {"Sprint Winter", "Sprint 2025", "Sprint Herbst"}) {
        contest::ContestEntry entry = contest::SelectedEntry();
        contest::ContestExtra extra;
        entry.SetName(name);
        entry.SetStartDate(entry.StartDate() + 100);
        ASSERT_EQ(contest::StoreEntry(true, entry, extra), 0);
    }
    window->Brow().Refresh();
    window->Brow().FirstPage();
    const auto rows = Rows(*window);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0].value(0), QStringLiteral(" Sprint 2025 "));
    EXPECT_EQ(rows[3].value(0), QStringLiteral(" Sprint Winter "));
    const QString out = QString::fromLocal8Bit(qgetenv("MSS_SCREENSHOT_DIR"));
    if (!out.isEmpty())
        window->grab().toImage().save(out + QStringLiteral("/main-window-entries.png"));
}

TEST_F(ContestListTest, StartenRunsTheLogFormOverTheEntryAndEvaluatesItsContacts) {
    platform::FakeClock clock({2012, 8, 12, 14, 0, 0});
    platform::ScopedClock installClock(clock);
    test::WhenModal<TEingContestStd>(FillInAndStart);
    int logged = 0;
    QRect formPlace;
    test::WhenModal<TContestLogStd>([&](TContestLogStd& form) {
        formPlace = form.geometry();
        QApplication::setActiveWindow(&form);
        form.ClockTick();
        for (auto [call, locator] : {std::pair{"oh5aa", "kp20le"}, std::pair{"sm7xy", "jo65ma"}}) {
            QTest::keyClicks(form.Panel().eCall, QString::fromLatin1(call));
            QTest::keyClick(form.Panel().eCall, Qt::Key_Return);
            QTest::keyClicks(form.Panel().eRSTr[1], QString::fromLatin1(locator));
            QTest::keyClick(form.Panel().eRSTr[1], Qt::Key_Return);
        }
        logged = form.Session().totals.contacts['k'];
        test::WhenModal<TEingContestStd>([this](TEingContestStd& after) {
            evaluation_ = Text(after, "lQSOtotal") + " / " + Text(after, "lpunktegesamt");
            Click(after, "btnOK");
        });
        form.close();
    });
    auto window =
        std::make_unique<TContestBrow>(std::make_unique<StoreStartupLoading>(kSampleCountryFile));
    window->SetHooks(DefaultListHooks());
    window->setGeometry(20, 30, 1000, 700);
    window->show();
    QTRY_VERIFY_WITH_TIMEOUT(!evaluation_.isEmpty(), 15000);
    QTRY_VERIFY(QApplication::activeModalWidget() == nullptr);
    EXPECT_EQ(logged, 2);
    EXPECT_EQ(formPlace, window->geometry());
    const int points = radio::QrbKm("JO62MM", "KP20LE") + radio::QrbKm("JO62MM", "JO65MA");
    EXPECT_EQ(evaluation_, QStringLiteral("2 QSO / %1 Pkt.").arg(points));
    EXPECT_EQ(contest::SelectedExtra().QsoCount(1), 2);
}

// A log left half renumbered whose new files another program holds: the
// operator is told, and the list takes over again without an evaluation
// of a contest that never ran and without writing the entry back.
TEST_F(ContestListTest, ALogThatCannotBeOpenedLeadsBackToTheList) {
    {
        store::RecordStoreSettings settings;
        settings.runDir = RunDir();
        ASSERT_TRUE(store::InitRecordStore(settings));
        ASSERT_TRUE(log::OpenContestLog(1));
        log::CloseContestLog();
        store::ExitRecordStore();
    }
    const std::string leftOver =
        store::RebuildNames(RunDir() + log::RenumberedLogName(log::LogFileName(1))).data;
    std::ofstream(leftOver) << "renumbered in part";
    const int held = ::open(leftOver.c_str(), O_RDWR);
    ASSERT_GE(held, 0);
    ASSERT_EQ(::flock(held, LOCK_EX | LOCK_NB), 0);
    int setups = 0;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&setups] {
        auto* dialog = qobject_cast<TEingContestStd*>(QApplication::activeModalWidget());
        if (dialog == nullptr || dialog->property("seen").toBool()) return;
        dialog->setProperty("seen", true);
        if (++setups == 1) return FillInAndStart(*dialog);
        Click(*dialog, "btnOK");  // an evaluation that should not have come
    });
    watch.start(10);
    auto window =
        std::make_unique<TContestBrow>(std::make_unique<StoreStartupLoading>(kSampleCountryFile));
    window->SetHooks(DefaultListHooks());
    window->show();
    const std::string refused =
        "Das Contest-Logbuch kann nicht ge\xF6"
        "ffnet werden.";
    QTRY_VERIFY_WITH_TIMEOUT(messages_.LastText() == refused, 15000);
    QTest::qWait(200);
    QTRY_VERIFY(QApplication::activeModalWidget() == nullptr);
    ::close(held);
    EXPECT_EQ(setups, 1);
    EXPECT_EQ(Rows(*window).size(), 1u);
}

TEST(WindowPlacementTest, TheFirstWindowIsUsableAndAStoredStripIsNotRestored) {
    mss::test::QtApp();
    const std::pair<QRect, QSize> screens[] = {
        {QRect(0, 0, 1920, 1080), QSize(1000, 700)},
        {QRect(0, 0, 800, 600), QSize(800, 600)},
        {QRect(0, 24, 1280, 676), QSize(1000, 676)},
    };
    for (const auto& [screen, size] : screens) EXPECT_EQ(FirstWindowSize(screen), size);

    mss::test::TempDir dir;
    QSettings settings(QString::fromStdString(dir.RunDir() + "placement.ini"),
                       QSettings::IniFormat);
    QWidget window;
    RestoreWindowPlacement(window, settings);
    const QSize first = window.size();
    EXPECT_GE(first.width(), std::min(1000, window.screen()->availableGeometry().width()));
    EXPECT_GE(first.height(), std::min(700, window.screen()->availableGeometry().height()));

    QWidget strip;
    strip.setGeometry(10, 10, 714, 30);
    SaveWindowPlacement(strip, settings);
    QWidget again;
    RestoreWindowPlacement(again, settings);
    EXPECT_EQ(again.size(), first);

    QWidget placed;
    placed.setGeometry(40, 50, 900, 640);
    SaveWindowPlacement(placed, settings);
    QWidget restored;
    RestoreWindowPlacement(restored, settings);
    EXPECT_EQ(restored.size(), QSize(900, 640));
}

TEST(LogFormPlacementTest, TheLogFormOpensOverTheMainWindowOrMaximised) {
    mss::test::QtApp();
    QWidget main;
    main.setGeometry(30, 40, 900, 650);
    QWidget form;
    PlaceOverMainWindow(form, main);
    EXPECT_EQ(form.geometry(), main.geometry());
    EXPECT_FALSE(form.isMaximized());
    main.setWindowState(Qt::WindowMaximized);
    QWidget maximised;
    PlaceOverMainWindow(maximised, main);
    EXPECT_TRUE(maximised.windowState() & Qt::WindowMaximized);
}

}  // namespace
}  // namespace mss::app
