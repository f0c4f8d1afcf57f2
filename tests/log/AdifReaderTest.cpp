#include "log/AdifReader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "radio/DateTime.h"

namespace mss::log {
namespace {

// One line per record: "NAME=value|NAME=value", or "refused <fault> <field>".
std::vector<std::string> Describe(const AdifFile& file) {
    static const char* const kFaults[] = {"none", "BadLength", "LengthPastEnd", "BadUtf8",
                                          "NoCp1252Form"};
    std::vector<std::string> lines;
    for (const AdifRecord& r : file.Records) {
        if (!r.Ok()) {
            lines.push_back(std::string("refused ") + kFaults[static_cast<int>(r.Fault)] + " " +
                            r.FaultField);
            continue;
        }
        std::string line;
        for (const AdifField& f : r.Fields)
            line += (line.empty() ? "" : "|") + f.Name + "=" + f.Value;
        lines.push_back(line);
    }
    return lines;
}

struct ReadCase {
    const char* what;
    std::string input;
    std::vector<std::string> records;
    AdifEncoding encoding = AdifEncoding::Cp1252;
};

const std::vector<ReadCase>& ReadCases() {
    static const std::vector<ReadCase> cases = {
        {"empty file", "", {}},
        {"blanks only", " \r\n\t\r\n", {}},
        {"value holding angle brackets",
         "<CALL:5>DL1AB<COMMENT:9>a<b>c<d>e<EOR>",
         {"CALL=DL1AB|COMMENT=a<b>c<d>e"}},
        {"value holding an end-of-record tag",
         "<COMMENT:5><EOR><CALL:4>DL1A<EOR>",
         {"COMMENT=<EOR>|CALL=DL1A"}},
        {"value holding a line end", "<COMMENT:4>a\r\nb<EOR>", {"COMMENT=a\r\nb"}},
        {"several records on one line",
         "<CALL:4>DL1A<EOR><CALL:4>DL2B<EOR> <CALL:4>DL3C<EOR>\r\n",
         {"CALL=DL1A", "CALL=DL2B", "CALL=DL3C"}},
        {"a record on the header's line",
         "Log\r\n<ADIF_VER:5>3.1.4<EOH><CALL:4>DL1A<EOR>\r\n",
         {"CALL=DL1A"}},
        {"tags in lower case, values keep case",
         "<call:4>dl1a<Mode:3>Msk<eor>",
         {"CALL=dl1a|MODE=Msk"}},
        {"no header, leading free text", "Exported by hand\r\n<CALL:4>DL1A<EOR>", {"CALL=DL1A"}},
        {"header starting with a tag",
         "<ADIF_VER:5>3.1.0<PROGRAMID:6>WSJT-X<EOH>\n<CALL:4>DL1A<EOR>",
         {"CALL=DL1A"}},
        {"missing EOR at the end",
         "<CALL:4>DL1A<EOR>\r\n<CALL:4>DL2B<BAND:2>2m\r\n",
         {"CALL=DL1A", "CALL=DL2B|BAND=2m"}},
        {"length past the end",
         "<CALL:4>DL1A<EOR><CALL:40>DL2B",
         {"CALL=DL1A", "refused LengthPastEnd CALL"}},
        {"length past the end, later records still read",
         "<CALL:4>DL1A<EOR><NAME:4>Hans<CALL:400>DL2B<EOR><CALL:4>DL3C<EOR>",
         {"CALL=DL1A", "refused LengthPastEnd CALL", "CALL=DL3C"}},
        {"a length of many digits",
         "<CALL:99999999999999999999999999>X<EOR>",
         {"refused LengthPastEnd CALL"}},
        {"a length that is no number",
         "<CALL:x>DL1A<EOR><CALL:4>DL2B<EOR>",
         {"refused BadLength CALL", "CALL=DL2B"}},
        {"a tag that never closes",
         "<CALL:4>DL1A<EOR><CALL:4",
         {"CALL=DL1A", "refused BadLength CALL"}},
        {"data type and leading zeros", "<QSO_DATE:008:D>20240101<EOR>", {"QSO_DATE=20240101"}},
        {"comment lines and stray brackets",
         "# <CALL:4>XXXX<EOR>\r\n<CALL:4>DL1A 1 < 2 <> < <EOR>\r\n#<CALL:4>YYYY<EOR>",
         {"CALL=DL1A"}},
        {"a bare unknown tag is ignored", "<APP_X><CALL:4>DL1A<EOR>", {"CALL=DL1A"}},
        {"empty records are no records", "<EOR><EOR><EOH><EOR>", {}},
        {"binary bytes",
         std::string("\0\x01<\x02:\x03>\x7f<CALL:2>\0\x01<EOR>", 23),
         {std::string("CALL=\0\x01", 7)}},
        {"Windows-1252 counts bytes",
         "<NAME:6>M\xFCller<QTH:4>K\xF6ln<EOR>",
         {"NAME=M\xFCller|QTH=K\xF6ln"}},
        {"UTF-8 counts bytes",
         "<NAME:7>M\xC3\xBCller<QTH:5>K\xC3\xB6ln<EOR>",
         {"NAME=M\xFCller|QTH=K\xF6ln"},
         AdifEncoding::Utf8},
        {"UTF-8 with byte-order mark",
         "\xEF\xBB\xBF<NAME:3>\xE2\x82\xAC<EOR>",
         {"NAME=\x80"},
         AdifEncoding::Utf8WithBom},
        {"UTF-8 counted in characters by its writer",
         "<NAME:6>M\xC3\xBCller <CALL:4>DL1A<EOR>",
         {"NAME=M\xFCller|CALL=DL1A"},
         AdifEncoding::Utf8},
        {"a character without Windows-1252 form refuses its record",
         "<CALL:4>BA1A<NAME:3>\xE4\xB8\xAD<EOR><CALL:4>DL2B<EOR>",
         {"refused NoCp1252Form NAME", "CALL=DL2B"},
         AdifEncoding::Utf8},
        {"ill-formed UTF-8 after a byte-order mark",
         "\xEF\xBB\xBF<NAME:1>\xFC<EOR><CALL:4>DL2B<EOR>",
         {"refused BadUtf8 NAME", "CALL=DL2B"},
         AdifEncoding::Utf8WithBom},
        {"ill-formed UTF-8 is Windows-1252", "<NAME:2>\xC3\xC3<EOR>", {"NAME=\xC3\xC3"}},
    };
    return cases;
}

TEST(AdifReaderTest, ReadsRecordsByTheFormat) {
    for (const ReadCase& c : ReadCases()) {
        const AdifFile file = ReadAdif(c.input);
        EXPECT_EQ(Describe(file), c.records) << c.what;
        EXPECT_EQ(file.Encoding, c.encoding) << c.what;
    }
}

TEST(AdifReaderTest, HeaderIsKeptApartFromTheRecords) {
    struct Case {
        const char* what;
        std::string input;
        bool hasHeader;
        std::string text;
        std::vector<std::string> fields;
    };
    const std::vector<Case> cases = {
        {"free text and fields",
         "Made by hand <3 \r\n<ADIF_VER:5>3.1.4\r\n<eoh>\r\n<CALL:4>DL1A<EOR>",
         true,
         "Made by hand ",
         {"ADIF_VER=3.1.4"}},
        {"starting with a tag",
         "<PROGRAMID:6>WSJT-X<EOH><CALL:4>DL1A<EOR>",
         true,
         "",
         {"PROGRAMID=WSJT-X"}},
        {"no end of header", "Made by hand\r\n<CALL:4>DL1A<EOR>", false, "", {}},
        {"end of header only inside a value",
         "Made by hand\r\n<CALL:4>DL1A<NOTE:5><EOH><EOR>",
         false,
         "",
         {}},
        {"header holding a record-like value",
         "x<NOTE:5><EOR><EOH><CALL:4>DL1A<EOR>",
         true,
         "x",
         {"NOTE=<EOR>"}},
    };
    for (const Case& c : cases) {
        const AdifFile file = ReadAdif(c.input);
        EXPECT_EQ(file.HasHeader, c.hasHeader) << c.what;
        EXPECT_EQ(file.HeaderText, c.text) << c.what;
        std::vector<std::string> fields;
        for (const AdifField& f : file.HeaderFields) fields.push_back(f.Name + "=" + f.Value);
        EXPECT_EQ(fields, c.fields) << c.what;
        ASSERT_EQ(file.Records.size(), 1u) << c.what;
        EXPECT_EQ(file.Records[0].Value("CALL"), "DL1A") << c.what;
    }
}

TEST(AdifReaderTest, FieldsAreFoundByTheirWholeName) {
    const AdifFile file = ReadAdif(
        "<QSO_DATE_OFF:8>20240102<qso_date:8>20240101<CALL:4>DL1A<call:4>DL9Z<EOR>"
        "<CALL:4>DL2B<EOR>");
    ASSERT_EQ(file.Records.size(), 2u);
    const AdifRecord& first = file.Records[0];
    EXPECT_EQ(first.Value("QSO_DATE"), "20240101") << "not the date off that comes first";
    EXPECT_EQ(first.Value("Call"), "DL1A") << "the first of two fields of one name";
    EXPECT_EQ(first.Find("GRIDSQUARE"), std::nullopt);
    EXPECT_EQ(file.Records[1].Value("QSO_DATE"), "")
        << "nothing carried over from the record before";
    EXPECT_EQ(file.FieldNames(), (std::vector<std::string>{"QSO_DATE_OFF", "QSO_DATE", "CALL"}));
}

TEST(AdifReaderTest, RecordsKnowWhereTheyStartAndWhyTheyWereRefused) {
    const std::string input =
        "Log<EOH>\n<CALL:4>DL1A<EOR>\n<CALL:4>BA1A<NAME:3>\xE4\xB8\xAD<EOR>\n<CALL:x><EOR>\n"
        "<CALL:4>DL1A<EOR>\n<FREQ:9>144";
    const AdifFile file = ReadAdif(input);
    ASSERT_EQ(file.Records.size(), 5u);
    for (const AdifRecord& r : file.Records) {
        EXPECT_EQ(input.substr(r.Offset, 1), "<");
    }
    EXPECT_EQ(file.Records[0].Offset, input.find("<CALL"));
    EXPECT_EQ(file.Records[1].Offset, input.find("<CALL:4>BA1A"));
    EXPECT_EQ(AdifFaultText(file.Records[0]), "");
    EXPECT_EQ(file.Records[1].FaultChar, U'\u4E2D');
    EXPECT_EQ(AdifFaultText(file.Records[1]),
              "Zeichen U+4E2D im Feld NAME hat keine Windows-1252-Form");
    EXPECT_EQ(AdifFaultText(file.Records[2]), "Ung\xFCltige L\xE4ngenangabe im Feld CALL");
    EXPECT_EQ(AdifFaultText(file.Records[4]),
              "L\xE4ngenangabe im Feld FREQ reicht \xFC"
              "ber das Dateiende");
    EXPECT_EQ(file.Records[1].Value("CALL"), "BA1A") << "a refused record still names its call";
}

TEST(AdifReaderTest, DatesAndTimes) {
    struct Case {
        const char* text;
        std::int32_t date;
        std::int32_t time;
    };
    const Case cases[] = {
        {"20240101", radio::DayNumber(1, 1, 2024), radio::kNoTime},
        {"240229", radio::DayNumber(29, 2, 2024), radio::kNoTime},
        {"123456", radio::kNoDate, 12 * 3600 + 34 * 60 + 56},
        {"20230229", radio::kNoDate, radio::kNoTime},
        {"00240101", radio::kNoDate, radio::kNoTime},
        {"2024011", radio::kNoDate, radio::kNoTime},
        {"2359", radio::kNoDate, 23 * 3600 + 59 * 60},
        {"000000", radio::kNoDate, 0},
        {"235960", radio::kNoDate, radio::kNoTime},
        {"24:00", radio::kNoDate, radio::kNoTime},
        {"", radio::kNoDate, radio::kNoTime},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(AdifDate(c.text), c.date) << c.text;
        EXPECT_EQ(AdifTime(c.text), c.time) << c.text;
    }
}

}  // namespace
}  // namespace mss::log
