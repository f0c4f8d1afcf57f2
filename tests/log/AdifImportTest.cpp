// The ADIF import into a contest 'j' log: mapping, the checks, the counts of
// the result and the score the imported contacts give.
#include "log/AdifImport.h"

#include <gtest/gtest.h>

#include <fstream>

#include "LogTestSupport.h"
#include "log/ContactEntry.h"
#include "log/IncomingContact.h"
#include "log/IncomingMode.h"
#include "log/Scoring.h"
#include "radio/Baender.h"
#include "radio/Text.h"

namespace mss::log::test {
namespace {

// Duplicates, a record without locator, a contact at midnight, an MSK144
// record, a 70 cm record, a bad date, and a last record whose length runs
// past the end of the file. Lower-case tags and two records on one line.
constexpr std::string_view kSprintFile =
    "Exported by another logbook\r\n<ADIF_VER:5>3.1.4 <EOH>\r\n"
    "<CALL:6>SP5ABC<QSO_DATE:8>20120812<TIME_ON:6>120012<BAND:2>2m<FREQ:7>144.360"
    "<MODE:6>FSK441<GRIDSQUARE:6>KO02md<RST_SENT:2>26<RST_RCVD:2>27<EOR>\r\n"
    "<call:6>SP5ABC<qso_date:8>20120812<time_on:4>1210<band:2>2M<mode:2>CW"
    "<gridsquare:6>KO02MD<eor><CALL:6>OK1XYZ<QSO_DATE:8>20120812<TIME_ON:4>1230"
    "<BAND:2>2m<MODE:3>SSB<EOR>\r\n"
    "<CALL:5>G4ABC<QSO_DATE:8>20120813<TIME_ON:6>000000<FREQ:6>144.37<MODE:6>FSK441"
    "<GRIDSQUARE:6>IO91WM<EOR>\r\n"
    "<CALL:5>DL1XX<QSO_DATE:8>20120812<TIME_ON:4>1300<BAND:2>2m<MODE:6>MSK144"
    "<GRIDSQUARE:6>JO31AA<EOR>\r\n"
    "<CALL:5>DL2YY<QSO_DATE:8>20120812<TIME_ON:4>1310<BAND:4>70cm<FREQ:5>432.2<MODE:2>CW"
    "<GRIDSQUARE:6>JO40AA<EOR>\r\n"
    "<CALL:5>DL3ZZ<QSO_DATE:8>20121312<TIME_ON:4>1320<BAND:2>2m<MODE:2>CW"
    "<GRIDSQUARE:6>JO50AA<EOR>\r\n"
    "<CALL:5>DL4AA<QSO_DATE:8>20120812<TIME_ON:4>1330<GRIDSQUARE:40>JO";

class AdifImportTest : public ContestLogTest {
  protected:
    void SetUp() override {
        ContestLogTest::SetUp();
        layout_ = LayoutOf(session_, contest::ContestExtra{});
        PrepareNewContact(session_, state_, layout_);
        fields_ = AdifLogFields(session_.definition);
        for (auto [caption, name] : {std::pair{"CALL", "CALL"},
                                     {"QSO_DATE", "QSO_DATE"},
                                     {"TIME_ON", "TIME_ON"},
                                     {"BAND", "BAND"},
                                     {"FREQ", "FREQ"},
                                     {"MODE", "MODE"},
                                     {"LOC", "GRIDSQUARE"}})
            ASSERT_TRUE(MapAdifField(fields_, caption, name)) << caption;
        defaults_ = PanelOf(state_.contact, session_);
        defaults_.datum = "12.08.2012";
        defaults_.zeit = "11:11";
    }

    AdifImportResult Import(std::string_view text, AdifImportOptions options = {}) {
        SilentProgress progress;
        return ImportAdif(session_, state_, layout_, ReadAdif(text), fields_, defaults_, options,
                          progress);
    }

