// The check dialogs' model: default actions on flagged candidates, the tolerant "keep the newer version",
// the working copies against the profile, and the listed files.
#include "engine/CheckDialogs.h"

#include "engine/ActionFlags.h"
#include "platform/FileTime.h"
#include "profile/Parameters.h"
#include "shell/HeadlessInterface.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using platform::FileTime;
using platform::kTicksPerSecond;

const FileTime kBase = platform::JoinFileTime(2026, 6, 1, 12, 0, 0);

std::unique_ptr<cCandidate> Pair(ActionFlags flags, FileTime sourceTime = kBase, FileTime destTime = kBase) {
    auto c = std::make_unique<cCandidate>();
    c->Flags = flags;
    c->SourceTime = sourceTime;
    c->DestTime = destTime;
    c->SourceSize = 10;
    c->DestSize = 20;
    return c;
}

struct DefaultCase {
    const char* name;
    int code;
    ActionFlags before;
    FileTime sourceMinusDest;
    ActionFlags expectedAction;
};

TEST(CheckDialogsTest, EachDefaultCodeOnEachFlag) {
    const DefaultCase cases[] = {
        {"keep newer, source newer", kDefaultKeepNewer, kActionBackward, 60 * kTicksPerSecond, kActionForward},
        {"keep newer, destination newer", kDefaultKeepNewer, kActionForward, -60 * kTicksPerSecond, kActionBackward},
        {"forward", kDefaultForward, kActionBackward, -60 * kTicksPerSecond, kActionForward},
        {"skip", kDefaultSkip, kActionForward, 60 * kTicksPerSecond, kActionSkip},
        {"backward", kDefaultBackward, kActionForward, 60 * kTicksPerSecond, kActionBackward},
        {"backward replaces a deletion", kDefaultBackward, kActionDelete, 60 * kTicksPerSecond, kActionBackward},
        {"none keeps the rule's action", kDefaultNone, kActionBackward, 60 * kTicksPerSecond, kActionBackward},
        {"unknown code keeps the rule's action", 7, kActionForward, 60 * kTicksPerSecond, kActionForward},
        {"negative code keeps the rule's action", -1, kActionBackward, 60 * kTicksPerSecond, kActionBackward},
        // A pair the rules only list ("Nur Waisen", an invalid time stamp) is never acted on.
        {"the rules' skip stays, keep newer", kDefaultKeepNewer, kActionSkip, 60 * kTicksPerSecond, kActionSkip},
        {"the rules' skip stays, forward", kDefaultForward, kActionSkip, 60 * kTicksPerSecond, kActionSkip},
        {"the rules' skip stays, backward", kDefaultBackward, kActionSkip, -60 * kTicksPerSecond, kActionSkip},
    };
    const cTimeTolerance tolerance;
    for (const ActionFlags flag : {kFlagDoubleModified, kFlagSizeDiffers}) {
        for (const auto& tc : cases) {
            SCOPED_TRACE(std::string(tc.name) + (flag == kFlagDoubleModified ? " (double)" : " (sizes)"));
            std::vector<std::unique_ptr<cCandidate>> candidates;
            const ActionFlags others = kFlagCopyContent | kFlagPropertiesDiffer;
            candidates.push_back(Pair(tc.before | flag | others, kBase + tc.sourceMinusDest, kBase));
            candidates.push_back(Pair(tc.before | others, kBase + tc.sourceMinusDest, kBase)); // not flagged
            cRunChecks checks;
            checks.DoubleDefault = flag == kFlagDoubleModified ? tc.code : kDefaultNone;
            checks.SizesDefault = flag == kFlagSizeDiffers ? tc.code : kDefaultNone;

            ApplyDefaultActions(candidates, checks, tolerance);

            EXPECT_EQ(candidates[0]->Flags, tc.expectedAction | flag | others);
            EXPECT_EQ(candidates[1]->Flags, tc.before | others);
        }
    }
}

TEST(CheckDialogsTest, DoubleModificationDefaultWinsOverSizesDefault) {
    struct Case {
        const char* name;
        int sizesDefault;
        int doubleDefault;
        ActionFlags expected;
    };
    const Case cases[] = {
        {"both defaults: the double modification's wins", kDefaultBackward, kDefaultSkip, kActionSkip},
        {"\"Keine\" for double modifications leaves the sizes default", kDefaultBackward, kDefaultNone,
         kActionBackward},
        // The sizes default's skip is no skip of the rules: the double default still applies.
        {"the sizes default skips, the double default copies", kDefaultSkip, kDefaultForward, kActionForward},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::unique_ptr<cCandidate>> candidates;
        candidates.push_back(Pair(kActionForward | kFlagDoubleModified | kFlagSizeDiffers));
        cRunChecks checks;
        checks.SizesDefault = c.sizesDefault;
        checks.DoubleDefault = c.doubleDefault;
        ApplyDefaultActions(candidates, checks, {});
        EXPECT_EQ(candidates[0]->Action(), c.expected);
    }
}

