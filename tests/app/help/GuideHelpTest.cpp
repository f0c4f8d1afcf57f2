// "Hilfe" and F1 as the operator uses them: the help window opens at the
// guide's section of the window that asked; the guide's own pages hold every
// section the program names and every link between them; a missing guide
// says so; a help archive still goes first.
#include "app/help/GuideHelp.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QTest>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>

#include "app/AppTestSupport.h"
#include "app/help/HelpWindow.h"
#include "app/logform/ContestLogStart.h"
#include "app/logform/ContestLogStd.h"
#include "app/mainwindow/ContestBrow.h"
#include "app/setup/EingContestStd.h"
#include "app/startup/HelpHook.h"
#include "app/startup/StartupLoading.h"
#include "contest/Catalogue.h"
#include "suite/SuiteFiles.h"

namespace mss::app {
namespace {

namespace fs = std::filesystem;

std::string ReadText(const fs::path& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The headings of a Markdown page, without their '#'.
std::vector<std::string> Headings(const fs::path& page) {
    std::vector<std::string> headings;
    std::istringstream lines(ReadText(page));
    static const std::regex heading("^#+ +(.*[^ ]) *$");
    std::smatch match;
    for (std::string line; std::getline(lines, line);)
        if (std::regex_match(line, match, heading)) headings.push_back(match[1]);
    return headings;
}

TEST(GuideLookupTest, EveryWindowsSectionIsAHeadingOfAPageOfTheGuide) {
    const fs::path pages = BuildTreeGuide().pages;
    for (const WindowSection& entry : WindowSections()) {
        SCOPED_TRACE(entry.windowClass);
        ASSERT_TRUE(fs::is_regular_file(pages / entry.section.page)) << entry.section.page;
        if (entry.section.heading.empty()) continue;
        EXPECT_THAT(Headings(pages / entry.section.page),
                    ::testing::Contains(entry.section.heading));
    }
    EXPECT_EQ(SectionFor("TFortschrittAusgabe").page, kGuideStartPage);
}

TEST(GuideLookupTest, EveryLinkBetweenPagesAndEveryPageFromTheContents) {
    const fs::path pages = BuildTreeGuide().pages;
    static const std::regex link(R"(\]\(([^)#:]+\.md)\))");
    std::set<std::string> linkedFromContents;
    for (const auto& file : fs::directory_iterator(pages)) {
        const std::string text = ReadText(file.path());
        for (std::sregex_iterator it(text.begin(), text.end(), link), end; it != end; ++it) {
            EXPECT_TRUE(fs::is_regular_file(pages / (*it)[1].str()))
                << file.path().filename() << " links to " << (*it)[1];
            if (file.path().filename() == kGuideStartPage) linkedFromContents.insert((*it)[1]);
        }
    }
    for (const auto& file : fs::directory_iterator(pages))
        if (file.path().filename() != kGuideStartPage)
            EXPECT_TRUE(linkedFromContents.contains(file.path().filename().string()))
                << file.path().filename() << " is not in the contents";
}

TEST(GuideLookupTest, TheInstalledGuideGoesBeforeTheSourceTree) {
    struct Case {
        bool installed;
        bool sourceTree;
        const char* found;  // "installed", "source" or "none"
    };
    const Case cases[] = {
        {true, true, "installed"},
        {true, false, "installed"},
        {false, true, "source"},
        {false, false, "none"},
    };
    for (const Case& c : cases) {
        mss::test::TempDir dir;
        const fs::path bin = dir.path() / "usr" / "bin";
        const fs::path installed = dir.path() / "usr" / "share" / "tarvolt-mssprint" / "hilfe";
        const GuidePlace source{dir.path() / "src" / "docs" / "hilfe",
                                dir.path() / "build" / "hilfe"};
        fs::create_directories(bin);
        if (c.installed) {
            fs::create_directories(installed);
            std::ofstream(installed / kGuideStartPage) << "# Inhalt\n";
        }
        if (c.sourceTree) {
            fs::create_directories(source.pages);
            std::ofstream(source.pages / kGuideStartPage) << "# Inhalt\n";
        }
        const std::optional<GuidePlace> found = FindGuide(bin, source);
        SCOPED_TRACE(c.found);
        EXPECT_EQ(InstalledGuideDir(bin), installed);
        if (std::string_view(c.found) == "none") {
            EXPECT_FALSE(found.has_value());
        } else {
            ASSERT_TRUE(found.has_value());
            const bool isInstalled = std::string_view(c.found) == "installed";
            EXPECT_EQ(found->pages, isInstalled ? installed : source.pages);
            EXPECT_EQ(found->pictures, isInstalled ? installed : source.pictures);
        }
    }
}

// The pictures lie beside the pages once installed, and in the build tree
// apart from them, where the tests took them.
TEST(HelpWindowTest, ShowsThePagesPicturesWhereverTheyLie) {
    mss::test::QtApp();
    for (const bool apart : {false, true}) {
        SCOPED_TRACE(apart ? "build tree" : "installed");
        mss::test::TempDir dir;
        const GuidePlace guide{dir.path() / "hilfe",
                               dir.path() / (apart ? "bilder-baum" : "hilfe")};
        fs::create_directories(guide.pages);
        fs::create_directories(guide.pictures / "bilder");
        std::ofstream(guide.pages / kGuideStartPage) << "# Inhalt\n\n![Rot](bilder/rot.png)\n";
        QImage red(60, 40, QImage::Format_RGB32);
        red.fill(Qt::red);
        ASSERT_TRUE(
            red.save(QString::fromStdString((guide.pictures / "bilder" / "rot.png").string())));
        THelpWindow window;
        EXPECT_TRUE(window.Open(guide, {kGuideStartPage, ""}));
        const QImage shot = window.grab().toImage();
        int redPixels = 0;
        for (int y = 0; y < shot.height(); ++y)
            for (int x = 0; x < shot.width(); ++x) redPixels += shot.pixelColor(x, y) == Qt::red;
        EXPECT_GE(redPixels, 60 * 40);
    }
}

// A start-up that loads nothing: the main window alone.
class NoLoading : public StartupLoading {
  public:
    bool LoadSettings(TContestBrow&) override { return true; }
    bool OpenContestStore(TContestBrow&) override { return true; }
    void ListEntries(TContestBrow&) override {}
    void FirstStart(TContestBrow&) override {}
    void CloseDown(TContestBrow&) override {}
};

class GuideHelpTest : public test::StoreTest {
  protected:
    void SetUp() override {
        StoreTest::SetUp();
        ASSERT_TRUE(suite::OpenQVCBUCH());
        ASSERT_TRUE(test::OpenTestPrefixFiles());
        help_ = std::make_unique<GuideHelp>(program_.path(), BuildTreeGuide());
        install_ = std::make_unique<ui::ScopedHelpViewer>(*help_);
    }
    void TearDown() override {
        install_.reset();
        help_.reset();
        test::CloseTestPrefixFiles();
        suite::CloseQVCBUCH();
        StoreTest::TearDown();
    }

    // The window that answered, after it had time to show.
    THelpWindow* Shown() {
        QApplication::processEvents();
        THelpWindow* window = help_->Window();
        return window != nullptr && window->isVisible() ? window : nullptr;
    }

    std::int32_t AddEntry() {
        contest::ContestEntry entry;
        entry.SetCode('j');
        entry.SetName("MS Sprint");
        (void)contest::FillContestDefinition('j', entry);
        std::int32_t number = 0;
        EXPECT_EQ(contest::AddContestEntry(entry, contest::ContestExtra{}, number), 0);
        return number;
    }

    // A program folder with no guide installed beside it: the build tree's.
    mss::test::TempDir program_;
    std::unique_ptr<GuideHelp> help_;
    std::unique_ptr<ui::ScopedHelpViewer> install_;
};

// The operator's ways to ask, in every window with a "Hilfe" button: the
// window opens on the asking window's section, for F1 at the focused field.
TEST_F(GuideHelpTest, HilfeAndF1OpenTheGuideAtTheAskingWindowsSection) {
    auto log = PrepareContestLog(AddEntry(), nullptr);
    ASSERT_NE(log, nullptr);
    TContestBrow main(std::make_unique<NoLoading>());
    SetupHooks hooks;
    hooks.fillDefinition = [](contest::ContestEntry& entry) {
        return contest::FillContestDefinition('j', entry);
    };
    TEingContestStd setup(SetupMode::NewEntry, false, 'j', hooks);

    struct Case {
        QWidget* window;
        const char* button;  // null: F1 at the focused control
        const char* heading;
    };
    const Case cases[] = {
        {log.get(), nullptr, "Tasten im Logfenster"},
        {log.get(), "btnHilfe", "Tasten im Logfenster"},
        {&main, "btnHilfeHo3", "Erster Start und die Liste der Contests"},
        {&main, nullptr, "Erster Start und die Liste der Contests"},
        {&setup, "btnHilfe", "Die Contest-Konfiguration"},
        {&setup, nullptr, "Die Contest-Konfiguration"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.window->metaObject()->className()) + " " +
                     (c.button ? c.button : "F1"));
        c.window->show();
        QApplication::setActiveWindow(c.window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(c.window));
        if (c.button != nullptr) {
            test::ClickOn(*c.window, c.button);
        } else {
            QWidget* focus = QApplication::focusWidget();
            ASSERT_NE(focus, nullptr);
            QTest::keyClick(focus, Qt::Key_F1);
        }
        THelpWindow* window = Shown();
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(window->TopHeading().toStdString(), c.heading);
        // It belongs to the asking window, so a modal one leaves it usable.
        EXPECT_EQ(window->parentWidget(), c.window);
        window->close();
        c.window->hide();
    }
    EXPECT_TRUE(messages_.shown().empty()) << messages_.LastText();
}

TEST_F(GuideHelpTest, TheLogFormsKeysAreShownWithTheGuidesPictures) {
    auto log = PrepareContestLog(AddEntry(), nullptr);
    ASSERT_NE(log, nullptr);
    log->show();
    QApplication::setActiveWindow(log.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(log.get()));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
    THelpWindow* window = Shown();
    ASSERT_NE(window, nullptr);
    test::Screenshot(*window, "help-window.png");
    // "Inhalt" leads to the contents, "Zurück" back to the keys.
    test::ClickOn(*window, "btnInhalt");
    EXPECT_EQ(window->TopHeading(), QStringLiteral("Tarvolt MSSprint – Anleitung"));
    test::ClickOn(*window, "btnZurueck");
    EXPECT_NE(window->TopHeading(), QStringLiteral("Tarvolt MSSprint – Anleitung"));
}

TEST_F(GuideHelpTest, WithoutAGuideTheOperatorIsToldWhereItBelongs) {
    mss::test::TempDir empty;
    GuideHelp help(program_.path(), {empty.path(), empty.path()});
    ui::ScopedHelpViewer install(help);
    TContestBrow main(std::make_unique<NoLoading>());
    main.show();
    test::ClickOn(main, "btnHilfeHo3");
    EXPECT_EQ(help.Window(), nullptr);
    ASSERT_EQ(messages_.shown().size(), 1u);
    EXPECT_NE(messages_.LastText().find("Anleitung wurde nicht gefunden"), std::string::npos);
    EXPECT_NE(messages_.LastText().find(InstalledGuideDir(program_.path()).string()),
              std::string::npos);
}

TEST_F(GuideHelpTest, AHelpArchiveInTheDataDirectoryStillGoesFirst) {
    test::RecordingDesktop desktop;
    platform::ScopedDesktop install(desktop);
    std::ofstream(RunDir() + kHelpArchive) << "archive";
    TContestBrow main(std::make_unique<NoLoading>());
    main.show();
    test::ClickOn(main, "btnHilfeHo3");
    EXPECT_EQ(desktop.opened, std::vector<std::string>{RunDir() + kHelpArchive});
    EXPECT_EQ(Shown(), nullptr);
}

}  // namespace
}  // namespace mss::app
