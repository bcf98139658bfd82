// Whole runs on trees that must not cost the user a file: an emptied side, links planted in a tree, ".." in
// paths, the program's own files inside a tree, one-way profiles and their defaults, a change against a deletion,
// a snapshot that could not be rewritten, and the trash a run fills.
#include "ActionFixture.h"

#include "platform/TemporaryFiles.h"
#include "support/EnvironmentOverride.h"

#include <csignal>
#include <sched.h>
#include <sys/file.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace runtest {
namespace {

constexpr int kEmptySideMessage = 30130;

class RunSafetyTest : public ActionFixture {
protected:
    RunSafetyTest() {
        p.Log.NoNormal = true; // only problems and notes are logged
        p.DoubleWarn = false;
        p.SizesWarn = false;
    }

    std::string SnapshotFile() const { return p.ProfileFile + ".lst"; }
    static std::string ReadFile(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    fs::path Victim() const { return dir.Path() / "Opfer"; }

    static std::string EmptySideLine(const fs::path& side, int files) {
        return "Fehler: " + side.string() + "/ ist leer oder fehlt, aber " + std::to_string(files) +
               " Dateien sollen gelöscht werden.";
    }

    // The files (and links) below root, relative, sorted; directories are left out.
    static std::vector<std::string> Files(const fs::path& root) {
        std::vector<std::string> files;
        if (!fs::exists(fs::symlink_status(root))) return files;
        for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root))
            if (entry.is_symlink() || !entry.is_directory())
                files.push_back(entry.path().lexically_relative(root).string());
        std::sort(files.begin(), files.end());
        return files;
    }

    // Two synchronised trees and the snapshot of the run that made them so.
    void SyncedTwoWay(const std::vector<std::string>& paths) {
        p.OrphanModeB = eOrphanMode::LookInSnapshot;
        std::vector<cTreeFile> files;
        for (const std::string& path : paths) {
            files.push_back({kSrc, path, path, kOlder});
            files.push_back({kDst, path, path, kOlder});
        }
        BuildTrees(files);
        ASSERT_EQ(Run(), kRunSucceeded);
        ASSERT_TRUE(fs::exists(SnapshotFile()));
    }
};

TEST_F(RunSafetyTest, AnEmptiedSideStopsTheRunBeforeAnyDeletion) {
    // Two-way with the snapshot: the destination disk is not mounted, its mount point is an empty directory.
    SyncedTwoWay({"a.txt", "Daten/b.txt"});
    fs::remove_all(Dest());
    fs::create_directories(Dest());
    ui.Answers[kEmptySideMessage] = eAnswer::No; // the preset
    EXPECT_EQ(Run(), kRunFailed);
    EXPECT_EQ(Messages(), std::vector<int>{kEmptySideMessage});
    EXPECT_EQ(LogEvents()[1], EmptySideLine(Dest(), 2));
    EXPECT_EQ(Files(Source()), (std::vector<std::string>{"Daten/b.txt", "a.txt"}));

    // The destination directory itself is gone.
    p.DestDirectory = "\\Sicherung\\";
    SyncedTwoWay({"a.txt"});
    fs::remove_all(Dest() / "Sicherung");
    EXPECT_EQ(Run(), kRunFailed);
    EXPECT_EQ(LogEvents()[1], "Fehler: " + (Dest() / "Sicherung").string() +
                                  "/ ist leer oder fehlt, aber 1 Dateien sollen gelöscht werden.");
    EXPECT_EQ(Files(Source()), std::vector<std::string>{"a.txt"});
}

