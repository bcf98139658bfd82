// Error code → German text.
#include "messages/ErrorText.h"

#include "platform/ErrorCodes.h"

#include <optional>
#include <string_view>
#include <utility>

namespace {

struct ErrorEntry {
    int code;
    std::string_view text;
    bool replaces; // the text stands alone instead of following "Fehler <code>"
};

// The texts are the program's own, word for word (23 has no closing parenthesis there).
constexpr ErrorEntry kErrorTexts[] = {
    {0, " - Erfolg", false},
    {2, " - Datei nicht gefunden", false},
    {3, " - Pfad nicht gefunden", false},
    {4, " - Zuviele offene Dateien", false},
    {5, " - Datei/Verzeichnis schreibgeschützt/versteckt/System oder ungenügende Berechtigungen", false},
    {15, " - Laufwerk nicht gefunden", false},
    {19, " - Datenträger schreibgeschützt", false},
    {20, " - Gerät nicht gefunden", false},
    {21, " - Gerät nicht bereit", false},
    {23, " - Datenfehler (Cyclic Redundancy Check", false},
    {26, " - Diskette ist keine DOS-Diskette", false},
    {29, " - Kann nicht auf Gerät schreiben", false},
    {30, " - Kann nicht von Gerät lesen", false},
    {31, " - Allgemeiner Fehler", false},
    {32, " - Datei wird von einem anderen Prozess benutzt", false},
    {33, " - Ein anderer Prozess hat die Datei gesperrt", false},
    {36, " - Zuviele Dateien geöffnet fürs Sharing", false},
    {51, " - Entfernter Computer nicht verfügbar", false},
    {53, " - Netzwerkpfad nicht gefunden", false},
    {54, " - Netzwerk ausgelastet", false},
    {64, " - Netzwerkname nicht mehr verfügbar", false},
    {65, " - Zugang zum Netzwerk verweigert", false},
    {67, " - Netzwerk-Freigabename nicht gefunden", false},
    {86, " - Falsches Kennwort", false},
    {111, " - Dateiname zu lang", false},
    {112, " - Kein Platz mehr auf dem Datenträger", false},
    {123, " - Ungültiger Name", false},
    {161, " - Pfad ungültig", false},
    {206, " - Pfad zu lang", false},
    {1231, " - Netzwerk nicht erreichbar", false},
    {1235, "Benutzerwunsch", true},
    {2000, "Dateien haben verschiedene Größen", true},
    {2001, "Dateiinhalte sind nicht identisch", true},
    {2002, "Ungültiges Dateiformat", true},
    {2003, "Der Schnappschuss ist nicht verfügbar, solange das Profil noch unbenannt ist", true},
    {-101, "Unbekannter Dateifehler", true},
    {-102, "Datei schreibgeschützt", true},
    {-103, "Die Quelldatei wurde während des Kopierens geändert", true},
    {-104, "Ein Verzeichnis auf dem Weg ist ein symbolischer Link", true},
    {-105, "Der Pfad führt aus dem Stammverzeichnis heraus", true},
    {-106, "Keine gewöhnliche Datei, sondern ein Verzeichnis, eine Pipe, ein Socket oder ein Gerät", true},
    {-201, "Datei nicht gefunden", true},
    {-202, "Kann Datei nicht schreiben", true},
    {-203, "Kann nicht auf Verzeichnis zugreifen", true},
    {-204, "Datei nicht gefunden", true},
    {-301, "Die Liste ist unvollständig", true},
    {-303, "Der Server antwortet nicht (Zeitüberschreitung)", true},
    {-304, "Keine Verbindung zum Server möglich", true},
    {-305, "Die Verbindung zum Server wurde unterbrochen", true},
    {-306, "Ungültige Antwort des Servers", true},
    {-307, "Der Server meldet einen unzulässigen Dateinamen", true},
    {-308, "Keine verschlüsselte Verbindung zum Server möglich", true},
    {-309, "Der Server bietet keine Verschlüsselung an (STARTTLS); das Kennwort wird nicht gesendet", true},
};

} // namespace

std::string ErrorText(int code, std::string_view serverReply) {
    std::string text = "Fehler " + std::to_string(code);
    for (const ErrorEntry& entry : kErrorTexts) {
        if (entry.code != code) continue;
        if (entry.replaces) return std::string(entry.text);
        return text + std::string(entry.text);
    }
    if (code == platform::kFtpCommandFailed && !serverReply.empty()) return std::string(serverReply);
    if (code <= 0) return text;
    if (std::optional<std::string> message = platform::SystemMessage(code)) return text + " - " + *message;
    return text + " (keine Fehlerbeschreibung verfügbar)";
}
