// A whole run's log: exact text for every detail mode, appending, daily names, NoNormal, open failures, what a
// killed run leaves and the file's encoding.
#include "SampleRun.h"
#include "log/Log.h"
#include "platform/ChildProcess.h"
#include "platform/Clock.h"
#include "platform/FileTime.h"
#include "platform/Text.h"
#include "profile/Parameters.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <optional>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

const std::string kRule(145, '-');
const std::string kNow = "Mittwoch 09.12.2026 02:46:23";

std::string Join(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

class LogRunTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::SetTimeZone("Europe/Berlin");
        platform::SetClock(platform::JoinFileTime(2026, 12, 9, 1, 46, 23));
        m_params.ProfileFile = "/home/anna/Briefe.tvp";
        m_params.Log.FileName = (m_dir.Path() / "Log.txt").string();
    }
    void TearDown() override { platform::SetClock(std::nullopt); }

    // Runs a profile that writes the sample events, with the given counters in the summary.
    void Run(const cRunCounters& counters = {
                 .ForwardCount = 2, .SkippedCount = 1, .DeletedCount = 1, .ErrorCount = 1}) {
        cLog log;
        ASSERT_EQ(OpenLog(log, m_params), 0);
        WriteLogEvent(log, m_params, kLogRunHeader);
        WriteLogEvent(log, m_params, kLogTimeBase);
        for (const auto& [event, data] : logtest::SampleEvents())
            WriteLogEvent(log, m_params, event, data);
        WriteLogEvent(log, m_params, kLogSummary, {.Counters = counters});
        WriteLogEvent(log, m_params, kLogRunFooter);
        CloseLog(log, m_params);
    }

    // The text Run() writes with the current modes.
    std::string ExpectedRun() const {
        const cLogParameters& settings = m_params.Log;
        bool stamped =
            settings.DateTimeMode == eLogDateTime::StartAndEnd || settings.DateTimeMode == eLogDateTime::EveryFile;
        std::vector<std::string> lines = {"", kRule, "Profil: /home/anna/Briefe.tvp", "- gestartet von Hand"};
        if (stamped) lines.push_back(kNow);
        lines.push_back("Datum-Zeit-Stempel von Dateien in Lokalzeit");
        for (const auto& eventLines : logtest::kEventLines) {
            if (settings.DateTimeMode == eLogDateTime::EveryFile) lines.push_back("02:46:23");
            const auto& modeLines = eventLines[static_cast<std::size_t>(settings.FileInfoMode)];
            lines.insert(lines.end(), modeLines.begin(), modeLines.end());
        }
        lines.insert(lines.end(),
                     {"Zusammenfassung", "     2 Dateien vorwärts kopiert", "     0 Dateien rückwärts kopiert",
                      "     1 Dateipaar übersprungen", "     1 einzelne Datei gelöscht",
                      "     0 leere Verzeichnisse gelöscht", "     0 Verzeichnisse erstellt", "     1 Fehler"});
        if (stamped) lines.push_back(kNow);
        lines.push_back(kRule);
        return Join(lines);
    }

    std::string FileText(const std::string& name = "Log.txt") const {
        return platform::DecodeFileText(m_dir.ReadFile(name));
    }

    testsupport::TempDir m_dir;
    cParameters m_params;
};

TEST_F(LogRunTest, WritesExactTextForEveryDateTimeAndFileInfoMode) {
    using enum eLogDateTime;
    using enum eLogFileInfo;
    for (eLogDateTime dateTimeMode : {None, StartAndEnd, EveryFile}) {
        for (eLogFileInfo fileInfoMode : {NameOnly, WithDateTime, WithOldFile}) {
            SCOPED_TRACE("DateTimeMode " + std::to_string(static_cast<int>(dateTimeMode)) + ", FileInfoMode " +
                         std::to_string(static_cast<int>(fileInfoMode)));
            m_params.Log.DateTimeMode = dateTimeMode;
            m_params.Log.FileInfoMode = fileInfoMode;
            m_params.Log.Append = false;
            Run();
            EXPECT_EQ(FileText(), ExpectedRun());
        }
    }
}

