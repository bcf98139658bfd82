// The two check dialogs shown before the preview (double modifications, size differences): what they list,
// the run's working copies they may change, and the default actions they choose for the flagged candidates.
#pragma once

#include "engine/Candidate.h"
#include "engine/CompareTimes.h"
#include "platform/FileTime.h"

#include <memory>
#include <string>
#include <vector>

class cParameters;

// Default action codes of DoubleDefault and SizesDefault, in the order of the dialogs' drop-down.
inline constexpr int kDefaultKeepNewer = 0;
inline constexpr int kDefaultForward = 1;
inline constexpr int kDefaultSkip = 2;
inline constexpr int kDefaultBackward = 3;
inline constexpr int kDefaultNone = 4;

enum class eCheckDialog { DoubleModifications, SizeDifferences };

// The options a run copies from the profile so that the check dialogs and the preview can change them for
// this run only; the profile keeps its own values.
struct cRunChecks {
    bool ShowPreview = true;
    int DoubleDefault = kDefaultSkip;
    bool DoubleFilter = false;
    int SizesDefault = kDefaultKeepNewer;
    bool SizesFilter = false;

    static cRunChecks FromParameters(const cParameters& p);
};

// What one check dialog shows and what the user chose in it. The window edits DefaultAction, ShowPreview and
// SetFilter; SetShowPreview keeps the filter box off while the preview is off.
struct cCheckDialogModel {
    eCheckDialog Kind = eCheckDialog::DoubleModifications;
    std::string Heading;
    std::vector<std::string> Files; // "\dir\name.ext", CutPath left out
    int DefaultAction = kDefaultNone;
    bool ShowPreview = true;
    bool SetFilter = false;

    bool FilterEnabled() const { return ShowPreview; }
    void SetShowPreview(bool show) {
        ShowPreview = show;
        if (!show) SetFilter = false;
    }
};

// The flag a dialog lists: kFlagDoubleModified or kFlagSizeDiffers.
ActionFlags CheckDialogFlag(eCheckDialog kind);

// True when the dialog is to be shown: its warning (DoubleWarn, SizesWarn) is on and a candidate that is not
// skipped has its flag. The dialogs list, and their defaults change, only such candidates: a pair the rules only
// list as skipped ("Nur Waisen", an invalid time stamp) is never acted on.
bool NeedsCheckDialog(eCheckDialog kind, const cParameters& p,
                      const std::vector<std::unique_ptr<cCandidate>>& candidates);

// The dialog's contents, started at the working copies. lastRunLocal is the profile's last run as local time
// (for the heading of the double-modifications dialog); sourceDirList holds the relative source directories
// ("\...\") that the candidates' DirIndex refers to.
cCheckDialogModel BuildCheckDialog(eCheckDialog kind, const cParameters& p, const cRunChecks& checks,
                                   platform::FileTime lastRunLocal,
                                   const std::vector<std::unique_ptr<cCandidate>>& candidates,
                                   const std::vector<std::string>& sourceDirList, const std::string& cutPath);

// "OK": stores the chosen default action, the preview switch and the dialog's filter flag into the working
// copies. (Cancel stores nothing; the caller sets AbortRequested.)
void StoreCheckDialogAnswer(const cCheckDialogModel& model, cRunChecks& checks);

// The sides a profile may change (TouchSrc, TouchDest).
struct cTouchedSides {
    bool Source = true;
    bool Dest = true;
};

// True when action writes no side the profile does not touch: forward writes the destination, backward the
// source, delete every side that holds the file; skip writes nothing.
bool KeepsUntouchedSides(const cCandidate& candidate, ActionFlags action, cTouchedSides touched);

// Replaces the action of one candidate by a default action code: keep the newer version (backward when the
// source is older than the destination by the tolerant comparison, else forward), forward, skip, backward.
// kDefaultNone and codes outside 0..4 leave the candidate as it is. Other flags stay.
// A default never writes a side the profile does not touch: such a candidate keeps the action the rules gave
// it (for an enforced file of a one-way profile: forward). A copy from a side that lacks the file becomes skip.
void ApplyDefaultAction(cCandidate& candidate, int code, const cTimeTolerance& tolerance, cTouchedSides touched = {});

// Applies SizesDefault to the size-different candidates, then DoubleDefault to the double-modified ones, so
// that the double-modification default wins for a candidate with both flags. Candidates that the rules gave
// skip stay skipped.
void ApplyDefaultActions(const std::vector<std::unique_ptr<cCandidate>>& candidates, const cRunChecks& checks,
                         const cTimeTolerance& tolerance, cTouchedSides touched = {});
