// Whole runs that check the filters and flags of the comparison: age modes, attributes, size differences and
// double modifications with their check dialogs and default actions.
#include "RunFixture.h"

#include "engine/CheckDialogs.h"

#include <algorithm>
#include <optional>

namespace runtest {
namespace {

using Names = std::vector<std::string>;

class RunFiltersTest : public RunFixture {
protected:
    // Runs act on their trees, so each case builds its own; only problems are logged.
    RunFiltersTest() { p.Log.NoNormal = true; }

    // The files a check dialog of that kind listed, sorted; empty when it was not shown.
    Names DialogFiles(eCheckDialog kind) const {
        for (const cCheckDialogModel& model : ui.Dialogs) {
            if (model.Kind != kind) continue;
            Names files = model.Files;
            std::sort(files.begin(), files.end());
            return files;
        }
        return {};
    }
};

TEST_F(RunFiltersTest, AgeModes) {
    // "Now" is Wednesday 9 December 2026 14:00; LastRun is 1 December 08:00 local time.
    p.SetTouchMode(eTouchMode::DestOnly);
    const std::string heute = "heute.txt";
    const std::string vorgestern = "vorgestern-mitternacht.txt";
    const std::string lauf = "letzter-lauf.txt";
    const std::string davor = "davor.txt";
    const std::vector<cTreeFile> tree = {
        {kSrc, heute, "a", Local(2026, 12, 9, 10)},
        {kSrc, vorgestern, "b", Local(2026, 12, 7, 0, 0, 0)},
        {kSrc, lauf, "c", Local(2026, 12, 1, 8, 0, 0)},
        {kSrc, davor, "d", Local(2026, 12, 1, 7, 59, 59)},
    };
    struct Case {
        const char* name;
        std::uint8_t ageMode;
        Names passing;
    };
    using enum eAgeMode;
    const Case cases[] = {
        {"no age limit", AgeModeValue(None), {heute, vorgestern, lauf, davor}},
        {"reversed without a limit: nothing passes", AgeModeValue(None, true), {}},
        {"not older than 2 days: from the start of 7 December", AgeModeValue(RelativeAge), {heute, vorgestern}},
        {"older than 2 days", AgeModeValue(RelativeAge, true), {lauf, davor}},
        {"since 8 December", AgeModeValue(AbsoluteAge), {heute}},
        {"before 8 December", AgeModeValue(AbsoluteAge, true), {vorgestern, lauf, davor}},
        {"since the last run", AgeModeValue(LastRun), {heute, vorgestern, lauf}},
        {"before the last run", AgeModeValue(LastRun, true), {davor}},
    };
    p.RelativeAge = 2;
    p.AbsoluteAge = platform::DayNumberFromFileTime(platform::JoinFileTime(2026, 12, 8));
    // The limits are local calendar times; with UseUTC the records are in UTC and the outcome must not change.
    for (const bool useUtc : {false, true}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.name) + (useUtc ? ", UTC" : ", local time"));
            BuildTrees(tree);
            p.UseUTC = useUtc;
            p.AgeMode = c.ageMode;
            Plan expected;
            for (const std::string& name : c.passing)
                expected["Quelle/" + name] = kPlanForward;
            EXPECT_EQ(Run(), kRunSucceeded);
            EXPECT_EQ(planned, expected);
            if (c.passing.empty()) {
                EXPECT_EQ(LogEvents(), Lines{"Keine Dateien gefunden."});
            }
        }
    }
}

TEST_F(RunFiltersTest, AgeFilterLooksAtTheSideWhereTheNameWasFound) {
    // A source file older than the limit is no candidate, though its destination copy is older still; an old
    // destination orphan is not deleted either.
    p.SetTouchMode(eTouchMode::DestOnly);
    p.OrphanModeD2 = eOrphanMode::Delete;
    p.AgeMode = AgeModeValue(eAgeMode::RelativeAge);
    p.RelativeAge = 2;
    Write(Source(), "alt.txt", "a", kNewer);
    Write(Dest(), "alt.txt", "a", kOlder);
    Write(Dest(), "verwaist.txt", "b", kOlder);
    Write(Dest(), "frisch.txt", "c", Local(2026, 12, 9, 9));
    EXPECT_EQ(Run(), kRunSucceeded);
    EXPECT_EQ(planned, (Plan{{"Ziel/frisch.txt", kPlanDelete}}));
}

