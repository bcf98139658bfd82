// Extracting archive entries into a tree as a copy writes a file, the attributes entries carry, and the
// leftovers of a writer that was killed.
#include "platform/ZipExtract.h"

#include "platform/ErrorCodes.h"
#include "platform/TemporaryFiles.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

namespace fs = std::filesystem;
using platform::FileTime;
using platform::ZipArchive;
using platform::ZipEntry;

constexpr FileTime kTime = platform::kUnixEpoch + 1'765'432'101LL * platform::kTicksPerSecond; // an odd second

std::string Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class ZipExtractTest : public ::testing::Test {
protected:
    ZipExtractTest() { fs::create_directories(Root() / "Briefe"); }
    fs::path Root() const { return dir.Path() / "Wurzel"; }
    fs::path ArchivePath() const { return dir.Path() / "a.zip"; }

    // Writes the archive: files (name, content, mode, password) and links (name -> target).
    void Write(const std::vector<std::tuple<std::string, std::string, unsigned, std::string>>& files,
               const std::vector<std::pair<std::string, std::string>>& links = {}) {
        ZipArchive zip;
        ASSERT_EQ(zip.Open(ArchivePath().string(), true), 0);
        int n = 0;
        for (const auto& [name, content, mode, password] : files) {
            const fs::path source = dir.WriteFile("quellen/" + std::to_string(n++), content);
            ASSERT_EQ(zip.AddFile(name, source.string(), kTime, {.level = 6, .password = password, .mode = mode}), 0);
        }
        for (const auto& [name, target] : links)
            ASSERT_EQ(zip.AddSymlink(name, target, kTime), 0);
        ASSERT_EQ(zip.Close(), 0);
    }
    // Opens the archive into zip and returns the entry of that name.
    ZipEntry Entry(ZipArchive& zip, const std::string& name) {
        std::vector<ZipEntry> entries;
        EXPECT_EQ(zip.Open(ArchivePath().string(), false), 0);
        EXPECT_EQ(zip.List(entries), 0);
        for (const ZipEntry& entry : entries)
            if (entry.name == name) return entry;
        ADD_FAILURE() << "no entry " << name;
        return {};
    }
    std::vector<std::string> Names(const fs::path& directory) const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(directory))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    testsupport::TempDir dir;
};

