#include "profile/BatchFormat.h"

#include "platform/Text.h"
#include "profile/LineReader.h"
#include "profile/LineWriter.h"
#include "profile/Parameters.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Written(const cParameters& params) {
    cLineWriter writer;
    WriteBatch(params, writer);
    return platform::EncodeFileText(writer.Text());
}

int ReadBytes(const std::string& bytes, cParameters& params) {
    cLineReader reader;
    reader.OpenBytes(bytes);
    std::string magic;
    if (!reader.ReadText(magic)) return reader.Error();
    EXPECT_EQ(magic, kBatchMagic);
    const bool read = ReadBatch(reader, params);
    EXPECT_EQ(read, reader.Error() == 0);
    return reader.Error();
}

// Every batch option away from its default, three entries with all continuation codes, a negative schedule.
void FillBatch(cParameters& params) {
    params.ResetBatch();
    cBatchParameters& b = params.Batch;
    b.AddEntry({"/home/anna", "\\Profile\\", "Sicherung.tvp", kContinueOnSuccess});
    b.AddEntry({"/media/usb", "\\", "Größe.tvp", kContinueOnFailure});
    b.AddEntry({"/home/anna", "\\Profile\\", "Sicherung.tvp", kContinueAlways}); // duplicates are allowed
    b.ChecksOverride = true;
    b.ShowPreview = false;
    b.WarningsOverride = true;
    b.Warning1Message = false;
    b.Warning1Sound = false;
    b.Warning2Message = false;
    b.Warning2Sound = false;
    b.Warning3Message = false;
    b.Warning3Sound = false;
    b.Warning4Message = false;
    b.Warning4Sound = false;
    b.AutoOpen = true;
    b.AutoHook = true;
    b.AutoExit = true;
    b.AutoShutdown = 3;
    b.TrayIcon = true;
    b.Schedule = {MakeScheduleEntry(false, ScheduleWeekdayBit(0), 1439), MakeScheduleEntry(true, 0, 0)};
}

TEST(BatchFormat, WritesTheLayoutInOrder) {
    cParameters params;
    params.ResetBatch();
    cBatchParameters& b = params.Batch;
    b.AddEntry({"/home/anna", "\\Profile\\", "Sicherung.tvp", kContinueOnSuccess});
    b.AddEntry({"/media/usb", "\\", "Größe.tvp", kContinueOnFailure});
    // One option of each group away from its default, so a shifted row shows.
    b.WarningsOverride = true;
    b.Warning2Sound = false;
    b.AutoExit = true;
    b.AutoShutdown = 4;
    b.Schedule = {MakeScheduleEntry(false, ScheduleWeekdayBit(0), 1439)};

    EXPECT_EQ(Written(params), "Tolvan 6 Batch File\r\n"
                               "2\r\n"
                               "/home/anna\r\n\\Profile\\\r\nSicherung.tvp\r\n1\r\n"
                               "/media/usb\r\n\\\r\nGr\xF6\xDF"
                               "e.tvp\r\n2\r\n"
                               "0\r\n1\r\n1\r\n" // ChecksOverride, ShowPreview, WarningsOverride
                               "1\r\n1\r\n1\r\n0\r\n1\r\n1\r\n1\r\n1\r\n" // Warning1Message .. Warning4Sound
                               "0\r\n0\r\n1\r\n"                          // AutoOpen, AutoHook, AutoExit
                               "4\r\n0\r\n"                               // AutoShutdown, TrayIcon
                               "1\r\n-2130704993\r\n");
}

TEST(BatchFormat, RoundTripIsExactAlsoWhenEmpty) {
    cParameters full;
    FillBatch(full);
    cParameters empty;
    empty.ResetBatch();
    for (const cParameters* original : {&full, &empty}) {
        const std::string first = Written(*original);
        cParameters read;
        ASSERT_EQ(ReadBytes(first, read), 0);
        EXPECT_EQ(read.Batch, original->Batch);
        EXPECT_EQ(Written(read), first);
        EXPECT_EQ(read.DocumentKind, kBatchDocument);
        EXPECT_FALSE(read.LegacyFormat);
    }
}

TEST(BatchFormat, ReadingReplacesOnlyTheBatchPart) {
    cParameters full;
    FillBatch(full);
    cParameters empty;
    empty.ResetBatch();

    cParameters params;
    params.SourceDrive = "/quelle";
    params.SearchDirectories.Add("\\Daten\\*");
    params.ZipPassword = "geheim";
    params.Batch = full.Batch;
    ASSERT_EQ(ReadBytes(Written(empty), params), 0);
    EXPECT_EQ(params.Batch, cBatchParameters());
    EXPECT_EQ(params.SourceDrive, "/quelle");
    EXPECT_EQ(params.SearchDirectories.Size(), 1u);
    EXPECT_EQ(params.ZipPassword, "geheim");
}

TEST(BatchFormat, EntryCountsOfZeroOrLessReadNoEntries) {
    cParameters empty;
    empty.ResetBatch();
    std::string text = Written(empty); // "...File\r\n0\r\n..."
    const std::size_t countAt = text.find("\r\n") + 2;
    for (const char* count : {"-1", "-2147483648"}) {
        std::string bytes = text.substr(0, countAt) + count + text.substr(countAt + 1);
        cParameters params;
        ASSERT_EQ(ReadBytes(bytes, params), 0) << count;
        EXPECT_EQ(params.Batch.EntryCount(), 0u);
    }
}

TEST(BatchFormat, TruncatedOrBadEntriesKeepTheListsParallel) {
    cParameters full;
    FillBatch(full);
    const std::string text = Written(full);
    auto cutAfterLines = [&](int lines) {
        std::size_t pos = 0;
        for (int i = 0; i < lines; ++i)
            pos = text.find("\r\n", pos) + 2;
        return text.substr(0, pos);
    };
    struct Case {
        std::string bytes;
        std::size_t entries; // complete entries read before the failure
    } cases[] = {
        {cutAfterLines(1), 0},
        {cutAfterLines(4), 0},  // inside the first entry
        {cutAfterLines(8), 1},  // inside the second entry
        {cutAfterLines(10), 2}, // after two complete entries
        {cutAfterLines(30), 3}, // inside the options
        {"Tolvan 6 Batch File\r\n2147483647\r\n/a\r\n\\\r\nx.tvp\r\n0\r\n", 1},
        {"Tolvan 6 Batch File\r\n1\r\n/a\r\n\\\r\nx.tvp\r\nimmer\r\n", 0},
        {"Tolvan 6 Batch File\r\nzwei\r\n", 0},
    };
    for (const Case& c : cases) {
        cParameters params;
        EXPECT_EQ(ReadBytes(c.bytes, params), 2002) << c.bytes;
        const cBatchParameters& b = params.Batch;
        EXPECT_EQ(b.ProfileNames.Size(), c.entries) << c.bytes;
        EXPECT_EQ(b.ProfileDrives.Size(), b.ProfileNames.Size());
        EXPECT_EQ(b.ProfileDirectories.Size(), b.ProfileNames.Size());
    }
}

} // namespace
