// What a candidate line shows of one side, and the heights of the lines in one-line and two-line mode.
#pragma once

#include "engine/Candidate.h"

#include <string>
#include <vector>

// One side of a candidate line. A missing file shows no name, size, date or time, and its directory only when
// the preview's "Pfade immer zeigen" is on.
struct cPreviewSide {
    bool Present = false;
    std::string Directory; // relative, native form: "/Briefe/"
    std::string Name;      // base name and extension (drawn bold)
    std::string Size;      // "%.0n"
    std::string Date;      // "ddddd"
    std::string Time;      // "tt"
};

// dirList is that side's directory list (SourceDirList or DestDirList).
cPreviewSide PreviewSideOf(const cCandidate& candidate, bool source, const std::vector<std::string>& dirList,
                           bool forcePaths);

// One text row of a side block.
struct cPreviewSideRow {
    std::string Directory;
    std::string Name;
    std::string Size;
    std::string Date;
    std::string Time;

    bool operator==(const cPreviewSideRow&) const = default;
};

// One-line mode: one row with everything. Two-line mode: directory and name, then size, date and time.
std::vector<cPreviewSideRow> PreviewSideRows(const cPreviewSide& side, bool oneLine);

// Line heights in pixels for a font of fontHeight pixels: a folder line (and every line in one-line mode) is
// the larger of 4 + fontHeight and 16; a candidate line in two-line mode the larger of 8 + 2 * fontHeight and 16.
int FolderLineHeight(int fontHeight);
int CandidateLineHeight(int fontHeight, bool oneLine);
