// Sets or removes an environment variable for one scope, and restores the old value after it.
#pragma once

#include <cstdlib>
#include <optional>
#include <string>

namespace testsupport {

class EnvironmentOverride {
public:
    EnvironmentOverride(const char* name, std::optional<std::string> value) : m_name(name) {
        if (const char* old = std::getenv(name)) m_old = old;
        Set(value);
    }
    ~EnvironmentOverride() { Set(m_old); }
    EnvironmentOverride(const EnvironmentOverride&) = delete;
    EnvironmentOverride& operator=(const EnvironmentOverride&) = delete;

private:
    void Set(const std::optional<std::string>& value) {
        if (value)
            ::setenv(m_name, value->c_str(), 1);
        else
            ::unsetenv(m_name);
    }
    const char* m_name;
    std::optional<std::string> m_old;
};

} // namespace testsupport
