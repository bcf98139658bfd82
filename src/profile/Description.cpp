// The description tree: its nodes, the choice of tree by document kind, its text form, and the lines that
// profile and batch trees share.
#include "profile/Description.h"

#include "platform/FileTime.h"
#include "platform/GermanFormat.h"
#include "profile/DescriptionParts.h"
#include "profile/Parameters.h"

#include <utility>

namespace {

// A Monday; the six days after it give the other weekday names, and its midnight carries the time of day.
constexpr int kMondayYear = 2001;
constexpr int kMondayMonth = 1;
constexpr int kMondayDay = 1;

void AppendText(std::string& out, const cDescriptionNode& node, std::size_t depth) {
    out.append(2 * depth, ' ');
    out += node.Text;
    out += '\n';
    for (const cDescriptionNode& child : node.Children)
        AppendText(out, child, depth + 1);
}

} // namespace

cDescriptionNode& cDescriptionNode::Add(std::string text, DescriptionStyle style) {
    cDescriptionNode& child = Children.emplace_back();
    child.Text = std::move(text);
    child.Style = style;
    return child;
}

void cDescriptionNode::AddIf(bool condition, std::string text) {
    if (condition) Add(std::move(text));
}

cDescriptionNode SectionNode(std::string text) {
    cDescriptionNode node;
    node.Text = std::move(text);
    node.Style = DescriptionStyle::Bold;
    return node;
}

std::string SoundLine(bool beep, const std::string& soundFile) {
    return beep ? std::string("Klang: Pieps") : "Klang: Datei: " + soundFile;
}

void AddShutdownLine(cDescriptionNode& parent, int autoShutdown) {
    switch (autoShutdown) {
    case 1:
        parent.Add("Nach Lauf Windows beenden: Herunterfahren");
        break;
    case 2:
        parent.Add("Nach Lauf Windows beenden: Ausloggen");
        break;
    case 3:
        parent.Add("Nach Lauf Windows beenden: Herunterfahren und ausschalten");
        break;
    case 4:
        parent.Add("Nach Lauf Windows beenden: Herunterfahren und neu starten");
        break;
    default:
        break;
    }
}

cDescriptionNode DescribeSchedule(const std::vector<ScheduleEntry>& schedule) {
    cDescriptionNode section = SectionNode("Zeitplaner...");
    for (ScheduleEntry entry : schedule) {
        std::string line = ScheduleEntryActive(entry) ? "Aktiv:   " : "Nicht aktiv:   ";
        // Minutes beyond one day (only a damaged file holds them) carry over into the next day's time.
        line += platform::FormatDateTime(
            "t", platform::JoinFileTime(kMondayYear, kMondayMonth, kMondayDay, 0, ScheduleEntryMinutes(entry)));
        line += ";   Wochentage:";
        for (int offset = 0; offset < 7; ++offset) {
            platform::FileTime day = platform::JoinFileTime(kMondayYear, kMondayMonth, kMondayDay + offset);
            if (ScheduleEntryOnDay(entry, platform::SplitFileTime(day).dayOfWeek))
                line += platform::FormatDateTime("  ddd", day);
        }
        section.Add(std::move(line));
    }
    return section;
}

std::vector<cDescriptionNode> DescribeDocument(const cParameters& params) {
    switch (params.DocumentKind) {
    case kProfileDocument:
        return DescribeProfile(params);
    case kBatchDocument:
        return DescribeBatch(params.Batch);
    default: {
        std::vector<cDescriptionNode> nodes;
        nodes.push_back(SectionNode("Unbekanntes Dateiformat!"));
        return nodes;
    }
    }
}

std::string DescriptionText(const std::vector<cDescriptionNode>& nodes) {
    std::string out;
    for (const cDescriptionNode& node : nodes)
        AppendText(out, node, 0);
    return out;
}
