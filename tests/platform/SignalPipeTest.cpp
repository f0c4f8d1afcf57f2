#include "platform/SignalPipe.h"

#include <gtest/gtest.h>

#include <csignal>

namespace mss::platform {
namespace {

TEST(SignalPipeTest, ASignalWaitsInThePipeUntilTheLoopTakesIt) {
    ASSERT_TRUE(SignalPipe::Install({SIGUSR1, SIGUSR2}));
    EXPECT_GE(SignalPipe::ReadEnd(), 0);
    EXPECT_EQ(SignalPipe::Take(), 0);
    std::raise(SIGUSR2);
    std::raise(SIGUSR1);
    EXPECT_EQ(SignalPipe::Take(), SIGUSR2);
    EXPECT_EQ(SignalPipe::Take(), SIGUSR1);
    EXPECT_EQ(SignalPipe::Take(), 0);
    std::signal(SIGUSR1, SIG_DFL);
    std::signal(SIGUSR2, SIG_DFL);
}

}  // namespace
}  // namespace mss::platform
