#include "log/Exchange.h"

#include <gtest/gtest.h>

#include <string>

namespace mss::log {
namespace {

TEST(ComposeExchange, JoinsTheFieldsWithSlashesOnlyWhereNeeded) {
    EXPECT_EQ(ComposeExchange({"599", "12", "", "7"}), "59912//7");
    EXPECT_EQ(ComposeExchange({"599", "12", "A", ""}), "59912/A");
    EXPECT_EQ(ComposeExchange({"599", "12", "A", "B"}), "59912/A/B");
    EXPECT_EQ(ComposeExchange({"599", "JO62MM", "", ""}), "599JO62MM");
    EXPECT_EQ(ComposeExchange({"", "", "", ""}), "   ");
}

TEST(ComposeExchange, FitsTheRstToThreeCharacters) {
    EXPECT_EQ(ComposeExchange({"59", "JO62MM", "", ""}), "59 JO62MM");
    EXPECT_EQ(ComposeExchange({"", "JO62MM", "", ""}), "   JO62MM");
    EXPECT_EQ(ComposeExchange({"5999", "1", "", ""}), "5991");
}

TEST(ComposeExchange, CutsTheTextToTwentyCharacters) {
    EXPECT_EQ(ComposeExchange({"599", "1234567890", "ABCDEFGHIJ", ""}), "5991234567890/ABCDEF");
}

TEST(SplitExchange, SplitsAtTheFirstTwoSlashes) {
    EXPECT_EQ(SplitExchange("59912//7"), (ExchangeFields{"599", "12", "", "7"}));
    EXPECT_EQ(SplitExchange("599JO62MM"), (ExchangeFields{"599", "JO62MM", "", ""}));
    EXPECT_EQ(SplitExchange("59912/A"), (ExchangeFields{"599", "12", "A", ""}));
    EXPECT_EQ(SplitExchange("59912/A/B/C"), (ExchangeFields{"599", "12", "A", "B/C"}));
    EXPECT_EQ(SplitExchange("59 JO62"), (ExchangeFields{"59 ", "JO62", "", ""}));
    EXPECT_EQ(SplitExchange("59"), (ExchangeFields{"59", "", "", ""}));
    EXPECT_EQ(SplitExchange(""), (ExchangeFields{}));
    // The RST is always the first three characters, slashes included.
    EXPECT_EQ(SplitExchange("5/9AB"), (ExchangeFields{"5/9", "AB", "", ""}));
}

TEST(SplitExchange, UndoesCompose) {
    for (const ExchangeFields& fields :
         {ExchangeFields{"599", "12", "", "7"}, ExchangeFields{"579", "JO62MM", "", ""},
          ExchangeFields{"59 ", "B12", "DL", "X"}, ExchangeFields{"599", "", "A", ""}}) {
        EXPECT_EQ(SplitExchange(ComposeExchange(fields)), fields) << ComposeExchange(fields);
    }
}

TEST(ExchangePacking, PlacesTheCharactersInTheirPieces) {
    QsoRecord r;
    StoreSentExchange(r, "123456789ABCDEFGHIJK");
    EXPECT_EQ(r.SentHead(), "123456789");
    EXPECT_EQ(r.SentMid1(), "AB");
    EXPECT_EQ(r.SentMid2(), "CD");
    EXPECT_EQ(r.SentTail(), "EFGHIJK");
    StoreRcvdExchange(r, "abcdefghijklmnopqrst");
    EXPECT_EQ(r.RcvdHead(), "abcdefghi");
    EXPECT_EQ(r.RcvdMid1(), "jk");
    EXPECT_EQ(r.RcvdMid2(), "lm");
    EXPECT_EQ(r.RcvdTail(), "nopqrst");
}

TEST(ExchangePacking, TwentyCharactersSurviveAndMoreAreCut) {
    QsoRecord r;
    const std::string twenty = "59912/ABCDEFGH/XYZ12";
    ASSERT_EQ(twenty.size(), 20u);
    StoreSentExchange(r, twenty);
    StoreRcvdExchange(r, "599JO62MM");
    EXPECT_EQ(SentExchangeOf(r), twenty);
    EXPECT_EQ(RcvdExchangeOf(r), "599JO62MM");
    StoreRcvdExchange(r, twenty + "LOST");
    EXPECT_EQ(RcvdExchangeOf(r), twenty);
    EXPECT_EQ(SentExchangeOf(r), twenty);
}

TEST(ExchangePacking, AShorterTextEmptiesTheLaterPieces) {
    QsoRecord r;
    StoreSentExchange(r, "123456789ABCDEFGHIJK");
    StoreSentExchange(r, "599");
    EXPECT_EQ(SentExchangeOf(r), "599");
    EXPECT_EQ(r.SentTail(), "");
    StoreSentExchange(r, "");
    EXPECT_EQ(SentExchangeOf(r), "");
    StoreSentExchange(r, "1234567890");
    EXPECT_EQ(SentExchangeOf(r), "1234567890");
    EXPECT_EQ(r.SentMid1(), "0");
}

TEST(DokPacking, SplitsEightCharactersIntoDokAndDokExt) {
    QsoRecord r;
    StoreDok(r, "ABCDEFGH");
    EXPECT_EQ(r.Dok(), "ABCDEF");
    EXPECT_EQ(r.DokExt(), "GH");
    EXPECT_EQ(DokOf(r), "ABCDEFGH");
    StoreDok(r, "ABCDEFGHIJ");
    EXPECT_EQ(DokOf(r), "ABCDEFGH");
    StoreDok(r, "B12");
    EXPECT_EQ(r.Dok(), "B12");
    EXPECT_EQ(r.DokExt(), "");
    EXPECT_EQ(DokOf(r), "B12");
}

}  // namespace
}  // namespace mss::log
