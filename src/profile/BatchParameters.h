// The contents of a batch file: the profiles it runs with their continuation codes, and its own options.
#pragma once

#include "profile/ScheduleEntry.h"
#include "profile/TextList.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// What the batch does after an entry: 0 always go on, 1 go on after success, 2 go on after failure.
enum Continuation : int {
    kContinueAlways = 0,
    kContinueOnSuccess = 1,
    kContinueOnFailure = 2,
};

// The German text of a continuation code; the empty text for any other code.
std::string_view ContinuationText(int code);

// One profile of a batch; its full file name is Drive + Directory + Name and may hold variables.
struct BatchEntry {
    std::string Drive;
    std::string Directory;
    std::string Name;
    int Continuation = kContinueAlways;
};

struct cBatchParameters {
    // The three entry lists are parallel: entry i is (ProfileDrives[i], ProfileDirectories[i],
    // ProfileNames[i]), and the tag of ProfileNames[i] is its continuation code. Change them through AddEntry.
    cTextList ProfileDrives;
    cTextList ProfileDirectories;
    cTextList ProfileNames;
    bool ChecksOverride = false;
    bool ShowPreview = true; // replaces the profiles' ShowPreview while ChecksOverride is set
    bool WarningsOverride = false;
    // Replace the profiles' fields of the same names while WarningsOverride is set.
    bool Warning1Message = true;
    bool Warning1Sound = true;
    bool Warning2Message = true;
    bool Warning2Sound = true;
    bool Warning3Message = true;
    bool Warning3Sound = true;
    bool Warning4Message = true;
    bool Warning4Sound = true;
    bool AutoOpen = false;
    bool AutoHook = false;
    bool AutoExit = false;
    int AutoShutdown = 0; // 0 nothing, 1 shut down, 2 log off, 3 power off, 4 restart
    bool TrayIcon = false;
    std::vector<ScheduleEntry> Schedule;

    std::size_t EntryCount() const { return ProfileNames.Size(); }
    BatchEntry Entry(std::size_t index) const;
    void AddEntry(BatchEntry entry);

    bool operator==(const cBatchParameters&) const = default;
};
