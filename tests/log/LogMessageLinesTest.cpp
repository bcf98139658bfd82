// The single-line events: each line exactly, with the singular and plural forms of the zip counts.
#include "log/LogMessageLines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct LineCase {
    int Event;
    cLogEventData Data;
    std::string Line;
};

TEST(LogMessageLinesTest, WritesEachLineExactly) {
    const std::vector<LineCase> cases = {
        {30105,
         {.Text1 = "1.79", .Text2 = "1.60"},
         "Fehler: Falsche Version von ZipDll.DLL. Tolvan benötigt Version 1.79, nicht 1.60."},
        {30106, {.Text1 = "1.79"}, "Fehler: UnzDll.DLL nicht gefunden. Tolvan benötigt Version 1.79."},
        {30107, {.Path = "/tmp/zip"}, "Fehler: Das temporäre Zip-Verzeichnis \"/tmp/zip\" ist nicht zugänglich."},
        {30109, {.Path = "/a.zip"}, "  Kennwort benötigt zum Entpacken der verschlüsselten Datei /a.zip."},
        {30109, {}, "Kennwort benötigt zum Hinzufügen von Dateien mit Verschlüsselung."},
        {30110, {.Text1 = "ftp.example.org"}, "Verbinde mit FTP-Server ftp.example.org."},
        {30112, {.Code = 2000}, "Fehler: Login fehlgeschlagen: Dateien haben verschiedene Größen"},
        {30118,
         {.Path = "/media/usb", .Code = 21},
         "Fehler: Laufwerk /media/usb nicht bereit: Fehler 21 - Gerät nicht bereit"},
        {30121,
         {.Number1 = 3, .Number2 = 4},
         "Fehler: Die Anzahl der berechneten Verzeichnisse in Quelle und Ziel stimmt nicht überein: 3 zu 4."},
        {30122,
         {.Path = "/a.txt", .Text1 = "09.12.2026 02:46:23"},
         "Fehler: Die Datei /a.txt hat einen ungültigen Datum-Zeit-Stempel. Er wurde zu 09.12.2026 02:46:23 "
         "korrigiert."},
        {30124, {.Number1 = 60, .Number2 = 10}, "60 Prozent von 10 gefundenen Dateien sollen gelöscht werden."},
        {30125,
         {.Path = "/media/usb", .Text1 = "1.024"},
         "Warnung: Laufwerk /media/usb hat 1.024 MB zuwenig Speicherplatz."},
        {30209,
         {.Number1 = 1},
         "  FEHLER beim Löschen aus dem Zip-Archiv: 1 Datei kann nicht bearbeitet werden, weil sie "
         "schreibgeschützt ist."},
        {30209,
         {.Number1 = 2},
         "  FEHLER beim Löschen aus dem Zip-Archiv: 2 Dateien können nicht bearbeitet werden, weil sie "
         "schreibgeschützt sind."},
        {30210,
         {.Number1 = 0, .Number2 = 1},
         "  FEHLER beim Löschen aus dem Zip-Archiv: Nur 0 von 1 Datei bearbeitet."},
        {30213,
         {.Number1 = 1, .Number2 = 3},
         "  FEHLER beim Entpacken aus dem Zip-Archiv: Nur 1 von 3 Dateien bearbeitet."},
        {30212,
         {.Number1 = 0},
         "  FEHLER beim Entpacken aus dem Zip-Archiv: 0 Dateien können nicht bearbeitet werden, weil kein neues "
         "Verzeichnis in der Quelle erstellt werden darf."},
        {30215,
         {.Number1 = 1},
         "  FEHLER beim Hinzufügen zum Zip-Archiv: 1 Datei kann nicht bearbeitet werden, weil kein neues "
         "Verzeichnis im Ziel erstellt werden darf."},
        {30217, {.Path = "/a.zip"}, "Leeres Zip-Archiv \"/a.zip\" gelöscht."},
        {30220, {.Code = 11, .Text1 = "Archiv defekt"}, "Zip-Fehler: Archiv defekt (Fehlercode 11)"},
    };
    for (const LineCase& c : cases) {
        std::optional<std::string> line = MessageEventLine(c.Event, c.Data);
        ASSERT_TRUE(line.has_value()) << c.Event;
        EXPECT_EQ(*line, c.Line) << c.Event;
    }
    EXPECT_FALSE(MessageEventLine(30115, {}).has_value());
    EXPECT_FALSE(MessageEventLine(30201, {}).has_value());
}

} // namespace
