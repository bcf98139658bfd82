// The windowed program: start-up, the message loop, the settings written back at the end.
#pragma once

namespace ui {

// The command line is "[DOCUMENT [/mute]]"; returns the process's exit status.
int RunGui(int argc, char** argv);

} // namespace ui
