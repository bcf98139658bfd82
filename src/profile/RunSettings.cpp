// What the settings file keeps about runs: the counter of runs without error and the last run of each profile.
#include "profile/Parameters.h"
#include "profile/SettingsGroups.h"
#include "profile/SettingsStore.h"

#include <cstdint>
#include <string>

namespace {

// The key under which a profile's last run is kept: its file name without the folder. Profiles of the same
// name in different folders therefore share one entry, as the file has always done.
std::string LastRunName(std::string_view profileFile) {
    auto slash = profileFile.rfind('/');
    return std::string(slash == std::string_view::npos ? profileFile : profileFile.substr(slash + 1));
}

// A 32-bit half as the file keeps it: the same bits as a signed number.
int SignedHalf(std::uint64_t bits) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(bits));
}

} // namespace

void cParameters::ReadLastRun(const std::string& profileFile) {
    if (Settings == nullptr) return;
    const std::string name = LastRunName(profileFile);
    auto low = static_cast<std::uint32_t>(Settings->ReadInteger(kLastUpdateSection, name + " Lo", 0));
    auto high = static_cast<std::uint32_t>(Settings->ReadInteger(kLastUpdateSection, name + " Hi", 0));
    LastRun = static_cast<platform::FileTime>(static_cast<std::uint64_t>(high) << 32 | low);
}

void cParameters::WriteLastRun(const std::string& profileFile) {
    if (Settings == nullptr) return;
    const std::string name = LastRunName(profileFile);
    const auto bits = static_cast<std::uint64_t>(LastRun);
    // Both halves in one update: a crash between them would leave a time that never was.
    cSettingsUpdate update(*Settings);
    Settings->WriteInteger(kLastUpdateSection, name + " Lo", SignedHalf(bits));
    Settings->WriteInteger(kLastUpdateSection, name + " Hi", SignedHalf(bits >> 32));
}

void cParameters::ReadRunCount() {
    if (Settings != nullptr) RunCount = Settings->ReadInteger(kUseSection, "Runs", 0);
}

void cParameters::WriteRunCount() {
    if (Settings != nullptr) Settings->WriteInteger(kUseSection, "Runs", RunCount);
}
