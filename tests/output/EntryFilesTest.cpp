// The STF and EDI entry files of catalogue contests that ask for them, byte
// for byte and read back against the keywords of their formats, and the
// rules of the output menu that need no window.
#include <map>
#include <set>

#include "output/EdiFile.h"
#include "output/OutputMenu.h"
#include "output/OutputTestSupport.h"
#include "platform/FaultInjectingFileSystem.h"
#include "store/KeyCodec.h"

namespace mss::output::test {
namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    EXPECT_EQ(start, text.size()) << "every line ends in CR LF";
    return lines;
}

std::vector<std::string> Split(const std::string& line, char sep) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t end; (end = line.find(sep, start)) != std::string::npos; start = end + 1)
        parts.push_back(line.substr(start, end - start));
    parts.push_back(line.substr(start));
    return parts;
}

bool Digits(const std::string& s, std::size_t n) {
    return s.size() == n && s.find_first_not_of("0123456789") == std::string::npos;
}

// Answers the station dialog as an operator would: a section picked from the
// list (with its tab), a band, two operators, remarks over two lines.
class FilledStationDialog : public EdiStationDialog {
  public:
    bool Ask(const OutputJob&, EdiStation& s) override {
        ++asked;
        seen = s;
        s.psect = std::string(kEdiSections[0]);
        s.pband = "144MHz";
        s.remail = "dl1abc@example.org";
        s.mope1 = "DL1ABC;DK2XY";
        s.rpower = "100";
        s.rtrx = "IC-9700";
        s.rant = "2 x 9 el.";
        s.rremarks = "Gutes Wetter.\r\nDanke!";
        return true;
    }
    int asked = 0;
    EdiStation seen;
};

class EntryFilesTest : public OutputTest {
  protected:
    void SetUp() override {
        OutputTest::SetUp();
        std::filesystem::remove(EdiMemoryPath());
    }
    std::string Written(FileOutput kind, WriteStatus* status = nullptr) {
        StringTextTarget file;
        const WriteStatus s = WriteOutputFile(kind, file, JobWithDok());
        if (status)
            *status = s;
        else
            EXPECT_TRUE(s.Ok()) << s.error;
        return file.text();
    }
    OutputJob JobWithDok() {
        OutputJob job = Job();
        job.address.dok = "D01";
        return job;
    }
    // Nordic Activity, category 5: 13 cm and higher on several bands, serial
    // and locator exchanged, one point per kilometre.
    void FillNordicLog() {
        UseEntry('N', 5);
        session_.entry.SetCall("DL1ABC");
        session_.entry.SetStartDate(radio::DayNumber(22, 1, 2013));
        session_.entry.SetEndDate(radio::DayNumber(22, 1, 2013));
        session_.entry.SetEquipment("FT-817 + Transverter 2320/3400/5760 MHz");
        const std::int32_t day = radio::DayNumber(22, 1, 2013);
        struct Row {
            const char* call;
            int h, m;
            const char* mode;
            const char* sent;
            const char* rcvd;
            const char* loc;
            const char* prefix;
            int qrb;
            char band;
        } rows[] = {
            {"OZ1FF", 18, 2, "CW", "599001/JO62MM", "599014/JO65DN", "JO65DN", "OZ", 312, 'n'},
            {"SM7GVF", 18, 20, "SSB", "59 002/JO62MM", "57 1003/JO65MK", "jo65mk", "SM", 318, 'n'},
            {"DK2ZF", 19, 5, "SSB", "59 003/JO62MM", "59 007/JO62QA", "JO62QA", "DL", 41, 'o'},
            {"OZ9KY", 19, 40, "FM", "59 004/JO62MM", "55 011/JO65AR", "JO65AR", "OZ", 289, 'p'},
            {"DL0GTH", 20, 1, "PSK", "59 005/JO62MM", "59 /", "", "", 0, 'p'},
        };
        for (const Row& r : rows) {
            QsoRecord q = Stored(r.call, day, Hms(r.h, r.m), r.mode, r.sent, r.rcvd,
                                 static_cast<std::uint16_t>(r.qrb), r.band);
            q.SetLocator(r.loc);
            q.SetPrefix(r.prefix);
            q.SetQrb(r.qrb);
            Put(q);
        }
        Put(log::test::BandChange('n', 'o', Hms(19, 0)));
        session_.entry.SetTotalsInExtra(true);
        extra_.SetPointSum(1, 312 + 318 + 41 + 289);
    }

    FilledStationDialog dialog_;
    ScopedEdiStationDialog installDialog_{dialog_};
};

