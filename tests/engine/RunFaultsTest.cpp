// Whole runs whose copies fail, are interrupted or end the process: each fault is logged and counted, the run
// goes on where it should, and no target is lost or left half-written (no stray temporary file either).
#include "ActionFixture.h"

#include "platform/FileCopy.h"
#include "platform/StopSignal.h"

#include <csignal>
#include <grp.h>
#include <sys/resource.h>

namespace runtest {
namespace {

const std::string kAccessDenied =
    "Fehler 5 - Datei/Verzeichnis schreibgeschützt/versteckt/System oder ungenügende Berechtigungen";

class RunFaultsTest : public ActionFixture {
protected:
    RunFaultsTest() { p.SetTouchMode(eTouchMode::DestOnly); }

    static cSide Old(const fs::path& root, const std::string& relative, const std::string& size) {
        return {(root / relative).string(), size, kOlderDate, kOlderTime};
    }
    static cSide New(const fs::path& root, const std::string& relative, const std::string& size) {
        return {(root / relative).string(), size, kNewerDate, kNewerTime};
    }
    static cSide Missing(const fs::path& root, const std::string& relative) {
        return {(root / relative).string(), {}, {}, {}};
    }

    void FreshDest() {
        fs::remove_all(Dest());
        fs::create_directories(Dest());
    }
};

TEST_F(RunFaultsTest, AReadOnlyTargetIsReplacedOnlyWhenTheProfileAllowsIt) {
    using enum eInterruptionAnswer;
    struct Case {
        const char* name;
        int attributes;
        std::vector<eInterruptionAnswer> answers;
        bool replaced;
        int errors;
        bool skipped; // logged as skipped after the failure
    };
    const Case cases[] = {
        {"read-only files may be changed", AttributeBits(eAttributeChange::ReadOnly), {}, true, 0, false},
        {"no dialog to ask", AttributeBits(), {}, false, 1, false},
        {"Nächste Datei", AttributeBits(), {NextFile}, false, 1, true},
        {"Nochmal, then no dialog", AttributeBits(), {Retry}, false, 2, false},
    };
    Write(Source(), "a.txt", "neu", Newer());
    Write(Source(), "b.txt", "b", Newer());
    for (const Case& c : cases) {
        FreshDest();
        WriteExact(Dest(), "a.txt", "alt", Older(), 0, 0444);
        p.Attributes = c.attributes;
        ui.Interruptions.clear();
        ui.InterruptionAnswers = c.answers;
        EXPECT_EQ(Run(), c.errors == 0 ? kRunSucceeded : kRunFailed) << c.name;

        const cSide source = New(Source(), "a.txt", "3");
        const cSide dest = Old(Dest(), "a.txt", "3");
        Lines events;
        if (c.replaced) Append(events, CopiedForward(source, dest));
        for (int i = 0; i < c.errors; ++i)
            Append(events, CopyFailed(source, dest, kAccessDenied));
        if (c.skipped) Append(events, Skipped(source, dest));
        Append(events, CopiedForward(New(Source(), "b.txt", "1"), Missing(Dest(), "b.txt")));
        EXPECT_EQ(LogEvents(), events) << c.name;
        EXPECT_EQ(
            SummaryOfLog(),
            Summary({.ForwardCount = c.replaced ? 2 : 1, .SkippedCount = c.skipped ? 1 : 0, .ErrorCount = c.errors}))
            << c.name;
        EXPECT_EQ(ui.Interruptions.size(), static_cast<std::size_t>(c.errors)) << c.name;

        const Tree tree = ReadTree(Dest());
        EXPECT_EQ(Names(Dest()), (std::vector<std::string>{"a.txt", "b.txt"})) << c.name;
        const cEntryState& a = tree.at("a.txt");
        EXPECT_EQ(a.Content, c.replaced ? "neu" : "alt") << c.name;
        EXPECT_EQ(a.Mode, c.replaced ? ReadTree(Source()).at("a.txt").Mode : 0444u) << c.name;
    }
}

TEST_F(RunFaultsTest, AReadOnlyFileIsDeletedOnlyWhenTheProfileAllowsIt) {
    p.OrphanModeD2 = eOrphanMode::Delete; // destination orphans are deleted
    const int readOnlyMayChange = AttributeBits(eAttributeChange::ReadOnly);
    for (const int attributes : {readOnlyMayChange, AttributeBits()}) {
        FreshDest();
        fs::create_directories(Source() / "Alt"); // the source is there, only the file is gone
        WriteExact(Dest(), "Alt/weg.txt", "w", Older(), 0, 0444);
        p.Attributes = attributes;
        const cSide side = Old(Dest(), "Alt/weg.txt", "1");
        if (attributes == readOnlyMayChange) {
            EXPECT_EQ(Run(), kRunSucceeded);
            EXPECT_EQ(LogEvents(), Lines{Deleted(side)});
            EXPECT_FALSE(fs::exists(side.Path));
        } else {
            EXPECT_EQ(Run(), kRunFailed);
            EXPECT_EQ(LogEvents(), (Lines{InfoLine("FEHLER beim Löschen:", side), "  ! Datei schreibgeschützt"}));
            EXPECT_EQ(SummaryOfLog(), Summary({.ErrorCount = 1}));
            EXPECT_EQ(Read(side.Path), "w");
        }
    }
}

TEST_F(RunFaultsTest, AVanishedSourceIsOneErrorAndTheRunGoesOn) {
    Write(Source(), "a.txt", "a", Newer());
    Write(Source(), "b.txt", "bb", Newer());
    Write(Source(), "c.txt", "ccc", Newer());
    // The preview comes after the scan and before the actions.
    const auto recordPlan = ui.OnPreview;
    ui.OnPreview = [&](cRunState& run) {
        recordPlan(run);
        fs::remove(Source() / "b.txt");
    };
    EXPECT_EQ(Run(), kRunFailed);
    EXPECT_EQ(planned.size(), 3u);
    const Lines events = Join({
        CopiedForward(New(Source(), "a.txt", "1"), Missing(Dest(), "a.txt")),
        CopyFailed(New(Source(), "b.txt", "2"), Missing(Dest(), "b.txt"), "Fehler 2 - Datei nicht gefunden"),
        CopiedForward(New(Source(), "c.txt", "3"), Missing(Dest(), "c.txt")),
    });
    EXPECT_EQ(LogEvents(), events);
    EXPECT_EQ(SummaryOfLog(), Summary({.ForwardCount = 2, .ErrorCount = 1}));
    EXPECT_EQ(Names(Dest()), (std::vector<std::string>{"a.txt", "c.txt"}));
}

// A file larger than the process may write: the copy fails like one on a full disk. The old target keeps its
// content, its time and its mode, a read-only one included.
TEST_F(RunFaultsTest, AFullDiskKeepsTheOldTargetAndTheRunGoesOn) {
    struct Case {
        const char* name;
        bool ownCopy;
        unsigned targetMode;
        int attributes;
    };
    const Case cases[] = {
        {"system copy", false, 0644, AttributeBits()},
        {"own copy", true, 0644, AttributeBits()},
        {"read-only target that may be changed", false, 0444, AttributeBits(eAttributeChange::ReadOnly)},
    };
    Write(Source(), "gross.bin", std::string(1 << 20, 'g'), Newer());
    Write(Source(), "klein.txt", "k", Newer());
    for (const Case& c : cases) {
        FreshDest();
        WriteExact(Dest(), "gross.bin", "alt", Older(), 0, c.targetMode);
        const Tree before = ReadTree(Dest());
        p.MyCopy = c.ownCopy;
        p.Attributes = c.attributes;
        const int status = InChild([this] {
            const rlimit limit{256 * 1024, 256 * 1024};
            if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) return 100;
            std::signal(SIGXFSZ, SIG_IGN);
            return static_cast<int>(Run());
        });
        ASSERT_TRUE(WIFEXITED(status)) << c.name << ", status " << status;
        EXPECT_EQ(WEXITSTATUS(status), kRunFailed) << c.name;
        const Lines events = Join({
            CopyFailed(New(Source(), "gross.bin", "1.048.576"), Old(Dest(), "gross.bin", "3"),
                       "Fehler 112 - Kein Platz mehr auf dem Datenträger"),
            CopiedForward(New(Source(), "klein.txt", "1"), Missing(Dest(), "klein.txt")),
        });
        EXPECT_EQ(LogEvents(), events) << c.name;
        EXPECT_EQ(SummaryOfLog(), Summary({.ForwardCount = 1, .ErrorCount = 1})) << c.name;
        EXPECT_EQ(Names(Dest()), (std::vector<std::string>{"gross.bin", "klein.txt"})) << c.name;
        EXPECT_EQ(ReadTree(Dest()).at("gross.bin"), before.at("gross.bin")) << c.name;
    }
}

// Root may write everywhere: the run goes to a child that drops to the unprivileged user "nobody" first.
// Nothing in the directory changes, not even the mode of a read-only file that the profile lets the run
// change (Attributes 1) but that can be neither replaced nor deleted there.
TEST_F(RunFaultsTest, ATargetDirectoryWithoutWritePermission) {
    p.Attributes = AttributeBits(eAttributeChange::ReadOnly);
    p.OrphanModeD2 = eOrphanMode::Delete; // destination orphans are deleted
    Write(Source(), "offen.txt", "o", Newer());
    Write(Source(), "Gesperrt/a.txt", "neu", Newer());
    Write(Source(), "Gesperrt/b.txt", "b", Newer());
    Write(Source(), "Gesperrt/Neu/c.txt", "c", Newer());
    WriteExact(Dest(), "Gesperrt/a.txt", "alt", Older(), 0, 0444);
    WriteExact(Dest(), "Gesperrt/weg.txt", "w", Older(), 0, 0444);
    constexpr uid_t kNobody = 65534;
    const bool dropsRoot = ::geteuid() == 0;
    if (dropsRoot) {
        ASSERT_EQ(::chown(dir.Path().c_str(), kNobody, kNobody), 0);
        for (const auto& entry : fs::recursive_directory_iterator(dir.Path()))
            ASSERT_EQ(::lchown(entry.path().c_str(), kNobody, kNobody), 0) << entry.path();
    }
    ASSERT_EQ(::chmod((Dest() / "Gesperrt").c_str(), 0555), 0);
    const Tree before = ReadTree(Dest() / "Gesperrt");

    const int status = InChild([&] {
        if (dropsRoot && (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)) return 100;
        return static_cast<int>(Run());
    });
    ASSERT_TRUE(WIFEXITED(status)) << status;
    EXPECT_EQ(WEXITSTATUS(status), kRunFailed);
    const std::string newDirectory = (Dest() / "Gesperrt/Neu/").string();
    const Lines events = Join({
        {InfoLine("FEHLER beim Löschen:", Old(Dest(), "Gesperrt/weg.txt", "1")), "  ! " + kAccessDenied},
        CopiedForward(New(Source(), "offen.txt", "1"), Missing(Dest(), "offen.txt")),
        CopyFailed(New(Source(), "Gesperrt/a.txt", "3"), Old(Dest(), "Gesperrt/a.txt", "3"), kAccessDenied),
        CopyFailed(New(Source(), "Gesperrt/b.txt", "1"), Missing(Dest(), "Gesperrt/b.txt"), kAccessDenied),
        {DirLine("FEHLER beim Erstellen des Verzeichnisses:", newDirectory), "  ! " + kAccessDenied},
        CopyFailed(New(Source(), "Gesperrt/Neu/c.txt", "1"), Missing(Dest(), "Gesperrt/Neu/c.txt"),
                   "Fehler 3 - Pfad nicht gefunden"),
    });
    EXPECT_EQ(LogEvents(), events);
    EXPECT_EQ(SummaryOfLog(), Summary({.ForwardCount = 1, .ErrorCount = 5}));
    EXPECT_EQ(ReadTree(Dest() / "Gesperrt"), before);
}

// The process dies in the middle of a large copy: the old target stays as it was, and nothing else is left.
TEST_F(RunFaultsTest, AProcessKilledDuringACopyLeavesTheOldTarget) {
    p.MyCopy = true;
    Write(Source(), "gross.bin", std::string(64 << 20, 'g'), Newer());
    Write(Dest(), "gross.bin", "alt", Older());
    const Tree before = ReadTree(Dest());
    const int status = InChild([this] {
        ui.OnProgress = [](std::int64_t bytes, const std::string&) {
            if (bytes >= static_cast<std::int64_t>(platform::kCopyBlockSize)) std::raise(SIGKILL);
        };
        return static_cast<int>(Run());
    });
    ASSERT_TRUE(WIFSIGNALED(status)) << status;
    EXPECT_EQ(WTERMSIG(status), SIGKILL);
    EXPECT_EQ(ReadTree(Dest()), before);
}

TEST_F(RunFaultsTest, CtrlCStopsTheRunAndRollsBackTheCopyInProgress) {
    Write(Source(), "gross.bin", std::string(8 << 20, 'g'), Newer());
    Write(Source(), "klein.txt", "k", Newer());
    for (const bool ownCopy : {false, true}) {
        FreshDest();
        Write(Dest(), "gross.bin", "alt", Older());
        const Tree before = ReadTree(Dest());
        p.MyCopy = ownCopy;
        platform::InstallStopSignal(control.AbortRequested);
        bool raised = false;
        ui.OnProgress = [&](std::int64_t, const std::string&) {
            if (!raised) std::raise(SIGINT);
            raised = true;
        };
        const std::uint8_t result = Run();
        platform::RemoveStopSignal();
        ui.OnProgress = nullptr;

        ASSERT_TRUE(raised) << "MyCopy " << ownCopy;
        EXPECT_EQ(result, kRunStopped) << "MyCopy " << ownCopy;
        EXPECT_EQ(LogEvents(), Lines{"Abbruch."}) << "MyCopy " << ownCopy;
        EXPECT_EQ(SummaryOfLog(), Summary({})) << "MyCopy " << ownCopy;
        EXPECT_EQ(ReadTree(Dest()), before) << "MyCopy " << ownCopy;
    }
}

// Esc in the progress window interrupts the copy in progress: one error, and the interruption dialog is shown
// even when the profile does not ask after failures.
TEST_F(RunFaultsTest, AnInterruptedCopyAsksWhatToDo) {
    using enum eInterruptionAnswer;
    p.MyCopy = true;
    p.Warning4Message = false;
    Write(Source(), "A/gross.bin", std::string(1 << 20, 'g'), Newer());
    Write(Source(), "A/klein.txt", "k", Newer());
    Write(Source(), "B/b.txt", "b", Newer());
    const cSide big = New(Source(), "A/gross.bin", "1.048.576");
    const cSide oldBig = Old(Dest(), "A/gross.bin", "3");
    const cSide small = New(Source(), "A/klein.txt", "1");
    const Lines failed = CopyFailed(big, oldBig, "Benutzerwunsch");
    const Lines restOfA = CopiedForward(small, Missing(Dest(), "A/klein.txt"));
    const Lines folderB =
        Join({{DirCreated(Dest() / "B/")}, CopiedForward(New(Source(), "B/b.txt", "1"), Missing(Dest(), "B/b.txt"))});
    struct Case {
        const char* name;
        eInterruptionAnswer answer;
        Lines events;
        cRunCounters counters;
    };
    const Case cases[] = {
        {"Nochmal",
         Retry,
         Join({failed, CopiedForward(big, oldBig), restOfA, folderB}),
         {.ForwardCount = 3, .DirsCreatedCount = 1, .ErrorCount = 1}},
        {"Nächste Datei",
         NextFile,
         Join({failed, Skipped(big, oldBig), restOfA, folderB}),
         {.ForwardCount = 2, .SkippedCount = 1, .DirsCreatedCount = 1, .ErrorCount = 1}},
        {"Nächster Ordner",
         NextFolder,
         Join({failed, Skipped(big, oldBig), Skipped(small, Missing(Dest(), "A/klein.txt")), folderB}),
         {.ForwardCount = 1, .SkippedCount = 2, .DirsCreatedCount = 1, .ErrorCount = 1}},
        {"Löschen",
         Delete,
         Join({failed, {Deleted(big), Deleted(oldBig)}, restOfA, folderB}),
         {.ForwardCount = 2, .DeletedCount = 2, .DirsCreatedCount = 1, .ErrorCount = 1}},
        {"Beenden", Stop, Join({failed, {"Abbruch."}}), {.ErrorCount = 1}},
    };
    for (const Case& c : cases) {
        FreshDest();
        Write(Source(), "A/gross.bin", std::string(1 << 20, 'g'), Newer());
        Write(Dest(), "A/gross.bin", "alt", Older());
        bool interrupted = false;
        ui.OnProgress = [&](std::int64_t, const std::string& file) {
            if (interrupted || file != big.Path) return;
            control.InterruptRequested = true;
            interrupted = true;
        };
        ui.Interruptions.clear();
        ui.InterruptionAnswers = {c.answer};
        EXPECT_EQ(Run(), kRunFailed) << c.name;
        EXPECT_EQ(LogEvents(), c.events) << c.name;
        EXPECT_EQ(SummaryOfLog(), Summary(c.counters)) << c.name;
        ASSERT_EQ(ui.Interruptions.size(), 1u) << c.name;
        EXPECT_EQ(ui.Interruptions[0].Code, 1235) << c.name;
        EXPECT_EQ(ui.Interruptions[0].ToPath, oldBig.Path) << c.name;
        // The interrupted copy left the old target (or the deletion removed it) and no temporary file.
        if (c.answer == Retry)
            EXPECT_EQ(Read(Dest() / "A/gross.bin"), std::string(1 << 20, 'g')) << c.name;
        else if (c.answer == Delete)
            EXPECT_FALSE(fs::exists(Dest() / "A/gross.bin")) << c.name;
        else
            EXPECT_EQ(Read(Dest() / "A/gross.bin"), "alt") << c.name;
        for (const std::string& name : Names(Dest() / "A"))
            EXPECT_NE(name.front(), '.') << c.name << ": " << name;
    }
}

} // namespace
} // namespace runtest
