#include "platform/ProgramTempFolder.h"

#include "platform/Environment.h"

#include <optional>

namespace platform {

std::string SystemTempFolder() {
    std::optional<std::string> value = GetEnvironment("TMPDIR");
    std::string folder = value && value->starts_with('/') ? *value : std::string("/tmp");
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    return folder;
}

std::string ProgramTempFolder() {
    const std::string system = SystemTempFolder();
    return (system == "/" ? std::string() : system) + "/Tolvan Temp";
}

} // namespace platform
