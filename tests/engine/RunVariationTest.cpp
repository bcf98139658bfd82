// Whole runs with a variation of the destination: the plan's destination paths lie in the directory the
// variation names, and the three-generation rotation renames the generations before the scan.
#include "RunFixture.h"

#include "support/EnvironmentOverride.h"

#include <optional>

namespace runtest {
namespace {

using testsupport::EnvironmentOverride;

class RunVariationTest : public RunFixture {
protected:
    RunVariationTest() {
        p.Log.NoNormal = true;
        p.SetTouchMode(eTouchMode::DestOnly);
        p.OrphanModeD2 =
            eOrphanMode::Delete; // destination orphans are deleted: only those in the variation's directory appear
        p.DestDirectory = "\\Sicherung\\";
        Write(Source(), "a.txt", "a", kNewer);
        Write(Dest(), "Sicherung/daneben.txt", "d", kOlder);
    }
};

TEST_F(RunVariationTest, TheVariationNamesTheDestinationDirectory) {
    // The clock says Wednesday, 9 December 2026.
    struct Case {
        const char* name;
        std::uint8_t variation;
        bool eightThree;
        std::optional<std::string> user; // USERNAME; USER and LOGNAME are removed
        std::string directory;
    };
    const Case cases[] = {
        {"date", 1, false, {}, "Mittwoch, 9. Dezember 2026"},
        {"date, 8.3", 1, true, {}, "A091226"},
        {"weekday", 2, false, {}, "Mittwoch"},
        {"weekday, 8.3", 2, true, {}, "Mittwoch"},
        {"even or odd day", 3, false, {}, "Ungerade"},
        {"user name", 5, false, "anna", "anna"},
        {"user name, 8.3", 5, true, "Annabelle.Mustermann", "Annabell"},
        {"user name with a slash stays one directory", 5, false, "../anna", "..anna"},
        {"user name that would name the parent counts as unset", 5, false, "..", "Unbekannter Benutzer"},
        {"no user name", 5, false, {}, "Unbekannter Benutzer"},
        {"no user name, 8.3", 5, true, {}, "Unbkannt"},
    };
    const EnvironmentOverride noUser("USER", std::nullopt);
    const EnvironmentOverride noLogName("LOGNAME", std::nullopt);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const EnvironmentOverride userName("USERNAME", c.user);
        p.Variation = c.variation;
        p.EightThree = c.eightThree;
        const std::string below = "Sicherung/" + c.directory + "/";
        Write(Dest(), below + "alt.txt", "x", kOlder);
        EXPECT_EQ(Run(), kRunSucceeded);
        EXPECT_EQ(plannedAtDest,
                  (Plan{{"Ziel/" + below + "a.txt", kPlanForward}, {"Ziel/" + below + "alt.txt", kPlanDelete}}));
        EXPECT_EQ(planned["Ziel/" + below + "alt.txt"], kPlanDelete);
        fs::remove_all(Dest() / below);
    }
}

TEST_F(RunVariationTest, AfterMidnightTheVariationCanBeYesterdays) {
    // Thursday 01:30, before MidnightHours: answered Yes, the run takes the date as Wednesday's.
    platform::SetClock(Local(2026, 12, 10, 1, 30, 0));
    p.Variation = 2;
    p.AgeMode = AgeModeValue(eAgeMode::RelativeAge);
    p.RelativeAge = 0;
    Write(Source(), "a.txt", "a", Local(2026, 12, 9, 18)); // passes yesterday's age limit
    ui.Answers[30120] = eAnswer::Yes;
    EXPECT_EQ(Run(), kRunSucceeded);
    EXPECT_EQ(plannedAtDest, (Plan{{"Ziel/Sicherung/Mittwoch/a.txt", kPlanForward}}));
    ui.Answers[30120] = eAnswer::No;
    Write(Source(), "a.txt", "a", Local(2026, 12, 10, 0, 30, 0)); // passes today's age limit
    EXPECT_EQ(Run(), kRunSucceeded);
    EXPECT_EQ(plannedAtDest, (Plan{{"Ziel/Sicherung/Donnerstag/a.txt", kPlanForward}}));
}

TEST_F(RunVariationTest, ThreeGenerationsRotateBeforeTheScan) {
    p.Variation = 4;
    const fs::path base = Dest() / "Sicherung";
    // The first run finds no generation to rename: it works in "Enkel", which the copy creates.
    EXPECT_EQ(Run(), kRunSucceeded);
    EXPECT_EQ(plannedAtDest, (Plan{{"Ziel/Sicherung/Enkel/a.txt", kPlanForward}}));
    EXPECT_TRUE(fs::exists(base / "Enkel/a.txt"));

    Write(Dest(), "Sicherung/Vater/v.txt", "v", kOlder);
    Write(Dest(), "Sicherung/Sohn/s.txt", "s", kOlder);
    // Planning only renames nothing and shows the directory the rotation would make "Enkel".
    Plan onlyPlanned;
    cRunOptions planOnly;
    planOnly.PlanOnly = true;
    planOnly.OnPlan = [&](const cParameters&, const cRunState& run) { onlyPlanned = PlanOf(run, true); };
    control.Reset();
    EXPECT_EQ(ExecuteRun(p, control, kSingleProfile, 0, planOnly).Result, kRunSucceeded);
    EXPECT_EQ(onlyPlanned,
              (Plan{{"Ziel/Sicherung/Vater/a.txt", kPlanForward}, {"Ziel/Sicherung/Vater/v.txt", kPlanDelete}}));
    EXPECT_TRUE(fs::exists(base / "Vater/v.txt"));
    EXPECT_TRUE(fs::exists(base / "Enkel/a.txt"));

    // The real run: Vater -> Grossvater -> Enkel, Sohn -> Vater, Enkel -> Sohn; then it acts in the new Enkel.
    EXPECT_EQ(Run(), kRunSucceeded);
    EXPECT_EQ(plannedAtDest,
              (Plan{{"Ziel/Sicherung/Enkel/a.txt", kPlanForward}, {"Ziel/Sicherung/Enkel/v.txt", kPlanDelete}}));
    EXPECT_TRUE(fs::exists(base / "Sohn/a.txt"));
    EXPECT_TRUE(fs::exists(base / "Vater/s.txt"));
    EXPECT_TRUE(fs::exists(base / "Enkel/a.txt"));
    EXPECT_FALSE(fs::exists(base / "Enkel/v.txt"));
    EXPECT_FALSE(fs::exists(base / "Grossvater"));
    EXPECT_TRUE(fs::exists(base / "daneben.txt"));

    // The next run turns once more: the oldest generation, s.txt's, becomes "Enkel".
    EXPECT_EQ(Run(), kRunSucceeded);
    EXPECT_EQ(plannedAtDest,
              (Plan{{"Ziel/Sicherung/Enkel/a.txt", kPlanForward}, {"Ziel/Sicherung/Enkel/s.txt", kPlanDelete}}));
    EXPECT_TRUE(fs::exists(base / "Sohn/a.txt"));
    EXPECT_TRUE(fs::exists(base / "Vater/a.txt"));
    EXPECT_FALSE(fs::exists(base / "Vater/s.txt"));
}

} // namespace
} // namespace runtest
