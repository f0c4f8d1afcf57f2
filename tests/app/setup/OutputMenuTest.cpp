// The output menu of the setup dialog driven as an operator drives it: the
// "Drucken / E-Log" button, a click on a menu item, the notice, the save or
// print dialog, the confirmation and the review editor; the EDI station
// dialog filled in by keys; with screenshots of the menu and the dialog.
#include <QComboBox>
#include <QImage>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QProcess>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "app/AppTestSupport.h"
#include "app/setup/EingContestStd.h"
#include "app/setup/OutputMenu.h"
#include "app/setup/PrintSetup.h"
#include "app/setup/Tuhfteilnehmer.h"
#include "app/setup/Twagdatei.h"
#include "contest/Catalogue.h"
#include "log/ContestLog.h"
#include "output/OutputMenu.h"
#include "platform/Clock.h"
#include "platform/FaultInjectingFileSystem.h"
#include "platform/qt/QtText.h"
#include "radio/DateTime.h"
#include "ui/KxEdit.h"

namespace mss::app {
namespace {

namespace fs = std::filesystem;

std::string ReadBytes(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

// The save dialog as the operator answers it: the proposed name in the
// data directory, or cancelled.
class AnsweredSaveDialog : public SaveFileDialog {
  public:
    std::optional<std::string> Ask(QWidget*, const std::string& filterText,
                                   const std::string& proposed,
                                   const std::string& defaultSuffix) override {
        filter = filterText;
        fileName = proposed;
        suffix = defaultSuffix;
        if (cancel) return std::nullopt;
        return folder + proposed;
    }
    std::string folder;
    bool cancel = false;
    std::string filter, fileName, suffix;
};

// The print dialog with "print to PDF" chosen.
class PdfPrintDialog : public PrintSetupDialog {
  public:
    bool Ask(QWidget*, QPrinter& printer) override {
        ++asked;
        if (cancel) return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(pdf));
        return true;
    }
    std::string pdf;
    bool cancel = false;
    int asked = 0;
};

// The text of a PDF file as poppler reads it back.
std::string PdfText(const std::string& pdf) {
    QProcess reader;
    reader.start(QStringLiteral("pdftotext"),
                 {QStringLiteral("-layout"), QString::fromStdString(pdf), QStringLiteral("-")});
    EXPECT_TRUE(reader.waitForFinished(20000));
    return reader.readAllStandardOutput().toStdString();
}

using test::Screenshot;

class OutputMenuTest : public test::StoreTest {
  protected:
    void SetUp() override {
        StoreTest::SetUp();
        save_.folder = RunDir();
        print_.pdf = RunDir() + "print.pdf";
    }

    // A new entry of contest `code` filled in and saved, its log holding
    // three contacts, the dialog waiting for "Drucken / E-Log".
    std::unique_ptr<TEingContestStd> Prepare(char code) {
        SetupHooks hooks;
        hooks.fillDefinition = [code](contest::ContestEntry& entry) {
            return contest::FillContestDefinition(code, entry);
        };
        hooks.outputMenu = ShowOutputMenu;
        auto dialog = std::make_unique<TEingContestStd>(SetupMode::NewEntry, false, code, hooks);
        dialog->show();
        dialog->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
        test::FillInEntry(*dialog);
        EXPECT_EQ(dialog->Entry().Number(), 1);
        LogContacts(1);
        return dialog;
    }

    static void LogContacts(std::int32_t entry) {
        ASSERT_TRUE(log::OpenContestLog(entry));
        const struct {
            const char* call;
            const char* locator;
            const char* prefix;
            int km;
        } kContacts[] = {{"OH5AA", "KP20LE", "OH", 1402},
                         {"SM7XY", "JO65MK", "SM", 318},
                         {"DK2ZF", "JO62QA", "DL", 41}};
        int minute = 0;
        for (const auto& c : kContacts) {
            log::QsoRecord contact;
            contact.SetCall(c.call);
            contact.SetBand('k');
            contact.SetMode("CW");
            contact.SetDatum(radio::DayNumber(12, 8, 2026));
            contact.SetZeit(12 * 3600 + 60 * (++minute));
            contact.SetLocator(c.locator);
            contact.SetPrefix(c.prefix);
            contact.SetQrb(c.km);
            contact.SetPunkte(static_cast<std::uint16_t>(c.km));
            EXPECT_EQ(log::AddContact(*log::OpenLog(), contact), 0);
        }
        log::CloseContestLog();
    }

