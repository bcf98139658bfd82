// Counting the planned actions and the space they take or free on either side.
#include "engine/Statistics.h"

#include <algorithm>
#include <cstddef>

namespace {

void CountFolder(cFolder& folder, const std::vector<std::unique_ptr<cCandidate>>& candidates) {
    folder.ForwardTotal = folder.SkipTotal = folder.DeleteTotal = folder.BackwardTotal = 0;
    const int last = std::min(folder.LastIndex, static_cast<int>(candidates.size()) - 1);
    for (int i = std::max(folder.FirstIndex, 0); i <= last; ++i) {
        switch (candidates[static_cast<std::size_t>(i)]->Action()) {
        case kActionForward:
            ++folder.ForwardTotal;
            break;
        case kActionSkip:
            ++folder.SkipTotal;
            break;
        case kActionDelete:
            ++folder.DeleteTotal;
            break;
        case kActionBackward:
            ++folder.BackwardTotal;
            break;
        default:
            break;
        }
    }
}

} // namespace

cRunStatistics ComputeStatistics(const std::vector<std::unique_ptr<cCandidate>>& candidates,
                                 std::vector<std::unique_ptr<cFolder>>& folders, const cFreeSpace& space) {
    cRunStatistics s;
    std::int64_t forwardGrowth = 0;
    std::int64_t backwardGrowth = 0;
    std::int64_t freedSource = 0;
    std::int64_t freedDest = 0;
    for (const auto& c : candidates) {
        const bool copiesContent = (c->Flags & kFlagCopyContent) != 0;
        switch (c->Action()) {
        case kActionForward:
            ++s.PlannedForward;
            if (copiesContent) s.BytesToCopy += c->SourceSize;
            forwardGrowth += c->SourceSize - c->DestSize;
            break;
        case kActionSkip:
            ++s.PlannedSkip;
            break;
        case kActionDelete:
            ++s.PlannedDelete;
            freedSource += c->SourceSize;
            freedDest += c->DestSize;
            break;
        case kActionBackward:
            ++s.PlannedBackward;
            if (copiesContent) s.BytesToCopy += c->DestSize;
            backwardGrowth += c->DestSize - c->SourceSize;
            break;
        default:
            break;
        }
    }
    if (space.SameRoot) {
        s.SourceBalance = space.SourceFree + freedSource + freedDest - (forwardGrowth + backwardGrowth);
        s.DestBalance = s.SourceBalance;
    } else {
        s.SourceBalance = space.SourceFree + freedSource - backwardGrowth;
        s.DestBalance = space.DestFree + freedDest - forwardGrowth;
    }
    for (auto& folder : folders)
        CountFolder(*folder, candidates);
    return s;
}
