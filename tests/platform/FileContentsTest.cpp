#include "platform/FileContents.h"
#include "platform/ErrorCodes.h"
#include "platform/FileCopy.h"
#include "support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

using platform::CompareContents;
using platform::kCopyBlockSize;

std::string Pattern(std::size_t length) {
    std::string bytes(length, '\0');
    for (std::size_t i = 0; i < length; ++i)
        bytes[i] = static_cast<char>((i * 7 + i / 251) & 0xFF);
    return bytes;
}

std::string WithByteChanged(std::string bytes, std::size_t at) {
    bytes[at] = static_cast<char>(bytes[at] ^ 0x01);
    return bytes;
}

struct ContentCase {
    const char* name;
    std::string a;
    std::string b;
    int expected;
};

TEST(CompareContents, ComparesBlockByBlock) {
    const std::string twoBlocks = Pattern(2 * kCopyBlockSize);
    const std::vector<ContentCase> cases = {
        {"equal over several blocks", Pattern(2 * kCopyBlockSize + 5), Pattern(2 * kCopyBlockSize + 5), 0},
        {"both empty", "", "", 0},
        {"one empty", "", "x", platform::kSizesDiffer},
        // The first file ends exactly at a block boundary: its next block is empty, the other's is full.
        {"longer by exactly one block", Pattern(kCopyBlockSize), twoBlocks, platform::kSizesDiffer},
        {"shorter by exactly one block", twoBlocks, Pattern(kCopyBlockSize), platform::kSizesDiffer},
        {"shorter by one byte", twoBlocks, twoBlocks.substr(0, twoBlocks.size() - 1), platform::kSizesDiffer},
        {"byte differs in the second block", twoBlocks, WithByteChanged(twoBlocks, kCopyBlockSize + 99),
         platform::kContentsDiffer},
        {"last byte differs", twoBlocks, WithByteChanged(twoBlocks, twoBlocks.size() - 1), platform::kContentsDiffer},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        testsupport::TempDir dir;
        auto a = dir.WriteFile("a", c.a);
        auto b = dir.WriteFile("b", c.b);
        EXPECT_EQ(CompareContents(a, b, {}), c.expected);
    }
}

TEST(CompareContents, StopsWhenAskedAfterABlock) {
    testsupport::TempDir dir;
    const std::string bytes = Pattern(3 * kCopyBlockSize);
    auto a = dir.WriteFile("a", bytes);
    auto b = dir.WriteFile("b", bytes);
    int asked = 0;
    EXPECT_EQ(CompareContents(a, b, [&] { return ++asked < 2; }), platform::kCancelled);
    EXPECT_EQ(asked, 2);
    asked = 0;
    EXPECT_EQ(CompareContents(a, b, [&] { return ++asked > 0; }), 0);
    EXPECT_EQ(asked, 4) << "three full blocks and the empty end";
}

TEST(CompareContents, ReportsFilesThatCannotBeRead) {
    testsupport::TempDir dir;
    auto file = dir.WriteFile("file", "x");
    auto fifo = dir.Path() / "fifo";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    std::filesystem::create_directory(dir.Path() / "dir");
    EXPECT_EQ(CompareContents(file, dir.Path() / "missing", {}), platform::kFileNotFound);
    EXPECT_EQ(CompareContents(dir.Path() / "missing", file, {}), platform::kFileNotFound);
    EXPECT_EQ(CompareContents(fifo, fifo, {}), platform::kFileNotFound) << "a FIFO is never opened";
    EXPECT_EQ(CompareContents(file, dir.Path() / "dir", {}), platform::kAccessDenied);
}

TEST(CompareContents, SymlinksCompareTheirTargets) {
    testsupport::TempDir dir;
    auto file = dir.WriteFile("file", "file");
    std::filesystem::create_symlink("file", dir.Path() / "link1");
    std::filesystem::create_symlink("file", dir.Path() / "link2");
    std::filesystem::create_symlink("./file", dir.Path() / "other");
    EXPECT_EQ(CompareContents(dir.Path() / "link1", dir.Path() / "link2", {}), 0);
    EXPECT_EQ(CompareContents(dir.Path() / "link1", dir.Path() / "other", {}), platform::kContentsDiffer);
    // Same bytes behind the link, but a link is no copy of a file.
    EXPECT_EQ(CompareContents(dir.Path() / "link1", file, {}), platform::kContentsDiffer);
    EXPECT_EQ(CompareContents(file, dir.Path() / "link1", {}), platform::kContentsDiffer);
}

} // namespace
