// The one way the core talks to the user: the GUI implements it with Qt, the headless one answers presets.
#pragma once

#include <string>

// Answers of a message box, with the values the program's message table uses.
enum class eAnswer { Ok = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7 };

class cUserInterface {
public:
    virtual ~cUserInterface() = default;

    // Lets pending window events run (painting, buttons, timers). Headless: nothing.
    virtual void ProcessEvents() = 0;

    // The self-closing error box: three lines ("Fehler beim Lesen von...", the file name, the error text),
    // one button, closes itself after 30 seconds. Headless: prints the lines and returns at once.
    virtual void ShowTimedMessage(const std::string& line1, const std::string& fileName, const std::string& line3) = 0;
};

// The implementation in use; the headless one until the program installs another.
cUserInterface& UserInterface();
// Installs an implementation (not owned); nullptr goes back to the headless one.
void SetUserInterface(cUserInterface* ui);
