#include "platform/ErrorCodes.h"

#include <cerrno>
#include <gtest/gtest.h>

namespace {

TEST(ErrorCodes, ErrnoMapsToTheProgramsCodes) {
    const struct {
        int err;
        int code;
    } cases[] = {
        {0, 0},       {ENOENT, 2},        {ENOTDIR, 3},       {EMFILE, 4},  {EACCES, 5},
        {EPERM, 5},   {EROFS, 19},        {ENOMEDIUM, 21},    {EBUSY, 32},  {ENOSPC, 112},
        {EDQUOT, 112}, {EILSEQ, 123},     {ELOOP, 161},       {ENAMETOOLONG, 206},
    };
    for (const auto& c : cases) EXPECT_EQ(platform::ErrorFromErrno(c.err), c.code) << "errno " << c.err;
}

TEST(ErrorCodes, ErrnoWithoutCounterpartKeepsTheSystemMessage) {
    int code = platform::ErrorFromErrno(EPROTO);
    EXPECT_EQ(code, platform::kErrnoBase + EPROTO);
    ASSERT_TRUE(platform::SystemMessage(code).has_value());
    EXPECT_FALSE(platform::SystemMessage(code)->empty());
    EXPECT_FALSE(platform::SystemMessage(2).has_value());
}

}  // namespace
