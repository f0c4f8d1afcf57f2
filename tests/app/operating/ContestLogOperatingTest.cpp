// The log form while operating with other programs: contacts that WSJT-X and
// MSHV announce arrive as real datagrams on a loopback port and are saved or
// refused and listed; the radio's frequency comes from Hamlib's dummy radio;
// the super check partial line follows the typed call. And the setup of it.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDataStream>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTest>
#include <QUdpSocket>
#include <fstream>
#include <random>

#include "app/AppTestSupport.h"
#include "app/listwindows/BandLogBrow.h"
#include "app/logform/ContestLogStart.h"
#include "app/logform/ContestLogStd.h"
#include "app/logform/LogEntryPanel.h"
#include "app/operating/OperatingPanel.h"
#include "app/operating/OperatingSetup.h"
#include "app/operating/RigPoller.h"
#include "app/operating/WsjtxListener.h"
#include "contest/Catalogue.h"
#include "log/ContestLog.h"
#include "log/LogKeys.h"
#include "platform/Clock.h"
#include "radio/DateTime.h"
#include "radio/Locator.h"
#include "suite/CallbookRecord.h"
#include "ui/KxEdit.h"

namespace mss::app {
namespace {

using log::QsoRecord;

// One contact as a digital-mode program announces it.
struct Announced {
    QString call;
    QString grid;
    quint64 hz = 144'360'000;
    QString mode = QStringLiteral("MSK144");
    int day = 12, hour = 12, minute = 34, second = 56;  // August 2012, UTC
};

qint64 JulianDay(int day) {
    return QDate(2012, 8, day).toJulianDay();
}

// The message header: magic, schema, type, the sender's id.
void Header(QDataStream& out, quint32 type) {
    out << quint32(0xADBCCBDA) << quint32(3) << type << QByteArray("WSJT-X");
}

void Utf8(QDataStream& out, const QString& text) {
    out << text.toUtf8();
}

void DateTimeUtc(QDataStream& out, const Announced& a) {
    out << JulianDay(a.day) << quint32(((a.hour * 60 + a.minute) * 60 + a.second) * 1000)
        << quint8(1);
}

// Type 5 "QSO Logged" with every field of the current programs.
QByteArray QsoLogged(const Announced& a) {
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    Header(out, 5);
    DateTimeUtc(out, a);  // time off
    Utf8(out, a.call);
    Utf8(out, a.grid);
    out << a.hz;
    Utf8(out, a.mode);
    for (const char* text : {"26", "27", "100", "", ""}) Utf8(out, QString::fromLatin1(text));
    DateTimeUtc(out, a);  // time on
    for (const char* text : {"", "DL1XX", "JO62", "", "", ""}) Utf8(out, QString::fromLatin1(text));
    return bytes;
}

// Type 12 "Logged ADIF" of the same contact.
QByteArray LoggedAdif(const Announced& a) {
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    Header(out, 12);
    auto field = [](const char* name, const QString& value) {
        return QStringLiteral("<%1:%2>%3 ")
            .arg(QString::fromLatin1(name))
            .arg(value.size())
            .arg(value);
    };
    const QString time = QStringLiteral("%1%2%3")
                             .arg(a.hour, 2, 10, QLatin1Char('0'))
                             .arg(a.minute, 2, 10, QLatin1Char('0'))
                             .arg(a.second, 2, 10, QLatin1Char('0'));
    const QString adif =
        QStringLiteral("\n<adif_ver:5>3.1.0\n<programid:6>WSJT-X\n<EOH>\n") +
        field("call", a.call) + field("gridsquare", a.grid) + field("mode", a.mode) +
        field("qso_date", QStringLiteral("201208%1").arg(a.day)) + field("time_on", time) +
        field("freq", QString::number(static_cast<double>(a.hz) / 1e6, 'f', 6)) +
        QStringLiteral("<eor>");
    Utf8(out, adif);
    return bytes;
}

// A "QSO Logged" datagram of MSHV written out byte by byte from the layout:
// OK1XYZ in JO70 on 144.360 MHz in MSK144 at 12.08.2012 12:34:56 UTC,
// ending after the name as older senders do.
const unsigned char kCapturedQsoLogged[] = {
    0xAD, 0xBC, 0xCB, 0xDA,                                    // magic
    0x00, 0x00, 0x00, 0x02,                                    // schema 2
    0x00, 0x00, 0x00, 0x05,                                    // type 5
    0x00, 0x00, 0x00, 0x04, 'M',  'S',  'H',  'V',             // id
    0x00, 0x00, 0x00, 0x00, 0x00, 0x25, 0x7A, 0x58,            // time off: Julian day 2456152
    0x02, 0xB3, 0x29, 0x80,                                    // 45 296 000 ms = 12:34:56
    0x01,                                                      // UTC
    0x00, 0x00, 0x00, 0x06, 'O',  'K',  '1',  'X',  'Y', 'Z',  // DX call
    0x00, 0x00, 0x00, 0x04, 'J',  'O',  '7',  '0',             // DX grid
    0x00, 0x00, 0x00, 0x00, 0x08, 0x9A, 0xC2, 0x40,            // 144 360 000 Hz
    0x00, 0x00, 0x00, 0x06, 'M',  'S',  'K',  '1',  '4', '4',  // mode
    0x00, 0x00, 0x00, 0x02, '2',  '6',                         // report sent
    0x00, 0x00, 0x00, 0x02, '2',  '7',                         // report received
    0x00, 0x00, 0x00, 0x00,                                    // Tx power
    0x00, 0x00, 0x00, 0x00,                                    // comments
    0xFF, 0xFF, 0xFF, 0xFF,                                    // name: null
};

class ContestLogOperatingTest : public test::StoreTest {
  protected:
    void SetUp() override {
        test::StoreTest::SetUp();
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                           QString::fromStdString(RunDir()) + QStringLiteral("settings"));
        ASSERT_TRUE(suite::OpenQVCBUCH());
        port_ = FreePort();
        settings_.udpPort = port_;
        settings_.scpFile = QString::fromStdString(RunDir()) + QStringLiteral("MASTER.SCP");
        std::ofstream(RunDir() + "MASTER.SCP") << "# test calls\nG4XAB\nDL9XAC\nOK1XYZ\n";
    }
    void TearDown() override {
        form_.reset();
        suite::CloseQVCBUCH();
        test::StoreTest::TearDown();
    }

