// The tick boxes of the source tree: which entries a tick writes, which ticks entries read back as, and that
// what the tree shows ticked is what the scan collects.
#include "engine/SourceTicks.h"
#include "engine/DirectoryPass.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using Texts = std::vector<std::string>;

Texts Sorted(Texts texts) {
    std::sort(texts.begin(), texts.end());
    return texts;
}

struct cStep {
    std::string Dir;
    eTick Tick;
    bool Accepted = true;
};

struct cTickCase {
    const char* Name;
    Texts Search;
    Texts Exclude;
    std::vector<cStep> Steps;
    Texts ExpectedSearch;
    Texts ExpectedExclude;
};

TEST(SourceTicksTest, TicksWriteTheEntriesOfTheirForms) {
    const std::vector<cTickCase> cases = {
        {"folder with subfolders", {}, {}, {{"\\Daten\\", eTick::WithSubfolders}}, {"\\Daten\\*"}, {}},
        {"folder alone", {}, {}, {{"\\Daten\\", eTick::Alone}}, {"\\Daten\\"}, {}},
        {"the root with everything", {}, {}, {{"\\", eTick::WithSubfolders}}, {"\\*"}, {}},
        {"unticked below a folder with subfolders is excluded with its branch",
         {"\\Daten\\*"},
         {},
         {{"\\Daten\\Alt\\", eTick::Off}},
         {"\\Daten\\*"},
         {"\\Daten\\Alt\\*"}},
        {"ticking an excluded branch again removes its exclusion",
         {"\\Daten\\*"},
         {"\\Daten\\Alt\\*"},
         {{"\\Daten\\Alt\\", eTick::WithSubfolders}},
         {"\\Daten\\*"},
         {}},
        {"a folder alone keeps no exclusion below it",
         {"\\Daten\\*"},
         {"\\Daten\\Alt\\*"},
         {{"\\Daten\\", eTick::Alone}},
         {"\\Daten\\"},
         {}},
        {"unticking the top folder drops its exclusions",
         {"\\Daten\\*"},
         {"\\Daten\\Alt\\*"},
         {{"\\Daten\\", eTick::Off}},
         {},
         {}},
        {"with subfolders takes in what was ticked or excluded below",
         {"\\Daten\\*", "\\Daten\\Briefe\\*", "\\Bilder\\"},
         {"\\Daten\\Alt\\*"},
         {{"\\", eTick::WithSubfolders}},
         {"\\*"},
         {}},
        {"an exclusion of the folder alone becomes one of its branch when unticked",
         {"\\Daten\\*"},
         {"\\Daten\\Alt\\"},
         {{"\\Daten\\Alt\\", eTick::Off}},
         {"\\Daten\\*"},
         {"\\Daten\\Alt\\*"}},
        {"a subfolder of a folder alone gets an entry of its own",
         {"\\Daten\\"},
         {},
         {{"\\Daten\\Briefe\\", eTick::WithSubfolders}},
         {"\\Daten\\", "\\Daten\\Briefe\\*"},
         {}},
        {"then the folder with subfolders takes it in",
         {"\\Daten\\", "\\Daten\\Briefe\\*"},
         {},
         {{"\\Daten\\", eTick::WithSubfolders}},
         {"\\Daten\\*"},
         {}},
        {"an exclusion under a remaining folder with subfolders stays",
         {"\\Daten\\*", "\\Daten\\Briefe\\*"},
         {"\\Daten\\Briefe\\Alt\\*"},
         {{"\\Daten\\", eTick::Off}},
         {"\\Daten\\Briefe\\*"},
         {"\\Daten\\Briefe\\Alt\\*"}},
        {"alone is refused below a folder with subfolders",
         {"\\Daten\\*"},
         {},
         {{"\\Daten\\Alt\\", eTick::Alone, false}},
         {"\\Daten\\*"},
         {}},
        {"no tick inside an excluded branch",
         {"\\Daten\\*"},
         {"\\Daten\\Alt\\*"},
         {{"\\Daten\\Alt\\X\\", eTick::WithSubfolders, false}},
         {"\\Daten\\*"},
         {"\\Daten\\Alt\\*"}},
        {"names differing in case are two folders",
         {"\\Daten\\*"},
         {},
         {{"\\daten\\", eTick::Alone}},
         {"\\Daten\\*", "\\daten\\"},
         {}},
        {"patterns and variables pass through unchanged",
         {"\\Projekte\\A*", "\\%USERNAME%\\*", "\\Daten\\*"},
         {"\\Daten\\*tmp*"},
         {{"\\Daten\\", eTick::Off}},
         {"\\%USERNAME%\\*", "\\Projekte\\A*"},
         {"\\Daten\\*tmp*"}},
    };
    for (const cTickCase& c : cases) {
        SCOPED_TRACE(c.Name);
        cSourceTicks ticks;
        ticks.Read(c.Search, c.Exclude);
        for (const cStep& step : c.Steps)
            EXPECT_EQ(ticks.Set(step.Dir, step.Tick), step.Accepted) << step.Dir;
        EXPECT_EQ(Sorted(ticks.SearchEntries()), Sorted(c.ExpectedSearch));
        EXPECT_EQ(Sorted(ticks.ExcludeEntries()), Sorted(c.ExpectedExclude));
    }
}

