// The adapter of a run whose destination is a directory tree on an FTP server: its login at the start, the
// server as the scan's tree, the phases that carry out the actions there, and the time-stamp list and logout at
// the end.
#pragma once

#include "destinations/FtpMdl.h"
#include "destinations/FtpTree.h"
#include "engine/DestinationRun.h"

#include <string>

class cFtpRun : public cDestinationRun {
public:
    explicit cFtpRun(const std::string& shownRoot) : TreeView(Model, shownRoot) {}

    cRemoteTree& Tree() override { return TreeView; }
    // With the three generations, rotates them on the server (a plan renames nothing and works in "Vater", the
    // directory the rotation would make "Enkel").
    void DestinationResolved(cRun& run) override;
    // The five phases in order: deletions, copies, verify, empty directories, all directories.
    void Execute(cRun& run) override;
    // The time-stamp list written (only after a login, with files found and FtpUseList), then the logout.
    void Finish(cRun& run) override;
    // Downloads the file.
    [[nodiscard]] int FetchFile(const std::string& directory, const std::string& name, const std::string& localFile,
                                std::string& reason) override;
    [[nodiscard]] int FetchFailedMessage() const override { return 30221; }

    // Reads the time-stamp list, asks for a missing account and logs in; a failure stops the run.
    void Start(cRun& run);

    TFtpMdl Model;
    cFtpTree TreeView;
    bool Connected = false;
};
