#include "app/NewProfileCommand.h"

#include "app/CommandDocument.h"
#include "destinations/PathNames.h"
#include "profile/IniFile.h"
#include "profile/Parameters.h"
#include "profile/SettingsFile.h"
#include "shell/DocumentBoxes.h"
#include "shell/HeadlessInterface.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

namespace {

// An absolute directory as a root, without trailing "/".
std::string AbsoluteRoot(const char* path) {
    return NormalizeDrive(AbsolutePath(path));
}

} // namespace

int NewProfileCommand(int argc, char** argv) {
    const bool oneWay = argc == 6 && std::strcmp(argv[5], "--one-way") == 0;
    const bool mirror = argc == 6 && std::strcmp(argv[5], "--mirror") == 0;
    if (argc != 5 && !oneWay && !mirror) {
        std::fputs("Aufruf: tolvan --new-profile DATEI QUELLE ZIEL [--one-way | --mirror]\n", stderr);
        return 2;
    }
    const std::string file = argv[2];
    std::error_code error;
    if (std::filesystem::exists(std::filesystem::symlink_status(file, error))) {
        std::fprintf(stderr, "Die Datei %s gibt es schon; sie wird nicht überschrieben.\n", file.c_str());
        return 2;
    }
    std::unique_ptr<cIniFile> settings = OpenSettingsFileWithoutTakeover();
    cParameters params(settings.get());
    params.SourceDrive = AbsoluteRoot(argv[3]);
    params.DestDrive = AbsoluteRoot(argv[4]);
    if (!IsValidDrive(params.SourceDrive) || !IsValidDrive(params.DestDrive)) {
        std::fputs("Quelle und Ziel müssen Verzeichnisse sein.\n", stderr);
        return 2;
    }
    params.SearchDirectories.Add("\\*");
    params.AddDefaultMask();
    params.DestDirectory.assign(1, '\\'); // "\" alone; the literal form trips a false GCC 12 warning
    // The whole tree, as a user means it: hidden files ("~/.bashrc", ".env") too, and read-only files are kept
    // up to date like every other file.
    params.Attributes |= AttributeBits(eAttributeChange::ReadOnly, eAttributeChange::Hidden);
    if (oneWay || mirror) params.TouchSrc = false;
    if (mirror) {
        params.OrphanModeD2 = eOrphanMode::Delete; // files the source no longer has are deleted in the destination
        // Empty directories are part of the tree: created in the destination, and removed there once the
        // source no longer has them.
        params.CreateAllDestDirs = true;
        params.DeleteEmptyDestDirs = true;
    }
    // A failed write has shown its error box, which the headless interface prints to stderr.
    cHeadlessInterface ui;
    return WriteDocumentShowingError(ui, params, file) == 0 ? 0 : 2;
}
