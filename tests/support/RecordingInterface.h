// A user interface for tests: records every message box and beep and answers with a chosen button.
#pragma once

#include "shell/UserInterface.h"

#include <string>
#include <vector>

struct cShownBox {
    int Code;
    eMessageKind Kind;
    eMessageButtons Buttons;
    std::string Text;
    eAnswer Preset;
};

class cRecordingInterface : public cUserInterface {
public:
    void ProcessEvents() override {}
    void ShowTimedMessage(const std::string&, const std::string&, const std::string&) override {}
    eAnswer ShowMessageBox(int code, eMessageKind kind, eMessageButtons buttons, const std::string& text,
                           eAnswer preset) override {
        Shown.push_back({code, kind, buttons, text, preset});
        return Answer;
    }
    void Beep() override { ++Beeps; }

    eAnswer Answer = eAnswer::Cancel;
    std::vector<cShownBox> Shown;
    int Beeps = 0;
};