TEST(SourceTicksTest, EntriesReadBackAsTicks) {
    cSourceTicks ticks;
    ticks.Read({"\\Daten\\*", "\\Bilder\\", "\\Projekte\\A*"}, {"\\Daten\\Alt\\*", "\\Daten\\Neu\\"});
    struct cViewCase {
        const char* Dir;
        cTickView View;
    };
    const std::vector<cViewCase> cases = {
        {"\\", {}},
        {"\\Daten\\", {.Tick = eTick::WithSubfolders, .Explicit = true}},
        {"\\Daten\\Briefe\\", {.Tick = eTick::WithSubfolders, .Inherited = true}},
        {"\\Daten\\Alt\\", {.Explicit = true}},
        {"\\Daten\\Alt\\X\\", {.Changeable = false}},
        {"\\Daten\\Neu\\", {.Explicit = true}},
        // Excluding a folder alone leaves its subfolders searched.
        {"\\Daten\\Neu\\Y\\", {.Tick = eTick::WithSubfolders, .Inherited = true}},
        {"\\Bilder\\", {.Tick = eTick::Alone, .Explicit = true}},
        {"\\Bilder\\Urlaub\\", {}},
        // A pattern is no tick: the tree shows nothing for it.
        {"\\Projekte\\", {}},
        {"\\Projekte\\Alt\\", {}},
    };
    for (const cViewCase& c : cases) {
        SCOPED_TRACE(c.Dir);
        EXPECT_EQ(ticks.View(c.Dir), c.View);
    }
    EXPECT_EQ(ticks.NamedDirectories(), (Texts{"\\Bilder\\", "\\Daten\\", "\\Daten\\Alt\\", "\\Daten\\Neu\\"}));
}

TEST(SourceTicksTest, OnlyCanonicalEntriesAreTicks) {
    struct cFormCase {
        const char* Entry;
        bool Tick;
        const char* Dir;
        bool WithSubfolders;
    };
    const std::vector<cFormCase> cases = {
        {"\\", true, "\\", false},
        {"\\*", true, "\\", true},
        {"\\Daten\\Briefe\\", true, "\\Daten\\Briefe\\", false},
        {"\\Daten\\Briefe\\*", true, "\\Daten\\Briefe\\", true},
        {"\\Daten\\Briefe", false, "", false},
        {"Daten\\", false, "", false},
        {"\\Daten*\\", false, "", false},
        {"\\Daten\\*alt*", false, "", false},
        {"\\%USERNAME%\\", false, "", false},
        {"\\Daten\\..\\", false, "", false},
        {"\\Daten\\\\Briefe\\", false, "", false},
    };
    for (const cFormCase& c : cases) {
        SCOPED_TRACE(c.Entry);
        std::string dir;
        bool withSubfolders = false;
        EXPECT_EQ(cSourceTicks::IsTick(c.Entry, dir, withSubfolders), c.Tick);
        if (c.Tick) {
            EXPECT_EQ(dir, c.Dir);
            EXPECT_EQ(withSubfolders, c.WithSubfolders);
        }
    }
}

