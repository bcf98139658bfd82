// The user interface without windows: presets for every question, messages and progress on the terminal.
#pragma once

#include "shell/UserInterface.h"

class cHeadlessInterface : public cUserInterface {
public:
    void ProcessEvents() override {}
    void ShowTimedMessage(const std::string& line1, const std::string& fileName, const std::string& line3) override;
    // Prints the text to stderr and answers the preset.
    eAnswer ShowMessageBox(int code, eMessageKind kind, eMessageButtons buttons, const std::string& text,
                           eAnswer preset) override;
    void Beep() override;
};
