// A problem the scan met and went on after: a directory it could not read or a name it cannot carry.
#pragma once

#include <string>

// Path is the native path shown to the user. Code is platform::kInvalidName for a name that holds "\", CR or
// LF or is no valid UTF-8 (the file is left out of the run), otherwise the code of the failed listing.
struct cScanProblem {
    std::string Path;
    int Code = 0;

    bool operator==(const cScanProblem&) const = default;
};
