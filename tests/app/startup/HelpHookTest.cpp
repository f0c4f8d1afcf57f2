#include "app/startup/HelpHook.h"

#include <gtest/gtest.h>

#include <fstream>
#include <vector>

#include "app/AppTestSupport.h"
#include "common/TempDir.h"
#include "platform/Desktop.h"

namespace mss::app {
namespace {

using test::RecordingDesktop;

TEST(HelpHookTest, AMissingArchiveIsSilentlyIgnored) {
    mss::test::TempDir dir;
    RecordingDesktop desktop;
    platform::ScopedDesktop install(desktop);
    EXPECT_FALSE(ShowContextHelp(dir.RunDir()));
    EXPECT_TRUE(desktop.opened.empty());
}

TEST(HelpHookTest, AnExistingArchiveGoesToTheDesktop) {
    mss::test::TempDir dir;
    std::ofstream(dir.path() / kHelpArchive) << "archive";
    RecordingDesktop desktop;
    platform::ScopedDesktop install(desktop);
    EXPECT_TRUE(ShowContextHelp(dir.RunDir()));
    ASSERT_EQ(desktop.opened.size(), 1u);
    EXPECT_EQ(desktop.opened[0], dir.RunDir() + "tarvoltcont.chm");
}

}  // namespace
}  // namespace mss::app
