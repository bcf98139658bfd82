// Zip runs against what must never happen: an archive's names or links leading out of the source, a damaged
// archive taken for an empty one, and a stopped or killed run leaving a torn archive.
#include "ZipFixture.h"

#include <csignal>
#include <cstdlib>

namespace runtest {
namespace {

class RunZipSafetyTest : public ZipFixture {
protected:
    // Runs python3 with the script and the archive path; the script writes the archive.
    static void Python(const std::string& script, const fs::path& archive) {
        const std::string command = "/usr/bin/python3 -c '" + script + "' '" + archive.string() + "'";
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
    }

    // Everything in the test directory outside the two trees, the profile's files and the log.
    std::vector<std::string> Strays() const {
        std::vector<std::string> strays;
        for (const auto& entry : fs::recursive_directory_iterator(dir.Path())) {
            const std::string relative = entry.path().lexically_relative(dir.Path()).string();
            if (relative.starts_with("Quelle") || relative.starts_with("Ziel") || relative.starts_with("Profil") ||
                relative == "Log.txt" || relative.starts_with("archivquellen"))
                continue;
            strays.push_back(relative);
        }
        return strays;
    }

    static int ErrorLines(const Lines& events) {
        return static_cast<int>(std::count_if(events.begin(), events.end(),
                                              [](const std::string& line) { return line.starts_with("  FEHLER"); }));
    }
};

TEST_F(RunZipSafetyTest, HostileNamesAndLinksNeverLeaveTheSource) {
    Python(R"(
import sys, zipfile
with zipfile.ZipFile(sys.argv[1], "w") as z:
    for name in ["../x", "/abs", "C:\\x", "Unter/../../y"]:
        z.writestr(zipfile.ZipInfo(name), "boese")
    for name, target in [("raus", "../../aussen"), ("Unter/gut", "ok.txt"), ("Unter/tief", "../../aussen")]:
        link = zipfile.ZipInfo(name)
        link.create_system = 3
        link.external_attr = 0o120777 << 16
        z.writestr(link, target)
    z.writestr("Unter/ok.txt", "gut")
)",
           Archive());
    p.SetTouchMode(eTouchMode::SourceOnly);
    p.CreateSrcDirs = true;
    EXPECT_EQ(Run(), kRunFailed);

