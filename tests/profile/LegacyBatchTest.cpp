// The 4.00/5.00 and 3.00 batch files: entries split from full paths, options, extra-data blocks.
#include "LegacyTestRows.h"

#include <functional>

namespace {

using namespace legacytest;

class LegacyBatchTest : public LegacyReadTest {};

// A "Tolvan 4.00/5.00 Batch File" with the given entries and extra rows behind the schedule.
Rows Batch4(const std::string& firstLine, const Rows& paths, const Rows& extra) {
    Rows rows = Rows{firstLine, std::to_string(paths.size())} + paths;
    return rows + Rows{"3", "1", "0", "2", "1", "1", ScheduleRow(kSundayOff)} + extra;
}

TEST_F(LegacyBatchTest, Batch4ReadsEntriesOptionsAndExtraBlocks) {
    const Rows paths = {"C:\\Profile\\Sicherung.tvp", "\\\\NAS\\Daten\\Profile\\Abgleich.tvp", "D:\\Mail.tvp"};
    for (const char* firstLine : {"Tolvan 4.00 Batch File", "Tolvan 5.00 Batch File"}) {
        SCOPED_TRACE(firstLine);
        params.SourceDrive = "/srv/quelle";
        ASSERT_TRUE(Read(Batch4(
            firstLine, paths,
            {"Tolvan 4.03 Extra Data", "1", "Tolvan 5.02 Extra Data", "1", "Tolvan 5.03 Extra Data", "1", "2", "0"})))
            << Error();
        EXPECT_EQ(params.DocumentKind, kBatchDocument);
        EXPECT_TRUE(params.LegacyFormat);
        EXPECT_EQ(params.SourceDrive, "/srv/quelle") << "a batch file leaves the profile part alone";

        const cBatchParameters& batch = params.Batch;
        ASSERT_EQ(batch.EntryCount(), 3u);
        BatchEntry first = batch.Entry(0);
        EXPECT_EQ(first.Drive, "C:");
        EXPECT_EQ(first.Directory, "\\Profile\\");
        EXPECT_EQ(first.Name, "Sicherung.tvp");
        EXPECT_EQ(first.Continuation, 1);
        EXPECT_EQ(batch.Entry(1).Drive, "\\\\NAS\\Daten");
        EXPECT_EQ(batch.Entry(1).Continuation, 2);
        EXPECT_EQ(batch.Entry(2).Continuation, 0);
        // Warning bits 3: both flags of warning 1 only.
        EXPECT_TRUE(batch.Warning1Message && batch.Warning1Sound);
        EXPECT_FALSE(batch.Warning2Message || batch.Warning2Sound || batch.Warning3Message || batch.Warning3Sound ||
                     batch.Warning4Message || batch.Warning4Sound);
        EXPECT_TRUE(batch.AutoOpen);
        EXPECT_FALSE(batch.AutoExit);
        EXPECT_EQ(batch.AutoShutdown, 2);
        EXPECT_TRUE(batch.AutoHook);
        EXPECT_EQ(batch.Schedule, std::vector<ScheduleEntry>{kSundayOff});
        EXPECT_TRUE(batch.TrayIcon);
        EXPECT_TRUE(batch.WarningsOverride);
        EXPECT_EQ(batch.ChecksOverride, defaults.Batch.ChecksOverride);
        EXPECT_EQ(batch.ShowPreview, defaults.Batch.ShowPreview);
    }

    // Without the early blocks the continuation block is still read; without any, every entry goes on.
    ASSERT_TRUE(Read(Batch4("Tolvan 5.00 Batch File", paths, {"Tolvan 5.03 Extra Data", "2", "1", "1"}))) << Error();
    EXPECT_FALSE(params.Batch.TrayIcon);
    EXPECT_FALSE(params.Batch.WarningsOverride);
    EXPECT_EQ(params.Batch.Entry(0).Continuation, 2);
    EXPECT_EQ(params.Batch.Entry(2).Continuation, 1);
    ASSERT_TRUE(Read(Batch4("Tolvan 4.00 Batch File", paths, {}))) << Error();
    for (std::size_t i = 0; i < params.Batch.EntryCount(); ++i)
        EXPECT_EQ(params.Batch.Entry(i).Continuation, 0);

    EXPECT_FALSE(Read(Batch4("Tolvan 5.00 Batch File", paths, {"Tolvan 5.03 Extra Data", "1", "eins"})));
    EXPECT_EQ(Error(), 2002);
}

// A marker position may hold a line that is no marker: it skips only its own block, and every later block is
// still read (the continuation codes too); so it is when a block is simply left out.
TEST_F(LegacyBatchTest, Batch4LineThatIsNoMarkerSkipsOnlyItsOwnBlock) {
    const std::vector<Rows> blocks = {
        {"Tolvan 4.03 Extra Data", "1"}, {"Tolvan 5.02 Extra Data", "1"}, {"Tolvan 5.03 Extra Data", "1", "2", "1"}};
    const std::function<bool(const cBatchParameters&)> probes[] = {
        [](const cBatchParameters& b) { return b.TrayIcon; },
        [](const cBatchParameters& b) { return b.WarningsOverride; },
        [](const cBatchParameters& b) {
            return b.Entry(0).Continuation == 1 && b.Entry(1).Continuation == 2 && b.Entry(2).Continuation == 1;
        },
    };
    std::vector<BlockChanges> cases = EachPositionChanged(blocks);
    cases.push_back({{0, ""}, {1, std::nullopt}});
    const Rows paths = {"C:\\A.tvp", "C:\\B.tvp", "C:\\C.tvp"};
    for (const char* firstLine : {"Tolvan 4.00 Batch File", "Tolvan 5.00 Batch File"}) {
        for (const BlockChanges& changes : cases) {
            SCOPED_TRACE(std::string(firstLine) + ", " + Describe(changes));
            ASSERT_TRUE(Read(Batch4(firstLine, paths, BlocksWith(blocks, changes)))) << Error();
            ASSERT_EQ(params.Batch.EntryCount(), 3u);
            for (std::size_t block = 0; block < std::size(probes); ++block)
                EXPECT_EQ(probes[block](params.Batch), !changes.contains(block)) << "block " << block;
        }
    }
}

TEST_F(LegacyBatchTest, BatchEntryPathsSplitIntoRootDirectoryAndName) {
    const std::string deep = "\\" + std::string(299, 'v') + "\\";
    struct cCase {
        std::string Path, Drive, Directory, Name;
    };
    const cCase cases[] = {
        {"C:\\Profile\\Sicherung.tvp", "C:", "\\Profile\\", "Sicherung.tvp"},
        {"c:\\Sicherung.tvp", "c:", "\\", "Sicherung.tvp"},
        {"C:Sicherung.tvp", "C:", "", "Sicherung.tvp"},
        {"\\\\NAS\\Daten\\Profile\\Abgleich.tvp", "\\\\NAS\\Daten", "\\Profile\\", "Abgleich.tvp"},
        {"\\\\NAS\\Daten\\Abgleich.tvp", "\\\\NAS\\Daten", "\\", "Abgleich.tvp"},
        {"\\\\NAS\\Daten", "\\\\NAS\\Daten", "", ""},
        {"\\\\NAS", "\\\\NAS", "", ""},
        {"%PROFILE%\\Sicherung.tvp", "", "%PROFILE%\\", "Sicherung.tvp"},
        {"Sicherung.tvp", "", "", "Sicherung.tvp"},
        {"D:\\B\xFCro\\Post.tvp", "D:", "\\B\xC3\xBCro\\", "Post.tvp"},
        // The directory keeps at most 260 characters.
        {"E:" + deep + "Tief.tvp", "E:", deep.substr(0, 260), "Tief.tvp"},
    };
    Rows rows = {"Tolvan 3.00 Batch File", "0", "0", "0", "0", "", ""};
    for (const cCase& c : cases)
        rows.push_back(c.Path);
    ASSERT_TRUE(Read(rows)) << Error();
    ASSERT_EQ(params.Batch.EntryCount(), std::size(cases));
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(cases[i].Path);
        BatchEntry entry = params.Batch.Entry(i);
        EXPECT_EQ(entry.Drive, cases[i].Drive);
        EXPECT_EQ(entry.Directory, cases[i].Directory);
        EXPECT_EQ(entry.Name, cases[i].Name);
    }
}

