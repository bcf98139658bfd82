// Whole runs whose destination is a zip archive: backups, updates, deletions, synchronisation, restore, verify,
// encryption and the archive's own rules (read-only entries, stored extensions, the empty archive).
#include "ZipFixture.h"

#include "support/EnvironmentOverride.h"

namespace runtest {
namespace {

class RunZipTest : public ZipFixture {};

TEST_F(RunZipTest, FirstBackupKeepsExactTimesAndModesAndLeavesNothingToDo) {
    p.SetTouchMode(eTouchMode::DestOnly);
    // An odd second, which the two-second DOS time could not hold.
    Write(Source(), "Brief.txt", std::string(1234, 'b'), Local(2026, 12, 8, 10, 30, 15));
    WriteExact(Source(), "Projekte/Plan.txt", "Plan", Local(2026, 12, 7, 9, 5, 1), 0, 0600);
    WriteExact(Source(), "Projekte/A/Skript.sh", "#!/bin/sh\n", Local(2026, 7, 1, 23, 59, 59), 0, 0755);
    fs::create_symlink("Brief.txt", Source() / "Verweis.txt");
    SetTime(Source() / "Verweis.txt", Local(2026, 12, 1, 7, 0, 0));

    EXPECT_EQ(Run(), kRunSucceeded);
    EXPECT_EQ(ArchiveTree(Archive()), FilesOnDisk(Source()));
    const Lines events = Join({
        {UsingArchive()},
        CopiedForward(On(Source(), "Brief.txt", "1.234", "08.12.2026", "10:30:15"), InArchive(Dest(), "Brief.txt")),
        CopiedForward(On(Source(), "Verweis.txt", "9", "01.12.2026", "07:00:00"), InArchive(Dest(), "Verweis.txt")),
        CopiedForward(On(Source(), "Projekte/Plan.txt", "4", "07.12.2026", "09:05:01"),
                      InArchive(Dest(), "Projekte/Plan.txt")),
        CopiedForward(On(Source(), "Projekte/A/Skript.sh", "10", "01.07.2026", "23:59:59"),
                      InArchive(Dest(), "Projekte/A/Skript.sh")),
    });
    EXPECT_EQ(LogLines(), WholeLog(events, Summary({.ForwardCount = 4})));
    // No directory was made for the archive's inner directories, and nothing was left beside the archive.
    EXPECT_EQ(Names(Dest()), std::vector<std::string>{"Sicherung.zip"});

    // Right after it: the archive's times are the files' times, so there is nothing to do and the archive
    // is not written again.
    const auto written = fs::last_write_time(Archive());
    const std::string bytes = Read(Archive());
    EXPECT_EQ(Run(), kRunSucceeded);
    EXPECT_EQ(LogEvents(), (Lines{UsingArchive(), "Keine Dateien gefunden."}));
    EXPECT_EQ(Read(Archive()), bytes);
    EXPECT_EQ(fs::last_write_time(Archive()), written);
}

TEST_F(RunZipTest, AnUpdateAddsOnlyWhatChangedAndKeepsTheRest) {
    p.SetTouchMode(eTouchMode::DestOnly);
    for (int i = 0; i < 100; ++i)
        Write(Source(), (i % 2 != 0 ? "Ungerade/" : "Gerade/") + std::to_string(i) + ".txt",
              "Inhalt " + std::to_string(i), Older());
    EXPECT_EQ(Run(), kRunSucceeded);
    EXPECT_EQ(SummaryCount("Dateien vorwärts kopiert"), 100);

    Write(Source(), "Gerade/42.txt", "neuer Inhalt", Newer());
    Write(Source(), "Neu/100.txt", "neu", Newer());
    EXPECT_EQ(Run(), kRunSucceeded);
    const Lines events = Join({
        {UsingArchive()},
        CopiedForward(On(Source(), "Gerade/42.txt", "12", kNewerDate, kNewerTime),
                      InArchive(Dest(), "Gerade/42.txt", "9", kOlderDate, kOlderTime)),
        CopiedForward(On(Source(), "Neu/100.txt", "3", kNewerDate, kNewerTime), InArchive(Dest(), "Neu/100.txt")),
    });
    EXPECT_EQ(LogEvents(), events);
    const Tree archive = ArchiveTree(Archive());
    EXPECT_EQ(archive, FilesOnDisk(Source()));
    EXPECT_EQ(archive.size(), 101u);
}

TEST_F(RunZipTest, DeletionsEmptyTheArchiveAndTheLastOneDeletesIt) {
    p.SetTouchMode(eTouchMode::DestOnly);
    p.OrphanModeD2 = eOrphanMode::Delete;
    Write(Source(), "a.txt", "a", Older());
    Write(Source(), "Alt/b.txt", "bb", Older());
    EXPECT_EQ(Run(), kRunSucceeded);

    fs::remove(Source() / "Alt/b.txt");
    EXPECT_EQ(Run(), kRunSucceeded);
    EXPECT_EQ(LogEvents(),
              (Lines{UsingArchive(), Deleted(InArchive(Dest(), "Alt/b.txt", "2", kOlderDate, kOlderTime))}));
    EXPECT_EQ(ArchiveTree(Archive()), FilesOnDisk(Source()));

    // The source keeps a directory, so it is not empty; the last file goes and the archive with it.
    fs::remove(Source() / "a.txt");
    EXPECT_EQ(Run(), kRunSucceeded);
    EXPECT_EQ(LogEvents(), (Lines{UsingArchive(), Deleted(InArchive(Dest(), "a.txt", "1", kOlderDate, kOlderTime)),
                                  "Leeres Zip-Archiv \"" + Archive().string() + "\" gelöscht."}));
    EXPECT_FALSE(fs::exists(Archive()));
    EXPECT_EQ(Names(Dest()), std::vector<std::string>{});
}

TEST_F(RunZipTest, TwoWayRunsFollowTheSnapshot) {
    p.OrphanModeB = eOrphanMode::LookInSnapshot;
    const std::string snapshot = p.ProfileFile + ".lst";
    Write(Source(), "a.txt", "a", Older());
    WriteArchive(Archive(), {{"Fotos/c.txt", "ccc", Older()}});

    // Without a snapshot both orphans are new: one goes into the archive, one comes out of it.
    EXPECT_EQ(Run(), kRunSucceeded);
    EXPECT_EQ(ArchiveTree(Archive()), FilesOnDisk(Source()));
    Lines events = Join({
        {UsingArchive()},
        {ListFileLine("Schnappschuss NICHT gelesen:", snapshot, "Fehler 2 - Datei nicht gefunden")},
        {DirCreated(Source() / "Fotos/")},
        CopiedBackward(InArchive(Dest(), "Fotos/c.txt", "3", kOlderDate, kOlderTime), On(Source(), "Fotos/c.txt")),
        CopiedForward(On(Source(), "a.txt", "1", kOlderDate, kOlderTime), InArchive(Dest(), "a.txt")),
        {ListFileLine("Schnappschuss geschrieben:", snapshot)},
    });
    EXPECT_EQ(LogEvents(), events);

    // The snapshot knows both: a file deleted in the source is deleted from the archive.
    fs::remove(Source() / "a.txt");
    EXPECT_EQ(Run(), kRunSucceeded);
    events = Join({
        {UsingArchive()},
        {ListFileLine("Schnappschuss gelesen:", snapshot)},
        {Deleted(InArchive(Dest(), "a.txt", "1", kOlderDate, kOlderTime))},
        {ListFileLine("Schnappschuss geschrieben:", snapshot)},
    });
    EXPECT_EQ(LogEvents(), events);
    EXPECT_EQ(ArchiveTree(Archive()), FilesOnDisk(Source()));

    // What the snapshot holds now is the archive after the run: nothing to do.
    EXPECT_EQ(Run(), kRunSucceeded);
    EXPECT_EQ(LogEvents(),
              (Lines{UsingArchive(), ListFileLine("Schnappschuss gelesen:", snapshot), "Keine Dateien gefunden."}));
}

TEST_F(RunZipTest, ABackwardRunRestoresFilesLinksTimesAndModes) {
    p.SetTouchMode(eTouchMode::DestOnly);
    Write(Source(), "Brief.txt", "Liebe Anna", Local(2026, 12, 8, 10, 30, 15));
    WriteExact(Source(), "Projekte/A/Skript.sh", "#!/bin/sh\n", Older(), 0, 0755);
    WriteExact(Source(), "Projekte/nur-lesen.txt", "fest", Older(), 0, 0444);
    fs::create_symlink("../Brief.txt", Source() / "Projekte/Verweis.txt");
    const Tree before = FilesOnDisk(Source());
    EXPECT_EQ(Run(), kRunSucceeded);

    fs::remove_all(Source());
    fs::create_directories(Source());
    p.SetTouchMode(eTouchMode::SourceOnly);
    p.CreateSrcDirs = true;
    EXPECT_EQ(Run(), kRunSucceeded);
    EXPECT_EQ(FilesOnDisk(Source()), before);
    EXPECT_TRUE(fs::is_symlink(Source() / "Projekte/Verweis.txt"));
    EXPECT_EQ(SummaryCount("Dateien rückwärts kopiert"), 4);
    EXPECT_EQ(Names(Source()), (std::vector<std::string>{"Brief.txt", "Projekte"})); // no temporary file left
    // A one-way restore never writes the archive.
    EXPECT_EQ(ArchiveTree(Archive()), before);
}

TEST_F(RunZipTest, VerifyComparesEveryCopyAndReportsADifference) {
    p.SetTouchMode(eTouchMode::DestOnly);
    p.Verify = true;
    Write(Source(), "a.txt", "a", Older());
    Write(Source(), "b.txt", "bb", Older());
    fs::create_symlink("a.txt", Source() / "c.txt"); // a link is compared by its target
    EXPECT_EQ(Run(), kRunSucceeded);
    EXPECT_EQ(SummaryOfLog(), Summary({.ForwardCount = 3, .VerifiedCount = 3}, true));
    const Lines compared = Compared(On(Source(), "a.txt").Path, InArchive(Dest(), "a.txt").Path);
    const Lines events = LogEvents();
    EXPECT_NE(std::search(events.begin(), events.end(), compared.begin(), compared.end()), events.end());

    // A restored file that differs from its entry when it is compared is reported (30302) and counted.
    fs::remove(Source() / "a.txt");
    fs::remove(Source() / "b.txt");
    fs::remove(Source() / "c.txt");
    p.SetTouchMode(eTouchMode::SourceOnly);
    p.Warning4Message = true;
    ui.Answers[30302] = eAnswer::No;
    ui.OnProgress = [this](std::int64_t, const std::string& file) {
        if (file == (Source() / "b.txt").string()) std::ofstream(file, std::ios::binary) << "xx";
    };
    EXPECT_EQ(Run(), kRunFailed);
    EXPECT_EQ(Messages(), std::vector<int>{30302});
    EXPECT_EQ(SummaryOfLog(), Summary({.BackwardCount = 3, .VerifiedCount = 2, .ErrorCount = 1}, true));
    const Lines failed = {NameLine("FEHLER beim Vergleichen:", InArchive(Dest(), "b.txt").Path),
                          NameLine(std::string(20, ' ') + "mit:", On(Source(), "b.txt").Path),
                          "  ! Dateiinhalte sind nicht identisch"};
    const Lines after = LogEvents();
    EXPECT_NE(std::search(after.begin(), after.end(), failed.begin(), failed.end()), after.end())
        << ::testing::PrintToString(after);
}

TEST_F(RunZipTest, TheVariationCanGoIntoTheArchivesName) {
    p.SetTouchMode(eTouchMode::DestOnly);
    p.Variation = 2; // the weekday: Wednesday
    Write(Source(), "a.txt", "a", Older());
    p.ZipAddVariation = true;
    EXPECT_EQ(Run(), kRunSucceeded);
    EXPECT_EQ(Names(Dest()), std::vector<std::string>{"Sicherung Mittwoch.zip"});
    p.ZipAddVariation = false;
    p.CreateDestDirs = true;
    EXPECT_EQ(Run(), kRunSucceeded);
    EXPECT_EQ(ArchiveTree(Dest() / "Mittwoch/Sicherung.zip"), FilesOnDisk(Source()));
}

TEST_F(RunZipTest, EncryptedEntriesNeedTheirPasswordAndAWrongOneOverwritesNothing) {
    p.SetTouchMode(eTouchMode::DestOnly);
    p.ZipEncrypt = true;
    p.ZipPassword = "geheim";
    Write(Source(), "Konto.txt", "Kontostand 1.000", Older());
    EXPECT_EQ(Run(), kRunSucceeded);
    const std::vector<platform::ZipEntry> entries = Entries(Archive());
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_TRUE(entries[0].encrypted);
    EXPECT_EQ(ArchiveTree(Archive(), "geheim"), FilesOnDisk(Source()));
    {
        platform::ZipArchive zip;
        ASSERT_EQ(zip.Open(Archive().string(), false), 0);
        std::FILE* file = std::tmpfile();
        EXPECT_EQ(zip.Extract(0, ::fileno(file), 1000, "falsch"), platform::kZipWrongPassword);
        std::fclose(file);
    }

    // A restore with the wrong password: the question is logged, the file is skipped, the older file in the
    // source stays as it was.
    Write(Source(), "Konto.txt", "alter Stand", Local(2026, 11, 1));
    p.SetTouchMode(eTouchMode::SourceOnly);
    p.ZipPassword = "falsch";
    EXPECT_EQ(Run(), kRunFailed);
    EXPECT_EQ(Read(Source() / "Konto.txt"), "alter Stand");
    const std::string shown = InArchive(Dest(), "Konto.txt").Path;
    const Lines events = LogEvents();
    ASSERT_GE(events.size(), 2u);
    EXPECT_EQ(events[1], "  Kennwort benötigt zum Entpacken der verschlüsselten Datei " + shown + ".");
    EXPECT_EQ(SummaryCount("Fehler"), 1);
    EXPECT_EQ(Names(Source()), std::vector<std::string>{"Konto.txt"});

    // With the right one it comes back.
    p.ZipPassword = "geheim";
    EXPECT_EQ(Run(), kRunSucceeded);
    EXPECT_EQ(Read(Source() / "Konto.txt"), "Kontostand 1.000");
}

TEST_F(RunZipTest, EncryptionWithoutAPasswordStopsBeforeAnyChange) {
    p.SetTouchMode(eTouchMode::DestOnly);
    p.ZipEncrypt = true;
    p.ZipPassword.clear();
    p.Warning3Message = false;
    Write(Source(), "a.txt", "a", Older());
    EXPECT_EQ(Run(), kRunStopped);
    EXPECT_EQ(LogEvents(),
              (Lines{UsingArchive(), "Kennwort benötigt zum Hinzufügen von Dateien mit Verschlüsselung.", "Abbruch."}));
    EXPECT_FALSE(fs::exists(Archive()));

    // An archive that exists stays as it was.
    WriteArchive(Archive(), {{"b.txt", "b", Older()}});
    const std::string bytes = Read(Archive());
    EXPECT_EQ(Run(), kRunStopped);
    EXPECT_EQ(Read(Archive()), bytes);
}

TEST_F(RunZipTest, AReadOnlyEntryIsReplacedOnlyWhenTheProfileAllowsIt) {
    p.SetTouchMode(eTouchMode::DestOnly);
    p.Warning4Message = true;
    WriteArchive(Archive(), {{"fest.txt", "alt", Older(), 0444}, {"frei.txt", "alt", Older()}});
    Write(Source(), "fest.txt", "neu", Newer());
    Write(Source(), "frei.txt", "neu", Newer());
    p.Attributes = 0;
    EXPECT_EQ(Run(), kRunFailed);
    EXPECT_EQ(Messages(), std::vector<int>{30214});
    EXPECT_EQ(ArchiveTree(Archive())["fest.txt"].Content, "alt");
    EXPECT_EQ(ArchiveTree(Archive())["frei.txt"].Content, "neu");
    const Lines refused = Join({
        CopyFailed(On(Source(), "fest.txt", "3", kNewerDate, kNewerTime),
                   InArchive(Dest(), "fest.txt", "3", kOlderDate, kOlderTime), "Datei schreibgeschützt"),
        {"  FEHLER beim Hinzufügen zum Zip-Archiv: 1 Datei kann nicht bearbeitet werden, weil die Datei im Ziel "
         "schreibgeschützt ist."},
    });
    const Lines events = LogEvents();
    EXPECT_NE(std::search(events.begin(), events.end(), refused.begin(), refused.end()), events.end())
        << ::testing::PrintToString(events);
    EXPECT_EQ(SummaryOfLog(), Summary({.ForwardCount = 1, .ErrorCount = 1}));

    p.Attributes = AttributeBits(eAttributeChange::ReadOnly);
    EXPECT_EQ(Run(), kRunSucceeded);
    EXPECT_EQ(ArchiveTree(Archive())["fest.txt"].Content, "neu");
}

TEST_F(RunZipTest, CompressedFormatsAreStoredAndOthersDeflated) {
    p.SetTouchMode(eTouchMode::DestOnly);
    const std::string compressible(20000, 'z');
    Write(Source(), "Bild.jpg", compressible, Older());
    Write(Source(), "Paket.zip", compressible, Older());
    Write(Source(), "Paket.GZ", compressible, Older());
    EXPECT_EQ(Run(), kRunSucceeded);
    std::map<std::string, platform::ZipEntry> byName;
    for (const platform::ZipEntry& entry : Entries(Archive()))
        byName[entry.name] = entry;
    EXPECT_LT(byName["Bild.jpg"].compressedSize, 1000u);
    EXPECT_EQ(byName["Paket.zip"].compressedSize, compressible.size());
    EXPECT_EQ(byName["Paket.GZ"].compressedSize, compressible.size());

    // Level 0 stores everything.
    fs::remove(Archive());
    p.ZipCompression = 0;
    EXPECT_EQ(Run(), kRunSucceeded);
    for (const platform::ZipEntry& entry : Entries(Archive()))
        EXPECT_EQ(entry.compressedSize, compressible.size()) << entry.name;
}

TEST_F(RunZipTest, APlanChangesNothing) {
    p.SetTouchMode(eTouchMode::DestOnly);
    p.CreateDestDirs = true;
    p.DestDirectory = "\\Neu\\";
    Write(Source(), "a.txt", "a", Older());
    Plan onlyPlanned;
    cRunOptions planOnly;
    planOnly.PlanOnly = true;
    planOnly.OnPlan = [&](const cParameters&, const cRunState& run) { onlyPlanned = PlanOf(run); };
    EXPECT_EQ(ExecuteRun(p, control, kSingleProfile, 0, planOnly).Result, kRunSucceeded);
    EXPECT_EQ(onlyPlanned, (Plan{{"Quelle/a.txt", kPlanForward}}));
    EXPECT_EQ(Names(Dest()), std::vector<std::string>{});
}

TEST_F(RunZipTest, AnInaccessibleDirectoryToBuildTheArchiveInStopsTheRun) {
    p.SetTouchMode(eTouchMode::DestOnly);
    Write(Source(), "a.txt", "a", Older());
    p.ZipTempMode = eZipTempMode::TempLocation;
    p.ZipTempLocation = (dir.Path() / "gibt-es-nicht").string();
    EXPECT_EQ(Run(), kRunFailed);
    EXPECT_EQ(LogEvents(),
              (Lines{"Fehler: Das temporäre Zip-Verzeichnis \"" + p.ZipTempLocation + "\" ist nicht zugänglich.",
                     "Abbruch."}));
    EXPECT_FALSE(fs::exists(Archive()));

    p.ZipTempLocation = (dir.Path() / "bau").string() + "/";
    fs::create_directories(dir.Path() / "bau");
    EXPECT_EQ(Run(), kRunSucceeded);
    EXPECT_EQ(Names(dir.Path() / "bau"), std::vector<std::string>{}); // the probe file and the work are gone
    EXPECT_EQ(ArchiveTree(Archive()), FilesOnDisk(Source()));

    // The system's directory for temporary files.
    fs::create_directories(dir.Path() / "tmp");
    const testsupport::EnvironmentOverride tmp("TMPDIR", (dir.Path() / "tmp").string());
    p.ZipTempMode = eZipTempMode::SystemTemp;
    Write(Source(), "b.txt", "b", Older());
    EXPECT_EQ(Run(), kRunSucceeded);
    EXPECT_EQ(Names(dir.Path() / "tmp"), std::vector<std::string>{});
    EXPECT_EQ(ArchiveTree(Archive()), FilesOnDisk(Source()));
    EXPECT_EQ(Names(Dest()), std::vector<std::string>{"Sicherung.zip"});
}

// The two password questions: for adding with encryption, and for an entry that does not open.
class cPasswordInterface : public cRecordingInterface {
public:
    std::optional<std::string> AskZipAddPassword(const std::string& caption) override {
        Captions.push_back(caption);
        return AddPassword;
    }
    cZipPasswordReply AskZipExtractPassword(const std::string& caption, const std::string& fileName) override {
        Captions.push_back(caption);
        Files.push_back(fileName);
        if (Replies.empty()) return {eZipPasswordAnswer::NextFile, {}};
        const cZipPasswordReply reply = Replies.front();
        Replies.erase(Replies.begin());
        return reply;
    }
    std::optional<std::string> AddPassword;
    std::vector<cZipPasswordReply> Replies;
    std::vector<std::string> Captions;
    std::vector<std::string> Files;
};

TEST_F(RunZipTest, ThePasswordQuestionsAreAskedAndTheirAnswersFollowed) {
    cPasswordInterface asking;
    asking.Answer = eAnswer::Yes;
    cRunControl askingControl(asking);
    const auto run = [&] {
        askingControl.Reset();
        const cRunOutcome outcome = ExecuteRun(p, askingControl, kSingleProfile, 0);
        ApplyRunOutcome(p, outcome);
        return outcome.Result;
    };
    p.SetTouchMode(eTouchMode::DestOnly);
    p.ZipEncrypt = true;
    p.Warning3Message = true;
    Write(Source(), "Konto.txt", "Kontostand", Older());
    asking.AddPassword = "geheim";
    EXPECT_EQ(run(), kRunSucceeded);
    EXPECT_EQ(asking.Captions, std::vector<std::string>{"Profil.tvp - Tolvan 6"});
    EXPECT_EQ(ArchiveTree(Archive(), "geheim"), FilesOnDisk(Source()));
    EXPECT_TRUE(Entries(Archive())[0].encrypted);

    // Restoring with a wrong password: "Nochmal" with another wrong one, then with the right one.
    fs::remove(Source() / "Konto.txt");
    p.SetTouchMode(eTouchMode::SourceOnly);
    p.ZipPassword = "falsch";
    p.Warning4Message = true;
    asking.Captions.clear();
    asking.Replies = {{eZipPasswordAnswer::Retry, "auch falsch"}, {eZipPasswordAnswer::Retry, "geheim"}};
    EXPECT_EQ(run(), kRunSucceeded);
    EXPECT_EQ(Read(Source() / "Konto.txt"), "Kontostand");
    const std::string shown = InArchive(Dest(), "Konto.txt").Path;
    EXPECT_EQ(asking.Files, (std::vector<std::string>{shown, shown}));
    const std::string question = "  Kennwort benötigt zum Entpacken der verschlüsselten Datei " + shown + ".";
    const Lines events = LogEvents();
    EXPECT_EQ(std::count(events.begin(), events.end(), question), 2);

    // "Abbruch" stops the run and leaves the source as it was.
    fs::remove(Source() / "Konto.txt");
    asking.Files.clear();
    asking.Replies = {{eZipPasswordAnswer::Cancel, {}}};
    EXPECT_EQ(run(), kRunStopped);
    EXPECT_EQ(asking.Files.size(), 1u);
    EXPECT_FALSE(fs::exists(Source() / "Konto.txt"));
    EXPECT_EQ(LogEvents().back(), "Abbruch.");
}

TEST_F(RunZipTest, WithoutCreatingDirectoriesOnlyTheArchivesOwnTakeFiles) {
    p.SetTouchMode(eTouchMode::DestOnly);
    p.CreateDestDirs = false;
    p.Warning4Message = true;
    WriteArchive(Archive(), {{"Alt/vorher.txt", "v", Older()}});
    Write(Source(), "Alt/vorher.txt", "v", Older());
    Write(Source(), "Alt/Tiefer/neu.txt", "n", Older());
    Write(Source(), "Alt/b.txt", "b", Older());
    Write(Source(), "wurzel.txt", "w", Older());
    EXPECT_EQ(Run(), kRunFailed);
    EXPECT_EQ(Messages(), std::vector<int>{30215});
    Tree expected = FilesOnDisk(Source());
    expected.erase("Alt/Tiefer/neu.txt");
    EXPECT_EQ(ArchiveTree(Archive()), expected);
    const Lines refused = Join({
        CopyFailed(On(Source(), "Alt/Tiefer/neu.txt", "1", kOlderDate, kOlderTime),
                   InArchive(Dest(), "Alt/Tiefer/neu.txt"), "Fehler 3 - Pfad nicht gefunden"),
        {"  FEHLER beim Hinzufügen zum Zip-Archiv: 1 Datei kann nicht bearbeitet werden, weil kein neues "
         "Verzeichnis im Ziel erstellt werden darf."},
    });
    const Lines events = LogEvents();
    EXPECT_NE(std::search(events.begin(), events.end(), refused.begin(), refused.end()), events.end())
        << ::testing::PrintToString(events);
    EXPECT_EQ(SummaryOfLog(), Summary({.ForwardCount = 2, .ErrorCount = 1}));
}

TEST_F(RunZipTest, TheSourcesDirectoriesFollowTheArchive) {
    // Two-way: every directory of the archive gets its source directory; an emptied one goes.
    p.CreateAllSrcDirs = true;
    p.DeleteEmptySrcDirs = true;
    p.OrphanModeB = eOrphanMode::Delete;
    WriteArchive(Archive(), {{"Fotos/Urlaub/bild.txt", "b", Older()}});
    {
        platform::ZipArchive zip;
        ASSERT_EQ(zip.Open(Archive().string(), false), 0);
        ASSERT_EQ(zip.AddDirectory("Leer/Tief", Older()), 0);
        ASSERT_EQ(zip.Close(), 0);
    }
    Write(Source(), "Alt/weg.txt", "w", Older());
    Write(Source(), "Fotos/Urlaub/bild.txt", "b", Older());
    EXPECT_EQ(Run(), kRunSucceeded);
    EXPECT_TRUE(fs::is_directory(Source() / "Leer/Tief"));
    EXPECT_FALSE(fs::exists(Source() / "Alt"));
    const Lines events = LogEvents();
    for (const std::string& line :
         {DirDeleted(Source() / "Alt/"), DirCreated(Source() / "Leer/"), DirCreated(Source() / "Leer/Tief/")})
        EXPECT_NE(std::find(events.begin(), events.end(), line), events.end())
            << line << ::testing::PrintToString(events);
    // Directories are never added to the archive.
    EXPECT_EQ(Entries(Archive()).size(), 2u);
}

TEST_F(RunZipTest, AOneWayRunNeverWritesTheSideItMustNotTouch) {
    // Actions that would write the untouched side, as a faulty preview might hand them over, are refused.
    const auto recordPlan = ui.OnPreview;
    ActionFlags forced = kActionBackward;
    ui.OnPreview = [&](cRunState& run) {
        for (const auto& c : run.Candidates)
            c->Flags = static_cast<ActionFlags>((c->Flags & ~kActionMask) | forced | kFlagCopyContent);
        recordPlan(run);
    };
    // The side the run may change holds the older file, so that the pair is a candidate.
    for (const auto& [touch, action] :
         {std::pair{eTouchMode::DestOnly, kActionBackward}, std::pair{eTouchMode::SourceOnly, kActionForward},
          std::pair{eTouchMode::SourceOnly, kActionDelete}}) {
        SCOPED_TRACE(static_cast<int>(action));
        const bool toArchive = touch == eTouchMode::DestOnly;
        WriteArchive(Archive(), {{"beide.txt", "im Archiv", toArchive ? Older() : Newer()}});
        Write(Source(), "beide.txt", "in der Quelle", toArchive ? Newer() : Older());
        const std::string archive = Read(Archive());
        p.SetTouchMode(touch);
        forced = action;
        EXPECT_EQ(Run(), kRunFailed);
        EXPECT_EQ(Read(Source() / "beide.txt"), "in der Quelle");
        EXPECT_EQ(Read(Archive()), archive);
        // A deletion is refused on both sides, as a whole.
        EXPECT_EQ(SummaryOfLog(), Summary({.ErrorCount = action == kActionDelete ? 2 : 1}));
    }
}

} // namespace
} // namespace runtest
