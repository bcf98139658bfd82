// How much the source settings of a profile select: the folders, files and bytes a run would look at, counted
// with the run's own scan while the user edits them.
#pragma once

#include "engine/DirectoryPass.h"

#include <cstddef>
#include <cstdint>

class cParameters;

struct cSelectionCount {
    std::size_t Folders = 0; // directories of the source directory list that exist
    std::size_t Files = 0;
    std::uint64_t Bytes = 0;
};

// What a first run of params into an empty destination would copy: the scan of the run (search and exclude
// entries, the four kinds of masks, the age and attribute filters) with the destination touched only and
// orphans copied forward, so that every file the settings select is one candidate. Returns 0;
// platform::kPathNotFound when the source root is not ready (an unmapped Windows root among them);
// platform::kCancelled when stopping answered true (count then holds nothing).
[[nodiscard]] int CountSelection(const cParameters& params, const cStopQuery& stopping, cSelectionCount& count);
