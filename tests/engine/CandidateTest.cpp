// Building candidates: sort keys by action, display values of the time stamps, invalid stamps forced to skip.
#include "engine/Candidate.h"

#include "platform/FileTime.h"

#include <gtest/gtest.h>

namespace {

using platform::JoinFileTime;

const cSideRecord kSource{32, JoinFileTime(2026, 12, 9, 14, 0), 1000};
const cSideRecord kDest{32, JoinFileTime(2025, 1, 2, 8, 30), 40};
const cSideRecord kMissing{};

TEST(CandidateTest, SortKeysComeFromTheSideTheActionConcerns) {
    struct Case {
        const char* name;
        ActionFlags flags;
        cSideRecord source;
        cSideRecord dest;
        const cSideRecord* expected; // nullptr: both keys stay 0
    };
    const Case cases[] = {
        {"forward", kActionForward | kFlagCopyContent, kSource, kDest, &kSource},
        {"backward", kActionBackward | kFlagCopyContent, kSource, kDest, &kDest},
        {"skip with source", kActionSkip, kSource, kDest, &kSource},
        {"delete with source", kActionDelete, kSource, kDest, &kSource},
        {"delete, destination only", kActionDelete, kMissing, kDest, &kDest},
        {"skip, destination only", kActionSkip, kMissing, kDest, &kDest},
        {"no action bit", kFlagSizeDiffers, kSource, kDest, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const cCreatedCandidate created = CreateCandidate(7, c.flags, c.source, c.dest, "Brief", ".doc");
        ASSERT_TRUE(created.Candidate);
        const cCandidate& cand = *created.Candidate;
        EXPECT_EQ(cand.Kind, kKindCandidate);
        EXPECT_EQ(cand.DirIndex, 7);
        EXPECT_EQ(cand.BaseName, "Brief");
        EXPECT_EQ(cand.Extension, ".doc");
        EXPECT_EQ(cand.Source(), c.source);
        EXPECT_EQ(cand.Dest(), c.dest);
        EXPECT_EQ(cand.Flags, c.flags);
        EXPECT_EQ(cand.SortSize, c.expected ? c.expected->Size : 0);
        EXPECT_EQ(cand.SortTime, c.expected ? c.expected->Time : 0);
        EXPECT_FALSE(created.Corrected());
    }
}

TEST(CandidateTest, DisplayValuesCountDaysFrom1899) {
    const cSideRecord noon1970{0, JoinFileTime(1970, 1, 1, 12), 1};
    const cSideRecord evening1899{0, JoinFileTime(1899, 12, 29, 18), 1};
    const cCreatedCandidate a = CreateCandidate(0, kActionForward, noon1970, kMissing, "a", "");
    EXPECT_DOUBLE_EQ(a.Candidate->SourceDateTime, 25569.5);
    // A missing file shows as 1 January 1601.
    EXPECT_DOUBLE_EQ(a.Candidate->DestDateTime, -109205.0);
    // Before 30 December 1899 the time of day is taken away from the (negative) day.
    const cCreatedCandidate b = CreateCandidate(0, kActionForward, evening1899, kMissing, "b", "");
    EXPECT_DOUBLE_EQ(b.Candidate->SourceDateTime, -1.75);
    EXPECT_FALSE(a.Corrected());
    EXPECT_FALSE(b.Corrected());
}

TEST(CandidateTest, InvalidStampsAreCorrectedAndForceSkip) {
    const platform::FileTime beyond9999 = JoinFileTime(10000, 3, 5, 14, 30, 15, 250);
    const platform::FileTime last9999 = JoinFileTime(9999, 12, 31, 23, 59, 59, 999);
    struct Case {
        const char* name;
        ActionFlags flags;
        platform::FileTime sourceTime;
        platform::FileTime destTime;
        bool sourceCorrected;
        bool destCorrected;
        const char* text; // of the corrected side (source first)
        ActionFlags expectedFlags;
    };
    const Case cases[] = {
        {"source beyond 9999, forward", kActionForward | kFlagCopyContent, beyond9999, 0, true, false,
         "05.03.1980 14:30:15", kActionSkip | kFlagCopyContent},
        {"destination without calendar fields, delete", kActionDelete | kFlagSizeDiffers, kSource.Time, -1, false, true,
         "01.01.1980 00:00:00", kActionSkip | kFlagSizeDiffers},
        {"both sides, backward", kActionBackward | kFlagDoubleModified, beyond9999, beyond9999, true, true,
         "05.03.1980 14:30:15", kActionSkip | kFlagDoubleModified},
        {"last moment of 9999 is valid", kActionForward, last9999, kDest.Time, false, false, "", kActionForward},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const cSideRecord source{0, c.sourceTime, 10};
        const cSideRecord dest{0, c.destTime, 20};
        const cCreatedCandidate created = CreateCandidate(0, c.flags, source, dest, "x", ".txt");
        EXPECT_EQ(created.SourceCorrection.has_value(), c.sourceCorrected);
        EXPECT_EQ(created.DestCorrection.has_value(), c.destCorrected);
        EXPECT_EQ(created.Candidate->Flags, c.expectedFlags);
        // The records keep the stamps as found; only the display values change.
        EXPECT_EQ(created.Candidate->SourceTime, c.sourceTime);
        EXPECT_EQ(created.Candidate->DestTime, c.destTime);
        const std::optional<cStampCorrection>& correction =
            created.SourceCorrection ? created.SourceCorrection : created.DestCorrection;
        if (!correction) continue;
        EXPECT_EQ(correction->Text, c.text);
        EXPECT_EQ(correction->Corrected.year, 1980);
    }
}

TEST(CandidateTest, CorrectionKeepsTheValidFieldsAndReportsTheOriginal) {
    const cSideRecord source{0, JoinFileTime(12000, 2, 29, 23, 59, 58, 7), 1};
    const cCreatedCandidate created = CreateCandidate(0, kActionForward, source, kMissing, "x", "");
    ASSERT_TRUE(created.SourceCorrection);
    const cStampCorrection& fix = *created.SourceCorrection;
    EXPECT_EQ(fix.Original.year, 12000);
    EXPECT_EQ(fix.Original.month, 2);
    EXPECT_EQ(fix.Original.day, 29);
    EXPECT_EQ(fix.Corrected.year, 1980);
    EXPECT_EQ(fix.Corrected.month, 2);
    EXPECT_EQ(fix.Corrected.day, 29); // 1980 is a leap year
    EXPECT_EQ(fix.Corrected.millisecond, 7);
    const std::optional<double> expected = EncodeDateTimeValue(fix.Corrected);
    ASSERT_TRUE(expected);
    EXPECT_DOUBLE_EQ(created.Candidate->SourceDateTime, *expected);
    EXPECT_EQ(fix.Text, "29.02.1980 23:59:58");
}

TEST(CandidateTest, EncodeDateTimeValueRejectsFieldsOutOfRange) {
    EXPECT_FALSE(EncodeDateTimeValue({0, 1, 1, 0, 0, 0, 0, 0}));
    EXPECT_FALSE(EncodeDateTimeValue({10000, 1, 1, 0, 0, 0, 0, 0}));
    EXPECT_FALSE(EncodeDateTimeValue({2023, 2, 29, 0, 0, 0, 0, 0}));
    EXPECT_FALSE(EncodeDateTimeValue({2024, 1, 1, 24, 0, 0, 0, 0}));
    EXPECT_FALSE(EncodeDateTimeValue({2024, 1, 1, 0, 0, 0, 1000, 0}));
    EXPECT_TRUE(EncodeDateTimeValue({1, 1, 1, 0, 0, 0, 0, 0}));
    EXPECT_TRUE(EncodeDateTimeValue({2024, 2, 29, 23, 59, 59, 999, 0}));
}

} // namespace
