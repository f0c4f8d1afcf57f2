// Which modes an announced contact may bring into a contest, and how the two
// announcements of one contact are told from a contact logged again.
#include "log/IncomingContact.h"

#include <gtest/gtest.h>

#include "contest/Catalogue.h"
#include "radio/DateTime.h"

namespace mss::log {
namespace {

contest::ContestDefinition Sprint(int category) {
    contest::ContestEntry entry;
    entry.SetCode('j');
    entry.SetCategory(category);
    return contest::FillContestDefinition('j', entry);
}

TEST(IncomingContactTest, DigitalModesCountAsTheContestsDigitalModeTheirTextKept) {
    contest::ContestDefinition withDigital = Sprint(1);
    contest::ContestDefinition cwSsbOnly = Sprint(3);
    contest::ContestDefinition digitalList = withDigital;
    digitalList.Modes = {};
    digitalList.Modes[0] = "CW";
    digitalList.Modes[1] = "DIGITAL";
    struct Case {
        const char* sent;
        const contest::ContestDefinition* definition;
        std::optional<std::string> mode;
        bool asDigital = false;
    };
    const Case cases[] = {
        {"MSK144", &withDigital, "MSK144", true},
        {" JT6M ", &withDigital, "JT6M", true},
        {"FSK441", &withDigital, "FSK441"},
        {"msk144", &withDigital, "MSK144", true},
        {"CW", &withDigital, "CW"},
        {"FT8", &withDigital, std::nullopt},
        {"", &withDigital, std::nullopt},
        {"MSK144", &cwSsbOnly, std::nullopt},
        {"SSB", &cwSsbOnly, "SSB"},
        {"MSK144", &digitalList, "MSK144"},
        {"FM", &digitalList, std::nullopt},
    };
    for (const Case& c : cases) {
        const std::optional<ModeJudgement> judged = JudgeIncomingMode(*c.definition, c.sent, true);
        EXPECT_EQ(judged ? std::optional(judged->mode) : std::nullopt, c.mode) << c.sent;
        if (judged) EXPECT_EQ(judged->asDigital, c.asDigital) << c.sent;
        // Without the digital rule only the contest's own list admits.
        const bool own = c.mode.has_value() && !c.asDigital;
        EXPECT_EQ(JudgeIncomingMode(*c.definition, c.sent, false).has_value(), own) << c.sent;
    }
}

WsjtxContact Contact(std::uint32_t type, const char* call, std::int32_t seconds) {
    WsjtxContact c;
    c.Type = type;
    c.Call = call;
    c.FrequencyHz = 144'360'000;
    c.TimeOn = {radio::DayNumber(12, 8, 2012), seconds};
    return c;
}

TEST(IncomingContactTest, OneOfAPairIsTakenARepeatIsNot) {
    IncomingPairs pairs;
    const std::int32_t noon = 12 * 3600;
    struct Step {
        WsjtxContact contact;
        bool twin;
    };
    const Step steps[] = {
        {Contact(kWsjtxQsoLogged, "DL9XAB", noon), false},
        {Contact(kWsjtxLoggedAdif, "dl9xab", noon + 56), true},    // ADIF without seconds
        {Contact(kWsjtxLoggedAdif, "DL9XAB", noon), false},        // its pair is used up
        {Contact(kWsjtxQsoLogged, "DL9XAB", noon), true},          // the other half of that one
        {Contact(kWsjtxQsoLogged, "DL9XAB", noon), false},         // logged again
        {Contact(kWsjtxLoggedAdif, "OK1XYZ", noon), false},        // another station
        {Contact(kWsjtxLoggedAdif, "DL9XAB", noon + 600), false},  // ten minutes later
    };
    for (std::size_t i = 0; i < std::size(steps); ++i)
        EXPECT_EQ(pairs.IsTwin(steps[i].contact), steps[i].twin) << "step " << i;
}

}  // namespace
}  // namespace mss::log
