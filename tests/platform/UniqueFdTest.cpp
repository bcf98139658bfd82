#include "platform/UniqueFd.h"

#include <cerrno>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>
#include <utility>

namespace {

bool IsOpen(int fd) {
    return ::fcntl(fd, F_GETFD) != -1;
}

int OpenDevNull() {
    return ::open("/dev/null", O_RDONLY | O_CLOEXEC);
}

// A descriptor closed twice would close whatever took its number in between: the moved-from holders, which
// outlive the reuse here, must not.
TEST(UniqueFd, MovingLeavesTheSourceEmptyAndClosesOnce) {
    int number = -1;
    int reused = -1;
    {
        platform::UniqueFd first(OpenDevNull());
        ASSERT_TRUE(first);
        number = first.get();
        platform::UniqueFd second(std::move(first));
        EXPECT_FALSE(first);
        EXPECT_EQ(second.get(), number);

        platform::UniqueFd third(OpenDevNull());
        const int replaced = third.get();
        third = std::move(second);
        EXPECT_FALSE(second);
        EXPECT_EQ(third.get(), number);
        EXPECT_FALSE(IsOpen(replaced)) << "the descriptor a move assignment replaces is closed";

        third.reset();
        EXPECT_FALSE(IsOpen(number));
        reused = OpenDevNull(); // the lowest free number: the one just closed
    }
    if (reused != number) {
        ::close(reused);
        GTEST_SKIP() << "the number was not reused";
    }
    EXPECT_TRUE(IsOpen(reused));
    ::close(reused);
}

// reset(::open(...)) followed by a look at errno must see the open's errno, not the close's (here a close that
// fails, as it sets errno).
TEST(UniqueFd, ResetKeepsErrno) {
    const int closedAlready = OpenDevNull();
    ASSERT_GE(closedAlready, 0);
    ::close(closedAlready);
    platform::UniqueFd held(closedAlready);
    held.reset(::open("/nonexistent/tolvan", O_RDONLY));
    EXPECT_EQ(errno, ENOENT);
    EXPECT_FALSE(held);
}

} // namespace