    // An empty log and totals, for the next case of a table.
    void ClearLogAndTotals() {
        while (session_.log->First(kByNummer) == 0) ASSERT_EQ(session_.log->Delete(0), 0);
        ClearTotals(session_);
        session_.multipliers.Clear();
        PrepareNewContact(session_, state_, layout_);
    }

    PanelLayout layout_;
    EntryState state_;
    std::vector<AdifLogField> fields_;
    PanelValues defaults_;
};

TEST_F(AdifImportTest, TheSprintFileIsCountedAndScoredAsWorkedOutByHand) {
    const AdifImportResult r = Import(kSprintFile, {.digitalAsContestMode = false});
    EXPECT_EQ(r.imported, 3);  // SP5ABC, OK1XYZ, G4ABC
    EXPECT_EQ(r.duplicates, 1);
    EXPECT_EQ(r.modeErrors, 1);  // MSK144 is not a mode of the contest's own list
    EXPECT_EQ(r.bandErrors, 1);  // 70 cm
    EXPECT_EQ(r.incomplete, 1);  // month 13
    EXPECT_EQ(r.unreadable, 1);
    EXPECT_EQ(r.storeFailures, 0);
    ASSERT_EQ(r.refusals.size(), 1u);
    EXPECT_EQ(r.refusals[0].call, "DL4AA");
    // No per-record boxes during the import.
    EXPECT_TRUE(messages_.shown().empty());

    const std::vector<QsoRecord> log = Records();
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(log[0].Call(), "SP5ABC");
    EXPECT_EQ(log[0].Locator(), "KO02MD");
    EXPECT_EQ(log[0].Mode(), "FSK441");
    EXPECT_EQ(log[0].Zeit(), Hms(12, 0));
    // No locator of its own: none inherited, no points.
    EXPECT_EQ(log[1].Call(), "OK1XYZ");
    EXPECT_EQ(radio::Trim(log[1].Locator()), "");
    EXPECT_EQ(log[1].Punkte(), 0);
    EXPECT_EQ(log[1].Mode(), "SSB");
    EXPECT_EQ(log[2].Call(), "G4ABC");
    EXPECT_EQ(log[2].Datum(), radio::DayNumber(13, 8, 2012));
    EXPECT_EQ(log[2].Zeit(), 0);
    EXPECT_EQ(log[2].Band(), 'k');

    const int ko02 = radio::QrbKm("JO62MM", "KO02MD");
    const int io91 = radio::QrbKm("JO62MM", "IO91WM");
    EXPECT_EQ(log[0].Punkte(), ko02);
    EXPECT_EQ(log[2].Punkte(), io91);
    EXPECT_EQ(Score(session_), ko02 + io91);
    EXPECT_EQ(ContactSum(session_.totals), 3);
    EXPECT_EQ(session_.mode, "CW");  // the form's mode stays
}

TEST_F(AdifImportTest, WithoutTheChecksTheMsk144And70cmRecordsArePassedToTheSave) {
    const AdifImportResult r = Import(kSprintFile, {.noModeBandCheck = true});
    EXPECT_EQ(r.modeErrors, 0);
    EXPECT_EQ(r.bandErrors, 0);
    // The 70 cm record is saved on the current band: the contest has no other.
    EXPECT_EQ(r.imported, 5);
    bool msk = false;
    for (const QsoRecord& q : Records()) msk = msk || q.Mode() == "MSK144";
    EXPECT_TRUE(msk);
}

TEST_F(AdifImportTest, ReportNamesEveryCountOnItsOwnLine) {
    const std::string text = AdifImportReport(Import(kSprintFile, {.digitalAsContestMode = false}));
    EXPECT_EQ(text.substr(0, text.find('\r')), "3 Datens\xE4tze importiert");
    for (std::string_view part : {"\r\n1 Calls doppelt", "\r\n1 fehlende oder falsche Bandangaben",
                                  "\r\n1 fehlende oder falsche Modeangaben",
                                  "\r\n1 unvollst\xE4ndige", "\r\n1 nicht lesbare", "\r\n  DL4AA "})
        EXPECT_NE(text.find(part), std::string::npos) << part;
    EXPECT_EQ(text.find("gespeichert"), std::string::npos);
}

TEST_F(AdifImportTest, UnmappedDateAndTimeTakeThePanelsAndMappedMissingOnesAreIncomplete) {
    std::vector<AdifLogField> callOnly = AdifLogFields(session_.definition);
    ASSERT_TRUE(MapAdifField(callOnly, "CALL", "CALL"));
    fields_ = callOnly;
    // A file without band and mode goes in only with the checks off.
    EXPECT_EQ(Import("<CALL:6>SP5ABC<EOR>", {.noModeBandCheck = true}).imported, 1);
    ASSERT_EQ(Records().size(), 1u);
    EXPECT_EQ(Records()[0].Datum(), kSprintDay);
    EXPECT_EQ(Records()[0].Zeit(), Hms(11, 11));

    ASSERT_TRUE(MapAdifField(fields_, "QSO_DATE", "QSO_DATE"));
    const AdifImportResult r = Import("<CALL:6>OK1XYZ<EOR>", {.noModeBandCheck = true});
    EXPECT_EQ(r.incomplete, 1);
    EXPECT_EQ(r.imported, 0);
}

// What WSJT-X writes after a meteor-scatter sprint: lower-case calls and
// grids, MSK144 as MFSK with its submode (ADIF 3) and as a mode of its own,
// FT8, and contacts on 6 m and 70 cm besides 2 m. NAME and QTH as the
// program's callsign lookup fills them.
constexpr std::string_view kWsjtxFile =
    "WSJT-X ADIF Export<eoh>\n"
    "<call:6>ok1abc <gridsquare:4>jo70 <mode:4>MFSK <submode:6>MSK144 <rst_sent:3>+02 "
    "<rst_rcvd:3>-03 <qso_date:8>20120812 <time_on:6>120000 <qso_date_off:8>20120812 "
    "<time_off:6>120300 <band:2>2m <freq:10>144.360000 <name:4>Jiri <qth:5>Praha "
    "<station_callsign:6>DL1ABC <my_gridsquare:6>JO62MM <eor>\n"
    "<call:5>sp5xy <gridsquare:4>ko02 <mode:6>MSK144 <rst_sent:3>+00 <rst_rcvd:3>+01 "
    "<qso_date:8>20120812 <time_on:6>121500 <band:2>2m <freq:10>144.360000 <eor>\n"
    "<call:5>g4abc <gridsquare:4>io91 <mode:3>FT8 <qso_date:8>20120812 <time_on:6>122000 "
    "<band:2>2m <freq:10>144.174000 <eor>\n"
    "<call:5>oz1ab <gridsquare:6>jo55wm <mode:2>CW <rst_sent:3>599 <rst_rcvd:3>579 "
    "<qso_date:8>20120812 <time_on:6>123000 <band:2>2m <freq:10>144.050000 <eor>\n"
    "<call:5>dl2xx <gridsquare:4>jo31 <mode:4>MFSK <submode:6>MSK144 <qso_date:8>20120812 "
    "<time_on:6>124000 <band:2>6m <freq:9>50.280000 <eor>\n"
    "<call:5>dl3yy <gridsquare:4>jo40 <mode:6>FSK441 <qso_date:8>20120812 <time_on:6>125000 "
    "<band:4>70cm <freq:10>432.370000 <eor>\n";

TEST_F(AdifImportTest, AWsjtxFileImportsWithTheStandardMappingOnlyIts2mContactsInUpperCase) {
    struct Stored {
        std::string call, locator, mode;
    };
    struct Case {
        bool digital;
        int imported, asDigital, modeErrors, bandErrors;
        std::vector<Stored> log;
    };
    const Case cases[] = {
        {true,
         3,
         2,
         1,
         2,  // FT8 has no place; 6 m and 70 cm are not bands of the contest
         {{"OK1ABC", "JO70", "MSK144"}, {"SP5XY", "KO02", "MSK144"}, {"OZ1AB", "JO55WM", "CW"}}},
        {false, 1, 0, 4, 1, {{"OZ1AB", "JO55WM", "CW"}}},  // only FSK441 gets to the band check
    };
    for (const Case& c : cases) {
        ClearLogAndTotals();
        const AdifFile file = ReadAdif(kWsjtxFile);
        fields_ = AdifLogFields(session_.definition);
        MapStandardAdifFields(fields_, session_.definition, file);
        SilentProgress progress;
        const AdifImportResult r = ImportAdif(session_, state_, layout_, file, fields_, defaults_,
                                              {.digitalAsContestMode = c.digital}, progress);
        EXPECT_EQ(r.imported, c.imported) << c.digital;
        EXPECT_EQ(r.asDigital, c.asDigital) << c.digital;
        EXPECT_EQ(r.modeErrors, c.modeErrors) << c.digital;
        EXPECT_EQ(r.bandErrors, c.bandErrors) << c.digital;
        EXPECT_TRUE(r.unmapped.empty());

        const std::vector<QsoRecord> log = Records();
        ASSERT_EQ(log.size(), c.log.size()) << c.digital;
        int points = 0;
        for (std::size_t i = 0; i < log.size(); ++i) {
            EXPECT_EQ(log[i].Call(), c.log[i].call);
            EXPECT_EQ(radio::Trim(log[i].Locator()), c.log[i].locator);
            EXPECT_EQ(radio::Trim(log[i].Mode()), c.log[i].mode);
            EXPECT_EQ(log[i].Band(), 'k');
            EXPECT_EQ(log[i].Punkte(), radio::QrbKm("JO62MM", c.log[i].locator));
            // The form does not show name and QTH: the file's are not taken.
            EXPECT_EQ(log[i].NameQth().find("Jiri"), std::string::npos);
            points += log[i].Punkte();
        }
        EXPECT_EQ(Score(session_), points);
        EXPECT_EQ(ContactSum(session_.totals), c.imported);
    }
}

TEST_F(AdifImportTest, UnmappedBandOrModeFailsEveryRecordNamingTheMapping) {
    struct Case {
        std::vector<std::pair<const char*, const char*>> mapped;
        int bandErrors, modeErrors;
        std::vector<std::string> unmapped;
    };
    const Case cases[] = {
        {{{"CALL", "CALL"}, {"LOC", "GRIDSQUARE"}}, 0, 2, {"BAND/FREQ", "MODE"}},
        {{{"CALL", "CALL"}, {"MODE", "MODE"}}, 2, 0, {"BAND/FREQ"}},
        {{{"CALL", "CALL"}, {"FREQ", "FREQ"}}, 0, 2, {"MODE"}},
        {{{"CALL", "CALL"}, {"BAND", "BAND"}, {"SUBMODE", "SUBMODE"}}, 0, 0, {}},
    };
    for (const Case& c : cases) {
        ClearLogAndTotals();
        fields_ = AdifLogFields(session_.definition);
        for (auto [caption, name] : c.mapped) ASSERT_TRUE(MapAdifField(fields_, caption, name));
        const AdifImportResult r = Import(
            "<CALL:5>DL1AB<BAND:2>2m<FREQ:7>144.360<MODE:2>CW<SUBMODE:6>FSK441<EOR>"
            "<CALL:5>DL2AB<BAND:2>2m<FREQ:7>144.360<MODE:2>CW<SUBMODE:6>FSK441<EOR>");
        EXPECT_EQ(r.bandErrors, c.bandErrors);
        EXPECT_EQ(r.modeErrors, c.modeErrors);
        EXPECT_EQ(r.unmapped, c.unmapped);
        EXPECT_EQ(r.imported, 2 - c.bandErrors - c.modeErrors);
        std::string line;
        for (const std::string& name : c.unmapped)
            line += (line.empty() ? "\r\nNicht zugeordnet: " : ", ") + name;
        const std::string report = AdifImportReport(r);
        EXPECT_EQ(report.find("Nicht zugeordnet") != std::string::npos, !line.empty());
        EXPECT_NE(report.find(line), std::string::npos) << report;
        for (const AdifRefusal& refused : r.counted)
            EXPECT_NE(refused.reason.find("nicht zugeordnet"), std::string::npos) << refused.reason;
    }
}

TEST_F(AdifImportTest, AContactIsJudgedAlikeThroughUdpAndThroughTheImport) {
    struct Case {
        const char* udpMode;
        const char* adifMode;
        const char* submode;
        std::uint64_t hz;
        bool stored;
    };
    const Case cases[] = {
        {"MSK144", "MFSK", "MSK144", 144'360'000, true},
        {"msk144", "msk144", "", 144'360'000, true},
        {"JT6M", "JT6M", "", 144'370'000, true},
        {"FSK441", "FSK441", "", 144'370'000, true},
        {"CW", "CW", "", 144'050'000, true},
        {"FT8", "FT8", "", 144'174'000, false},
        {"MSK144", "MFSK", "MSK144", 50'280'000, false},
        {"FSK441", "FSK441", "", 432'370'000, false},
    };
    int i = 0;
    for (const Case& c : cases) {
        ClearLogAndTotals();
        WsjtxContact udp;
        udp.Type = kWsjtxQsoLogged;
        udp.Call = "dl" + std::to_string(i) + "aaa";
        udp.Grid = "jo31";
        udp.FrequencyHz = c.hz;
        udp.Mode = c.udpMode;
        udp.TimeOn = {kSprintDay, Hms(12, i)};
        const IncomingResult announced = SaveIncomingContact(session_, state_, layout_, udp);

        auto tag = [](std::string_view name, std::string_view value) {
            return "<" + std::string(name) + ":" + std::to_string(value.size()) + ">" +
                   std::string(value);
        };
        const std::string text = tag("CALL", "dl" + std::to_string(i) + "bbb") +
                                 tag("GRIDSQUARE", "jo31") + tag("QSO_DATE", "20120812") +
                                 tag("TIME_ON", "1300") +
                                 tag("FREQ", std::to_string(static_cast<double>(c.hz) / 1e6)) +
                                 tag("MODE", c.adifMode) + tag("SUBMODE", c.submode) + "<EOR>";
        const AdifFile file = ReadAdif(text);
        fields_ = AdifLogFields(session_.definition);
        MapStandardAdifFields(fields_, session_.definition, file);
        SilentProgress progress;
        const AdifImportResult imported = ImportAdif(session_, state_, layout_, file, fields_,
                                                     defaults_, AdifImportOptions{}, progress);

        EXPECT_EQ(announced.status == IncomingStatus::kSaved, c.stored) << c.udpMode << c.hz;
        EXPECT_EQ(imported.imported == 1, c.stored) << c.adifMode << c.hz;
        const std::vector<QsoRecord> log = Records();
        ASSERT_EQ(log.size(), c.stored ? 2u : 0u) << c.udpMode << c.hz;
        if (c.stored) {
            EXPECT_EQ(log[0].Mode(), log[1].Mode());
            EXPECT_EQ(log[0].Band(), log[1].Band());
            EXPECT_EQ(log[0].Locator(), log[1].Locator());
            EXPECT_EQ(log[0].Punkte(), log[1].Punkte());
            EXPECT_EQ(log[0].Call().substr(0, 3), log[1].Call().substr(0, 3));
        }
        ++i;
    }
}

// A log whose time key admits no two contacts at one second, with every
// second from 12:00:00 on taken: the store refuses the add after its retries.
class AdifStoreRefusalTest : public AdifImportTest {
  protected:
    void SetUp() override {
        AdifImportTest::SetUp();
        store::SharedDefinition definition = ContestLogDefinition("QVLKUNIQ");
        definition.keys[0].allowDups = false;
        strict_ = store::OpenShared(definition);
        ASSERT_NE(strict_, nullptr);
        session_.log = strict_;
        for (int i = 0; i < 11; ++i) {
            QsoRecord r = Contact("OK" + std::to_string(i) + "AA", 'k', "CW", Hms(12, 0, i));
            SetBufferRecord(*strict_, r);
            ASSERT_EQ(strict_->Add(), 0);
        }
        PrepareNewContact(session_, state_, layout_);
    }
    void TearDown() override {
        store::CloseShared(strict_);
        AdifImportTest::TearDown();
    }
    store::TFileblockObject* strict_ = nullptr;
};

TEST_F(AdifStoreRefusalTest, ARecordTheStoreRefusesIsReportedWithCallAndTimeNotCounted) {
    const AdifImportResult r = Import(
        "<CALL:6>SP5ABC<QSO_DATE:8>20120812<TIME_ON:4>1200<BAND:2>2m<MODE:2>CW<EOR>"
        "<CALL:6>SP6ABC<QSO_DATE:8>20120812<TIME_ON:4>1300<BAND:2>2m<MODE:2>CW<EOR>");
    EXPECT_EQ(r.imported, 1);
    EXPECT_EQ(r.storeFailures, 1);
    ASSERT_EQ(r.refusals.size(), 1u);
    EXPECT_EQ(r.refusals[0].call, "SP5ABC");
    EXPECT_EQ(r.refusals[0].zeit, "12:00");
    EXPECT_EQ(strict_->RecordCount(), 12);
    EXPECT_EQ(ContactSum(session_.totals), 1);
    EXPECT_NE(
        AdifImportReport(r).find("1 Datens\xE4tze konnten nicht gespeichert werden\r\n  SP5ABC "),
        std::string::npos);
}

// A log that admits each point count once, holding a contact of the points
// a new one to IO91WM gets: the add passes, writing its points back does not.
class AdifPointsRefusalTest : public AdifImportTest {
  protected:
    void SetUp() override {
        AdifImportTest::SetUp();
        store::SharedDefinition definition = ContestLogDefinition("QVLKPTS");
        definition.keys[kByDok - 1].allowDups = false;
        definition.object.keyBuilder = [inner = definition.object.keyBuilder](
                                           std::span<const std::uint8_t> bytes, int keyNr) {
            if (keyNr != kByDok) return inner(bytes, keyNr);
            return std::to_string(QsoRecord(bytes.first<QsoRecord::kSize>()).Punkte());
        };
        points_ = store::OpenShared(definition);
        ASSERT_NE(points_, nullptr);
        session_.log = points_;
        QsoRecord r = Contact("OK1AA", 'k', "CW", Hms(11, 0));
        r.SetPunkte(static_cast<std::uint16_t>(radio::QrbKm("JO62MM", "IO91WM")));
        SetBufferRecord(*points_, r);
        ASSERT_EQ(points_->Add(), 0);
        PrepareNewContact(session_, state_, layout_);
    }
    void TearDown() override {
        store::CloseShared(points_);
        AdifImportTest::TearDown();
    }
    store::TFileblockObject* points_ = nullptr;
};

TEST_F(AdifPointsRefusalTest, AContactWhosePointsWereNotWrittenIsStoredAndListedWithItsReason) {
    const AdifImportResult r = Import(
        "<CALL:5>G4ABC<QSO_DATE:8>20120812<TIME_ON:4>1200<BAND:2>2m<MODE:2>CW"
        "<GRIDSQUARE:6>IO91WM<EOR>");
    EXPECT_EQ(points_->RecordCount(), 2);
    EXPECT_EQ(r.imported, 1);
    EXPECT_EQ(r.updateFailures, 1);
    EXPECT_EQ(r.storeFailures, 0);
    ASSERT_EQ(r.refusals.size(), 1u);
    EXPECT_EQ(r.refusals[0].call, "G4ABC");
    const std::string report = AdifImportReport(r);
    EXPECT_NE(report.find("1 Datens\xE4tze importiert\r\n1 davon ohne Punkte gespeichert"),
              std::string::npos)
        << report;
    EXPECT_EQ(report.find("Datens\xE4tze konnten nicht gespeichert"), std::string::npos) << report;
}

TEST(AdifLogFieldsTest, TheContestsCaptionsFollowTheFixedFieldsAndEmptyOnesNeverMatch) {
    struct Case {
        char code;
        std::vector<std::string> tail;  // captions after "MODE"
    };
    radio::ResetProgramValues();
    for (const Case& c : std::vector<Case>{{'j', {"LOC"}}}) {
        contest::ContestEntry entry;
        entry.SetCode(c.code);
        const auto d = contest::FillContestDefinition(c.code, entry);
        std::vector<AdifLogField> fields = AdifLogFields(d);
        ASSERT_EQ(fields.size(), 9 + c.tail.size()) << c.code;
        for (std::size_t i = 0; i < c.tail.size(); ++i) EXPECT_EQ(fields[9 + i].caption, c.tail[i]);
        EXPECT_FALSE(MapAdifField(fields, "", "GRIDSQUARE"));
        EXPECT_TRUE(MapAdifField(fields, "LOC", "gridsquare"));
        EXPECT_FALSE(MapAdifField(fields, "LOC", "MY_GRIDSQUARE"));  // once only
        EXPECT_EQ(AdifLogFieldText(fields.back()), "LOC (GRIDSQUARE)");
        const AdifFile file = ReadAdif("<GRIDSQUARE:4>JO31<:3>abc<EOR>");
        ASSERT_EQ(file.Records.size(), 1u);
        EXPECT_EQ(AdifLogValue(fields, file.Records[0], "LOC"), "JO31");
        EXPECT_EQ(AdifLogValue(fields, file.Records[0], ""), "");
        EXPECT_EQ(AdifLogValue(fields, file.Records[0], "CALL"), "");  // not mapped
    }
}

TEST(AdifFileTest, AFileIsReadWholeAndAMissingOneIsNone) {
    mss::test::TempDir dir;
    EXPECT_FALSE(ReadAdifFile(dir.RunDir() + "missing.adi").has_value());
    EXPECT_FALSE(ReadAdifFile(dir.RunDir()).has_value());  // a directory
    const std::string path = dir.RunDir() + "a.adi";
    std::ofstream(path, std::ios::binary) << kSprintFile;
    const std::optional<AdifFile> file = ReadAdifFile(path);
    ASSERT_TRUE(file.has_value());
    EXPECT_EQ(file->Records.size(), ReadAdif(kSprintFile).Records.size());
}

TEST(AdifChecksTest, ModesAndBandsOfTheContest) {
    radio::ResetProgramValues();
    contest::ContestEntry entry;
    entry.SetCode('j');
    const auto d = contest::FillContestDefinition('j', entry);
    struct ModeCase {
        std::string_view mode;
        bool accepted;
    };
    for (const ModeCase& c : std::vector<ModeCase>{
             {"CW", true}, {"fsk441", true}, {"SSB", true}, {"MSK144", false}, {"", false}})
        EXPECT_EQ(ModeOfContestList(d, c.mode), c.accepted) << c.mode;
    struct BandCase {
        std::string_view freq, band;
        char accepted;
    };
    for (const BandCase& c : std::vector<BandCase>{{"144.360", "", 'k'},
                                                   {"144,360", "", 'k'},
                                                   {"", "2m", 'k'},
                                                   {"", "2M", 'k'},
                                                   {"432.2", "70cm", radio::kNoBand},
                                                   {"", "", radio::kNoBand}})
        EXPECT_EQ(AdifBandAccepted(d, c.freq, c.band), c.accepted) << c.freq << c.band;
}

}  // namespace
}  // namespace mss::log::test