TEST_F(RunFiltersTest, HiddenFilesNeedTheHiddenAttributeBit) {
    p.SetTouchMode(eTouchMode::DestOnly);
    const std::vector<cTreeFile> tree = {
        {kSrc, ".versteckt", "a", kNewer},           {kSrc, ".profil", "b", kNewer}, {kDst, ".profil", "b", kOlder},
        {kSrc, ".config/sichtbar.txt", "c", kNewer}, // hidden directories are always searched
        {kSrc, "normal.txt", "d", kNewer},
    };
    const Plan visible = {{"Quelle/.config/sichtbar.txt", kPlanForward}, {"Quelle/normal.txt", kPlanForward}};
    Plan all = visible;
    all["Quelle/.versteckt"] = kPlanForward;
    all["Quelle/.profil"] = kPlanForward;
    struct Case {
        int attributes;
        Plan expected;
    };
    using enum eAttributeChange;
    for (const Case& c :
         {Case{AttributeBits(), visible}, Case{AttributeBits(ReadOnly), visible}, Case{AttributeBits(Hidden), all},
          Case{AttributeBits(System), visible}, Case{AttributeBits(ReadOnly, Hidden, System), all}}) {
        SCOPED_TRACE(c.attributes);
        BuildTrees(tree);
        p.Attributes = c.attributes;
        EXPECT_EQ(Run(), kRunSucceeded);
        EXPECT_EQ(planned, c.expected);
    }
}

TEST_F(RunFiltersTest, ReadOnlyDestinationIsPlannedAndOverwrittenOnlyWhenAdmitted) {
    // The attribute filter does not look at read-only files: they are planned like any other. Overwriting one
    // needs eAttributeChange::ReadOnly in Attributes; without it the copy fails with an error and the old file stays.
    p.SetTouchMode(eTouchMode::DestOnly);
    const std::vector<cTreeFile> tree = {
        {kSrc, "veraltet.txt", "neu", kNewer},
        {kDst, "veraltet.txt", "alt", kOlder},
        {kSrc, "rechte.txt", "gleich", kOlder}, // same time and size, only the permissions differ
        {kDst, "rechte.txt", "gleich", kOlder},
    };
    struct Case {
        const char* name;
        int attributes;
        bool compareProperties;
        Plan expected;
        int errors;
        const char* afterwards; // the content of Ziel/veraltet.txt after the run
    };
    // clang-format off
    const Case cases[] = {
        {"read-only files not admitted", AttributeBits(), false, {{"Quelle/veraltet.txt", kPlanForward}}, 1, "alt"},
        {"read-only files admitted", AttributeBits(eAttributeChange::ReadOnly), false,
         {{"Quelle/veraltet.txt", kPlanForward}}, 0, "neu"},
        {"properties compared: the mode is transferred without content", AttributeBits(eAttributeChange::ReadOnly), true,
         {{"Quelle/veraltet.txt", kPlanForward}, {"Quelle/rechte.txt", "vorwärts"}}, 0, "neu"},
    };
    // clang-format on
    const auto readOnly = fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BuildTrees(tree);
        fs::permissions(Dest() / "veraltet.txt", readOnly);
        fs::permissions(Dest() / "rechte.txt", readOnly);
        p.Attributes = c.attributes;
        p.CompareProperties = c.compareProperties;
        EXPECT_EQ(Run(), c.errors == 0 ? kRunSucceeded : kRunFailed) << testing::PrintToString(LogEvents());
        EXPECT_EQ(planned, c.expected);
        EXPECT_EQ(SummaryCount("Fehler"), c.errors);
        std::ifstream in(Dest() / "veraltet.txt");
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), c.afterwards);
    }
}

