#include "log/WsjtxDatagram.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "radio/ProgramValues.h"

namespace mss::log {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Writes datagrams as the senders do, from the published layout.
class Writer {
  public:
    Writer& U8(std::uint8_t v) { return Put(v, 1); }
    Writer& U32(std::uint32_t v) { return Put(v, 4); }
    Writer& U64(std::uint64_t v) { return Put(v, 8); }
    Writer& Text(std::string_view s) {
        U32(static_cast<std::uint32_t>(s.size()));
        bytes_.insert(bytes_.end(), s.begin(), s.end());
        return Mark();
    }
    Writer& Null() { return U32(0xFFFFFFFF).Mark(); }
    // Julian day, milliseconds, timespec 1 (UTC) or 2 with an offset.
    Writer& DateTime(std::int64_t jd, std::uint32_t ms, std::uint8_t timeSpec = 1,
                     std::int32_t offset = 0) {
        U64(static_cast<std::uint64_t>(jd)).U32(ms).U8(timeSpec);
        if (timeSpec == 2) U32(static_cast<std::uint32_t>(offset));
        return Mark();
    }
    Writer& Header(std::uint32_t type, std::uint32_t schema = 3,
                   std::uint32_t magic = kWsjtxMagic) {
        return U32(magic).U32(schema).U32(type).Text("WSJT-X");
    }
    // Marks the end of a field: the datagram may end there.
    Writer& Mark() {
        boundaries_.push_back(bytes_.size());
        return *this;
    }
    const Bytes& bytes() const { return bytes_; }
    const std::vector<std::size_t>& boundaries() const { return boundaries_; }

