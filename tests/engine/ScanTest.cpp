// The whole scan on real temporary trees: mask kinds per touch mode, exact names, path shortening, and the
// problems it reports.
#include "engine/Scan.h"

#include "destinations/RemoteTree.h"
#include "engine/ActionFlags.h"
#include "engine/Snapshot.h"
#include "platform/ErrorCodes.h"
#include "profile/Parameters.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include <dirent.h>
#include <sys/stat.h>

namespace {

namespace fs = std::filesystem;
using Actions = std::map<std::string, ActionFlags>; // "directory index:name" -> action

class ScanTest : public ::testing::Test {
protected:
    ScanTest() {
        p.SetTouchMode(eTouchMode::DestOnly);
        p.OrphanModeB = eOrphanMode::ForwardBackward;
        p.OrphanModeD1 = eOrphanMode::Forward;
        p.OrphanModeD2 = eOrphanMode::Skip;
        p.ListSkip = false;
        p.Attributes = AttributeBits();
        p.TimeDifference = 2;
        p.UseUTC = true;
        p.SizesCompare = false;
        p.CompareProperties = false;
        p.DestType = eDestType::Directory;
        p.EnforceBackward = false;
        p.LastRun = 0;
        p.AgeMode = AgeModeValue(eAgeMode::None);
        p.IgnoreDST = false;
        p.ShortenPaths = eShortenPaths::None;
        p.ResolvedDestDirectory = "\\";
        p.SearchDirectories.Add("\\*");
    }

    // Writes a file whose time lies hoursAgo in the past.
    static void Write(const testsupport::TempDir& side, const std::string& relative, int hoursAgo = 1) {
        const fs::path path = side.WriteFile(relative, "inhalt");
        fs::last_write_time(path, fs::file_time_type::clock::now() - std::chrono::hours(hoursAgo));
    }

    int Scan() {
        result = cScanResult{};
        search = ExpandedTexts(p.SearchDirectories, p.DateOffset);
        exclude = ExpandedTexts(p.ExcludeDirectories, p.DateOffset);
        const cScanContext context{p, source.Path().string(), dest.Path().string(), search, exclude, {}, snapshot};
        return ScanTrees(context, result);
    }
    std::vector<std::string> search;
    std::vector<std::string> exclude;
    Actions Found() const {
        Actions actions;
        for (const auto& c : result.Files.Candidates) {
            const std::string key = std::to_string(c->DirIndex) + ":" + c->BaseName + c->Extension;
            EXPECT_FALSE(actions.contains(key)) << "two candidates for " << key;
            actions[key] = c->Action();
        }
        return actions;
    }