struct NewerCase {
    const char* name;
    int timeDifference;
    bool ignoreDst;
    FileTime sourceMinusDest;
    FileTime destTime;
    ActionFlags expected;
};

TEST(CheckDialogsTest, KeepNewerUsesTheTolerantComparison) {
    const NewerCase cases[] = {
        {"equal", 2, false, 0, kBase, kActionForward},
        {"destination newer within the tolerance", 2, false, -2 * kTicksPerSecond, kBase, kActionForward},
        {"destination newer beyond the tolerance", 2, false, -3 * kTicksPerSecond, kBase, kActionBackward},
        {"destination newer, tolerance 0", 0, false, -1 * kTicksPerSecond, kBase, kActionBackward},
        {"destination an hour newer, DST ignored", 2, true, -3600 * kTicksPerSecond, kBase, kActionForward},
        {"destination an hour newer, DST counted", 2, false, -3600 * kTicksPerSecond, kBase, kActionBackward},
        {"source newer", 2, false, 3 * kTicksPerSecond, kBase, kActionForward},
        {"no destination file", 2, false, kBase, 0, kActionForward},
    };
    for (const auto& tc : cases) {
        SCOPED_TRACE(tc.name);
        auto c = Pair(kActionSkip | kFlagDoubleModified, tc.destTime + tc.sourceMinusDest, tc.destTime);
        cTimeTolerance tolerance;
        tolerance.TimeDifference = tc.timeDifference;
        tolerance.IgnoreDST = tc.ignoreDst;
        ApplyDefaultAction(*c, kDefaultKeepNewer, tolerance);
        EXPECT_EQ(c->Action(), tc.expected);
    }
}

TEST(CheckDialogsTest, DialogAnswerChangesOnlyTheWorkingCopies) {
    cParameters p;
    p.ShowPreview = true;
    p.DoubleDefault = kDefaultSkip;
    p.SizesDefault = kDefaultKeepNewer;
    p.Preview.DoubleFilter = false;
    p.Preview.SizesFilter = true;
    cRunChecks checks = cRunChecks::FromParameters(p);
    EXPECT_TRUE(checks.ShowPreview);
    EXPECT_EQ(checks.DoubleDefault, kDefaultSkip);
    EXPECT_FALSE(checks.DoubleFilter);
    EXPECT_EQ(checks.SizesDefault, kDefaultKeepNewer);
    EXPECT_TRUE(checks.SizesFilter);

    const std::vector<std::unique_ptr<cCandidate>> none;
    cCheckDialogModel doubles = BuildCheckDialog(eCheckDialog::DoubleModifications, p, checks, kBase, none, {}, "");
    EXPECT_EQ(doubles.DefaultAction, kDefaultSkip);
    doubles.DefaultAction = kDefaultBackward;
    doubles.SetFilter = true;
    StoreCheckDialogAnswer(doubles, checks);
    EXPECT_EQ(checks.DoubleDefault, kDefaultBackward);
    EXPECT_TRUE(checks.DoubleFilter);
    EXPECT_EQ(checks.SizesDefault, kDefaultKeepNewer); // the other dialog's copies stay

    cCheckDialogModel sizes = BuildCheckDialog(eCheckDialog::SizeDifferences, p, checks, kBase, none, {}, "");
    EXPECT_EQ(sizes.DefaultAction, kDefaultKeepNewer);
    EXPECT_TRUE(sizes.SetFilter);
    sizes.DefaultAction = kDefaultNone;
    sizes.SetShowPreview(false); // unchecking the preview also unchecks the filter
    EXPECT_FALSE(sizes.FilterEnabled());
    StoreCheckDialogAnswer(sizes, checks);
    EXPECT_EQ(checks.SizesDefault, kDefaultNone);
    EXPECT_FALSE(checks.SizesFilter);
    EXPECT_FALSE(checks.ShowPreview);
    EXPECT_EQ(checks.DoubleDefault, kDefaultBackward);

    EXPECT_TRUE(p.ShowPreview);
    EXPECT_EQ(p.DoubleDefault, kDefaultSkip);
    EXPECT_EQ(p.SizesDefault, kDefaultKeepNewer);
    EXPECT_FALSE(p.Preview.DoubleFilter);
    EXPECT_TRUE(p.Preview.SizesFilter);
}

