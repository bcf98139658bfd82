// Program options that belong to no profile (settings section "Program Options"), with their start-up presets.
#pragma once

#include <cstdint>
#include <string>

// The initial values are what the program holds before the settings file is read; reading the section
// then overwrites every field with the file's value or the key's own default.
struct cProgrammParameters {
    bool Splash = true;
    bool Reopen = false;
    std::string LastFile;
    bool Tooltips = true;
    std::string CompareA;           // program that compares two files
    std::string CompareB = "%1 %2"; // its parameters; %1 and %2 are the two file names
    std::uint8_t MainDisplay = 0;   // 0 tasks, 1 message, 2 picture, 3 biorhythm chart, 4 nothing
    std::string MessagePath;
    std::string PicturePath;
    bool FitSize = true;
    std::uint32_t FrameColor = 0x808080; // COLORREF 0x00BBGGRR
    double BirthDate = 25569.0;          // a date-time in days since 30 December 1899; 1 January 1970

    bool operator==(const cProgrammParameters&) const = default;
};
