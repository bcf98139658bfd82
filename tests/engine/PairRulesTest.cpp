// The comparison rules: the decision table of the compare masks, orphan modes, filters, enforce and delete masks.
#include "engine/PairRules.h"

#include "platform/FileInfo.h"
#include "platform/FileTime.h"
#include "profile/Parameters.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

using platform::FileTime;
using platform::JoinFileTime;
using platform::kTicksPerSecond;
using Result = std::optional<ActionFlags>;

constexpr ActionFlags F = kActionForward;
constexpr ActionFlags B = kActionBackward;
constexpr ActionFlags D = kActionDelete;
constexpr ActionFlags K = kActionSkip;
constexpr ActionFlags C = kFlagCopyContent;
constexpr ActionFlags S = kFlagSizeDiffers;
constexpr ActionFlags P = kFlagPropertiesDiffer;
constexpr ActionFlags M = kFlagDoubleModified;

const FileTime kBase = JoinFileTime(2026, 12, 1, 10);

class PairRulesTest : public ::testing::Test {
protected:
    PairRulesTest() {
        p.SetTouchMode(eTouchMode::Both);
        p.OrphanModeB = eOrphanMode::ForwardBackward;
        p.OrphanModeD1 = eOrphanMode::Forward;
        p.OrphanModeD2 = eOrphanMode::Skip;
        p.OrphanModeS1 = eOrphanMode::Backward;
        p.OrphanModeS2 = eOrphanMode::Skip;
        p.ListSkip = false;
        p.Attributes = AttributeBits();
        p.TimeDifference = 2;
        p.IgnoreDST = false;
        p.UseUTC = false;
        p.SizesCompare = true;
        p.SizesFactor = 3;
        p.CompareProperties = true;
        p.DestType = eDestType::Directory;
        p.EnforceBackward = false;
        p.LastRun = 0;
        p.AgeMode = AgeModeValue(eAgeMode::None);
    }

    cRuleContext Context() const { return cRuleContext{p, AgeFilterFromParameters(p)}; }
    // The scan asks both compare rules for a pair found on both sides; at most one may make a candidate.
    Result ComparePair(const cPairFacts& facts) const {
        const Result fromSource = CompareFromSource(Context(), facts);
        const Result fromDest = CompareFromDest(Context(), facts);
        EXPECT_FALSE(fromSource && fromDest);
        return fromSource ? fromSource : fromDest;
    }

    static cSideRecord File(FileTime time, std::int64_t size = 100, std::uint32_t attributes = 0) {
        return cSideRecord{attributes, time, size};
    }

    cParameters p;
};

struct TableCase {
    const char* name;
    eTouchMode touch;
    cSideRecord source;
    cSideRecord dest;
    Result expected;
};

TEST_F(PairRulesTest, CompareDecisionTable) {
    const FileTime newer = kBase + 10 * kTicksPerSecond;
    const cSideRecord plain = File(kBase);
    const TableCase cases[] = {
        {"dest only: source newer", eTouchMode::DestOnly, File(newer), plain, F | C},
        {"dest only: sizes differ", eTouchMode::DestOnly, File(kBase, 200), plain, F | C | S},
        {"dest only: properties differ", eTouchMode::DestOnly, File(kBase, 100, 1), plain, F | P},
        {"dest only: equal", eTouchMode::DestOnly, plain, plain, std::nullopt},
        {"dest only: dest newer", eTouchMode::DestOnly, plain, File(newer), std::nullopt},
        {"both: source newer", eTouchMode::Both, File(newer), plain, F | C},
        {"both: sizes differ", eTouchMode::Both, File(kBase, 200), plain, F | C | S},
        {"both: properties differ", eTouchMode::Both, File(kBase, 100, 1), plain, F | P},
        {"both: equal", eTouchMode::Both, plain, plain, std::nullopt},
        {"both: dest newer", eTouchMode::Both, plain, File(newer), B | C},
        {"both: dest newer by factor 3", eTouchMode::Both, plain, File(newer, 300), B | C | S},
        {"both: within the tolerance", eTouchMode::Both, plain, File(kBase + 2 * kTicksPerSecond), std::nullopt},
        {"both: dest one hour newer (summer time)", eTouchMode::Both, plain, File(kBase + 3600 * kTicksPerSecond),
         B | C},
        {"source only: source newer", eTouchMode::SourceOnly, File(newer), plain, std::nullopt},
        {"source only: sizes differ", eTouchMode::SourceOnly, File(kBase, 200), plain, std::nullopt},
        {"source only: properties differ", eTouchMode::SourceOnly, File(kBase, 100, 1), plain, std::nullopt},
        {"source only: equal", eTouchMode::SourceOnly, plain, plain, std::nullopt},
        {"source only: dest newer", eTouchMode::SourceOnly, plain, File(newer), B | C},
    };
    for (const TableCase& c : cases) {
        SCOPED_TRACE(c.name);
        p.SetTouchMode(c.touch);
        EXPECT_EQ(ComparePair(cPairFacts{c.source, c.dest}), c.expected);
    }
}

