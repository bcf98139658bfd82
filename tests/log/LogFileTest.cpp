// The log file: its encoding decided from a large existing file and switched whole to UTF-8 in place, every
// line on disk at once or held back until a flush point, and a path that is a link, a device or a pipe written
// through as it is.
#include "log/LogFile.h"
#include "platform/Text.h"
#include "support/FileSizeLimit.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

class LogFileTest : public ::testing::Test {
protected:
    std::string Path() const { return (m_dir.Path() / "Log.txt").string(); }
    testsupport::TempDir m_dir;
};

ino_t InodeOf(const fs::path& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 ? info.st_ino : 0;
}

// What a pipe holds now, without waiting.
std::string ReadAvailable(int fd) {
    std::string bytes;
    char buffer[4096];
    for (ssize_t got; (got = ::read(fd, buffer, sizeof buffer)) > 0;)
        bytes.append(buffer, static_cast<std::size_t>(got));
    return bytes;
}

TEST_F(LogFileTest, AUtf8FileIsRecognisedAcrossTheReadChunks) {
    // "ü" (two bytes) straddles the first megabyte; everything else is ASCII.
    std::string existing(1024 * 1024 - 1, 'a');
    existing += "\xC3\xBC\r\n";
    m_dir.WriteFile("Log.txt", existing);
    cLogFile file;
    ASSERT_EQ(file.Open(Path(), true), 0);
    file.AppendLine("Bär");
    file.Close();
    EXPECT_EQ(m_dir.ReadFile("Log.txt"), existing + "Bär\r\n");
}

TEST_F(LogFileTest, ALineOutsideWindows1252TurnsEverythingWrittenIntoUtf8) {
    m_dir.WriteFile("Log.txt", "Gr\xFC\xDF"
                               "e\r\n");
    cLogFile file;
    ASSERT_EQ(file.Open(Path(), true), 0);
    std::string expected = "Grüße\r\n";
    for (int i = 0; i < 5000; ++i) {
        const std::string line = "  Datei vorwärts kopiert: /home/anna/Brief " + std::to_string(i) + ".doc";
        file.AppendLine(line);
        expected += line + "\r\n";
    }
    file.AppendLine("/home/anna/Ősz");
    file.AppendLine("Bär");
    file.Close();
    EXPECT_EQ(m_dir.ReadFile("Log.txt"), expected + "/home/anna/Ősz\r\nBär\r\n");
}

// A run that is killed keeps what it logged: no line waits in a buffer for the next one or for the end.
TEST_F(LogFileTest, EachLineIsInTheFileAsSoonAsItIsAppended) {
    cLogFile file;
    ASSERT_EQ(file.Open(Path(), false), 0);
    file.AppendLine("  Datei vorwärts kopiert: /home/anna/Bär.txt");
    EXPECT_EQ(m_dir.ReadFile("Log.txt"), "  Datei vorw\xE4rts kopiert: /home/anna/B\xE4r.txt\r\n");
    file.AppendLine("/home/anna/Ősz");
    EXPECT_EQ(m_dir.ReadFile("Log.txt"), "  Datei vorwärts kopiert: /home/anna/Bär.txt\r\n/home/anna/Ősz\r\n");
    file.Close();
}

// The log path is a symlink: the switch to UTF-8 converts its target in place (the same inode) and the link
// stays a link, whether the file is appended to or started anew. The old content spans several read chunks
// with umlauts on their borders.
TEST_F(LogFileTest, ALinkedLogIsConvertedInItsTargetAndStaysALink) {
    std::string old;
    for (int i = 0; old.size() < 2'600'000; ++i)
        old += "  Datei vorw\xE4rts kopiert: /home/anna/Gr\xFC\xDF \x80 " + std::to_string(i) + "\r\n";
    for (const bool append : {true, false}) {
        SCOPED_TRACE(append ? "append" : "anew");
        const fs::path target = m_dir.WriteFile("Ablage/Protokoll.txt", old);
        fs::remove(Path());
        fs::create_symlink(target, Path());
        const ino_t inode = InodeOf(target);
        cLogFile file;
        ASSERT_EQ(file.Open(Path(), append), 0);
        file.AppendLine("/home/anna/Ősz");
        file.AppendLine("Bär");
        file.Close();
        EXPECT_TRUE(fs::is_symlink(Path()));
        EXPECT_EQ(InodeOf(target), inode);
        const std::string lines = "/home/anna/Ősz\r\nBär\r\n";
        const std::string content = m_dir.ReadFile("Ablage/Protokoll.txt");
        EXPECT_TRUE(content == (append ? platform::Cp1252ToUtf8(old) : std::string()) + lines)
            << content.size() << " bytes, begins " << content.substr(0, 80);
    }
}

// When the file cannot grow by what UTF-8 needs (a file-size limit here; a full disk is alike), it stays
// Windows-1252 as it was, and a character without a form there becomes "?".
TEST_F(LogFileTest, AFileThatCannotGrowKeepsWindows1252) {
    const std::string old = std::string(1000, '\xFC') + "\r\n";
    m_dir.WriteFile("Log.txt", old);
    {
        testsupport::FileSizeLimit limit(1100);
        cLogFile file;
        ASSERT_EQ(file.Open(Path(), true), 0);
        file.AppendLine("/home/anna/Ősz");
        file.AppendLine("Bär");
        file.Close();
    }
    EXPECT_EQ(m_dir.ReadFile("Log.txt"), old + "/home/anna/?sz\r\nB\xE4r\r\n");
}

