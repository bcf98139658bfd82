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

enum class Touch { Dest, Both, Source };

class PairRulesTest : public ::testing::Test {
protected:
    PairRulesTest() {
        p.TouchSrc = true;
        p.TouchDest = true;
        p.OrphanModeB = 4;
        p.OrphanModeD1 = 0;
        p.OrphanModeD2 = 1;
        p.OrphanModeS1 = 3;
        p.OrphanModeS2 = 1;
        p.ListSkip = false;
        p.Attributes = 0;
        p.TimeDifference = 2;
        p.IgnoreDST = false;
        p.UseUTC = false;
        p.SizesCompare = true;
        p.SizesFactor = 3;
        p.CompareProperties = true;
        p.DestType = 0;
        p.EnforceBackward = false;
        p.LastRun = 0;
        p.AgeMode = 0;
    }

    void SetTouch(Touch touch) {
        p.TouchSrc = touch != Touch::Dest;
        p.TouchDest = touch != Touch::Source;
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
    Touch touch;
    cSideRecord source;
    cSideRecord dest;
    Result expected;
};

TEST_F(PairRulesTest, CompareDecisionTable) {
    const FileTime newer = kBase + 10 * kTicksPerSecond;
    const cSideRecord plain = File(kBase);
    const TableCase cases[] = {
        {"dest only: source newer", Touch::Dest, File(newer), plain, F | C},
        {"dest only: sizes differ", Touch::Dest, File(kBase, 200), plain, F | C | S},
        {"dest only: properties differ", Touch::Dest, File(kBase, 100, 1), plain, F | P},
        {"dest only: equal", Touch::Dest, plain, plain, std::nullopt},
        {"dest only: dest newer", Touch::Dest, plain, File(newer), std::nullopt},
        {"both: source newer", Touch::Both, File(newer), plain, F | C},
        {"both: sizes differ", Touch::Both, File(kBase, 200), plain, F | C | S},
        {"both: properties differ", Touch::Both, File(kBase, 100, 1), plain, F | P},
        {"both: equal", Touch::Both, plain, plain, std::nullopt},
        {"both: dest newer", Touch::Both, plain, File(newer), B | C},
        {"both: dest newer by factor 3", Touch::Both, plain, File(newer, 300), B | C | S},
        {"both: within the tolerance", Touch::Both, plain, File(kBase + 2 * kTicksPerSecond), std::nullopt},
        {"both: dest one hour newer (summer time)", Touch::Both, plain, File(kBase + 3600 * kTicksPerSecond), B | C},
        {"source only: source newer", Touch::Source, File(newer), plain, std::nullopt},
        {"source only: sizes differ", Touch::Source, File(kBase, 200), plain, std::nullopt},
        {"source only: properties differ", Touch::Source, File(kBase, 100, 1), plain, std::nullopt},
        {"source only: equal", Touch::Source, plain, plain, std::nullopt},
        {"source only: dest newer", Touch::Source, plain, File(newer), B | C},
    };
    for (const TableCase& c : cases) {
        SCOPED_TRACE(c.name);
        SetTouch(c.touch);
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
    p.DestType = 1;
    EXPECT_EQ(ComparePair(facts), std::nullopt);
    p.DestType = 0;
    p.CompareProperties = false;
    EXPECT_EQ(ComparePair(facts), std::nullopt);
}

struct OrphanCase {
    const char* name;
    Touch touch;
    std::uint8_t mode;
    bool listSkip;
    bool listedInSnapshot;
    Result expected;
};

TEST_F(PairRulesTest, SourceOrphans) {
    const OrphanCase cases[] = {
        {"both 1", Touch::Both, 1, false, false, std::nullopt},
        {"both 1, ListSkip", Touch::Both, 1, true, false, K | C},
        {"both 2", Touch::Both, 2, false, false, D | C},
        {"both 4", Touch::Both, 4, false, false, F | C},
        {"both 5, deleted in the destination", Touch::Both, 5, false, true, D | C},
        {"both 5, new file", Touch::Both, 5, false, false, F | C},
        {"both 6", Touch::Both, 6, false, false, F | C},
        {"source only 1, ListSkip", Touch::Source, 1, true, false, K | C},
        {"source only 2", Touch::Source, 2, false, false, D | C},
        {"source only 4 is not admitted", Touch::Source, 4, false, false, std::nullopt},
        {"dest only 0", Touch::Dest, 0, false, false, F | C},
        {"dest only 1", Touch::Dest, 1, false, false, std::nullopt},
        {"dest only 6", Touch::Dest, 6, false, false, F | C},
    };
    for (const OrphanCase& c : cases) {
        SCOPED_TRACE(c.name);
        SetTouch(c.touch);
        p.OrphanModeB = p.OrphanModeS2 = p.OrphanModeD1 = c.mode;
        p.ListSkip = c.listSkip;
        EXPECT_EQ(CompareFromSource(Context(), cPairFacts{File(kBase), {}, c.listedInSnapshot}), c.expected);
    }
}

TEST_F(PairRulesTest, DestOrphans) {
    const OrphanCase cases[] = {
        {"both 2", Touch::Both, 2, false, false, D | C},
        {"both 4", Touch::Both, 4, false, false, B | C},
        {"both 5, deleted in the source", Touch::Both, 5, false, true, D | C},
        {"both 5, new file", Touch::Both, 5, false, false, B | C},
        {"source only 3", Touch::Source, 3, false, false, B | C},
        {"source only 6", Touch::Source, 6, false, false, B | C},
        {"source only 1, ListSkip", Touch::Source, 1, true, false, K | C},
        {"dest only 2", Touch::Dest, 2, false, false, D | C},
        {"dest only 1", Touch::Dest, 1, false, false, std::nullopt},
    };
    for (const OrphanCase& c : cases) {
        SCOPED_TRACE(c.name);
        SetTouch(c.touch);
        p.OrphanModeB = p.OrphanModeS1 = p.OrphanModeD2 = c.mode;
        p.ListSkip = c.listSkip;
        EXPECT_EQ(CompareFromDest(Context(), cPairFacts{{}, File(kBase), c.listedInSnapshot}), c.expected);
    }
}

TEST_F(PairRulesTest, OnlyOrphansListsPairsAsSkipped) {
    p.OrphanModeB = 6;
    const cPairFacts newerSource{File(kBase + 10 * kTicksPerSecond), File(kBase)};
    EXPECT_EQ(ComparePair(newerSource), std::nullopt);
    p.ListSkip = true;
    EXPECT_EQ(ComparePair(newerSource), K | C);
}

TEST_F(PairRulesTest, HiddenFilesNeedTheirAttributeBit) {
    const cPairFacts hiddenOrphan{File(kBase, 100, platform::kAttributeHidden), {}};
    EXPECT_EQ(CompareFromSource(Context(), hiddenOrphan), std::nullopt);
    p.Attributes = 2;
    EXPECT_EQ(CompareFromSource(Context(), hiddenOrphan), F | C);
}

TEST_F(PairRulesTest, AgeFilterOnTheFoundSide) {
    p.AgeMode = 2;
    p.AbsoluteAge = platform::DayNumberFromFileTime(kBase) + 1;
    const cPairFacts oldOrphan{File(kBase), {}};
    EXPECT_EQ(CompareFromSource(Context(), oldOrphan), std::nullopt);
    p.AgeMode = 2 | 4;
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
    SetTouch(Touch::Source);
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
    SetTouch(Touch::Dest);
    EXPECT_EQ(DeleteFromSource(Context(), sourceNewer), std::nullopt);
}

} // namespace
