// Pieces of the description tree that the profile and batch trees share, and the builders of their sections.
#pragma once

#include "profile/Description.h"
#include "profile/ScheduleEntry.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

class cParameters;
struct cBatchParameters;

// The nodes of warnings 1 to 4, in this order.
inline constexpr std::array<std::string_view, 4> kWarningNodeNames = {
    "Keine Dateien gefunden...", "Nicht genügend Speicherplatz...", "Andere...", "Unterbrechung bei Fehler..."};

// A top-level node (bold) without children.
cDescriptionNode SectionNode(std::string text);
// "Klang: Pieps", or "Klang: Datei: " + the sound file.
std::string SoundLine(bool beep, const std::string& soundFile);
// The line of AutoShutdown 1..4 ("Nach Lauf Windows beenden: ..."); no line for 0 or an unknown value.
void AddShutdownLine(cDescriptionNode& parent, int autoShutdown);
// The "Zeitplaner..." section: one line per entry with its state, time of day and weekdays.
cDescriptionNode DescribeSchedule(const std::vector<ScheduleEntry>& schedule);

// The profile's "Optionen" section.
cDescriptionNode DescribeOptions(const cParameters& params);
// The profile's sections "Quelle", "Ziel", "Optionen", "Vorschau", "Log", "Zeitplaner...".
std::vector<cDescriptionNode> DescribeProfile(const cParameters& params);
// The batch file's sections "Profile...", "Optionen", "Zeitplaner...".
std::vector<cDescriptionNode> DescribeBatch(const cBatchParameters& batch);
