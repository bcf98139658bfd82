// The description of a batch file: its profiles with their continuation, its options and its schedule.
#include "platform/Roots.h"
#include "profile/BatchParameters.h"
#include "profile/DescriptionParts.h"

#include <array>
#include <string>

namespace {

constexpr DescriptionStyle kGroup = DescriptionStyle::Underlined;
constexpr std::string_view kOverride = "Über individuelle Einstellungen in den Profilen hinwegsetzen";
constexpr std::string_view kSeeProfiles = "Siehe individuelle Einstellungen in den Profilen";

// The entry's full file name; on a POSIX root in native form ("/home/anna/Profile/Sicherung.tvp"), as every
// path shown to the user. A Windows root stays as the file holds it: its mapping belongs to this machine.
std::string EntryFileName(const BatchEntry& entry) {
    if (entry.Drive.starts_with('/'))
        return platform::NativePath(platform::NormalizeRoot(entry.Drive), entry.Directory + entry.Name);
    return entry.Drive + entry.Directory + entry.Name;
}

cDescriptionNode DescribeEntries(const cBatchParameters& batch) {
    cDescriptionNode section = SectionNode("Profile...");
    for (std::size_t i = 0; i < batch.EntryCount(); ++i) {
        BatchEntry entry = batch.Entry(i);
        section.Add(EntryFileName(entry));
        section.Add("   " + std::string(ContinuationText(entry.Continuation)));
    }
    return section;
}

void AddWarnings(cDescriptionNode& options, const cBatchParameters& batch) {
    cDescriptionNode& group = options.Add("Warnungen", kGroup);
    if (!batch.WarningsOverride) {
        group.Add(std::string(kSeeProfiles));
        return;
    }
    group.Add(std::string(kOverride));
    const std::array<std::array<bool, 2>, 4> flags = {{
        {batch.Warning1Message, batch.Warning1Sound},
        {batch.Warning2Message, batch.Warning2Sound},
        {batch.Warning3Message, batch.Warning3Sound},
        {batch.Warning4Message, batch.Warning4Sound},
    }};
    for (std::size_t i = 0; i < flags.size(); ++i) {
        cDescriptionNode& node = group.Add(std::string(kWarningNodeNames[i]));
        node.AddIf(flags[i][0], "Meldung");
        node.AddIf(flags[i][1], "Klang");
    }
}

cDescriptionNode DescribeBatchOptions(const cBatchParameters& batch) {
    cDescriptionNode section = SectionNode("Optionen");
    cDescriptionNode& checks = section.Add("Kontrollen", kGroup);
    if (batch.ChecksOverride) {
        checks.Add(std::string(kOverride));
        checks.AddIf(batch.ShowPreview, "Vorschau zeigen");
    } else {
        checks.Add(std::string(kSeeProfiles));
    }
    AddWarnings(section, batch);
    cDescriptionNode& automation = section.Add("Automatik...", kGroup);
    automation.AddIf(batch.AutoOpen, "Nach Öffnen laufen");
    automation.AddIf(batch.AutoHook, "Ins Herunterfahren von Windows einklinken");
    automation.AddIf(batch.AutoExit, "Nach Lauf Tolvan beenden");
    AddShutdownLine(automation, batch.AutoShutdown);
    section.Add("Verschiedenes...", kGroup).AddIf(batch.TrayIcon, "In die Systemablage verkleinern");
    return section;
}

} // namespace

std::vector<cDescriptionNode> DescribeBatch(const cBatchParameters& batch) {
    std::vector<cDescriptionNode> nodes;
    nodes.push_back(DescribeEntries(batch));
    nodes.push_back(DescribeBatchOptions(batch));
    nodes.push_back(DescribeSchedule(batch.Schedule));
    for (cDescriptionNode& node : nodes)
        node.Expanded = true;
    return nodes;
}
