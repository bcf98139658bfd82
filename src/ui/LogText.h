// The text of a log file as the viewer shows and the printer prints it.
#pragma once

#include "platform/FileInfo.h"

#include <QString>

#include <string>

namespace ui {

struct cLogText {
    int Error = 0; // the read's code; when not 0, Text is empty
    QString Text;  // line ends as "\n"
    platform::FileVersion Version;
};

// Reads a log file of at most kMaxLogReadBytes, UTF-8 or Windows-1252 as the program writes them.
cLogText ReadLogText(const std::string& nativePath);

} // namespace ui
