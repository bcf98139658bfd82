// The program's numbered messages: text, look, preset answer and the warning that governs each one.
#pragma once

#include "messages/UserInterface.h"

#include <cstdint>
#include <span>
#include <string_view>

// Which of the profile's warnings governs a message: its signal, and whether the box is shown at all.
// Always: no signal, the box is always shown. BatchOther: the batch file's own warning 3.
enum class eWarningClass : std::uint8_t {
    Always = 0,
    NoFilesFound = 1,
    NotEnoughSpace = 2,
    Other = 3,
    Interruption = 4,
    BatchOther
};

// One message. Text is the program's form: "\r" breaks a line; "%s", "%d" and "%.0n" are filled in order.
// Alternative is a second text for the same code (30105/30106 when no DLL version was found). One and Many are
// the words a count selects (singular for 1, plural otherwise) where the text has such a word.
struct cMessageRow {
    int Code;
    eMessageKind Kind;
    eMessageButtons Buttons;
    eAnswer Preset;
    eWarningClass Warning;
    std::string_view Text;
    std::string_view Alternative = {};
    std::string_view One = {};
    std::string_view Many = {};
};

// Every message, ordered by code.
std::span<const cMessageRow> MessageTable();

// The row of a code, or nullptr for an unknown code.
const cMessageRow* FindMessage(int code);

// The object word of 30015 ("Soll Tolvan sich ... merken?") for one directory and for several.
inline constexpr std::string_view kRememberOneDirectory = "dieses Verzeichnis";
inline constexpr std::string_view kRememberManyDirectories = "diese Verzeichnisse";

// Pieces of 30122: the field names of a date-time stamp in their order, and the middle and closing texts.
inline constexpr std::string_view kStampFieldNames[7] = {"Jahr",   "Monat",   "Tag",          "Stunde",
                                                         "Minute", "Sekunde", "Millisekunden"};
inline constexpr std::string_view kStampCorrected = "\rDies wurde wie folgt korrigiert:\r\r";
inline constexpr std::string_view kStampSkipped = "\rDas Dateipaar wurde auf Überspringen gesetzt.";