// Contest '1' asks for STF: serials and DOKs, two exchange values a side.
TEST_F(EntryFilesTest, StfFileMatchesItsGoldenFileAndItsKeywords) {
    UseEntry('1', 2);
    session_.entry.SetName("DARC-Contest ");
    session_.entry.SetCall("DL1ABC");
    session_.entry.SetDok("P01XYZW");
    const std::int32_t day = radio::DayNumber(3, 9, 2012);
    Put(Stored("DL0XYZ", day, Hms(8, 1), "CW", "599001/P01", "599014/B05", 1, 'i'));
    const std::int32_t gone =
        Put(Stored("DK7ZH", day, Hms(8, 2), "CW", "599002/P01", "599003/B05", 1, 'i'));
    Put(Stored("EA8/dj2mx", 0, Hms(8, 3), "", "59 003/P01", "59 /B37", 3, 'l'));
    Put(Stored("", day, Hms(8, 10), "SSB", "59 004/P01", "59 ", 1, 'p'));
    // A deleted contact leaves a gap in the running numbers, not a claimed contact.
    ASSERT_EQ(session_.log->Find(log::kByNummer, store::IntToKey(gone)), 0);
    ASSERT_EQ(session_.log->Delete(0), 0);
    session_.entry.SetPointSum(1, 5);
    session_.entry.SetMultCount(1, 2);
    session_.entry.SetMult1Count(1, 2);
    session_.entry.SetTotalsInExtra(false);

    const std::string stf = Written(FileOutput::Stf);
    ExpectGolden("serial.STF", stf);

    const std::vector<std::string> lines = Lines(stf);
    ASSERT_GE(lines.size(), 30u);
    EXPECT_EQ(lines.front(), "STF1");
    EXPECT_EQ(lines.back(), "EndQSOList");
    static const std::set<std::string> kKeys = {
        "Header",   "Contest",    "MyCall",     "Operators",   "Category",     "MailAddress",
        "EMail",    "ClaimedQSO", "ClaimedPts", "ClaimedMult", "ClaimedScore", "Club",
        "Specific", "Power",      "Soapbox",    "QsoOrder",    "EndHeader",    "QsoList"};
    std::size_t i = 3;
    std::map<std::string, std::string> values;
    for (; lines[i] != "QsoList"; ++i) {
        if (lines[i].empty()) continue;
        const std::string key = Split(lines[i], ' ')[0];
        EXPECT_TRUE(kKeys.count(key)) << lines[i];
        if (lines[i].size() > 13) {
            EXPECT_EQ(lines[i].substr(key.size(), 13 - key.size()),
                      std::string(13 - key.size(), ' '))
                << "value in column 14: " << lines[i];
            values[key] = lines[i].substr(13);
        }
    }
    EXPECT_EQ(values["ClaimedQSO"], "3");
    EXPECT_EQ(values["Specific"], "P01XYZ");
    const std::size_t contacts = lines.size() - 1 - (i + 1);
    EXPECT_EQ(contacts, 3u);
    for (std::size_t k = i + 1; k + 1 < lines.size(); ++k) {
        EXPECT_EQ(lines[k].substr(0, 5), "     ");
        EXPECT_EQ(lines[k], radio::UpperText(lines[k]));
    }
}

