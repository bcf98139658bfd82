// The windowed program: start-up, the message loop, the settings written back at the end.
#pragma once

#include <optional>
#include <string>
#include <vector>

class cIniFile;

namespace ui {

// What the command line "[DOCUMENT [/mute]]" asks for.
struct cCommandLine {
    // Argument 1 as given, path variables not yet expanded; none without arguments.
    std::optional<std::string> Document;
    // Argument 2 is "/mute" in any case. A lone "/mute" is the document's name; further arguments are ignored.
    bool MuteMode = false;
};

// arguments without the program's name.
cCommandLine ParseCommandLine(const std::vector<std::string>& arguments);

// The program once the application object exists: the settings object from settings, the splash window, the
// main window (hidden in mute mode) with the start document, the message loop until the main window closes
// or the program is told to end, and the settings written back. Returns the loop's exit status.
int RunProgram(const cCommandLine& commandLine, cIniFile& settings);

// The command line is "[DOCUMENT [/mute]]"; returns the process's exit status.
int RunGui(int argc, char** argv);

} // namespace ui
