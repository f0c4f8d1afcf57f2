#include "radio/SuperCheckPartial.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace mss::radio {
namespace {

std::vector<std::string> Calls(const SuperCheckPartial::Answer& a) {
    return {a.Calls.begin(), a.Calls.end()};
}

TEST(SuperCheckPartialTest, FindsTheCallsContainingThePartial) {
    SuperCheckPartial scp;
    scp.AddScpText(
        "#\r\n# Release 2023.05.02.00\r\n#\r\nDL1ABC\r\nOK1DL\r\nDL7ABC\r\nDF0MSS\r\n"
        "G4DLX\r\n9A1A\r\nDL1ABC/P\r\n");
    const std::vector<std::string> history = {" dl5xyz ", "DL1ABC", "", "DL 1", "OK1KHL"};
    scp.AddCalls(history);
    EXPECT_EQ(scp.Size(), 9u) << "comments, duplicates and damaged entries are not calls";

    struct Case {
        const char* partial;
        std::size_t max;
        std::vector<std::string> calls;
        bool more;
    };
    const Case cases[] = {
        {"DL", 20, {"DL1ABC", "DL1ABC/P", "DL5XYZ", "DL7ABC", "G4DLX", "OK1DL"}, false},
        {"dl", 20, {"DL1ABC", "DL1ABC/P", "DL5XYZ", "DL7ABC", "G4DLX", "OK1DL"}, false},
        {"DL", 3, {"DL1ABC", "DL1ABC/P", "DL5XYZ"}, true},
        {"DL", 6, {"DL1ABC", "DL1ABC/P", "DL5XYZ", "DL7ABC", "G4DLX", "OK1DL"}, false},
        {"ABC", 20, {"DL1ABC", "DL1ABC/P", "DL7ABC"}, false},
        {"1A", 20, {"9A1A", "DL1ABC", "DL1ABC/P"}, false},
        {"/P", 20, {"DL1ABC/P"}, false},
        {"A1A", 20, {"9A1A"}, false},
        {"K1", 20, {"OK1DL", "OK1KHL"}, false},
        {"DF0MSS", 20, {"DF0MSS"}, false},
        {"DF0MSSX", 20, {}, false},
        {"C\nD", 20, {}, false},
        {"", 20, {}, false},
        {"   ", 20, {}, false},
        {"DL", 0, {}, true},
    };
    for (const Case& c : cases) {
        const auto answer = scp.Find(c.partial, c.max);
        EXPECT_EQ(Calls(answer), c.calls) << c.partial;
        EXPECT_EQ(answer.More, c.more) << c.partial;
    }
}

TEST(SuperCheckPartialTest, ReadsTheListOfTheHamradioFiles) {
    SuperCheckPartial scp;
    EXPECT_FALSE(scp.AddScpFile("/nonexistent/MASTER.SCP"));
    EXPECT_EQ(scp.Size(), 0u);
    if (!std::filesystem::exists(kMasterScpPath)) GTEST_SKIP() << "hamradio-files not installed";
    ASSERT_TRUE(scp.AddScpFile(std::string(kMasterScpPath)));
    EXPECT_GT(scp.Size(), 80'000u);
    const auto answer = scp.Find("DL", 5);
    ASSERT_EQ(answer.Calls.size(), 5u);
    EXPECT_TRUE(answer.More);
    for (std::string_view call : answer.Calls) EXPECT_NE(call.find("DL"), std::string_view::npos);
}

}  // namespace
}  // namespace mss::radio
