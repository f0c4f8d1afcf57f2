// The ADIF export read back by an independent strict reader.
#include "output/AdifExport.h"

#include "log/AdifImport.h"
#include "log/ContactEntry.h"
#include "output/AdifReader.h"
#include "output/OutputTestSupport.h"
#include "output/Outputs.h"

namespace mss::output::test {
namespace {

class AdifExportTest : public OutputTest {
  protected:
    AdifFile Export(bool reportOnly = true) {
        messages_.SetNextAnswers({reportOnly});
        StringTextTarget file;
        EXPECT_TRUE(WriteOutputFile(FileOutput::Adif, file, Job()).Ok());
        text_ = file.text();
        AdifFile adif = ReadAdif(text_);
        EXPECT_EQ(adif.error, "") << text_;
        return adif;
    }
    std::string text_;
};

TEST_F(AdifExportTest, SprintLogReadsBackRecordForRecord) {
    FillSprintLog();
    const AdifFile adif = Export();
    ASSERT_EQ(adif.records.size(), 5u) << "the band-change marker gives no record";
    EXPECT_EQ(adif.preamble,
              "ADIF-Export generated with Brevant Tarvolt MSSprint Version 2012-1.0 "
              "www.brevant.example\r\n");
    const std::vector<std::pair<std::string, std::string>> header = {
        {"ADIF_VER", "3.1.4"},
        {"PROGRAMID", "Tarvolt MSSprint"},
        {"PROGRAMVERSION", "2012-1.0"},
        {"CREATED_TIMESTAMP", "20120814 163005"},  // UTC: local 18:30:05, bias -120
    };
    EXPECT_EQ(adif.header, header);

    const std::vector<std::pair<std::string, std::string>> first = {
        {"QSO_DATE", "20120812"},
        {"TIME_ON", "1205"},
        {"CALL", "DK5EW"},
        {"RST_SENT", "599"},
        {"RST_RCVD", "579"},
        {"STX_STRING", "JO62MM"},
        {"SRX_STRING", "JO31LK"},
        {"BAND", "2m"},
        {"MODE", "CW"},
        {"PTS", "310"},
        {"DOK", ""},
        {"GRIDSQUARE", "JO31LK"},
        {"MY_GRIDSQUARE", "JO62MM"},
        {"DXCC", "230"},
        {"DXCC_PFX", "DL"},
        {"FREQ", "144.3600"},
        {"PROP_MODE", "MS"},
        {"STATION_CALLSIGN", "DL1ABC"},
    };
    EXPECT_EQ(adif.records[0], first);

    const struct {
        std::size_t record;
        const char* tag;
        std::string value;
    } kFields[] = {
        {1, "CALL", "OK1KHL/P"},     {1, "MODE", "FSK441"},         {1, "RST_SENT", "26 "},
        {1, "DXCC", "503"},          {1, "FREQ", "(absent)"},       {2, "TIME_ON", "0000"},
        {2, "GRIDSQUARE", ""},       {2, "SRX_STRING", "(absent)"}, {2, "DXCC", "284"},
        {3, "NAME", "J\xF6rg"},      {3, "QTH", "M\xFCnchen"},      {3, "QSL_SENT", "Y"},
        {3, "QSL_RCVD", "(absent)"}, {4, "QSO_DATE", "20120813"},   {4, "DXCC", "263"},
        {4, "STX", "(absent)"},      {4, "SRX", "(absent)"},
    };
    for (const auto& f : kFields) {
        EXPECT_EQ(adif.Value(f.record, f.tag), f.value) << "record " << f.record << " " << f.tag;
    }
    EXPECT_EQ(messages_.shown().size(), 1u);
    EXPECT_EQ(messages_.LastText(), kAdifReportQuestion);
}

// Bytes 0x80 to 0xBF of the code page (’ € ° ²) are a byte each in the file
// but continuation bytes in UTF-8: a length counted in anything but bytes,
// or a file taken for UTF-8, shows here.
TEST_F(AdifExportTest, Windows1252PunctuationKeepsItsLengthsAndImportsBackUnchanged) {
    struct Contact {
        const char *call, *locator, *nameQth;
        int minute;
    };
    const Contact contacts[] = {
        {"EI3AB", "IO63UF",
         "D\x92"
         "Arcy;Bray \x80"
         "2",
         5},
        {"OK1KHL/P", "JO70FF", "Ji\xF8\xED;Sn\xEC\xBEka 1602m\xB2", 40},
        {"DF9ZY", "JO53QH", "J\xF6rg;5\xB0 Nord", 75},
    };
    for (const Contact& c : contacts) {
        QsoRecord r = Placed(Stored(c.call, kFirstDay, Hms(12, 0) + c.minute * 60, "CW",
                                    std::string("599") + "JO62MM", std::string("579") + c.locator,
                                    static_cast<std::uint16_t>(radio::QrbKm("JO62MM", c.locator))),
                             c.locator, "", 1);
        r.SetNameQth(c.nameQth);
        Put(r);
    }
    const std::vector<QsoRecord> before = Records();
    const AdifFile adif = Export();  // the strict reader takes every length as bytes
    ASSERT_EQ(adif.records.size(), std::size(contacts));
    for (std::size_t i = 0; i < std::size(contacts); ++i) {
        const std::string nameQth = contacts[i].nameQth;
        EXPECT_EQ(adif.Value(i, "NAME") + ";" + adif.Value(i, "QTH"), nameQth);
    }

    ClearLog();
    log::ClearTotals(session_);
    const log::PanelLayout layout = log::LayoutOf(session_, extra_);
    log::EntryState state;
    log::PrepareNewContact(session_, state, layout);
    log::PanelValues shown = log::PanelOf(state.contact, session_);
    shown.nameQthShown = true;
    const log::AdifFile file = log::ReadAdif(text_);
    EXPECT_EQ(file.Encoding, log::AdifEncoding::Cp1252);
    std::vector<log::AdifLogField> fields = log::AdifLogFields(session_.definition);
    log::MapStandardAdifFields(fields, session_.definition, file);
    log::SilentProgress progress;
    const log::AdifImportResult r =
        log::ImportAdif(session_, state, layout, file, fields, shown, {}, progress);
    EXPECT_EQ(r.imported, static_cast<int>(std::size(contacts))) << log::AdifImportReport(r);
    const std::vector<QsoRecord> after = Records();
    ASSERT_EQ(after.size(), before.size());
    for (std::size_t i = 0; i < before.size(); ++i) {
        EXPECT_EQ(after[i].Call(), before[i].Call());
        EXPECT_EQ(after[i].Datum(), before[i].Datum());
        EXPECT_EQ(after[i].Zeit(), before[i].Zeit());
        EXPECT_EQ(after[i].Band(), before[i].Band());
        EXPECT_EQ(after[i].Mode(), before[i].Mode());
        EXPECT_EQ(after[i].Locator(), before[i].Locator());
        EXPECT_EQ(after[i].Punkte(), before[i].Punkte());
        EXPECT_EQ(after[i].NameQth(), before[i].NameQth());
        EXPECT_EQ(log::RcvdExchangeOf(after[i]), log::RcvdExchangeOf(before[i]));
        EXPECT_EQ(log::SentExchangeOf(after[i]), log::SentExchangeOf(before[i]));
    }
}

TEST_F(AdifExportTest, WholeExchangeGoesIntoTheReportFields) {
    FillSprintLog();
    const AdifFile adif = Export(false);
    EXPECT_EQ(adif.Value(0, "RST_SENT"), "599JO62MM");
    EXPECT_EQ(adif.Value(0, "RST_RCVD"), "579JO31LK");
    EXPECT_EQ(adif.Value(0, "STX_STRING"), "(absent)");
    EXPECT_EQ(adif.Value(2, "RST_RCVD"), "59 ");
}

// One contact changed in one way, and the field it must give.
TEST_F(AdifExportTest, SingleContactFieldsFollowTheRecord) {
    const struct {
        const char* what;
        std::function<void(QsoRecord&)> change;
        const char* tag;
        std::string value;
    } kCases[] = {
        {"no date", [](QsoRecord& r) { r.SetDatum(-1); }, "QSO_DATE", "(absent)"},
        {"no time", [](QsoRecord& r) { r.SetZeit(-1); }, "TIME_ON", "(absent)"},
        {"packet", [](QsoRecord& r) { r.SetMode("PR"); }, "MODE", "PKT"},
        {"QSL sent N", [](QsoRecord& r) { r.SetQslSend('N'); }, "QSL_SENT", "N"},
        {"QSL sent r", [](QsoRecord& r) { r.SetQslSend('r'); }, "QSL_SENT", "r"},
        {"QSL sent X", [](QsoRecord& r) { r.SetQslSend('X'); }, "QSL_SENT", "(absent)"},
        {"QSL sent blank", [](QsoRecord& r) { r.SetQslSend(' '); }, "QSL_SENT", "(absent)"},
        {"QSL rcvd j", [](QsoRecord& r) { r.SetQslRcvd('j'); }, "QSL_RCVD", "Y"},
        {"QSL rcvd V", [](QsoRecord& r) { r.SetQslRcvd('V'); }, "QSL_RCVD", "V"},
        {"QSL rcvd Q", [](QsoRecord& r) { r.SetQslRcvd('Q'); }, "QSL_RCVD", "(absent)"},
        {"unknown prefix", [](QsoRecord& r) { r.SetPrefix("ZZ9"); }, "DXCC", "(absent)"},
        {"unknown prefix", [](QsoRecord& r) { r.SetPrefix("ZZ9"); }, "DXCC_PFX", "ZZ9"},
        {"no prefix", [](QsoRecord& r) { r.SetPrefix(""); }, "DXCC_PFX", "(absent)"},
        {"name only", [](QsoRecord& r) { r.SetNameQth("Hans;"); }, "QTH", "(absent)"},
        {"QTH only", [](QsoRecord& r) { r.SetNameQth(";Bonn"); }, "NAME", "(absent)"},
        {"DOK", [](QsoRecord& r) { log::StoreDok(r, "P01XY7"); }, "DOK", "P01XY7"},
        {"long DOK", [](QsoRecord& r) { log::StoreDok(r, "Z12345AB"); }, "DOK", "Z12345AB"},
        {"no report", [](QsoRecord& r) { log::StoreSentExchange(r, ""); }, "RST_SENT", "   "},
        {"70 cm", [](QsoRecord& r) { r.SetBand('l'); }, "BAND", "70cm"},
        {"frequency", [](QsoRecord& r) { r.SetFreq(144.3f); }, "FREQ", "144.3000"},
        {"sent locator bad", [](QsoRecord& r) { log::StoreSentExchange(r, "599"); },
         "MY_GRIDSQUARE", "JO62MM"},
    };
    for (const auto& c : kCases) {
        ClearLog();
        QsoRecord r = Stored("DL2XX", kFirstDay, Hms(14, 0), "CW", "599JO61EF", "599JO40AA", 99);
        r.SetPrefix("DL");
        c.change(r);
        Put(r);
        const AdifFile adif = Export();
        ASSERT_EQ(adif.records.size(), 1u) << c.what;
        EXPECT_EQ(adif.Value(0, c.tag), c.value) << c.what;
    }
}

TEST_F(AdifExportTest, DxccNumberFromThePrefixTablesHasNoBlank) {
    Put(Stored("XX1AA", kFirstDay, Hms(14, 0), "CW", "599JO62MM", "599JO40AA", 9));
    ASSERT_EQ(session_.log->First(log::kByNummer), 0);
    QsoRecord r = log::BufferRecord(*session_.log);
    r.SetPrefix("ZZ9");
    log::SetBufferRecord(*session_.log, r);
    ASSERT_EQ(session_.log->Update(), 0);
    messages_.SetNextAnswers({true});
    OutputJob job = Job();
    job.dxccFinder = [](std::string_view prefix) -> std::optional<int> {
        if (prefix == "ZZ9") return 7;
        return std::nullopt;
    };
    StringTextTarget file;
    ASSERT_TRUE(WriteOutputFile(FileOutput::Adif, file, job).Ok());
    const AdifFile adif = ReadAdif(file.text());
    ASSERT_EQ(adif.error, "");
    EXPECT_EQ(adif.Value(0, "DXCC"), "7");
}

// Other contests: the serial goes into STX, a DOK tag follows the contest,
// a listener log names the second call, 'A' is not asked.
TEST_F(AdifExportTest, ContestRulesChooseTheFields) {
    const struct {
        char code;
        std::uint8_t category;
        int feature;  // an extra multiplier option, or 0
        const char* sent;
        const char* rcvd;
        std::vector<std::pair<std::string, std::string>> expected;
        std::size_t questions;
    } kCases[] = {
        {'9',
         1,
         0,
         "599012",
         "579104",
         {{"STX", "012"},
          {"SRX", "104"},
          {"RST_SENT", "599"},
          {"PROP_MODE", "(absent)"},
          {"MY_GRIDSQUARE", "(absent)"},
          {"STATION_CALLSIGN", "(absent)"}},
         1},
        {'1',
         1,
         0,
         "599001/P01",
         "599014/B05",
         {{"STX_STRING", "001/P01"}, {"SRX_STRING", "014/B05"}, {"DOK", "B05"}},
         1},
        {'1', 1, 8, "599001/P01", "599014/B05", {{"AREA", "B05"}, {"DOK", "(absent)"}}, 1},
        {'a', 1, 0, "599001", "599014", {{"LDK", "B05"}}, 1},
        {'1',
         4,
         0,
         "599001/P01",
         "579014/B05",
         {{"RST_SENT", "579"}, {"CALL_WKD", "DK0AA"}, {"RST_WKD", "599"}, {"RST_RCVD", "(absent)"}},
         1},
        {'A',
         1,
         0,
         "599001",
         "579014/R05",
         {{"RST_SENT", "599"}, {"STX", "001"}, {"LDK", "014/R05"}},
         0},
    };
    for (const auto& c : kCases) {
        UseEntry(c.code, c.category);
        if (c.feature != 0) session_.definition.Features.set(static_cast<std::size_t>(c.feature));
        ClearLog();
        QsoRecord r = Stored("DL2XX", kFirstDay, Hms(14, 0), "CW", c.sent, c.rcvd, 1, 'b');
        r.SetCall2("DK0AA");
        log::StoreDok(r, "B05");
        Put(r);
        messages_.Clear();
        const AdifFile adif = Export();
        ASSERT_EQ(adif.records.size(), 1u) << c.code;
        for (const auto& [tag, value] : c.expected) {
            EXPECT_EQ(adif.Value(0, tag), value) << c.code << " " << tag;
        }
        EXPECT_EQ(messages_.shown().size(), c.questions) << c.code;
    }
}

}  // namespace
}  // namespace mss::output::test
