#include "log/LogMessageLines.h"

#include "messages/ErrorText.h"
#include "messages/MessageTable.h"

#include <string_view>

namespace {

std::string Quoted(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

std::string DllVersionLine(std::string_view dll, const cLogEventData& data) {
    if (data.Text2.empty())
        return "Fehler: " + std::string(dll) + " nicht gefunden. Tolvan benötigt Version " + data.Text1 + ".";
    return "Fehler: Falsche Version von " + std::string(dll) + ". Tolvan benötigt Version " + data.Text1 + ", nicht " +
           data.Text2 + ".";
}

// The count word of a zip message (the reason, or the plural ending "en"), as the message of that number has
// it: its singular form for exactly one, its plural otherwise.
std::string CountWord(int event, int count) {
    const cMessageRow* row = FindMessage(event);
    if (row == nullptr) return {};
    return std::string(count == 1 ? row->One : row->Many);
}

std::string ZipCountLine(std::string_view action, int event, const cLogEventData& data, std::string_view tail) {
    return "  FEHLER beim " + std::string(action) + ": " + std::to_string(data.Number1) + " " +
           CountWord(event, data.Number1) + std::string(tail) + ".";
}

std::string ZipPartLine(std::string_view action, int event, const cLogEventData& data) {
    return "  FEHLER beim " + std::string(action) + ": Nur " + std::to_string(data.Number1) + " von " +
           std::to_string(data.Number2) + " Datei" + CountWord(event, data.Number2) + " bearbeitet.";
}

constexpr std::string_view kZipDelete = "Löschen aus dem Zip-Archiv";
constexpr std::string_view kZipExtract = "Entpacken aus dem Zip-Archiv";
constexpr std::string_view kZipAdd = "Hinzufügen zum Zip-Archiv";

} // namespace

std::optional<std::string> MessageEventLine(int event, const cLogEventData& data) {
    switch (event) {
    case 30105:
        return DllVersionLine("ZipDll.DLL", data);
    case 30106:
        return DllVersionLine("UnzDll.DLL", data);
    case 30107:
        return "Fehler: Das temporäre Zip-Verzeichnis " + Quoted(data.Path) + " ist nicht zugänglich.";
    case 30108:
        return "Verwende das Zip-Archiv " + Quoted(data.Path) + ".";
    case 30109:
        if (data.Path.empty()) return "Kennwort benötigt zum Hinzufügen von Dateien mit Verschlüsselung.";
        return "  Kennwort benötigt zum Entpacken der verschlüsselten Datei " + data.Path + ".";
    case 30110:
        return "Verbinde mit FTP-Server " + data.Text1 + ".";
    case 30111:
        return "Benutzername und Kennwort benötigt für den FTP-Server.";
    case 30112:
        return "Fehler: Login fehlgeschlagen: " + ErrorText(data.Code, data.ServerReply);
    case 30113:
        return "Fehler: Logout fehlgeschlagen: " + ErrorText(data.Code, data.ServerReply);
    case 30114:
        return "Fehler: Nichts zu tun. Sie müssen mindestens 1 Verzeichnis und 1 Datei oder Dateityp zum Suchen "
               "auswählen.";
    case 30116:
        return "Fehler: Quelle und Ziel sind identisch.";
    case 30117:
        return "Fehler: Quelle und Ziel überlappen sich.";
    case 30118:
        return "Fehler: Laufwerk " + data.Path + " nicht bereit: " + ErrorText(data.Code, data.ServerReply);
    case 30119:
        return "Fehler: Bezeichnung des Zieldatenträgers falsch.";
    case 30120:
        return "Hinweis: Es ist nach Mitternacht. Tolvan wird so tun, als wäre noch gestern.";
    case 30121:
        return "Fehler: Die Anzahl der berechneten Verzeichnisse in Quelle und Ziel stimmt nicht überein: " +
               std::to_string(data.Number1) + " zu " + std::to_string(data.Number2) + ".";
    case 30122:
        return "Fehler: Die Datei " + data.Path + " hat einen ungültigen Datum-Zeit-Stempel. Er wurde zu " +
               data.Text1 + " korrigiert.";
    case 30123:
        return "Keine Dateien gefunden.";
    case 30124:
        return std::to_string(data.Number1) + " Prozent von " + std::to_string(data.Number2) +
               " gefundenen Dateien sollen gelöscht werden.";
    case 30125:
        return "Warnung: Laufwerk " + data.Path + " hat " + data.Text1 + " MB zuwenig Speicherplatz.";
    case kLogEmptySide:
        return "Fehler: " + data.Path + " ist leer oder fehlt, aber " + std::to_string(data.Number1) +
               " Dateien sollen gelöscht werden.";
    case kLogPathRefused:
        return "Fehler: Der Pfad " + Quoted(data.Text1) + " führt aus dem Stammverzeichnis heraus.";
    case kLogSnapshotRemoved:
        return "Der veraltete Schnappschuss " + Quoted(data.Path) + " wurde gelöscht.";
    case kLogProfileBusy:
        return "Fehler: Das Profil " + Quoted(data.Path) + " wird schon von einem anderen Lauf ausgeführt.";
    case kLogLeftoverRemoved:
        return "  Temporäre Datei eines abgebrochenen Laufs gelöscht: " + data.Path;
    case 30209:
        return ZipCountLine(kZipDelete, event, data, "");
    case 30210:
        return ZipPartLine(kZipDelete, event, data);
    case 30211:
        return ZipCountLine(kZipExtract, event, data, "");
    case 30212:
        return ZipCountLine(kZipExtract, event, data,
                            ", weil kein neues Verzeichnis in der Quelle erstellt werden darf");
    case 30213:
        return ZipPartLine(kZipExtract, event, data);
    case 30214:
        return ZipCountLine(kZipAdd, event, data, "");
    case 30215:
        return ZipCountLine(kZipAdd, event, data, ", weil kein neues Verzeichnis im Ziel erstellt werden darf");
    case 30216:
        return ZipPartLine(kZipAdd, event, data);
    case 30217:
        return "Leeres Zip-Archiv " + Quoted(data.Path) + " gelöscht.";
    case 30218:
        return "Konnte leeres Zip-Archiv " + Quoted(data.Path) + " nicht löschen.";
    case 30220:
        return "Zip-Fehler: " + data.Text1 + " (Fehlercode " + std::to_string(data.Code) + ")";
    case kLogSpecialSkipped:
        return "  Übersprungen (keine gewöhnliche Datei): " + data.Path;
    case kLogScanProblem:
        return "  FEHLER beim Durchsuchen: " + data.Path + ": " + ErrorText(data.Code, data.ServerReply);
    default:
        return std::nullopt;
    }
}
