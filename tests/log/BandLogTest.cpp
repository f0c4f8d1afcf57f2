// The band log's orders, heading line and rows.
#include "log/BandLog.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "LogTestSupport.h"
#include "store/KeyCodec.h"

namespace mss::log::test {
namespace {

// 'j' as the catalogue gives it, or with the changes a case needs.
contest::ContestDefinition Sprint() {
    contest::ContestEntry entry;
    return contest::FillContestDefinition('j', entry);
}

std::string Join(const std::vector<std::string>& columns) {
    std::string text;
    for (std::size_t i = 0; i < columns.size(); ++i) text += (i ? "; " : "") + columns[i];
    return text;
}

class BandLogTest : public testing::Test {
  protected:
    void SetUp() override { radio::ResetProgramValues(); }
    void TearDown() override { radio::ResetProgramValues(); }
};

TEST_F(BandLogTest, OrdersGiveTheirKeyAndRange) {
    struct Case {
        int order;
        const char* german;
        const char* english;
        BandLogKeyRange range;
    };
    const std::string all1 = store::IntToKey(1), all9 = store::IntToKey(999999999);
    const Case cases[] = {
        {kBandByNumber, " Band - Nr", " Band - No", {kByBandSeq, "l", "l"}},
        {kBandByCall, " Band - Call", " Band - Call", {kByBandCallMode, "l", "l"}},
        {kBandByDxcc, " Band - DXCC", " Band - DXCC", {kByBandPrefix, "l", "l"}},
        {kAllByNumber, " alle - Nr", " all - No", {kByNummer, all1, all9}},
        {kAllByCall, " alle - Call", " all - Call", {kByCallTime, "", ""}},
        {kAllByDxcc, " alle - DXCC", " all - DXCC", {kByPrefix, "", ""}},
        {kAllByDok, " alle - DOK", " all - DOK", {kByDok, "", ""}},
    };
    const contest::ContestDefinition d = Sprint();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.german);
        EXPECT_EQ(BandLogKeyRangeOf(c.order, 'l'), c.range);
        EXPECT_EQ(IsBandOrder(c.order), c.order <= kBandByDxcc);
        radio::Program().LanguageGerman = 1;
        EXPECT_EQ(BandLogSortCaptions(d).at(static_cast<std::size_t>(c.order)), c.german);
        radio::Program().LanguageGerman = 0;
        EXPECT_EQ(BandLogSortCaptions(d).at(static_cast<std::size_t>(c.order)), c.english);
    }
    EXPECT_EQ(BandLogKeyRangeOf(7, 'l').keyNr, 0);
    EXPECT_EQ(BandLogKeyRangeOf(-1, 'l').keyNr, 0);
    EXPECT_EQ(kOpeningOrder, kAllByNumber);
}

TEST_F(BandLogTest, TheLastOrderNamesTheDokKindOfTheContest) {
    struct Case {
        std::vector<int> features;
        const char* german;
        const char* english;
    };
    const Case cases[] = {
        {{}, " alle - DOK", " all - DOK"},        {{4}, " alle - DOK", " all - DOK"},
        {{8}, " alle - Area", " all - Area"},     {{17}, " alle - LDK", " all - LDK"},
        {{8, 17}, " alle - Area", " all - Area"},
    };
    for (const Case& c : cases) {
        contest::ContestDefinition d = Sprint();
        for (int option : c.features) d.Features.set(static_cast<std::size_t>(option));
        radio::Program().LanguageGerman = 1;
        EXPECT_EQ(BandLogSortCaptions(d).back(), c.german);
        radio::Program().LanguageGerman = 0;
        EXPECT_EQ(BandLogSortCaptions(d).back(), c.english);
    }
}

TEST_F(BandLogTest, HeaderHasTheColumnsOfTheContest) {
    struct Case {
        const char* name;
        std::uint8_t german;
        std::uint8_t entryFlag;
        std::array<std::string, 3> multNames;
        std::string expected;
    };
    const std::string tail = "Pkt;sQr;Name      ;QTH       ;Freq." + std::string(200, ' ');
    const Case cases[] = {
        {"sprint",
         1,
         0,
         {},
         "Nr ; Datum ; UTC ; Call    ;Band ;Mod; RSTsent      ; RSTrcvd      ;" + tail},
        {"english",
         0,
         0,
         {},
         "No ;  Date ; UTC ; Call    ;Band ;Mod; RSTsent      ; RSTrcvd      ;" + tail},
        {"extra columns",
         1,
         0,
         {"DXCC", "", "Callmulti"},
         "Nr ; Datum ; UTC ; Call    ;Band ;Mod; RSTsent      ; RSTrcvd      ;DXCC  ;Callmu;" +
             tail},
        {"second call",
         1,
         1,
         {"DOK", "", ""},
         "Nr ; Datum ; UTC ; Call    ;Band ;Mod; RSTsent      ;Call2  ;RSTsent2 ;DOK   ;Pkt;sQr" +
             std::string(200, ' ')},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        radio::Program().LanguageGerman = c.german;
        contest::ContestDefinition d = Sprint();
        d.EntryFlag = c.entryFlag;
        d.MultNames = c.multNames;
        EXPECT_EQ(BandLogHeader(d), c.expected);
    }
}