TEST_F(ZipExtractTest, AnEntryReplacesItsFileWholeWithTimeAndMode) {
    Write({{"Briefe/Brief.txt", "neu", 0640, ""}, {"Briefe/fest.txt", "fest", 0444, ""}});
    std::ofstream(Root() / "Briefe/Brief.txt") << "alter Inhalt";
    ZipArchive zip;
    const ZipEntry brief = Entry(zip, "Briefe/Brief.txt");
    EXPECT_FALSE(brief.readOnly);
    EXPECT_EQ(brief.mode, 0640u);
    ASSERT_EQ(platform::ExtractEntryBelow(zip, brief, Root().string(), "\\Briefe\\", "Brief.txt", ""), 0);
    EXPECT_EQ(Read(Root() / "Briefe/Brief.txt"), "neu");
    struct stat st {};
    ASSERT_EQ(::stat((Root() / "Briefe/Brief.txt").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(platform::TimespecFromFileTime(kTime).tv_sec, st.st_mtim.tv_sec);

    const ZipEntry fixed = Entry(zip, "Briefe/fest.txt");
    EXPECT_TRUE(fixed.readOnly);
    ASSERT_EQ(platform::ExtractEntryBelow(zip, fixed, Root().string(), "\\Briefe\\", "fest.txt", ""), 0);
    ASSERT_EQ(::stat((Root() / "Briefe/fest.txt").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0444u);
    EXPECT_EQ(Names(Root() / "Briefe"), (std::vector<std::string>{"Brief.txt", "fest.txt"}));
}

TEST_F(ZipExtractTest, AFailedExtractionLeavesTheOldFileAndNoTemporaryFile) {
    Write({{"Konto.txt", "geheim", 0644, "richtig"}});
    std::ofstream(Root() / "Konto.txt") << "alt";
    ZipArchive zip;
    const ZipEntry entry = Entry(zip, "Konto.txt");
    EXPECT_EQ(platform::ExtractEntryBelow(zip, entry, Root().string(), "\\", "Konto.txt", "falsch"),
              platform::kZipWrongPassword);
    EXPECT_EQ(platform::ExtractEntryBelow(zip, entry, Root().string(), "\\", "Konto.txt", ""),
              platform::kZipWrongPassword);
    EXPECT_EQ(Read(Root() / "Konto.txt"), "alt");
    EXPECT_EQ(Names(Root()), (std::vector<std::string>{"Briefe", "Konto.txt"}));
    EXPECT_EQ(platform::ExtractEntryBelow(zip, entry, Root().string(), "\\", "Konto.txt", "richtig"), 0);
    EXPECT_EQ(Read(Root() / "Konto.txt"), "geheim");
}

TEST_F(ZipExtractTest, AnEntryLargerThanItsDeclaredSizeIsCutOffAndDropped) {
    const std::string script = R"(
import sys, zipfile, struct
with zipfile.ZipFile(sys.argv[1], "w", zipfile.ZIP_DEFLATED) as z:
    z.writestr("bombe.bin", b"\0" * (4 << 20))
data = bytearray(open(sys.argv[1], "rb").read())
at = data.find(b"PK\x01\x02")
struct.pack_into("<I", data, at + 24, 100)  # the directory claims 100 bytes
open(sys.argv[1], "wb").write(bytes(data))
)";
    ASSERT_EQ(std::system(("/usr/bin/python3 -c '" + script + "' '" + ArchivePath().string() + "'").c_str()), 0);
    ZipArchive zip;
    const ZipEntry entry = Entry(zip, "bombe.bin");
    EXPECT_EQ(entry.size, 100u);
    EXPECT_NE(platform::ExtractEntryBelow(zip, entry, Root().string(), "\\", "bombe.bin", ""), 0);
    EXPECT_EQ(Names(Root()), std::vector<std::string>{"Briefe"});
}

TEST_F(ZipExtractTest, LinksBecomeLinksOnlyInsideAndNothingGoesThroughALink) {
    Write({{"Briefe/Brief.txt", "b", 0644, ""}}, {{"Briefe/Verweis", "Brief.txt"},
                                                  {"Briefe/Oben", "../Briefe/Brief.txt"},
                                                  {"Briefe/Raus", "../../x"},
                                                  {"Absolut", "/etc/passwd"}});
    ZipArchive zip;
    EXPECT_EQ(
        platform::ExtractEntryBelow(zip, Entry(zip, "Briefe/Verweis"), Root().string(), "\\Briefe\\", "Verweis", ""),
        0);
    EXPECT_EQ(fs::read_symlink(Root() / "Briefe/Verweis"), "Brief.txt");
    EXPECT_EQ(platform::ExtractEntryBelow(zip, Entry(zip, "Briefe/Oben"), Root().string(), "\\Briefe\\", "Oben", ""),
              0);
    EXPECT_EQ(platform::ExtractEntryBelow(zip, Entry(zip, "Briefe/Raus"), Root().string(), "\\Briefe\\", "Raus", ""),
              platform::kPathLeavesRoot);
    EXPECT_EQ(platform::ExtractEntryBelow(zip, Entry(zip, "Absolut"), Root().string(), "\\", "Absolut", ""),
              platform::kPathLeavesRoot);
    EXPECT_EQ(Names(Root() / "Briefe"), (std::vector<std::string>{"Oben", "Verweis"}));

    // A directory on the way that is a link: nothing is written there.
    fs::create_directories(dir.Path() / "woanders");
    fs::create_symlink(dir.Path() / "woanders", Root() / "Umweg");
    EXPECT_EQ(
        platform::ExtractEntryBelow(zip, Entry(zip, "Briefe/Brief.txt"), Root().string(), "\\Umweg\\", "Brief.txt", ""),
        platform::kLinkInPath);
    EXPECT_TRUE(fs::is_empty(dir.Path() / "woanders"));
}

TEST_F(ZipExtractTest, OnlyTheWritersOwnLeftoversAreRemoved) {
    Write({{"a.txt", "a", 0644, ""}});
    // A killed writer's work copy and the engine's file beside it; a user's files that look alike.
    for (const char* name : {".~tolvan-Ab12Cd", ".~tolvan-Ab12Cd.x1y2z3", ".~tolvan-Zz99Zz.abcdef", "a.zip.Ab12Cd",
                             "a.zip.backup", ".~tolvan-Ab12Cd.toolong", ".~tolvan-Ab12C.x1y2z3"})
        std::ofstream(dir.Path() / name) << "x";
    fs::create_symlink("a.zip", dir.Path() / ".~tolvan-Link01");
    std::vector<std::string> removed;
    platform::RemoveArchiveLeftovers(dir.Path().string(), removed);
    std::sort(removed.begin(), removed.end());
    EXPECT_EQ(removed, (std::vector<std::string>{(dir.Path() / ".~tolvan-Ab12Cd").string(),
                                                 (dir.Path() / ".~tolvan-Ab12Cd.x1y2z3").string(),
                                                 (dir.Path() / ".~tolvan-Zz99Zz.abcdef").string()}));
    for (const char* kept :
         {"a.zip", "a.zip.Ab12Cd", "a.zip.backup", ".~tolvan-Ab12Cd.toolong", ".~tolvan-Ab12C.x1y2z3"})
        EXPECT_TRUE(fs::exists(dir.Path() / kept)) << kept;
    EXPECT_TRUE(fs::is_symlink(dir.Path() / ".~tolvan-Link01"));
}

// The archive is built elsewhere and then moved over the old one; on another file system through a copy
// beside it. Until Close() the old archive is untouched, and nothing of the work is left afterwards.
TEST_F(ZipExtractTest, ChangesAreBuiltInTheirDirectoryAndMovedOverTheArchive) {
    Write({{"alt.txt", "alt", 0644, ""}});
    std::vector<fs::path> builds = {"", dir.Path() / "bau"};
    fs::create_directories(dir.Path() / "bau");
    testsupport::TempDir memory; // /dev/shm when it is another file system
    if (fs::exists("/dev/shm") && fs::space("/dev/shm").capacity > 0) {
        const fs::path shm = fs::path("/dev/shm") / memory.Path().filename();
        fs::create_directories(shm);
        builds.push_back(shm);
    }
    for (const fs::path& build : builds) {
        SCOPED_TRACE(build.string());
        const std::string old = Read(ArchivePath());
        ZipArchive zip;
        ASSERT_EQ(zip.OpenToChange(ArchivePath().string(), build.string()), 0);
        const fs::path source = dir.WriteFile("quellen/neu", "neu " + build.string());
        ASSERT_EQ(zip.AddFile("neu.txt", source.string(), kTime, {}), 0);
        EXPECT_EQ(Read(ArchivePath()), old);
        ASSERT_EQ(zip.Close(), 0);
        ZipArchive reader;
        std::vector<ZipEntry> entries;
        ASSERT_EQ(reader.Open(ArchivePath().string(), false), 0);
        ASSERT_EQ(reader.List(entries), 0);
        EXPECT_EQ(entries.size(), 2u);
        EXPECT_EQ(Names(dir.Path()), (std::vector<std::string>{"Wurzel", "a.zip", "bau", "quellen"}));
        if (!build.empty()) {
            EXPECT_TRUE(fs::is_empty(build));
        }
        // A discarded change leaves the archive and no work copy.
        ASSERT_EQ(zip.OpenToChange(ArchivePath().string(), build.string()), 0);
        ASSERT_EQ(zip.Delete(0), 0);
        zip.Discard();
        EXPECT_EQ(Names(dir.Path()), (std::vector<std::string>{"Wurzel", "a.zip", "bau", "quellen"}));
        if (!build.empty()) {
            EXPECT_TRUE(fs::is_empty(build));
        }
        // The last entries deleted: the archive goes.
        ASSERT_EQ(zip.OpenToChange(ArchivePath().string(), build.string()), 0);
        ASSERT_EQ(zip.Delete(0), 0);
        ASSERT_EQ(zip.Delete(1), 0);
        ASSERT_EQ(zip.Close(), 0);
        EXPECT_FALSE(fs::exists(ArchivePath()));
        EXPECT_EQ(Names(dir.Path()), (std::vector<std::string>{"Wurzel", "bau", "quellen"}));
        // And a new one is created.
        ASSERT_EQ(zip.OpenToChange(ArchivePath().string(), build.string()), 0);
        ASSERT_EQ(zip.AddFile("alt.txt", source.string(), kTime, {}), 0);
        ASSERT_EQ(zip.Close(), 0);
        EXPECT_TRUE(fs::exists(ArchivePath()));
        if (build.string().starts_with("/dev/shm")) fs::remove_all(build);
    }
}

} // namespace
