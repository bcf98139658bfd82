// Comparing and sorting candidates by the run's sort mode.
#include "engine/CandidateSort.h"

#include "platform/Text.h"

#include <algorithm>
#include <compare>

namespace {

template <typename T> int Sign(const T& a, const T& b) {
    const auto order = a <=> b;
    return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

int CompareForward(const cCandidate& a, const cCandidate& b, int sortMode) {
    switch (sortMode) {
    case kSortByPath:
        return Sign(a.DirIndex, b.DirIndex);
    case kSortByName:
        return platform::CompareNoCase(a.BaseName, b.BaseName);
    case kSortByType:
        return platform::CompareNoCase(a.Extension, b.Extension);
    case kSortBySize:
        return Sign(b.SortSize, a.SortSize);
    case kSortByDateTime:
        return Sign(b.SortTime, a.SortTime);
    case kSortByCategory:
        return Sign(a.Action(), b.Action());
    default:
        return 0;
    }
}

} // namespace

int CompareCandidates(const cCandidate& a, const cCandidate& b, int sortMode, bool reverseOrder) {
    const int result = CompareForward(a, b, sortMode);
    return reverseOrder ? -result : result;
}

void SortCandidates(std::vector<std::unique_ptr<cCandidate>>& candidates, int sortMode, bool reverseOrder) {
    std::stable_sort(
        candidates.begin(), candidates.end(),
        [sortMode, reverseOrder](const std::unique_ptr<cCandidate>& a, const std::unique_ptr<cCandidate>& b) {
            return CompareCandidates(*a, *b, sortMode, reverseOrder) < 0;
        });
}