TEST(SourceTicksTest, ReadingAndWritingKeepsEveryEntry) {
    // Doubles in one form or the other included: nothing is merged unless the user changes that folder.
    const Texts search = {"\\", "\\*", "\\Daten\\", "\\Daten\\*", "\\Projekte\\A*", "\\%DATE%\\"};
    const Texts exclude = {"\\Daten\\Alt\\", "\\Daten\\Alt\\*", "\\*tmp*"};
    cSourceTicks ticks;
    ticks.Read(search, exclude);
    EXPECT_EQ(Sorted(ticks.SearchEntries()), Sorted(search));
    EXPECT_EQ(Sorted(ticks.ExcludeEntries()), Sorted(exclude));
}

TEST(SourceTicksTest, AClickCyclesThroughTheTicksAFolderCanHave) {
    cSourceTicks ticks;
    ticks.Read({}, {});
    std::vector<eTick> seen;
    for (int i = 0; i < 3; ++i) {
        const eTick next = ticks.NextTick("\\Daten\\");
        seen.push_back(next);
        ASSERT_TRUE(ticks.Set("\\Daten\\", next));
    }
    EXPECT_EQ(seen, (std::vector<eTick>{eTick::WithSubfolders, eTick::Alone, eTick::Off}));

    ticks.Read({"\\Daten\\*"}, {});
    EXPECT_EQ(ticks.NextTick("\\Daten\\Alt\\"), eTick::Off);
    ASSERT_TRUE(ticks.Set("\\Daten\\Alt\\", eTick::Off));
    EXPECT_EQ(ticks.NextTick("\\Daten\\Alt\\"), eTick::WithSubfolders);
}

// The tree must show ticked exactly what a run searches: the entries a series of clicks writes, collected and
// subtracted as the scan does, name the ticked folders of a real tree and no others.
TEST(SourceTicksTest, WhatTheTreeShowsTickedIsWhatTheScanCollects) {
    const testsupport::TempDir dir;
    const Texts folders = {"\\A\\", "\\A\\B\\", "\\A\\B\\C\\", "\\A\\D\\", "\\A\\D\\E\\", "\\F\\", "\\F\\G\\"};
    for (const std::string& folder : folders) {
        std::string native = folder;
        std::replace(native.begin(), native.end(), '\\', '/');
        std::filesystem::create_directories(dir.Path().string() + native);
    }
    const std::vector<std::vector<cStep>> clickSeries = {
        {{"\\", eTick::WithSubfolders}, {"\\A\\B\\", eTick::Off}},
        {{"\\A\\", eTick::WithSubfolders}, {"\\A\\D\\", eTick::Off}, {"\\F\\", eTick::Alone}},
        {{"\\A\\", eTick::Alone}, {"\\A\\D\\", eTick::WithSubfolders}, {"\\A\\D\\E\\", eTick::Off}},
        {{"\\", eTick::WithSubfolders},
         {"\\A\\", eTick::Off},
         {"\\A\\", eTick::WithSubfolders},
         {"\\F\\G\\", eTick::Off}},
        {{"\\", eTick::Alone}, {"\\F\\G\\", eTick::WithSubfolders}},
    };
    const std::string root = dir.Path().string();
    for (const auto& series : clickSeries) {
        cSourceTicks ticks;
        ticks.Read({}, {});
        for (const cStep& step : series)
            ASSERT_TRUE(ticks.Set(step.Dir, step.Tick)) << step.Dir;
        std::vector<std::string> collected;
        std::vector<std::string> excluded;
        std::vector<cScanProblem> problems;
        for (const std::string& entry : ticks.SearchEntries())
            CollectDirectories(root, entry, collected, problems);
        for (const std::string& entry : ticks.ExcludeEntries())
            CollectDirectories(root, entry, excluded, problems);
        RemoveNames(collected, excluded);
        SortAndRemoveDuplicates(collected);
        Texts shown;
        for (const std::string& folder :
             Texts{"\\", "\\A\\", "\\A\\B\\", "\\A\\B\\C\\", "\\A\\D\\", "\\A\\D\\E\\", "\\F\\", "\\F\\G\\"})
            if (ticks.View(folder).Tick != eTick::Off) shown.push_back(folder);
        SortAndRemoveDuplicates(shown);
        EXPECT_EQ(collected, shown) << "search " << ::testing::PrintToString(ticks.SearchEntries()) << " exclude "
                                    << ::testing::PrintToString(ticks.ExcludeEntries());
    }
}

} // namespace
