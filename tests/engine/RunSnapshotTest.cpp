// Whole runs with OrphanModeB 5: the snapshot of one run tells the next whether an orphan is new or was
// deleted on the other side, and a snapshot that cannot be trusted never decides a deletion.
#include "RunFixture.h"

namespace runtest {
namespace {

class RunSnapshotTest : public RunFixture {
protected:
    // Only problems and the snapshot's own lines are logged.
    RunSnapshotTest() {
        p.OrphanModeB = eOrphanMode::LookInSnapshot;
        p.Log.NoNormal = true;
    }

    std::string SnapshotFile() const { return p.ProfileFile + ".lst"; }
    std::string SnapshotBytes() const {
        std::ifstream in(SnapshotFile(), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    void WriteSnapshotLines(const Lines& lines) const {
        std::ofstream out(SnapshotFile(), std::ios::binary | std::ios::trunc);
        for (const std::string& line : lines)
            out << line << "\r\n";
    }
    std::string ReadLine() const { return ListFileLine("Schnappschuss gelesen:", SnapshotFile()); }
    std::string WrittenLine() const { return ListFileLine("Schnappschuss geschrieben:", SnapshotFile()); }
};

TEST_F(RunSnapshotTest, DeletionsAndNewFilesAreToldApartOnBothSides) {
    Write(Source(), "a.txt", "a", kOlder);
    Write(Dest(), "a.txt", "a", kOlder);
    Write(Source(), "Daten/b.txt", "b", kOlder);
    Write(Dest(), "Daten/b.txt", "b", kOlder);

    // Run 1 finds nothing to do and has no snapshot to read: it writes the first one.
    EXPECT_EQ(Run(), kRunSucceeded);
    EXPECT_EQ(LogEvents(),
              (Lines{ListFileLine("Schnappschuss NICHT gelesen:", SnapshotFile(), "Fehler 2 - Datei nicht gefunden"),
                     "Keine Dateien gefunden.", WrittenLine()}));
    ASSERT_TRUE(fs::exists(SnapshotFile()));
    EXPECT_EQ(fs::path(SnapshotFile()).parent_path(), fs::path(p.ProfileFile).parent_path());
    EXPECT_EQ(SnapshotBytes(), "2\r\n"
                               "\\\r\n1\r\na.txt\r\n\\\r\n1\r\na.txt\r\n"
                               "\\Daten\\\r\n1\r\nb.txt\r\n\\Daten\\\r\n1\r\nb.txt\r\n");

    // Between the runs: a.txt is deleted in the destination and b.txt in the source; each side gets a new file.
    fs::remove(Dest() / "a.txt");
    fs::remove(Source() / "Daten/b.txt");
    Write(Source(), "c.txt", "c", kNewer);
    Write(Dest(), "Daten/d.txt", "d", kNewer);
    EXPECT_EQ(Run(), kRunSucceeded);
    EXPECT_EQ(planned, (Plan{{"Quelle/a.txt", kPlanDelete},
                             {"Quelle/c.txt", kPlanForward},
                             {"Ziel/Daten/b.txt", kPlanDelete},
                             {"Ziel/Daten/d.txt", kPlanBackward}}));
    EXPECT_EQ(LogEvents(), (Lines{ReadLine(), WrittenLine()}));
    // The actions were carried out, and the new snapshot holds the state after them.
    for (const fs::path& root : {Source(), Dest()}) {
        EXPECT_FALSE(fs::exists(root / "a.txt")) << root;
        EXPECT_TRUE(fs::exists(root / "c.txt")) << root;
        EXPECT_FALSE(fs::exists(root / "Daten/b.txt")) << root;
        EXPECT_TRUE(fs::exists(root / "Daten/d.txt")) << root;
    }
    EXPECT_EQ(SnapshotBytes(), "2\r\n"
                               "\\\r\n1\r\nc.txt\r\n\\\r\n1\r\nc.txt\r\n"
                               "\\Daten\\\r\n1\r\nd.txt\r\n\\Daten\\\r\n1\r\nd.txt\r\n");
}

TEST_F(RunSnapshotTest, AStoppedRunKeepsTheLastSnapshot) {
    Write(Source(), "a.txt", "a", kOlder);
    Write(Dest(), "a.txt", "a", kOlder);
    EXPECT_EQ(Run(), kRunSucceeded);
    const std::string before = SnapshotBytes();
    ASSERT_FALSE(before.empty());

    Write(Source(), "neu.txt", "n", kNewer);
    ui.PreviewOk = false; // "Abbrechen" in the preview
    EXPECT_EQ(Run(), kRunStopped);
    EXPECT_EQ(LogEvents(), (Lines{ReadLine(), "Abbruch."}));
    EXPECT_EQ(SnapshotBytes(), before);
}

TEST_F(RunSnapshotTest, ARunWithoutFilesKeepsASnapshotItHasRead) {
    Write(Source(), "a.txt", "a", kOlder);
    Write(Dest(), "a.txt", "a", kOlder);
    EXPECT_EQ(Run(), kRunSucceeded);
    const std::string before = SnapshotBytes();

    // A new pair that needs nothing: a rewritten snapshot would list it.
    Write(Source(), "gleich.txt", "g", kOlder);
    Write(Dest(), "gleich.txt", "g", kOlder);
    EXPECT_EQ(Run(), kRunSucceeded);
    EXPECT_EQ(LogEvents(), (Lines{ReadLine(), "Keine Dateien gefunden."}));
    EXPECT_EQ(SnapshotBytes(), before);
}

TEST_F(RunSnapshotTest, ASnapshotThatCannotBeTrustedDecidesNoDeletion) {
    // The source has a.txt, the destination b.txt. A snapshot read leniently would list a.txt in the destination
    // (so delete it in the source) in every damaged case.
    const std::string damaged = "Ungültiges Dateiformat";
    struct Case {
        const char* name;
        Lines lines;
        std::string error; // empty: read
        Plan expected;
    };
    const Plan allNew = {{"Quelle/a.txt", kPlanForward}, {"Ziel/b.txt", kPlanBackward}};
    const Case cases[] = {
        {"valid",
         {"1", "\\", "0", "\\", "1", "a.txt"},
         "",
         {{"Quelle/a.txt", kPlanDelete}, {"Ziel/b.txt", kPlanBackward}}},
        // Names are compared exactly: A.txt is another file.
        {"valid, name in another case", {"1", "\\", "0", "\\", "1", "A.txt"}, "", allNew},
        {"count beyond the end", {"1", "\\", "0", "\\", "3", "a.txt", "b.txt"}, damaged, allNew},
        {"count that is no number", {"1", "\\", "x", "\\", "1", "a.txt"}, damaged, allNew},
        {"negative count", {"1", "\\", "-1", "\\", "1", "a.txt"}, damaged, allNew},
        {"lines left over", {"1", "\\", "0", "\\", "1", "a.txt", "zuviel"}, damaged, allNew},
        {"directory without backslashes", {"1", "Daten", "0", "\\", "1", "a.txt"}, damaged, allNew},
        {"more pairs than the file holds", {"999999999", "\\", "0", "\\", "1", "a.txt"}, damaged, allNew},
        {"garbage", {"\x01\xff garbage", "a.txt"}, damaged, allNew},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BuildTrees({{true, "a.txt", "a", kNewer}, {false, "b.txt", "b", kNewer}});
        WriteSnapshotLines(c.lines);
        EXPECT_EQ(Run(), kRunSucceeded);
        EXPECT_EQ(planned, c.expected);
        const std::string readLine =
            c.error.empty() ? ReadLine() : ListFileLine("Schnappschuss NICHT gelesen:", SnapshotFile(), c.error);
        EXPECT_EQ(LogEvents(), (Lines{readLine, WrittenLine()}));
    }
}

TEST_F(RunSnapshotTest, AnotherVariationFindsOnlyNewFiles) {
    // Wednesday's run writes the snapshot for the directory "Mittwoch"; Thursday's destination is "Donnerstag",
    // which the snapshot does not know: the source files are new there, never deletions.
    p.Variation = 2;
    Write(Source(), "a.txt", "a", kOlder);
    Write(Dest(), "Mittwoch/a.txt", "a", kOlder);
    EXPECT_EQ(Run(), kRunSucceeded);
    EXPECT_EQ(LogEvents().back(), WrittenLine());

    platform::SetClock(platform::LocalToUtc(platform::JoinFileTime(2026, 12, 10, 14, 0, 0)));
    EXPECT_EQ(Run(), kRunSucceeded);
    EXPECT_EQ(plannedAtDest, (Plan{{"Ziel/Donnerstag/a.txt", kPlanForward}}));
}

TEST_F(RunSnapshotTest, AnUnsavedProfileHasNoSnapshot) {
    p.ProfileFile = std::string(kUntitledProfile);
    Write(Source(), "a.txt", "a", kNewer);
    EXPECT_EQ(Run(), kRunSucceeded);
    const std::string unavailable = "Der Schnappschuss ist nicht verfügbar, solange das Profil noch unbenannt ist";
    const std::string file = std::string(kUntitledProfile) + ".lst";
    EXPECT_EQ(LogEvents(), (Lines{ListFileLine("Schnappschuss NICHT gelesen:", file, unavailable),
                                  ListFileLine("Schnappschuss NICHT geschrieben:", file, unavailable)}));
    EXPECT_EQ(planned, (Plan{{"Quelle/a.txt", kPlanForward}}));
}

} // namespace
} // namespace runtest
