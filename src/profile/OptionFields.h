// The option table: every profile option with its settings key, its field in cParameters and its built-in
// default. New profiles and the settings section "Options" (the user's defaults for new profiles) use it.
#pragma once

#include "profile/ProfileEnums.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <variant>

class cParameters;
class cSettingsStore;

inline constexpr std::string_view kOptionsSection = "Options";

enum class OptionDefaultKind : std::uint8_t {
    Fixed,    // Number or Text as given
    Today,    // today's day number (a date option)
    DataFile, // Text is a file below the program's data folder
};

using OptionMember =
    std::variant<bool cParameters::*, int cParameters::*, std::uint8_t cParameters::*, std::uint16_t cParameters::*,
                 std::string cParameters::*, eShortenPaths cParameters::*, eOrphanMode cParameters::*,
                 eZipTempMode cParameters::*>;

struct cOptionField {
    std::string_view Key;
    OptionMember Member;
    OptionDefaultKind DefaultKind;
    int Number;            // default of a boolean (0/1), number or code
    std::string_view Text; // default of a text
};

// The options in field order, from TouchSrc to OptionsPage. BeforeCommands and AfterCommands have no key.
std::span<const cOptionField> OptionFields();

// The built-in default in settings-file form: "1"/"0", a decimal number, or the text.
std::string OptionDefault(const cOptionField& field);

// Sets every option from the section "Options"; a missing key, or a value that is no number or does not fit
// its field, gives the built-in default. With no store every option takes its built-in default.
void ReadOptions(cParameters& params, const cSettingsStore* store);
// Writes every option to the section "Options" (passwords in plain text, as the section keeps them).
void WriteOptions(const cParameters& params, cSettingsStore& store);
