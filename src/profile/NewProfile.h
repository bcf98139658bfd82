// The choices that make a new profile complete and sensible: the whole tree of one folder copied to another, in
// one of three directions. The wizards, the express setup and --new-profile all make their profiles here.
#pragma once

#include <optional>
#include <string>

class cParameters;

// How a profile moves files between its two folders.
enum class eProfileDirection {
    Backup,      // source to destination; what the source no longer has stays in the destination
    Mirror,      // source to destination; the destination becomes a copy of the source, deletions included
    Synchronise, // both ways; the snapshot of the last run tells a deleted file from a new one
};

// Sets the fields that decide the direction, and no others: TouchSrc, TouchDest, OrphanModeD2 (backup and
// mirror) and OrphanModeB (synchronise).
void SetProfileDirection(cParameters& params, eProfileDirection direction);
// The direction the profile's fields describe; std::nullopt for a profile that changes only the source or no side.
std::optional<eProfileDirection> ProfileDirectionOf(const cParameters& params);

// The options beyond the direction that a new profile takes: hidden and read-only files are part of the tree,
// the deletion brake asks before a run deletes many files, and a mirror keeps empty directories in step.
void SetNewProfileOptions(cParameters& params, eProfileDirection direction);

// Makes params an untitled new profile (ResetProfile) that takes every file below sourceRoot to destRoot (two
// roots as NormalizeDrive leaves them), with the direction and the options above.
void MakeNewProfile(cParameters& params, const std::string& sourceRoot, const std::string& destRoot,
                    eProfileDirection direction);