    EXPECT_EQ(Read(Source() / "Unter/ok.txt"), "gut");
    EXPECT_TRUE(fs::is_symlink(Source() / "Unter/gut"));
    EXPECT_EQ(fs::read_symlink(Source() / "Unter/gut"), "ok.txt");
    EXPECT_FALSE(fs::exists(fs::symlink_status(Source() / "raus")));
    EXPECT_FALSE(fs::exists(fs::symlink_status(Source() / "Unter/tief")));
    EXPECT_EQ(Strays(), std::vector<std::string>{});
    EXPECT_EQ(Names(Source()), std::vector<std::string>{"Unter"});
    EXPECT_EQ(Names(Source() / "Unter"), (std::vector<std::string>{"gut", "ok.txt"}));
    // An error line for each hostile entry (four names, two links), and the sum of the extraction: the two
    // links are the files it did not do.
    const Lines events = LogEvents();
    EXPECT_EQ(ErrorLines(events), 4 + 2 + 1) << ::testing::PrintToString(events);
    EXPECT_EQ(events.back(), "  FEHLER beim Entpacken aus dem Zip-Archiv: Nur 2 von 4 Dateien bearbeitet.");
    EXPECT_EQ(SummaryCount("Fehler"), 4 + 2);
}

TEST_F(RunZipSafetyTest, ADamagedArchiveIsNeitherEmptiedNorReplaced) {
    p.SetTouchMode(eTouchMode::DestOnly);
    p.OrphanModeD2 = eOrphanMode::Delete;
    Write(Source(), "a.txt", "a", Older());
    Write(Source(), "b.txt", std::string(5000, 'b'), Older());
    EXPECT_EQ(Run(), kRunSucceeded);
    std::string bytes = Read(Archive());
    bytes.resize(bytes.size() - 30); // the end of the central directory is gone
    std::ofstream(Archive(), std::ios::binary | std::ios::trunc) << bytes;

    // A backup finds the archive unreadable: nothing is added or deleted, the archive stays as it is.
    Write(Source(), "c.txt", "c", Newer());
    EXPECT_EQ(Run(), kRunFailed);
    EXPECT_EQ(Read(Archive()), bytes);
    const Lines events = LogEvents();
    EXPECT_EQ(ErrorLines(events), 1) << ::testing::PrintToString(events);
    EXPECT_EQ(SummaryOfLog(), Summary({.ErrorCount = 1}));

    // Nor does a restore write anything into the source.
    p.SetTouchMode(eTouchMode::SourceOnly);
    const Tree source = ReadTree(Source());
    EXPECT_EQ(Run(), kRunFailed);
    EXPECT_EQ(ReadTree(Source()), source);
}

TEST_F(RunZipSafetyTest, AStopWhileTheArchiveIsWrittenKeepsTheOldOne) {
    p.SetTouchMode(eTouchMode::DestOnly);
    Write(Source(), "alt.txt", "alter Inhalt", Older());
    EXPECT_EQ(Run(), kRunSucceeded);
    const Tree before = ArchiveTree(Archive());

    std::string big(8 << 20, ' ');
    for (std::size_t i = 0; i < big.size(); ++i)
        big[i] = static_cast<char>(i * 7919 % 251);
    Write(Source(), "gross.bin", big, Newer());
    Write(Source(), "alt.txt", "neuer Inhalt", Newer());
    ui.OnProgress = [this](std::int64_t done, const std::string& file) {
        if (file == Archive().string() && done > 0) control.AbortRequested = true; // the window's button
    };
    EXPECT_EQ(Run(), kRunStopped);
    EXPECT_EQ(ArchiveTree(Archive()), before);
    EXPECT_EQ(Names(Dest()), std::vector<std::string>{"Sicherung.zip"});
    const Lines events = LogEvents();
    EXPECT_EQ(events, (Lines{UsingArchive(), "Abbruch."}));

    ui.OnProgress = nullptr;
    EXPECT_EQ(Run(), kRunSucceeded);
    EXPECT_EQ(ArchiveTree(Archive()), FilesOnDisk(Source()));
}

TEST_F(RunZipSafetyTest, AKillWhileTheArchiveIsWrittenKeepsTheOldOneAndTheNextRunCleansUp) {
    p.SetTouchMode(eTouchMode::DestOnly);
    Write(Source(), "alt.txt", "alter Inhalt", Older());
    EXPECT_EQ(Run(), kRunSucceeded);
    const Tree before = ArchiveTree(Archive());

    std::string big(16 << 20, ' ');
    for (std::size_t i = 0; i < big.size(); ++i)
        big[i] = static_cast<char>(i * 7919 % 251);
    Write(Source(), "gross.bin", big, Newer());
    Write(Source(), "alt.txt", "neuer Inhalt", Newer());
    const int status = InChild([this] {
        ui.OnProgress = [this](std::int64_t done, const std::string& file) {
            if (file == Archive().string() && done > (4 << 20)) ::raise(SIGKILL);
        };
        (void)Run();
        return 3;
    });
    ASSERT_TRUE(WIFSIGNALED(status)) << status;
    EXPECT_EQ(ArchiveTree(Archive()), before);
    // What the killed run was building lies beside the archive under temporary names; the next run removes it
    // first, and says so.
    std::vector<std::string> leftovers = Names(Dest());
    std::erase(leftovers, "Sicherung.zip");
    ASSERT_FALSE(leftovers.empty());
    for (const std::string& name : leftovers)
        EXPECT_TRUE(name.starts_with(".~tolvan-")) << name;

    EXPECT_EQ(Run(), kRunSucceeded);
    EXPECT_EQ(Names(Dest()), std::vector<std::string>{"Sicherung.zip"});
    EXPECT_EQ(ArchiveTree(Archive()), FilesOnDisk(Source()));
    const Lines events = LogEvents();
    for (const std::string& name : leftovers)
        EXPECT_NE(std::find(events.begin(), events.end(),
                            "  Temporäre Datei eines abgebrochenen Laufs gelöscht: " + (Dest() / name).string()),
                  events.end())
            << name << ::testing::PrintToString(events);
}

TEST_F(RunZipSafetyTest, AMissingArchiveIsNoReasonToDeleteTheSource) {
    // Two-way with a snapshot: the archive is gone (another disk, a renamed file); by the snapshot every source
    // file looks deleted in the archive. The run asks first, and No keeps everything.
    p.OrphanModeB = eOrphanMode::LookInSnapshot;
    Write(Source(), "a.txt", "a", Older());
    Write(Source(), "Briefe/b.txt", "b", Older());
    EXPECT_EQ(Run(), kRunSucceeded);
    ASSERT_TRUE(fs::exists(Archive()));
    fs::remove(Archive());
    const Tree source = ReadTree(Source());
    p.Warning3Message = true;
    ui.Answers[30130] = eAnswer::No;
    EXPECT_EQ(Run(), kRunFailed);
    EXPECT_EQ(ReadTree(Source()), source);
    EXPECT_EQ(Messages(), std::vector<int>{30130});
    EXPECT_FALSE(fs::exists(Archive()));
}

TEST_F(RunZipSafetyTest, AFileThatChangesWhileItIsAddedIsNotReportedAsCopied) {
    p.SetTouchMode(eTouchMode::DestOnly);
    Write(Source(), "fest.txt", "bleibt", Older());
    Write(Source(), "wandert.txt", std::string(1 << 20, 'w'), Older());
    bool changed = false;
    ui.OnProgress = [&](std::int64_t, const std::string& file) {
        if (file != Archive().string() || changed) return;
        changed = true;
        Write(Source(), "wandert.txt", std::string(1 << 20, 'x') + "mehr", Newer());
    };
    EXPECT_EQ(Run(), kRunFailed);
    ASSERT_TRUE(changed);
    const Lines failed =
        CopyFailed(On(Source(), "wandert.txt", "1.048.576", kOlderDate, kOlderTime), InArchive(Dest(), "wandert.txt"),
                   "Die Quelldatei wurde während des Kopierens geändert");
    const Lines events = LogEvents();
    EXPECT_NE(std::search(events.begin(), events.end(), failed.begin(), failed.end()), events.end())
        << ::testing::PrintToString(events);
    EXPECT_EQ(SummaryOfLog(), Summary({.ForwardCount = 1, .ErrorCount = 1}));

    // The next run sees the new file and adds it.
    ui.OnProgress = nullptr;
    EXPECT_EQ(Run(), kRunSucceeded);
    EXPECT_EQ(ArchiveTree(Archive()), FilesOnDisk(Source()));
}

TEST_F(RunZipSafetyTest, AnInterruptionDuringARestoreStopsAfterTheCurrentFile) {
    WriteArchive(Archive(), {{"a.txt", "a", Older()}, {"b.txt", "b", Older()}, {"c.txt", "c", Older()}});
    p.SetTouchMode(eTouchMode::SourceOnly);
    ui.OnProgress = [this](std::int64_t, const std::string&) { control.InterruptRequested = true; }; // Esc
    EXPECT_EQ(Run(), kRunStopped);
    EXPECT_EQ(Names(Source()), std::vector<std::string>{"a.txt"});
    EXPECT_FALSE(control.InterruptRequested);
    EXPECT_EQ(LogEvents().back(), "Abbruch.");
}

} // namespace
} // namespace runtest
