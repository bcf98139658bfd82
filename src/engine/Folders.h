// The groups ("folders") of the sorted candidate list that the preview shows under a caption.
#pragma once

#include "engine/Candidate.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct cFolder : cGeneric {
    cFolder() : cGeneric(kKindFolder) {}

    std::string Caption;
    int FirstIndex = 0; // first candidate of the group in the candidate list
    int LastIndex = 0;  // its last candidate
    std::int16_t DisplayState = 0;
    bool Expanded = false;
    int ForwardTotal = 0;
    int SkipTotal = 0;
    int DeleteTotal = 0;
    int BackwardTotal = 0;
};

// The caption of an action as the program shows it: "Vorwärts", "Überspringen", "Löschen", "Rückwärts".
std::string ActionCaption(ActionFlags action);

struct cFolderOptions {
    int SortMode = 0;
    const std::vector<std::string>* SourceDirList = nullptr; // relative source directories, "\...\"
    std::string CutPath;     // leading part of the source directories left out of the captions
    bool OpenFolders = true; // groups start expanded
};

// Groups consecutive candidates with the same key of the sort mode (directory, first letter, extension, size
// decade, day, action); the list must be sorted by that mode. Totals stay 0 until ComputeStatistics. An empty
// list gives no groups; an unknown sort mode gives one group without caption.
std::vector<std::unique_ptr<cFolder>> BuildFolders(const std::vector<std::unique_ptr<cCandidate>>& candidates,
                                                   const cFolderOptions& options);
