#include "engine/Snapshot.h"

#include "platform/ErrorCodes.h"
#include "profile/Parameters.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>
#include <string>

namespace {

// Source \Projekte\ and \Projekte\A\ into the destination \Sicherung\: twelve lines.
const std::string kExampleBytes = "2\r\n"
                                  "\\Projekte\\\r\n"
                                  "1\r\n"
                                  "Plan.txt\r\n"
                                  "\\Sicherung\\Projekte\\\r\n"
                                  "2\r\n"
                                  "Plan.txt\r\n"
                                  "Alt.txt\r\n"
                                  "\\Projekte\\A\\\r\n"
                                  "0\r\n"
                                  "\\Sicherung\\Projekte\\A\\\r\n"
                                  "0\r\n";

cSnapshot ExampleSnapshot() {
    cSnapshot snapshot;
    snapshot.AddPair({"\\Projekte\\", {"Plan.txt"}}, {"\\Sicherung\\Projekte\\", {"Plan.txt", "Alt.txt"}});
    snapshot.AddPair({"\\Projekte\\A\\", {}}, {"\\Sicherung\\Projekte\\A\\", {}});
    return snapshot;
}

void ExpectEmpty(const cSnapshot& snapshot) {
    EXPECT_TRUE(snapshot.SourceItems().empty());
    EXPECT_TRUE(snapshot.DestItems().empty());
    EXPECT_FALSE(snapshot.InDestSnapshot("\\Sicherung\\Projekte\\", "Plan.txt"));
}

TEST(Snapshot, WritesTheExampleByteExactlyAndReadsItBack) {
    testsupport::TempDir dir;
    std::string path = (dir.Path() / "Daten.tvp.lst").string();
    ASSERT_EQ(ExampleSnapshot().Write(path), 0);
    EXPECT_EQ(dir.ReadFile("Daten.tvp.lst"), kExampleBytes);

    cSnapshot read;
    ASSERT_EQ(read.Read(path), 0);
    ASSERT_EQ(read.SourceItems().size(), 2u);
    ASSERT_EQ(read.DestItems().size(), 2u);
    EXPECT_EQ(read.SourceItems()[0].Directory, "\\Projekte\\");
    EXPECT_EQ(read.SourceItems()[0].Names, (std::vector<std::string>{"Plan.txt"}));
    EXPECT_EQ(read.DestItems()[0].Names, (std::vector<std::string>{"Plan.txt", "Alt.txt"}));
    EXPECT_EQ(read.DestItems()[1].Directory, "\\Sicherung\\Projekte\\A\\");
    EXPECT_TRUE(read.DestItems()[1].Names.empty());

    std::string again = (dir.Path() / "again.lst").string();
    ASSERT_EQ(read.Write(again), 0);
    EXPECT_EQ(dir.ReadFile("again.lst"), kExampleBytes);
}

TEST(Snapshot, NamesTravelAsWindows1252AndLfIsAccepted) {
    testsupport::TempDir dir;
    std::string path = (dir.Path() / "p.lst").string();
    cSnapshot snapshot;
    snapshot.AddPair({"\\Bücher\\", {"Übersicht.txt"}}, {"\\Ziel\\", {}});
    ASSERT_EQ(snapshot.Write(path), 0);
    EXPECT_EQ(dir.ReadFile("p.lst"), "1\r\n\\B\xFC"
                                     "cher\\\r\n1\r\n\xDC"
                                     "bersicht.txt\r\n\\Ziel\\\r\n0\r\n");

    cSnapshot read;
    ASSERT_EQ(read.Read(dir.WriteFile("lf.lst", "1\n\\B\xFC"
                                                "cher\\\n1\n\xDC"
                                                "bersicht.txt\n\\Ziel\\\n0\n")
                            .string()),
              0);
    EXPECT_TRUE(read.InSourceSnapshot("\\Bücher\\", "Übersicht.txt"));
}

TEST(Snapshot, LookupsAreExactPerSideAndTheFirstItemOfADirectoryAnswers) {
    cSnapshot snapshot = ExampleSnapshot();
    snapshot.AddPair({"\\Projekte\\", {"Spät.txt"}}, {"\\Sicherung\\Projekte\\", {"Spät.txt"}});

    EXPECT_TRUE(snapshot.InDestSnapshot("\\Sicherung\\Projekte\\", "Alt.txt"));
    EXPECT_TRUE(snapshot.InSourceSnapshot("\\Projekte\\", "Plan.txt"));
    // Each side answers only for its own items.
    EXPECT_FALSE(snapshot.InSourceSnapshot("\\Projekte\\", "Alt.txt"));
    EXPECT_FALSE(snapshot.InSourceSnapshot("\\Sicherung\\Projekte\\", "Alt.txt"));
    // Names on disk differ by case: two names, not one.
    EXPECT_FALSE(snapshot.InDestSnapshot("\\Sicherung\\Projekte\\", "alt.txt"));
    EXPECT_FALSE(snapshot.InDestSnapshot("\\sicherung\\projekte\\", "Alt.txt"));
    // The name must be directly in that directory.
    EXPECT_FALSE(snapshot.InDestSnapshot("\\Sicherung\\Projekte\\A\\", "Plan.txt"));
    EXPECT_FALSE(snapshot.InDestSnapshot("\\Sicherung\\", "Plan.txt"));
    // A repeated directory is kept as an item, but the first one answers.
    EXPECT_EQ(snapshot.DestItems().size(), 3u);
    EXPECT_FALSE(snapshot.InDestSnapshot("\\Sicherung\\Projekte\\", "Spät.txt"));

    snapshot.Clear();
    ExpectEmpty(snapshot);
}

TEST(Snapshot, EmptyNameLinesAreSkippedWithinTheirCount) {
    testsupport::TempDir dir;
    cSnapshot snapshot;
    ASSERT_EQ(snapshot.Read(dir.WriteFile("p.lst", "1\r\n\\Q\\\r\n2\r\n\r\nA\r\n\\Z\\\r\n0\r\n\r\n").string()), 0);
    EXPECT_EQ(snapshot.SourceItems()[0].Names, (std::vector<std::string>{"A"}));
}

// A damaged file must never decide a deletion: it reads as an empty snapshot with 2002, so every orphan
// counts as new.
TEST(Snapshot, DamagedFilesGive2002AndAnEmptySnapshot) {
    struct Case {
        const char* what;
        std::string bytes;
    };
    const Case cases[] = {
        {"empty file", ""},
        {"garbage", "Hallo Welt\r\n\x01\x02\x03\r\n"},
        {"pair count no number", "zwei\r\n\\P\\\r\n0\r\n\\Z\\\r\n0\r\n"},
        {"name count no number", "1\r\n\\P\\\r\nx\r\n\\Z\\\r\n0\r\n"},
        {"negative count", "1\r\n\\P\\\r\n-1\r\n\\Z\\\r\n0\r\n"},
        {"count too small: a name read as directory", "1\r\n\\P\\\r\n1\r\nA\r\nB\r\n\\Z\\\r\n0\r\n"},
        {"count too large: the next directory read as name", "2\r\n\\P\\\r\n1\r\n\\Z\\\r\n0\r\n"},
        {"lines left after the last block", "1\r\n\\P\\\r\n0\r\n\\Z\\\r\n0\r\nA\r\n"},
        {"ends inside a block", "2\r\n\\P\\\r\n1\r\nA\r\n\\Z\\\r\n1\r\nA\r\n\\P\\B\\\r\n"},
        {"ends after the count", "1\r\n"},
        {"pair count 2147483647", "2147483647\r\n\\P\\\r\n0\r\n\\Z\\\r\n0\r\n"},
        {"name count 2147483647", "1\r\n\\P\\\r\n2147483647\r\nA\r\n"},
        {"count beyond 32 bits", "4294967297\r\n\\P\\\r\n0\r\n\\Z\\\r\n0\r\n"},
        {"directory without backslashes", "1\r\nP\r\n0\r\n\\Z\\\r\n0\r\n"},
        {"line longer than the reader takes", "1\r\n\\" + std::string(2u << 20, 'x') + "\\\r\n0\r\n\\Z\\\r\n0\r\n"},
    };
    testsupport::TempDir dir;
    for (const Case& c : cases) {
        cSnapshot snapshot = ExampleSnapshot();
        EXPECT_EQ(snapshot.Read(dir.WriteFile("p.lst", c.bytes).string()), platform::kBadFormat) << c.what;
        ExpectEmpty(snapshot);
    }
}

TEST(Snapshot, FileThatCannotBeReadGivesItsCodeAndAnEmptySnapshot) {
    testsupport::TempDir dir;
    cSnapshot snapshot = ExampleSnapshot();
    EXPECT_EQ(snapshot.Read((dir.Path() / "fehlt.lst").string()), platform::kFileNotFound);
    ExpectEmpty(snapshot);

    std::filesystem::create_directory(dir.Path() / "ordner.lst");
    snapshot = ExampleSnapshot();
    EXPECT_EQ(snapshot.Read((dir.Path() / "ordner.lst").string()), platform::kBadFormat);
    ExpectEmpty(snapshot);
}

TEST(Snapshot, UntitledProfileHasNoSnapshot) {
    EXPECT_EQ(SnapshotFileName("/home/anna/Daten.tvp"), "/home/anna/Daten.tvp.lst");

    cSnapshot snapshot = ExampleSnapshot();
    EXPECT_EQ(WriteSnapshot(snapshot, kUntitledProfile), platform::kNoSnapshotUntitled);
    EXPECT_FALSE(std::filesystem::exists(SnapshotFileName(kUntitledProfile)));
    EXPECT_EQ(ReadSnapshot(snapshot, kUntitledProfile), platform::kNoSnapshotUntitled);
    ExpectEmpty(snapshot);

    testsupport::TempDir dir;
    std::string profile = (dir.Path() / "Daten.tvp").string();
    ASSERT_EQ(WriteSnapshot(ExampleSnapshot(), profile), 0);
    EXPECT_EQ(dir.ReadFile("Daten.tvp.lst"), kExampleBytes);
    EXPECT_EQ(ReadSnapshot(snapshot, profile), 0);
    EXPECT_TRUE(snapshot.InDestSnapshot("\\Sicherung\\Projekte\\", "Plan.txt"));
}

// A name with a line break would come back as another name (or shift every later line), and could then make
// a different file look deleted: it is left out, and so is a pair whose directory holds one.
TEST(Snapshot, NamesAndDirectoriesWithLineBreaksAreLeftOut) {
    testsupport::TempDir dir;
    std::string path = (dir.Path() / "p.lst").string();
    cSnapshot snapshot;
    snapshot.AddPair({"\\P\\", {"a\nb", "c"}}, {"\\Z\\", {"a\rb", "d"}});
    snapshot.AddPair({"\\P\\x\ny\\", {"e"}}, {"\\Z\\x\ny\\", {"e"}});
    snapshot.AddPair({"\\P\\B\\", {"f"}}, {"\\Z\\B\\x\ry\\", {"f"}});
    ASSERT_EQ(snapshot.Write(path), 0);
    EXPECT_EQ(dir.ReadFile("p.lst"), "1\r\n\\P\\\r\n1\r\nc\r\n\\Z\\\r\n1\r\nd\r\n");

    cSnapshot read;
    ASSERT_EQ(read.Read(path), 0);
    EXPECT_FALSE(read.InSourceSnapshot("\\P\\", "a b"));
    EXPECT_FALSE(read.InDestSnapshot("\\Z\\", "a b"));
    EXPECT_FALSE(read.InSourceSnapshot("\\P\\B\\", "f"));
}

TEST(Snapshot, WriteFailureGivesItsCodeAndLosesNothing) {
    testsupport::TempDir dir;
    auto blocker = dir.WriteFile("datei", "x");
    EXPECT_NE(ExampleSnapshot().Write((blocker / "p.lst").string()), 0);

    // A directory in the snapshot's place cannot be replaced, also not by root: an error, and it stays as it was.
    dir.WriteFile("p.lst/inhalt", "y");
    EXPECT_NE(ExampleSnapshot().Write((dir.Path() / "p.lst").string()), 0);
    EXPECT_EQ(dir.ReadFile("p.lst/inhalt"), "y");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 2);
}

