// The preview list without drawing: the visible lines over the run's folders and candidates, action changes
// for lines, selections and folders, open and closed folders, filters, sorting and the figures. It works on
// the run's own objects and working copies only (the profile keeps its values) and owns none of them; its
// lines hold indexes into the run's lists, so a window draws each line on demand from the objects.
#pragma once

#include "engine/RunState.h"
#include "review/PreviewFilters.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

// One line of the list: a folder, or a candidate of an open folder that passes the filters.
struct cPreviewLine {
    char Kind = kKindFolder; // kKindFolder or kKindCandidate
    int Folder = 0;          // index into Folders: the folder itself, or the group of the candidate
    int Candidate = -1;      // index into Candidates; -1 on a folder line

    bool IsFolder() const { return Kind == kKindFolder; }
    bool operator==(const cPreviewLine&) const = default;
};

class cPreviewList {
public:
    // Builds the lines over the run's sorted candidates and folders (as the run hands them to the preview).
    explicit cPreviewList(cRunState& run);

    // Builds the lines again; resort first sorts the candidates by the run's sort mode and order and regroups
    // them (every folder then takes the open state of the preview settings). Refreshes the figures.
    void RebuildList(bool resort);

    const std::vector<cPreviewLine>& Lines() const { return m_lines; }
    // The candidate of a candidate line; the folder of a folder line or of a candidate line's group.
    cCandidate& CandidateAt(std::size_t line) const;
    cFolder& FolderAt(std::size_t line) const;
    // Whether the filters let the candidate be shown.
    bool Shows(const cCandidate& candidate) const { return m_masks.Shows(candidate); }

    // Sets action on every line of lines: a candidate line sets its candidate, a folder line every candidate of
    // the folder, shown or not. Candidates that refuse it keep their action (see SetCandidateAction). The lines
    // stay as they are until the next rebuild; the figures follow. True when any action changed.
    bool SetAction(std::span<const std::size_t> lines, ActionFlags action);
    // The click on a candidate's arrow (see CycledAction); false on a folder line or when nothing changed.
    bool CycleAction(std::size_t line);

    // Opens or closes the folder of a folder line, inserting or removing its shown candidates below it; false
    // for a candidate line.
    bool ToggleFolder(std::size_t line);
    // Closes the folder of line (the nearest folder line at or above it); returns that folder's line.
    std::size_t CloseFolderOf(std::size_t line);
    void SetAllFolders(bool open);

    bool OneLine() const { return m_run.RunOneLine; }
    void SetOneLine(bool oneLine);
    int SortMode() const { return m_run.RunSortMode; }
    bool ReverseOrder() const { return m_run.RunReverseOrder; }
    // Resorts when the value changes; a mode outside 0..5 is ignored.
    void SetSortMode(int mode);
    void SetReverseOrder(bool reverse);
    bool Filter(ePreviewFilter filter) const { return Flags().Flag(filter); }
    void ToggleFilter(ePreviewFilter filter);

    // Counts, bytes to copy, balances and folder totals of the current actions, into the run's state.
    void UpdateStatistics();
    // Measures the free space of both roots again and refreshes the figures; a root that is not ready keeps its
    // value.
    void RereadFreeSpace();

    // Line heights in pixels for a font of fontHeight pixels.
    int LineHeight(std::size_t line, int fontHeight) const;

    cRunState& Run() const { return m_run; }

private:
    cPreviewFilterFlags Flags() const { return {m_run.Checks, m_run.RunPreview}; }
    void AppendShownCandidates(const cFolder& folder, int folderIndex, std::vector<cPreviewLine>& out) const;
    bool SetFolderAction(const cFolder& folder, ActionFlags action);

    cRunState& m_run;
    bool m_sameVolume = false;
    cPreviewMasks m_masks;
    std::vector<cPreviewLine> m_lines;
};
