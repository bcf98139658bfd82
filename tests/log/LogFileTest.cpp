// The log file's encoding while lines are written as the run goes: decided from a large existing file read in
// chunks, and switched whole to UTF-8 after much has been written already.
#include "log/LogFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class LogFileTest : public ::testing::Test {
protected:
    std::string Path() const { return (m_dir.Path() / "Log.txt").string(); }
    testsupport::TempDir m_dir;
};

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
    // More than the write buffer holds, so part of it is on disk in Windows-1252 before the switch.
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

TEST_F(LogFileTest, OnlyRegularFilesAreOpened) {
    cLogFile file;
    EXPECT_NE(file.Open(m_dir.Path().string(), true), 0);
    EXPECT_FALSE(file.IsOpen());
}

} // namespace
