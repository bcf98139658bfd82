// Setting and cycling the action of one candidate.
#include "review/PreviewActions.h"

namespace {

ActionFlags NextInCycle(ActionFlags action) {
    switch (action) {
    case kActionForward:
        return kActionSkip;
    case kActionSkip:
        return kActionDelete;
    case kActionDelete:
        return kActionBackward;
    default:
        return kActionForward;
    }
}

void ReplaceAction(cCandidate& candidate, ActionFlags action) {
    candidate.Flags = static_cast<ActionFlags>((candidate.Flags & ~kActionMask) | action);
}

} // namespace

bool SetCandidateAction(cCandidate& candidate, ActionFlags action, cTouchedSides touched) {
    if (action != kActionForward && action != kActionSkip && action != kActionDelete && action != kActionBackward)
        return false;
    if (action == kActionForward && candidate.SourceTime == 0) return false;
    if (action == kActionBackward && candidate.DestTime == 0) return false;
    if (!KeepsUntouchedSides(candidate, action, touched)) return false;
    if (candidate.Action() == action) return false;
    ReplaceAction(candidate, action);
    return true;
}

ActionFlags CycledAction(const cCandidate& candidate, cTouchedSides touched) {
    ActionFlags action = candidate.Action();
    for (int step = 0; step < 4; ++step) {
        action = NextInCycle(action);
        if (action == kActionBackward && candidate.DestTime == 0) action = kActionForward;
        if (action == kActionForward && candidate.SourceTime == 0) action = kActionSkip;
        if (KeepsUntouchedSides(candidate, action, touched)) return action;
    }
    return candidate.Action();
}

bool CycleCandidateAction(cCandidate& candidate, cTouchedSides touched) {
    const ActionFlags action = CycledAction(candidate, touched);
    if (action == candidate.Action()) return false;
    ReplaceAction(candidate, action);
    return true;
}
