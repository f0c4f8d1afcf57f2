// The window "Karte" over a sprint log: opened with F2 from the log form, it
// shows every station at its scored distance and beam heading, follows the
// contacts the operator saves, edits and deletes by keys, and the output menu
// writes the same picture as a PNG file.
#include "app/map/MapWindow.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QTest>
#include <cmath>
#include <numbers>

#include "app/AppTestSupport.h"
#include "app/listwindows/BandLogBrow.h"
#include "app/logform/ContestLogStart.h"
#include "app/logform/ContestLogStd.h"
#include "app/logform/LogEditDialog.h"
#include "app/map/MapViews.h"
#include "app/setup/EingContestStd.h"
#include "app/setup/OutputMenu.h"
#include "contest/Catalogue.h"
#include "contest/ContestStore.h"
#include "log/ContestLog.h"
#include "log/Exchange.h"
#include "log/Recount.h"
#include "log/Scoring.h"
#include "output/OutputMenu.h"
#include "output/picture/LogPicture.h"
#include "platform/Clock.h"
#include "radio/DateTime.h"
#include "radio/MapProjection.h"
#include "suite/SuiteFiles.h"

namespace mss::app {
namespace {

struct Worked {
    const char* call;
    const char* locator;
    const char* mode;
    int minutes;  // after 19:00 UTC on 12 August 2012
};

// Thirty stations of a summer night's sprint from JO62MM, 190 to 2022 km.
const Worked kNight[] = {
    {"G4ABC", "IO91WM", "FSK441", 0},    {"F6DEF", "JO01AA", "FSK441", 4},
    {"EI2GHI", "IO63XX", "CW", 9},       {"OH1JKL", "KP20LE", "SSB", 15},
    {"UR5MNO", "KO85TS", "FSK441", 22},  {"I2PQR", "JN45FM", "CW", 31},
    {"YO2STU", "KN34QF", "FSK441", 40},  {"EA4VWX", "IM98SQ", "FSK441", 48},
    {"LA7YZA", "JP50TM", "CW", 57},      {"UA3BCD", "KO02MF", "SSB", 70},
    {"HA5EFG", "JN88FF", "FSK441", 85},  {"GM3HIJ", "IO83QL", "FSK441", 101},
    {"SP2KLM", "JO94AA", "CW", 118},     {"OH8NOP", "KP03WG", "FSK441", 137},
    {"RA1QRS", "LO02QQ", "FSK441", 158}, {"LZ2TUV", "KN18MM", "CW", 181},
    {"9A2WXY", "JN61GV", "SSB", 205},    {"F5ZAB", "IN93LF", "FSK441", 231},
    {"PA3CDE", "JO32KF", "FSK441", 258}, {"ES5FGH", "KO11JJ", "CW", 287},
    {"F1IJK", "JN03TU", "FSK441", 318},  {"GI4LMN", "IO54PW", "FSK441", 350},
    {"SV1OPQ", "KM18MU", "SSB", 384},    {"LA9RST", "JP41OG", "CW", 419},
    {"OK1UVW", "JN79FX", "FSK441", 455}, {"YU7XYZ", "KN05OG", "FSK441", 492},
    {"ES1ABA", "KO29HK", "CW", 531},     {"EA5CDC", "IM69XU", "FSK441", 571},
    {"DL1EFE", "JO71BJ", "SSB", 600},    {"OM3GHG", "JN98AL", "FSK441", 620},
};

class MapWindowTest : public test::StoreTest {
  protected:
    void SetUp() override {
        StoreTest::SetUp();
        ASSERT_TRUE(suite::OpenQVCBUCH());
        ASSERT_TRUE(test::OpenTestPrefixFiles());
        contest::ContestEntry entry;
        entry.SetCode('j');
        entry.SetName("MS Sprint 2012");
        entry.SetDateAuto(true);
        entry.SetTimeAuto(true);
        entry.SetQslSend('N');
        definition_ = contest::FillContestDefinition('j', entry);
        ASSERT_EQ(contest::AddContestEntry(entry, contest::ContestExtra{}, number_), 0);
        entry.SetNumber(number_);
        entry_ = entry;
    }
    void TearDown() override {
        form_.reset();
        test::CloseTestPrefixFiles();
        suite::CloseQVCBUCH();
        StoreTest::TearDown();
    }

    // The night's contacts, stored as the entry form stores them.
    void StoreNight() {
        ASSERT_TRUE(log::OpenContestLog(number_));
        int lfdNr = 0;
        for (const Worked& w : kNight) {
            log::QsoRecord r;
            r.SetCall(w.call);
            r.SetBand('k');
            r.SetMode(w.mode);
            r.SetDatum(radio::DayNumber(12, 8, 2012) + (19 * 60 + w.minutes) / (24 * 60));
            r.SetZeit((19 * 60 + w.minutes) % (24 * 60) * 60);
            r.SetLocator(w.locator);
            r.SetQrb(radio::QrbKm(w.locator));
            r.SetPunkte(static_cast<std::uint16_t>(r.Qrb()));
            r.SetLfdNr(++lfdNr);
            r.SetBandNr(lfdNr);
            r.SetBandSeq(lfdNr);
            log::StoreRcvdExchange(r, log::ComposeExchange({"26 ", w.locator, "", ""}));
            ASSERT_EQ(log::AddContact(*log::OpenLog(), r), 0) << w.call;
        }
        log::CloseContestLog();
    }

