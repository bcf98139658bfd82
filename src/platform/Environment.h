// Environment variables.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// The value of an environment variable; std::nullopt when it is not set.
std::optional<std::string> GetEnvironment(std::string_view name);

} // namespace platform
