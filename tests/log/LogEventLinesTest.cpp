// Path shortening and the lines of the events beyond the sample run: compare, directory and list-file events,
// the header's start kinds and batch lines, the summary's singular lines and the footer.
#include "log/Log.h"
#include "log/LogLines.h"
#include "platform/Clock.h"
#include "platform/FileTime.h"
#include "platform/Text.h"
#include "profile/Parameters.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(ShortenPathTest, KeepsSixtyCharactersAndCutsLongerPathsToSixty) {
    std::string sixty = "/" + std::string(59, 'a');
    EXPECT_EQ(ShortenPath(sixty), sixty);
    std::string sixtyOne = "/" + std::string(30, 'b') + std::string(30, 'c');
    EXPECT_EQ(ShortenPath(sixtyOne), "/" + std::string(27, 'b') + "..." + std::string(29, 'c'));
    // Characters, not bytes: 60 umlauts stay whole, 61 are cut between characters.
    std::string umlauts;
    for (int i = 0; i < 60; ++i)
        umlauts += "ä";
    EXPECT_EQ(ShortenPath(umlauts), umlauts);
    std::string shortened = ShortenPath(umlauts + "ö");
    EXPECT_TRUE(platform::IsValidUtf8(shortened));
    EXPECT_EQ(shortened, umlauts.substr(0, 56) + "..." + umlauts.substr(0, 54) + "äö");
}

class LogEventLinesTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::SetTimeZone("Europe/Berlin");
        platform::SetClock(platform::JoinFileTime(2026, 12, 9, 1, 46, 23));
        m_params.ProfileFile = "/home/anna/Briefe.tvp";
        m_params.Log.FileName = (m_dir.Path() / "Log.txt").string();
        m_params.Log.Append = false;
    }
    void TearDown() override { platform::SetClock(std::nullopt); }

    // The text that one event writes.
    std::string Lines(int event, const cLogEventData& data = {}) {
        cLog log;
        EXPECT_EQ(OpenLog(log, m_params), 0);
        WriteLogEvent(log, m_params, event, data);
        CloseLog(log, m_params);
        return platform::DecodeFileText(m_dir.ReadFile("Log.txt"));
    }

    testsupport::TempDir m_dir;
    cParameters m_params;
};

TEST_F(LogEventLinesTest, CompareEventsShowNamesOnlyAndTheSecondFileInMode2) {
    cLogEventData data{.Path = "/home/anna/a.txt", .PathSize = "1", .OtherPath = "/media/usb/a.txt", .Code = 2001};
    std::string first = "  Datei verglichen:                   /home/anna/a.txt" + std::string(44, ' ') + "\r\n";
    std::string second = "               mit:                   /media/usb/a.txt" + std::string(44, ' ') + "\r\n";
    m_params.Log.FileInfoMode = eLogFileInfo::WithDateTime;
    EXPECT_EQ(Lines(kLogCompared, data), first);
    m_params.Log.FileInfoMode = eLogFileInfo::WithOldFile;
    EXPECT_EQ(Lines(kLogCompared, data), first + second);
    std::string pad(12, ' ');
    EXPECT_EQ(Lines(kLogCompareFailed, data), "  FEHLER beim Vergleichen:" + pad + "/home/anna/a.txt" +
                                                  std::string(44, ' ') + "\r\n                      mit:" + pad +
                                                  "/media/usb/a.txt" + std::string(44, ' ') +
                                                  "\r\n  ! Dateiinhalte sind nicht identisch\r\n");
}

TEST_F(LogEventLinesTest, DirectoryAndListFileLinesKeepTheWholePath) {
    std::string longPath = "/media/usb/" + std::string(70, 'x');
    EXPECT_EQ(Lines(kLogDirCreated, {.Path = longPath}),
              "  Verzeichnis erstellt:" + std::string(15, ' ') + longPath + "\r\n");
    EXPECT_EQ(Lines(kLogDirDeleted, {.Path = "/a"}), "  Verzeichnis gelöscht:" + std::string(15, ' ') + "/a\r\n");
    std::string failedDir = Lines(kLogDirCreateFailed, {.Path = "/a", .Code = 5});
    EXPECT_EQ(failedDir.substr(0, failedDir.find("\r\n")), "  FEHLER beim Erstellen des Verzeichnisses: /a");
    EXPECT_EQ(failedDir.substr(failedDir.find("\r\n") + 2, 13), "  ! Fehler 5 ");
    EXPECT_EQ(Lines(kLogSnapshotWritten, {.Path = "/s.tvs"}), "  Schnappschuss geschrieben:          /s.tvs\r\n");
    std::string failedList = Lines(kLogStampListRead, {.Path = "/s.tvt", .Code = 2});
    EXPECT_EQ(failedList.substr(0, 56), "  Stempel-Liste NICHT gelesen:        /s.tvt  ! Fehler 2");
}