    void OpenForm() {
        form_ = PrepareContestLog(number_, nullptr);
        ASSERT_NE(form_, nullptr);
        form_->show();
        QApplication::setActiveWindow(form_.get());
        form_->ClockTick();
    }

    // Keys go where the keyboard sends them: to the focused widget.
    static void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* focus = QApplication::focusWidget();
        ASSERT_NE(focus, nullptr);
        QTest::keyClick(focus, static_cast<Qt::Key>(key), modifiers);
    }
    static void Type(const char* text) {
        QWidget* focus = QApplication::focusWidget();
        ASSERT_NE(focus, nullptr);
        QTest::keyClicks(focus, QString::fromLatin1(text));
    }

    TMapWindow* MapWindow() {
        return form_->findChild<TMapWindow*>(QStringLiteral("Karte"), Qt::FindDirectChildrenOnly);
    }

    platform::FakeClock clock_{{2012, 8, 12, 23, 30, 0}};  // 21:30 UTC
    platform::ScopedClock installClock_{clock_};
    contest::ContestEntry entry_;
    contest::ContestDefinition definition_;
    std::int32_t number_ = 0;
    std::unique_ptr<TContestLogStd> form_;
};

double AngleBetween(double a, double b) {
    const double d = std::fmod(std::abs(a - b), 360.0);
    return std::min(d, 360 - d);
}

TEST_F(MapWindowTest, ThirtyStationsSitAtTheirScoredDistanceAndBeamHeading) {
    StoreNight();
    OpenForm();
    Key(Qt::Key_F2);
    TMapWindow* window = MapWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(form_->isAncestorOf(QApplication::focusWidget())) << "the log form keeps the keys";

    const log::LogStatistics& s = window->Statistics();
    EXPECT_EQ(s.contacts, log::ContactSum(form_->Session().totals));
    EXPECT_EQ(s.points, log::PointSum(form_->Session().totals));
    ASSERT_EQ(s.stations.size(), 30u);
    window->resize(1500, 860);
    auto* view = window->findChild<TMapView*>(QStringLiteral("mapView"));
    ASSERT_NE(view, nullptr);
    const QImage shot = view->grab().toImage();
    test::Screenshot(*window, "map-window.png");

    const output::PaintedMap& map = view->Painted();
    ASSERT_GT(map.pixelsPerKm, 0);
    ASSERT_EQ(map.stations.size(), 30u);
    for (const output::PaintedStation& painted : map.stations) {
        const log::WorkedStation& station = s.stations[painted.station];
        SCOPED_TRACE(station.call);
        const radio::DistanceBearing read =
            radio::PolarOf({(painted.at.x() - map.centre.x()) / map.pixelsPerKm,
                            (map.centre.y() - painted.at.y()) / map.pixelsPerKm});
        const radio::DistanceBearing scored = *radio::DistanceAndBearing("JO62MM", station.locator);
        EXPECT_NEAR(read.Distance, station.km, 0.5 + 1 / map.pixelsPerKm);
        EXPECT_LT(AngleBetween(read.Bearing, scored.Bearing) * std::numbers::pi / 180 * station.km *
                      map.pixelsPerKm,
                  1.0)
            << "off the beam heading by a pixel or more";
        EXPECT_TRUE(view->StationsAt(painted.at).contains(QString::fromLatin1(station.call)));
        EXPECT_EQ(shot.pixelColor(painted.at.toPoint()), output::ModeColour(station.mode));
    }
    EXPECT_EQ(s.longest->call, "EA5CDC");

    Key(Qt::Key_F2);
    EXPECT_FALSE(window->isVisible()) << "F2 again puts the map away";
}

TEST_F(MapWindowTest, TheMapFollowsContactsSavedTypedEditedAndDeletedByKeys) {
    OpenForm();
    Key(Qt::Key_F2);
    TMapWindow* window = MapWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->Statistics().contacts, 0);

    for (const char* contact : {"OH1JKL", "KP20LE", "G4ABC", "IO91WM"}) {
        Type(contact);
        Key(Qt::Key_Return);
    }
    const log::LogStatistics& s = window->Statistics();
    ASSERT_EQ(s.contacts, 2);
    EXPECT_EQ(s.stations[1].call, "G4ABC");
    EXPECT_EQ(s.stations[1].km, radio::QrbKm("IO91WM"));
    EXPECT_EQ(s.points, radio::QrbKm("KP20LE") + radio::QrbKm("IO91WM"));
    ASSERT_EQ(s.hours.size(), 1u);
    EXPECT_EQ(s.hours[0].contacts, 2);

