// Ctrl+C sets the stop flag once and then leaves SIGINT to its default action.
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
    platform::ClearStopRequest();
    platform::InstallStopSignal();
    EXPECT_FALSE(platform::StopRequested());
    EXPECT_NE(CurrentAction().sa_handler, SIG_DFL);

    ASSERT_EQ(raise(SIGINT), 0);
    EXPECT_TRUE(platform::StopRequested());
    // A second Ctrl+C would now end the process.
    EXPECT_EQ(CurrentAction().sa_handler, SIG_DFL);

    // A new run clears the flag and re-arms the handler.
    platform::ClearStopRequest();
    platform::InstallStopSignal();
    EXPECT_FALSE(platform::StopRequested());
    ASSERT_EQ(raise(SIGINT), 0);
    EXPECT_TRUE(platform::StopRequested());

    platform::ClearStopRequest();
    signal(SIGINT, SIG_DFL);
}

} // namespace
