// The two check dialogs shown before the preview: contents, working copies and default actions.
#include "engine/CheckDialogs.h"

#include "platform/GermanFormat.h"
#include "platform/Text.h"
#include "profile/Parameters.h"

#include <string_view>

namespace {

constexpr const char* kDoubleHeading = "Seit dem letzten Lauf am %s wurden folgende Dateien sowohl in der Quelle "
                                       "als auch im Ziel geändert:";
constexpr const char* kSizesHeading = "Folgende Dateien unterscheiden sich in der Größe um mindestens den Faktor "
                                      "%d, oder sie haben verschiedene Größen trotz identischer Datum-Zeit-Stempel:";

std::string ReplaceFirst(std::string text, std::string_view placeholder, const std::string& value) {
    const std::size_t at = text.find(placeholder);
    if (at != std::string::npos) text.replace(at, placeholder.size(), value);
    return text;
}

// CutPath compared as a whole directory: "\" at both ends, so "\Daten" does not cut "\Datenbank\".
std::string DirectoryCut(const std::string& cutPath) {
    if (cutPath.empty()) return {};
    std::string cut = cutPath;
    if (cut.front() != '\\') cut.insert(cut.begin(), '\\');
    if (cut.back() != '\\') cut.push_back('\\');
    return cut;
}

std::string ListedName(const cCandidate& c, const std::vector<std::string>& sourceDirList, const std::string& cut) {
    std::string_view directory;
    if (c.DirIndex >= 0 && static_cast<std::size_t>(c.DirIndex) < sourceDirList.size())
        directory = sourceDirList[static_cast<std::size_t>(c.DirIndex)];
    if (directory.size() >= cut.size() &&
        platform::LowerCase(directory.substr(0, cut.size())) == platform::LowerCase(cut))
        directory.remove_prefix(cut.size());
    return std::string(directory) + c.BaseName + c.Extension;
}

// Whether a dialog lists the candidate and its default may change it: it carries the dialog's flag and the rules
// gave it an action to take. A pair the rules only list as skipped (with "Nur Waisen", or for an invalid time
// stamp) is never acted on, so no default turns it into a copy.
bool ActedOnWithFlag(const cCandidate& c, ActionFlags flag) {
    return (c.Flags & flag) != 0 && c.Action() != kActionSkip;
}

} // namespace

cRunChecks cRunChecks::FromParameters(const cParameters& p) {
    return {p.ShowPreview, p.DoubleDefault, p.Preview.DoubleFilter, p.SizesDefault, p.Preview.SizesFilter};
}

ActionFlags CheckDialogFlag(eCheckDialog kind) {
    return kind == eCheckDialog::DoubleModifications ? kFlagDoubleModified : kFlagSizeDiffers;
}

bool NeedsCheckDialog(eCheckDialog kind, const cParameters& p,
                      const std::vector<std::unique_ptr<cCandidate>>& candidates) {
    const bool warn = kind == eCheckDialog::DoubleModifications ? p.DoubleWarn : p.SizesWarn;
    if (!warn) return false;
    const ActionFlags flag = CheckDialogFlag(kind);
    for (const auto& c : candidates)
        if (ActedOnWithFlag(*c, flag)) return true;
    return false;
}

cCheckDialogModel BuildCheckDialog(eCheckDialog kind, const cParameters& p, const cRunChecks& checks,
                                   platform::FileTime lastRunLocal,
                                   const std::vector<std::unique_ptr<cCandidate>>& candidates,
                                   const std::vector<std::string>& sourceDirList, const std::string& cutPath) {
    cCheckDialogModel model;
    model.Kind = kind;
    const bool doubles = kind == eCheckDialog::DoubleModifications;
    model.Heading = doubles ? ReplaceFirst(kDoubleHeading, "%s", platform::FormatDateTime("ddd ddddd tt", lastRunLocal))
                            : ReplaceFirst(kSizesHeading, "%d", std::to_string(p.SizesFactor));
    model.DefaultAction = doubles ? checks.DoubleDefault : checks.SizesDefault;
    model.ShowPreview = checks.ShowPreview;
    model.SetFilter = (doubles ? checks.DoubleFilter : checks.SizesFilter);
    const ActionFlags flag = CheckDialogFlag(kind);
    const std::string cut = DirectoryCut(cutPath);
    for (const auto& c : candidates)
        if (ActedOnWithFlag(*c, flag)) model.Files.push_back(ListedName(*c, sourceDirList, cut));
    return model;
}

void StoreCheckDialogAnswer(const cCheckDialogModel& model, cRunChecks& checks) {
    checks.ShowPreview = model.ShowPreview;
    if (model.Kind == eCheckDialog::DoubleModifications) {
        checks.DoubleDefault = model.DefaultAction;
        checks.DoubleFilter = model.SetFilter;
    } else {
        checks.SizesDefault = model.DefaultAction;
        checks.SizesFilter = model.SetFilter;
    }
}

bool KeepsUntouchedSides(const cCandidate& candidate, ActionFlags action, cTouchedSides touched) {
    switch (action) {
    case kActionForward:
        return touched.Dest;
    case kActionBackward:
        return touched.Source;
    case kActionDelete:
        return (candidate.SourceTime == 0 || touched.Source) && (candidate.DestTime == 0 || touched.Dest);
    default:
        return true;
    }
}

void ApplyDefaultAction(cCandidate& candidate, int code, const cTimeTolerance& tolerance, cTouchedSides touched) {
    ActionFlags action = 0;
    switch (code) {
    case kDefaultKeepNewer:
        action =
            CompareTimes(candidate.SourceTime, candidate.DestTime, tolerance) < 0 ? kActionBackward : kActionForward;
        break;
    case kDefaultForward:
        action = kActionForward;
        break;
    case kDefaultSkip:
        action = kActionSkip;
        break;
    case kDefaultBackward:
        action = kActionBackward;
        break;
    default:
        return;
    }
    if (!KeepsUntouchedSides(candidate, action, touched)) return;
    const bool fromMissingSide = (action == kActionForward && candidate.SourceTime == 0) ||
                                 (action == kActionBackward && candidate.DestTime == 0);
    if (fromMissingSide) action = kActionSkip;
    candidate.Flags = static_cast<ActionFlags>((candidate.Flags & ~kActionMask) | action);
}

void ApplyDefaultActions(const std::vector<std::unique_ptr<cCandidate>>& candidates, const cRunChecks& checks,
                         const cTimeTolerance& tolerance, cTouchedSides touched) {
    // Decided before the first default: the sizes default may skip a pair that the double default then moves.
    std::vector<cCandidate*> sizes;
    std::vector<cCandidate*> doubles;
    for (const auto& c : candidates) {
        if (ActedOnWithFlag(*c, kFlagSizeDiffers)) sizes.push_back(c.get());
        if (ActedOnWithFlag(*c, kFlagDoubleModified)) doubles.push_back(c.get());
    }
    for (cCandidate* c : sizes)
        ApplyDefaultAction(*c, checks.SizesDefault, tolerance, touched);
    for (cCandidate* c : doubles)
        ApplyDefaultAction(*c, checks.DoubleDefault, tolerance, touched);
}