TEST_F(RunFiltersTest, SizeDifferencesAreShownAndTheirDefaultApplied) {
    p.SetTouchMode(eTouchMode::DestOnly);
    p.SizesFactor = 3;
    const std::string b100(100, 'b');
    const std::string a299(299, 'a');
    const std::string a300(300, 'a');
    const std::vector<cTreeFile> tree = {
        {kSrc, "faktor.txt", a300, kNewer}, // 300 >= 3 x 100
        {kDst, "faktor.txt", b100, kOlder},
        {kSrc, "knapp.txt", a299, kNewer}, // 299 < 3 x 100
        {kDst, "knapp.txt", b100, kOlder},
        {kSrc, "klein.txt", b100, kNewer}, // the destination is 3 times larger
        {kDst, "klein.txt", a300, kOlder},
        {kSrc, "leer.txt", "", kNewer}, // two empty files never differ
        {kDst, "leer.txt", "", kOlder},
        {kSrc, "eins.txt", "12345", kNewer}, // an empty and a non-empty file always do
        {kDst, "eins.txt", "", kOlder},
        {kSrc, "zeitgleich.txt", "abcd", kOlder}, // equal times, different sizes: always flagged
        {kDst, "zeitgleich.txt", "abc", kOlder},
    };
    const Names byFactor = {"\\eins.txt", "\\faktor.txt", "\\klein.txt", "\\zeitgleich.txt"};
    const Names flaggedAlways = {"\\zeitgleich.txt"};
    // The plan with the flagged files ("\name") given action; the other files are copied forward.
    const auto planWith = [](const Names& flagged, const std::string& action) {
        Plan plan;
        for (const char* name : {"faktor.txt", "knapp.txt", "klein.txt", "leer.txt", "eins.txt", "zeitgleich.txt"}) {
            const bool isFlagged = std::find(flagged.begin(), flagged.end(), std::string("\\") + name) != flagged.end();
            plan[std::string("Quelle/") + name] = isFlagged ? action : kPlanForward;
        }
        return plan;
    };
    struct Case {
        const char* name;
        bool compare, warn;
        int sizesDefault;
        std::optional<int> chosen; // the default action picked in the dialog
        Names shown;
        Plan expected;
    };
    // clang-format off
    const Case cases[] = {
        {"keep the newer version", true, true, kDefaultKeepNewer, {}, byFactor, planWith(byFactor, kPlanForward)},
        {"skip", true, true, kDefaultSkip, {}, byFactor, planWith(byFactor, kPlanSkip)},
        // The profile does not touch the source: a default never copies into it.
        {"backward, refused one way", true, true, kDefaultBackward, {}, byFactor, planWith(byFactor, kPlanForward)},
        {"factor test off: only equal times with different sizes", false, true, kDefaultSkip, {}, flaggedAlways,
         planWith(flaggedAlways, kPlanSkip)},
        {"not shown, the default applies all the same", true, false, kDefaultSkip, {}, {},
         planWith(byFactor, kPlanSkip)},
        {"the dialog's choice wins", true, true, kDefaultSkip, kDefaultNone, byFactor,
         planWith(byFactor, kPlanForward)},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BuildTrees(tree);
        p.SizesCompare = c.compare;
        p.SizesWarn = c.warn;
        p.SizesDefault = c.sizesDefault;
        ui.DialogChoice = c.chosen;
        EXPECT_EQ(Run(), kRunSucceeded);
        EXPECT_EQ(DialogFiles(eCheckDialog::SizeDifferences), c.shown);
        EXPECT_EQ(planned, c.expected);
    }
    ASSERT_FALSE(ui.Dialogs.empty());
    EXPECT_EQ(ui.Dialogs[0].Heading, "Folgende Dateien unterscheiden sich in der Größe um mindestens den Faktor 3, "
                                     "oder sie haben verschiedene Größen trotz identischer Datum-Zeit-Stempel:");
}