TEST_F(RunSafetyTest, AnEmptySourceDoesNotEmptyTheMirror) {
    p.SetTouchMode(eTouchMode::DestOnly);
    p.OrphanModeD2 = eOrphanMode::Delete;
    BuildTrees({{kDst, "a.txt", "a", kOlder}, {kDst, "Daten/b.txt", "b", kOlder}});
    ui.Answers[kEmptySideMessage] = eAnswer::No;
    EXPECT_EQ(Run(), kRunFailed);
    EXPECT_EQ(LogEvents(), (Lines{EmptySideLine(Source(), 2), "Abbruch."}));
    EXPECT_EQ(Files(Dest()), (std::vector<std::string>{"Daten/b.txt", "a.txt"}));

    // Something left in the source (even an empty directory) is a partial deletion: no question.
    fs::create_directories(Source() / "Daten");
    EXPECT_EQ(Run(), kRunSucceeded);
    EXPECT_TRUE(Messages().empty());
    EXPECT_TRUE(Files(Dest()).empty());

    // The user who confirms goes on.
    Write(Dest(), "c.txt", "c", kOlder);
    fs::remove_all(Source() / "Daten");
    ui.Answers[kEmptySideMessage] = eAnswer::Yes;
    EXPECT_EQ(Run(), kRunSucceeded);
    EXPECT_TRUE(Files(Dest()).empty());
}