TEST_F(PairRulesTest, IgnoreDstMakesTheHourEqual) {
    p.IgnoreDST = true;
    EXPECT_EQ(ComparePair(cPairFacts{File(kBase), File(kBase + 3600 * kTicksPerSecond)}), std::nullopt);
}

TEST_F(PairRulesTest, SecurityDifferenceOnlyForDirectoryDestinations) {
    const cPairFacts facts{File(kBase), File(kBase), false, true};
    EXPECT_EQ(ComparePair(facts), F | P);
    p.DestType = eDestType::Zip;
    EXPECT_EQ(ComparePair(facts), std::nullopt);
    p.DestType = eDestType::Directory;
    p.CompareProperties = false;
    EXPECT_EQ(ComparePair(facts), std::nullopt);
}

struct OrphanCase {
    const char* name;
    eTouchMode touch;
    eOrphanMode mode;
    bool listSkip;
    bool listedInSnapshot;
    Result expected;
};

TEST_F(PairRulesTest, SourceOrphans) {
    const OrphanCase cases[] = {
        {"both skip", eTouchMode::Both, eOrphanMode::Skip, false, false, std::nullopt},
        {"both skip, ListSkip", eTouchMode::Both, eOrphanMode::Skip, true, false, K | C},
        {"both delete", eTouchMode::Both, eOrphanMode::Delete, false, false, D | C},
        {"both forward / backward", eTouchMode::Both, eOrphanMode::ForwardBackward, false, false, F | C},
        {"both snapshot, deleted in the destination", eTouchMode::Both, eOrphanMode::LookInSnapshot, false, true,
         D | C},
        {"both snapshot, new file", eTouchMode::Both, eOrphanMode::LookInSnapshot, false, false, F | C},
        {"both orphans only", eTouchMode::Both, eOrphanMode::OrphansOnly, false, false, F | C},
        {"source only skip, ListSkip", eTouchMode::SourceOnly, eOrphanMode::Skip, true, false, K | C},
        {"source only delete", eTouchMode::SourceOnly, eOrphanMode::Delete, false, false, D | C},
        {"source only forward / backward is not admitted", eTouchMode::SourceOnly, eOrphanMode::ForwardBackward, false,
         false, std::nullopt},
        {"dest only forward", eTouchMode::DestOnly, eOrphanMode::Forward, false, false, F | C},
        {"dest only skip", eTouchMode::DestOnly, eOrphanMode::Skip, false, false, std::nullopt},
        {"dest only orphans only", eTouchMode::DestOnly, eOrphanMode::OrphansOnly, false, false, F | C},
    };
    for (const OrphanCase& c : cases) {
        SCOPED_TRACE(c.name);
        p.SetTouchMode(c.touch);
        p.OrphanModeB = p.OrphanModeS2 = p.OrphanModeD1 = c.mode;
        p.ListSkip = c.listSkip;
        EXPECT_EQ(CompareFromSource(Context(), cPairFacts{File(kBase), {}, c.listedInSnapshot}), c.expected);
    }
}

TEST_F(PairRulesTest, DestOrphans) {
    const OrphanCase cases[] = {
        {"both delete", eTouchMode::Both, eOrphanMode::Delete, false, false, D | C},
        {"both forward / backward", eTouchMode::Both, eOrphanMode::ForwardBackward, false, false, B | C},
        {"both snapshot, deleted in the source", eTouchMode::Both, eOrphanMode::LookInSnapshot, false, true, D | C},
        {"both snapshot, new file", eTouchMode::Both, eOrphanMode::LookInSnapshot, false, false, B | C},
        {"source only backward", eTouchMode::SourceOnly, eOrphanMode::Backward, false, false, B | C},
        {"source only orphans only", eTouchMode::SourceOnly, eOrphanMode::OrphansOnly, false, false, B | C},
        {"source only skip, ListSkip", eTouchMode::SourceOnly, eOrphanMode::Skip, true, false, K | C},
        {"dest only delete", eTouchMode::DestOnly, eOrphanMode::Delete, false, false, D | C},
        {"dest only skip", eTouchMode::DestOnly, eOrphanMode::Skip, false, false, std::nullopt},
    };
    for (const OrphanCase& c : cases) {
        SCOPED_TRACE(c.name);
        p.SetTouchMode(c.touch);
        p.OrphanModeB = p.OrphanModeS1 = p.OrphanModeD2 = c.mode;
        p.ListSkip = c.listSkip;
        EXPECT_EQ(CompareFromDest(Context(), cPairFacts{{}, File(kBase), c.listedInSnapshot}), c.expected);
    }
}

