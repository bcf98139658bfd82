// ReadSettings / WriteSettings: the groups of the settings file, one section (or a few keys) each.
#include "profile/SettingsGroups.h"

#include "platform/ProgramFolders.h"
#include "profile/OptionFields.h"
#include "profile/Parameters.h"
#include "profile/SettingsStore.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

namespace {

constexpr int kUnixEpochDay = 25569; // 1 January 1970
// The group of the view-log window, whose section also holds the log viewer's font.
constexpr int kViewLogGroup = 8;
// Bold, italic, underline, strike-out; the font style keeps no other bits.
constexpr int kFontStyleBits = 0x0F;

// A date-time value as the whole days the file keeps (truncated toward zero, held within int).
int WholeDays(double dateTime) {
    double days = std::trunc(dateTime);
    if (!(days >= std::numeric_limits<int>::min())) return std::numeric_limits<int>::min(); // also NaN
    if (days > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
    return static_cast<int>(days);
}

std::string Numbered(std::string_view prefix, std::size_t number) {
    return std::string(prefix) + std::to_string(number);
}

void ReadProgramOptions(cProgrammParameters& options, const cSettingsStore& store) {
    constexpr std::string_view section = kProgramOptionsSection;
    const std::string sample = platform::DataFolder() + "Beispiel";
    options.Splash = store.ReadBool(section, "Splash", true);
    options.Reopen = store.ReadBool(section, "Reopen", false);
    options.LastFile = store.ReadString(section, "LastFile", "");
    options.Tooltips = store.ReadBool(section, "Tooltips", true);
    options.CompareA = store.ReadString(section, "CompareA", "");
    options.CompareB = store.ReadString(section, "CompareB", "%1 %2");
    options.MainDisplay = store.ReadFitting<std::uint8_t>(section, "MainDisplay", 0);
    options.MessagePath = store.ReadString(section, "MessagePath", sample + ".rtf");
    options.PicturePath = store.ReadString(section, "PicturePath", sample + ".jpg");
    options.FitSize = store.ReadBool(section, "FitSize", true);
    // The file keeps the colour's bits as a signed number.
    options.FrameColor = static_cast<std::uint32_t>(store.ReadInteger(section, "FrameColor", 0));
    options.BirthDate = store.ReadInteger(section, "BirthDate", kUnixEpochDay);
}

void WriteProgramOptions(const cProgrammParameters& options, cSettingsStore& store) {
    constexpr std::string_view section = kProgramOptionsSection;
    store.WriteBool(section, "Splash", options.Splash);
    store.WriteBool(section, "Reopen", options.Reopen);
    store.Write(section, "LastFile", options.LastFile);
    store.WriteBool(section, "Tooltips", options.Tooltips);
    store.Write(section, "CompareA", options.CompareA);
    store.Write(section, "CompareB", options.CompareB);
    store.WriteInteger(section, "MainDisplay", options.MainDisplay);
    store.Write(section, "MessagePath", options.MessagePath);
    store.Write(section, "PicturePath", options.PicturePath);
    store.WriteBool(section, "FitSize", options.FitSize);
    store.WriteInteger(section, "FrameColor", static_cast<int>(options.FrameColor));
    store.WriteInteger(section, "BirthDate", WholeDays(options.BirthDate));
}

void ReadLastUsedServers(cTextList& servers, const cSettingsStore& store) {
    servers.Clear();
    int count = store.ReadInteger(kLastUsedServersSection, "Count", 0);
    std::size_t last = std::min(static_cast<std::size_t>(std::max(count, 0)), kMaxLastUsedServers);
    // Numbers without a value, or with an empty one, are gaps and skipped.
    for (std::size_t number = 1; number <= last; ++number) {
        std::string server = store.ReadString(kLastUsedServersSection, std::to_string(number), "");
        if (!server.empty()) servers.Add(std::move(server));
    }
}

void WriteLastUsedServers(const cTextList& servers, cSettingsStore& store) {
    // Erased first, so that no number beyond the new count is left from a longer list.
    store.EraseSection(kLastUsedServersSection);
    std::size_t count = std::min(servers.Size(), kMaxLastUsedServers);
    store.WriteInteger(kLastUsedServersSection, "Count", static_cast<int>(count));
    for (std::size_t i = 0; i < count; ++i)
        store.Write(kLastUsedServersSection, std::to_string(i + 1), servers.Text(i));
}

void ReadTopTwelve(cTopTwelve& topTwelve, const cSettingsStore& store) {
    for (std::size_t i = 0; i < topTwelve.Profiles.size(); ++i) {
        topTwelve.Descriptions[i] = store.ReadString(kTopTwelveSection, Numbered("Description", i + 1), "");
        topTwelve.Profiles[i] = store.ReadString(kTopTwelveSection, Numbered("Profile", i + 1), "");
    }
}

void WriteTopTwelve(const cTopTwelve& topTwelve, cSettingsStore& store) {
    for (std::size_t i = 0; i < topTwelve.Profiles.size(); ++i) {
        store.Write(kTopTwelveSection, Numbered("Description", i + 1), topTwelve.Descriptions[i]);
        store.Write(kTopTwelveSection, Numbered("Profile", i + 1), topTwelve.Profiles[i]);
    }
}

void ReadOldFiles(std::array<std::string, 9>& oldFiles, const cSettingsStore& store) {
    for (std::size_t i = 0; i < oldFiles.size(); ++i)
        oldFiles[i] = store.ReadString(kOldFilesSection, Numbered("File", i + 1), "");
}

void WriteOldFiles(const std::array<std::string, 9>& oldFiles, cSettingsStore& store) {
    for (std::size_t i = 0; i < oldFiles.size(); ++i)
        store.Write(kOldFilesSection, Numbered("File", i + 1), oldFiles[i]);
}

void ReadWindowGroup(cParameters& params, const cSettingsStore& store, int group) {
    auto index = static_cast<std::size_t>(group - kFirstWindowPosGroup);
    const cWindowPosGroup& layout = kWindowPosGroups[index];
    const std::string_view section = layout.Section;
    const cWindowPos def = DefaultWindowPos(index, params.ScreenWidth, params.ScreenHeight);
    cWindowPos& pos = params.WindowPositions[index];
    pos.Left = store.ReadFitting(section, "Left", def.Left);
    pos.Top = store.ReadFitting(section, "Top", def.Top);
    if (layout.HasSize) {
        pos.Right = store.ReadFitting(section, "Right", def.Right);
        pos.Bottom = store.ReadFitting(section, "Bottom", def.Bottom);
        pos.Maximized = store.ReadBool(section, "Maximized", def.Maximized);
    }
    if (group == kViewLogGroup) {
        params.ViewLogFontName = store.ReadString(section, "FontName", "Courier New");
        params.ViewLogFontSize = store.ReadInteger(section, "FontSize", 9);
        params.ViewLogFontStyle =
            static_cast<std::uint8_t>(store.ReadInteger(section, "FontStyle", 0) & kFontStyleBits);
    }
}

void WriteWindowGroup(const cParameters& params, cSettingsStore& store, int group) {
    auto index = static_cast<std::size_t>(group - kFirstWindowPosGroup);
    const cWindowPosGroup& layout = kWindowPosGroups[index];
    const std::string_view section = layout.Section;
    const cWindowPos& pos = params.WindowPositions[index];
    store.WriteInteger(section, "Left", pos.Left);
    store.WriteInteger(section, "Top", pos.Top);
    if (layout.HasSize) {
        store.WriteInteger(section, "Right", pos.Right);
        store.WriteInteger(section, "Bottom", pos.Bottom);
        store.WriteBool(section, "Maximized", pos.Maximized);
    }
    if (group == kViewLogGroup) {
        store.Write(section, "FontName", params.ViewLogFontName);
        store.WriteInteger(section, "FontSize", params.ViewLogFontSize);
        store.WriteInteger(section, "FontStyle", params.ViewLogFontStyle & kFontStyleBits);
    }
}

bool IsWindowGroup(int group) {
    return group >= kFirstWindowPosGroup && group < kSettingsGroupCount;
}

} // namespace

void cParameters::ReadSettings(int group) {
    if (Settings == nullptr) return;
    const cSettingsStore& store = *Settings;
    switch (group) {
    case kProgramOptionsGroup:
        ReadProgramOptions(Programm, store);
        break;
    case kLastUsedServersGroup:
        ReadLastUsedServers(LastUsedServers, store);
        break;
    case kOptionsGroup:
        ReadOptions(*this, &store);
        break;
    case kTopTwelveGroup:
        ReadTopTwelve(TopTwelve, store);
        break;
    case kOldFilesGroup:
        ReadOldFiles(OldFiles, store);
        break;
    default:
        if (IsWindowGroup(group)) ReadWindowGroup(*this, store, group);
        break;
    }
}

void cParameters::WriteSettings(int group) {
    if (Settings == nullptr) return;
    cSettingsStore& store = *Settings;
    // One group, one update of the file.
    cSettingsUpdate update(store);
    switch (group) {
    case kProgramOptionsGroup:
        WriteProgramOptions(Programm, store);
        break;
    case kLastUsedServersGroup:
        WriteLastUsedServers(LastUsedServers, store);
        break;
    case kOptionsGroup:
        WriteOptions(*this, store);
        break;
    case kTopTwelveGroup:
        WriteTopTwelve(TopTwelve, store);
        break;
    case kOldFilesGroup:
        WriteOldFiles(OldFiles, store);
        break;
    default:
        if (IsWindowGroup(group)) WriteWindowGroup(*this, store, group);
        break;
    }
}

void cParameters::WriteLastFile() {
    if (Settings != nullptr) Settings->Write(kProgramOptionsSection, "LastFile", Programm.LastFile);
}