    // Presses "Drucken / E-Log" and clicks the menu item `caption`; the
    // enabled items of the menu are kept in enabled_.
    void Choose(TEingContestStd& dialog, const QString& caption, bool screenshot = false) {
        enabled_.clear();
        test::WhenPopup<QMenu>([this, caption, screenshot](QMenu& menu) {
            QAction* chosen = nullptr;
            for (QAction* action : menu.actions()) {
                if (action->isEnabled() && !action->isSeparator()) enabled_ << action->text();
                if (action->text() == caption) chosen = action;
            }
            if (screenshot) Screenshot(menu, "output-menu.png");
            if (chosen == nullptr || !chosen->isEnabled()) {
                ADD_FAILURE() << "no enabled item " << caption.toStdString();
                menu.close();
                return;
            }
            QTest::mouseClick(&menu, Qt::LeftButton, {}, menu.actionGeometry(chosen).center());
        });
        test::ClickOn(dialog, "btnDruck");
    }

    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (const auto& shown : messages_.shown()) texts.push_back(shown.text);
        return texts;
    }

    AnsweredSaveDialog save_;
    ScopedSaveFileDialog installSave_{save_};
    PdfPrintDialog print_;
    ScopedPrintSetupDialog installPrint_{print_};
    QStringList enabled_;
};

TEST_F(OutputMenuTest, EveryFileOfTheSprintIsWrittenThroughTheSaveDialog) {
    auto dialog = Prepare('j');
    const struct {
        const char* caption;
        const char* name;
        const char* filter;
        const char* notice;
        const char* contains;  // besides the calls of the log
        bool reviewed;
        const char* question = nullptr;  // the writer's own, answered No
    } kItems[] = {
        {"E-Log Gesamtdatei", "DL1ABC.TXT", "E-Log Gesamtdatei (*.TXT)", "E-Log - Gesamtdatei ",
         "Endergebnis", false},
        {"E-Log Deckblatt", "DL1ABC.SUM", "E-Log Deckblatt (*.SUM)", "E-Log - Deckblattdatei ",
         "Endergebnis", true},
        {"E-Log QSO-Liste", "DL1ABC.ALL", "E-Log Liste (*.ALL)", "E-Log - Listendatei ",
         "QSO-Liste", true},
        {"E-Log Band-Liste", "DL1ABC.BND", "E-Log Bandliste (*.BND)", "E-Log - Bandlistendatei ",
         "Band List", true},
        {"ADIF- Exportdatei der QSO-Liste", "DL1ABC.ADI", "ADIF-Liste (*.ADI)",
         "ADIF - Listendatei ", "<EOH>", false, "Von der Kontrollnummer nur RS(T) exportieren?"},
        {"CSV- Exportdatei der QSO-Liste", "DL1ABC.CSV", "CSV-Liste (*.CSV)", "CSV - Listendatei ",
         ";UTC ;", false},
    };
    for (const auto& item : kItems) {
        SCOPED_TRACE(item.caption);
        messages_.Clear();
        const std::string path = RunDir() + item.name;
        QString reviewedCaption;
        QString reviewedText;
        if (item.reviewed) {
            test::WhenModal<Twagdatei>([&](Twagdatei& editor) {
                reviewedCaption = editor.windowTitle();
                reviewedText = editor.findChild<QPlainTextEdit*>("Memo1")->toPlainText();
                editor.close();  // the close box: the file stays as written
            });
        }
        Choose(*dialog, QString::fromUtf8(item.caption));
        EXPECT_EQ(save_.fileName, item.name);
        EXPECT_EQ(save_.filter, item.filter);
        EXPECT_EQ(save_.suffix, std::string(item.name).substr(7));
        std::vector<std::string> expected = {"Geben Sie im folgenden Dialog an, wohin die " +
                                             std::string(item.notice) + item.name +
                                             " gespeichert werden soll."};
        if (item.question) expected.push_back(item.question);
        if (std::string(item.name) != "DL1ABC.SUM")
            expected.push_back("Datei " + path + " wurde erstellt.");
        EXPECT_EQ(Texts(), expected);
        const std::string written = ReadBytes(path);
        EXPECT_NE(written.find(item.contains), std::string::npos) << written;
        for (const char* call : {"OH5AA", "SM7XY", "DK2ZF"}) {
            if (std::string(item.name) != "DL1ABC.SUM") {
                EXPECT_NE(written.find(call), std::string::npos) << call;
            }
        }
        EXPECT_NE(written.find("\r\n"), std::string::npos);
        EXPECT_FALSE(fs::exists(path + ".part"));
        if (item.reviewed) {
            EXPECT_EQ(reviewedCaption, QString::fromStdString(path));
            EXPECT_TRUE(reviewedText.contains(QString::fromLatin1(item.contains)));
            EXPECT_EQ(ReadBytes(path), written);
        }
    }
    EXPECT_EQ(enabled_, QStringList({"E-Log Gesamtdatei", "E-Log Deckblatt", "E-Log QSO-Liste",
                                     "E-Log Band-Liste", "ADIF- Exportdatei der QSO-Liste",
                                     "CSV- Exportdatei der QSO-Liste", "Karte und Statistik (PNG)",
                                     "Papierlog - Deckblatt", "Papierlog - QSO-Liste"}));
}

TEST_F(OutputMenuTest, CancellingTheSaveDialogWritesNothing) {
    auto dialog = Prepare('j');
    const std::string path = RunDir() + "DL1ABC.ALL";
    std::ofstream(path, std::ios::binary) << "the old list";
    save_.cancel = true;
    Choose(*dialog, QStringLiteral("E-Log QSO-Liste"), true);
    EXPECT_EQ(save_.fileName, "DL1ABC.ALL");
    EXPECT_EQ(messages_.shown().size(), 1u) << messages_.LastText();
    EXPECT_EQ(ReadBytes(path), "the old list");
    EXPECT_FALSE(fs::exists(path + ".part"));
}

TEST_F(OutputMenuTest, PrintedListsAndTheReviewEditorPrintToPdf) {
    auto dialog = Prepare('j');
    const struct {
        const char* caption;
        std::vector<const char*> shows;
    } kPrints[] = {
        {"Papierlog - QSO-Liste", {"QSO-Liste", "DL1ABC", "OH5AA", "SM7XY", "DK2ZF"}},
        {"Papierlog - Deckblatt", {"MSSprint-Contest", "DL1ABC", "Max M", "Endergebnis"}},
    };
    for (const auto& item : kPrints) {
        SCOPED_TRACE(item.caption);
        fs::remove(print_.pdf);
        messages_.Clear();
        Choose(*dialog, QString::fromUtf8(item.caption));
        EXPECT_TRUE(messages_.shown().empty()) << messages_.LastText();
        const std::string text = PdfText(print_.pdf);
        for (const char* shown : item.shows) EXPECT_NE(text.find(shown), std::string::npos) << text;
    }

    // A cancelled print dialog prints nothing.
    fs::remove(print_.pdf);
    print_.cancel = true;
    Choose(*dialog, QStringLiteral("Papierlog - QSO-Liste"));
    EXPECT_FALSE(fs::exists(print_.pdf));
    print_.cancel = false;

    // The review editor prints the list with the operator's edit.
    test::WhenModal<Twagdatei>([](Twagdatei& editor) {
        auto* memo = editor.findChild<QPlainTextEdit*>("Memo1");
        memo->moveCursor(QTextCursor::End);
        QTest::keyClicks(memo, QStringLiteral("Geprueft"));
        test::ClickOn(editor, "btnDrucken");
        editor.close();
    });
    Choose(*dialog, QStringLiteral("E-Log QSO-Liste"));
    const std::string text = PdfText(print_.pdf);
    EXPECT_NE(text.find("OH5AA"), std::string::npos) << text;
    EXPECT_NE(text.find("Geprueft"), std::string::npos) << text;
    EXPECT_NE(ReadBytes(RunDir() + "DL1ABC.ALL").find("Geprueft\r\n"), std::string::npos);
}

// The station dialog as the operator fills it in: two fields typed over,
// a section and a band chosen from their lists, two lines of remarks.
void FillStation(Tuhfteilnehmer& station) {
    test::TypeInto(station, "remail", QStringLiteral("dl1abc@example.org"));
    test::TypeInto(station, "rpower", QStringLiteral("750"));
    test::TypeInto(station, "rtrx", QStringLiteral("IC-9700"));
    auto* section = station.findChild<QComboBox*>("psect");
    section->setFocus();
    section->lineEdit()->selectAll();
    QTest::keyClick(section, Qt::Key_Delete);
    QTest::keyClick(section, Qt::Key_Down);  // the first section of the list
    auto* band = station.findChild<QComboBox*>("pband");
    band->setFocus();
    for (int i = 0; i < 4; ++i) QTest::keyClick(band, Qt::Key_Down);
    auto* remarks = station.findChild<QPlainTextEdit*>("rremarks");
    remarks->setFocus();
    QTest::keyClicks(remarks, QStringLiteral("Gutes Wetter."));
    QTest::keyClick(remarks, Qt::Key_Return);
    QTest::keyClicks(remarks, QStringLiteral("Danke!"));
    Screenshot(station, "edi-station.png");
    test::ClickOn(station, "btnOK");
}

QString Field(QWidget& station, const char* name) {
    return station.findChild<ui::TkxEdit*>(QString::fromLatin1(name))->text();
}

TEST_F(OutputMenuTest, TheEdiFileTakesItsStationLinesFromTheDialog) {
    platform::FakeClock clock({2026, 8, 14, 18, 30, 5});
    platform::ScopedClock installClock(clock);
    auto dialog = Prepare('N');
    const std::string path = RunDir() + "DL1ABC.EDI";

    std::map<std::string, QString> shown;
    test::WhenModal<Tuhfteilnehmer>([&shown](Tuhfteilnehmer& station) {
        for (const char* name : {"pcall", "ploc", "padr1", "padr2", "pclub1", "pclub2", "rname",
                                 "radr1", "rpoco", "rcity", "remail"})
            shown[name] = Field(station, name);
        shown["caption"] = station.windowTitle();
        shown["sections"] = QString::number(station.findChild<QComboBox*>("psect")->count());
        FillStation(station);
    });
    Choose(*dialog, QStringLiteral("EDI-Datei (empfohlen)"));
    EXPECT_EQ(shown["caption"], platform::QtText(dialog->Definition().Title));
    EXPECT_EQ(shown["pcall"], QStringLiteral("DL1ABC"));
    EXPECT_EQ(shown["ploc"], QStringLiteral("JO61UA"));
    EXPECT_EQ(shown["padr1"], QStringLiteral("Hauptstraße 1"));
    EXPECT_EQ(shown["padr2"], QStringLiteral("01234 Dresden"));
    EXPECT_EQ(shown["pclub1"], QStringLiteral("DARC"));
    EXPECT_EQ(shown["pclub2"], QStringLiteral("F12"));
    EXPECT_EQ(shown["rname"], QStringLiteral("Max Müller"));
    EXPECT_EQ(shown["rpoco"], QStringLiteral("01234"));
    EXPECT_EQ(shown["rcity"], QStringLiteral("Dresden"));
    EXPECT_EQ(shown["remail"], QString());
    EXPECT_EQ(shown["sections"], QStringLiteral("28"));
    EXPECT_EQ(messages_.LastText(), "Datei " + path + " wurde erstellt.");

    const std::string edi = ReadBytes(path);
    for (const char* line :
         {"\r\n[REG1TEST;1]\r\n", "\r\nTDate=20260812;20260813\r\n", "\r\nPCall=DL1ABC\r\n",
          "\r\nPWWLo=JO61UA\r\n",
          "\r\nPAdr1=Hauptstra\xDF"
          "e 1\r\n",
          "\r\nPSect=01  144MHz Einmann\r\n", "\r\nPBand=432MHz\r\n", "\r\nPClub=DARC;F12\r\n",
          "\r\nRName=Max M\xFCller\r\n", "\r\nRHBBS=dl1abc@example.org\r\n", "\r\nSPowe=750\r\n",
          "\r\nSRXEq=IC-9700\r\n", "\r\nCQSOs=3;1\r\n", "\r\nCODXC=OH5AA;KP20LE;1402\r\n",
          "\r\n[Remarks]\r\nGutes Wetter.\r\nDanke!\r\n[QSORecords;3]\r\n",
          "\r\n260812;1201;OH5AA;2;;;;;;KP20LE;1402;;;;\r\n"})
        EXPECT_NE(edi.find(line), std::string::npos) << line << "\n" << edi;
    const std::string memory = ReadBytes(RunDir() + "editemp.txt");
    EXPECT_EQ(memory, "DARC\r\nF12\r\ndl1abc@example.org\r\n750\r\nIC-9700\r\n\r\n");

    // The second run starts from the remembered values; closing the dialog
    // without "OK" leaves the file of the first run as it was.
    messages_.Clear();
    QString remembered;
    test::WhenModal<Tuhfteilnehmer>([&remembered](Tuhfteilnehmer& station) {
        remembered = Field(station, "remail") + " " + Field(station, "rpower");
        test::TypeInto(station, "rpower", QStringLiteral("10"));
        QTest::keyClick(&station, Qt::Key_Escape);
    });
    Choose(*dialog, QStringLiteral("EDI-Datei (empfohlen)"));
    EXPECT_EQ(remembered, QStringLiteral("dl1abc@example.org 750"));
    EXPECT_EQ(messages_.shown().size(), 1u) << messages_.LastText();
    EXPECT_EQ(ReadBytes(path), edi);
    EXPECT_EQ(ReadBytes(RunDir() + "editemp.txt"), memory);
    EXPECT_FALSE(fs::exists(path + ".part"));
}

class TwagdateiTest : public test::AppTest {};

// The review editor writes back like the writers: a disk that fills up on
// the way leaves the list as it was, never a cut one.
TEST_F(TwagdateiTest, AFailedWriteBackLeavesTheFileAsItWas) {
    const std::string path = RunDir() + "DL1ABC.ALL";
    const std::string written = "QSO-Liste\r\nOH5AA   KP20LE\r\n";
    const struct {
        std::int64_t budget;  // bytes the disk takes; -1 without limit
        bool saved;
    } kDisks[] = {{0, false}, {12, false}, {-1, true}};
    for (const auto& disk : kDisks) {
        SCOPED_TRACE(disk.budget);
        std::ofstream(path, std::ios::binary | std::ios::trunc) << written;
        auto faulty =
            std::make_shared<platform::FaultInjectingFileSystem>(platform::DefaultFileSystem());
        if (disk.budget >= 0) faulty->FailWritesAfter(disk.budget);
        Twagdatei editor(path, nullptr, faulty);
        editor.show();
        QApplication::setActiveWindow(&editor);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&editor));
        editor.findChild<QPlainTextEdit*>("Memo1")->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_End, Qt::ControlModifier);
        test::TypeKeys(QApplication::focusWidget(), QStringLiteral("Gepr\u00FCft"));
        messages_.Clear();
        test::ClickOn(editor, "btnSpeichern");
        EXPECT_EQ(ReadBytes(path), disk.saved ? written +
                                                    "Gepr\xFC"
                                                    "ft\r\n"
                                              : written);
        EXPECT_EQ(editor.isVisible(), !disk.saved);
        EXPECT_EQ(messages_.LastText(),
                  disk.saved ? "" : "Die Datei " + path + " konnte nicht gespeichert werden.");
        EXPECT_FALSE(fs::exists(output::ScratchPathOf(path)));
    }
}

}  // namespace
}  // namespace mss::app
