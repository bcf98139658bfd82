// The pictures tolvan_screenshots takes: each file of this folder registers its windows with a cRegisterShots at
// namespace scope, so a new window needs only a new file here.
#pragma once

#include "ScreenshotScene.h"

#include <functional>
#include <vector>

class QWidget;
class cParameters;

namespace screenshots {

// A window in its state for the picture. Windows are never deleted: some belong to owners that live on.
struct cShot {
    const char* Name; // the file name without ".png"
    std::function<QWidget*(const cScene&)> Make;
    // For a dialog that exists only while its function waits for it: the picture is taken of the modal window.
    std::function<void(const cScene&)> OpenModal = nullptr;
};

// Every registered shot, in the order the files registered them.
std::vector<cShot>& Shots();

struct cRegisterShots {
    explicit cRegisterShots(std::vector<cShot> shots);
};

// Keeps a document alive as long as the program, for windows that refer to theirs.
cParameters& Keep(cParameters params);

} // namespace screenshots