TEST_F(PairRulesTest, OnlyOrphansListsPairsAsSkipped) {
    p.OrphanModeB = eOrphanMode::OrphansOnly;
    const cPairFacts newerSource{File(kBase + 10 * kTicksPerSecond), File(kBase)};
    EXPECT_EQ(ComparePair(newerSource), std::nullopt);
    p.ListSkip = true;
    EXPECT_EQ(ComparePair(newerSource), K | C);
}

TEST_F(PairRulesTest, HiddenFilesNeedTheirAttributeBit) {
    const cPairFacts hiddenOrphan{File(kBase, 100, platform::kAttributeHidden), {}};
    EXPECT_EQ(CompareFromSource(Context(), hiddenOrphan), std::nullopt);
    p.Attributes = AttributeBits(eAttributeChange::Hidden);
    EXPECT_EQ(CompareFromSource(Context(), hiddenOrphan), F | C);
}

TEST_F(PairRulesTest, AgeFilterOnTheFoundSide) {
    p.AgeMode = AgeModeValue(eAgeMode::AbsoluteAge);
    p.AbsoluteAge = platform::DayNumberFromFileTime(kBase) + 1;
    const cPairFacts oldOrphan{File(kBase), {}};
    EXPECT_EQ(CompareFromSource(Context(), oldOrphan), std::nullopt);
    p.AgeMode = AgeModeValue(eAgeMode::AbsoluteAge, true);
    EXPECT_EQ(CompareFromSource(Context(), oldOrphan), F | C);
}

TEST_F(PairRulesTest, DoubleModificationSinceTheLastRun) {
    p.LastRun = kBase - kTicksPerSecond;
    EXPECT_EQ(ComparePair(cPairFacts{File(kBase + 10 * kTicksPerSecond), File(kBase)}), F | C | M);
    EXPECT_EQ(ComparePair(cPairFacts{File(kBase), File(kBase + 10 * kTicksPerSecond)}), B | C | M);
    p.LastRun = kBase + kTicksPerSecond;
    EXPECT_EQ(ComparePair(cPairFacts{File(kBase + 10 * kTicksPerSecond), File(kBase)}), F | C);
}

TEST_F(PairRulesTest, EnforceCopiesForwardWheneverTimesOrSizesDiffer) {
    const FileTime newer = kBase + 10 * kTicksPerSecond;
    EXPECT_EQ(EnforceFromSource(Context(), cPairFacts{File(kBase), File(newer)}), F | C);
    EXPECT_EQ(EnforceFromSource(Context(), cPairFacts{File(kBase), File(kBase)}), std::nullopt);
    EXPECT_EQ(EnforceFromSource(Context(), cPairFacts{File(kBase, 5), File(kBase)}), F | C | S);
    EXPECT_EQ(EnforceFromSource(Context(), cPairFacts{File(kBase), {}}), F | C);
    p.SetTouchMode(eTouchMode::SourceOnly);
    EXPECT_EQ(EnforceFromSource(Context(), cPairFacts{File(kBase), File(newer)}), std::nullopt);
}

TEST_F(PairRulesTest, EnforceBackwardDeletesWhatTheSourceLacks) {
    const cPairFacts destOnly{{}, File(kBase)};
    EXPECT_EQ(EnforceFromDest(Context(), destOnly), std::nullopt);
    p.EnforceBackward = true;
    EXPECT_EQ(EnforceFromDest(Context(), destOnly), D);
    EXPECT_EQ(EnforceFromDest(Context(), cPairFacts{File(kBase), File(kBase)}), std::nullopt);
}

TEST_F(PairRulesTest, DeleteMasksDecideByTheNewerSide) {
    const FileTime newer = kBase + 10 * kTicksPerSecond;
    const cPairFacts sourceNewer{File(newer), File(kBase)};
    EXPECT_EQ(DeleteFromSource(Context(), sourceNewer), D);
    EXPECT_EQ(DeleteFromDest(Context(), sourceNewer), std::nullopt);
    const cPairFacts destNewer{File(kBase), File(newer, 300)};
    EXPECT_EQ(DeleteFromSource(Context(), destNewer), std::nullopt);
    EXPECT_EQ(DeleteFromDest(Context(), destNewer), D | S);
    EXPECT_EQ(DeleteFromSource(Context(), cPairFacts{File(kBase, 1), File(kBase, 2)}), D | S);
    p.SetTouchMode(eTouchMode::DestOnly);
    EXPECT_EQ(DeleteFromSource(Context(), sourceNewer), std::nullopt);
}

} // namespace
