// The preview list's lines and the changes its buttons make.
#include "review/PreviewList.h"

#include "engine/CandidateSort.h"
#include "platform/FreeSpace.h"
#include "review/PreviewActions.h"
#include "review/PreviewSide.h"

#include <algorithm>

namespace {

constexpr int kSortModes = 6;

} // namespace

cPreviewList::cPreviewList(cRunState& run)
    : m_run(run), m_sameVolume(run.SameRoot || platform::OnSameFileSystem(run.NativeSourceRoot, run.NativeDestRoot)) {
    RebuildList(false);
}

void cPreviewList::RebuildList(bool resort) {
    cRunState& s = m_run;
    if (resort) {
        SortCandidates(s.Candidates, s.RunSortMode, s.RunReverseOrder);
        s.Folders = BuildFolders(s.Candidates, {s.RunSortMode, &s.SourceDirList, s.CutPath, s.RunPreview.OpenFolders});
    }
    m_masks = Flags().Masks();
    m_lines.clear();
    m_lines.reserve(s.Folders.size() + s.Candidates.size());
    for (std::size_t f = 0; f < s.Folders.size(); ++f) {
        const cFolder& folder = *s.Folders[f];
        m_lines.push_back({kKindFolder, static_cast<int>(f), -1});
        if (folder.Expanded) AppendShownCandidates(folder, static_cast<int>(f), m_lines);
    }
    UpdateStatistics();
}

void cPreviewList::AppendShownCandidates(const cFolder& folder, int folderIndex, std::vector<cPreviewLine>& out) const {
    const auto& candidates = m_run.Candidates;
    const int last = std::min(folder.LastIndex, static_cast<int>(candidates.size()) - 1);
    for (int i = std::max(folder.FirstIndex, 0); i <= last; ++i)
        if (m_masks.Shows(*candidates[static_cast<std::size_t>(i)])) out.push_back({kKindCandidate, folderIndex, i});
}

cCandidate& cPreviewList::CandidateAt(std::size_t line) const {
    return *m_run.Candidates[static_cast<std::size_t>(m_lines[line].Candidate)];
}

cFolder& cPreviewList::FolderAt(std::size_t line) const {
    return *m_run.Folders[static_cast<std::size_t>(m_lines[line].Folder)];
}

bool cPreviewList::SetFolderAction(const cFolder& folder, ActionFlags action) {
    const auto& candidates = m_run.Candidates;
    const int last = std::min(folder.LastIndex, static_cast<int>(candidates.size()) - 1);
    bool changed = false;
    for (int i = std::max(folder.FirstIndex, 0); i <= last; ++i)
        changed |= SetCandidateAction(*candidates[static_cast<std::size_t>(i)], action, m_run.Touched);
    return changed;
}

bool cPreviewList::SetAction(std::span<const std::size_t> lines, ActionFlags action) {
    bool changed = false;
    for (const std::size_t line : lines) {
        if (line >= m_lines.size()) continue;
        if (m_lines[line].IsFolder())
            changed |= SetFolderAction(FolderAt(line), action);
        else
            changed |= SetCandidateAction(CandidateAt(line), action, m_run.Touched);
    }
    if (changed) UpdateStatistics();
    return changed;
}

bool cPreviewList::CycleAction(std::size_t line) {
    if (line >= m_lines.size() || m_lines[line].IsFolder()) return false;
    if (!CycleCandidateAction(CandidateAt(line), m_run.Touched)) return false;
    UpdateStatistics();
    return true;
}

bool cPreviewList::ToggleFolder(std::size_t line) {
    if (line >= m_lines.size() || !m_lines[line].IsFolder()) return false;
    cFolder& folder = FolderAt(line);
    const auto below = m_lines.begin() + static_cast<std::ptrdiff_t>(line) + 1;
    if (folder.Expanded) {
        const auto end = std::find_if(below, m_lines.end(), [](const cPreviewLine& l) { return l.IsFolder(); });
        m_lines.erase(below, end);
    } else {
        std::vector<cPreviewLine> shown;
        AppendShownCandidates(folder, m_lines[line].Folder, shown);
        m_lines.insert(below, shown.begin(), shown.end());
    }
    folder.Expanded = !folder.Expanded;
    return true;
}

std::size_t cPreviewList::CloseFolderOf(std::size_t line) {
    if (m_lines.empty()) return 0;
    line = std::min(line, m_lines.size() - 1);
    while (line > 0 && !m_lines[line].IsFolder())
        --line;
    if (FolderAt(line).Expanded) ToggleFolder(line);
    return line;
}

void cPreviewList::SetAllFolders(bool open) {
    for (const auto& folder : m_run.Folders)
        folder->Expanded = open;
    RebuildList(false);
}

void cPreviewList::SetOneLine(bool oneLine) {
    m_run.RunOneLine = oneLine;
    RebuildList(false);
}

void cPreviewList::SetSortMode(int mode) {
    if (mode < 0 || mode >= kSortModes || mode == m_run.RunSortMode) return;
    m_run.RunSortMode = static_cast<std::uint8_t>(mode);
    RebuildList(true);
}

void cPreviewList::SetReverseOrder(bool reverse) {
    if (reverse == m_run.RunReverseOrder) return;
    m_run.RunReverseOrder = reverse;
    RebuildList(true);
}

void cPreviewList::ToggleFilter(ePreviewFilter filter) {
    bool& flag = Flags().Flag(filter);
    flag = !flag;
    RebuildList(false);
}

void cPreviewList::UpdateStatistics() {
    UpdateRunFigures(m_run, m_sameVolume);
}

void cPreviewList::RereadFreeSpace() {
    const auto measure = [](const std::string& nativeRoot, std::int64_t& free) {
        if (nativeRoot.empty()) return;
        int code = 0;
        const std::int64_t measured = platform::MeasureFreeSpace(nativeRoot, platform::cDriveMap{}, code);
        if (code == 0) free = measured;
    };
    measure(m_run.NativeSourceRoot, m_run.SourceFree);
    measure(m_run.NativeDestRoot, m_run.DestFree);
    UpdateStatistics();
}

int cPreviewList::LineHeight(std::size_t line, int fontHeight) const {
    if (line < m_lines.size() && m_lines[line].IsFolder()) return FolderLineHeight(fontHeight);
    return CandidateLineHeight(fontHeight, m_run.RunOneLine);
}
