// The German text of an error code, as logs and message boxes show it.
#pragma once

#include <string>
#include <string_view>

// "Fehler <code>" with a description (" - Datei nicht gefunden"), or the program's own text in place of it
// for 1235, 2000..2003 and the negative codes. A positive code without an own text takes the system's message
// when it has one (codes made from an errno without Windows counterpart), otherwise " (keine
// Fehlerbeschreibung verfügbar)"; any other code is "Fehler <code>" alone. -302 (a failed FTP command) gives
// serverReply, the server's reply line, or "Fehler -302" without one.
std::string ErrorText(int code, std::string_view serverReply = {});
