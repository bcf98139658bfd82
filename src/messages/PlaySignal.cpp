// The acoustic signal of a warning or event.
#include "messages/PlaySignal.h"

#include "messages/UserInterface.h"
#include "platform/FileInfo.h"
#include "platform/Sound.h"

void cUserInterface::PlaySound(const std::string& nativeFile, bool toEnd) {
    platform::PlaySoundFile(nativeFile, toEnd);
}

void PlaySignal(cUserInterface& ui, bool enabled, bool beep, const std::string& soundFile, bool toEnd) {
    if (!enabled) return;
    if (beep) {
        ui.Beep();
        return;
    }
    platform::FileInfo info;
    if (soundFile.empty() || platform::GetFileInfo(soundFile, info) != 0 || info.IsDirectory()) return;
    ui.PlaySound(soundFile, toEnd);
}