  private:
    Writer& Put(std::uint64_t v, int n) {
        for (int i = n - 1; i >= 0; --i) bytes_.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
        return *this;
    }
    Bytes bytes_;
    std::vector<std::size_t> boundaries_;
};

constexpr std::int64_t kJd20240812 = 2460535;
constexpr std::uint32_t kMs021530 = (2 * 3600 + 15 * 60 + 30) * 1000;
constexpr std::uint32_t kMs021200 = (2 * 3600 + 12 * 60) * 1000;
const std::int32_t kDay = radio::DayNumber(12, 8, 2024);

// A "QSO Logged" message in full; mandatoryEnd is where its oldest form ends.
Writer QsoLogged(std::size_t* mandatoryEnd = nullptr) {
    Writer w;
    w.Header(kWsjtxQsoLogged).DateTime(kJd20240812, kMs021530);
    w.Text("DL7ABC").Text("JO62").U64(144'360'000).Mark().Text("MSK144").Text("26").Text("27");
    w.Text("").Null().Text("");
    if (mandatoryEnd) *mandatoryEnd = w.bytes().size();
    w.DateTime(kJd20240812, kMs021200).Text("").Text("DF0MSS").Text("JO31").Text("").Text("");
    w.Text("MS");
    return w;
}

// The same contact as WSJT-X writes it in a "Logged ADIF" message.
const char* const kAdif =
    "\n<adif_ver:5>3.1.0\n<programid:6>WSJT-X\n<EOH>\n<call:6>DL7ABC <gridsquare:4>JO62 "
    "<mode:6>MSK144 <rst_sent:2>26 <rst_rcvd:2>27 <qso_date:8>20240812 <time_on:6>021200 "
    "<qso_date_off:8>20240812 <time_off:6>021530 <band:2>2m <freq:10>144.360000 "
    "<station_callsign:6>DF0MSS <my_gridsquare:4>JO31 <prop_mode:2>MS <EOR>";

WsjtxDatagram Decode(const Bytes& b) {
    return DecodeWsjtxDatagram(b);
}

void ExpectTheSprintContact(const WsjtxContact& c) {
    EXPECT_EQ(c.Call, "DL7ABC");
    EXPECT_EQ(c.Grid, "JO62");
    EXPECT_EQ(c.FrequencyHz, 144'360'000u);
    EXPECT_EQ(c.Mode, "MSK144");
    EXPECT_EQ(c.ReportSent, "26");
    EXPECT_EQ(c.ReportRcvd, "27");
    EXPECT_EQ(c.TimeOn, (WsjtxTime{kDay, 2 * 3600 + 12 * 60}));
    EXPECT_EQ(c.TimeOff, (WsjtxTime{kDay, 2 * 3600 + 15 * 60 + 30}));
    EXPECT_EQ(c.MyCall, "DF0MSS");
    EXPECT_EQ(c.MyGrid, "JO31");
    EXPECT_EQ(c.PropMode, "MS");
    EXPECT_EQ(c.Unconvertible, "");
}

TEST(WsjtxDatagramTest, DecodesACapturedQsoLoggedMessage) {
    // Written out byte by byte: magic, schema 3, type 5, id "WSJT-X", time
    // off 12.08.2024 02:15:30 UTC (Julian day 2460535), "DL7ABC", "JO62",
    // 144.360 MHz, "MSK144", "26", "27", empty power, null comments, empty
    // name, time on 02:12:00 UTC, operator "", "DF0MSS", "JO31", "", "", "MS".
    const Bytes captured = {
        0xAD, 0xBC, 0xCB, 0xDA, 0x00, 0x00, 0x00, 0x03, 0x00, 0x00, 0x00, 0x05,  //
        0x00, 0x00, 0x00, 0x06, 'W',  'S',  'J',  'T',  '-',  'X',               //
        0x00, 0x00, 0x00, 0x00, 0x00, 0x25, 0x8B, 0x77, 0x00, 0x7C, 0x0D, 0xD0, 0x01, 0x00, 0x00,
        0x00, 0x06, 'D',  'L',  '7',  'A',  'B',  'C',                          //
        0x00, 0x00, 0x00, 0x04, 'J',  'O',  '6',  '2',                          //
        0x00, 0x00, 0x00, 0x00, 0x08, 0x9A, 0xC2, 0x40,                         //
        0x00, 0x00, 0x00, 0x06, 'M',  'S',  'K',  '1',  '4',  '4',              //
        0x00, 0x00, 0x00, 0x02, '2',  '6',  0x00, 0x00, 0x00, 0x02, '2',  '7',  //
        0x00, 0x00, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
        0x00, 0x00, 0x25, 0x8B, 0x77, 0x00, 0x78, 0xD9, 0x80, 0x01, 0x00, 0x00, 0x00, 0x00,  //
        0x00, 0x00, 0x00, 0x06, 'D',  'F',  '0',  'M',  'S',  'S',                           //
        0x00, 0x00, 0x00, 0x04, 'J',  'O',  '3',  '1',                                       //
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,                                      //
        0x00, 0x00, 0x00, 0x02, 'M',  'S'};
    EXPECT_EQ(captured, QsoLogged().bytes()) << "the test's writer follows the same layout";
    const WsjtxDatagram d = Decode(captured);
    ASSERT_EQ(d.Outcome, WsjtxOutcome::Contact);
    EXPECT_EQ(d.Schema, 3u);
    EXPECT_EQ(d.Contact.Type, kWsjtxQsoLogged);
    EXPECT_EQ(d.Contact.Id, "WSJT-X");
    ExpectTheSprintContact(d.Contact);
}

TEST(WsjtxDatagramTest, DecodesALoggedAdifMessageAsTheSameContact) {
    Writer w;
    w.Header(kWsjtxLoggedAdif).Text(kAdif);
    const WsjtxDatagram adif = Decode(w.bytes());
    ASSERT_EQ(adif.Outcome, WsjtxOutcome::Contact);
    EXPECT_EQ(adif.Contact.Type, kWsjtxLoggedAdif);
    ExpectTheSprintContact(adif.Contact);
    const WsjtxDatagram logged = Decode(QsoLogged().bytes());
    EXPECT_TRUE(SameContact(logged.Contact, adif.Contact));
    EXPECT_TRUE(SameContact(adif.Contact, logged.Contact));
}

TEST(WsjtxDatagramTest, EveryCutOfAMessageIsEitherAnOlderFormOrMalformed) {
    std::size_t mandatoryEnd = 0;
    const Writer full = QsoLogged(&mandatoryEnd);
    const auto& ends = full.boundaries();
    for (std::size_t n = 0; n < full.bytes().size(); ++n) {
        const Bytes cut(full.bytes().begin(),
                        full.bytes().begin() + static_cast<std::ptrdiff_t>(n));
        const WsjtxDatagram d = Decode(cut);
        const bool olderForm =
            n >= mandatoryEnd && std::find(ends.begin(), ends.end(), n) != ends.end();
        if (olderForm) {
            ASSERT_EQ(d.Outcome, WsjtxOutcome::Contact) << n << " bytes";
            EXPECT_EQ(d.Contact.Call, "DL7ABC");
        } else {
            ASSERT_EQ(d.Outcome, WsjtxOutcome::Malformed) << n << " bytes";
            EXPECT_EQ(d.Fault, WsjtxFault::Truncated) << n << " bytes";
        }
    }
    // The oldest form has no time on: the time off stands in.
    const Bytes oldest(full.bytes().begin(),
                       full.bytes().begin() + static_cast<std::ptrdiff_t>(mandatoryEnd));
    EXPECT_EQ(Decode(oldest).Contact.TimeOn, (WsjtxTime{kDay, 2 * 3600 + 15 * 60 + 30}));
}

TEST(WsjtxDatagramTest, OtherDatagramsAreIgnoredOrMalformed) {
    Writer status;
    status.Header(1).U64(144'360'000).Text("MSK144");
    Writer wrongMagic;
    wrongMagic.Header(kWsjtxQsoLogged, 3, 0xADBCCBDB);
    Writer schemaOne;
    schemaOne.Header(kWsjtxQsoLogged, 1);
    Writer zone;
    zone.Header(kWsjtxQsoLogged).DateTime(kJd20240812, kMs021530, 3).Text("Europe/Berlin");
    Writer badTime;
    badTime.Header(kWsjtxQsoLogged).DateTime(kJd20240812, 86'400'000);
    Writer badAdif;
    badAdif.Header(kWsjtxLoggedAdif).Text("<call:60>DL7ABC<eor>");
    Writer noRecord;
    noRecord.Header(kWsjtxLoggedAdif).Text("<adif_ver:5>3.1.0<eoh>");
    Writer extra = QsoLogged();
    extra.Text("a field of a later version").U32(7);

    struct Case {
        const char* what;
        Bytes bytes;
        WsjtxOutcome outcome;
        WsjtxFault fault;
    };
    const Case cases[] = {
        {"empty", {}, WsjtxOutcome::Malformed, WsjtxFault::Truncated},
        {"status message", status.bytes(), WsjtxOutcome::Ignored, WsjtxFault::None},
        {"heartbeat without payload", Writer().Header(0).bytes(), WsjtxOutcome::Ignored,
         WsjtxFault::None},
        {"unknown type", Writer().Header(99).bytes(), WsjtxOutcome::Ignored, WsjtxFault::None},
        {"wrong magic", wrongMagic.bytes(), WsjtxOutcome::Malformed, WsjtxFault::BadMagic},
        {"schema 1", schemaOne.bytes(), WsjtxOutcome::Malformed, WsjtxFault::UnsupportedSchema},
        {"named time zone", zone.bytes(), WsjtxOutcome::Malformed, WsjtxFault::BadDateTime},
        {"time past midnight", badTime.bytes(), WsjtxOutcome::Malformed, WsjtxFault::BadDateTime},
        {"ADIF length past its end", badAdif.bytes(), WsjtxOutcome::Malformed, WsjtxFault::BadAdif},
        {"ADIF without a record", noRecord.bytes(), WsjtxOutcome::Malformed, WsjtxFault::BadAdif},
        {"fields of a later version", extra.bytes(), WsjtxOutcome::Contact, WsjtxFault::None},
    };
    for (const Case& c : cases) {
        const WsjtxDatagram d = Decode(c.bytes);
        EXPECT_EQ(d.Outcome, c.outcome) << c.what;
        EXPECT_EQ(d.Fault, c.fault) << c.what;
    }
}

TEST(WsjtxDatagramTest, SixtyFourKibibytesOfNoiseAreMalformed) {
    std::mt19937 random(19);
    std::uniform_int_distribution<int> byte(0, 255);
    Bytes noise(64 * 1024);
    for (auto& b : noise) b = static_cast<std::uint8_t>(byte(random));
    EXPECT_EQ(Decode(noise).Outcome, WsjtxOutcome::Malformed);
}

TEST(WsjtxDatagramTest, TimesBecomeUtc) {
    struct Case {
        const char* what;
        std::uint8_t timeSpec;
        std::int32_t offset;
        std::uint32_t ms;
        WsjtxTime utc;
    };
    const Case cases[] = {
        {"UTC", 1, 0, kMs021530, {kDay, 8130}},
        {"two hours ahead", 2, 7200, kMs021530, {kDay, 8130 - 7200}},
        {"two hours ahead, the day before", 2, 7200, 3600 * 1000, {kDay - 1, 23 * 3600}},
        {"one hour behind", 2, -3600, kMs021530, {kDay, 8130 + 3600}},
        {"local time with the clock offset", 0, 0, 3600 * 1000, {kDay - 1, 23 * 3600}},
        {"milliseconds dropped", 1, 0, 999, {kDay, 0}},
    };
    radio::ResetProgramValues();  // ClockOffset -2: the computer runs two hours ahead
    for (const Case& c : cases) {
        Writer w;
        w.Header(kWsjtxQsoLogged).DateTime(kJd20240812, c.ms, c.timeSpec, c.offset);
        w.Text("DL7ABC").Text("JO62").U64(144'360'000).Text("MSK144").Text("").Text("");
        w.Text("").Text("").Text("");
        const WsjtxDatagram d = Decode(w.bytes());
        ASSERT_EQ(d.Outcome, WsjtxOutcome::Contact) << c.what;
        EXPECT_EQ(d.Contact.TimeOff, c.utc) << c.what;
    }
}

TEST(WsjtxDatagramTest, ACharacterWithoutWindows1252FormIsNamed) {
    Writer w;
    w.Header(kWsjtxQsoLogged, 3).DateTime(kJd20240812, kMs021530);
    w.Text("DL7ABC").Text("JO62").U64(144'360'000).Text("MSK144").Text("").Text("");
    w.Text("").Text("M\xC3\xBCller \xE4\xB8\xAD").Text("J\xC3\xBCrgen");
    const WsjtxDatagram d = Decode(w.bytes());
    ASSERT_EQ(d.Outcome, WsjtxOutcome::Contact);
    EXPECT_EQ(d.Contact.Unconvertible, "Comments");
    EXPECT_EQ(d.Contact.Comments, "M\xFCller ?");
    EXPECT_EQ(d.Contact.Name, "J\xFCrgen");

    Writer adif;
    adif.Header(kWsjtxLoggedAdif).Text("<call:6>DL7ABC<name:3>\xE4\xB8\xAD<eor>");
    EXPECT_EQ(Decode(adif.bytes()).Contact.Unconvertible, "NAME");
}

TEST(WsjtxDatagramTest, SameContactNeedsCallBandAndTime) {
    WsjtxContact base;
    base.Call = "DL7ABC";
    base.FrequencyHz = 144'360'000;
    base.TimeOn = {kDay, 8130};
    struct Case {
        const char* what;
        std::string call;
        std::uint64_t hz;
        WsjtxTime on;
        bool same;
    };
    const Case cases[] = {
        {"identical", "DL7ABC", 144'360'000, {kDay, 8130}, true},
        {"letter case and blanks", " dl7abc ", 144'370'000, {kDay, 8130}, true},
        {"a minute later", "DL7ABC", 144'360'000, {kDay, 8190}, true},
        {"61 seconds earlier", "DL7ABC", 144'360'000, {kDay, 8069}, false},
        {"the next day", "DL7ABC", 144'360'000, {kDay + 1, 8130}, false},
        {"no frequency", "DL7ABC", 0, {kDay, 8130}, true},
        {"another band", "DL7ABC", 50'280'000, {kDay, 8130}, false},
        {"another call", "DL7ABD", 144'360'000, {kDay, 8130}, false},
        {"portable is another call", "DL7ABC/P", 144'360'000, {kDay, 8130}, false},
        {"no time", "DL7ABC", 144'360'000, {}, false},
    };
    for (const Case& c : cases) {
        WsjtxContact other = base;
        other.Call = c.call;
        other.FrequencyHz = c.hz;
        other.TimeOn = c.on;
        EXPECT_EQ(SameContact(base, other), c.same) << c.what;
        EXPECT_EQ(SameContact(other, base), c.same) << c.what;
    }
    WsjtxContact noCall;
    EXPECT_FALSE(SameContact(noCall, noCall)) << "two contacts without a call are not one";
}

TEST(WsjtxDatagramTest, PairFilterTakesOneMessageOfEachPair) {
    const auto contact = [](std::uint32_t type, const char* call, std::int32_t seconds) {
        WsjtxContact c;
        c.Type = type;
        c.Call = call;
        c.FrequencyHz = 144'360'000;
        c.TimeOn = {kDay, seconds};
        return c;
    };
    struct Step {
        WsjtxContact contact;
        bool taken;
    };
    struct Case {
        const char* what;
        std::vector<Step> steps;
    };
    const Case cases[] = {
        {"both messages of one contact",
         {{contact(5, "DL7ABC", 100), true}, {contact(12, "DL7ABC", 100), false}}},
        {"the ADIF message first",
         {{contact(12, "DL7ABC", 100), true}, {contact(5, "DL7ABC", 100), false}}},
        {"the same contact logged again",
         {{contact(5, "DL7ABC", 100), true},
          {contact(12, "DL7ABC", 100), false},
          {contact(5, "DL7ABC", 100), true},
          {contact(12, "DL7ABC", 100), false}}},
        {"one program sending only one type",
         {{contact(5, "DL7ABC", 100), true}, {contact(5, "DL7ABC", 100), true}}},
        {"interleaved contacts",
         {{contact(5, "DL7ABC", 100), true},
          {contact(5, "OK1XYZ", 130), true},
          {contact(12, "OK1XYZ", 130), false},
          {contact(12, "DL7ABC", 100), false}}},
        {"another call is another contact",
         {{contact(5, "DL7ABC", 100), true}, {contact(12, "DL7ABD", 100), true}}},
    };
    for (const Case& c : cases) {
        WsjtxPairFilter filter;
        for (std::size_t i = 0; i < c.steps.size(); ++i) {
            EXPECT_EQ(filter.Take(c.steps[i].contact), c.steps[i].taken)
                << c.what << ", step " << i;
        }
    }
    WsjtxPairFilter filter;
    ASSERT_TRUE(filter.Take(contact(5, "DL7ABC", 100)));
    for (int i = 0; i < 40; ++i) filter.Take(contact(5, "OK1XYZ", 1000 + 100 * i));
    EXPECT_TRUE(filter.Take(contact(12, "DL7ABC", 100))) << "a partner far back is forgotten";
}

}  // namespace
}  // namespace mss::log
