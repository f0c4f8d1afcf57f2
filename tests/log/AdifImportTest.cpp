// The ADIF import into a contest 'j' log: mapping, the checks, the counts of
// the result and the score the imported contacts give.
#include "log/AdifImport.h"

#include <gtest/gtest.h>

#include <fstream>

#include "LogTestSupport.h"
#include "log/ContactEntry.h"
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

    PanelLayout layout_;
    EntryState state_;
    std::vector<AdifLogField> fields_;
    PanelValues defaults_;
};

TEST_F(AdifImportTest, TheSprintFileIsCountedAndScoredAsWorkedOutByHand) {
    const AdifImportResult r = Import(kSprintFile);
    EXPECT_EQ(r.imported, 3);  // SP5ABC, OK1XYZ, G4ABC
    EXPECT_EQ(r.duplicates, 1);
    EXPECT_EQ(r.modeErrors, 1);  // MSK144 is not a mode of the contest
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
    const std::string text = AdifImportReport(Import(kSprintFile));
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
    EXPECT_EQ(Import("<CALL:6>SP5ABC<EOR>").imported, 1);
    ASSERT_EQ(Records().size(), 1u);
    EXPECT_EQ(Records()[0].Datum(), kSprintDay);
    EXPECT_EQ(Records()[0].Zeit(), Hms(11, 11));

    ASSERT_TRUE(MapAdifField(fields_, "QSO_DATE", "QSO_DATE"));
    const AdifImportResult r = Import("<CALL:6>OK1XYZ<EOR>");
    EXPECT_EQ(r.incomplete, 1);
    EXPECT_EQ(r.imported, 0);
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
        ASSERT_EQ(fields.size(), 8 + c.tail.size()) << c.code;
        for (std::size_t i = 0; i < c.tail.size(); ++i) EXPECT_EQ(fields[8 + i].caption, c.tail[i]);
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
        EXPECT_EQ(AdifModeAccepted(d, c.mode), c.accepted) << c.mode;
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
