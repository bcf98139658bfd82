#include "app/DescribeCommand.h"

#include "profile/Description.h"
#include "profile/IniFile.h"
#include "profile/Parameters.h"
#include "profile/SettingsFile.h"
#include "shell/DocumentBoxes.h"
#include "shell/HeadlessInterface.h"

#include <cstdio>
#include <memory>
#include <string>

int DescribeCommand(const char* fileName) {
    std::unique_ptr<cIniFile> settings = OpenSettingsFile();
    cParameters params(settings.get());
    // A failed read has shown its error box, which the headless interface prints to stderr.
    cHeadlessInterface ui;
    if (ReadDocumentShowingError(ui, params, fileName) != 0) return 1;
    std::string text = DescriptionText(DescribeDocument(params));
    std::fwrite(text.data(), 1, text.size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}
