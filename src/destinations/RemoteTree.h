// A destination that is no directory on disk (a zip archive, a directory tree on an FTP server) as the scan
// sees it: the files and subdirectories of each of its directories.
#pragma once

#include "platform/FileInfo.h"

#include <map>
#include <string>
#include <string_view>
#include <vector>

// One directory of a remote tree. Files have kind File, a name, a size, lastWrite in UTC and an attribute word;
// subdirectories are names. Names come from a server or an archive: the scan takes only names that can stand
// for one entry of a directory.
struct cRemoteDirectory {
    std::vector<platform::FileInfo> Files;
    std::vector<std::string> Subdirectories;
};

// True for a name from a server or an archive that can stand for one entry of a directory: representable, not
// empty, "." or "..", and without "/" or control characters.
bool IsRemoteEntryName(std::string_view name);

class cRemoteTree {
public:
    virtual ~cRemoteTree() = default;

    // Lists a relative directory ("\" at both ends, compared exactly). Returns 0 with listing filled,
    // platform::kPathNotFound when the tree has no such directory, or the error code of a listing that failed:
    // the scan then leaves the directory's pair alone rather than take its files for deleted.
    [[nodiscard]] virtual int List(const std::string& directory, cRemoteDirectory& listing) = 0;
    // A directory ("\" at both ends) or a file of the tree as the user sees it in the log and in messages.
    [[nodiscard]] virtual std::string ShownPath(const std::string& relativePath) const = 0;
    // Forgets what was listed, so that the next List sees what the run changed.
    virtual void Forget() {}
};

// A remote tree known as a whole, such as an archive's directory: files are added with their directory, and
// every directory above a file exists.
class cListedTree : public cRemoteTree {
public:
    explicit cListedTree(std::string shownRoot = {}) : m_shownRoot(std::move(shownRoot)) {}

    // Adds file to directory ("\" at both ends), creating the directory and those above it.
    void AddFile(const std::string& directory, platform::FileInfo file);
    // Creates directory ("\" at both ends) and those above it.
    void AddDirectory(const std::string& directory);
    void Clear() { m_directories.clear(); }

    [[nodiscard]] int List(const std::string& directory, cRemoteDirectory& listing) override;
    // The shown root followed by the path with "/" for "\".
    [[nodiscard]] std::string ShownPath(const std::string& relativePath) const override;

private:
    cRemoteDirectory& Directory(const std::string& directory);

    std::string m_shownRoot;
    std::map<std::string, cRemoteDirectory> m_directories;
};
