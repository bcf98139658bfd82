#include "profile/SettingsStore.h"

#include <charconv>

std::string cSettingsStore::ReadString(std::string_view section, std::string_view key, std::string_view def) const {
    auto value = Read(section, key);
    return value ? *value : std::string(def);
}

int cSettingsStore::ReadInteger(std::string_view section, std::string_view key, int def) const {
    auto value = Read(section, key);
    if (!value) return def;
    std::string_view text = *value;
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    int result = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), result);
    if (ec != std::errc() || end != text.data() + text.size() || text.empty()) return def;
    return result;
}

bool cSettingsStore::ReadBool(std::string_view section, std::string_view key, bool def) const {
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

void cSettingsStore::WriteInteger(std::string_view section, std::string_view key, int value) {
    Write(section, key, std::to_string(value));
}

void cSettingsStore::WriteBool(std::string_view section, std::string_view key, bool value) {
    Write(section, key, value ? "1" : "0");
}
