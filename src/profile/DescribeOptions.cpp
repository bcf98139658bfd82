// The "Optionen" section of a profile's description: one underlined group per options page.
#include "platform/Clock.h"
#include "platform/FileTime.h"
#include "platform/GermanFormat.h"
#include "profile/DescriptionParts.h"
#include "profile/Parameters.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <string_view>
#include <utility>

namespace {

constexpr DescriptionStyle kGroup = DescriptionStyle::Underlined;

// The text of a code in a table of texts; nullptr for a code outside it.
template <std::size_t N> const std::string_view* TextOf(const std::array<std::string_view, N>& texts, int code) {
    return code >= 0 && static_cast<std::size_t>(code) < N ? &texts[static_cast<std::size_t>(code)] : nullptr;
}

void AddScope(cDescriptionNode& options, const cParameters& p) {
    cDescriptionNode& group = options.Add("Bereich", kGroup);
    switch (p.TouchMode()) {
    case eTouchMode::DestOnly:
        group.Add("Anrühren: Nur Ziel (vorwärts)");
        break;
    case eTouchMode::Both:
        group.Add("Anrühren: Ziel und Quelle (in beide Richtungen)");
        break;
    case eTouchMode::SourceOnly:
        group.Add("Anrühren: Nur Quelle (rückwärts)");
        break;
    case eTouchMode::Neither:
        break;
    }
    cDescriptionNode& attributes = group.Add("Attribute...");
    attributes.AddIf(AllowsChange(p.Attributes, eAttributeChange::ReadOnly),
                     "Schreibgeschützte Dateien überschreiben / löschen");
    attributes.AddIf(AllowsChange(p.Attributes, eAttributeChange::Hidden), "Versteckte Dateien finden / überschreiben");
    attributes.AddIf(AllowsChange(p.Attributes, eAttributeChange::System), "Systemdateien finden / überschreiben");
}

void AddSrcDestPair(cDescriptionNode& group, std::string text, bool source, bool dest) {
    cDescriptionNode& node = group.Add(std::move(text));
    node.AddIf(source, "In der Quelle");
    node.AddIf(dest, "Im Ziel");
}

void AddDirectories(cDescriptionNode& options, const cParameters& p) {
    cDescriptionNode& group = options.Add("Verzeichnisse", kGroup);
    if (p.ShortenPaths == eShortenPaths::None) group.Add("Pfade kürzen: Nein");
    if (p.ShortenPaths == eShortenPaths::Automatic) group.Add("Pfade kürzen: Automatisch");
    if (p.ShortenPaths == eShortenPaths::ByPathOffset) group.Add("Pfade kürzen: Um diesen Teil: " + p.PathOffset);
    AddSrcDestPair(group, "Verzeichnisse erstellen, wenn nötig...", p.CreateSrcDirs, p.CreateDestDirs);
    AddSrcDestPair(group, "Leere Verzeichnisse löschen...", p.DeleteEmptySrcDirs, p.DeleteEmptyDestDirs);
    AddSrcDestPair(group, "Alle Verzeichnisse erstellen...", p.CreateAllSrcDirs, p.CreateAllDestDirs);
    group.AddIf(p.TransferDirProperties, "Verzeichniseigenschaften übertragen");
}

std::string AgeLine(const cParameters& p) {
    const bool reversed = AgeModeReversed(p.AgeMode);
    const std::string since = reversed ? "Vor" : "Seit";
    switch (AgeModeOf(p.AgeMode)) {
    case eAgeMode::RelativeAge: {
        std::string days = p.RelativeAge == 1 ? std::string("1 Tag") : std::to_string(p.RelativeAge) + " Tage";
        // 64-bit day arithmetic: a damaged file may hold any RelativeAge; the day number then saturates.
        std::int64_t day = std::int64_t{platform::DayNumberFromFileTime(platform::NowLocal())} - p.RelativeAge;
        day = std::clamp<std::int64_t>(day, std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
        std::string date =
            platform::FormatDateTime("ddd ddddd", platform::FileTimeFromDayNumber(static_cast<int>(day)));
        return "Alter: " + std::string(reversed ? "Mehr als" : "Nicht mehr als") + " " + days + " alt (" + since + " " +
               date + ")";
    }
    case eAgeMode::AbsoluteAge:
        return "Alter: " + since + " " +
               platform::FormatDateTime("ddd ddddd", platform::FileTimeFromDayNumber(p.AbsoluteAge));
    case eAgeMode::LastRun:
        // LastRun holds the local start time of the last run already; it is shown as it is.
        return "Alter: " + since + " dem letzten Lauf am " + platform::FormatDateTime("ddd ddddd tt", p.LastRun);
    case eAgeMode::None:
        break;
    }
    return "Alter: Keine Grenze";
}

void AddOrphans(cDescriptionNode& options, const cParameters& p) {
    cDescriptionNode& group = options.Add("Waisen", kGroup);

    using enum eOrphanMode;
    cDescriptionNode& destOnly = group.Add("Nur Ziel anrühren");
    if (p.OrphanModeD1 == Forward) destOnly.Add("Quelle: Vorwärts");
    if (p.OrphanModeD1 == Skip) destOnly.Add("Quelle: Überspringen");
    if (p.OrphanModeD1 == OrphansOnly) destOnly.Add("Quelle: Nur Waisen");
    if (p.OrphanModeD2 == Skip) destOnly.Add("Ziel: Überspringen");
    if (p.OrphanModeD2 == Delete) destOnly.Add("Ziel: Löschen");

    cDescriptionNode& both = group.Add("Ziel und Quelle anrühren");
    if (p.OrphanModeB == Skip) both.Add("Überspringen");
    if (p.OrphanModeB == Delete) both.Add("Löschen");
    if (p.OrphanModeB == ForwardBackward) both.Add("Vorwärts / rückwärts");
    if (p.OrphanModeB == LookInSnapshot) both.Add("Im Schnappschuss nachsehen");
    if (p.OrphanModeB == OrphansOnly) both.Add("Nur Waisen");

    cDescriptionNode& sourceOnly = group.Add("Nur Quelle anrühren");
    if (p.OrphanModeS1 == Skip) sourceOnly.Add("Ziel: Überspringen");
    if (p.OrphanModeS1 == Backward) sourceOnly.Add("Ziel: Rückwärts");
    if (p.OrphanModeS1 == OrphansOnly) sourceOnly.Add("Ziel: Nur Waisen");
    if (p.OrphanModeS2 == Skip) sourceOnly.Add("Quelle: Überspringen");
    if (p.OrphanModeS2 == Delete) sourceOnly.Add("Quelle: Löschen");

    group.AddIf(p.ListSkip, "Zu überspringende Dateien listen");
    group.AddIf(p.EnforceBackward, "Löschen beim Erzwingen");
}

void AddSortLine(cDescriptionNode& options, const cParameters& p) {
    static constexpr std::array<std::string_view, 6> kSortModes = {
        "Nach Pfad", "Nach Namen", "Nach Typ", "Nach Größe", "Nach Datum / Uhrzeit", "Nach Kategorie"};
    const std::string_view* mode = TextOf(kSortModes, p.SortMode);
    if (!mode) return;
    std::string line = "Sortierung: " + std::string(*mode);
    if (p.ReverseOrder) line += " (Umgekehrte Reihenfolge)";
    options.Add(std::move(line), kGroup);
}

void AddDefaultAction(cDescriptionNode& parent, int action) {
    static constexpr std::array<std::string_view, 5> kActions = {"Neuere Version behalten", "Vorwärts", "Überspringen",
                                                                 "Rückwärts", "Keine"};
    if (const std::string_view* text = TextOf(kActions, action))
        parent.Add("Vorgegebene Aktion: " + std::string(*text));
}

void AddChecks(cDescriptionNode& options, const cParameters& p) {
    cDescriptionNode& group = options.Add("Kontrollen", kGroup);
    if (p.MidnightHours >= 1) group.Add("Von Mitternacht bis " + std::to_string(p.MidnightHours) + " Uhr nachfragen");
    if (p.Percentage)
        group.Add("Melden, wenn mindestens " + std::to_string(p.PercentageThreshold) + " Prozent von mindestens " +
                  std::to_string(p.PercentageCount) + " gefundenen Dateien gelöscht werden sollen");
    cDescriptionNode& doubles = group.Add("Doppelte Änderungen");
    doubles.AddIf(p.DoubleWarn, "Ausdrücklich melden");
    AddDefaultAction(doubles, p.DoubleDefault);
    cDescriptionNode& sizes = group.Add("Größenunterschiede");
    sizes.AddIf(p.SizesWarn, "Ausdrücklich melden");
    sizes.AddIf(p.SizesCompare, "Größen vergleichen mit Faktor " + std::to_string(p.SizesFactor));
    AddDefaultAction(sizes, p.SizesDefault);
    group.AddIf(p.CompareProperties, "Dateieigenschaften vergleichen");
    group.AddIf(p.ShowPreview, "Vorschau zeigen");
    group.AddIf(p.Verify, "Dateien nachher vergleichen (Verify)");
}

void AddZip(cDescriptionNode& options, const cParameters& p) {
    cDescriptionNode& group = options.Add("Zip", kGroup);
    group.Add("Kompression: " + std::to_string(p.ZipCompression) + "  (0=keine, 9=maximal)");
    group.AddIf(p.ZipEncrypt, "Ver-/Entschlüsseln");
    const std::string where = "Pfad, wo das Zip-Archiv aufgebaut wird: ";
    if (p.ZipTempMode == eZipTempMode::ArchivePath) group.Add(where + "Selber Pfad wie das Zip-Archiv");
    if (p.ZipTempMode == eZipTempMode::SystemTemp) group.Add(where + "Systemverzeichnis für temporäre Dateien");
    if (p.ZipTempMode == eZipTempMode::TempLocation) group.Add(where + p.ZipTempLocation);
    group.AddIf(p.ZipAddVariation, "Variation des Ziels an Namen des Zip-Archivs anhängen");
}

void AddFtp(cDescriptionNode& options, const cParameters& p) {
    cDescriptionNode& group = options.Add("FTP", kGroup);
    group.Add("Port: " + std::to_string(p.FtpPort));
    group.Add("Time-Out: " + std::to_string(p.FtpTimeOut));
    group.Add("Benutzername: " + p.FtpUserName);
    group.AddIf(p.FtpUseList, "Liste der Datum-Zeit-Stempel benutzen");
    group.AddIf(p.FtpUseMdtm, "MDTM benutzen");
    group.AddIf(p.FtpServerLocal, "Server liefert Lokalzeit");
    group.AddIf(p.FtpLogComm, "Kommunikation loggen");
}

void AddWarnings(cDescriptionNode& options, const cParameters& p) {
    struct Warning {
        bool message;
        bool sound;
        bool beep;
        const std::string& file;
    };
    const std::array<Warning, 4> warnings = {{
        {p.Warning1Message, p.Warning1Sound, p.Warning1Beep, p.Warning1File},
        {p.Warning2Message, p.Warning2Sound, p.Warning2Beep, p.Warning2File},
        {p.Warning3Message, p.Warning3Sound, p.Warning3Beep, p.Warning3File},
        {p.Warning4Message, p.Warning4Sound, p.Warning4Beep, p.Warning4File},
    }};
    cDescriptionNode& group = options.Add("Warnungen", kGroup);
    for (std::size_t i = 0; i < warnings.size(); ++i) {
        cDescriptionNode& node = group.Add(std::string(kWarningNodeNames[i]));
        node.AddIf(warnings[i].message, "Meldung");
        if (warnings[i].sound) node.Add(SoundLine(warnings[i].beep, warnings[i].file));
    }
}

void AddMessageEvent(cDescriptionNode& group, std::string text, bool sound, bool beep, const std::string& soundFile,
                     bool message, bool centered, const std::string& messageFile) {
    cDescriptionNode& node = group.Add(std::move(text));
    if (sound) node.Add(SoundLine(beep, soundFile));
    if (message) node.Add("Nachricht: " + messageFile + (centered ? "; zentriert" : ""));
}

void AddSoundEvent(cDescriptionNode& group, std::string text, bool sound, bool beep, const std::string& soundFile) {
    cDescriptionNode& node = group.Add(std::move(text));
    if (sound) node.Add(SoundLine(beep, soundFile));
}

void AddEvents(cDescriptionNode& options, const cParameters& p) {
    cDescriptionNode& group = options.Add("Ereignisse", kGroup);
    AddMessageEvent(group, "Lauf gestartet...", p.Event1Sound, p.Event1Beep, p.Event1File1, p.Event1Message,
                    p.Event1Centered, p.Event1File2);
    AddMessageEvent(group, "Lauf beendet...", p.Event2Sound, p.Event2Beep, p.Event2File1, p.Event2Message,
                    p.Event2Centered, p.Event2File2);
    AddSoundEvent(group, "Doppelte Änderungen...", p.Event3Sound, p.Event3Beep, p.Event3File);
    AddSoundEvent(group, "Größenunterschiede...", p.Event4Sound, p.Event4Beep, p.Event4File);
    AddSoundEvent(group, "Vorschau...", p.Event5Sound, p.Event5Beep, p.Event5File);
}

void AddAutomation(cDescriptionNode& options, const cParameters& p) {
    cDescriptionNode& group = options.Add("Automatik...", kGroup);
    group.AddIf(p.AutoOpen, "Nach Öffnen laufen");
    group.AddIf(p.AutoApp, "Laufen, wenn Anwendung \"" + p.AppName + "\" beendet wurde");
    if (p.AutoSense1)
        group.Add("Laufen, wenn Quelle und Ziel verfügbar sind")
            .AddIf(p.AutoSense2, "Erneut auslösen, wenn nicht mehr verfügbar");
    group.AddIf(p.AutoHook, "Ins Herunterfahren von Windows einklinken");
    group.AddIf(p.AutoExit, "Nach Lauf Tolvan beenden");
    AddShutdownLine(group, p.AutoShutdown);
}

// A command line, or for a delay entry (empty text, tag = seconds) "- 15 Sekunden Verzögerung - ".
void AddCommands(cDescriptionNode& group, std::string text, const cTextList& commands) {
    cDescriptionNode& node = group.Add(std::move(text));
    for (const cTextItem& item : commands) {
        if (!item.Text.empty())
            node.Add(item.Text);
        else
            node.Add("- " + std::to_string(item.Tag) + " Sekunde" + (item.Tag == 1 ? "" : "n") + " Verzögerung - ");
    }
}

void AddMiscellaneous(cDescriptionNode& options, const cParameters& p) {
    cDescriptionNode& group = options.Add("Verschiedenes", kGroup);
    cDescriptionNode& drives = group.Add("Laufwerks-Listen...");
    drives.AddIf(p.BrowseNetwork, "Netzwerk automatisch durchsuchen");
    drives.AddIf(p.DiskInfo, "Datenträger-Information zeigen");
    cDescriptionNode& clocks = group.Add("Uhren");
    clocks.Add("Maximale Zeitdifferenz in Sekunden: " + std::to_string(p.TimeDifference));
    clocks.AddIf(p.IgnoreDST, "Sommerzeit ignorieren");
    clocks.AddIf(p.UseUTC, "UTC benutzen");
    group.AddIf(p.MyCopy, "Eigene Kopierroutine benutzen");
    group.AddIf(p.TransferPermissions, "Dateiberechtigungen übertragen");
    group.AddIf(p.TransferOwner, "Dateibesitzer übertragen");
    group.AddIf(p.Recycle, "Dateien in den Papierkorb löschen");
    group.AddIf(p.TrayIcon, "In die Systemablage verkleinern");
    group.AddIf(p.SyncSounds, "Klänge immer in voller Länge abspielen");
}

} // namespace

cDescriptionNode DescribeOptions(const cParameters& params) {
    cDescriptionNode section = SectionNode("Optionen");
    AddScope(section, params);
    AddDirectories(section, params);
    section.Add(AgeLine(params), kGroup);
    AddOrphans(section, params);
    AddSortLine(section, params);
    AddChecks(section, params);
    AddZip(section, params);
    AddFtp(section, params);
    AddWarnings(section, params);
    AddEvents(section, params);
    AddAutomation(section, params);
    cDescriptionNode& commands = section.Add("Vorher & nachher", kGroup);
    AddCommands(commands, "Vorher...", params.BeforeCommands);
    AddCommands(commands, "Nachher...", params.AfterCommands);
    AddMiscellaneous(section, params);
    return section;
}
