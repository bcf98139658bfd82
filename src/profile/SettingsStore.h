// Key/value access to the settings file, as cParameters needs it (sections and keys case-insensitive).
#pragma once

#include <limits>
#include <optional>
#include <string>
#include <string_view>

// The settings file implements this; with no store, cParameters uses its built-in defaults.
class cSettingsStore {
public:
    virtual ~cSettingsStore() = default;

    // The value of a key; std::nullopt when the section or key is missing.
    virtual std::optional<std::string> Read(std::string_view section, std::string_view key) const = 0;
    // Writes a key; errors are not reported.
    virtual void Write(std::string_view section, std::string_view key, std::string_view value) = 0;
    virtual void EraseSection(std::string_view section) = 0;

    // Groups the writes up to the matching EndUpdate into one update of the file (calls nest; reads in
    // between see the writes). A store without files ignores them.
    virtual void BeginUpdate() {}
    virtual void EndUpdate() {}

    std::string ReadString(std::string_view section, std::string_view key, std::string_view def) const;
    // A value that is no integer gives the default.
    int ReadInteger(std::string_view section, std::string_view key, int def) const;
    bool ReadBool(std::string_view section, std::string_view key, bool def) const;
    // An integer for a narrower field (byte, word, ...): a value that does not fit T gives the default too.
    template <typename T> T ReadFitting(std::string_view section, std::string_view key, T def) const {
        int value = ReadInteger(section, key, def);
        if (value < std::numeric_limits<T>::min() || value > std::numeric_limits<T>::max()) return def;
        return static_cast<T>(value);
    }
    void WriteInteger(std::string_view section, std::string_view key, int value);
    void WriteBool(std::string_view section, std::string_view key, bool value);
};

// Groups the writes made while it lives (BeginUpdate / EndUpdate), e.g. the many keys written at exit.
class cSettingsUpdate {
public:
    explicit cSettingsUpdate(cSettingsStore& store) : m_store(store) { m_store.BeginUpdate(); }
    ~cSettingsUpdate() { m_store.EndUpdate(); }
    cSettingsUpdate(const cSettingsUpdate&) = delete;
    cSettingsUpdate& operator=(const cSettingsUpdate&) = delete;

private:
    cSettingsStore& m_store;
};