// A contact of the sprint as the log holds it.
QsoRecord SprintContact() {
    QsoRecord r;
    r.SetLfdNr(12);
    r.SetDatum(kSprintDay);
    r.SetZeit(Hms(12, 34, 56));
    r.SetCall("Dl1abc/p");
    r.SetBand('k');
    r.SetMode("FSK441");
    StoreSentExchange(r, "   JO62MM");
    StoreRcvdExchange(r, "26 jo31nf");
    r.SetPunkte(345);
    r.SetQslSend('Y');
    r.SetNameQth("Hans;B\xE4rlin");
    r.SetFreq(144.36f);
    return r;
}

TEST_F(BandLogTest, RowsShowTheRecordColumnByColumn) {
    struct Case {
        const char* name;
        std::function<void(QsoRecord&, contest::ContestDefinition&)> change;
        std::string expected;
    };
    const std::vector<std::string> contact = {
        "    12",     "12.08.12", "12:34", "DL1ABC/P", "2 M",       "FSK441",   "    JO62MM",
        "26  JO31NF", "345",      "Y  ",   "HANS",     "B\xC4RLIN", "  144,360"};
    auto with = [&](std::size_t column, std::string text) {
        std::vector<std::string> row = contact;
        row[column] = std::move(text);
        return Join(row);
    };
    auto none = [](QsoRecord&, contest::ContestDefinition&) {};
    const Case cases[] = {
        {"contact, upper case", none, Join(contact)},
        {"both QSL flags", [](QsoRecord& r, auto&) { r.SetQslRcvd('J'); }, with(9, "Y J")},
        {"no QSL flags", [](QsoRecord& r, auto&) { r.SetQslSend(0); }, with(9, "   ")},
        {"no frequency", [](QsoRecord& r, auto&) { r.SetFreq(0); }, with(12, "")},
        {"contact at midnight", [](QsoRecord& r, auto&) { r.SetZeit(0); }, with(2, "00:00")},
        {"no date, no time",
         [](QsoRecord& r, auto&) {
             r.SetDatum(-1);
             r.SetZeit(-1);
         },
         Join({"    12", "        ", "     ", "DL1ABC/P", "2 M", "FSK441", "    JO62MM",
               "26  JO31NF", "345", "Y  ", "HANS", "B\xC4RLIN", "  144,360"})},
        {"QTH only", [](QsoRecord& r, auto&) { r.SetNameQth(";Rom"); },
         Join({"    12", "12.08.12", "12:34", "DL1ABC/P", "2 M", "FSK441", "    JO62MM",
               "26  JO31NF", "345", "Y  ", "", "ROM", "  144,360"})},
        {"marked", [](QsoRecord& r, auto&) { r.SetMarked(1); }, "\x01" + Join(contact)},
        {"other marks are not shown", [](QsoRecord& r, auto&) { r.SetMarked(2); }, Join(contact)},
        {"band change",
         [](QsoRecord& r, auto&) {
             r.SetQsyBand('l');
             r.SetZeit(0);
         },
         Join({"", "12.08.12", "00:00", "*** QSY 70 CM ***", "", "", "", "", "", "", "", "", ""})},
        {"extra columns",
         [](QsoRecord& r, contest::ContestDefinition& d) {
             d.MultNames = {"DXCC", "Loc", "DOK"};
             r.SetMultiCol1("ok");
             r.SetMultiCol2("JO31");
             r.SetCall2("S53");
         },
         Join({"    12", "12.08.12", "12:34", "DL1ABC/P", "2 M", "FSK441", "    JO62MM",
               "26  JO31NF", "OK", "JO31", "S53", "345", "Y  ", "HANS", "B\xC4RLIN", "  144,360"})},
        {"second call, as typed",
         [](QsoRecord& r, contest::ContestDefinition& d) {
             d.EntryFlag = 1;
             r.SetCall2("dk0xy");
         },
         Join({"    12", "12.08.12", "12:34", "Dl1abc/p", "2 m", "FSK441", "26  jo31nf", "dk0xy",
               "    JO62MM", "345", "Y  "})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QsoRecord r = SprintContact();
        contest::ContestDefinition d = Sprint();
        c.change(r, d);
        EXPECT_EQ(BandLogRow(d, r), c.expected);
        // Every row has a cell under every heading.
        const std::string row = BandLogRow(d, r);
        EXPECT_EQ(std::ranges::count(row, ';'), std::ranges::count(BandLogHeader(d), ';'));
    }
}

}  // namespace
}  // namespace mss::log::test
