// The realistic state the screenshots show: a small tree of Anna's letters and pictures, a backup profile for
// it, a log of a run, a batch file; all in a temporary folder that lives as long as the scene.
#pragma once

#include "profile/Parameters.h"
#include "support/TempDir.h"

#include <string>

namespace screenshots {

class cScene {
public:
    cScene();

    const testsupport::TempDir& Dir() const { return m_dir; }
    // The settings object with the profile open (a fresh copy per window, so one window's changes stay its own).
    cParameters Profile() const;
    cParameters Batch() const;
    std::string LogFile() const;
    std::string PictureFile() const;
    std::string MessageFile() const;

private:
    testsupport::TempDir m_dir;
};

} // namespace screenshots
