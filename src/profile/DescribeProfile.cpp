// The description of a profile: source, destination, preview and log sections (the options are in
// DescribeOptions.cpp).
#include "profile/DescriptionParts.h"
#include "profile/Parameters.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace {

void AddList(cDescriptionNode& parent, std::string text, const cTextList& list) {
    cDescriptionNode& node = parent.Add(std::move(text));
    for (const cTextItem& item : list)
        node.Add(item.Text);
}

cDescriptionNode DescribeSource(const cParameters& params) {
    cDescriptionNode section = SectionNode("Quelle");
    section.Expanded = true;
    section.Add("Laufwerk: " + params.SourceDrive);
    AddList(section, "Verzeichnisse durchsuchen...", params.SearchDirectories);
    AddList(section, "Verzeichnisse ausschließen...", params.ExcludeDirectories);
    AddList(section, "Dateien vergleichen...", params.CompareFiles);
    AddList(section, "Dateien erzwingen...", params.EnforceFiles);
    AddList(section, "Dateien löschen...", params.DeleteFiles);
    AddList(section, "Dateien ausschließen...", params.ExcludeFiles);
    return section;
}

void AddVariationLine(cDescriptionNode& parent, const cParameters& params) {
    static constexpr std::array<std::string_view, 6> kVariations = {
        "Fest", "Kalendardatum", "Wochentag", "Gerade / ungerade", "3 Generationen", "Benutzername"};
    if (params.Variation >= kVariations.size()) return;
    std::string line = "Variation: " + std::string(kVariations[params.Variation]);
    if (params.EightThree) line += ", 8.3-kompatibel";
    parent.Add(std::move(line));
}

cDescriptionNode DescribeDestination(const cParameters& params) {
    cDescriptionNode section = SectionNode("Ziel");
    section.Expanded = true;
    const bool zip = params.DestType == eDestType::Zip;
    switch (params.DestType) {
    case eDestType::Directory:
    case eDestType::Zip: {
        cDescriptionNode& type = section.Add(zip ? "Typ: Zip-Archiv" : "Typ: Verzeichnis");
        type.Add("Laufwerk: " + params.DestDrive);
        AddVariationLine(type.Add("Verzeichnis: " + params.DestDirectory), params);
        type.AddIf(zip, "Zip-Archiv: " + params.DestArchive);
        break;
    }
    case eDestType::Ftp: {
        cDescriptionNode& type = section.Add("Typ: FTP-Server");
        type.Add("Server: " + params.DestServer);
        AddVariationLine(type.Add("Verzeichnis: " + params.DestDirectory), params);
        break;
    }
    default:
        AddVariationLine(section, params);
        break;
    }
    if (params.DestType == eDestType::Directory || zip) {
        cDescriptionNode& disk = section.Add("Datenträger...");
        disk.AddIf(!params.CheckLabel.empty(), "Bezeichnung prüfen: " + params.CheckLabel);
        disk.AddIf(params.OfferFormat, "Formatierung anbieten");
        disk.AddIf(params.EjectDisk, "Hinterher auswerfen");
    }
    return section;
}

// name + ": Rot = 000  Grün = 128  Blau = 000" from a COLORREF (red in the lowest byte).
std::string ColourLine(std::string_view name, bool system, std::uint32_t colour) {
    std::string line(name);
    if (system) return line + ": Systemfarbe";
    char rgb[64];
    std::snprintf(rgb, sizeof rgb, ": Rot = %.3u  Grün = %.3u  Blau = %.3u", colour & 0xFFu, (colour >> 8) & 0xFFu,
                  (colour >> 16) & 0xFFu);
    return line + rgb;
}

cDescriptionNode DescribePreview(const cPreviewParameters& preview) {
    cDescriptionNode section = SectionNode("Vorschau");
    section.Add(preview.OpenFolders ? "Offene Ordner" : "Geschlossene Ordner");
    section.Add(preview.OneLine ? "Einzeilige Dateien" : "Mehrzeilige Dateien");
    cDescriptionNode& filter = section.Add("Filter");
    filter.AddIf(preview.DoubleFilter, "Doppelte Änderungen");
    filter.AddIf(preview.SizesFilter, "Größenunterschiede");
    filter.AddIf(preview.PropertiesFilter, "Unterschiedliche Eigenschaften");
    filter.AddIf(preview.ForwardFilter, "Vorwärts");
    filter.AddIf(preview.SkipFilter, "Überspringen");
    filter.AddIf(preview.DeleteFilter, "Löschen");
    filter.AddIf(preview.BackwardFilter, "Rückwärts");
    cDescriptionNode& colours = section.Add("Farben");
    colours.Add(ColourLine("Block 1", preview.Block1System, preview.Block1Color));
    colours.Add(ColourLine("Block 2", preview.Block2System, preview.Block2Color));
    colours.Add(ColourLine("Vorwärts", preview.ForwardSystem, preview.ForwardColor));
    colours.Add(ColourLine("Überspringen", preview.SkipSystem, preview.SkipColor));
    colours.Add(ColourLine("Löschen", preview.DeleteSystem, preview.DeleteColor));
    colours.Add(ColourLine("Rückwärts", preview.BackwardSystem, preview.BackwardColor));
    section.AddIf(preview.ForcePaths, "Pfade immer zeigen");
    cDescriptionNode& font = section.Add("Schriftart");
    font.Add("Name: " + preview.FontName);
    font.Add("Größe: " + std::to_string(preview.FontSize));
    return section;
}

