#include "profile/SettingsStore.h"

#include "profile/LineReader.h"

std::string cSettingsStore::ReadString(std::string_view section, std::string_view key, std::string_view def) const {
    auto value = Read(section, key);
    return value ? *value : std::string(def);
}

int cSettingsStore::ReadInteger(std::string_view section, std::string_view key, int def) const {
    auto value = Read(section, key);
    int result = 0;
    return value && ParseNumber(*value, result) ? result : def;
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
