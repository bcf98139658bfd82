// The per-action figures of a run's candidate list: counts, bytes to copy and the free-space balances.
#pragma once

#include "engine/Candidate.h"
#include "engine/Folders.h"

#include <cstdint>
#include <memory>
#include <vector>

struct cRunStatistics {
    std::int64_t BytesToCopy = 0; // content bytes of the forward and backward copies
    int PlannedForward = 0;
    int PlannedSkip = 0;
    int PlannedDelete = 0;
    int PlannedBackward = 0;
    // Free space expected after the run; negative means a shortfall.
    std::int64_t SourceBalance = 0;
    std::int64_t DestBalance = 0;
};

struct cFreeSpace {
    bool SameRoot = false; // source and destination share one volume: one balance for both
    std::int64_t SourceFree = 0;
    std::int64_t DestFree = 0;
};

// Counts the candidates by action and fills every folder's four totals (indices outside the list are ignored).
cRunStatistics ComputeStatistics(const std::vector<std::unique_ptr<cCandidate>>& candidates,
                                 std::vector<std::unique_ptr<cFolder>>& folders, const cFreeSpace& space);