TEST_F(LogRunTest, WritesWindows1252WithCrLf) {
    Run();
    std::string bytes = m_dir.ReadFile("Log.txt");
    EXPECT_NE(bytes.find("Datei vorw\xE4rts kopiert:"), std::string::npos);
    EXPECT_EQ(bytes.find("\xC3\xA4"), std::string::npos);
    EXPECT_EQ(bytes.find("\n"), bytes.find("\r\n") + 1);
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
}

TEST_F(LogRunTest, AppendKeepsEarlierRunsAndCreatesAMissingFile) {
    Run();
    Run();
    EXPECT_EQ(FileText(), ExpectedRun() + ExpectedRun());
}

TEST_F(LogRunTest, WithoutAppendEveryRunStartsANewFile) {
    m_dir.WriteFile("Log.txt", "alter Inhalt\r\n");
    m_params.Log.Append = false;
    Run();
    Run();
    EXPECT_EQ(FileText(), ExpectedRun());
}

TEST_F(LogRunTest, DailyPutsTheLongDateBeforeTheExtension) {
    m_params.Log.Daily = true;
    Run();
    std::string expectedName = "Log vom Mittwoch, 9. Dezember 2026.txt";
    EXPECT_EQ(m_params.Log.ActualFileName, (m_dir.Path() / expectedName).string());
    EXPECT_EQ(FileText(expectedName), ExpectedRun());
    EXPECT_FALSE(std::filesystem::exists(m_dir.Path() / "Log.txt"));
}

TEST_F(LogRunTest, NoNormalKeepsFrameAndErrorsOnly) {
    m_params.Log.NoNormal = true;
    m_params.Log.FileInfoMode = eLogFileInfo::NameOnly;
    Run();
    const auto& failedCopy = logtest::kEventLines[4][0];
    std::vector<std::string> lines = {"",
                                      kRule,
                                      "Profil: /home/anna/Briefe.tvp",
                                      "- gestartet von Hand",
                                      kNow,
                                      "Datum-Zeit-Stempel von Dateien in Lokalzeit",
                                      failedCopy[0],
                                      failedCopy[1],
                                      "Zusammenfassung",
                                      "     2 Dateien vorwärts kopiert",
                                      "     0 Dateien rückwärts kopiert",
                                      "     1 Dateipaar übersprungen",
                                      "     1 einzelne Datei gelöscht",
                                      "     0 leere Verzeichnisse gelöscht",
                                      "     0 Verzeichnisse erstellt",
                                      "     1 Fehler",
                                      kNow,
                                      kRule};
    EXPECT_EQ(FileText(), Join(lines));
}

TEST_F(LogRunTest, InactiveLogWritesNothing) {
    m_params.Log.Active = false;
    Run();
    EXPECT_FALSE(std::filesystem::exists(m_dir.Path() / "Log.txt"));
    EXPECT_FALSE(m_params.Log.IsOpen);
}

// A log that cannot be opened gives its code and is closed: every event is dropped (the run asks whether to go
// on without it).
TEST_F(LogRunTest, UnopenableOrEmptyNameRunsWithoutLog) {
    for (std::string name : {(m_dir.Path() / "fehlt" / "Log.txt").string(), m_dir.Path().string(), std::string()}) {
        SCOPED_TRACE(name);
        m_params.Log.FileName = name;
        cLog log;
        EXPECT_NE(OpenLog(log, m_params), 0);
        EXPECT_FALSE(m_params.Log.IsOpen);
        WriteLogEvent(log, m_params, kLogRunHeader);
        CloseLog(log, m_params);
    }
    EXPECT_FALSE(std::filesystem::exists(m_dir.Path() / "fehlt"));
    EXPECT_TRUE(std::filesystem::is_directory(m_dir.Path()));
}

