// Wave-file playback: finds a player on PATH once and runs it without a shell.
#include "platform/Sound.h"

#include "platform/Environment.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
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

bool IsExecutableFile(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::access(path.c_str(), X_OK) == 0;
}

// Empty and relative PATH elements are skipped: a sound must never run a program from the working directory.
std::optional<std::string> FindOnPath(std::string_view path, std::string_view name) {
    while (!path.empty()) {
        const size_t colon = path.find(':');
        const std::string_view dir = path.substr(0, colon);
        path = colon == std::string_view::npos ? std::string_view{} : path.substr(colon + 1);
        if (dir.empty() || dir.front() != '/') continue;
        std::string candidate(dir);
        candidate += '/';
        candidate += name;
        if (IsExecutableFile(candidate)) return candidate;
    }
    return std::nullopt;
}

std::optional<cPlayer> FindPlayer() {
    const std::string path = GetEnvironment("PATH").value_or("");
    for (const cKnownPlayer& known : knownPlayers) {
        if (std::optional<std::string> program = FindOnPath(path, known.Name)) {
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

// Runs argv with stdin, stdout and stderr on /dev/null. toEnd waits for the program. Otherwise a double fork:
// the intermediate child starts the player and ends at once, so the wait here is short and the player, orphaned,
// is reaped by init; no SIGCHLD handler and no bookkeeping of running players is needed.
// Only async-signal-safe calls happen between fork and exec, as the program has other threads.
void Run(const std::vector<char*>& argv, bool toEnd) {
    const pid_t child = ::fork();
    if (child < 0) return;
    if (child == 0) {
        if (!toEnd) {
            const pid_t player = ::fork();
            if (player != 0) ::_exit(player < 0 ? 1 : 0);
        }
        const int devNull = ::open("/dev/null", O_RDWR);
        if (devNull >= 0) {
            ::dup2(devNull, STDIN_FILENO);
            ::dup2(devNull, STDOUT_FILENO);
            ::dup2(devNull, STDERR_FILENO);
            if (devNull > STDERR_FILENO) ::close(devNull);
        }
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    while (::waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
    }
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
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    Run(argv, toEnd);
}

void ResetSoundPlayerLookup() {
    std::lock_guard lock(lookupMutex);
    lookupDone = false;
    foundPlayer.reset();
}

} // namespace platform
