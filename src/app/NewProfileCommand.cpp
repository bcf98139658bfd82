#include "app/NewProfileCommand.h"

#include "app/CommandDocument.h"
#include "destinations/PathNames.h"
#include "profile/IniFile.h"
#include "profile/NewProfile.h"
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
    const std::string source = AbsoluteRoot(argv[3]);
    const std::string dest = AbsoluteRoot(argv[4]);
    if (!IsValidDrive(source) || !IsValidDrive(dest)) {
        std::fputs("Quelle und Ziel müssen Verzeichnisse sein.\n", stderr);
        return 2;
    }
    MakeNewProfile(params, source, dest,
                   mirror   ? eProfileDirection::Mirror
                   : oneWay ? eProfileDirection::Backup
                            : eProfileDirection::Synchronise);
    // A failed write has shown its error box, which the headless interface prints to stderr.
    cHeadlessInterface ui;
    return WriteDocumentShowingError(ui, params, file) == 0 ? 0 : 2;
}