TEST_F(EntryFilesTest, EdiFileMatchesItsGoldenFileAndTheRegOneTestKeywords) {
    FillNordicLog();
    const std::string edi = Written(FileOutput::Edi);
    ExpectGolden("nordic.EDI", edi);
    EXPECT_EQ(dialog_.asked, 1);

    const std::vector<std::string> lines = Lines(edi);
    static const std::vector<std::string> kKeywords = {
        "TName", "TDate", "PCall", "PWWLo", "PExch", "PAdr1", "PAdr2", "PSect", "PBand",
        "PClub", "RName", "RCall", "RAdr1", "RAdr2", "RPoCo", "RCity", "RCoun", "RPhon",
        "RHBBS", "MOpe1", "MOpe2", "STXEq", "SPowe", "SRXEq", "SAnte", "SAntH", "CQSOs",
        "CQSOP", "CWWLs", "CWWLB", "CExcs", "CExcB", "CDXCs", "CDXCB", "CToSc", "CODXC"};
    std::size_t i = 0;
    while (i < lines.size() && lines[i] != "[REG1TEST;1]") ++i;
    ASSERT_LT(i, lines.size());
    std::map<std::string, std::string> header;
    for (++i; lines[i] != "[Remarks]"; ++i) {
        const std::size_t eq = lines[i].find('=');
        ASSERT_NE(eq, std::string::npos) << lines[i];
        for (const char c : lines[i]) EXPECT_GE(static_cast<unsigned char>(c), 0x20) << lines[i];
        EXPECT_TRUE(header.emplace(lines[i].substr(0, eq), lines[i].substr(eq + 1)).second);
    }
    std::vector<std::string> keys;
    for (const auto& k : kKeywords) EXPECT_TRUE(header.count(k)) << k;
    EXPECT_EQ(header.size(), kKeywords.size());
    EXPECT_EQ(header["TDate"], "20130122;20130122");
    EXPECT_EQ(header["PSect"], "01  144MHz Einmann");
    EXPECT_EQ(header["PClub"], "DARC;D01");
    EXPECT_EQ(header["CQSOs"], "5;1");
    EXPECT_EQ(header["CWWLs"], "2;0;1");  // JO65 (also in lower case) and JO62
    EXPECT_EQ(header["CDXCs"], "3;0;1");
    EXPECT_EQ(header["CODXC"], "SM7GVF;JO65MK;318");
    EXPECT_EQ(header["CToSc"], "960");
    EXPECT_EQ(lines[++i], "Gutes Wetter.");
    EXPECT_EQ(lines[++i], "Danke!");
    EXPECT_EQ(lines[++i], "[QSORecords;5]");
    std::size_t qsos = 0;
    for (++i; i + 1 < lines.size(); ++i, ++qsos) {
        const std::vector<std::string> f = Split(lines[i], ';');
        ASSERT_EQ(f.size(), 15u) << lines[i];
        EXPECT_TRUE(Digits(f[0], 6) && Digits(f[1], 4)) << lines[i];
        EXPECT_TRUE(f[3].size() == 1 && f[3][0] >= '0' && f[3][0] <= '9') << lines[i];
        for (const int rst : {4, 6}) {
            const std::size_t n = f[static_cast<std::size_t>(rst)].size();
            EXPECT_TRUE(n == 0 || n == 2 || n == 3) << lines[i];
        }
        EXPECT_TRUE(f[9].empty() || f[9].size() == 4 || f[9].size() == 6) << lines[i];
        EXPECT_TRUE(f[8].empty()) << "the locator is no received exchange: " << lines[i];
        for (std::size_t k = 11; k < 15; ++k) EXPECT_TRUE(f[k].empty()) << lines[i];
    }
    EXPECT_EQ(qsos, 5u);
    EXPECT_EQ(lines.back(), "[END; Tarvolt MSSprint]");
    EXPECT_NE(edi.find("130122;1820;SM7GVF;1;59;002;57;1003;;JO65MK;318;;;;"), std::string::npos);
}

TEST_F(EntryFilesTest, EdiRemembersTheStationValuesInTheDataDirectory) {
    FillNordicLog();
    (void)Written(FileOutput::Edi);
    EXPECT_EQ(ReadBytes(radio::Program().RunDir + "editemp.txt"),
              "DARC\r\nD01\r\ndl1abc@example.org\r\n100\r\nIC-9700\r\n2 x 9 el.\r\n");
    (void)Written(FileOutput::Edi);
    EXPECT_EQ(dialog_.seen.remail, "dl1abc@example.org");
    EXPECT_EQ(dialog_.seen.rtrx, "IC-9700");
    // A memory that is not six lines leaves the start values.
    std::ofstream(EdiMemoryPath(), std::ios::binary) << "X\r\nY\r\n";
    (void)Written(FileOutput::Edi);
    EXPECT_EQ(dialog_.seen.pclub1, "DARC");
    EXPECT_EQ(dialog_.seen.remail, "");
}

TEST_F(EntryFilesTest, EdiWithoutTheContestDatesIsRefusedBeforeTheDialog) {
    FillNordicLog();
    session_.entry.SetEndDate(0);
    WriteStatus status;
    (void)Written(FileOutput::Edi, &status);
    EXPECT_EQ(status.error, kEdiDatesMissing);
    EXPECT_EQ(dialog_.asked, 0);
    EXPECT_NE(OutcomeText(FileOutput::Edi, "x.EDI", status).find("Enddatum"), std::string::npos);
}

