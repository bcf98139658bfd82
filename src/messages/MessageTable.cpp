// The table of numbered messages.
#include "messages/MessageTable.h"

#include <algorithm>

namespace {

using K = eMessageKind;
using B = eMessageButtons;
using A = eAnswer;
using W = eWarningClass;

// Dialog messages take the checked name as their first argument; it is shown in double quotes. They are always
// shown; the presets of their two questions (30015, 30016) are No, so that a user who cannot be asked neither
// has directories remembered nor a profile overwritten.
constexpr cMessageRow kRows[] = {
    {30001, K::Information, B::Ok, A::Ok, W::Always, "\"%s\" ist ein gültiger Laufwerksname."},
    {30002, K::Error, B::OkHelp, A::Ok, W::Always,
     "\"%s\" ist kein gültiger Laufwerksname.\r\rEin Laufwerksname ist entweder ein Buchstabe plus ein Doppelpunkt "
     "oder ein UNC-Name der Form \\\\Computer\\Freigabename ohne abschließenden umgekehrten Schrägstrich. Er darf "
     "keins dieser Zeichen enthalten: /:*?\"<|>"},
    {30003, K::Information, B::Ok, A::Ok, W::Always, "\"%s\" ist ein gültiger Verzeichnisname."},
    {30004, K::Error, B::OkHelp, A::Ok, W::Always,
     "\"%s\" ist kein gültiger Verzeichnisname.\r\rEin Verzeichnisname beginnt und endet mit einem umgekehrten "
     "Schrägstrich. Er darf keins dieser Zeichen enthalten: /:*?\"<|>"},
    {30005, K::Information, B::Ok, A::Ok, W::Always, "\"%s\" ist ein gültiger Pfadname."},
    {30006, K::Error, B::OkHelp, A::Ok, W::Always,
     "\"%s\" ist kein gültiger Pfadname.\r\rEin Pfadname besteht aus einem Laufwerk und einem Verzeichnis."},
    {30007, K::Information, B::Ok, A::Ok, W::Always, "\"%s\" ist ein gültiger Dateiname."},
    {30008, K::Error, B::OkHelp, A::Ok, W::Always,
     "\"%s\" ist kein gültiger Dateiname.\r\rEr darf keins dieser Zeichen enthalten: \\/:*?\"<|>"},
    {30009, K::Information, B::Ok, A::Ok, W::Always, "\"%s\" ist ein gültiger Archivname."},
    {30010, K::Error, B::OkHelp, A::Ok, W::Always,
     "\"%s\" ist kein gültiger Archivname.\r\rEr muss auf \".zip\" enden und darf keins dieser Zeichen enthalten: "
     "\\/:*?\"<|>"},
    {30011, K::Information, B::Ok, A::Ok, W::Always, "\"%s\" ist ein gültiger Servername."},
    {30012, K::Error, B::OkHelp, A::Ok, W::Always,
     "\"%s\" ist kein gültiger Servername.\r\rEr darf nur Buchstaben von \"a\" bis \"z\", Ziffern, Bindestriche und "
     "Punkte enthalten. Das erste Zeichen muss ein Buchstabe sein. Das Protokoll-Präfix \"ftp://\" darf nicht "
     "enthalten sein."},
    {30013, K::Information, B::Ok, A::Ok, W::Always, "\"%s\" ist ein gültiger Profilname."},
    {30014, K::Error, B::OkHelp, A::Ok, W::Always,
     "\"%s\" ist kein gültiger Profilname.\r\rEr muss auf \".tvp\" enden und darf keins dieser Zeichen enthalten: "
     "\\/:*?\"<|>"},
    {30015,
     K::Confirmation,
     B::YesNoHelp,
     A::No,
     W::Always,
     "%s nicht im Baum gezeigt werden:\r\r%s\rSoll Tolvan sich %s merken?",
     {},
     "Das folgende Verzeichnis kann",
     "Die folgenden Verzeichnisse können"},
    {30016, K::Confirmation, B::YesNo, A::No, W::Always,
     "Ein Profil mit diesem Namen existiert bereits. Soll es überschrieben werden?"},
    {30017, K::Error, B::Ok, A::Ok, W::Always,
     "Ihr Profil konnte nicht in die Top 12 gelegt werden, weil alle Plätze belegt sind."},

    {30101, K::Error, B::YesNoHelp, A::Yes, W::Other, "Keine Log-Datei angegeben.\r\rFortfahren ohne Log?"},
    {30102, K::Error, B::YesNoHelp, A::Yes, W::Other,
     "Das Log kann nicht nach %s geschrieben werden:\r\r%s\r\rFortfahren ohne Log?"},
    {30105, K::Error, B::OkHelp, A::Ok, W::Other,
     "Falsche Version von ZipDll.DLL.\rTolvan benötigt Version %s, nicht %s.",
     "ZipDll.DLL nicht gefunden.\rTolvan benötigt Version %s."},
    {30106, K::Error, B::OkHelp, A::Ok, W::Other,
     "Falsche Version von UnzDll.DLL.\rTolvan benötigt Version %s, nicht %s.",
     "UnzDll.DLL nicht gefunden.\rTolvan benötigt Version %s."},
    {30107, K::Error, B::OkHelp, A::Ok, W::Other, "Das temporäre Zip-Verzeichnis\r\r%s\r\rist nicht zugänglich."},
    {30112, K::Error, B::OkHelp, A::Ok, W::Other, "Login fehlgeschlagen:\r\r%s"},
    {30114, K::Error, B::OkHelp, A::Ok, W::Other,
     "Nichts zu tun.\rSie müssen mindestens 1 Verzeichnis und 1 Datei oder Dateityp zum Suchen auswählen."},
    {30115, K::Information, B::Ok, A::Ok, W::BatchOther, "Diese Batch-Datei enthält keine Profile."},
    {30116, K::Error, B::OkHelp, A::Ok, W::Other, "Quelle und Ziel sind identisch."},
    {30117, K::Error, B::OkHelp, A::Ok, W::Other, "Quelle und Ziel überlappen sich."},
    {30118, K::Error, B::YesNoHelp, A::No, W::Other, "Laufwerk %s nicht bereit:\r\r%s\r\rNochmal versuchen?"},
    {30119, K::Error, B::OkHelp, A::Ok, W::Other, "Bezeichnung des Zieldatenträgers falsch."},
    {30120, K::Confirmation, B::YesNoHelp, A::No, W::Other,
     "Es ist nach Mitternacht.\r\rSoll Tolvan so tun, als wäre noch gestern?"},
    {30121, K::Error, B::OkHelp, A::Ok, W::Other,
     "Die Anzahl der berechneten Verzeichnisse in Quelle und Ziel stimmt nicht überein: %d zu %d."},
    {30122, K::Error, B::OkCancelHelp, A::Ok, W::Other,
     "Die Datei\r\r%s\r\rhat einen ungültigen Datum-Zeit-Stempel:\r\r"},
    {30123, K::Information, B::OkHelp, A::Ok, W::NoFilesFound, "Keine Dateien gefunden."},
    {30124, K::Warning, B::YesNoHelp, A::No, W::Other,
     "%d Prozent von %d gefundenen Dateien sollen gelöscht werden.\r\rFortfahren?"},
    {30125, K::Warning, B::YesNoHelp, A::Yes, W::NotEnoughSpace,
     "Laufwerk %s hat %s MB zuwenig Speicherplatz.\r\rFreien Platz auf dem Datenträger neu lesen und fortfahren?"},
    {30126,
     K::Information,
     B::OkHelp,
     A::Ok,
     W::Always,
     "Windows 9x erlaubt nur ca. %.0n Einträge in einer Liste.\r\rDieser Ordner kann nur geöffnet werden, wenn Sie "
     "vorher andere Ordner schließen, die zusammen mindestens %.0n %s enthalten.",
     {},
     "Eintrag",
     "Einträge"},
    // A side that holds nothing where the profile looks is most likely an unmounted disk or a dropped share.
    {30130, K::Warning, B::YesNoHelp, A::No, W::Other,
     "%s ist leer oder fehlt, aber %d Dateien sollen gelöscht werden.\r\rIst der Datenträger eingebunden?\r\r"
     "Trotzdem fortfahren?"},
    {30131, K::Error, B::OkHelp, A::Ok, W::Other, "Der Pfad \"%s\" führt aus dem Stammverzeichnis heraus."},
    {30134, K::Error, B::OkHelp, A::Ok, W::Other,
     "Das Profil \"%s\" wird schon von einem anderen Lauf ausgeführt.\r\rWarten Sie, bis er beendet ist."},

    {30209,
     K::Error,
     B::YesNoHelp,
     A::Yes,
     W::Interruption,
     "Fehler beim Löschen aus dem Zip-Archiv: %d %s.\r\rFortfahren?",
     {},
     "Datei kann nicht bearbeitet werden, weil sie schreibgeschützt ist",
     "Dateien können nicht bearbeitet werden, weil sie schreibgeschützt sind"},
    {30210,
     K::Error,
     B::YesNoHelp,
     A::Yes,
     W::Interruption,
     "Fehler beim Löschen aus dem Zip-Archiv: Nur %d von %d Datei%s bearbeitet.\r\rFortfahren?",
     {},
     "",
     "en"},
    {30211,
     K::Error,
     B::YesNoHelp,
     A::Yes,
     W::Interruption,
     "Fehler beim Entpacken aus dem Zip-Archiv: %d %s.\r\rFortfahren?",
     {},
     "Datei kann nicht bearbeitet werden, weil die Datei in der Quelle schreibgeschützt ist",
     "Dateien können nicht bearbeitet werden, weil die Dateien in der Quelle schreibgeschützt sind"},
    {30212,
     K::Error,
     B::YesNoHelp,
     A::Yes,
     W::Interruption,
     "Fehler beim Entpacken aus dem Zip-Archiv: %d %s, weil kein neues Verzeichnis in der Quelle erstellt werden "
     "darf.\r\rFortfahren?",
     {},
     "Datei kann nicht bearbeitet werden",
     "Dateien können nicht bearbeitet werden"},
    {30213,
     K::Error,
     B::YesNoHelp,
     A::Yes,
     W::Interruption,
     "Fehler beim Entpacken aus dem Zip-Archiv: Nur %d von %d Datei%s bearbeitet.\r\rFortfahren?",
     {},
     "",
     "en"},
    {30214,
     K::Error,
     B::YesNoHelp,
     A::Yes,
     W::Interruption,
     "Fehler beim Hinzufügen zum Zip-Archiv: %d %s.\r\rFortfahren?",
     {},
     "Datei kann nicht bearbeitet werden, weil die Datei im Ziel schreibgeschützt ist",
     "Dateien können nicht bearbeitet werden, weil die Dateien im Ziel schreibgeschützt sind"},
    {30215,
     K::Error,
     B::YesNoHelp,
     A::Yes,
     W::Interruption,
     "Fehler beim Hinzufügen zum Zip-Archiv: %d %s, weil kein neues Verzeichnis im Ziel erstellt werden "
     "darf.\r\rFortfahren?",
     {},
     "Datei kann nicht bearbeitet werden",
     "Dateien können nicht bearbeitet werden"},
    {30216,
     K::Error,
     B::YesNoHelp,
     A::Yes,
     W::Interruption,
     "Fehler beim Hinzufügen zum Zip-Archiv: Nur %d von %d Datei%s bearbeitet.\r\rFortfahren?",
     {},
     "",
     "en"},
    {30219, K::Error, B::Ok, A::Ok, W::Always,
     "Konnte Datei\r\r%s\r\rnicht aus dem Zip-Archiv holen:\r\r%s (Fehlercode %d)"},
    {30220, K::Error, B::OkHelp, A::Ok, W::Interruption, "Zip-Fehler:\r\r%s (Fehlercode %d)"},
    {30221, K::Error, B::Ok, A::Ok, W::Always, "Konnte Datei\r\r%s\r\rnicht vom FTP-Server holen:\r\r%s"},
    {30302, K::Error, B::YesNoHelp, A::No, W::Interruption,
     "Vergleich fehlgeschlagen:\r\r%s\r\rmit:\r\r%s\r\r%s\r\rNochmal versuchen?"},

    {30998, K::Confirmation, B::YesNo, A::No, W::Other, "Soll die ganze Batch-Datei abgebrochen werden?"},
};

} // namespace

std::span<const cMessageRow> MessageTable() {
    return kRows;
}

const cMessageRow* FindMessage(int code) {
    const auto* it = std::lower_bound(std::begin(kRows), std::end(kRows), code,
                                      [](const cMessageRow& row, int value) { return row.Code < value; });
    return it != std::end(kRows) && it->Code == code ? it : nullptr;
}