// /dev/null is a character device as /dev/stdout on a terminal is: taken and written to, never truncated,
// read or replaced.
TEST_F(LogFileTest, ACharacterDeviceIsWrittenToAsItIs) {
    for (const bool append : {true, false}) {
        cLogFile file;
        ASSERT_EQ(file.Open("/dev/null", append), 0) << append;
        file.AppendLine("Bär");
        file.AppendLine("/home/anna/Ősz");
        file.Close();
        EXPECT_TRUE(fs::is_character_file(fs::symlink_status("/dev/null")));
    }
}

// A FIFO stands for /dev/stdout in a cron job, a pipe: without a reader it is refused at once (never waited
// for); with one, each line arrives as it is appended, in UTF-8 from the first line on, since nothing written
// to a pipe can be converted later.
TEST_F(LogFileTest, APipeGetsUtf8LinesAtOnceAndIsNeverWaitedForWithoutAReader) {
    const std::string fifo = (m_dir.Path() / "Rohr").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    cLogFile file;
    EXPECT_NE(file.Open(fifo, true), 0);
    EXPECT_FALSE(file.IsOpen());

    const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    ASSERT_GE(reader, 0);
    ASSERT_EQ(file.Open(fifo, false), 0);
    file.AppendLine("Bär");
    EXPECT_EQ(ReadAvailable(reader), "Bär\r\n");
    file.AppendLine("/home/anna/Ősz");
    EXPECT_EQ(ReadAvailable(reader), "/home/anna/Ősz\r\n");
    file.Close();
    ::close(reader);
    EXPECT_TRUE(fs::is_fifo(fifo));
}

TEST_F(LogFileTest, ADirectoryIsRefused) {
    cLogFile file;
    EXPECT_NE(file.Open(m_dir.Path().string(), true), 0);
    EXPECT_FALSE(file.IsOpen());
}

// Held lines wait in memory until a flush point and then arrive whole and in order: before a line written at
// once, at Flush and at Close. A pipe gets them as a file does (in UTF-8).
TEST_F(LogFileTest, HeldLinesArriveAtEveryFlushPointInAFileAndInAPipe) {
    const std::string fifo = (m_dir.Path() / "Rohr").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    ASSERT_GE(reader, 0);
    for (const bool pipe : {false, true}) {
        SCOPED_TRACE(pipe ? "pipe" : "file");
        std::string arrived;
        const auto written = [&] {
            if (!pipe) return platform::DecodeFileText(m_dir.ReadFile("Log.txt"));
            arrived += ReadAvailable(reader);
            return arrived;
        };
        cLogFile file;
        ASSERT_EQ(file.Open(pipe ? fifo : Path(), false), 0);
        file.HoldLines(
            {"  Datei vorwärts kopiert: /home/anna/Bär.txt", "                    über: /media/usb/Bär.txt"});
        file.HoldLines({"  Datei gelöscht: /media/usb/Alt.txt"});
        EXPECT_EQ(written(), "");
        file.AppendLine("  FEHLER beim Kopieren: /home/anna/Öl.txt");
        std::string expected = "  Datei vorwärts kopiert: /home/anna/Bär.txt\r\n                    über: "
                               "/media/usb/Bär.txt\r\n  Datei gelöscht: /media/usb/Alt.txt\r\n  FEHLER beim "
                               "Kopieren: /home/anna/Öl.txt\r\n";
        EXPECT_EQ(written(), expected);
        file.HoldLines({"  Verzeichnis erstellt: /media/usb/Neu"});
        file.FlushIfDue(); // held just now: not yet due
        EXPECT_EQ(written(), expected);
        file.Flush();
        expected += "  Verzeichnis erstellt: /media/usb/Neu\r\n";
        EXPECT_EQ(written(), expected);
        file.HoldLines({"Zuletzt"});
        file.Close();
        EXPECT_EQ(written(), expected + "Zuletzt\r\n");
    }
    ::close(reader);
}

// Without any flush point, held lines go out once they fill the buffer or once the oldest has waited the time
// limit (seen by the next held line or by FlushIfDue), so a run busy with one large file still logs.
TEST_F(LogFileTest, HeldLinesGoOutAtTheSizeLimitAndAfterASecond) {
    cLogFile file;
    ASSERT_EQ(file.Open(Path(), false), 0);
    const std::string line(99, 'x'); // 101 bytes with CR LF
    std::size_t held = 0;
    while (m_dir.ReadFile("Log.txt").empty() && held <= cLogFile::kHeldBytesLimit) {
        file.HoldLines({line});
        held += line.size() + 2;
    }
    EXPECT_GE(held, cLogFile::kHeldBytesLimit);
    EXPECT_LT(held, cLogFile::kHeldBytesLimit + 2 * (line.size() + 2));
    EXPECT_EQ(m_dir.ReadFile("Log.txt").size(), held);

    file.HoldLines({"eins"});
    std::this_thread::sleep_for(cLogFile::kHeldTimeLimit);
    file.HoldLines({"zwei"});
    EXPECT_EQ(m_dir.ReadFile("Log.txt").size(), held + 12);
    file.HoldLines({"drei"});
    std::this_thread::sleep_for(cLogFile::kHeldTimeLimit);
    file.FlushIfDue();
    EXPECT_EQ(m_dir.ReadFile("Log.txt").size(), held + 18);
    file.Close();
}

} // namespace