TEST_F(RunFiltersTest, DoubleModificationsAreShownAndTheirDefaultApplied) {
    // LastRun is 1 December 2026 08:00 local time; both sides are touched.
    const platform::FileTime changed = Local(2026, 12, 5);
    const platform::FileTime earlier = Local(2026, 12, 3);
    const std::vector<cTreeFile> tree = {
        {kSrc, "beide.txt", "a", changed}, // the destination changed too
        {kDst, "beide.txt", "a", earlier},
        {kSrc, "grenze.txt", "b", changed}, // the destination changed at the very time of the last run
        {kDst, "grenze.txt", "b", Local(2026, 12, 1, 8, 0, 0)},
        {kSrc, "knapp.txt", "c", changed}, // the destination changed just before it
        {kDst, "knapp.txt", "c", Local(2026, 12, 1, 7, 59, 59)},
        {kSrc, "rueck.txt", "d", earlier}, // newer destination, the source changed too
        {kDst, "rueck.txt", "d", changed},
    };
    const Names doubles = {"\\beide.txt", "\\grenze.txt", "\\rueck.txt"};
    struct Case {
        const char* name;
        bool warn;
        int doubleDefault;
        std::optional<int> chosen;
        Names shown;
        const std::string &beide, &grenze, &rueck;
    };
    // clang-format off
    const Case cases[] = {
        {"skip", true, kDefaultSkip, {}, doubles, kPlanSkip, kPlanSkip, kPlanSkip},
        {"keep the newer version", true, kDefaultKeepNewer, {}, doubles, kPlanForward, kPlanForward, kPlanBackward},
        {"backward", true, kDefaultBackward, {}, doubles, kPlanBackward, kPlanBackward, kPlanBackward},
        {"none keeps the rules' actions", true, kDefaultNone, {}, doubles, kPlanForward, kPlanForward, kPlanBackward},
        {"not shown, the default applies all the same", false, kDefaultSkip, {}, {}, kPlanSkip, kPlanSkip, kPlanSkip},
        {"the dialog's choice wins", true, kDefaultSkip, kDefaultForward, doubles,
         kPlanForward, kPlanForward, kPlanForward},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BuildTrees(tree);
        p.DoubleWarn = c.warn;
        p.DoubleDefault = c.doubleDefault;
        ui.DialogChoice = c.chosen;
        EXPECT_EQ(Run(), kRunSucceeded);
        EXPECT_EQ(DialogFiles(eCheckDialog::DoubleModifications), c.shown);
        EXPECT_EQ(planned, (Plan{{"Quelle/beide.txt", c.beide},
                                 {"Quelle/grenze.txt", c.grenze},
                                 {"Quelle/knapp.txt", kPlanForward},
                                 {"Quelle/rueck.txt", c.rueck}}));
    }
    // With UseUTC the records are in UTC; LastRun stays a local time and flags the same files.
    BuildTrees(tree);
    p.UseUTC = true;
    p.DoubleWarn = true;
    ui.DialogChoice.reset();
    EXPECT_EQ(Run(), kRunSucceeded);
    EXPECT_EQ(DialogFiles(eCheckDialog::DoubleModifications), doubles);
    p.UseUTC = false;

    // A LastRun that was never set (upper 32 bits 0) flags nothing.
    BuildTrees(tree);
    p.LastRun = 0;
    p.DoubleWarn = true;
    ui.DialogChoice.reset();
    EXPECT_EQ(Run(), kRunSucceeded);
    EXPECT_TRUE(ui.Dialogs.empty());
    EXPECT_EQ(planned["Quelle/beide.txt"], kPlanForward);
}