TEST_F(RunSafetyTest, LinksPlantedInATreeAreNeverFollowed) {
    const auto plantVictim = [this] {
        fs::remove_all(Victim());
        Write(Victim(), "wichtig.txt", "wichtig", kOlder);
    };
    struct Case {
        const char* name;
        eTouchMode touch;
        std::vector<cTreeFile> files;
        const char* link; // relative, in the side given by linkInSource
        bool linkInSource;
    };
    const Case cases[] = {
        {"mirror: the destination's directory is a link",
         eTouchMode::DestOnly,
         {{kSrc, "sub/neu.txt", "n", kNewer}},
         "sub",
         false},
        {"mirror: a level above is a link", eTouchMode::DestOnly, {{kSrc, "a/b/neu.txt", "n", kNewer}}, "a", false},
        {"two-way: the source's directory is a link",
         eTouchMode::Both,
         {{kDst, "sub/x.txt", "x", kNewer}, {kDst, "sub/wichtig.txt", "anders", kNewer}},
         "sub",
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        plantVictim();
        BuildTrees(c.files);
        fs::create_directory_symlink(Victim(), (c.linkInSource ? Source() : Dest()) / c.link);
        p.SetTouchMode(c.touch);
        p.OrphanModeD2 = eOrphanMode::Delete;
        p.OrphanModeB = eOrphanMode::Delete; // orphans are deleted: the harshest mode
        EXPECT_EQ(Run(), kRunFailed);
        EXPECT_EQ(Files(Victim()), std::vector<std::string>{"wichtig.txt"});
        EXPECT_EQ(ReadFile(Victim() / "wichtig.txt"), "wichtig");
        EXPECT_TRUE(fs::is_symlink((c.linkInSource ? Source() : Dest()) / c.link));
        EXPECT_NE(LogEvents().at(0).find("Ein Verzeichnis auf dem Weg ist ein symbolischer Link"), std::string::npos)
            << LogEvents().at(0);
    }
}

TEST_F(RunSafetyTest, PathsThatLeaveTheirRootStopTheRun) {
    testsupport::EnvironmentOverride variable("TOLVAN_TEST_ZIEL", "../Opfer");
    struct Case {
        const char* name;
        const char* destDirectory;
        const char* search;
        const char* refused;
    };
    const Case cases[] = {
        {"typed", "\\..\\Opfer\\", "\\*", "\\..\\Opfer\\"},
        {"through a variable", "\\%TOLVAN_TEST_ZIEL%\\", "\\*", "\\../Opfer\\"},
        {"a search entry with \"/\"", "\\", "\\x/../../Opfer\\*", "\\x/../../Opfer\\*"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BuildTrees({{kSrc, "a.txt", "a", kNewer}});
        fs::remove_all(Victim());
        Write(Victim(), "wichtig.txt", "wichtig", kOlder);
        p.SetTouchMode(eTouchMode::DestOnly);
        p.OrphanModeD2 = eOrphanMode::Delete;
        p.DestDirectory = c.destDirectory;
        p.SearchDirectories.Clear();
        p.SearchDirectories.Add(c.search);
        const std::string line =
            std::string("Fehler: Der Pfad \"") + c.refused + "\" führt aus dem Stammverzeichnis heraus.";
        EXPECT_EQ(Run(), kRunFailed);
        EXPECT_EQ(LogEvents(), (Lines{line, "Abbruch."}));
        EXPECT_EQ(Files(Victim()), std::vector<std::string>{"wichtig.txt"});
        EXPECT_TRUE(Files(Dest()).empty());

        // The plan says so too.
        std::string logText;
        cRunOptions options;
        options.PlanOnly = true;
        options.OnLogText = [&logText](const std::string& text) { logText = text; };
        control.Reset();
        EXPECT_EQ(ExecuteRun(p, control, kSingleProfile, 0, options).Result, kRunFailed);
        EXPECT_NE(logText.find(line), std::string::npos);
    }
}

TEST_F(RunSafetyTest, TheProgramsOwnFilesAreNeverCandidates) {
    // A mirror whose destination holds the log and the profile: neither is an orphan to delete.
    p.SetTouchMode(eTouchMode::DestOnly);
    p.OrphanModeD2 = eOrphanMode::Delete;
    p.Log.FileName = (Dest() / "Log.txt").string();
    p.Log.Append = true;
    p.ProfileFile = (Dest() / "Profil.tvp").string();
    BuildTrees({{kSrc, "a.txt", "a", kNewer}, {kDst, "alt.txt", "alt", kOlder}});
    Write(Dest(), "Profil.tvp", "Profil", kOlder);
    Write(Dest(), "Log.txt", "frühere Läufe\r\n", kOlder);
    EXPECT_EQ(Run(), kRunSucceeded);
    EXPECT_EQ(planned, (Plan{{"Quelle/a.txt", kPlanForward}, {"Ziel/alt.txt", kPlanDelete}}));
    EXPECT_EQ(ReadFile(Dest() / "Profil.tvp"), "Profil");
    const std::string log = ReadFile(Dest() / "Log.txt");
    EXPECT_TRUE(log.starts_with("frühere Läufe\r\n")) << log;
    EXPECT_NE(log.find("Zusammenfassung"), std::string::npos);
}

TEST_F(RunSafetyTest, AProfileKeptInItsOwnSourceKeepsItsSnapshotThere) {
    p.OrphanModeB = eOrphanMode::LookInSnapshot;
    p.ProfileFile = (Source() / "Profil.tvp").string();
    BuildTrees({{kSrc, "a.txt", "a", kOlder}, {kDst, "a.txt", "a", kOlder}});
    Write(Source(), "Profil.tvp", "Profil", kOlder);
    Write(Dest(), "Profil.tvp", "Profil", kOlder);
    EXPECT_EQ(Run(), kRunSucceeded);
    EXPECT_EQ(Run(), kRunSucceeded);
    EXPECT_TRUE(planned.empty()) << testing::PrintToString(planned);
    EXPECT_TRUE(fs::exists(Source() / "Profil.tvp.lst"));
    EXPECT_FALSE(fs::exists(Dest() / "Profil.tvp.lst"));
}

TEST_F(RunSafetyTest, AOneWayProfileNeverWritesItsSource) {
    // An enforced file whose destination copy is newer and of very different size: "keep the newer" would copy
    // backward, into the source the profile does not touch.
    p.SetTouchMode(eTouchMode::DestOnly);
    p.EnforceFiles.Add("*.cfg");
    p.SizesCompare = true;
    p.SizesFactor = 2;
    p.SizesDefault = kDefaultKeepNewer;
    BuildTrees({{kSrc, "app.cfg", "quelle", kOlder}, {kDst, "app.cfg", std::string(100, 'z'), kNewer}});
    int plannedBackward = -1;
    int plannedForward = -1;
    ui.OnPreview = [&](cRunState& run) {
        planned = PlanOf(run);
        plannedBackward = run.PlannedBackward;
        plannedForward = run.PlannedForward;
    };
    for (const std::optional<int> chosen : {std::optional<int>{}, std::optional<int>{kDefaultBackward}}) {
        SCOPED_TRACE(chosen ? "the dialog answers backward" : "the default");
        p.SizesWarn = chosen.has_value();
        ui.DialogChoice = chosen;
        Write(Dest(), "app.cfg", std::string(100, 'z'), kNewer);
        EXPECT_EQ(Run(), kRunSucceeded);
        EXPECT_EQ(planned, (Plan{{"Quelle/app.cfg", kPlanForward}}));
        EXPECT_EQ(plannedForward, 1);
        EXPECT_EQ(plannedBackward, 0);
        EXPECT_EQ(ReadFile(Source() / "app.cfg"), "quelle");
        EXPECT_EQ(ReadFile(Dest() / "app.cfg"), "quelle");
    }
}

TEST_F(RunSafetyTest, AChangeIsNeverLostToADeletionOnTheOtherSide) {
    const platform::FileTime afterLastRun = Local(2026, 12, 5);
    struct Case {
        const char* name;
        int doubleDefault;
        Plan expected;
        std::vector<std::string> sourceAfter;
    };
    const Case cases[] = {
        {"no default: the changed files come back",
         kDefaultNone,
         {{"Quelle/Neu/b.txt", kPlanForward},
          {"Ziel/Ordner/b.txt", kPlanBackward},
          {"Ziel/a.txt", kPlanBackward},
          {"Ziel/c.txt", kPlanDelete}},
         {"Neu/b.txt", "Ordner/b.txt", "a.txt"}},
        {"\"source wins\" cannot copy a missing file: skipped, not deleted",
         kDefaultForward,
         {{"Quelle/Neu/b.txt", kPlanForward},
          {"Ziel/Ordner/b.txt", kPlanSkip},
          {"Ziel/a.txt", kPlanSkip},
          {"Ziel/c.txt", kPlanDelete}},
         {"Neu/b.txt"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove(SnapshotFile());
        SyncedTwoWay({"a.txt", "c.txt", "Ordner/b.txt"});
        // Since the last run: a.txt and c.txt deleted in the source, a.txt edited in the destination; the
        // folder renamed in the source while its file was edited in the destination.
        fs::remove(Source() / "a.txt");
        fs::remove(Source() / "c.txt");
        fs::rename(Source() / "Ordner", Source() / "Neu");
        Write(Dest(), "a.txt", "geändert", afterLastRun);
        Write(Dest(), "Ordner/b.txt", "auch geändert", afterLastRun);
        p.DoubleDefault = c.doubleDefault;
        EXPECT_EQ(Run(), kRunSucceeded);
        EXPECT_EQ(planned, c.expected);
        EXPECT_EQ(Files(Source()), c.sourceAfter);
        EXPECT_EQ(ReadFile(Dest() / "a.txt"), "geändert");
    }
}

TEST_F(RunSafetyTest, ASnapshotThatCannotBeRewrittenDoesNotOutliveTheRun) {
    // Enough names that the snapshot is larger than the file-size limit below, while the log fits under it.
    std::vector<std::string> names{"weg.txt"};
    for (int i = 0; i < 150; ++i)
        names.push_back("eine-Datei-mit-einem-recht-langen-Namen-" + std::to_string(i) + ".txt");
    SyncedTwoWay(names);
    fs::remove(Source() / "weg.txt"); // deleted in the source: the run deletes it in the destination

    // The disk is full for the snapshot: the file-size limit lets the log through but not the snapshot.
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{6000, 6000};
        if (setrlimit(RLIMIT_FSIZE, &limit) != 0) _exit(99);
        _exit(Run());
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_NE(WEXITSTATUS(status), 99);
    EXPECT_FALSE(fs::exists(Dest() / "weg.txt"));
    EXPECT_FALSE(fs::exists(SnapshotFile()));
    const Lines events = LogEvents();
    EXPECT_NE(std::find(events.begin(), events.end(),
                        "Der veraltete Schnappschuss \"" + SnapshotFile() + "\" wurde gelöscht."),
              events.end());

    // A new file of the old name is new, not "deleted in the destination".
    Write(Source(), "weg.txt", "neu", kNewer);
    EXPECT_EQ(Run(), kRunSucceeded);
    EXPECT_EQ(planned, (Plan{{"Quelle/weg.txt", kPlanForward}}));
    EXPECT_EQ(ReadFile(Dest() / "weg.txt"), "neu");
}

TEST_F(RunSafetyTest, TheTrashARunFillsIsNeverScanned) {
    // The home trash lies inside the source tree (a profile that synchronises the home directory).
    testsupport::EnvironmentOverride dataHome("XDG_DATA_HOME", (Source() / "Daten").string());
    p.Recycle = true;
    SyncedTwoWay({"a.txt", "weg.txt"});
    fs::remove(Dest() / "weg.txt");
    EXPECT_EQ(Run(), kRunSucceeded);
    EXPECT_EQ(planned, (Plan{{"Quelle/weg.txt", kPlanDelete}}));
    ASSERT_TRUE(fs::exists(Source() / "Daten/Trash/files/weg.txt"));
    EXPECT_EQ(Run(), kRunSucceeded);
    EXPECT_TRUE(planned.empty());
    EXPECT_EQ(Files(Dest()), std::vector<std::string>{"a.txt"});
}

TEST_F(RunSafetyTest, LeftoversOfAKilledCopyAreRemovedNeverCopied) {
    const std::string leftover = ".~tolvan-Ab12Cd";
    ASSERT_TRUE(platform::IsTemporaryName(leftover));
    BuildTrees(
        {{kSrc, "a.txt", "a", kNewer}, {kSrc, "Daten/" + leftover, "halb", kNewer}, {kDst, leftover, "halb", kNewer}});
    p.Attributes = AttributeBits(eAttributeChange::Hidden); // hidden files are found
    // One way: the source is not touched, not even to tidy it; the destination is.
    p.SetTouchMode(eTouchMode::DestOnly);
    EXPECT_EQ(Run(), kRunSucceeded);
    EXPECT_EQ(planned, (Plan{{"Quelle/a.txt", kPlanForward}}));
    EXPECT_EQ(LogEvents(),
              Lines{"  Temporäre Datei eines abgebrochenen Laufs gelöscht: " + (Dest() / leftover).string()});
    EXPECT_TRUE(fs::exists(Source() / "Daten" / leftover));
    EXPECT_FALSE(fs::exists(Dest() / leftover));

    // Two ways: the source's leftover goes too; one that a running copy holds stays.
    Write(Dest(), leftover, "schreibt noch", kNewer);
    const int held = open((Dest() / leftover).c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(held, 0);
    ASSERT_EQ(flock(held, LOCK_EX), 0);
    p.SetTouchMode(eTouchMode::Both);
    EXPECT_EQ(Run(), kRunSucceeded);
    close(held);
    EXPECT_TRUE(planned.empty());
    EXPECT_FALSE(fs::exists(Source() / "Daten" / leftover));
    EXPECT_TRUE(fs::exists(Dest() / leftover));
}

TEST_F(RunSafetyTest, ASecondRunOfTheSameProfileChangesNothing) {
    BuildTrees({{kSrc, "a.txt", "a", kNewer}});
    // Another process runs the profile: it holds the lock beside the profile.
    const int other = open((p.ProfileFile + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    ASSERT_GE(other, 0);
    ASSERT_EQ(flock(other, LOCK_EX), 0);
    EXPECT_EQ(Run(), kRunFailed);
    EXPECT_EQ(Messages(), std::vector<int>{30134});
    EXPECT_EQ(LogEvents(),
              (Lines{"Fehler: Das Profil \"" + p.ProfileFile + "\" wird schon von einem anderen Lauf ausgeführt.",
                     "Abbruch."}));
    EXPECT_TRUE(Files(Dest()).empty());
    close(other);
    // Once it has ended, the profile runs again; the lock file is no user file.
    EXPECT_EQ(Run(), kRunSucceeded);
    EXPECT_EQ(Files(Dest()), std::vector<std::string>{"a.txt"});
}

TEST_F(RunSafetyTest, AnUntitledProfileLeavesNoLockFileInTheWorkingDirectory) {
    // A profile that was never saved has no place of its own: its relative name must not put a lock file
    // wherever the program happens to run.
    BuildTrees({{kSrc, "a.txt", "a", kNewer}});
    p.ProfileFile = std::string(kUntitledProfile);
    const fs::path working = fs::current_path();
    fs::current_path(dir.Path());
    const std::uint8_t result = Run();
    fs::current_path(working);
    EXPECT_EQ(result, kRunSucceeded);
    EXPECT_FALSE(fs::exists(dir.Path() / (std::string(kUntitledProfile) + ".lock")));
    EXPECT_EQ(Files(Dest()), std::vector<std::string>{"a.txt"});
}

TEST_F(RunSafetyTest, ADestinationBoundIntoTheSourceOverlapsIt) {
    // The destination root is a bind mount of the source: no symlink, no common text, one directory.
    BuildTrees({{kSrc, "a.txt", "a", kNewer}});
    const fs::path bound = dir.Path() / "Eingebunden";
    fs::create_directories(bound);
    p.DestDrive = bound.string();
    p.DestDirectory = "\\Sicherung\\";
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (unshare(CLONE_NEWNS) != 0 || mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            mount(Source().c_str(), bound.c_str(), nullptr, MS_BIND, nullptr) != 0)
            _exit(77);
        const std::uint8_t result = Run();
        _exit(result == kRunFailed && Messages() == std::vector<int>{30117} && !fs::exists(Source() / "Sicherung") ? 0
                                                                                                                   : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == 77) GTEST_SKIP() << "no mount namespace here (needs root and unshare)";
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the overlap was not found, or the run wrote into its source";
}

TEST_F(RunSafetyTest, ADestinationInsideASearchTypedInAnotherCaseOverlapsIt) {
    // "\\daten\\*" searches "Daten" on disk, so a destination inside it is inside the searched tree, however
    // either is typed.
    BuildTrees({{kSrc, "Daten/a.txt", "a", kNewer}});
    p.DestDrive = Source().string();
    p.SearchDirectories.Clear();
    p.SearchDirectories.Add("\\daten\\*");
    for (const char* destDirectory : {"\\Daten\\Sicherung\\", "\\DATEN\\sicherung\\"}) {
        SCOPED_TRACE(destDirectory);
        p.DestDirectory = destDirectory;
        EXPECT_EQ(Run(), kRunFailed);
        EXPECT_EQ(Messages(), std::vector<int>{30117});
        EXPECT_EQ(Files(Source()), std::vector<std::string>{"Daten/a.txt"});
    }
}

TEST_F(RunSafetyTest, AFifoIsLeftOutWithALogLine) {
    // Listed by the directory walk ("\\*") or by the file pass alone (an entry without "*").
    for (const char* search : {"\\*", "\\Daten\\"}) {
        SCOPED_TRACE(search);
        BuildTrees({{kSrc, "Daten/a.txt", "a", kNewer}});
        ASSERT_EQ(mkfifo((Source() / "Daten/rohr").c_str(), 0600), 0);
        p.SetTouchMode(eTouchMode::DestOnly);
        p.SearchDirectories.Clear();
        p.SearchDirectories.Add(search);
        EXPECT_EQ(Run(), kRunSucceeded);
        EXPECT_EQ(LogEvents(),
                  Lines{"  Übersprungen (keine gewöhnliche Datei): " + (Source() / "Daten/rohr").string()});
        const std::vector<std::string> copied = Files(Dest());
        ASSERT_EQ(copied.size(), 1u);
        EXPECT_TRUE(copied[0].ends_with("a.txt")) << copied[0];
    }
}

TEST_F(RunSafetyTest, ADirectoryTheSourceHasIsNotDeletedAsEmpty) {
    p.SetTouchMode(eTouchMode::DestOnly);
    p.CreateAllDestDirs = true;
    p.DeleteEmptyDestDirs = true;
    p.Log.NoNormal = false;
    BuildTrees({{kSrc, "a.txt", "a", kOlder}, {kDst, "a.txt", "a", kOlder}});
    fs::create_directories(Source() / "leer");
    fs::permissions(Source() / "leer", fs::perms::owner_all); // 0700: private
    EXPECT_EQ(Run(), kRunSucceeded);
    EXPECT_EQ(LogEvents(), (Lines{"Keine Dateien gefunden.", DirCreated(Dest() / "leer/")}));
    // Created no more open than its source.
    EXPECT_EQ(fs::status(Dest() / "leer").permissions() & (fs::perms::group_all | fs::perms::others_all),
              fs::perms::none);
    // The next run has nothing to do: no deleting and creating again.
    EXPECT_EQ(Run(), kRunSucceeded);
    EXPECT_EQ(LogEvents(), Lines{"Keine Dateien gefunden."});
    EXPECT_TRUE(fs::is_directory(Dest() / "leer"));
}

} // namespace
} // namespace runtest
