#include "radio/CtyImporter.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "radio/CtyFormat.h"
#include "radio/PrefixLookup.h"
#include "store/ObjectTestSupport.h"
#include "suite/SuiteFiles.h"

namespace mss::radio {
namespace {

const std::string kSample = std::string(MSS_TEST_DATA) + "/cty-sample.dat";
const std::string kSampleCsv = std::string(MSS_TEST_DATA) + "/cty-sample.csv";

std::map<std::string, int> SampleCodes() {
    std::ifstream csv(kSampleCsv);
    return ReadCtyCsvCodes(csv);
}

TEST(CtyFormat, ReadsEntitiesPrefixesAndOverridesAndSkipsWhatItCannotRead) {
    std::ifstream in(kSample);
    const CtyFile file = ReadCty(in);
    ASSERT_EQ(file.entities.size(), 6u);
    EXPECT_EQ(file.skipped, 3) << "the bad header, a prefix without its bracket, a CQ zone of 99";

    const CtyEntity& germany = file.entities[0];
    EXPECT_EQ(germany.name, "Fed. Rep. of Germany");
    EXPECT_EQ(germany.cqZone, 14);
    EXPECT_EQ(germany.ituZone, 28);
    EXPECT_EQ(germany.continent, "EU");
    EXPECT_EQ(germany.primaryPrefix, "DL");
    ASSERT_EQ(germany.prefixes.size(), 18u);
    const CtyPrefix& exact = germany.prefixes[16];
    EXPECT_TRUE(exact.exactCall);
    EXPECT_EQ(exact.text, "DL0ANT");
    EXPECT_EQ(exact.cqZone, 13);
    EXPECT_EQ(exact.ituZone, 73);
    EXPECT_EQ(exact.continent, "SA");

    EXPECT_TRUE(file.entities[2].waeOnly);
    EXPECT_EQ(file.entities[2].primaryPrefix, "4U1V");
    const CtyPrefix& hawaii = file.entities[3].prefixes[4];
    EXPECT_EQ(hawaii.text, "KH6X");
    EXPECT_EQ(hawaii.continent, "OC");
    EXPECT_EQ(file.entities[4].primaryPrefix, "3D2/C");
    EXPECT_EQ(file.entities[4].prefixes.size(), 2u) << "a list without ';' ends at the next header";
    EXPECT_EQ(file.entities[5].prefixes.size(), 1u);
}

TEST(CtyFormat, SurvivesGarbage) {
    std::istringstream in(
        std::string("::::::::::\n;;;\n   ,,,=,(,[1],{XX}\nName: 1: 1: EU: 1: 1: 1: :\n") +
        std::string("\0\xff\x80", 3) + "\nA: 1: 1: EU: 0: 0: 0: A\n");
    const CtyFile file = ReadCty(in);
    EXPECT_TRUE(file.entities.empty());
    EXPECT_GT(file.skipped, 0);
}

TEST(CtyFormat, ReadsTheEntityNumbersOfTheCsvCompanion) {
    const std::map<std::string, int> codes = SampleCodes();
    EXPECT_EQ(codes.size(), 6u);
    EXPECT_EQ(codes.at("DL"), 230);
    EXPECT_EQ(codes.at("4U1V"), 206);
    EXPECT_EQ(codes.at("3D2/C"), 489);
}

class CtyImporterTest : public store::test::ObjectLayerTest {
  protected:
    void SetUp() override {
        ObjectLayerTest::SetUp();
        suite::SetSuiteDirectory(dir_.Dir());
    }
    void TearDown() override {
        suite::SetSuiteDirectory("");
        ObjectLayerTest::TearDown();
    }
    static std::int32_t Count(suite::SuiteFile file) {
        const suite::SuiteFileUse use(file);
        return use.get()->RecordCount();
    }
    static suite::PrefixRecord Lookup(std::string_view call) {
        bool chosen = false;
        if (PrefixLookup(call, 0, 0, chosen) != PrefixResult::kFound) return {};
        return PrefixBuffer();
    }
};

TEST_F(CtyImporterTest, FillsThePrefixTableAndTheExactCalls) {
    std::ifstream in(kSample);
    const CtyImportResult result = ImportCty(in, SampleCodes());
    EXPECT_EQ(result.level, 0);
    EXPECT_EQ(result.entities, 6);
    EXPECT_EQ(result.prefixes, 25);
    EXPECT_EQ(result.exactCalls, 4);
    EXPECT_EQ(result.skipped, 5) << "three unreadable, two longer than six characters";
    EXPECT_EQ(Count(suite::SuiteFile::QVPREFIX), 25);
    EXPECT_EQ(Count(suite::SuiteFile::QVPREFEE), 4);

    const suite::PrefixRecord germany = Lookup("DK1ABC");
    EXPECT_EQ(germany.Pattern(), "DK");
    EXPECT_EQ(germany.DxccPrefix(), "DL");
    EXPECT_EQ(germany.CountryName(), "Fed. Rep. of Germany");
    EXPECT_EQ(germany.CqZone(), "14");
    EXPECT_EQ(germany.ItuZone(), "28");
    EXPECT_EQ(germany.ContinentCode(), "EU");
    EXPECT_EQ(germany.DxccCode(), 230);

    const suite::PrefixRecord hawaii = Lookup("KH6XYZ");
    EXPECT_EQ(hawaii.DxccPrefix(), "K");
    EXPECT_EQ(hawaii.CqZone(), "31");
    EXPECT_EQ(hawaii.ContinentCode(), "OC");
    EXPECT_EQ(Lookup("KH6ABC").CqZone(), "5");

    const suite::PrefixRecord antarctic = Lookup("DL0ANT");
    EXPECT_EQ(antarctic.DxccPrefix(), "DL");
    EXPECT_EQ(antarctic.ContinentCode(), "SA");
    EXPECT_EQ(Lookup("DL0AN").ContinentCode(), "EU") << "an exact call counts only whole";
    EXPECT_EQ(Lookup("DL0ANT/P").ContinentCode(), "SA")
        << "a call longer than the table's six characters is known by its first six";

    const suite::PrefixRecord vienna = Lookup("4U1VAA");
    EXPECT_EQ(vienna.DxccPrefix(), "OE") << "a WAE entity counts for its DXCC entity";
    EXPECT_EQ(vienna.CountryName(), "Vienna Intl Ctr");
    EXPECT_EQ(vienna.DxccCode(), 206);

    EXPECT_EQ(Lookup("3D2CR").CountryName(), "Conway Reef");
    EXPECT_EQ(Lookup("3D2ABC/C").CountryName(), "Conway Reef") << "the primary prefix is a pattern";
    EXPECT_EQ(Lookup("3D2ABC").CountryName(), "Fiji");
    EXPECT_TRUE(FindCountry("3D2/C"));
    EXPECT_EQ(PrefixBuffer().DxccCode(), 489);
}

TEST_F(CtyImporterTest, LeavesAnExceptionTableTheSuiteFilledAlone) {
    {
        const suite::SuiteFileUse use(suite::SuiteFile::QVPREFEE);
        use.get()->ClearRecord();
        suite::PutText(use.get()->RecordBuffer(), 4, 6, "DL0XX");
        ASSERT_EQ(use.get()->Add(), 0);
    }
    std::ifstream in(kSample);
    const CtyImportResult result = ImportCty(in, SampleCodes());
    EXPECT_EQ(result.exactCalls, 0);
    EXPECT_EQ(Count(suite::SuiteFile::QVPREFEE), 1);
    EXPECT_EQ(Count(suite::SuiteFile::QVPREFIX), 25);
}

TEST_F(CtyImporterTest, ImportsOnlyIntoAnEmptyTableAndTakesTheNumbersFromBesideTheFile) {
    const std::filesystem::path files = dir_.Path("import");
    std::filesystem::create_directory(files);
    std::filesystem::copy_file(kSample, files / "cty.dat");
    std::filesystem::copy_file(kSampleCsv, files / "cty.csv");
    CtyImportResult result;
    ASSERT_TRUE(ImportCtyIfEmpty((files / "cty.dat").string(), result));
    EXPECT_EQ(result.prefixes, 25);
    EXPECT_EQ(Lookup("3D2CR").DxccCode(), 489);
    EXPECT_FALSE(ImportCtyIfEmpty((files / "cty.dat").string(), result));
    EXPECT_EQ(Count(suite::SuiteFile::QVPREFIX), 25);
}

TEST_F(CtyImporterTest, WithoutTheCsvTheBuiltInEntityTableNumbersTheCountries) {
    CtyImportResult result;
    EXPECT_FALSE(ImportCtyIfEmpty(dir_.Path("missing.dat"), result));
    std::filesystem::copy_file(kSample, dir_.Path("country.dat"));
    ASSERT_TRUE(ImportCtyIfEmpty(dir_.Path("country.dat"), result));
    EXPECT_EQ(result.entities, 5) << "the WAE entity has no DXCC number to belong to";
    EXPECT_EQ(Lookup("DL1ABC").DxccCode(), 230);
    EXPECT_EQ(Lookup("3D2CR").DxccCode(), 489) << "3D2/C is in the entity table";
}

TEST_F(CtyImporterTest, ImportsTheInstalledCountryFile) {
    if (!std::filesystem::exists(kDebianCtyPath)) GTEST_SKIP() << "hamradio-files is not installed";
    CtyImportResult result;
    ASSERT_TRUE(ImportCtyIfEmpty(std::string(kDebianCtyPath), result));
    EXPECT_GT(result.entities, 300);
    EXPECT_GT(result.prefixes, 1000);
    const auto expect = [&](std::string_view call, std::string_view dxcc, int code,
                            std::string_view continent) {
        const suite::PrefixRecord r = Lookup(call);
        EXPECT_EQ(r.DxccPrefix(), dxcc) << call;
        EXPECT_EQ(r.DxccCode(), code) << call;
        EXPECT_EQ(r.ContinentCode(), continent) << call;
    };
    expect("DL1ABC", "DL", 230, "EU");
    expect("OE1ABC", "OE", 206, "EU");
    expect("W1AW", "K", 291, "NA");
    expect("JA1ABC", "JA", 339, "AS");
    expect("VK2ABC", "VK", 150, "OC");
    expect("PY1ABC", "PY", 108, "SA");
    expect("ZS6ABC", "ZS", 462, "AF");
    expect("G4ABC", "G", 223, "EU");
}

}  // namespace
}  // namespace mss::radio
