// The comparison rules for compare, enforce and delete masks.
#include "engine/PairRules.h"

#include "engine/CompareTimes.h"
#include "engine/PairTests.h"
#include "profile/Parameters.h"

namespace {

bool BothTouched(const cParameters& p) {
    return p.TouchMode() == eTouchMode::Both;
}

// Skip when skipped files are listed, else no candidate.
std::optional<ActionFlags> SkipOrNone(const cParameters& p) {
    if (p.ListSkip) return kActionSkip;
    return std::nullopt;
}

// The action of OrphanModeB (and of the skip and delete codes of the one-sided modes) for a file that exists
// only on the side the rule starts from; copy is the direction towards the other side.
std::optional<ActionFlags> OrphanAction(const cParameters& p, eOrphanMode mode, bool listedInSnapshot,
                                        ActionFlags copy) {
    switch (mode) {
    case eOrphanMode::Skip:
        return SkipOrNone(p);
    case eOrphanMode::Delete:
        return kActionDelete;
    case eOrphanMode::ForwardBackward:
    case eOrphanMode::OrphansOnly:
        return copy;
    case eOrphanMode::LookInSnapshot:
        return listedInSnapshot ? kActionDelete : copy;
    case eOrphanMode::Forward:
    case eOrphanMode::Backward:
        break;
    }
    return std::nullopt;
}

bool SkipsOrDeletes(eOrphanMode mode) {
    return mode == eOrphanMode::Skip || mode == eOrphanMode::Delete;
}

// Mode codes not admitted for a touch mode are treated as "no candidate".
std::optional<ActionFlags> SourceOrphanAction(const cParameters& p, bool listedInSnapshot) {
    switch (p.TouchMode()) {
    case eTouchMode::Both:
        return OrphanAction(p, p.OrphanModeB, listedInSnapshot, kActionForward);
    case eTouchMode::SourceOnly:
        if (SkipsOrDeletes(p.OrphanModeS2)) return OrphanAction(p, p.OrphanModeS2, false, kActionForward);
        break;
    case eTouchMode::DestOnly:
        if (p.OrphanModeD1 == eOrphanMode::Forward || p.OrphanModeD1 == eOrphanMode::OrphansOnly) return kActionForward;
        if (p.OrphanModeD1 == eOrphanMode::Skip) return SkipOrNone(p);
        break;
    case eTouchMode::Neither:
        break;
    }
    return std::nullopt;
}

std::optional<ActionFlags> DestOrphanAction(const cParameters& p, bool listedInSnapshot) {
    switch (p.TouchMode()) {
    case eTouchMode::Both:
        return OrphanAction(p, p.OrphanModeB, listedInSnapshot, kActionBackward);
    case eTouchMode::SourceOnly:
        if (p.OrphanModeS1 == eOrphanMode::Backward || p.OrphanModeS1 == eOrphanMode::OrphansOnly)
            return kActionBackward;
        if (p.OrphanModeS1 == eOrphanMode::Skip) return SkipOrNone(p);
        break;
    case eTouchMode::DestOnly:
        if (SkipsOrDeletes(p.OrphanModeD2)) return OrphanAction(p, p.OrphanModeD2, false, kActionBackward);
        break;
    case eTouchMode::Neither:
        break;
    }
    return std::nullopt;
}

bool FiltersPass(const cRuleContext& context, const cPairFacts& facts) {
    return PassesAttributeFilter(facts.Source, context.Params.Attributes) &&
           PassesAttributeFilter(facts.Dest, context.Params.Attributes);
}

int Compare(const cRuleContext& context, const cSideRecord& a, const cSideRecord& b) {
    return CompareTimes(a.Time, b.Time, cTimeTolerance::FromParameters(context.Params));
}

bool SizesDiffer(const cRuleContext& context, const cSideRecord& found, const cSideRecord& other) {
    return SizesDifferByFactor(found, other, context.Params.SizesCompare, context.Params.SizesFactor);
}

bool DoubleModified(const cRuleContext& context, const cSideRecord& other) {
    return IsModifiedSinceLastRun(other, context.Params.LastRun, context.Params.UseUTC);
}

// A file deleted on the other side since the last run but changed on this side since then was changed on both:
// the change must not be lost through the deletion. The orphan is copied back instead and flagged as a double
// modification, so the check dialog shows it and its default decides. True when the action was changed.
bool KeepChangedOrphan(const cRuleContext& context, const cPairFacts& facts, const cSideRecord& found,
                       std::optional<ActionFlags>& action, ActionFlags copyBack) {
    if (action != kActionDelete || !facts.ListedInSnapshot || !DoubleModified(context, found)) return false;
    action = copyBack;
    return true;
}

// Size difference for the newer or equal found side: the factor test when newer, any difference when equal.
ActionFlags SizeFlag(const cRuleContext& context, int c, const cSideRecord& found, const cSideRecord& other) {
    const bool differs = c > 0 ? SizesDiffer(context, found, other) : found.Size != other.Size;
    return differs ? kFlagSizeDiffers : 0;
}

} // namespace

