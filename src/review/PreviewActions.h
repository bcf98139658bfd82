// Changing the action of one candidate in the preview: setting an action, and the cycle of a click on its arrow.
#pragma once

#include "engine/Candidate.h"
#include "engine/CheckDialogs.h"

// Replaces the action bits of candidate by action (one of the four), other flags kept. Refused (false, the
// candidate unchanged) when the action copies from a side that lacks the file (forward without a source file,
// backward without a destination file) or writes a side the profile does not touch.
bool SetCandidateAction(cCandidate& candidate, ActionFlags action, cTouchedSides touched);

// The action a click on the arrow gives: forward, skip, delete, backward, forward again. A forward without a
// source file becomes skip, a backward without a destination file becomes forward, so a source-only file cycles
// forward, skip, delete and a destination-only file skip, delete, backward. An action that writes an untouched
// side is passed over; when every step is, the action stays.
ActionFlags CycledAction(const cCandidate& candidate, cTouchedSides touched);

// Moves candidate on to CycledAction; false when that leaves its action as it was.
bool CycleCandidateAction(cCandidate& candidate, cTouchedSides touched);
