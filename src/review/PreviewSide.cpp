// The texts of a candidate's side and the line heights of the preview.
#include "review/PreviewSide.h"

#include "platform/Roots.h"

#include <algorithm>

namespace {

constexpr int kMinimumLineHeight = 16;

} // namespace

cPreviewSide PreviewSideOf(const cCandidate& candidate, bool source, const std::vector<std::string>& dirList,
                           bool forcePaths) {
    cPreviewSide side;
    side.Present = (source ? candidate.SourceTime : candidate.DestTime) != 0;
    if (!side.Present && !forcePaths) return side;
    const auto index = static_cast<std::size_t>(candidate.DirIndex);
    side.Directory = platform::NativePath("", index < dirList.size() ? dirList[index] : std::string("\\"));
    if (!side.Present) return side;
    side.Name = candidate.BaseName + candidate.Extension;
    const cSideTexts texts = SideTexts(candidate, source, "", dirList);
    side.Size = texts.Size;
    side.Date = texts.Date;
    side.Time = texts.Time;
    return side;
}

std::vector<cPreviewSideRow> PreviewSideRows(const cPreviewSide& side, bool oneLine) {
    if (oneLine) return {{side.Directory, side.Name, side.Size, side.Date, side.Time}};
    return {{side.Directory, side.Name, {}, {}, {}}, {{}, {}, side.Size, side.Date, side.Time}};
}

int FolderLineHeight(int fontHeight) {
    return std::max(4 + fontHeight, kMinimumLineHeight);
}

int CandidateLineHeight(int fontHeight, bool oneLine) {
    return oneLine ? FolderLineHeight(fontHeight) : std::max(8 + 2 * fontHeight, kMinimumLineHeight);
}
