// The order of the candidate list: six sort modes, optionally reversed.
#pragma once

#include "engine/Candidate.h"

#include <memory>
#include <vector>

// Sort modes as the profile stores them; any other value keeps every candidate equal.
enum CandidateSortMode : int {
    kSortByPath = 0,     // directory index ascending (the directory lists are sorted by path)
    kSortByName = 1,     // base name ascending, German collation without regard to case ("Äpfel" before "Axt")
    kSortByType = 2,     // extension ascending, likewise
    kSortBySize = 3,     // largest first
    kSortByDateTime = 4, // newest first
    kSortByCategory = 5, // forward, skip, delete, backward
};

// Negative, 0 or positive; reverseOrder negates the result.
int CompareCandidates(const cCandidate& a, const cCandidate& b, int sortMode, bool reverseOrder);

// Sorts once, O(n log n). Candidates that compare equal keep their order (the order of the scan).
void SortCandidates(std::vector<std::unique_ptr<cCandidate>>& candidates, int sortMode, bool reverseOrder);