TEST_F(LogEventLinesTest, TimeLinePrecedesFileEventsOnlyInMode2) {
    m_params.Log.DateTimeMode = eLogDateTime::EveryFile;
    EXPECT_EQ(Lines(kLogDirCreated, {.Path = "/a"}),
              "02:46:23\r\n  Verzeichnis erstellt:" + std::string(15, ' ') + "/a\r\n");
    EXPECT_EQ(Lines(kLogAborted), "Abbruch.\r\n");
    EXPECT_EQ(Lines(30123), "Keine Dateien gefunden.\r\n");
    EXPECT_EQ(Lines(kLogTimeBase), "Datum-Zeit-Stempel von Dateien in Lokalzeit\r\n");
    m_params.UseUTC = true;
    EXPECT_EQ(Lines(kLogTimeBase), "Datum-Zeit-Stempel von Dateien in UTC\r\n");
}

TEST_F(LogEventLinesTest, HeaderNamesStartKindAndBatch) {
    const std::string head = "\r\n" + std::string(145, '-') + "\r\nProfil: /home/anna/Briefe.tvp\r\n";
    const std::string now = "Mittwoch 09.12.2026 02:46:23\r\n";
    m_params.AppName = "Writer";
    struct Case {
        std::uint8_t Kind;
        std::string Line;
    };
    const std::vector<Case> cases = {
        {0, "- gestartet von Hand\r\n"},
        {1, "- automatisch gestartet nach Öffnen\r\n"},
        {2, "- automatisch gestartet, als Anwendung \"Writer\" beendet wurde\r\n"},
        {3, "- automatisch gestartet, als Quelle und Ziel verfügbar wurden\r\n"},
        {4, "- automatisch gestartet im Herunterfahren von Windows\r\n"},
        {0x85, "- automatisch gestartet vom Zeitplaner\r\n"},
        {6, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Lines(kLogRunHeader, {.Kind = c.Kind}), head + c.Line + now) << int(c.Kind);
    m_params.BatchRunning = true;
    m_params.BatchFile = "/home/anna/Alles.tvb";
    m_params.Log.DateTimeMode = eLogDateTime::None;
    EXPECT_EQ(Lines(kLogRunHeader),
              head + "- gestartet aus der Batch-Datei /home/anna/Alles.tvb\r\n- gestartet von Hand\r\n");
    EXPECT_EQ(Lines(kLogRunFooter, {.Kind = 2}),
              "- Bedingung für Fortsetzung der Batch-Datei: Weitermachen bei Misserfolg\r\n" + std::string(145, '-') +
                  "\r\n");
}

TEST_F(LogEventLinesTest, SummaryUsesSingularForOneAndShowsOptionalCounters) {
    m_params.Verify = true;
    m_params.CompareProperties = true;
    cRunCounters ones{1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
    EXPECT_EQ(Lines(kLogSummary, {.Counters = ones}), "Zusammenfassung\r\n"
                                                      "     1 Datei vorwärts kopiert\r\n"
                                                      "     1 Datei rückwärts kopiert\r\n"
                                                      "     1 Dateipaar übersprungen\r\n"
                                                      "     1 einzelne Datei gelöscht\r\n"
                                                      "     1 leeres Verzeichnis gelöscht\r\n"
                                                      "     1 Verzeichnis erstellt\r\n"
                                                      "     1 Dateipaar erfolgreich verglichen\r\n"
                                                      "     1 mal Dateieigenschaften vorwärts übertragen\r\n"
                                                      "     1 mal Dateieigenschaften rückwärts übertragen\r\n"
                                                      "     1 Fehler\r\n");
    cRunCounters many{1234567, 2, 0, 0, 0, 0, 12, 3, 0, 0};
    std::string text = Lines(kLogSummary, {.Counters = many});
    EXPECT_NE(text.find("\r\n1234567 Dateien vorwärts kopiert\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\n    12 Dateipaare erfolgreich verglichen\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\n     0 mal Dateieigenschaften rückwärts übertragen\r\n"), std::string::npos);
}

} // namespace
