// Side records from file information: the time base chosen by UseUTC, and a present file never reads as missing.
#include "engine/SideRecord.h"

#include "platform/Clock.h"
#include "platform/FileTime.h"

#include <gtest/gtest.h>

namespace {

class SideRecordTest : public ::testing::Test {
protected:
    void SetUp() override { platform::SetTimeZone("Europe/Berlin"); }
    void TearDown() override { platform::SetTimeZone(""); }
};

TEST_F(SideRecordTest, TimeIsLocalUnlessUseUtc) {
    platform::FileInfo info;
    info.attributes = platform::kAttributeHidden | platform::kAttributeReadOnly;
    info.size = 4711;
    info.lastWrite = platform::JoinFileTime(2026, 7, 1, 10); // UTC, summer time in Berlin

    const cSideRecord utc = SideRecordFromFileInfo(info, true);
    EXPECT_EQ(utc, (cSideRecord{info.attributes, info.lastWrite, 4711}));

    const cSideRecord local = SideRecordFromFileInfo(info, false);
    EXPECT_EQ(local.Time, platform::JoinFileTime(2026, 7, 1, 12));
    EXPECT_EQ(local.Attributes, info.attributes);
    EXPECT_EQ(local.Size, 4711);
}

TEST_F(SideRecordTest, PresentFileWithTimeZeroStillExists) {
    platform::FileInfo info;
    info.lastWrite = 0;
    EXPECT_TRUE(SideRecordFromFileInfo(info, true).Exists());
    EXPECT_FALSE(cSideRecord{}.Exists());
}

} // namespace
