// A settings store in memory for tests: exact section and key names, nothing written to disk.
#pragma once

#include "profile/SettingsStore.h"

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace testsupport {

class cMemorySettings : public cSettingsStore {
public:
    std::optional<std::string> Read(std::string_view section, std::string_view key) const override {
        auto it = m_values.find({std::string(section), std::string(key)});
        if (it == m_values.end()) return std::nullopt;
        return it->second;
    }
    void Write(std::string_view section, std::string_view key, std::string_view value) override {
        m_values[{std::string(section), std::string(key)}] = std::string(value);
    }
    void EraseSection(std::string_view section) override {
        std::erase_if(m_values, [&](const auto& entry) { return entry.first.first == section; });
    }
    std::size_t Size() const { return m_values.size(); }

private:
    std::map<std::pair<std::string, std::string>, std::string> m_values;
};

} // namespace testsupport