TEST_F(RunFiltersTest, OnlyOrphansNeverCopiesAPairWhateverTheDefaults) {
    // "Nur Waisen" with ListSkip lists a pair as skipped. A size difference or a double modification must not
    // let a default copy it, and the dialogs, whose choice could not change it, do not list it.
    p.ListSkip = true;
    p.SizesCompare = true;
    p.SizesFactor = 3;
    p.SizesWarn = true;
    p.DoubleWarn = true;
    const platform::FileTime changed = Local(2026, 12, 5); // after LastRun
    struct Case {
        const char* name;
        eTouchMode touch;
        int sizesDefault, doubleDefault;
        std::vector<cTreeFile> pair; // of paar.txt
        std::string pairBefore;      // the content of Ziel/paar.txt before (and after) the run
    };
    // clang-format off
    const Case cases[] = {
        {"both sides, equal times, sizes differ: keep the newer", eTouchMode::Both, kDefaultKeepNewer, kDefaultNone,
         {{kSrc, "paar.txt", "abcd", kOlder}, {kDst, "paar.txt", "abc", kOlder}}, "abc"},
        {"both sides, equal times, sizes differ: forward", eTouchMode::Both, kDefaultForward, kDefaultNone,
         {{kSrc, "paar.txt", "abcd", kOlder}, {kDst, "paar.txt", "abc", kOlder}}, "abc"},
        {"both sides, changed on both: forward", eTouchMode::Both, kDefaultNone, kDefaultForward,
         {{kSrc, "paar.txt", "neu", changed}, {kDst, "paar.txt", "alt", changed - 60 * platform::kTicksPerSecond}},
         "alt"},
        {"only destination, equal times, sizes differ", eTouchMode::DestOnly, kDefaultKeepNewer, kDefaultNone,
         {{kSrc, "paar.txt", "abcd", kOlder}, {kDst, "paar.txt", "abc", kOlder}}, "abc"},
        {"only source, newer destination three times larger: keep the newer", eTouchMode::SourceOnly, kDefaultKeepNewer,
         kDefaultNone, {{kSrc, "paar.txt", "a", kOlder}, {kDst, "paar.txt", "abc", kNewer}}, "abc"},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<cTreeFile> tree = c.pair;
        const bool towardsDest = c.touch != eTouchMode::SourceOnly;
        tree.push_back({towardsDest ? kSrc : kDst, "waise.txt", "w", kNewer});
        BuildTrees(tree);
        p.SetTouchMode(c.touch);
        p.OrphanModeB = p.OrphanModeD1 = p.OrphanModeS1 = eOrphanMode::OrphansOnly;
        p.SizesDefault = c.sizesDefault;
        p.DoubleDefault = c.doubleDefault;
        EXPECT_EQ(Run(), kRunSucceeded);
        const std::string orphan = towardsDest ? "Quelle/waise.txt" : "Ziel/waise.txt";
        EXPECT_EQ(planned,
                  (Plan{{"Quelle/paar.txt", kPlanSkip}, {orphan, towardsDest ? kPlanForward : kPlanBackward}}));
        EXPECT_TRUE(ui.Dialogs.empty());
        std::ifstream source(Source() / "paar.txt");
        std::ifstream dest(Dest() / "paar.txt");
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(source), {}), c.pair[0].Content);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(dest), {}), c.pairBefore);
    }
}

TEST_F(RunFiltersTest, DoubleModificationHeadingShowsTheLastRunAsStored) {
    // LastRun is the local start time of the last run, kept as it is; the heading shows it unconverted.
    Write(Source(), "beide.txt", "a", Local(2026, 12, 5));
    Write(Dest(), "beide.txt", "a", Local(2026, 12, 3));
    EXPECT_EQ(Run(), kRunSucceeded);
    ASSERT_EQ(ui.Dialogs.size(), 1u);
    EXPECT_EQ(ui.Dialogs[0].Heading, "Seit dem letzten Lauf am Di 01.12.2026 08:00:00 wurden folgende Dateien sowohl "
                                     "in der Quelle als auch im Ziel geändert:");
}

} // namespace
} // namespace runtest