// The viewer of the log as the description names it; none for an unknown kind.
std::optional<std::string> ViewerName(const cLogParameters& log) {
    switch (log.ViewerKind) {
    case eLogViewer::BuiltIn:
        return "Eingebaut";
    case eLogViewer::Notepad:
        return "Notizblock (Editor)";
    case eLogViewer::QuickView:
        return "Schnellansicht";
    case eLogViewer::WordPad:
        return "WordPad";
    case eLogViewer::Program:
        return log.ViewerPath;
    }
    return std::nullopt;
}

void AddLogAction(cDescriptionNode& parent, const cLogParameters& log) {
    cDescriptionNode& action = parent.Add("Aktion");
    cDescriptionNode& success = action.Add("Wenn kein Fehler aufgetreten ist, Log senden an...");
    success.AddIf(log.ViewOnSuccess, "Betrachter");
    success.AddIf(log.MailOnSuccess, "E-Mail");
    success.AddIf(log.PrintOnSuccess, "Drucker");
    cDescriptionNode& failure = action.Add("Wenn ein Fehler aufgetreten ist, Log senden an...");
    failure.AddIf(log.ViewOnError, "Betrachter");
    failure.AddIf(log.MailOnError, "E-Mail");
    failure.AddIf(log.PrintOnError, "Drucker");

    if (std::optional<std::string> viewer = ViewerName(log)) {
        std::string line = "Betrachter: " + *viewer;
        if (!log.ViewerSwitches.empty()) line += "; Schalter: " + log.ViewerSwitches;
        action.Add(std::move(line));
    }

    if (!log.Recipient1Address.empty()) {
        std::string mail = "E-Mail: an " + log.Recipient1Name + " <" + log.Recipient1Address + ">";
        if (!log.Recipient2Address.empty() || !log.Recipient3Address.empty()) mail += " und andere";
        if (log.AsAttachment) mail += " als Anhang";
        action.Add(std::move(mail));
    } else {
        action.Add("E-Mail: -");
    }
    action.Add(log.PrinterName.empty() ? std::string("Drucker: -") : "Drucker: " + log.PrinterName);
}

cDescriptionNode DescribeLog(const cLogParameters& log) {
    cDescriptionNode section = SectionNode("Log");
    section.Add(log.Active ? "Aktiv" : "Nicht aktiv");
    section.Add("Log-Datei: " + log.FileName);
    switch (log.DateTimeMode) {
    case eLogDateTime::None:
        section.Add("Datum und Uhrzeit: Ohne");
        break;
    case eLogDateTime::StartAndEnd:
        section.Add("Datum und Uhrzeit: Anfang / Ende");
        break;
    case eLogDateTime::EveryFile:
        section.Add("Datum und Uhrzeit: Für jede Datei");
        break;
    }
    switch (log.FileInfoMode) {
    case eLogFileInfo::NameOnly:
        section.Add("Datei-Information: Nur Name");
        break;
    case eLogFileInfo::WithDateTime:
        section.Add("Datei-Information: Mit Datum und Uhrzeit");
        break;
    case eLogFileInfo::WithOldFile:
        section.Add("Datei-Information: Mit alter Datei");
        break;
    }
    section.AddIf(log.Daily, "Datum dem Namen hinzufügen");
    section.AddIf(log.Append, "An alte Datei anhängen");
    section.AddIf(log.NoNormal, "Normale Operation nicht loggen");
    AddLogAction(section, log);
    return section;
}

} // namespace

std::vector<cDescriptionNode> DescribeProfile(const cParameters& params) {
    std::vector<cDescriptionNode> nodes;
    nodes.push_back(DescribeSource(params));
    nodes.push_back(DescribeDestination(params));
    nodes.push_back(DescribeOptions(params));
    nodes.push_back(DescribePreview(params.Preview));
    nodes.push_back(DescribeLog(params.Log));
    nodes.push_back(DescribeSchedule(params.Schedule));
    return nodes;
}
