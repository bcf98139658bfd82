// The session-end commands after a run (recorded, never run), and SIGTERM / SIGINT taken as a request to end.
#include "platform/SessionEnd.h"
#include "support/EnvironmentOverride.h"

#include <csignal>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

using Command = std::vector<std::string>;

// Records every command instead of running it, for the life of the object.
class RecordedCommands {
public:
    RecordedCommands() {
        platform::SetSessionEndRunner([this](const Command& command) { Commands.push_back(command); });
    }
    ~RecordedCommands() { platform::SetSessionEndRunner({}); }
    std::vector<Command> Commands;
};

TEST(SessionEndTest, EachActionRequestsItsCommandAndNothingElseRequestsAny) {
    testsupport::EnvironmentOverride session("XDG_SESSION_ID", "c7");
    struct Case {
        int action;
        Command expected; // empty: nothing is requested
    };
    const Case cases[] = {
        {0, {}},
        {1, {"systemctl", "poweroff"}},
        {2, {"loginctl", "terminate-session", "c7"}},
        {3, {"systemctl", "poweroff"}},
        {4, {"systemctl", "reboot"}},
        {5, {}},
        {-1, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.action);
        RecordedCommands recorded;
        platform::RequestSessionEnd(c.action);
        if (c.expected.empty()) {
            EXPECT_TRUE(recorded.Commands.empty());
        } else {
            ASSERT_EQ(recorded.Commands.size(), 1u);
            EXPECT_EQ(recorded.Commands[0], c.expected);
        }
    }
}

TEST(SessionEndTest, LogOffWithoutASessionIdEndsTheCallersGraphicalSession) {
    for (const std::optional<std::string>& id : {std::optional<std::string>{}, std::optional<std::string>{""}}) {
        testsupport::EnvironmentOverride session("XDG_SESSION_ID", id);
        EXPECT_EQ(platform::SessionEndCommand(2), (Command{"loginctl", "terminate-session", "auto"}));
    }
}

void (*CurrentHandler(int signal))(int) {
    struct sigaction current {};
    sigaction(signal, nullptr, &current);
    return current.sa_handler;
}

TEST(SessionEndTest, TheFirstSignalIsARequestAndTheSecondWouldEndTheProcess) {
    for (const int signal : {SIGTERM, SIGINT}) {
        SCOPED_TRACE(signal);
        platform::InstallEndRequestSignals();
        EXPECT_NE(CurrentHandler(SIGTERM), SIG_DFL);
        EXPECT_NE(CurrentHandler(SIGINT), SIG_DFL);
        EXPECT_FALSE(platform::TakeEndRequest());

        ASSERT_EQ(raise(signal), 0);
        EXPECT_TRUE(platform::TakeEndRequest());
        EXPECT_FALSE(platform::TakeEndRequest()); // taken once
        // Either signal now ends the process at once.
        EXPECT_EQ(CurrentHandler(SIGTERM), SIG_DFL);
        EXPECT_EQ(CurrentHandler(SIGINT), SIG_DFL);
    }
    platform::RemoveEndRequestSignals();
}

} // namespace
