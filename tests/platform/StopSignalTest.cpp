// Ctrl+C sets the given stop flag once and then leaves SIGINT to its default action.
#include "platform/StopSignal.h"

#include <csignal>

#include <gtest/gtest.h>

namespace {

struct sigaction CurrentAction() {
    struct sigaction current {};
    sigaction(SIGINT, nullptr, &current);
    return current;
}

TEST(StopSignalTest, FirstInterruptSetsTheFlagAndRestoresTheDefault) {
    std::atomic<bool> first{false};
    platform::InstallStopSignal(first);
    EXPECT_NE(CurrentAction().sa_handler, SIG_DFL);

    ASSERT_EQ(raise(SIGINT), 0);
    EXPECT_TRUE(first.load());
    // A second Ctrl+C would now end the process.
    EXPECT_EQ(CurrentAction().sa_handler, SIG_DFL);

    // The next run re-arms the handler with its own flag; the first run's flag is left alone.
    std::atomic<bool> second{false};
    first = false;
    platform::InstallStopSignal(second);
    ASSERT_EQ(raise(SIGINT), 0);
    EXPECT_TRUE(second.load());
    EXPECT_FALSE(first.load());

    platform::RemoveStopSignal();
    EXPECT_EQ(CurrentAction().sa_handler, SIG_DFL);
}

} // namespace
