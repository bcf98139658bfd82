// The six rules that decide whether a name found by the scan becomes a candidate, and with which action flags.
// The rules decide from records the scan has already read; they touch no file.
#pragma once

#include "engine/ActionFlags.h"
#include "engine/FileFilters.h"
#include "engine/SideRecord.h"

#include <optional>

class cParameters;

// What the scan knows about one name of a directory pair. A record is all zero when its side lacks the file.
struct cPairFacts {
    cSideRecord Source;
    cSideRecord Dest;
    // The last run's snapshot lists the name on the side where it is now missing: it was deleted there since.
    bool ListedInSnapshot = false;
    // A transfer of the properties would change the destination: its mode, and as the profile's options ask its
    // owner and group or its access list, as far as both file systems keep them (asked only when properties are
    // compared for a directory destination).
    bool SecurityDiffers = false;
    // Both file systems keep the read-only attribute (NTFS and exFAT through FUSE show every file writable).
    bool ReadOnlyKept = true;
};

// The run's settings as the rules read them: the profile and the age filter of this run.
struct cRuleContext {
    const cParameters& Params;
    cAgeFilter Age;
};

// Compare masks. From the source: forward copies, orphans by the orphan mode of the touch mode. From the
// destination: backward copies when the source is touched, destination orphans by their mode.
std::optional<ActionFlags> CompareFromSource(const cRuleContext& context, const cPairFacts& facts);
std::optional<ActionFlags> CompareFromDest(const cRuleContext& context, const cPairFacts& facts);
// Enforce masks (only when TouchDest is set): forward whenever times or sizes differ; from the destination,
// with EnforceBackward, deletion of files the source no longer has.
std::optional<ActionFlags> EnforceFromSource(const cRuleContext& context, const cPairFacts& facts);
std::optional<ActionFlags> EnforceFromDest(const cRuleContext& context, const cPairFacts& facts);
// Delete masks (only when both sides are touched): deletion on both sides, decided by the newer side.
std::optional<ActionFlags> DeleteFromSource(const cRuleContext& context, const cPairFacts& facts);
std::optional<ActionFlags> DeleteFromDest(const cRuleContext& context, const cPairFacts& facts);
