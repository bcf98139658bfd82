#include "profile/NewProfile.h"

#include "profile/Parameters.h"

void SetProfileDirection(cParameters& params, eProfileDirection direction) {
    switch (direction) {
    case eProfileDirection::Backup:
        params.SetTouchMode(eTouchMode::DestOnly);
        params.OrphanModeD2 = eOrphanMode::Skip;
        break;
    case eProfileDirection::Mirror:
        params.SetTouchMode(eTouchMode::DestOnly);
        params.OrphanModeD2 = eOrphanMode::Delete; // files the source no longer has are deleted in the destination
        break;
    case eProfileDirection::Synchronise:
        params.SetTouchMode(eTouchMode::Both);
        // Without the snapshot a file deleted on one side would come back from the other at the next run.
        params.OrphanModeB = eOrphanMode::LookInSnapshot;
        break;
    }
}

std::optional<eProfileDirection> ProfileDirectionOf(const cParameters& params) {
    switch (params.TouchMode()) {
    case eTouchMode::Both:
        return eProfileDirection::Synchronise;
    case eTouchMode::DestOnly:
        return params.OrphanModeD2 == eOrphanMode::Delete ? eProfileDirection::Mirror : eProfileDirection::Backup;
    default:
        return std::nullopt;
    }
}

void SetNewProfileOptions(cParameters& params, eProfileDirection direction) {
    // The whole tree, as a user means it: hidden files ("~/.bashrc", ".env") too, and read-only files are kept
    // up to date like every other file.
    params.Attributes |= AttributeBits(eAttributeChange::ReadOnly, eAttributeChange::Hidden);
    params.Percentage = true;
    if (direction == eProfileDirection::Mirror) {
        // Empty directories are part of the tree: created in the destination, and removed there once the
        // source no longer has them.
        params.CreateAllDestDirs = true;
        params.DeleteEmptyDestDirs = true;
    }
}

void MakeNewProfile(cParameters& params, const std::string& sourceRoot, const std::string& destRoot,
                    eProfileDirection direction) {
    params.ResetProfile();
    params.AddDefaultMask();
    params.SourceDrive = sourceRoot;
    params.DestDrive = destRoot;
    params.SearchDirectories.Add("\\*");
    params.DestDirectory.assign(1, '\\'); // "\" alone; the literal form trips a false GCC 12 warning
    SetProfileDirection(params, direction);
    SetNewProfileOptions(params, direction);
}