TEST(CheckDialogsTest, HeadlessAnswerIsThePreset) {
    cParameters p;
    const cRunChecks before = cRunChecks::FromParameters(p);
    cRunChecks checks = before;
    cCheckDialogModel model = BuildCheckDialog(eCheckDialog::SizeDifferences, p, checks, kBase, {}, {}, "");
    cHeadlessInterface headless;
    ASSERT_TRUE(headless.ShowCheckDialog(model));
    StoreCheckDialogAnswer(model, checks);
    EXPECT_EQ(checks.SizesDefault, before.SizesDefault);
    EXPECT_EQ(checks.SizesFilter, before.SizesFilter);
    EXPECT_EQ(checks.ShowPreview, before.ShowPreview);
}

TEST(CheckDialogsTest, ListsFlaggedCandidatesWithoutTheCutPath) {
    const std::vector<std::string> dirs = {"\\Daten\\Projekte\\", "\\daten\\projekte\\Alt\\", "\\Daten\\ProjekteX\\",
                                           "\\Andere\\"};
    std::vector<std::unique_ptr<cCandidate>> candidates;
    auto add = [&](int dir, const char* base, const char* ext, ActionFlags flags) {
        auto c = Pair(kActionForward | flags);
        c->DirIndex = dir;
        c->BaseName = base;
        c->Extension = ext;
        candidates.push_back(std::move(c));
    };
    add(0, "a", ".txt", kFlagDoubleModified);
    add(1, "b", "", kFlagDoubleModified | kFlagSizeDiffers);
    add(2, "c", ".doc", kFlagDoubleModified);
    add(3, "d", ".txt", kFlagDoubleModified);
    add(0, "e", ".txt", kFlagSizeDiffers);
    add(0, "f", ".txt", 0);
    add(0, "g", ".txt", kFlagDoubleModified | kFlagSizeDiffers);
    candidates.back()->Flags = kActionSkip | kFlagDoubleModified | kFlagSizeDiffers; // only listed: not shown

    cParameters p;
    p.SizesFactor = 3;
    const cRunChecks checks = cRunChecks::FromParameters(p);
    const cCheckDialogModel doubles =
        BuildCheckDialog(eCheckDialog::DoubleModifications, p, checks, kBase, candidates, dirs, "\\Daten\\Projekte");
    EXPECT_EQ(doubles.Files,
              (std::vector<std::string>{"a.txt", "Alt\\b", "\\Daten\\ProjekteX\\c.doc", "\\Andere\\d.txt"}));
    EXPECT_EQ(doubles.Heading, "Seit dem letzten Lauf am Mo 01.06.2026 12:00:00 wurden folgende Dateien sowohl "
                               "in der Quelle als auch im Ziel geändert:");

    const cCheckDialogModel sizes =
        BuildCheckDialog(eCheckDialog::SizeDifferences, p, checks, kBase, candidates, dirs, "");
    EXPECT_EQ(sizes.Files, (std::vector<std::string>{"\\daten\\projekte\\Alt\\b", "\\Daten\\Projekte\\e.txt"}));
    EXPECT_EQ(sizes.Heading, "Folgende Dateien unterscheiden sich in der Größe um mindestens den Faktor 3, oder sie "
                             "haben verschiedene Größen trotz identischer Datum-Zeit-Stempel:");
}

TEST(CheckDialogsTest, ShownOnlyWithWarningAndFlaggedCandidate) {
    std::vector<std::unique_ptr<cCandidate>> candidates;
    candidates.push_back(Pair(kActionForward | kFlagSizeDiffers));
    cParameters p;
    p.DoubleWarn = true;
    p.SizesWarn = false;
    EXPECT_FALSE(NeedsCheckDialog(eCheckDialog::DoubleModifications, p, candidates)); // no such candidate
    EXPECT_FALSE(NeedsCheckDialog(eCheckDialog::SizeDifferences, p, candidates));     // warning off
    p.SizesWarn = true;
    EXPECT_TRUE(NeedsCheckDialog(eCheckDialog::SizeDifferences, p, candidates));
    EXPECT_FALSE(NeedsCheckDialog(eCheckDialog::SizeDifferences, p, {}));
    // A pair the rules only list as skipped is nothing the dialog's default could change.
    candidates[0]->Flags = kActionSkip | kFlagSizeDiffers | kFlagDoubleModified;
    EXPECT_FALSE(NeedsCheckDialog(eCheckDialog::SizeDifferences, p, candidates));
    EXPECT_FALSE(NeedsCheckDialog(eCheckDialog::DoubleModifications, p, candidates));
}

} // namespace
