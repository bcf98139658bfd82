// Environment variables.
#include "platform/Environment.h"

#include <cstdlib>

namespace platform {

std::optional<std::string> GetEnvironment(std::string_view name) {
    // A name holding "=" or NUL cannot be set, and getenv would look up something else.
    if (name.empty() || name.find_first_of(std::string_view("=\0", 2)) != std::string_view::npos) return std::nullopt;
    const char* value = std::getenv(std::string(name).c_str());
    if (!value) return std::nullopt;
    return std::string(value);
}

} // namespace platform