TEST_F(LegacyBatchTest, Batch3ReadsEveryPathLineToTheEnd) {
    ASSERT_TRUE(
        Read({"Tolvan 3.00 Batch File", "20", "2", "0", "1", "frei", "frei", "C:\\A.tvp", "C:\\B.tvp", "C:\\C.tvp"}))
        << Error();
    EXPECT_EQ(params.DocumentKind, kBatchDocument);
    EXPECT_TRUE(params.LegacyFormat);
    const cBatchParameters& batch = params.Batch;
    ASSERT_EQ(batch.EntryCount(), 3u);
    for (std::size_t i = 0; i < 3; ++i)
        EXPECT_EQ(batch.Entry(i).Continuation, 0);
    EXPECT_EQ(batch.Entry(2).Name, "C.tvp");
    // Warning bits 20 = 0001 0100: Warning2Message and Warning3Message.
    EXPECT_TRUE(batch.Warning2Message && batch.Warning3Message);
    EXPECT_FALSE(batch.Warning1Message || batch.Warning2Sound || batch.Warning3Sound || batch.Warning4Message);
    EXPECT_TRUE(batch.AutoOpen);
    EXPECT_FALSE(batch.AutoExit);
    EXPECT_EQ(batch.AutoShutdown, 1);

    // Blank lines name no profile; a file without a last line break loses nothing.
    ASSERT_TRUE(ReadBytes("Tolvan 3.00 Batch File\r\n0\r\n0\r\n0\r\n0\r\n\r\n\r\nC:\\A.tvp\r\n\r\n  \r\nC:\\B.tvp"))
        << Error();
    ASSERT_EQ(params.Batch.EntryCount(), 2u);
    EXPECT_EQ(params.Batch.Entry(1).Name, "B.tvp");

    // A file that ends inside the option rows fails.
    EXPECT_FALSE(Read({"Tolvan 3.00 Batch File", "0", "0", "0"}));
    EXPECT_EQ(Error(), 2002);
}

TEST_F(LegacyBatchTest, HostileCountsAndLengthsNeitherCrashNorReserve) {
    ASSERT_TRUE(Read({"Tolvan 4.00 Batch File", "-1", "0", "0", "0", "0", "0", "0", "Tolvan 5.03 Extra Data"}))
        << Error();
    EXPECT_EQ(params.Batch.EntryCount(), 0u);

    EXPECT_FALSE(Read({"Tolvan 4.00 Batch File", "2147483647", "C:\\A.tvp"}));
    EXPECT_EQ(Error(), 2002);

    Rows manyPaths = {"Tolvan 3.00 Batch File", "0", "0", "0", "0", "", ""};
    for (int i = 0; i < 5000; ++i)
        manyPaths.push_back("C:\\Profile\\P" + std::to_string(i) + ".tvp");
    ASSERT_TRUE(Read(manyPaths)) << Error();
    EXPECT_EQ(params.Batch.EntryCount(), 5000u);
}

} // namespace
