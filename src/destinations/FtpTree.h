// The directory tree on an FTP server as the scan sees it: each directory listed once on the adapter's
// connection when it is first asked for, and kept until Forget.
#pragma once

#include "destinations/RemoteTree.h"

#include <map>
#include <string>

class TFtpMdl;

class cFtpTree : public cRemoteTree {
public:
    cFtpTree(TFtpMdl& model, std::string shownRoot) : m_model(model), m_shownRoot(std::move(shownRoot)) {}

    // A directory the server does not have gives kPathNotFound only when its parent's listing shows that it
    // is not there; any other failure gives its code, so that the pair is left alone.
    [[nodiscard]] int List(const std::string& directory, cRemoteDirectory& listing) override;
    // The shown root ("ftp://host") followed by the path with "/" for "\".
    [[nodiscard]] std::string ShownPath(const std::string& relativePath) const override;
    void Forget() override { m_listed.clear(); }

    // Whether the directory is known to be on the server (listed, or created by this run).
    [[nodiscard]] bool Exists(const std::string& directory);
    // Notes a change the run made, so the cache stays true without listing again.
    void NoteDirectoryCreated(const std::string& directory);

private:
    struct cListing {
        int Code = 0;
        cRemoteDirectory Directory;
    };
    const cListing& Listed(const std::string& directory);

    TFtpMdl& m_model;
    std::string m_shownRoot;
    std::map<std::string, cListing> m_listed;
};
