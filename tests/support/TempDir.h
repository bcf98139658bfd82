// A temporary directory for one test, removed with everything in it when the object goes.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace testsupport {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    // Writes a file below the directory (parents are created) and returns its full path.
    std::filesystem::path WriteFile(std::string_view relative, std::string_view bytes) const;
    std::string ReadFile(std::string_view relative) const;

private:
    std::filesystem::path m_path;
};

// The names in one directory, hidden ones included, sorted.
std::vector<std::string> NamesIn(const std::filesystem::path& directory);

} // namespace testsupport
