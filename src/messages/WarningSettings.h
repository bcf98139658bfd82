// How the user wants to be warned: per class of warning a message box or its preset answer, and a signal.
#pragma once

#include <string>

// One warning class: show its messages (otherwise they answer their preset) and play a signal, the system
// beep (Beep) or the wave file File.
struct cWarningSignal {
    bool Message = true;
    bool Sound = false;
    bool Beep = false;
    std::string File;
};

struct cWarningSettings {
    cWarningSignal NoFilesFound;   // warning 1
    cWarningSignal NotEnoughSpace; // warning 2
    cWarningSignal Other;          // warning 3
    cWarningSignal Interruption;   // warning 4
    // The batch file's own option for its "other" warning (the empty batch): a message, and a beep.
    bool BatchOtherMessage = true;
    bool BatchOtherSound = false;
    bool SyncSounds = false; // a wave file is played to its end before the program goes on
};
