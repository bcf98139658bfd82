// Whole runs that stop at a check, or pass one, with the result byte, the messages asked and the log's text.
#include "RunFixture.h"

#include "platform/ErrorCodes.h"
#include "platform/StopSignal.h"
#include "platform/VolumeLabel.h"

#include <csignal>
#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace runtest {
namespace {

const Lines kNothingToDo = {
    "Fehler: Nichts zu tun. Sie müssen mindestens 1 Verzeichnis und 1 Datei oder Dateityp zum Suchen auswählen.",
    "Abbruch."};

class RunChecksTest : public RunFixture {};

TEST_F(RunChecksTest, AFailedCheckWritesTheWholeLogAndReturnsTwo) {
    p.SearchDirectories.Clear();
    EXPECT_EQ(Run(), kRunFailed);
    const std::string rule(145, '-');
    const Lines expected = {
        "",
        rule,
        "Profil: " + p.ProfileFile,
        "- gestartet von Hand",
        "Mittwoch 09.12.2026 14:00:00",
        "Datum-Zeit-Stempel von Dateien in Lokalzeit",
        kNothingToDo[0],
        "Abbruch.",
        "Zusammenfassung",
        "     0 Dateien vorwärts kopiert",
        "     0 Dateien rückwärts kopiert",
        "     0 Dateipaare übersprungen",
        "     0 einzelne Dateien gelöscht",
        "     0 leere Verzeichnisse gelöscht",
        "     0 Verzeichnisse erstellt",
        "     1 Fehler",
        "Mittwoch 09.12.2026 14:00:00",
        rule,
    };
    EXPECT_EQ(LogLines(), expected);
    EXPECT_EQ(Messages(), std::vector<int>{30114});
    EXPECT_EQ(ui.Previews, 0);
}

// A log that cannot be opened is asked about; the run goes on without it unless the answer is No.
TEST_F(RunChecksTest, ALogThatCannotBeOpenedIsAQuestion) {
    const struct {
        const char* name;
        std::string logName;
        eAnswer answer;
        int message;
        std::uint8_t result;
        bool copied;
    } cases[] = {
        {"no folder, Ja", (dir.Path() / "fehlt" / "Log.txt").string(), eAnswer::Yes, 30102, kRunSucceeded, true},
        {"no folder, Nein", (dir.Path() / "fehlt" / "Log.txt").string(), eAnswer::No, 30102, kRunStopped, false},
        {"a folder, Ja", dir.Path().string(), eAnswer::Yes, 30102, kRunSucceeded, true},
        {"no name, Nein", "", eAnswer::No, 30101, kRunStopped, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        BuildTrees({{kSrc, "a.txt", "a", kNewer}});
        p.Log.FileName = c.logName;
        ui.Answers[c.message] = c.answer;
        EXPECT_EQ(Run(), c.result);
        ASSERT_FALSE(Messages().empty());
        EXPECT_EQ(Messages().front(), c.message);
        EXPECT_EQ(fs::exists(Dest() / "a.txt"), c.copied);
        EXPECT_FALSE(p.Log.IsOpen);
    }
    EXPECT_FALSE(fs::exists(dir.Path() / "fehlt"));
}

TEST_F(RunChecksTest, NothingToDoCountsOnlyTheMasksTheTouchModesUse) {
    struct Case {
        const char* name;
        eTouchMode touch;
        const char *compare, *enforce, *remove;
        bool stops;
    };
    const Case cases[] = {
        {"enforce masks without TouchDest", eTouchMode::SourceOnly, "", "*.doc", "", true},
        {"enforce masks with TouchDest", eTouchMode::DestOnly, "", "*.doc", "", false},
        {"delete masks with one side touched", eTouchMode::DestOnly, "", "", "*.tmp", true},
        {"delete masks with both sides touched", eTouchMode::Both, "", "", "*.tmp", false},
        {"compare masks alone", eTouchMode::Both, "*.*", "", "", false},
    };
    for (const Case& c : cases) {
        p.CompareFiles.Clear();
        p.EnforceFiles.Clear();
        p.DeleteFiles.Clear();
        if (*c.compare) p.CompareFiles.Add(c.compare);
        if (*c.enforce) p.EnforceFiles.Add(c.enforce);
        if (*c.remove) p.DeleteFiles.Add(c.remove);
        p.SetTouchMode(c.touch);
        const std::uint8_t result = Run();
        if (c.stops) {
            EXPECT_EQ(result, kRunFailed) << c.name;
            EXPECT_EQ(LogEvents(), kNothingToDo) << c.name;
        } else {
            EXPECT_EQ(LogEvents(), Lines{"Keine Dateien gefunden."}) << c.name;
            EXPECT_EQ(result, kRunSucceeded) << c.name;
        }
    }
}

TEST_F(RunChecksTest, SourceAndDestinationIdentical) {
    const fs::path sameViaLink = dir.Path() / "Verweis";
    fs::create_directory_symlink(Source(), sameViaLink);
    for (const fs::path& destRoot : {Source(), sameViaLink, Source() / "."}) {
        p.DestDrive = destRoot.string();
        p.ShortenPaths = eShortenPaths::None;
        EXPECT_EQ(Run(), kRunFailed) << destRoot;
        EXPECT_EQ(LogEvents(), (Lines{"Fehler: Quelle und Ziel sind identisch.", "Abbruch."})) << destRoot;
        EXPECT_EQ(Messages(), std::vector<int>{30116});
    }
    // With a variation the run works in a directory of its own below the root.
    p.Variation = 3;
    p.SearchDirectories.Clear();
    p.SearchDirectories.Add("\\");
    EXPECT_EQ(Run(), kRunSucceeded);
}

TEST_F(RunChecksTest, IdenticalAfterShorteningThePaths) {
    p.SearchDirectories.Clear();
    p.SearchDirectories.Add("\\Daten\\*");
    p.ShortenPaths = eShortenPaths::Automatic; // the destination directory replaces \Daten
    p.DestDrive = Source().string();
    p.DestDirectory = "\\Daten\\";
    Write(Source(), "Daten/a.txt", "a", Local(2026, 12, 8));
    EXPECT_EQ(Run(), kRunFailed);
    // The overlap check sees it first: the destination lies in the searched tree.
    EXPECT_EQ(LogEvents(), (Lines{"Fehler: Quelle und Ziel überlappen sich.", "Abbruch."}));
}

TEST_F(RunChecksTest, OverlapOnRealPaths) {
    struct Case {
        const char* name;
        std::string sourceRoot;
        const char* search;
        std::string destRoot;
        const char* destDirectory;
        bool overlaps;
    };
    const std::string root = dir.Path().string();
    const Case cases[] = {
        {"destination inside a searched tree", root, "\\Daten\\*", root, "\\Daten\\Sicherung\\", true},
        {"searched directory without its subdirectories", root, "\\Daten\\", root, "\\Daten\\Sicherung\\", false},
        {"the same directory without star", root, "\\Daten\\", root, "\\Daten\\", true},
        {"roots written differently", root, "\\*", root + "/Sicherung", "\\", true},
        {"source inside the destination", root + "/Daten", "\\*", root, "\\", true},
        {"pattern in the last component", root, "\\Daten\\Bi*", root, "\\Daten\\Sicherung\\", true},
        {"neighbours with a common prefix", root, "\\Daten\\*", root, "\\DatenAlt\\", false},
    };
    fs::create_directories(dir.Path() / "Daten" / "Sicherung");
    for (const Case& c : cases) {
        p.SourceDrive = c.sourceRoot;
        p.DestDrive = c.destRoot;
        p.SearchDirectories.Clear();
        p.SearchDirectories.Add(c.search);
        p.DestDirectory = c.destDirectory;
        p.ShortenPaths = eShortenPaths::None;
        const std::uint8_t result = Run();
        const bool stopped = LogEvents() == Lines{"Fehler: Quelle und Ziel überlappen sich.", "Abbruch."};
        EXPECT_EQ(stopped, c.overlaps) << c.name;
        EXPECT_EQ(result, c.overlaps ? kRunFailed : kRunSucceeded) << c.name;
    }
}

TEST_F(RunChecksTest, ADriveThatIsNotReadyIsAskedForAgain) {
    const fs::path late = dir.Path() / "Später";
    p.DestDrive = late.string();
    int asked = 0;
    ui.OnMessage = [&](int code) {
        if (code == 30118 && ++asked == 2) fs::create_directories(late);
    };
    EXPECT_EQ(Run(), kRunFailed); // two failed attempts are two errors
    const std::string line = "Fehler: Laufwerk " + late.string() + " nicht bereit: Fehler 2 - Datei nicht gefunden";
    EXPECT_EQ(LogEvents(), (Lines{line, line, "Keine Dateien gefunden."}));
    EXPECT_EQ(SummaryCount("Fehler"), 2);
    EXPECT_EQ(Messages(), (std::vector<int>{30118, 30118, 30123}));
}

TEST_F(RunChecksTest, ADriveThatIsNotReadyStopsAfterOneAttemptWithoutMessage) {
    p.Warning3Message = false;
    p.SourceDrive = "D:"; // a Windows root that the settings do not map
    EXPECT_EQ(Run(), kRunFailed);
    EXPECT_EQ(LogEvents(), (Lines{"Fehler: Laufwerk D: nicht bereit: Fehler 3 - Pfad nicht gefunden", "Abbruch."}));
    EXPECT_TRUE(Messages().empty());
}

TEST_F(RunChecksTest, AWrongVolumeLabelStopsTheRun) {
    // A label directory and mount table of the test's own: the destination's file system is "labelled"
    // SICHERUNG through a device file that the mount table names as its source.
    struct stat info {};
    ASSERT_EQ(stat(Dest().c_str(), &info), 0);
    const fs::path device = dir.WriteFile("geraet", "");
    fs::create_directories(dir.Path() / "by-label");
    fs::create_symlink(device, dir.Path() / "by-label" / "SICHERUNG");
    const fs::path mountInfo = dir.WriteFile("mountinfo", "30 1 " + std::to_string(major(info.st_dev)) + ":" +
                                                              std::to_string(minor(info.st_dev)) + " / / rw - ext4 " +
                                                              device.string() + " rw\n");
    platform::SetVolumeLabelSources((dir.Path() / "by-label").string(), mountInfo.string());
    p.CheckLabel = "Sicherung"; // labels compare without regard to case
    EXPECT_EQ(Run(), kRunSucceeded);
    p.CheckLabel = "ANDERE";
    EXPECT_EQ(Run(), kRunFailed);
    EXPECT_EQ(LogEvents(), (Lines{"Fehler: Bezeichnung des Zieldatenträgers falsch.", "Abbruch."}));
    platform::SetVolumeLabelSources({}, {});
}

TEST_F(RunChecksTest, UnequalDirectoryListsStopTheRun) {
    // A searched directory outside the shortened part has no place in the destination: the source list holds
    // it, the destination list cannot, and the two lists come out unequal.
    fs::create_directories(Source() / "Daten" / "A");
    fs::create_directories(Source() / "Anderes");
    p.SearchDirectories.Clear();
    p.SearchDirectories.Add("\\Daten\\*");
    p.SearchDirectories.Add("\\Anderes\\");
    p.ShortenPaths = eShortenPaths::ByPathOffset;
    p.PathOffset = "\\Daten";
    const std::uint8_t result = Run();
    const Lines events = LogEvents();
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(result, kRunFailed);
    EXPECT_TRUE(events[0].starts_with("Fehler: Die Anzahl der berechneten Verzeichnisse in Quelle und Ziel stimmt "
                                      "nicht überein: "))
        << events[0];
    EXPECT_EQ(events.back(), "Abbruch.");
}

TEST_F(RunChecksTest, ManyDeletionsAreAskedAndStopOnNo) {
    p.SetTouchMode(eTouchMode::DestOnly);
    p.OrphanModeD2 = eOrphanMode::Delete; // orphans of the destination are deleted
    p.PercentageCount = 2;
    p.PercentageThreshold = 50;
    Write(Source(), "neu.txt", "a", Local(2026, 12, 8));
    Write(Dest(), "weg1.txt", "b", Local(2026, 12, 8));
    Write(Dest(), "weg2.txt", "c", Local(2026, 12, 8));
    ui.Answers[30124] = eAnswer::No;
    EXPECT_EQ(Run(), kRunStopped);
    EXPECT_EQ(LogEvents(), (Lines{"66 Prozent von 3 gefundenen Dateien sollen gelöscht werden.", "Abbruch."}));
    // Without the message the preset answer No stops the run.
    p.Warning3Message = false;
    EXPECT_EQ(Run(), kRunStopped);
    EXPECT_TRUE(Messages().empty());
    p.Warning3Message = true;
    ui.Answers[30124] = eAnswer::Yes;
    EXPECT_EQ(Run(), kRunSucceeded);
    EXPECT_EQ(
        planned,
        (Plan{{"Quelle/neu.txt", "vorwärts Inhalt"}, {"Ziel/weg1.txt", "löschen"}, {"Ziel/weg2.txt", "löschen"}}));
}

TEST_F(RunChecksTest, TooLittleSpaceIsAskedAndNoStopsTheRun) {
    // A sparse source file far larger than the free space: planned, never written.
    Write(Source(), "riesig.bin", "", Local(2026, 12, 8));
    fs::resize_file(Source() / "riesig.bin", std::uintmax_t{1} << 42);
    SetTime(Source() / "riesig.bin", Local(2026, 12, 8));
    p.SetTouchMode(eTouchMode::DestOnly);
    ui.Answers[30125] = eAnswer::No;
    EXPECT_EQ(Run(), kRunStopped);
    const Lines events = LogEvents();
    ASSERT_EQ(events.size(), 2u);
    // Both roots lie on one file system: one warning, for the source root, with the shortfall in megabytes.
    EXPECT_TRUE(events[0].starts_with("Warnung: Laufwerk " + Source().string() + " hat ")) << events[0];
    EXPECT_TRUE(events[0].ends_with(" MB zuwenig Speicherplatz.")) << events[0];
    EXPECT_EQ(events[1], "Abbruch.");
    EXPECT_EQ(Messages(), std::vector<int>{30125});
    EXPECT_EQ(ui.Previews, 0);
    // Yes reads the free space again and goes on to the preview, where the copy is turned into a skip: the
    // file does not fit, after all.
    ui.Answers[30125] = eAnswer::Yes;
    ui.OnPreview = [this](cRunState& run) {
        planned = PlanOf(run);
        for (auto& c : run.Candidates)
            c->Flags = static_cast<ActionFlags>((c->Flags & ~kActionMask) | kActionSkip);
    };
    EXPECT_EQ(Run(), kRunSucceeded);
    EXPECT_EQ(planned, (Plan{{"Quelle/riesig.bin", "vorwärts Inhalt"}}));
    EXPECT_FALSE(fs::exists(Dest() / "riesig.bin"));
}

TEST_F(RunChecksTest, MidnightQuestionMakesTodayYesterday) {
    platform::SetClock(Local(2026, 12, 9, 1, 30, 0)); // 01:30, before MidnightHours 2
    p.AgeMode = AgeModeValue(eAgeMode::RelativeAge);
    p.RelativeAge = 0;
    p.SetTouchMode(eTouchMode::DestOnly);
    Write(Source(), "gestern.txt", "a", Local(2026, 12, 8, 18));
    Write(Source(), "vorgestern.txt", "b", Local(2026, 12, 7, 18));
    ui.Answers[30120] = eAnswer::Yes;
    EXPECT_EQ(Run(), kRunSucceeded);
    EXPECT_EQ(LogEvents().front(), "Hinweis: Es ist nach Mitternacht. Tolvan wird so tun, als wäre noch gestern.");
    EXPECT_EQ(planned, (Plan{{"Quelle/gestern.txt", "vorwärts Inhalt"}}));
    ui.Answers[30120] = eAnswer::No;
    EXPECT_EQ(Run(), kRunSucceeded);
    EXPECT_EQ(LogEvents(), Lines{"Keine Dateien gefunden."}); // only today's files pass
}

TEST_F(RunChecksTest, CtrlCStopsTheRunWithAbbruchAndResultOne) {
    Write(Source(), "a.txt", "a", Local(2026, 12, 8));
    platform::InstallStopSignal(control.AbortRequested);
    ui.OnMessage = nullptr;
    ui.OnPreview = [](cRunState&) { std::raise(SIGINT); };
    p.OrphanModeB = eOrphanMode::LookInSnapshot;
    EXPECT_EQ(Run(), kRunStopped);
    platform::RemoveStopSignal();
    EXPECT_EQ(LogEvents(), (Lines{"  Schnappschuss NICHT gelesen:        " + p.ProfileFile +
                                      ".lst  ! Fehler 2 - Datei nicht gefunden",
                                  "Abbruch."}));
    // A stopped run writes no snapshot.
    EXPECT_FALSE(fs::exists(p.ProfileFile + ".lst"));
}

TEST_F(RunChecksTest, TheStatusShowsEachPhaseInOrder) {
    Write(Source(), "a.txt", "a", Local(2026, 12, 8));
    p.OrphanModeB = eOrphanMode::LookInSnapshot;
    p.Verify = true;
    p.DeleteEmptyDestDirs = true;
    p.CreateAllDestDirs = true;
    ui.Status.clear();
    EXPECT_EQ(Run(), kRunSucceeded);
    EXPECT_EQ(ui.Status, (std::vector<std::string>{"Lese Schnappschuss...", "Suche Verzeichnisse...",
                                                   "Suche Dateien...", "Suche zu löschende Dateien...",
                                                   "Vergleiche Dateien (Verify)...", "Suche leere Verzeichnisse...",
                                                   "Erstelle Verzeichnisse...", "Schreibe Schnappschuss..."}));
}

TEST_F(RunChecksTest, TheDirectoryListsComeWithTheirTrees) {
    Write(Source(), "Briefe/2026/a.txt", "a", Local(2026, 12, 8));
    std::vector<std::string> sourcePaths;
    std::vector<std::string> destPaths;
    ui.OnPreview = [&](cRunState& run) {
        for (int i = 0; i < static_cast<int>(run.SourceDirList.size()); ++i) {
            sourcePaths.push_back(cDirectoryTree::PathOf(*run.SourceDirTree.NodeOf(i)));
            destPaths.push_back(cDirectoryTree::PathOf(*run.DestDirTree.NodeOf(i)));
        }
    };
    p.DestDirectory = "\\Sicherung\\";
    EXPECT_EQ(Run(), kRunSucceeded);
    EXPECT_EQ(sourcePaths, (std::vector<std::string>{"\\", "\\Briefe\\", "\\Briefe\\2026\\"}));
    EXPECT_EQ(destPaths,
              (std::vector<std::string>{"\\Sicherung\\", "\\Sicherung\\Briefe\\", "\\Sicherung\\Briefe\\2026\\"}));
}

} // namespace
} // namespace runtest
