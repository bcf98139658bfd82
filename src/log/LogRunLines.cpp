#include "log/LogRunLines.h"

#include "platform/Clock.h"
#include "platform/GermanFormat.h"
#include "profile/Parameters.h"
#include "profile/Variables.h"

#include <cstdio>
#include <string_view>

namespace {

const std::string kRule(145, '-');

// Whether the run's first and last lines carry the date and time: in both modes that write a time at all.
bool StampsStartAndEnd(const cLogParameters& log) {
    return log.DateTimeMode == eLogDateTime::StartAndEnd || log.DateTimeMode == eLogDateTime::EveryFile;
}

std::string DateTimeLine() {
    return platform::FormatDateTime("dddd ddddd tt", platform::NowLocal());
}

void AppendStartLine(std::vector<std::string>& lines, const cParameters& params, std::uint8_t kind) {
    switch (kind & 0x7F) {
    case 0:
        lines.push_back("- gestartet von Hand");
        break;
    case 1:
        lines.push_back("- automatisch gestartet nach Öffnen");
        break;
    case 2:
        lines.push_back("- automatisch gestartet, als Anwendung \"" +
                        ExpandVariables(params.AppName, params.DateOffset) + "\" beendet wurde");
        break;
    case 3:
        lines.push_back("- automatisch gestartet, als Quelle und Ziel verfügbar wurden");
        break;
    case 4:
        lines.push_back("- automatisch gestartet im Herunterfahren von Windows");
        break;
    case 5:
        lines.push_back("- automatisch gestartet vom Zeitplaner");
        break;
    default:
        break;
    }
}

void AppendHeader(std::vector<std::string>& lines, const cParameters& params, std::uint8_t kind) {
    lines.emplace_back();
    lines.push_back(kRule);
    lines.push_back("Profil: " + params.ProfileFile);
    if (params.BatchRunning) lines.push_back("- gestartet aus der Batch-Datei " + params.BatchFile);
    AppendStartLine(lines, params, kind);
    if (StampsStartAndEnd(params.Log)) lines.push_back(DateTimeLine());
}

std::string CountLine(int count, std::string_view singular, std::string_view plural) {
    if (count == 1) return "     1 " + std::string(singular);
    char number[16];
    std::snprintf(number, sizeof number, "%6d", count);
    return std::string(number) + " " + std::string(plural);
}

void AppendSummary(std::vector<std::string>& lines, const cParameters& params, const cRunCounters& counts) {
    lines.push_back("Zusammenfassung");
    lines.push_back(CountLine(counts.ForwardCount, "Datei vorwärts kopiert", "Dateien vorwärts kopiert"));
    lines.push_back(CountLine(counts.BackwardCount, "Datei rückwärts kopiert", "Dateien rückwärts kopiert"));
    lines.push_back(CountLine(counts.SkippedCount, "Dateipaar übersprungen", "Dateipaare übersprungen"));
    lines.push_back(CountLine(counts.DeletedCount, "einzelne Datei gelöscht", "einzelne Dateien gelöscht"));
    lines.push_back(CountLine(counts.DirsDeletedCount, "leeres Verzeichnis gelöscht", "leere Verzeichnisse gelöscht"));
    lines.push_back(CountLine(counts.DirsCreatedCount, "Verzeichnis erstellt", "Verzeichnisse erstellt"));
    if (params.Verify)
        lines.push_back(
            CountLine(counts.VerifiedCount, "Dateipaar erfolgreich verglichen", "Dateipaare erfolgreich verglichen"));
    if (params.CompareProperties) {
        lines.push_back(CountLine(counts.PropsForwardCount, "mal Dateieigenschaften vorwärts übertragen",
                                  "mal Dateieigenschaften vorwärts übertragen"));
        lines.push_back(CountLine(counts.PropsBackwardCount, "mal Dateieigenschaften rückwärts übertragen",
                                  "mal Dateieigenschaften rückwärts übertragen"));
    }
    lines.push_back(CountLine(counts.ErrorCount, "Fehler", "Fehler"));
}

void AppendFooter(std::vector<std::string>& lines, const cParameters& params, std::uint8_t condition) {
    if (StampsStartAndEnd(params.Log)) lines.push_back(DateTimeLine());
    if (params.BatchRunning) {
        static constexpr std::string_view kConditions[] = {"Immer weitermachen", "Weitermachen bei Erfolg",
                                                           "Weitermachen bei Misserfolg"};
        std::string_view text = condition < 3 ? kConditions[condition] : std::string_view();
        lines.push_back("- Bedingung für Fortsetzung der Batch-Datei: " + std::string(text));
    }
    lines.push_back(kRule);
}

} // namespace

bool AppendRunEventLines(std::vector<std::string>& lines, const cParameters& params, int event,
                         const cLogEventData& data) {
    switch (event) {
    case kLogRunHeader:
        AppendHeader(lines, params, data.Kind);
        return true;
    case kLogTimeBase:
        lines.push_back(params.UseUTC ? "Datum-Zeit-Stempel von Dateien in UTC"
                                      : "Datum-Zeit-Stempel von Dateien in Lokalzeit");
        return true;
    case kLogSummary:
        AppendSummary(lines, params, data.Counters);
        return true;
    case kLogAborted:
        lines.push_back("Abbruch.");
        return true;
    case kLogRunFooter:
        AppendFooter(lines, params, data.Kind);
        return true;
    default:
        return false;
    }
}