std::optional<ActionFlags> CompareFromSource(const cRuleContext& context, const cPairFacts& facts) {
    const cParameters& p = context.Params;
    const cSideRecord& source = facts.Source;
    const cSideRecord& dest = facts.Dest;
    if (!source.Exists() || !PassesAgeFilter(context.Age, source.Time)) return std::nullopt;
    std::optional<ActionFlags> action;
    if (dest.Exists()) {
        if (!p.TouchDest) return std::nullopt;
        const eOrphanMode orphanMode = BothTouched(p) ? p.OrphanModeB : p.OrphanModeD1;
        action = orphanMode == eOrphanMode::OrphansOnly ? SkipOrNone(p) : kActionForward;
    } else {
        action = SourceOrphanAction(p, facts.ListedInSnapshot);
    }
    if (!action || !FiltersPass(context, facts)) return std::nullopt;
    const bool kept = KeepChangedOrphan(context, facts, source, action, kActionForward);

    const int c = Compare(context, source, dest);
    if (c < 0) return std::nullopt;
    ActionFlags flags = *action | SizeFlag(context, c, source, dest);
    if (kept || DoubleModified(context, dest)) flags |= kFlagDoubleModified;
    const std::uint32_t comparedAttributes = facts.ReadOnlyKept ? ~0u : ~platform::kAttributeReadOnly;
    if (p.DestType == eDestType::Directory && p.CompareProperties && dest.Exists() &&
        (((source.Attributes ^ dest.Attributes) & comparedAttributes) != 0 || facts.SecurityDiffers))
        flags |= kFlagPropertiesDiffer;

    if (c > 0 || (flags & kFlagSizeDiffers) != 0) return flags | kFlagCopyContent;
    if ((flags & kFlagPropertiesDiffer) != 0) return flags;
    return std::nullopt;
}

std::optional<ActionFlags> CompareFromDest(const cRuleContext& context, const cPairFacts& facts) {
    const cParameters& p = context.Params;
    const cSideRecord& source = facts.Source;
    const cSideRecord& dest = facts.Dest;
    if (!dest.Exists() || !PassesAgeFilter(context.Age, dest.Time)) return std::nullopt;
    std::optional<ActionFlags> action;
    if (source.Exists()) {
        if (!p.TouchSrc) return std::nullopt;
        const eOrphanMode orphanMode = BothTouched(p) ? p.OrphanModeB : p.OrphanModeS1;
        action = orphanMode == eOrphanMode::OrphansOnly ? SkipOrNone(p) : kActionBackward;
    } else {
        action = DestOrphanAction(p, facts.ListedInSnapshot);
    }
    if (!action || !FiltersPass(context, facts)) return std::nullopt;
    const bool kept = KeepChangedOrphan(context, facts, dest, action, kActionBackward);

    if (Compare(context, dest, source) <= 0) return std::nullopt;
    ActionFlags flags = *action | kFlagCopyContent;
    if (SizesDiffer(context, dest, source)) flags |= kFlagSizeDiffers;
    if (kept || DoubleModified(context, source)) flags |= kFlagDoubleModified;
    return flags;
}

std::optional<ActionFlags> EnforceFromSource(const cRuleContext& context, const cPairFacts& facts) {
    const cSideRecord& source = facts.Source;
    const cSideRecord& dest = facts.Dest;
    if (!context.Params.TouchDest) return std::nullopt;
    if (!source.Exists() || !PassesAgeFilter(context.Age, source.Time)) return std::nullopt;
    if (!FiltersPass(context, facts)) return std::nullopt;

    ActionFlags flags = kActionForward | kFlagCopyContent;
    const int c = Compare(context, source, dest);
    if (c != 0) {
        if (SizesDiffer(context, source, dest)) flags |= kFlagSizeDiffers;
    } else {
        if (source.Size == dest.Size) return std::nullopt;
        flags |= kFlagSizeDiffers;
    }
    if (DoubleModified(context, dest)) flags |= kFlagDoubleModified;
    return flags;
}

std::optional<ActionFlags> EnforceFromDest(const cRuleContext& context, const cPairFacts& facts) {
    const cParameters& p = context.Params;
    if (!p.TouchDest || !p.EnforceBackward) return std::nullopt;
    if (!facts.Dest.Exists() || !PassesAgeFilter(context.Age, facts.Dest.Time)) return std::nullopt;
    if (facts.Source.Exists()) return std::nullopt;
    if (!PassesAttributeFilter(facts.Dest, p.Attributes)) return std::nullopt;
    return kActionDelete;
}

std::optional<ActionFlags> DeleteFromSource(const cRuleContext& context, const cPairFacts& facts) {
    const cSideRecord& source = facts.Source;
    const cSideRecord& dest = facts.Dest;
    if (!BothTouched(context.Params)) return std::nullopt;
    if (!source.Exists() || !PassesAgeFilter(context.Age, source.Time)) return std::nullopt;
    if (!FiltersPass(context, facts)) return std::nullopt;
    const int c = Compare(context, source, dest);
    if (c < 0) return std::nullopt;
    ActionFlags flags = kActionDelete | SizeFlag(context, c, source, dest);
    if (DoubleModified(context, dest)) flags |= kFlagDoubleModified;
    return flags;
}

std::optional<ActionFlags> DeleteFromDest(const cRuleContext& context, const cPairFacts& facts) {
    const cSideRecord& source = facts.Source;
    const cSideRecord& dest = facts.Dest;
    if (!BothTouched(context.Params)) return std::nullopt;
    if (!dest.Exists() || !PassesAgeFilter(context.Age, dest.Time)) return std::nullopt;
    if (!FiltersPass(context, facts)) return std::nullopt;
    if (Compare(context, dest, source) <= 0) return std::nullopt;
    ActionFlags flags = kActionDelete;
    if (SizesDiffer(context, dest, source)) flags |= kFlagSizeDiffers;
    if (DoubleModified(context, source)) flags |= kFlagDoubleModified;
    return flags;
}