    // The beam line follows the locator of the contact being typed.
    Type("EA5CDC");
    Key(Qt::Key_Return);
    Type("IM6");
    EXPECT_EQ(window->Scene().typedLocator, "");
    Type("9");
    EXPECT_EQ(window->Scene().typedLocator, "IM69");
    test::Screenshot(*window, "map-window-beam.png");
    Key(Qt::Key_Escape);
    EXPECT_EQ(window->Scene().typedLocator, "");

    // F5 to the band log, the first contact; Enter edits its locator.
    Key(Qt::Key_F5);
    ASSERT_TRUE(form_->Brow().isAncestorOf(QApplication::focusWidget()));
    Key(Qt::Key_Home, Qt::ControlModifier);
    test::WhenModal<Teingabecontstd2>([](Teingabecontstd2& dialog) {
        QTest::mouseClick(dialog.findChild<QWidget*>(QStringLiteral("eRSTr2")), Qt::LeftButton);
        Key(Qt::Key_A, Qt::ControlModifier);
        Type("KP20KE");
        Key(Qt::Key_Return);
    });
    Key(Qt::Key_Return);
    EXPECT_EQ(window->Statistics().stations[0].locator, "KP20KE");
    EXPECT_EQ(window->Statistics().stations[0].km, radio::QrbKm("KP20KE"));
    // Del and Yes, once the form has its activation back, as a window manager
    // gives it after a dialog (the offscreen platform does not).
    QApplication::setActiveWindow(form_.get());
    ASSERT_TRUE(form_->Brow().isAncestorOf(QApplication::focusWidget()));
    Key(Qt::Key_Home, Qt::ControlModifier);
    messages_.SetNextAnswers({true});
    Key(Qt::Key_Delete);
    EXPECT_EQ(messages_.LastText(), "Eintrag OH1JKL l\xF6schen?");
    ASSERT_EQ(window->Statistics().contacts, 1);
    EXPECT_EQ(window->Statistics().stations[0].call, "G4ABC");
    EXPECT_EQ(window->Statistics().points, radio::QrbKm("IO91WM"));
}

TEST_F(MapWindowTest, AfterTheContestTheSetupDialogShowsTheMapOfTheEntry) {
    StoreNight();
    SetupHooks hooks;
    hooks.fillDefinition = [](contest::ContestEntry& entry) {
        return contest::FillContestDefinition('j', entry);
    };
    TEingContestStd dialog(SetupMode::Edit, true, 'j', hooks);
    dialog.show();
    int shown = -1;
    test::WhenModal<TMapWindow>([&](TMapWindow& map) {
        shown = map.Statistics().contacts;
        map.close();
    });
    test::ClickOn(dialog, "btnKarte");
    EXPECT_EQ(shown, 30);
    EXPECT_FALSE(log::OpenLog()) << "the log is closed with the map";
    test::Screenshot(dialog, "setup-dialog-after-contest.png");
}

// The PNG is drawn by the functions that paint the window, from the log.
class AnsweredSaveDialog : public SaveFileDialog {
  public:
    std::optional<std::string> Ask(QWidget*, const std::string&, const std::string& proposed,
                                   const std::string&) override {
        fileName = proposed;
        return folder + proposed;
    }
    std::string folder;
    std::string fileName;
};

TEST_F(MapWindowTest, TheOutputMenuWritesTheMapAndRatesAsTheWindowPaintsThem) {
    StoreNight();
    radio::Program().OwnCall = "DL9XYZ";
    AnsweredSaveDialog save;
    save.folder = RunDir();
    const ScopedSaveFileDialog installSave(save);
    QWidget parent;
    RunOutput(parent, output::kPictureKind, entry_, definition_);
    EXPECT_EQ(save.fileName, "DL9XYZ-Karte.PNG");
    EXPECT_EQ(messages_.LastText(), "Datei " + RunDir() + "DL9XYZ-Karte.PNG wurde erstellt.");

    ASSERT_TRUE(log::OpenContestLog(number_));
    const log::LogStatistics s = log::ComputeLogStatistics(log::ReadLogRecords(*log::OpenLog()));
    log::CloseContestLog();
    EXPECT_EQ(s.contacts, 30);
    const QImage drawn = output::LogPicture({"JO62MM", "DL9XYZ", {}}, s);
    const QImage written(QString::fromStdString(RunDir() + "DL9XYZ-Karte.PNG"), "PNG");
    ASSERT_EQ(written.size(), output::kLogPictureSize);
    EXPECT_TRUE(written.convertToFormat(QImage::Format_RGB32) == drawn);
}

}  // namespace
}  // namespace mss::app
