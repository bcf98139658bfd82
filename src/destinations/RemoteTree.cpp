// The remote tree known as a whole.
#include "destinations/RemoteTree.h"

#include "platform/ErrorCodes.h"

#include <algorithm>

bool IsRemoteEntryName(std::string_view name) {
    if (name.empty() || name == "." || name == ".." || !platform::IsRepresentableName(name)) return false;
    return std::none_of(name.begin(), name.end(),
                        [](char c) { return c == '/' || static_cast<unsigned char>(c) < 0x20 || c == 0x7f; });
}

cRemoteDirectory& cListedTree::Directory(const std::string& directory) {
    const auto found = m_directories.find(directory);
    if (found != m_directories.end()) return found->second;
    m_directories[directory]; // a map keeps its elements in place while others are added
    if (directory.size() > 1) {
        // "\a\b\" is the subdirectory b of "\a\".
        const std::size_t parentEnd = directory.rfind('\\', directory.size() - 2);
        const std::string parent = directory.substr(0, parentEnd + 1);
        cRemoteDirectory& above = Directory(parent);
        std::string name = directory.substr(parentEnd + 1, directory.size() - parentEnd - 2);
        if (std::find(above.Subdirectories.begin(), above.Subdirectories.end(), name) == above.Subdirectories.end())
            above.Subdirectories.push_back(std::move(name));
    }
    return m_directories[directory];
}

void cListedTree::AddFile(const std::string& directory, platform::FileInfo file) {
    Directory(directory).Files.push_back(std::move(file));
}

void cListedTree::AddDirectory(const std::string& directory) {
    (void)Directory(directory);
}

int cListedTree::List(const std::string& directory, cRemoteDirectory& listing) {
    const auto found = m_directories.find(directory);
    if (found == m_directories.end()) return platform::kPathNotFound;
    listing = found->second;
    return 0;
}

std::string cListedTree::ShownPath(const std::string& relativePath) const {
    std::string shown = relativePath;
    std::replace(shown.begin(), shown.end(), '\\', '/');
    return m_shownRoot + shown;
}
