// The filters of the preview list: which candidates it shows, from the run's working copies.
#pragma once

#include "engine/Candidate.h"
#include "engine/CheckDialogs.h"
#include "profile/PreviewParameters.h"

// The seven filter buttons: three findings of the comparison, four actions.
enum class ePreviewFilter { DoubleModified, SizeDiffers, PropertiesDiffer, Forward, Skip, Delete, Backward };

// Filters of one group add up; a candidate is shown when it passes both groups. An empty mask lets all pass.
struct cPreviewMasks {
    ActionFlags Findings = 0; // kFlagDoubleModified, kFlagSizeDiffers, kFlagPropertiesDiffer
    ActionFlags Actions = 0;  // the four action bits

    bool Shows(const cCandidate& c) const {
        return (Findings == 0 || (c.Flags & Findings) != 0) && (Actions == 0 || (c.Flags & Actions) != 0);
    }
};

// The working copies of a run that hold the filters: the check dialogs set the double-modification and the
// size-difference filter in checks, the others start from the profile's preview settings in preview.
struct cPreviewFilterFlags {
    cRunChecks& Checks;
    cPreviewParameters& Preview;

    bool& Flag(ePreviewFilter filter) const;
    cPreviewMasks Masks() const;
};