    cParameters p;
    testsupport::TempDir source;
    testsupport::TempDir dest;
    cScanResult result;
    const cSnapshot* snapshot = nullptr;
};

TEST_F(ScanTest, CompareAndExcludeMasksMakeOneCandidatePerFile) {
    p.CompareFiles.Add("*.doc");
    p.CompareFiles.Add("Brief*.*");
    p.CompareFiles.Add("*.txt");
    p.ExcludeFiles.Add("*.BAK");
    Write(source, "Brief.doc");
    Write(source, "Notiz.txt");
    Write(source, "alt.bak");
    Write(source, "Bild.png");
    fs::create_directory(source.Path() / "Ordner.doc");
    ASSERT_EQ(Scan(), 0);
    EXPECT_EQ(Found(), (Actions{{"0:Brief.doc", kActionForward}, {"0:Notiz.txt", kActionForward}}));
    const auto& brief = *result.Files.Candidates[0];
    EXPECT_EQ(brief.DestTime, 0);
    EXPECT_NE(brief.SourceTime, 0);
}

TEST_F(ScanTest, MaskKindsByTouchMode) {
    p.CompareFiles.Add("*.*");
    p.EnforceFiles.Add("*.cfg");
    p.DeleteFiles.Add("*.log");
    p.ExcludeFiles.Add("geheim.*");
    Write(source, "a.log");    // delete mask, source only
    Write(source, "x.cfg", 5); // enforce mask, older than the destination's copy
    Write(dest, "x.cfg", 0);
    Write(source, "geheim.log"); // exclude beats delete
    Write(dest, "nur.txt");      // destination orphan
    Write(source, "neu.txt");

    struct Case {
        const char* name;
        eTouchMode touch;
        bool enforceBackward;
        Actions expected;
    };
    const Case cases[] = {
        {"destination only", eTouchMode::DestOnly, false, {{"0:neu.txt", kActionForward}, {"0:x.cfg", kActionForward}}},
        {"destination, enforce backward",
         eTouchMode::DestOnly,
         true,
         {{"0:neu.txt", kActionForward}, {"0:x.cfg", kActionForward}}},
        {"both sides",
         eTouchMode::Both,
         false,
         {{"0:neu.txt", kActionForward},
          {"0:nur.txt", kActionBackward},
          {"0:x.cfg", kActionForward},
          {"0:a.log", kActionDelete}}},
    };
    for (const Case& c : cases) {
        p.SetTouchMode(c.touch);
        p.EnforceBackward = c.enforceBackward;
        ASSERT_EQ(Scan(), 0) << c.name;
        EXPECT_EQ(Found(), c.expected) << c.name;
    }

    Write(dest, "weg.cfg"); // enforce backward deletes what the source lacks
    p.SetTouchMode(eTouchMode::DestOnly);
    p.EnforceBackward = true;
    ASSERT_EQ(Scan(), 0);
    EXPECT_EQ(Found().at("0:weg.cfg"), kActionDelete);
}

TEST_F(ScanTest, NamesDifferingInCaseAreDifferentFiles) {
    p.CompareFiles.Add("*.*");
    p.SetTouchMode(eTouchMode::Both);
    Write(source, "Brief.doc");
    Write(dest, "brief.doc");
    ASSERT_EQ(Scan(), 0);
    EXPECT_EQ(Found(), (Actions{{"0:Brief.doc", kActionForward}, {"0:brief.doc", kActionBackward}}));
}

TEST_F(ScanTest, OrphansAreLookedUpInTheSnapshotOfTheirDirectory) {
    p.CompareFiles.Add("*.*");
    p.SetTouchMode(eTouchMode::Both);
    p.OrphanModeB =
        eOrphanMode::LookInSnapshot; // by snapshot: delete what the other side had at the last run, else copy
    Write(dest, "Sub/geloescht.txt");
    Write(dest, "Sub/neu.txt");
    Write(source, "Sub/quelle.txt");
    cSnapshot last;
    last.AddPair({"\\", {"geloescht.txt"}}, {"\\", {"quelle.txt"}}); // same names, other directory
    last.AddPair({"\\Sub\\", {"geloescht.txt", "Neu.txt"}}, {"\\Sub\\", {}});
    snapshot = &last;
    ASSERT_EQ(Scan(), 0);
    EXPECT_EQ(Found(), (Actions{{"1:geloescht.txt", kActionDelete},
                                {"1:neu.txt", kActionBackward},
                                {"1:quelle.txt", kActionForward}}));
}

TEST_F(ScanTest, DirectoryPairsFollowTheShortenedPaths) {
    p.CompareFiles.Add("*.*");
    p.SearchDirectories.Clear();
    p.SearchDirectories.Add("\\Daten\\Projekte\\*");
    p.ResolvedDestDirectory = "\\Ziel\\";
    p.PathOffset = "\\Daten";
    Write(source, "Daten/Projekte/X/a.txt");
    struct Case {
        eShortenPaths shortenPaths;
        std::string cutPath;
        std::vector<std::string> destDirs;
    };
    const Case cases[] = {
        {eShortenPaths::None, "", {"\\Ziel\\Daten\\Projekte\\", "\\Ziel\\Daten\\Projekte\\X\\"}},
        {eShortenPaths::Automatic, "\\Daten\\Projekte", {"\\Ziel\\", "\\Ziel\\X\\"}},
        {eShortenPaths::ByPathOffset, "\\Daten", {"\\Ziel\\Projekte\\", "\\Ziel\\Projekte\\X\\"}},
    };
    for (const Case& c : cases) {
        p.ShortenPaths = c.shortenPaths;
        ASSERT_EQ(Scan(), 0) << static_cast<int>(c.shortenPaths);
        EXPECT_EQ(result.CutPath, c.cutPath);
        EXPECT_EQ(result.SourceDirList, (std::vector<std::string>{"\\Daten\\Projekte\\", "\\Daten\\Projekte\\X\\"}));
        EXPECT_EQ(result.DestDirList, c.destDirs);
        EXPECT_EQ(Found(), (Actions{{"1:a.txt", kActionForward}})) << static_cast<int>(c.shortenPaths);
    }
}

TEST_F(ScanTest, UnrepresentableNamesAreReportedAndLeftOut) {
    p.CompareFiles.Add("*.*");
    Write(source, "gut.txt");
    Write(source, "zeile\nbruch.txt");
    Write(source, "rück\\strich.txt");
    ASSERT_EQ(Scan(), 0);
    EXPECT_EQ(Found(), (Actions{{"0:gut.txt", kActionForward}}));
    ASSERT_EQ(result.Files.Problems.size(), 2u);
    for (const cScanProblem& problem : result.Files.Problems)
        EXPECT_EQ(problem.Code, platform::kInvalidName);
}

TEST_F(ScanTest, AnUnreadableDirectoryContributesNothingAndIsReported) {
    p.CompareFiles.Add("*.*");
    Write(source, "zu/a.txt");
    const fs::path locked = source.Path() / "zu";
    fs::permissions(locked, fs::perms::none);
    // Root reads it anyway: the outcome is checked against what this process can really do.
    DIR* probe = opendir(locked.c_str());
    const bool readable = probe != nullptr;
    if (probe) closedir(probe);
    const int rc = Scan();
    fs::permissions(locked, fs::perms::owner_all);
    ASSERT_EQ(rc, 0);
    EXPECT_EQ(result.SourceDirList, (std::vector<std::string>{"\\", "\\zu\\"}));
    if (readable) {
        EXPECT_EQ(Found(), (Actions{{"1:a.txt", kActionForward}}));
        EXPECT_TRUE(result.Files.Problems.empty());
    } else {
        EXPECT_TRUE(Found().empty());
        ASSERT_EQ(result.Files.Problems.size(), 1u);
        EXPECT_EQ(result.Files.Problems[0].Code, platform::kAccessDenied);
    }
}

// A remote tree whose listing of one directory fails.
class FailingTree : public cListedTree {
public:
    using cListedTree::cListedTree;
    int List(const std::string& directory, cRemoteDirectory& listing) override {
        return directory == failing ? platform::kAccessDenied : cListedTree::List(directory, listing);
    }
    std::string failing;
};

platform::FileInfo RemoteFile(std::string name, platform::FileTime time, std::int64_t size = 6) {
    platform::FileInfo file;
    file.name = std::move(name);
    file.size = size;
    file.lastWrite = time;
    return file;
}

// A zip archive or FTP server is scanned through its tree: the destination directory on disk is never looked
// at, names that could lead elsewhere are refused, and a directory whose listing failed makes no candidates.
TEST_F(ScanTest, ARemoteDestinationIsListedThroughItsTree) {
    p.CompareFiles.Add("*.*");
    p.SetTouchMode(eTouchMode::Both);
    p.ResolvedDestDirectory = "\\Sicherung\\";
    Write(source, "gleich.txt", 3);
    Write(source, "neu.txt");
    Write(source, "Briefe/alt.txt");
    Write(source, "Kaputt/hier.txt");
    Write(dest, "Sicherung/auf-der-platte.txt"); // not part of the archive: never seen

    FailingTree tree("/srv/archiv.zip:");
    platform::FileInfo same;
    ASSERT_EQ(platform::GetFileInfo((source.Path() / "gleich.txt").string(), same), 0);
    const platform::FileTime now = same.lastWrite + 3 * 36'000'000'000LL;
    tree.AddFile("\\Sicherung\\", RemoteFile("gleich.txt", same.lastWrite));
    tree.AddFile("\\Sicherung\\", RemoteFile("nur-im-archiv.txt", now));
    tree.AddFile("\\Sicherung\\", RemoteFile("..", now));
    tree.AddFile("\\Sicherung\\", RemoteFile("a/b.txt", now));
    tree.AddFile("\\Sicherung\\Briefe\\Tief\\", RemoteFile("unten.txt", now));
    tree.AddFile("\\Sicherung\\Kaputt\\", RemoteFile("dort.txt", now));
    tree.failing = "\\Sicherung\\Kaputt\\";

    result = cScanResult{};
    search = ExpandedTexts(p.SearchDirectories, p.DateOffset);
    cScanContext context{p, source.Path().string(), dest.Path().string(), search, exclude, {}, snapshot};
    context.DestTree = &tree;
    ASSERT_EQ(ScanTrees(context, result), 0);

    EXPECT_EQ(result.DestDirList, (std::vector<std::string>{"\\Sicherung\\", "\\Sicherung\\Briefe\\",
                                                            "\\Sicherung\\Briefe\\Tief\\",
                                                            "\\Sicherung\\Kaputt\\"}));
    EXPECT_EQ(Found(), (Actions{{"0:neu.txt", kActionForward},
                                {"0:nur-im-archiv.txt", kActionBackward},
                                {"1:alt.txt", kActionForward},
                                {"2:unten.txt", kActionBackward}}));
    std::vector<std::string> problems;
    for (const cScanProblem& problem : result.Files.Problems)
        problems.push_back(problem.Path + " " + std::to_string(problem.Code));
    EXPECT_EQ(problems, (std::vector<std::string>{"/srv/archiv.zip:/Sicherung/.. 123", "/srv/archiv.zip:/Sicherung/a/b.txt 123",
                                                  "/srv/archiv.zip:/Sicherung/Kaputt/ 5"}));
}

} // namespace
