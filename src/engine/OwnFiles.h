// The program's own files in a run's trees (the running profile, its snapshot and time-stamp list, its lock, the
// log, the settings file): they are never candidates and never enter the snapshot, so a run can neither copy
// its own snapshot to the other side nor delete the log it is writing.
#pragma once

#include "platform/FileInfo.h"

#include <string>
#include <string_view>
#include <vector>

// The file beside a profile whose lock marks a run of it in progress.
std::string RunLockFileName(const std::string& profileFile);

class cOwnFiles {
public:
    // Remembers the file at nativePath by its identity, when it exists now.
    void Add(const std::string& nativePath);

    // Whether a listed entry is one of them.
    bool Holds(const platform::FileInfo& entry) const;
    // Whether the file at nativePath is one of them; looked up on disk only when its name is one of theirs.
    bool Holds(const std::string& nativePath) const;

private:
    std::vector<platform::FileIdentity> m_identities;
    std::vector<std::string> m_names;
};
