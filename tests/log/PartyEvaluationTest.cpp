// The QSO party's count by age and the chart's scale.
#include "log/PartyEvaluation.h"

#include <gtest/gtest.h>

#include "LogTestSupport.h"

namespace mss::log::test {
namespace {

TEST(PartyScaleTest, TheTopIsAtLeastTenAndAMultipleOfTen) {
    const std::vector<std::pair<std::int32_t, std::int32_t>> cases = {
        {0, 0}, {1, 10}, {7, 10}, {10, 10}, {11, 20}, {23, 30}, {30, 30}};
    for (const auto& [most, top] : cases) {
        PartyCounts counts{};
        counts[44] = most;
        counts[3] = most > 0 ? 1 : 0;
        EXPECT_EQ(PartyScale(counts), top) << most;
    }
}

class PartyCountTest : public ContestLogTest {};

TEST_F(PartyCountTest, AgesFallIntoTheirStepsAndContactsWithoutPointsDoNotCount) {
    struct Case {
        const char* exchange;
        std::int32_t points;
    };
    const std::vector<Case> contacts = {{"59937", 5}, {"59939", 5}, {"59990", 5}, {"599XX", 5},
                                        {"59989", 5}, {"59940", 0}, {"59905", 5}};
    std::int32_t zeit = 0;
    for (const Case& c : contacts) {
        QsoRecord r = Contact("DL1ABC", 'k', "CW", zeit++);
        StoreRcvdExchange(r, c.exchange);
        r.SetPunkte(c.points);
        Put(r);
    }
    Put(BandChange('k', 'l', zeit));
    struct Expect {
        int step, index, count;
    };
    for (const Expect& e : std::vector<Expect>{{1, 37, 1},
                                               {1, 39, 1},
                                               {1, 90, 1},
                                               {1, 1, 1},
                                               {1, 89, 1},
                                               {1, 40, 0},
                                               {1, 5, 1},
                                               {5, 35, 2},
                                               {5, 85, 1},
                                               {5, 90, 1},
                                               {10, 30, 2},
                                               {10, 80, 1},
                                               {10, 0, 1},
                                               {10, 1, 1}})
        EXPECT_EQ(CountPartyAges(*session_.log, e.step)[static_cast<std::size_t>(e.index)], e.count)
            << e.step << " " << e.index;
}

}  // namespace
}  // namespace mss::log::test
