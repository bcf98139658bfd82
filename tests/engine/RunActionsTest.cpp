// Whole runs that carry out their actions: backups and synchronisations over temporary trees, checked by the
// trees they leave and the exact text of their logs.
#include "ActionFixture.h"

#include "shell/RunProfile.h"
#include "support/EnvironmentOverride.h"
#include "support/MemorySettings.h"

#include <chrono>
#include <thread>

namespace runtest {
namespace {

class RunActionsTest : public ActionFixture {
protected:
    // A side of a pair as the log shows it: the file below root with its texts, or a missing one.
    static cSide On(const fs::path& root, const std::string& relative, const std::string& size = {},
                    const std::string& date = {}, const std::string& time = {}) {
        return {(root / relative).string(), size, date, time};
    }
};

TEST_F(RunActionsTest, FirstBackupCopiesEverythingExactly) {
    p.SetTouchMode(eTouchMode::DestOnly);
    // Sub-second parts that the log's seconds cut off (never round up) and the copies keep to the nanosecond.
    WriteExact(Source(), "Brief.txt", std::string(1234, 'b'), Local(2026, 12, 8, 10, 30, 15), 123456789);
    WriteExact(Source(), "Projekte/Plan.txt", "Plan", Local(2026, 12, 7, 9, 5, 0), 987654321, 0600);
    WriteExact(Source(), "Projekte/A/Skript.sh", "#!/bin/sh\n", Local(2026, 11, 30, 23, 59, 59), 1, 0755);
    // More than one chunk of the system's copy, each in its place.
    std::string pattern((4 << 20) + 3, ' ');
    for (std::size_t i = 0; i < pattern.size(); ++i)
        pattern[i] = static_cast<char>(i * 31 % 251);
    WriteExact(Source(), "Projekte/gross.bin", pattern, Local(2026, 12, 2, 8, 0, 0), 5);
    // A path longer than the log's column, shortened with whole characters ("äöü" in the kept end).
    const std::string longName = "Übermäßig langer Dateiname für die Spalte des Protokolls äöü.txt";
    WriteExact(Source(), "Projekte/" + longName, "lang", Local(2026, 12, 2, 8, 0, 0), 0);
    // Summer time: the log shows the local time with the offset valid at that instant.
    WriteExact(Source(), "Projekte/A/Sommer.txt", "S", Local(2026, 7, 1, 12, 0, 0), 999999999);
    // A symlink is copied as a link with the same target and the link's own time.
    fs::create_symlink("Brief.txt", Source() / "Verweis.txt");
    SetTime(Source() / "Verweis.txt", Local(2026, 12, 1, 7, 0, 0));

    EXPECT_EQ(Run(), kRunSucceeded);

    EXPECT_EQ(ReadTree(Dest()), ReadTree(Source()));
    EXPECT_TRUE(fs::is_symlink(Dest() / "Verweis.txt"));
    const Lines events = Join({
        CopiedForward(On(Source(), "Brief.txt", "1.234", "08.12.2026", "10:30:15"), On(Dest(), "Brief.txt")),
        CopiedForward(On(Source(), "Verweis.txt", "9", "01.12.2026", "07:00:00"), On(Dest(), "Verweis.txt")),
        {DirCreated(Dest() / "Projekte/")},
        CopiedForward(On(Source(), "Projekte/Plan.txt", "4", "07.12.2026", "09:05:00"),
                      On(Dest(), "Projekte/Plan.txt")),
        CopiedForward(On(Source(), "Projekte/gross.bin", "4.194.307", "02.12.2026", "08:00:00"),
                      On(Dest(), "Projekte/gross.bin")),
        CopiedForward(On(Source(), "Projekte/" + longName, "4", "02.12.2026", "08:00:00"),
                      On(Dest(), "Projekte/" + longName)),
        {DirCreated(Dest() / "Projekte/A/")},
        CopiedForward(On(Source(), "Projekte/A/Skript.sh", "10", "30.11.2026", "23:59:59"),
                      On(Dest(), "Projekte/A/Skript.sh")),
        CopiedForward(On(Source(), "Projekte/A/Sommer.txt", "1", "01.07.2026", "12:00:00"),
                      On(Dest(), "Projekte/A/Sommer.txt")),
    });
    EXPECT_EQ(LogLines(), WholeLog(events, Summary({.ForwardCount = 7, .DirsCreatedCount = 2})));
}

TEST_F(RunActionsTest, ActionsChangedInThePreviewAreCarriedOut) {
    p.SetTouchMode(eTouchMode::DestOnly);
    Write(Source(), "1/vor.txt", "v", Newer());
    Write(Source(), "2/nicht.txt", "n", Newer());
    Write(Source(), "3/weg.txt", "w", Newer());
    Write(Dest(), "3/weg.txt", "alt", Older());
    const auto recordPlan = ui.OnPreview;
    ui.OnPreview = [&](cRunState& run) {
        recordPlan(run);
        for (const auto& c : run.Candidates) {
            const ActionFlags action = c->BaseName == "nicht" ? kActionSkip
                                       : c->BaseName == "weg" ? kActionDelete
                                                              : c->Action();
            c->Flags = static_cast<ActionFlags>((c->Flags & ~kActionMask) | action);
        }
    };
    EXPECT_EQ(Run(), kRunSucceeded);
    const Lines events = Join({
        // Deletions come first, on both sides.
        {Deleted(On(Source(), "3/weg.txt", "1", kNewerDate, kNewerTime)),
         Deleted(On(Dest(), "3/weg.txt", "3", kOlderDate, kOlderTime))},
        {DirCreated(Dest() / "1/")},
        CopiedForward(On(Source(), "1/vor.txt", "1", kNewerDate, kNewerTime), On(Dest(), "1/vor.txt")),
        Skipped(On(Source(), "2/nicht.txt", "1", kNewerDate, kNewerTime), On(Dest(), "2/nicht.txt")),
    });
    EXPECT_EQ(
        LogLines(),
        WholeLog(events, Summary({.ForwardCount = 1, .SkippedCount = 1, .DeletedCount = 2, .DirsCreatedCount = 1})));
    EXPECT_TRUE(Names(Source() / "3").empty());
    EXPECT_FALSE(fs::exists(Dest() / "2"));
}

TEST_F(RunActionsTest, PropertiesAloneAreTransferredWithoutTheContent) {
    p.SetTouchMode(eTouchMode::DestOnly);
    p.CompareProperties = true;
    WriteExact(Source(), "a.txt", "gleich", Older(), 250, 0640);
    WriteExact(Dest(), "a.txt", "gleich", Older(), 250, 0600);
    const Tree source = ReadTree(Source());
    EXPECT_EQ(Run(), kRunSucceeded);
    EXPECT_EQ(ReadTree(Dest()), source);
    const Lines events =
        TwoFile("Eigenschaften vorwärts übertragen:", "                             nach:",
                On(Source(), "a.txt", "6", kOlderDate, kOlderTime), On(Dest(), "a.txt", "6", kOlderDate, kOlderTime));
    EXPECT_EQ(LogLines(), WholeLog(events, Summary({.PropsForwardCount = 1}, false, true)));
}

TEST_F(RunActionsTest, SynchronisationWithSnapshotOverThreeRuns) {
    p.OrphanModeB = eOrphanMode::LookInSnapshot;
    const std::string snapshot = p.ProfileFile + ".lst";
    Write(Source(), "a.txt", "a", Older());
    Write(Source(), "Briefe/b.txt", "bb", Older());
    Write(Dest(), "c.txt", "ccc", Older());
    Write(Dest(), "Fotos/d.txt", "dddd", Older());

    // Run 1 has no snapshot: every orphan is new and is copied to the side that lacks it.
    EXPECT_EQ(Run(), kRunSucceeded);
    EXPECT_EQ(ReadTree(Dest()), ReadTree(Source()));
    Lines events = Join({
        {ListFileLine("Schnappschuss NICHT gelesen:", snapshot, "Fehler 2 - Datei nicht gefunden")},
        CopiedForward(On(Source(), "a.txt", "1", kOlderDate, kOlderTime), On(Dest(), "a.txt")),
        CopiedBackward(On(Dest(), "c.txt", "3", kOlderDate, kOlderTime), On(Source(), "c.txt")),
        {DirCreated(Dest() / "Briefe/")},
        CopiedForward(On(Source(), "Briefe/b.txt", "2", kOlderDate, kOlderTime), On(Dest(), "Briefe/b.txt")),
        {DirCreated(Source() / "Fotos/")},
        CopiedBackward(On(Dest(), "Fotos/d.txt", "4", kOlderDate, kOlderTime), On(Source(), "Fotos/d.txt")),
        {ListFileLine("Schnappschuss geschrieben:", snapshot)},
    });
    EXPECT_EQ(LogLines(), WholeLog(events, Summary({.ForwardCount = 2, .BackwardCount = 2, .DirsCreatedCount = 2})));

    // Between the runs: a.txt deleted in the destination, a new file in the source, d.txt changed in the
    // destination.
    fs::remove(Dest() / "a.txt");
    Write(Source(), "neu.txt", "neu", Newer());
    WriteExact(Dest(), "Fotos/d.txt", "geändert", Newer(), 500);
    EXPECT_EQ(Run(), kRunSucceeded);
    EXPECT_FALSE(fs::exists(Source() / "a.txt"));
    EXPECT_EQ(ReadTree(Dest()), ReadTree(Source()));
    EXPECT_EQ(Read(Source() / "Fotos/d.txt"), "geändert");
    events = Join({
        {ListFileLine("Schnappschuss gelesen:", snapshot)},
        {Deleted(On(Source(), "a.txt", "1", kOlderDate, kOlderTime))}, // deletions come before every copy
        CopiedForward(On(Source(), "neu.txt", "3", kNewerDate, kNewerTime), On(Dest(), "neu.txt")),
        CopiedBackward(On(Dest(), "Fotos/d.txt", "9", kNewerDate, kNewerTime),
                       On(Source(), "Fotos/d.txt", "4", kOlderDate, kOlderTime)),
        {ListFileLine("Schnappschuss geschrieben:", snapshot)},
    });
    EXPECT_EQ(LogLines(), WholeLog(events, Summary({.ForwardCount = 1, .BackwardCount = 1, .DeletedCount = 1})));

    // Run 3: equal pairs are no candidates (without ListSkip), so nothing is found; the snapshot read stays.
    const std::string before = Read(snapshot);
    const Tree source = ReadTree(Source());
    const Tree dest = ReadTree(Dest());
    EXPECT_EQ(Run(), kRunSucceeded);
    EXPECT_EQ(ReadTree(Source()), source);
    EXPECT_EQ(ReadTree(Dest()), dest);
    EXPECT_EQ(LogEvents(), (Lines{ListFileLine("Schnappschuss gelesen:", snapshot), "Keine Dateien gefunden."}));
    EXPECT_EQ(SummaryOfLog(), Summary({}));
    EXPECT_EQ(Messages(), std::vector<int>{30123});
    EXPECT_EQ(Read(snapshot), before);
}

TEST_F(RunActionsTest, VerifyComparesEveryCopy) {
    p.Verify = true;
    Write(Source(), "leer.txt", "", Newer());
    Write(Dest(), "Daten/voll.bin", std::string(3 * 131072 + 7, 'v'), Newer());
    // A symlink is compared by its target.
    fs::create_symlink("leer.txt", Source() / "verweis");
    SetTime(Source() / "verweis", Newer());
    EXPECT_EQ(Run(), kRunSucceeded);
    // A backward copy is compared from the destination's file.
    const Lines events = Join({
        CopiedForward(On(Source(), "leer.txt", "0", kNewerDate, kNewerTime), On(Dest(), "leer.txt")),
        CopiedForward(On(Source(), "verweis", "8", kNewerDate, kNewerTime), On(Dest(), "verweis")),
        {DirCreated(Source() / "Daten/")},
        CopiedBackward(On(Dest(), "Daten/voll.bin", "393.223", kNewerDate, kNewerTime), On(Source(), "Daten/voll.bin")),
        Compared((Source() / "leer.txt").string(), (Dest() / "leer.txt").string()),
        Compared((Source() / "verweis").string(), (Dest() / "verweis").string()),
        Compared((Dest() / "Daten/voll.bin").string(), (Source() / "Daten/voll.bin").string()),
    });
    EXPECT_EQ(
        LogLines(),
        WholeLog(events,
                 Summary({.ForwardCount = 2, .BackwardCount = 1, .DirsCreatedCount = 1, .VerifiedCount = 3}, true)));
}

// The copy of the second file reports progress after the first one is in place: the test changes the first
// target there, so that the verify phase finds it different from its source.
TEST_F(RunActionsTest, VerifyReportsATargetChangedAfterItsCopy) {
    struct Case {
        const char* name;
        std::function<void(const fs::path&)> spoil;
        std::string error;
    };
    const Case cases[] = {
        {"one block more",
         [](const fs::path& target) { std::ofstream(target, std::ios::app) << std::string(131072, 'x'); },
         "Dateien haben verschiedene Größen"},
        {"one byte changed",
         [](const fs::path& target) {
             std::fstream file(target, std::ios::in | std::ios::out | std::ios::binary);
             file.seekp(131071);
             file.put('y');
         },
         "Dateiinhalte sind nicht identisch"},
    };
    p.SetTouchMode(eTouchMode::DestOnly);
    p.Verify = true;
    p.MyCopy = true;
    for (const Case& c : cases) {
        fs::remove_all(Dest());
        fs::create_directories(Dest());
        Write(Source(), "a.bin", std::string(131072, 'a'), Newer());
        Write(Source(), "b.txt", "b", Newer());
        const fs::path a = Dest() / "a.bin";
        bool spoiled = false;
        ui.OnProgress = [&](std::int64_t, const std::string& file) {
            if (file == (Source() / "b.txt").string() && !spoiled) {
                c.spoil(a);
                spoiled = true;
            }
        };
        // The verify question is answered "Ja" (compare again): the target still differs the first time and
        // was repaired before the second.
        int asked = 0;
        ui.OnMessage = [&](int code) {
            if (code == 30302 && ++asked == 2)
                fs::copy_file(Source() / "a.bin", a, fs::copy_options::overwrite_existing);
        };
        ui.Answers[30302] = eAnswer::Yes;
        EXPECT_EQ(Run(), kRunFailed) << c.name;
        ASSERT_TRUE(spoiled) << c.name;
        const std::string from = (Source() / "a.bin").string();
        const std::string to = a.string();
        const Lines failed = {NameLine("FEHLER beim Vergleichen:", from), NameLine("                    mit:", to),
                              "  ! " + c.error};
        const Lines expected = Join({
            CopiedForward(On(Source(), "a.bin", "131.072", kNewerDate, kNewerTime), On(Dest(), "a.bin")),
            CopiedForward(On(Source(), "b.txt", "1", kNewerDate, kNewerTime), On(Dest(), "b.txt")),
            failed,
            failed,
            Compared(from, to),
            Compared((Source() / "b.txt").string(), (Dest() / "b.txt").string()),
        });
        EXPECT_EQ(LogEvents(), expected) << c.name;
        EXPECT_EQ(SummaryOfLog(), Summary({.ForwardCount = 2, .VerifiedCount = 2, .ErrorCount = 2}, true)) << c.name;
        EXPECT_EQ(Messages(), (std::vector<int>{30302, 30302})) << c.name;
    }
}

TEST_F(RunActionsTest, StoppingDuringVerifyLeavesThePairUnverified) {
    p.SetTouchMode(eTouchMode::DestOnly);
    p.Verify = true;
    p.MyCopy = true;
    Write(Source(), "a.txt", "a", Newer());
    Write(Source(), "Z/b.txt", "b", Newer());
    ui.OnProgress = [&](std::int64_t, const std::string& file) {
        if (file == (Source() / "Z/b.txt").string()) std::ofstream(Dest() / "a.txt") << "x";
    };
    // The verify question is where the run is stopped; "Ja" would compare again, but the run stops first.
    ui.OnMessage = [this](int code) {
        if (code == 30302) control.AbortRequested = true;
    };
    ui.Answers[30302] = eAnswer::Yes;
    EXPECT_EQ(Run(), kRunFailed);
    const std::string a = (Source() / "a.txt").string();
    const Lines events = Join({
        CopiedForward(On(Source(), "a.txt", "1", kNewerDate, kNewerTime), On(Dest(), "a.txt")),
        {DirCreated(Dest() / "Z/")},
        CopiedForward(On(Source(), "Z/b.txt", "1", kNewerDate, kNewerTime), On(Dest(), "Z/b.txt")),
        {NameLine("FEHLER beim Vergleichen:", a), NameLine("                    mit:", (Dest() / "a.txt").string()),
         "  ! Dateiinhalte sind nicht identisch"},
        {"Abbruch."},
    });
    EXPECT_EQ(LogEvents(), events);
    EXPECT_EQ(SummaryOfLog(),
              Summary({.ForwardCount = 2, .DirsCreatedCount = 1, .VerifiedCount = 0, .ErrorCount = 1}, true));
    EXPECT_EQ(Messages(), std::vector<int>{30302});
}

TEST_F(RunActionsTest, RecycledFilesLandInTheTrash) {
    const fs::path dataHome = dir.Path() / "daten-home";
    testsupport::EnvironmentOverride xdg("XDG_DATA_HOME", dataHome.string());
    p.Recycle = true;
    p.SetTouchMode(eTouchMode::DestOnly);
    p.OrphanModeD2 = eOrphanMode::Delete; // destination orphans are deleted
    Write(Source(), "bleibt.txt", "b", Older());
    Write(Dest(), "bleibt.txt", "b", Older());
    Write(Dest(), "Alt/weg.txt", "weg damit", Older());
    EXPECT_EQ(Run(), kRunSucceeded);
    EXPECT_FALSE(fs::exists(Dest() / "Alt/weg.txt"));
    EXPECT_EQ(Read(dataHome / "Trash/files/weg.txt"), "weg damit");
    const std::string info = Read(dataHome / "Trash/info/weg.txt.trashinfo");
    EXPECT_NE(info.find("Path=" + (Dest() / "Alt/weg.txt").string() + "\n"), std::string::npos) << info;
    EXPECT_NE(info.find("DeletionDate=2026-12-09T14:00:00\n"), std::string::npos) << info;
    EXPECT_EQ(LogEvents(), (Lines{Deleted(On(Dest(), "Alt/weg.txt", "9", kOlderDate, kOlderTime))}));
    EXPECT_EQ(SummaryCount("einzelne Datei gelöscht"), 1);

    // A trash that cannot be created leaves the file where it was.
    const fs::path notADirectory = dir.WriteFile("keine-daten-home", "");
    testsupport::EnvironmentOverride broken("XDG_DATA_HOME", notADirectory.string());
    Write(Dest(), "Alt/bleibt-liegen.txt", "x", Older());
    EXPECT_EQ(Run(), kRunFailed);
    EXPECT_EQ(LogEvents(),
              (Lines{InfoLine("FEHLER beim Löschen:", On(Dest(), "Alt/bleibt-liegen.txt", "1", kOlderDate, kOlderTime)),
                     "  ! Unbekannter Dateifehler"}));
    EXPECT_EQ(SummaryCount("Fehler"), 1);
    EXPECT_TRUE(fs::exists(Dest() / "Alt/bleibt-liegen.txt"));
}

TEST_F(RunActionsTest, DirectoriesEmptiedByTheRunAreRemovedButNeverTheRoots) {
    p.OrphanModeB = eOrphanMode::Delete; // orphans are deleted on both sides
    p.DeleteEmptySrcDirs = true;
    p.DeleteEmptyDestDirs = true;
    Write(Source(), "Alt1/q.txt", "q", Older());
    Write(Dest(), "Alt2/Tief/z.txt", "z", Older());
    fs::create_directories(Dest() / "Leer");
    Write(Source(), "Bleibt/k.txt", "k", Older());
    Write(Dest(), "Bleibt/k.txt", "k", Older());
    EXPECT_EQ(Run(), kRunSucceeded);
    const Lines events = {
        Deleted(On(Source(), "Alt1/q.txt", "1", kOlderDate, kOlderTime)),
        Deleted(On(Dest(), "Alt2/Tief/z.txt", "1", kOlderDate, kOlderTime)),
        DirDeleted(Dest() / "Leer/"),
        DirDeleted(Dest() / "Alt2/Tief/"),
        DirDeleted(Dest() / "Alt2/"),
        DirDeleted(Source() / "Alt1/"),
    };
    EXPECT_EQ(LogLines(), WholeLog(events, Summary({.DeletedCount = 2, .DirsDeletedCount = 4})));
    EXPECT_EQ(Names(Source()), std::vector<std::string>{"Bleibt"});
    EXPECT_EQ(Names(Dest()), std::vector<std::string>{"Bleibt"});

    // A run that empties the roots themselves leaves them in place (the emptied source is confirmed first).
    fs::remove_all(Source() / "Bleibt");
    Write(Dest(), "Bleibt/k.txt", "k", Older());
    EXPECT_EQ(Run(), kRunSucceeded);
    EXPECT_EQ(LogEvents(), (Lines{"Fehler: " + Source().string() +
                                      "/ ist leer oder fehlt, aber 1 Dateien sollen "
                                      "gelöscht werden.",
                                  Deleted(On(Dest(), "Bleibt/k.txt", "1", kOlderDate, kOlderTime)),
                                  DirDeleted(Dest() / "Bleibt/")}));
    EXPECT_TRUE(fs::is_directory(Source()));
    EXPECT_TRUE(fs::is_directory(Dest()));
    EXPECT_TRUE(Names(Dest()).empty());
}

TEST_F(RunActionsTest, AnEmptiedVariationDirectoryIsRemovedWithItsParent) {
    p.SetTouchMode(eTouchMode::DestOnly);
    p.OrphanModeD2 = eOrphanMode::Delete;
    p.DeleteEmptyDestDirs = true;
    p.DestDirectory = "\\Sicherung\\";
    p.Variation = 3;                          // 9 December: "Ungerade"
    fs::create_directories(Source() / "Neu"); // a source that is there, only without files
    Write(Dest(), "Sicherung/Ungerade/alt.txt", "a", Older());
    EXPECT_EQ(Run(), kRunSucceeded);
    EXPECT_EQ(LogEvents(), (Lines{Deleted(On(Dest(), "Sicherung/Ungerade/alt.txt", "1", kOlderDate, kOlderTime)),
                                  DirDeleted(Dest() / "Sicherung/Ungerade/"), DirDeleted(Dest() / "Sicherung/")}));
    EXPECT_TRUE(fs::is_directory(Dest()));
    EXPECT_TRUE(Names(Dest()).empty());
}

TEST_F(RunActionsTest, DirectoryPhasesRunAlsoWithoutFiles) {
    p.SetTouchMode(eTouchMode::DestOnly);
    p.CreateAllDestDirs = true;
    p.TransferDirProperties = true;
    fs::create_directories(Source() / "A/B/C");
    fs::create_directories(Dest() / "A");
    ASSERT_EQ(::chmod((Source() / "A").c_str(), 0750), 0);
    ASSERT_EQ(::chmod((Source() / "A/B").c_str(), 0700), 0);
    ASSERT_EQ(::chmod((Dest() / "A").c_str(), 0755), 0);
    EXPECT_EQ(Run(), kRunSucceeded);
    EXPECT_EQ(LogLines(),
              WholeLog({"Keine Dateien gefunden.", DirCreated(Dest() / "A/B/"), DirCreated(Dest() / "A/B/C/")},
                       Summary({.DirsCreatedCount = 2})));
    for (const char* directory : {"A", "A/B", "A/B/C"})
        EXPECT_EQ(fs::status(Dest() / directory).permissions(), fs::status(Source() / directory).permissions())
            << directory;
}

TEST_F(RunActionsTest, ThreeGenerationsHoldTheLastThreeBackups) {
    p.SetTouchMode(eTouchMode::DestOnly);
    p.OrphanModeD2 = eOrphanMode::Delete; // each generation mirrors the source of its run
    p.Variation = 4;
    const auto contents = [this] {
        std::map<std::string, std::string> found;
        for (const auto& [path, state] : ReadTree(Dest()))
            if (!state.Directory) found[path] = state.Content;
        return found;
    };
    using Contents = std::map<std::string, std::string>;
    Write(Source(), "a.txt", "1", Local(2026, 11, 1));
    Write(Source(), "nur1.txt", "x", Local(2026, 11, 1));
    EXPECT_EQ(Run(), kRunSucceeded);
    EXPECT_EQ(contents(), (Contents{{"Enkel/a.txt", "1"}, {"Enkel/nur1.txt", "x"}}));

    fs::remove(Source() / "nur1.txt");
    Write(Source(), "a.txt", "2", Local(2026, 11, 2));
    EXPECT_EQ(Run(), kRunSucceeded);
    EXPECT_EQ(contents(), (Contents{{"Enkel/a.txt", "2"}, {"Sohn/a.txt", "1"}, {"Sohn/nur1.txt", "x"}}));

    Write(Source(), "a.txt", "3", Local(2026, 11, 3));
    EXPECT_EQ(Run(), kRunSucceeded);
    EXPECT_EQ(contents(),
              (Contents{{"Enkel/a.txt", "3"}, {"Sohn/a.txt", "2"}, {"Vater/a.txt", "1"}, {"Vater/nur1.txt", "x"}}));

    // The fourth run reuses the oldest generation as "Enkel": its a.txt is replaced, its orphan deleted.
    Write(Source(), "a.txt", "4", Local(2026, 11, 4));
    EXPECT_EQ(Run(), kRunSucceeded);
    EXPECT_EQ(contents(), (Contents{{"Enkel/a.txt", "4"}, {"Sohn/a.txt", "3"}, {"Vater/a.txt", "2"}}));
    EXPECT_EQ(LogEvents(), Join({{Deleted(On(Dest(), "Enkel/nur1.txt", "1", "01.11.2026", "12:00:00"))},
                                 CopiedForward(On(Source(), "a.txt", "1", "04.11.2026", "12:00:00"),
                                               On(Dest(), "Enkel/a.txt", "1", "01.11.2026", "12:00:00"))}));
    EXPECT_EQ(Names(Dest()), (std::vector<std::string>{"Enkel", "Sohn", "Vater"}));
}

TEST_F(RunActionsTest, RunProfileRunsTheCommandsAndRecordsOnlyASuccessfulRun) {
    testsupport::cMemorySettings settings;
    p.Settings = &settings;
    p.SetTouchMode(eTouchMode::DestOnly);
    Write(Source(), "a.txt", "a", Newer());
    const fs::path before = dir.Path() / "vorher";
    const fs::path after = dir.Path() / "nachher";
    p.BeforeCommands.Add("echo x > '" + before.string() + "'");
    p.BeforeCommands.Add("", 1); // a delay of one second
    p.AfterCommands.Add("echo y > '" + after.string() + "'");
    p.RunCount = 7;
    const auto waitFor = [](const fs::path& file) {
        for (int i = 0; i < 100 && !fs::exists(file); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        return fs::exists(file);
    };

    const auto started = std::chrono::steady_clock::now();
    EXPECT_EQ(RunProfile(p, control, kSingleProfile, 0), kRunSucceeded);
    EXPECT_GE(std::chrono::steady_clock::now() - started, std::chrono::seconds(1));
    EXPECT_TRUE(waitFor(before));
    EXPECT_TRUE(waitFor(after));
    EXPECT_TRUE(fs::exists(Dest() / "a.txt"));
    EXPECT_EQ(p.LastRun, platform::JoinFileTime(2026, 12, 9, 14, 0, 0)); // the local start time
    EXPECT_EQ(p.RunCount, 8);
    cParameters stored(&settings);
    stored.ReadLastRun(p.ProfileFile);
    stored.ReadRunCount();
    EXPECT_EQ(stored.LastRun, p.LastRun);
    EXPECT_EQ(stored.RunCount, 8);

    // A run with an error is not recorded; the after-commands run all the same.
    fs::remove(after);
    p.BeforeCommands.Clear();
    p.SearchDirectories.Clear();
    platform::SetClock(Local(2026, 12, 10, 9, 0, 0));
    EXPECT_EQ(RunProfile(p, control, kSingleProfile, 0), kRunFailed);
    EXPECT_TRUE(waitFor(after));
    EXPECT_EQ(p.LastRun, platform::JoinFileTime(2026, 12, 9, 14, 0, 0));
    EXPECT_EQ(p.RunCount, 8);
    stored.ReadRunCount();
    EXPECT_EQ(stored.RunCount, 8);
}

} // namespace
} // namespace runtest
