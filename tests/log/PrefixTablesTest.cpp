#include "log/PrefixTables.h"

#include "LogTestSupport.h"
#include "log/PrefixEvaluation.h"
#include "suite/SuiteFiles.h"
#include "suite/SuitePrefixRecord.h"

namespace mss::log::test {
namespace {

class PrefixTablesTest : public ContestLogTest {
  protected:
    void SetUp() override {
        ContestLogTest::SetUp();
        suite::SetSuiteDirectory(dir_.RunDir());
    }
    void TearDown() override {
        suite::SetSuiteDirectory("");
        ContestLogTest::TearDown();
    }
};

TEST_F(PrefixTablesTest, TheCountryComesFromThePrefixFile) {
    {
        const suite::SuiteFileUse prefixes(suite::SuiteFile::QVPREFIX);
        ASSERT_NE(prefixes.get(), nullptr);
        suite::PrefixRecord r;
        r.SetPattern("DL");
        r.SetDxccPrefix("DL");
        r.SetAltPrefix("DA");
        r.SetContinentCode("EU");
        std::ranges::copy(r.bytes(), prefixes.get()->RecordBuffer().begin());
        ASSERT_EQ(prefixes.get()->Add(), 0);
    }
    session_.prefixLookup = PrefixTables();
    QsoRecord known = Contact("DL1ABC");
    EXPECT_TRUE(EvaluatePrefix(session_, known));
    EXPECT_EQ(known.Prefix(), "DL");
    EXPECT_EQ(known.Continent(), "EU");
    session_.definition.Features.set(14);
    known.SetPrefix("");
    EXPECT_TRUE(EvaluatePrefix(session_, known));
    EXPECT_EQ(known.Prefix(), "DA");
    QsoRecord unknown = Contact("ZZ9ZZ");
    EXPECT_FALSE(EvaluatePrefix(session_, unknown));
    EXPECT_EQ(unknown.Continent(), "");
}

}  // namespace
}  // namespace mss::log::test
