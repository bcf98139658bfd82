// Comparing and sorting candidates by the run's sort mode.
#include "engine/CandidateSort.h"

#include "platform/Collation.h"

#include <algorithm>
#include <compare>
#include <string>
#include <utility>

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
        return platform::CompareCollated(a.BaseName, b.BaseName);
    case kSortByType:
        return platform::CompareCollated(a.Extension, b.Extension);
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

// Names and extensions are sorted by collation keys computed once per candidate: comparing keys is a byte
// comparison, while the collator would decode and weigh both texts on each of the n log n comparisons.
void SortByCollationKey(std::vector<std::unique_ptr<cCandidate>>& candidates, bool byName, bool reverseOrder) {
    std::vector<std::pair<std::string, std::unique_ptr<cCandidate>>> keyed;
    keyed.reserve(candidates.size());
    for (auto& c : candidates) {
        std::string key = platform::CollationKey(byName ? c->BaseName : c->Extension);
        keyed.emplace_back(std::move(key), std::move(c));
    }
    std::stable_sort(keyed.begin(), keyed.end(), [reverseOrder](const auto& a, const auto& b) {
        return reverseOrder ? b.first < a.first : a.first < b.first;
    });
    for (std::size_t i = 0; i < keyed.size(); ++i)
        candidates[i] = std::move(keyed[i].second);
}

} // namespace

int CompareCandidates(const cCandidate& a, const cCandidate& b, int sortMode, bool reverseOrder) {
    const int result = CompareForward(a, b, sortMode);
    return reverseOrder ? -result : result;
}

void SortCandidates(std::vector<std::unique_ptr<cCandidate>>& candidates, int sortMode, bool reverseOrder) {
    if (sortMode == kSortByName || sortMode == kSortByType) {
        SortByCollationKey(candidates, sortMode == kSortByName, reverseOrder);
        return;
    }
    std::stable_sort(
        candidates.begin(), candidates.end(),
        [sortMode, reverseOrder](const std::unique_ptr<cCandidate>& a, const std::unique_ptr<cCandidate>& b) {
            return CompareCandidates(*a, *b, sortMode, reverseOrder) < 0;
        });
}
