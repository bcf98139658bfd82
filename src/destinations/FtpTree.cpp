#include "destinations/FtpTree.h"

#include "destinations/FtpMdl.h"
#include "platform/ErrorCodes.h"
#include "platform/TemporaryFiles.h"

#include <algorithm>
#include <vector>

namespace {

// "\a\b\" -> "\a\" and "b"; the root has no parent.
bool SplitParent(const std::string& directory, std::string& parent, std::string& name) {
    if (directory.size() < 3) return false;
    const std::size_t cut = directory.rfind('\\', directory.size() - 2);
    if (cut == std::string::npos) return false;
    parent = directory.substr(0, cut + 1);
    name = directory.substr(cut + 1, directory.size() - cut - 2);
    return true;
}

} // namespace

const cFtpTree::cListing& cFtpTree::Listed(const std::string& directory) {
    if (const auto found = m_listed.find(directory); found != m_listed.end()) return found->second;
    cListing listing;
    listing.Code = m_model.ListRemoteDirectory(directory);
    if (listing.Code != 0) {
        // A directory that is not there is no failure: its parent's listing tells.
        std::string parent;
        std::string name;
        if (SplitParent(directory, parent, name)) {
            const cListing& above = Listed(parent);
            if (above.Code == platform::kPathNotFound ||
                (above.Code == 0 &&
                 std::find(above.Directory.Subdirectories.begin(), above.Directory.Subdirectories.end(), name) ==
                     above.Directory.Subdirectories.end()))
                listing.Code = platform::kPathNotFound;
        }
        return m_listed[directory] = std::move(listing);
    }
    std::vector<std::string> leftovers;
    for (const TmsFTPDirEntry& entry : m_model.DirList()) {
        if (entry.Kind == kFtpFile && platform::IsTemporaryName(entry.Name)) {
            leftovers.push_back(entry.Name); // never a user's file
            continue;
        }
        if (entry.Kind == kFtpDirectory) {
            listing.Directory.Subdirectories.push_back(entry.Name);
            continue;
        }
        platform::FileInfo file;
        file.name = entry.Name;
        file.size = entry.Size;
        if (entry.Kind == kFtpUnparsed) {
            // A line that names something the run cannot reach safely ("..", "/", control characters): handed
            // on as it is, so that the scan refuses and reports it; a line without a name is no entry.
            if (entry.Name.empty() || entry.Name.find_first_of(" \t") != std::string::npos) continue;
            listing.Directory.Files.push_back(std::move(file));
            continue;
        }
        // A link is the file it points to for the run: its listed time and size are those the server shows.
        file.lastWrite = m_model.RemoteFileTime(directory, entry);
        listing.Directory.Files.push_back(std::move(file));
    }
    if (m_model.RemoveLeftovers) {
        for (const std::string& name : leftovers)
            (void)m_model.msFTPClient.DeleteRemoteFile(TFtpMdl::RemotePath(directory, name));
    }
    return m_listed[directory] = std::move(listing);
}

int cFtpTree::List(const std::string& directory, cRemoteDirectory& listing) {
    const cListing& found = Listed(directory);
    if (found.Code == 0) listing = found.Directory;
    return found.Code;
}

std::string cFtpTree::ShownPath(const std::string& relativePath) const {
    std::string shown = relativePath;
    std::replace(shown.begin(), shown.end(), '\\', '/');
    return m_shownRoot + shown;
}

bool cFtpTree::Exists(const std::string& directory) {
    const auto found = m_listed.find(directory);
    return found != m_listed.end() && found->second.Code == 0;
}

void cFtpTree::NoteDirectoryCreated(const std::string& directory) {
    m_listed.try_emplace(directory); // created empty
}
