// The groups of the settings file that cParameters reads and writes (ReadSettings / WriteSettings), and the
// sections outside the groups: the run counter and the last run of every profile.
#pragma once

#include <cstddef>
#include <string_view>

// Groups 0..17: 0 program options, 1 last used FTP servers, 2 the default options of new profiles, 3 the
// favourite profiles, 4 the recently used files, 6..17 the twelve window positions (kFirstWindowPosGroup on).
// There is no group 5; ReadSettings and WriteSettings ignore it like any number outside 0..17.
inline constexpr int kSettingsGroupCount = 18;
inline constexpr int kProgramOptionsGroup = 0;
inline constexpr int kLastUsedServersGroup = 1;
inline constexpr int kOptionsGroup = 2;
inline constexpr int kTopTwelveGroup = 3;
inline constexpr int kOldFilesGroup = 4;

inline constexpr std::string_view kProgramOptionsSection = "Program Options";
inline constexpr std::string_view kLastUsedServersSection = "Last Used Servers";
inline constexpr std::string_view kTopTwelveSection = "Top Twelve";
inline constexpr std::string_view kOldFilesSection = "Old Files";
inline constexpr std::string_view kUseSection = "Use";
inline constexpr std::string_view kLastUpdateSection = "Last Update";

// The settings file keeps at most this many last used servers: a larger "Count" in the file is not trusted
// further, so a damaged count cannot make reading take unbounded time.
inline constexpr std::size_t kMaxLastUsedServers = 1000;