// A run that is killed before it closes its log leaves every line up to its last flush point: the frame and
// errors are written at once (with the routine lines held before them), held routine lines at the start of a
// phase (FlushLog). Only the routine lines after the last of these are lost.
TEST_F(LogRunTest, AKilledRunLeavesItsLinesUpToTheLastFlushPoint) {
    m_params.Log.FileInfoMode = eLogFileInfo::NameOnly;
    m_params.Log.DateTimeMode = eLogDateTime::None;
    m_params.Log.Append = false;
    const auto events = logtest::SampleEvents();
    // Copied (held), failed copy (at once), copied (held), then a phase begins or not, deleted (held), killed.
    for (const bool phase : {false, true}) {
        SCOPED_TRACE(phase ? "a phase began" : "no phase began");
        const std::optional<int> status = testsupport::RunInChild([&] {
            cLog log;
            if (OpenLog(log, m_params) != 0) return 1;
            WriteLogEvent(log, m_params, kLogRunHeader);
            for (const std::size_t event : {0, 4, 1})
                WriteLogEvent(log, m_params, events[event].first, events[event].second);
            if (phase) FlushLog(log);
            WriteLogEvent(log, m_params, events[2].first, events[2].second);
            ::kill(::getpid(), SIGKILL);
            return 2;
        });
        ASSERT_TRUE(status && WIFSIGNALED(*status));
        std::vector<std::string> lines = {"", kRule, "Profil: /home/anna/Briefe.tvp", "- gestartet von Hand"};
        for (const std::size_t event : phase ? std::vector<std::size_t>{0, 4, 1} : std::vector<std::size_t>{0, 4}) {
            const auto& eventLines = logtest::kEventLines[event][0];
            lines.insert(lines.end(), eventLines.begin(), eventLines.end());
        }
        EXPECT_EQ(FileText(), Join(lines));
    }
}

class LogEncodingTest : public LogRunTest {
protected:
    void WriteOne(const std::string& path) {
        cLog log;
        ASSERT_EQ(OpenLog(log, m_params), 0);
        WriteLogEvent(log, m_params, kLogDirCreated, {.Path = path});
        CloseLog(log, m_params);
    }
};

TEST_F(LogEncodingTest, TextOutsideWindows1252IsWrittenAsUtf8) {
    WriteOne("/home/anna/Ősz");
    EXPECT_EQ(m_dir.ReadFile("Log.txt"), "  Verzeichnis erstellt:               /home/anna/Ősz\r\n");
}

// A Windows-1252 file that gets a part outside Windows-1252 is rewritten whole in UTF-8, so that the earlier
// umlauts still read back; a UTF-8 file keeps getting UTF-8 even when the new part would fit Windows-1252.
TEST_F(LogEncodingTest, AppendingNeverMixesEncodings) {
    m_dir.WriteFile("Log.txt", "Gr\xFC\xDF"
                               "e\r\n");
    WriteOne("/home/anna/Ősz");
    std::string afterUtf8 = "Grüße\r\n  Verzeichnis erstellt:               /home/anna/Ősz\r\n";
    EXPECT_EQ(m_dir.ReadFile("Log.txt"), afterUtf8);
    WriteOne("/home/anna/Bär");
    EXPECT_EQ(m_dir.ReadFile("Log.txt"), afterUtf8 + "  Verzeichnis erstellt:               /home/anna/Bär\r\n");
}

// A file name that is no UTF-8 shows escaped and leaves the file's encoding alone: the umlaut beside it stays
// Windows-1252 in the file and UTF-8 in the log kept in memory.
TEST_F(LogEncodingTest, BytesThatAreNoUtf8ShowEscaped) {
    const std::string name = "/home/anna/Gr\xFC\xDF-Bär";
    WriteOne(name);
    EXPECT_EQ(m_dir.ReadFile("Log.txt"), "  Verzeichnis erstellt:               /home/anna/Gr\\xFC\\xDF-B\xE4r\r\n");
    cLog log;
    OpenLogInMemory(log, m_params);
    WriteLogEvent(log, m_params, kLogDirCreated, {.Path = name});
    EXPECT_EQ(LogText(log), "  Verzeichnis erstellt:               /home/anna/Gr\\xFC\\xDF-Bär\r\n");
}

TEST_F(LogEncodingTest, AsciiFileTakesWindows1252Part) {
    m_dir.WriteFile("Log.txt", "alt\r\n");
    WriteOne("/home/anna/Bär");
    EXPECT_EQ(m_dir.ReadFile("Log.txt"), "alt\r\n  Verzeichnis erstellt:               /home/anna/B\xE4r\r\n");
}

} // namespace