// 100 000 names in 1000 directory pairs: appending, reading and every lookup go through hash indexes, so this
// stays linear in the number of names.
TEST(Snapshot, LargeSnapshotIsReadAndLookedUp) {
    constexpr int kDirectories = 1000;
    constexpr int kFiles = 100;
    cSnapshot snapshot;
    for (int d = 0; d < kDirectories; ++d) {
        cSnapItem source{"\\Q\\D" + std::to_string(d) + "\\", {}};
        cSnapItem dest{"\\Z\\D" + std::to_string(d) + "\\", {}};
        for (int f = 0; f < kFiles; ++f) {
            source.Names.push_back("s" + std::to_string(f) + ".txt");
            dest.Names.push_back("z" + std::to_string(f) + ".txt");
        }
        snapshot.AddPair(std::move(source), std::move(dest));
    }
    testsupport::TempDir dir;
    std::string path = (dir.Path() / "gross.lst").string();
    ASSERT_EQ(snapshot.Write(path), 0);

    cSnapshot read;
    ASSERT_EQ(read.Read(path), 0);
    ASSERT_EQ(read.DestItems().size(), static_cast<std::size_t>(kDirectories));
    int found = 0;
    for (int d = 0; d < kDirectories; ++d) {
        std::string destDir = "\\Z\\D" + std::to_string(d) + "\\";
        std::string sourceDir = "\\Q\\D" + std::to_string(d) + "\\";
        for (int f = 0; f < kFiles; ++f) {
            found += read.InDestSnapshot(destDir, "z" + std::to_string(f) + ".txt") ? 1 : 0;
            found += read.InSourceSnapshot(sourceDir, "s" + std::to_string(f) + ".txt") ? 1 : 0;
            found += read.InDestSnapshot(destDir, "s" + std::to_string(f) + ".txt") ? 1 : 0;
        }
    }
    EXPECT_EQ(found, 2 * kDirectories * kFiles);
}

} // namespace
