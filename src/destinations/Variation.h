// The variation resolver: turns the stored destination into the directory and archive name of one run.
#pragma once

#include <string>

class cParameters;

// Variation numbers as stored in cParameters::Variation.
enum eVariation : int {
    kVariationFixed = 0,
    kVariationDate = 1,
    kVariationWeekday = 2,
    kVariationEvenOdd = 3,
    kVariationGenerations = 4,
    kVariationUserName = 5,
};

// Sets ResolvedDestDirectory and ResolvedArchiveName from DestDirectory, DestArchive, Variation, EightThree,
// DestType, ZipAddVariation and DateOffset (which shifts the date, never the time). destRoot is the native
// directory of the destination's root; with the three-generation variation on a directory or zip destination
// the directories "Vater", "Sohn" and "Enkel" below it are rotated first (renames that fail are skipped), so
// the run works in "Enkel", which then holds the oldest generation or does not exist yet. Called once per run.
// A run that only plans (rotate false) renames nothing and works in "Vater", the directory that the rotation
// would turn into "Enkel", so that the plan shows the actions the real run would carry out.
void ResolveVariation(cParameters& params, const std::string& destRoot, bool rotate = true);

// The name the variation adds to the destination (without separator), for the variations 1, 2, 3 and 5; "Enkel"
// for 4 (no renames here); empty for 0. Dates are today minus dateOffset days. The user's name is taken from
// USERNAME, else USER, else LOGNAME, made safe for one directory name.
std::string VariationName(int variation, bool eightThree, double dateOffset);
