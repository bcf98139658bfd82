// The planned actions of a run as text: what the preview would list, for `tolvan --plan`.
#pragma once

#include <string>

class cParameters;
struct cRunState;

// The roots, each folder with its caption and totals, each candidate with its action, flags and both sides'
// size, date and time, then the planned counts, the bytes to copy, and the free space with its balance.
std::string PlanText(const cParameters& params, const cRunState& run);
