// The acoustic signal of a warning or event: the system beep or a wave file.
#pragma once

#include <string>

// Plays a wave file (a native path); toEnd: return only when it has been played to its end, else at once.
// Must not fail: a file that cannot be played, or a machine without a sound device, plays nothing.
using SoundPlayerFn = void (*)(const std::string& nativeFile, bool toEnd);

// Installs the sound output; nullptr plays no files. The start state is platform::PlaySoundFile.
void SetSoundPlayer(SoundPlayerFn player);

// Nothing when enabled is false; the beep of UserInterface() when beep is set; otherwise the sound file through
// the sound output, when the file exists, played to its end when toEnd is set (the program's SyncSounds).
// Pending window events are processed after a file is started.
void PlaySignal(bool enabled, bool beep, const std::string& soundFile, bool toEnd);
