#include "profile/LogParameters.h"

#include "platform/Clock.h"
#include "platform/GermanFormat.h"
#include "platform/ProgramFolders.h"
#include "profile/Variables.h"

#include <string_view>

namespace {

// Where the extension of a file name begins (its "."), or the end of the name when it has none. A leading
// dot names a hidden file and starts no extension.
std::size_t ExtensionStart(std::string_view name) {
    std::size_t nameStart = name.find_last_of("/\\");
    nameStart = nameStart == std::string_view::npos ? 0 : nameStart + 1;
    std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos || dot <= nameStart) return name.size();
    return dot;
}

} // namespace

cLogParameters::cLogParameters() : FileName(platform::DataFolder() + "Log.txt") {}

void cLogParameters::ResolveLogFile(double dateOffset) {
    std::string name = FileName;
    if (Daily) {
        std::size_t ext = ExtensionStart(name);
        name.insert(ext, " vom " + platform::FormatDateTime("dddddd", platform::NowLocal()));
    }
    ActualFileName = ExpandVariables(name, dateOffset);
}
