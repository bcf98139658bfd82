// The acoustic signal of a warning or event: the system beep or a wave file.
#pragma once

#include <string>

class cUserInterface;

// Nothing when enabled is false; the interface's beep when beep is set; otherwise the sound file through the
// interface, when the file exists, played to its end when toEnd is set (the program's SyncSounds).
void PlaySignal(cUserInterface& ui, bool enabled, bool beep, const std::string& soundFile, bool toEnd);
