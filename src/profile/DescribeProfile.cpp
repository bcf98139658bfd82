// The description of a profile: source, destination, preview and log sections (the options are in
// DescribeOptions.cpp).
#include "profile/DescriptionParts.h"
#include "profile/Parameters.h"

#include <array>
#include <cstdint>
#include <cstdio>
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
    switch (params.DestType) {
    case 0:
    case 1: {
        cDescriptionNode& type = section.Add(params.DestType == 0 ? "Typ: Verzeichnis" : "Typ: Zip-Archiv");
        type.Add("Laufwerk: " + params.DestDrive);
        AddVariationLine(type.Add("Verzeichnis: " + params.DestDirectory), params);
        type.AddIf(params.DestType == 1, "Zip-Archiv: " + params.DestArchive);
        break;
    }
    case 2: {
        cDescriptionNode& type = section.Add("Typ: FTP-Server");
        type.Add("Server: " + params.DestServer);
        AddVariationLine(type.Add("Verzeichnis: " + params.DestDirectory), params);
        break;
    }
    default:
        AddVariationLine(section, params);
        break;
    }
    if (params.DestType == 0 || params.DestType == 1) {
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

    static constexpr std::array<std::string_view, 4> kViewers = {"Eingebaut", "Notizblock (Editor)", "Schnellansicht",
                                                                 "WordPad"};
    if (log.ViewerKind >= 0 && log.ViewerKind <= 4) {
        std::string viewer = "Betrachter: ";
        viewer +=
            log.ViewerKind == 4 ? log.ViewerPath : std::string(kViewers[static_cast<std::size_t>(log.ViewerKind)]);
        if (!log.ViewerSwitches.empty()) viewer += "; Schalter: " + log.ViewerSwitches;
        action.Add(std::move(viewer));
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
    case 0:
        section.Add("Datum und Uhrzeit: Ohne");
        break;
    case 1:
        section.Add("Datum und Uhrzeit: Anfang / Ende");
        break;
    case 2:
        section.Add("Datum und Uhrzeit: Für jede Datei");
        break;
    default:
        break;
    }
    switch (log.FileInfoMode) {
    case 0:
        section.Add("Datei-Information: Nur Name");
        break;
    case 1:
        section.Add("Datei-Information: Mit Datum und Uhrzeit");
        break;
    case 2:
        section.Add("Datei-Information: Mit alter Datei");
        break;
    default:
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