TEST_F(EntryFilesTest, MenuOfTheSprintEnablesItsOutputsOnly) {
    std::vector<std::string> enabled;
    std::vector<std::string> all;
    for (const OutputMenuItem& item : OutputMenuItems(session_.definition)) {
        all.push_back(item.kind == 0 ? "-" : item.caption);
        if (item.enabled) enabled.push_back(item.caption);
    }
    EXPECT_EQ(
        all, (std::vector<std::string>{
                 "STF-Datei", "EDI-Datei", "-", "E-Log Gesamtdatei", "E-Log Deckblatt",
                 "E-Log QSO-Liste", "E-Log Band-Liste", "E-Log Multi-Checkliste", "Cabrillo-Datei",
                 "-", "ADIF- Exportdatei der QSO-Liste", "CSV- Exportdatei der QSO-Liste",
                 "Karte und Statistik (PNG)", "-", "Papierlog - Deckblatt", "Papierlog - QSO-Liste",
                 "Papierlog - Band-Liste", "Papierlog - Multi-Checkliste"}));
    EXPECT_EQ(enabled,
              (std::vector<std::string>{
                  "E-Log Gesamtdatei", "E-Log Deckblatt", "E-Log QSO-Liste", "E-Log Band-Liste",
                  "ADIF- Exportdatei der QSO-Liste", "CSV- Exportdatei der QSO-Liste",
                  "Karte und Statistik (PNG)", "Papierlog - Deckblatt", "Papierlog - QSO-Liste"}));
    UseEntry('N', 1);
    EXPECT_EQ(OutputMenuItems(session_.definition)[1].caption, "EDI-Datei (empfohlen)");
    EXPECT_TRUE(OutputMenuItems(session_.definition)[1].enabled);
}

TEST_F(EntryFilesTest, DefaultFileNames) {
    contest::ContestDefinition def = session_.definition;
    def.Categories[2].ShortText = "Kl.C/1,x:";
    const struct {
        FileOutput kind;
        int category;
        const char* call;
        const char* name;
    } kCases[] = {
        {FileOutput::ElogCover, 1, "DL1ABC", "DL1ABC.SUM"},
        {FileOutput::Stf, 0, "DL1ABC/P", "DL1ABC_P.STF"},
        {FileOutput::ElogMultList, 3, "DL1ABC", "DL1ABC-Kl-C_1_x-multi.txt"},
        {FileOutput::Cabrillo, 3, "DL1ABC", "DL1ABC.CAB"},
    };
    for (const auto& c : kCases) {
        EXPECT_EQ(DefaultFileName(c.kind, def, c.category, c.call), c.name);
    }
    // Without a call the entry's name gives the file its name: ".SUM"
    // alone would be a hidden file.
    const struct {
        const char* call;
        const char* entryName;
        const char* name;
    } kBases[] = {
        {"DL1ABC", "Sprint", "DL1ABC.SUM"},
        {"", "MS Sprint 2026", "MS Sprint 2026.SUM"},
        {" ", "Sprint 08/2026 ", "Sprint 08_2026.SUM"},
        {"", "..Sprint", "Sprint.SUM"},
        {"", "", "Contest.SUM"},
    };
    for (const auto& b : kBases)
        EXPECT_EQ(DefaultFileName(FileOutput::ElogCover, def, 0, FileNameBase(b.call, b.entryName)),
                  b.name)
            << b.entryName;
    EXPECT_EQ(SaveNotice(FileOutput::Edi, "DL1ABC/P"),
              "Geben Sie im folgenden Dialog an, wohin die EDI - Datei DL1ABC_P.EDI gespeichert "
              "werden soll.");
    EXPECT_EQ(DefaultSuffix(FileOutput::ElogMultList), "txt");
}

TEST_F(EntryFilesTest, AnExistingFileSurvivesAFailedWrite) {
    FillSprintLog();
    const std::string target = radio::Program().RunDir + "DL1ABC.ALL";
    std::ofstream(target, std::ios::binary) << "the old list";
    platform::FaultInjectingFileSystem fs(platform::DefaultFileSystem());
    fs.FailWritesAfter(100);
    const WriteStatus failed = WriteOutputFileAt(fs, FileOutput::ElogQsoList, target, Job());
    EXPECT_EQ(failed.error, ENOSPC);
    EXPECT_EQ(ReadBytes(target), "the old list");
    EXPECT_FALSE(std::filesystem::exists(ScratchPathOf(target)));
    EXPECT_EQ(OutcomeText(FileOutput::ElogQsoList, target, failed).rfind("Die Datei ", 0), 0u);

    fs.ClearFaults();
    fs.FailSyncs(true);
    EXPECT_FALSE(WriteOutputFileAt(fs, FileOutput::ElogQsoList, target, Job()).Ok());
    EXPECT_EQ(ReadBytes(target), "the old list");

    fs.ClearFaults();
    const std::optional<WriteStatus> done =
        ProduceOutputFile(fs, FileOutput::ElogQsoList, target, Job());
    ASSERT_TRUE(done && done->Ok());
    StringTextTarget expected;
    ASSERT_TRUE(WriteOutputFile(FileOutput::ElogQsoList, expected, Job()).Ok());
    EXPECT_EQ(ReadBytes(target), expected.text());
    EXPECT_EQ(OutcomeText(FileOutput::ElogQsoList, target, *done),
              "Datei " + target + " wurde erstellt.");
    EXPECT_EQ(OutcomeText(FileOutput::ElogCover, target, *done), "");
}

}  // namespace
}  // namespace mss::output::test
