// Wave-file playback: finds a player on PATH once and runs it without a shell.
#include "platform/Sound.h"

#include "platform/Process.h"

#include <sys/stat.h>

#include <mutex>
#include <optional>
#include <string_view>
#include <vector>

namespace platform {
namespace {

struct cPlayer {
    std::string Program; // full path
    std::vector<std::string> Options;
};

struct cKnownPlayer {
    const char* Name;
    const char* Option; // nullptr: none
};

// In order of preference: PipeWire, PulseAudio, plain ALSA (quiet, it prints a banner otherwise).
constexpr cKnownPlayer knownPlayers[] = {{"pw-play", nullptr}, {"paplay", nullptr}, {"aplay", "-q"}};

std::mutex lookupMutex;
bool lookupDone = false;
std::optional<cPlayer> foundPlayer;

std::optional<cPlayer> FindPlayer() {
    for (const cKnownPlayer& known : knownPlayers) {
        if (std::optional<std::string> program = FindProgram(known.Name)) {
            cPlayer player{*program, {}};
            if (known.Option) player.Options.emplace_back(known.Option);
            return player;
        }
    }
    return std::nullopt;
}

std::optional<cPlayer> CachedPlayer() {
    std::lock_guard lock(lookupMutex);
    if (!lookupDone) {
        foundPlayer = FindPlayer();
        lookupDone = true;
    }
    return foundPlayer;
}

} // namespace

void PlaySoundFile(const std::string& nativePath, bool toEnd) {
    struct stat st {};
    if (nativePath.empty() || ::stat(nativePath.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return;
    const std::optional<cPlayer> player = CachedPlayer();
    if (!player) return;

    // A relative name that starts with a dash would be read as an option.
    const std::string file = nativePath.front() == '-' ? "./" + nativePath : nativePath;
    std::vector<std::string> args{player->Program};
    args.insert(args.end(), player->Options.begin(), player->Options.end());
    args.push_back(file);
    StartProgram(args, toEnd, true);
}

void ResetSoundPlayerLookup() {
    std::lock_guard lock(lookupMutex);
    lookupDone = false;
    foundPlayer.reset();
}

} // namespace platform
