// The log form typed as an operator types during the meteor-scatter sprint:
// every key goes to the widget that has the focus, Return moves on, and
// what was stored is read back field by field with points worked out by
// hand (great circle between locator centres, 111.12 km a degree).
#include <QLineEdit>

#include "app/listwindows/Korrekturstd.h"
#include "app/logform/LogEditDialog.h"
#include "app/logform/LogFormTest.h"
#include "output/OutputJob.h"
#include "output/Outputs.h"
#include "output/TextTarget.h"

namespace mss::app {
namespace {

using log::QsoRecord;

struct Contact {
    const char* call;
    const char* sent;  // report as typed
    const char* rcvd;
    const char* locator;
    int points;  // km from JO62MM
};

class LogFormKeyFlowTest : public test::ContestLogStdTest {
  protected:
    // A sprint entry set up for meteor scatter: both reports typed, the own
    // locator shown (and passed over with Return), FSK441 to start.
    void OpenSprint(bool dateAuto = true) {
        newExtra_.SetRstNotLocked(true);
        Open('j', [dateAuto](contest::ContestEntry& e) {
            e.SetRstSentFree(true);
            e.SetRstRcvdFree(true);
            e.SetStartPr(true);
            e.SetDateAuto(dateAuto);
        });
    }
    // The clock at 12:mm UTC, as the form's timer would read it.
    void At(int minute) {
        clock_.SetLocal({2012, 8, 12, 14 + minute / 60, minute % 60, 0});
        form_->ClockTick();
    }
    // Call, Return, report sent, Return, Return over the own locator,
    // report received, Return, locator, Return.
    void TypeContact(const Contact& c) {
        test::TypeKeys(*form_, QString::fromLatin1("%1\r%2\r\r%3\r%4\r")
                                   .arg(QLatin1String(c.call), QLatin1String(c.sent),
                                        QLatin1String(c.rcvd), QLatin1String(c.locator)));
    }
    void ExpectStored(const QsoRecord& r, const Contact& c, int lfdNr) {
        SCOPED_TRACE(c.call);
        EXPECT_EQ(r.Call(), c.call);
        EXPECT_EQ(r.Mode(), "FSK441");
        EXPECT_EQ(log::SentExchangeOf(r), radio::Fit(c.sent, 3) + "JO62MM");
        EXPECT_EQ(log::RcvdExchangeOf(r), radio::Fit(c.rcvd, 3) + c.locator);
        EXPECT_EQ(r.Locator(), c.locator);
        EXPECT_EQ(r.Punkte(), c.points);
        EXPECT_EQ(r.LfdNr(), lfdNr);
    }
    std::string QsoList() {
        output::OutputJob job;
        job.definition = form_->Session().definition;
        job.entry = form_->Session().entry;
        job.log = form_->Session().log;
        output::StringTextTarget file;
        EXPECT_TRUE(output::WriteOutputFile(output::FileOutput::ElogQsoList, file, job).Ok());
        return file.text();
    }
    QString Shown(const char* label) {
        auto* l = form_->findChild<QLabel*>(QString::fromLatin1(label));
        return l != nullptr ? l->text().trimmed() : QStringLiteral("(none)");
    }
};

// About thirty contacts of a sprint night: European stations at 400 to
// 2 400 km and a few far ones, so that points reach five digits and the
// band total six; a duplicate, a call search in the middle of a call, a
// switch to another program with a worked call in the field, and a call of
// an unknown prefix on the way.
TEST_F(LogFormKeyFlowTest, ASprintTypedWithReturnOnlyIsStoredWhole) {
    test::RecordingDesktop desktop;
    platform::ScopedDesktop installDesktop(desktop);
    OpenSprint();
    const Contact kLog[] = {
        {"DL1ABC", "26", "27", "JO31AA", 509},  {"DK2AA", "27", "26", "JO40AA", 445},
        {"OE1XYZ", "26", "26", "JN88EE", 536},  {"DF9ZY", "37", "27", "IO70AA", 1346},
        {"DJ3XX", "26", "28", "IN53AA", 2003},  {"DG7ABC", "27", "27", "IM58AA", 2396},
        {"K1ABC", "26", "27", "FN42AA", 6135},  {"W1AW", "27", "26", "FN31PR", 6202},
        {"N5XX", "26", "26", "EM12AA", 8485},   {"3D2AG", "27", "27", "RH91AA", 16054},
        {"DO1ZZ", "26", "27", "IO91WM", 906},   {"DM5AB", "27", "26", "JN58TD", 496},
        {"DK5EW", "26", "27", "JO31LK", 433},   {"OE1XAB", "26", "26", "JN88EE", 536},
        {"SP9XYZ", "27", "27", "KN09AB", 624},  {"3D2XY", "26", "27", "RH91AA", 16054},
        {"W2XX", "26", "26", "FN42AA", 6135},   {"K5ZZ", "27", "27", "EM12AA", 8485},
        {"3D2ZZ", "26", "26", "RH91AA", 16054}, {"DL2ABC", "26", "27", "JO31AA", 509},
        {"DL3ABC", "27", "26", "IO70AA", 1346}, {"DL4ABC", "26", "26", "IN53AA", 2003},
        {"DL5ABC", "26", "27", "IM58AA", 2396}, {"DL6ABC", "27", "27", "JO40AA", 445},
        {"DL7ABC", "26", "26", "IO91WM", 906},  {"DL8ABC", "26", "27", "JN58TD", 496},
        {"DL9ABC", "27", "26", "JN88EE", 536},  {"DK1ZZ", "26", "26", "IO70AA", 1346},
        {"DK3ZZ", "26", "27", "IN53AA", 2003},  {"DK4ZZ", "27", "27", "IM58AA", 2396},
    };
    int minute = 0;
    for (const Contact& c : kLog) {
        At(++minute);
        const std::string call = c.call;
        if (call == "DK5EW") {
            // Half a call, then the call search (F4) and Esc twice: the half
            // call is still there and is completed.
            test::TypeKeys(*form_, QStringLiteral("DK5"));
            test::WhenModal<TSucheQE>([](TSucheQE& search) {
                test::TypeKeys(search, QStringLiteral("\x1b"));
                test::WhenModal<TKorrekturstd>(
                    [](TKorrekturstd& list) { test::TypeKeys(list, QStringLiteral("\x1b")); });
            });
            test::PressKey(Qt::Key_F4);
            EXPECT_EQ(Panel().eCall->text(), QStringLiteral("DK5"));
            test::TypeKeys(*form_, QStringLiteral("EW\r26\r\r27\rJO31LK\r"));
            continue;
        }
        if (call == "OE1XAB") {
            // A worked call in the field, then the digital-mode program in
            // front: no message, nothing cleared, the cursor where it was.
            const std::size_t before = messages_.shown().size();
            test::TypeKeys(*form_, QStringLiteral("OE1XYZ"));
            QWidget other;
            other.setObjectName(QStringLiteral("WSJT-X"));
            auto* edit = new QLineEdit(&other);
            other.show();
            ASSERT_TRUE(test::Activate(other));
            edit->setFocus();
            EXPECT_EQ(messages_.shown().size(), before) << messages_.LastText();
            EXPECT_EQ(Panel().eCall->text(), QStringLiteral("OE1XYZ"));
            test::TypeKeys(*form_, QStringLiteral("\b\bAB\r26\r\r26\rJN88EE\r"));
            EXPECT_EQ(messages_.shown().size(), before) << messages_.LastText();
            continue;
        }
        TypeContact(c);
        if (call == "DL1ABC") {
            // The same station again: the message, Esc, and nothing stored.
            At(++minute);
            test::TypeKeys(*form_, QStringLiteral("DL1ABC\r"));
            EXPECT_EQ(messages_.LastText(), "Call DL1ABC bereits auf Band vorhanden");
            test::TypeKeys(*form_, QStringLiteral("\x1b"));
            EXPECT_TRUE(Panel().eCall->text().isEmpty());
        }
    }
    const std::vector<QsoRecord> log = Records();
    ASSERT_EQ(log.size(), std::size(kLog));
    for (std::size_t i = 0; i < log.size(); ++i)
        ExpectStored(log[i], kLog[i], static_cast<int>(i) + 1);
    // A duplicate and an unknown prefix beep with their messages.
    EXPECT_EQ(desktop.beeps, 2);
    const auto unknown = std::ranges::count_if(messages_.shown(), [](const auto& m) {
        return m.text ==
               "Pr\xE4"
               "fix unbekannt";
    });
    EXPECT_EQ(unknown, 1);
    // The score panel shows the six-digit band total and the score.
    EXPECT_EQ(Shown("lPunkte1"), QStringLiteral("108216"));
    EXPECT_EQ(Shown("lQso1"), QStringLiteral("30"));
    EXPECT_EQ(Shown("lScore"), QStringLiteral("108216 Pkt."));
    // The QSO list carries every report and locator whole.
    const std::string list = QsoList();
    for (const Contact& c : kLog) {
        const std::string line = radio::Fit(c.call, 8) + " 2    FSK441 " + radio::Fit(c.sent, 3) +
                                 " JO62MM  " + radio::Fit(c.rcvd, 3) + " " + c.locator;
        EXPECT_NE(list.find(line), std::string::npos) << line << "\n" << list;
    }
    Screenshot("log-form-sprint.png");
}

// Four contacts; in the correction list (F12) the first gets another
// locator in its dialog and the second is deleted. The form's band log and
// score show the log as it is at once, row by row.
TEST_F(LogFormKeyFlowTest, ChangesInTheCorrectionListShowInTheBandLogAtOnce) {
    OpenSprint();
    const Contact kLog[] = {{"DL1ABC", "26", "27", "JO31AA", 509},
                            {"DK2AA", "27", "26", "JO40AA", 445},
                            {"OE1XYZ", "26", "26", "JN88EE", 536},
                            {"DF9ZY", "37", "27", "IO70AA", 1346}};
    for (int i = 0; i < 4; ++i) {
        At(i + 1);
        TypeContact(kLog[i]);
    }
    messages_.SetNextAnswers({true});
    test::WhenModal<TKorrekturstd>([](TKorrekturstd& list) {
        ASSERT_TRUE(test::Activate(list));
        test::WhenModal<Teingabecontstd2>([](Teingabecontstd2& dialog) {
            // Call, then Tab over the reports and the own locator.
            test::TypeKeys(dialog, QStringLiteral("\t\t\t\tIO91WM\r"));
        });
        test::PressKey(Qt::Key_Home, Qt::ControlModifier);
        test::PressKey(Qt::Key_Return);
        ASSERT_TRUE(test::Activate(list));
        test::PressKey(Qt::Key_Down);
        test::PressKey(Qt::Key_Delete);
        test::TypeKeys(list, QStringLiteral("\x1b"));
    });
    test::PressKey(Qt::Key_F12);
    EXPECT_EQ(messages_.LastText(), "Eintrag DK2AA l\xF6schen?");
    const std::vector<QsoRecord> log = Records();
    ASSERT_EQ(log.size(), 3u);
    ExpectStored(log[0], {"DL1ABC", "26", "27", "IO91WM", 906}, 1);
    ExpectStored(log[1], kLog[2], 2);
    ExpectStored(log[2], kLog[3], 3);
    const QStringList rows = QString::fromLatin1(BandLogText()).split('\n', Qt::SkipEmptyParts);
    const char* kRows[][3] = {
        {"1", "DL1ABC", "906"}, {"2", "OE1XYZ", "536"}, {"3", "DF9ZY", "1346"}};
    ASSERT_EQ(rows.size(), 3) << BandLogText();
    for (int i = 0; i < 3; ++i) {
        const QStringList cells = rows[i].split(';');
        ASSERT_GT(cells.size(), 9) << rows[i].toStdString();
        EXPECT_EQ(cells[0].trimmed(), QLatin1String(kRows[i][0]));
        EXPECT_EQ(cells[3].trimmed(), QLatin1String(kRows[i][1]));
        EXPECT_EQ(cells[8].trimmed(), QLatin1String(kRows[i][2])) << rows[i].toStdString();
    }
    EXPECT_EQ(Shown("lPunkte1"), QStringLiteral("2788"));
    EXPECT_EQ(Shown("lQso1"), QStringLiteral("3"));
}

// The date typed by hand beside the automatic time: the clock leaves it
// alone, the first contact is saved with it, and a back-dated contact takes
// its place in time once the newest is deleted.
TEST_F(LogFormKeyFlowTest, ADateTypedBesideTheAutomaticTimeStays) {
    OpenSprint(false);
    ASSERT_FALSE(Panel().eDatum->isHidden());
    At(1);
    // The first contact has no date yet: Return on the locator leads there.
    test::TypeKeys(*form_, QStringLiteral("DL1ABC\r26\r\r27\rJO31AA\r"));
    EXPECT_EQ(Focused(), QStringLiteral("eDatum"));
    EXPECT_TRUE(Records().empty());
    test::TypeKeys(*form_, QStringLiteral("12.08.2012"));
    At(2);
    At(3);
    EXPECT_EQ(Panel().eDatum->text(), QStringLiteral("12.08.2012"));
    test::TypeKeys(*form_, QStringLiteral("\r"));
    At(5);
    test::TypeKeys(*form_, QStringLiteral("DK2AA\r27\r\r26\rJO40AA\r"));
    At(7);
    test::TypeKeys(*form_, QStringLiteral("OE1XYZ\r26\r\r26\rJN88EE\t11.08.2012\r"));
    At(9);
    test::TypeKeys(*form_, QStringLiteral("DF9ZY\r37\r\r27\rIO70AA\t12.08.2012\r"));
    std::vector<QsoRecord> log = Records();
    ASSERT_EQ(log.size(), 4u) << messages_.LastText();
    const std::int32_t kDays[] = {radio::DayNumber(12, 8, 2012), radio::DayNumber(12, 8, 2012),
                                  radio::DayNumber(11, 8, 2012), radio::DayNumber(12, 8, 2012)};
    const int kMinutes[] = {3, 5, 7, 9};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(log[i].Datum(), kDays[i]) << log[i].Call();
        EXPECT_EQ(log[i].Zeit(), 12 * 3600 + kMinutes[i] * 60) << log[i].Call();
    }
    // The newest deleted in the band log: the running numbers follow time.
    test::PressKey(Qt::Key_F5);
    test::PressKey(Qt::Key_End, Qt::ControlModifier);
    messages_.SetNextAnswers({true});
    test::PressKey(Qt::Key_Delete);
    EXPECT_EQ(messages_.LastText(), "Eintrag DF9ZY l\xF6schen?");
    log = Records();
    ASSERT_EQ(log.size(), 3u);
    const char* kOrder[] = {"OE1XYZ", "DL1ABC", "DK2AA"};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(log[i].Call(), kOrder[i]);
        EXPECT_EQ(log[i].LfdNr(), static_cast<int>(i) + 1);
    }
}

