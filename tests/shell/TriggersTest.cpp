// The polling triggers as state machines: which ticks fire a run, and what a run start does to the watches.
#include "shell/Triggers.h"

#include <gtest/gtest.h>

namespace {

TEST(TriggersTest, ApplicationNameMatchesAnywhereWithoutRegardToCase) {
    const std::vector<std::string> running = {"bash", "/usr/lib/libreoffice/program/soffice.bin --writer",
                                              "Brief an Müller.odt - LibreOffice Writer", "THUNDERBIRD"};
    const struct {
        const char* name;
        bool running;
    } cases[] = {
        {"writer", true}, {"LibreOffice", true}, {"thunderbird", true}, {"müller", true},
        {"MÜLLER", true}, {"firefox", false},    {"", false},           {"bash ", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NameRunning(c.name, running), c.running) << c.name;
}

// Waiting for the application, then for its end: the run comes at the first tick without it, once.
TEST(TriggersTest, ApplicationWatchFiresOnceWhenTheApplicationHasEnded) {
    cAppWatch watch;
    EXPECT_FALSE(watch.Tick(true)) << "off until armed";
    watch.Arm(true);
    const struct {
        bool present;
        bool fires;
        cAppWatch::eStage after;
    } ticks[] = {
        {false, false, cAppWatch::eStage::WaitingForApp}, // not started yet: nothing has ended
        {true, false, cAppWatch::eStage::WaitingForEnd},
        {true, false, cAppWatch::eStage::WaitingForEnd},
        {false, true, cAppWatch::eStage::Off},
        {true, false, cAppWatch::eStage::Off},
        {false, false, cAppWatch::eStage::Off},
    };
    for (const auto& t : ticks) {
        EXPECT_EQ(watch.Tick(t.present), t.fires);
        EXPECT_EQ(watch.Stage(), t.after);
    }
    watch.Arm(true);
    EXPECT_EQ(watch.Stage(), cAppWatch::eStage::WaitingForApp) << "arming again starts over";
}

// Both roots there: a run. Without "again" that was the only one; with it, a root that goes and comes back
// gives the next run.
TEST(TriggersTest, SourceAndDestinationWatchWithAndWithoutAgain) {
    for (const bool again : {false, true}) {
        SCOPED_TRACE(again ? "again" : "once");
        cSenseWatch watch;
        watch.Arm(true);
        EXPECT_FALSE(watch.Tick(false));
        ASSERT_TRUE(watch.Tick(true));
        watch.RunStarted(again);
        EXPECT_FALSE(watch.Tick(true)) << "still plugged in: no second run";
        EXPECT_FALSE(watch.Tick(false)) << "unplugged";
        EXPECT_EQ(watch.Tick(true), again) << "plugged in again";
    }
}

// A run started by anything else also ends the wait for the roots.
TEST(TriggersTest, AnyRunStartEndsTheWaitForTheRoots) {
    cSenseWatch watch;
    watch.Arm(true);
    watch.RunStarted(false);
    EXPECT_EQ(watch.Stage(), cSenseWatch::eStage::Off);
    EXPECT_FALSE(watch.Tick(true));
}

// The hook refuses the first end of the session of the process when the document asks for it, never another;
// it remembers whether a log-off or a shut-down was asked for.
TEST(TriggersTest, EndOfSessionIsRefusedOncePerProcess) {
    cEndSessionHook hook;
    EXPECT_FALSE(hook.Query(false, false)) << "a document without the hook";
    EXPECT_TRUE(hook.Armed());
    EXPECT_TRUE(hook.Query(true, true));
    EXPECT_TRUE(hook.LogOffRequested());
    EXPECT_FALSE(hook.Armed());
    EXPECT_FALSE(hook.Query(true, false)) << "the second end of the session passes";
    EXPECT_FALSE(hook.LogOffRequested());
}

} // namespace
