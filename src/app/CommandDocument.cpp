#include "app/CommandDocument.h"

#include "profile/Parameters.h"
#include "shell/DocumentBoxes.h"

#include <cstdio>
#include <filesystem>

std::string AbsolutePath(const char* fileName) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(fileName, error);
    return error ? std::string(fileName) : absolute.lexically_normal().string();
}

bool ReadDocumentForRun(cUserInterface& ui, cParameters& params, const char* fileName) {
    return ReadDocumentShowingError(ui, params, AbsolutePath(fileName)) == 0;
}

bool ReadProfileForCommand(cUserInterface& ui, cParameters& params, const char* fileName) {
    // A failed read has shown its error box, which the headless interface prints to stderr.
    if (ReadDocumentShowingError(ui, params, AbsolutePath(fileName)) != 0) return false;
    if (params.DocumentKind == kProfileDocument) return true;
    std::fprintf(stderr, "%s ist keine Profildatei.\n", fileName);
    return false;
}