// The reverse: the time typed beside the automatic date. Midnight passes
// while the operator types; the clock writes the new date only.
TEST_F(LogFormKeyFlowTest, ATimeTypedBesideTheAutomaticDateStaysOverMidnight) {
    newExtra_.SetRstNotLocked(true);
    Open('j', [](contest::ContestEntry& e) {
        e.SetRstSentFree(true);
        e.SetRstRcvdFree(true);
        e.SetStartPr(true);
        e.SetTimeAuto(false);
    });
    clock_.SetLocal({2012, 8, 13, 1, 59, 30});  // 23:59:30 UTC
    form_->ClockTick();
    test::TypeKeys(*form_, QStringLiteral("DL1ABC\r26\r\r27\rJO31AA\r"));
    EXPECT_EQ(Focused(), QStringLiteral("ezeit"));
    test::TypeKeys(*form_, QStringLiteral("2359"));
    clock_.SetLocal({2012, 8, 13, 2, 0, 5});
    form_->ClockTick();
    EXPECT_EQ(Panel().ezeit->text(), QStringLiteral("2359"));
    EXPECT_EQ(Panel().lDatum->text(), QStringLiteral("13.08.2012"));
    test::TypeKeys(*form_, QStringLiteral("\r"));
    const std::vector<QsoRecord> log = Records();
    ASSERT_EQ(log.size(), 1u) << messages_.LastText();
    EXPECT_EQ(log[0].Zeit(), 23 * 3600 + 59 * 60);
    ExpectStored(log[0], {"DL1ABC", "26", "27", "JO31AA", 509}, 1);
}

