// The acoustic signal of a warning or event.
#include "shell/messages/PlaySignal.h"

#include "platform/FileInfo.h"
#include "platform/Sound.h"
#include "shell/UserInterface.h"

namespace {
SoundPlayerFn g_player = &platform::PlaySoundFile;
}

void SetSoundPlayer(SoundPlayerFn player) {
    g_player = player;
}

void PlaySignal(bool enabled, bool beep, const std::string& soundFile, bool toEnd) {
    if (!enabled) return;
    if (beep) {
        UserInterface().Beep();
        return;
    }
    platform::FileInfo info;
    if (soundFile.empty() || platform::GetFileInfo(soundFile, info) != 0 || info.IsDirectory()) return;
    if (g_player) g_player(soundFile, toEnd);
    UserInterface().ProcessEvents();
}