    static quint16 FreePort() {
        QUdpSocket probe;
        EXPECT_TRUE(probe.bind(QHostAddress::LocalHost, 0));
        return probe.localPort();
    }

    void Open() {
        SaveOperatingSettings(settings_);
        contest::ContestEntry entry;
        entry.SetCode('j');
        entry.SetName("MS Sprint 2012");
        entry.SetDateAuto(true);
        entry.SetTimeAuto(true);
        entry.SetCategory(1);
        (void)contest::FillContestDefinition('j', entry);
        std::int32_t number = 0;
        ASSERT_EQ(contest::AddContestEntry(entry, contest::ContestExtra{}, number), 0);
        form_ = PrepareContestLog(number, nullptr);
        ASSERT_NE(form_, nullptr);
        form_->show();
        QApplication::setActiveWindow(form_.get());
        form_->ClockTick();  // date and time of the contact being typed
    }

    void Send(const QByteArray& datagram) {
        QUdpSocket sender;
        ASSERT_EQ(sender.writeDatagram(datagram, QHostAddress::LocalHost, port_), datagram.size());
    }
    // Sends and waits until the log has `stored` contacts and the refused
    // list `refused` rows (or a timeout fails the test).
    void SendAndWait(const QByteArray& datagram, std::size_t stored, int refused) {
        Send(datagram);
        EXPECT_TRUE(QTest::qWaitFor(
            [&] { return Records().size() == stored && Refused()->count() == refused; }, 3000))
            << Records().size() << " stored, " << Refused()->count() << " refused";
    }

    std::vector<QsoRecord> Records() { return test::LogRecords(); }
    QListWidget* Refused() { return form_->Operating().listAbgelehnt; }
    QString LastRefused() { return Refused()->item(Refused()->count() - 1)->text(); }
    LogEntryPanel& Panel() { return form_->Panel(); }

