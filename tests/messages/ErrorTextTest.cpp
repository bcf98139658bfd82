#include "messages/ErrorText.h"

#include "platform/ErrorCodes.h"

#include <cerrno>
#include <gtest/gtest.h>

namespace {

TEST(ErrorText, TableRows) {
    const struct {
        int code;
        const char* text;
    } cases[] = {
        {0, "Fehler 0 - Erfolg"},
        {2, "Fehler 2 - Datei nicht gefunden"},
        {5, "Fehler 5 - Datei/Verzeichnis schreibgeschützt/versteckt/System oder ungenügende Berechtigungen"},
        {23, "Fehler 23 - Datenfehler (Cyclic Redundancy Check"},
        {36, "Fehler 36 - Zuviele Dateien geöffnet fürs Sharing"},
        {112, "Fehler 112 - Kein Platz mehr auf dem Datenträger"},
        {1231, "Fehler 1231 - Netzwerk nicht erreichbar"},
        {1235, "Benutzerwunsch"},
        {2000, "Dateien haben verschiedene Größen"},
        {2002, "Ungültiges Dateiformat"},
        {2003, "Der Schnappschuss ist nicht verfügbar, solange das Profil noch unbenannt ist"},
        {-101, "Unbekannter Dateifehler"},
        {-204, "Datei nicht gefunden"},
        {-301, "Die Liste ist unvollständig"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ErrorText(c.code), c.text) << "code " << c.code;
}

TEST(ErrorText, CodesWithoutARow) {
    EXPECT_EQ(ErrorText(-5), "Fehler -5");
    EXPECT_EQ(ErrorText(-2147483647 - 1), "Fehler -2147483648");
    EXPECT_EQ(ErrorText(999), "Fehler 999 (keine Fehlerbeschreibung verfügbar)");
    EXPECT_EQ(ErrorText(platform::kInvalidParameter), "Fehler 87 (keine Fehlerbeschreibung verfügbar)");

    int errnoCode = platform::ErrorFromErrno(EPROTO);
    std::optional<std::string> message = platform::SystemMessage(errnoCode);
    ASSERT_TRUE(message.has_value());
    EXPECT_EQ(ErrorText(errnoCode), "Fehler " + std::to_string(errnoCode) + " - " + *message);
}

TEST(ErrorText, FtpCommandTextStandsForMinus302) {
    EXPECT_EQ(ErrorText(-302), "Fehler -302");
    EXPECT_EQ(ErrorText(-302, "550 No such file or directory."), "550 No such file or directory.");
    EXPECT_EQ(ErrorText(-301, "550 No such file or directory."), "Die Liste ist unvollständig");
}

} // namespace
