// libFuzzer target: any bytes as the settings file. cIniFile must take any text without a crash, a leak or an
// allocation beyond the input while every settings group, the run counter, a last run and the drive map are
// read from it. What the program writes back into that same file must read back as written: the groups read,
// written into the file and read again by a fresh object give the same values, and the "Drives" section, which
// the groups do not write, maps the same roots afterwards.
#include "FuzzSupport.h"

#include "platform/Roots.h"
#include "profile/IniFile.h"
#include "profile/Parameters.h"
#include "profile/SettingsFile.h"
#include "profile/SettingsGroups.h"
#include "profile/SettingsStore.h"

#include <cstdio>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

using fuzz::Fail;

namespace {

constexpr const char* kTarget = "SettingsReadFuzz";
// The last run is kept under the profile's file name.
const std::string kProfile = "/home/anna/Sicherung.tvp";

// The values of a cParameters as the settings file can hold them (a line break becomes a blank), to compare two.
// The program writes every key in one spelling, so exact names do.
class cValueStore : public cSettingsStore {
public:
    std::optional<std::string> Read(std::string_view section, std::string_view key) const override {
        auto found = m_values.find({std::string(section), std::string(key)});
        if (found == m_values.end()) return std::nullopt;
        return found->second;
    }
    void Write(std::string_view section, std::string_view key, std::string_view value) override {
        std::string text(value);
        for (char& c : text)
            if (c == '\r' || c == '\n') c = ' ';
        m_values[{std::string(section), std::string(key)}] = std::move(text);
    }
    void EraseSection(std::string_view section) override {
        std::erase_if(m_values, [&](const auto& entry) { return entry.first.first == section; });
    }
    // One line per key, sorted: "[section] key=value".
    std::string Text() const {
        std::string text;
        for (const auto& [name, value] : m_values)
            text += "[" + name.first + "] " + name.second + "=" + value + "\n";
        return text;
    }

private:
    std::map<std::pair<std::string, std::string>, std::string> m_values;
};

// The constructor has read the option defaults (group 2) already.
void ReadEverything(cParameters& params) {
    for (int group = 0; group < kSettingsGroupCount; ++group)
        if (group != kOptionsGroup) params.ReadSettings(group);
    params.ReadRunCount();
    params.ReadLastRun(kProfile);
}

void WriteEverything(cParameters& params) {
    for (int group = 0; group < kSettingsGroupCount; ++group)
        params.WriteSettings(group);
    params.WriteRunCount();
    params.WriteLastRun(kProfile);
}

std::string ValuesOf(cParameters& params) {
    cValueStore store;
    cSettingsStore* settings = params.Settings;
    params.Settings = &store;
    WriteEverything(params);
    params.Settings = settings;
    return store.Text();
}

// The drive map loaded from the file, looked up for the given roots.
std::vector<std::optional<std::string>> DrivesOf(const cIniFile& file, const std::vector<std::string>& roots) {
    const platform::cDriveMap drives = ReadDrives(file);
    std::vector<std::optional<std::string>> directories;
    for (const std::string& root : roots)
        directories.push_back(drives.Lookup(root));
    return directories;
}

// The line of text that holds the byte at.
std::string LineAt(const std::string& text, std::size_t at) {
    std::size_t begin = at == 0 ? std::string::npos : text.rfind('\n', at - 1);
    begin = begin == std::string::npos ? 0 : begin + 1;
    return text.substr(begin, text.find('\n', begin) - begin);
}

// Names the first line in which two texts of values differ, for the report of a failed input.
void ShowFirstDifference(const std::string& expected, const std::string& found) {
    std::size_t at = 0;
    while (at < expected.size() && at < found.size() && expected[at] == found[at])
        ++at;
    std::fprintf(stderr, "expected: %s\nfound:    %s\n", LineAt(expected, at).c_str(), LineAt(found, at).c_str());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = fuzz::WriteScratchFile("Tolvan6.ini", data, size);
    std::vector<std::string> roots;
    std::vector<std::optional<std::string>> drives;
    std::string values;
    {
        cIniFile file(path);
        roots = file.Keys(kDrivesSection);
        drives = DrivesOf(file, roots);
        cParameters params(&file);
        ReadEverything(params);
        values = ValuesOf(params);
        // Written back as the program does at exit: into the file it was read from, one update.
        cSettingsUpdate update(file);
        WriteEverything(params);
    }

    cIniFile file(path);
    if (file.Keys(kDrivesSection) != roots) Fail(kTarget, "writing the groups changed the keys of \"Drives\"");
    if (DrivesOf(file, roots) != drives) Fail(kTarget, "writing the groups changed the drive map");
    cParameters again(&file);
    ReadEverything(again);
    const std::string valuesAgain = ValuesOf(again);
    if (valuesAgain != values) {
        ShowFirstDifference(values, valuesAgain);
        Fail(kTarget, "the groups written into the file do not read back as written");
    }
    return 0;
}