// "QSO ändern" keeps open what it cannot store: a date or time it cannot
// read, or a call changed into one already worked on the band.
TEST_F(LogFormKeyFlowTest, TheContactDialogRefusesWhatItCannotStore) {
    test::RecordingDesktop desktop;
    platform::ScopedDesktop installDesktop(desktop);
    OpenSprint();
    At(1);
    TypeContact({"DL1ABC", "26", "27", "JO31AA", 509});
    At(2);
    TypeContact({"DK2AA", "27", "26", "JO40AA", 445});
    const struct {
        const char* field;
        const char* typed;
        std::string message;
        int beeps;
    } kCases[] = {
        {"eDatum", "32.13.2012", "Das Datum \"32.13.2012\" ist ung\xFCltig.", 0},
        {"ezeit", "25:99", "Die Zeit \"25:99\" ist ung\xFCltig.", 0},
        {"eCall", "DK2AA", "Call bereits auf Band vorhanden", 1},
    };
    QWidget& grid = ToBandLog();
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.field);
        desktop.beeps = 0;
        bool stayed = false;
        test::WhenModal<Teingabecontstd2>([&](Teingabecontstd2& dialog) {
            auto* edit = dialog.findChild<QLineEdit*>(QString::fromLatin1(c.field));
            ASSERT_NE(edit, nullptr);
            QTest::mouseClick(edit, Qt::LeftButton);
            edit->selectAll();
            test::TypeKeys(dialog, QString::fromLatin1(c.typed) + QLatin1Char('\r'));
            stayed = QApplication::activeModalWidget() == &dialog;
            EXPECT_EQ(QApplication::focusWidget(), edit);  // the refused field
            test::PressKey(Qt::Key_Escape);
        });
        QTest::keyClick(&grid, Qt::Key_Home, Qt::ControlModifier);
        QTest::keyClick(&grid, Qt::Key_Return);
        EXPECT_TRUE(stayed);
        EXPECT_EQ(messages_.LastText(), c.message);
        EXPECT_EQ(desktop.beeps, c.beeps);
    }
    const std::vector<QsoRecord> log = Records();
    ASSERT_EQ(log.size(), 2u);
    ExpectStored(log[0], {"DL1ABC", "26", "27", "JO31AA", 509}, 1);
    EXPECT_EQ(log[0].Datum(), radio::DayNumber(12, 8, 2012));
    EXPECT_EQ(log[0].Zeit(), 12 * 3600 + 60);
}

}  // namespace
}  // namespace mss::app
