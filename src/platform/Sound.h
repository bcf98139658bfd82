// Wave-file playback through the desktop's command-line sound players.
#pragma once

#include <string>

namespace platform {

// Plays a wave file with the first player found on PATH: pw-play, paplay, aplay -q. toEnd: returns when the
// player has ended; otherwise returns at once and the player runs on its own. Never fails: without a player,
// without a sound device or without the file nothing is played and nothing is reported.
void PlaySoundFile(const std::string& nativePath, bool toEnd);

// Forgets the player found on PATH, so the next PlaySoundFile searches again (for tests that change PATH).
void ResetSoundPlayerLookup();

} // namespace platform