    platform::FakeClock clock_{{2012, 8, 12, 16, 0, 0}};
    platform::ScopedClock installClock_{clock_};
    OperatingSettings settings_;
    quint16 port_ = 0;
    std::unique_ptr<TContestLogStd> form_;
};

TEST_F(ContestLogOperatingTest, AnAnnouncedContactIsStoredWithBandModeLocatorTimeAndPoints) {
    Open();
    SendAndWait(QsoLogged({QStringLiteral("DL9XAB"), QStringLiteral("JO40AB")}), 1, 0);
    const QsoRecord c = Records()[0];
    EXPECT_EQ(c.Call(), "DL9XAB");
    EXPECT_EQ(c.Band(), 'k');
    EXPECT_EQ(c.Mode(), "MSK144");
    EXPECT_EQ(c.Locator(), "JO40AB");
    EXPECT_EQ(c.Datum(), radio::DayNumber(12, 8, 2012));
    EXPECT_EQ(c.Zeit(), (12 * 60 + 34) * 60 + 56);
    EXPECT_FLOAT_EQ(c.Freq(), 144.36f);
    EXPECT_EQ(c.Punkte(), radio::QrbKm("JO40AB"));
    EXPECT_GT(c.Punkte(), 0);
    EXPECT_EQ(form_->Session().totals.contacts['k'], 1);
    EXPECT_EQ(form_->Session().totals.points['k'], c.Punkte());
    // The captured MSHV datagram, without time on and name, is a second contact.
    SendAndWait(
        QByteArray(reinterpret_cast<const char*>(kCapturedQsoLogged), sizeof kCapturedQsoLogged), 2,
        0);
    const QsoRecord mshv = Records()[1];
    EXPECT_EQ(mshv.Call(), "OK1XYZ");
    EXPECT_EQ(mshv.Locator(), "JO70");
    EXPECT_EQ(mshv.LfdNr(), 2);
    EXPECT_EQ(mshv.Punkte(), radio::QrbKm("JO70"));
    EXPECT_TRUE(messages_.shown().empty()) << messages_.LastText();
}

TEST_F(ContestLogOperatingTest, RefusedContactsAreListedWithTheirReason) {
    Open();
    const Announced first{QStringLiteral("DL9XAB"), QStringLiteral("JO40")};
    SendAndWait(QsoLogged(first), 1, 0);
    struct Case {
        Announced contact;
        const char* reason;
    };
    Announced again = first;
    again.minute = 50;  // worked again later: a duplicate, not the twin of a pair
    Announced ft8{QStringLiteral("OK1ABC"), QStringLiteral("JO70")};
    ft8.mode = QStringLiteral("FT8");
    Announced uhf{QStringLiteral("OK1ABD"), QStringLiteral("JO70")};
    uhf.hz = 432'200'000;
    const Case cases[] = {
        {again, "Call bereits auf Band vorhanden"},
        {ft8, "Betriebsart nicht im Contest (FT8)"},
        {uhf, "Band nicht im Contest (432,2000 MHz)"},
        {{QStringLiteral("XX"), QStringLiteral("JO70")}, "Rufzeichen ung\u00fcltig (XX)"},
    };
    int refused = 0;
    for (const Case& c : cases) {
        SendAndWait(QsoLogged(c.contact), 1, ++refused);
        EXPECT_TRUE(LastRefused().contains(c.contact.call)) << LastRefused().toStdString();
        EXPECT_TRUE(LastRefused().endsWith(QString::fromUtf8(c.reason)))
            << LastRefused().toStdString();
    }
    EXPECT_TRUE(messages_.shown().empty()) << messages_.LastText();
}

TEST_F(ContestLogOperatingTest, DamagedAndForeignDatagramsAreIgnoredAndCounted) {
    Open();
    const QByteArray good = QsoLogged({QStringLiteral("DL9XAB"), QStringLiteral("JO40")});
    QByteArray badMagic = good;
    badMagic[0] = 0x00;
    QByteArray status;
    {
        QDataStream out(&status, QIODevice::WriteOnly);
        Header(out, 1);  // "Status": not a contact
        Utf8(out, QStringLiteral("144.360"));
    }
    QByteArray noise(65507, '\0');  // the largest datagram IPv4 carries
    std::mt19937 random(19);
    for (char& byte : noise) byte = static_cast<char>(random());
    const QByteArray sent[] = {good.left(good.size() - 7), badMagic, status, noise};
    for (const QByteArray& datagram : sent) Send(datagram);
    // The good one after them shows they have all been read.
    SendAndWait(good, 1, 0);
    EXPECT_EQ(form_->Operating().Listener()->MalformedCount(), 3);
    EXPECT_TRUE(form_->Operating().lUDP->text().contains(QStringLiteral("3 fehlerhafte")));
}

TEST_F(ContestLogOperatingTest, AContactAndItsAdifMessageStoreItOnce) {
    Open();
    const Announced a{QStringLiteral("DL9XAB"), QStringLiteral("JO40AB")};
    Send(QsoLogged(a));
    Send(LoggedAdif(a));
    // A second contact after the pair shows the pair has been handled.
    Announced b{QStringLiteral("OK1XYZ"), QStringLiteral("JO70")};
    b.minute = 40;
    Send(LoggedAdif(b));
    Send(QsoLogged(b));
    EXPECT_TRUE(QTest::qWaitFor([this] { return Records().size() == 2; }, 3000));
    QTest::qWait(200);
    EXPECT_EQ(Records().size(), 2u);
    EXPECT_EQ(Refused()->count(), 0);
    EXPECT_EQ(Records()[1].Call(), "OK1XYZ");
    EXPECT_EQ(Records()[1].Zeit(), (12 * 60 + 40) * 60 + 56);
}

TEST_F(ContestLogOperatingTest, TheContactBeingTypedStaysWhileOneArrives) {
    Open();
    QTest::keyClicks(Panel().eCall, QStringLiteral("oe1xyz"));
    SendAndWait(QsoLogged({QStringLiteral("DL9XAB"), QStringLiteral("JO40")}), 1, 0);
    EXPECT_EQ(Panel().eCall->text(), QStringLiteral("OE1XYZ"));
    EXPECT_TRUE(Panel().eCall->hasFocus());
    QTest::keyClick(Panel().eCall, Qt::Key_Return);
    QTest::keyClicks(Panel().eRSTr[1], QStringLiteral("jn88ee"));
    QTest::keyClick(Panel().eRSTr[1], Qt::Key_Return);
    ASSERT_EQ(Records().size(), 2u);
    EXPECT_EQ(Records()[1].Call(), "OE1XYZ");
    EXPECT_EQ(Records()[1].LfdNr(), 2);
    EXPECT_EQ(Records()[1].Mode(), "CW");
}

TEST_F(ContestLogOperatingTest, TheDummyRadiosFrequencyFillsThePanel) {
    settings_.rig = {1, "", 0};
    Open();
    TRigPoller* radio = form_->Operating().Radio();
    ASSERT_NE(radio, nullptr);
    EXPECT_TRUE(form_->Operating().panelCAT->isVisible());
    radio->SetFrequency(144'360'000);
    EXPECT_TRUE(QTest::qWaitFor(
        [this] { return Panel().eFreq->text() == QStringLiteral("144,3600"); }, 5000))
        << Panel().eFreq->text().toStdString();
    EXPECT_EQ(form_->Session().band, 'k');
    EXPECT_FLOAT_EQ(form_->State().contact.Freq(), 144.36f);
    EXPECT_TRUE(form_->Operating().lCAT->text().contains(QStringLiteral("2 m")))
        << form_->Operating().lCAT->text().toStdString();
}

// Model 2 shares the radio through rigctld, here rigctld over Hamlib's dummy.
TEST_F(ContestLogOperatingTest, ARadioSharedThroughRigctldFillsThePanel) {
    const QString rigctld = QStandardPaths::findExecutable(QStringLiteral("rigctld"));
    if (rigctld.isEmpty()) GTEST_SKIP() << "rigctld (Debian libhamlib-utils) is not installed";
    const quint16 rigPort = FreePort();
    QProcess daemon;
    daemon.start(rigctld,
                 {QStringLiteral("-m"), QStringLiteral("1"), QStringLiteral("-T"),
                  QStringLiteral("127.0.0.1"), QStringLiteral("-t"), QString::number(rigPort)});
    ASSERT_TRUE(daemon.waitForStarted());
    settings_.rig = {2, "127.0.0.1:" + std::to_string(rigPort), 0};
    Open();
    // rigctld may take a moment to listen; the radio is tried again until it does.
    ASSERT_TRUE(QTest::qWaitFor(
        [this] { return form_->Operating().lCAT->text().endsWith(QStringLiteral("2 m")); }, 10000))
        << form_->Operating().lCAT->text().toStdString();
    form_->Operating().Radio()->SetFrequency(144'360'000);
    EXPECT_TRUE(QTest::qWaitFor(
        [this] { return Panel().eFreq->text() == QStringLiteral("144,3600"); }, 5000))
        << form_->Operating().lCAT->text().toStdString();
    EXPECT_EQ(form_->Session().band, 'k');
    form_.reset();
    daemon.terminate();
    daemon.waitForFinished();
}

TEST_F(ContestLogOperatingTest, WithoutARadioNothingPollsAndNothingIsSaid) {
    Open();
    EXPECT_EQ(form_->Operating().Radio(), nullptr);
    EXPECT_FALSE(form_->Operating().panelCAT->isVisible());
    QTest::qWait(1200);
    EXPECT_TRUE(messages_.shown().empty());
    EXPECT_TRUE(Panel().eFreq->text().isEmpty());
}

TEST_F(ContestLogOperatingTest, SuperCheckPartialShowsKnownCallsWithWorkedOnesMarked) {
    for (const char* call : {"DL9XAB", "OK1XAB", "DL1AAA"}) {
        suite::CallbookRecord known;
        known.SetCall(call);
        ASSERT_EQ(suite::StoreInCallbook(known), 0);
    }
    Open();
    SendAndWait(QsoLogged({QStringLiteral("DL9XAB"), QStringLiteral("JO40")}), 1, 0);
    struct Case {
        const char* typed;
        const char* line;  // as the tool tip gives it
    };
    const Case cases[] = {
        {"X", ""},   {"XAB", "DL9XAB* G4XAB OK1XAB"}, {"DL9", "DL9XAB* DL9XAC"}, {"XYZ", "OK1XYZ"},
        {"QQQ", ""},
    };
    for (const Case& c : cases) {
        Panel().eCall->clear();
        QTest::keyClicks(Panel().eCall, QString::fromLatin1(c.typed));
        EXPECT_EQ(form_->Operating().lSCP->toolTip().toStdString(), c.line) << c.typed;
    }
    Panel().eCall->clear();
    EXPECT_TRUE(form_->Operating().lSCP->toolTip().isEmpty());
}

TEST_F(ContestLogOperatingTest, ScreenshotShowsTheRefusedListAndTheScpLine) {
    settings_.rig = {1, "", 0};
    Open();
    SendAndWait(QsoLogged({QStringLiteral("DL9XAB"), QStringLiteral("JO40AB")}), 1, 0);
    Announced again{QStringLiteral("DL9XAB"), QStringLiteral("JO40AB")};
    again.minute = 59;
    SendAndWait(QsoLogged(again), 1, 1);
    form_->Operating().Radio()->SetFrequency(144'360'000);
    EXPECT_TRUE(QTest::qWaitFor(
        [this] { return Panel().eFreq->text() == QStringLiteral("144,3600"); }, 5000));
    QTest::keyClicks(Panel().eCall, QStringLiteral("xa"));
    const QImage shot = form_->grab().toImage();
    ASSERT_FALSE(shot.isNull());
    const QString out = QString::fromLocal8Bit(qgetenv("MSS_SCREENSHOT_DIR"));
    if (!out.isEmpty()) shot.save(out + QStringLiteral("/log-form-operating.png"));
}

TEST_F(ContestLogOperatingTest, TheSetupDialogStoresSoundSettingsOnly) {
    TOperatingSetup dialog(LoadOperatingSettings(), nullptr);
    dialog.show();
    test::Screenshot(dialog, "operating-setup.png");
    auto* port = dialog.findChild<QLineEdit*>(QStringLiteral("eUDPPort"));
    auto* group = dialog.findChild<QLineEdit*>(QStringLiteral("eMulticast"));
    auto* model = dialog.findChild<QComboBox*>(QStringLiteral("eRigModell"));
    auto* rigPort = dialog.findChild<QLineEdit*>(QStringLiteral("eRigPort"));
    ASSERT_TRUE(port && group && model && rigPort);
    EXPECT_EQ(port->text(), QStringLiteral("2237"));
    struct Case {
        const char* port;
        const char* group;
        const char* message;  // empty: stored
    };
    const Case cases[] = {
        {"70000", "", "Der UDP-Port muss zwischen 1 und 65535 liegen."},
        {"x", "", "Der UDP-Port muss zwischen 1 und 65535 liegen."},
        {"2238", "192.168.1.1",
         "Die Multicast-Gruppe ist keine Multicast-Adresse "
         "(224.0.0.0 bis 239.255.255.255)."},
        {"2238", "239.255.0.1", ""},
    };
    model->setCurrentIndex(model->findData(2));
    rigPort->setText(QStringLiteral("localhost:4532"));
    for (const Case& c : cases) {
        messages_.Clear();
        port->setText(QString::fromLatin1(c.port));
        group->setText(QString::fromLatin1(c.group));
        QTest::keyClick(port, Qt::Key_Return);
        EXPECT_EQ(messages_.LastText(), c.message) << c.port << " " << c.group;
        EXPECT_EQ(dialog.result() == QDialog::Accepted, *c.message == 0) << c.port;
    }
    const OperatingSettings stored = LoadOperatingSettings();
    EXPECT_EQ(stored.udpPort, 2238);
    EXPECT_EQ(stored.multicastGroup, QStringLiteral("239.255.0.1"));
    EXPECT_EQ(stored.rig.Model, 2);
    EXPECT_EQ(stored.rig.Port, "localhost:4532");
}

}  // namespace
}  // namespace mss::app
