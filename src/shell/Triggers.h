// The automatic triggers that poll a condition: the application watch (run when a named application has ended)
// and the source/destination watch (run when both roots are reachable, optionally again after one was gone),
// and the end-of-session hook. Each is a small state machine that the main window's timers tick with what they
// see; the conditions come from outside, so the rules can be tried with made-up processes, titles and roots.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// Whether appName occurs in one of names (window titles, process names and command lines) without regard to
// case; an empty name occurs nowhere.
bool NameRunning(std::string_view appName, const std::vector<std::string>& names);

class cAppWatch {
public:
    enum class eStage { Off, WaitingForApp, WaitingForEnd };

    // Back to the first stage (waiting for the application), or off.
    void Arm(bool on) { m_stage = on ? eStage::WaitingForApp : eStage::Off; }
    // One tick with whether the application is there now; true when it has ended and the run is due. The watch
    // fires once per arming: it is off afterwards.
    bool Tick(bool present);
    eStage Stage() const { return m_stage; }

private:
    eStage m_stage = eStage::Off;
};

class cSenseWatch {
public:
    enum class eStage { Off, WaitingForBoth, WaitingForGone };

    void Arm(bool on) { m_stage = on ? eStage::WaitingForBoth : eStage::Off; }
    // One tick with whether both roots are reachable now; true when they are and the run is due.
    bool Tick(bool bothReachable);
    // Every run start, whatever started it: the watch stops waiting for the roots; with again (the profile's
    // "trigger again") it waits for one of them to go, and then for both once more.
    void RunStarted(bool again);
    eStage Stage() const { return m_stage; }

private:
    eStage m_stage = eStage::Off;
};

// The hook into the end of the session: armed once per process; the first end of the session that finds the
// document's hook option set is refused once, so that the document can run first.
class cEndSessionHook {
public:
    // An end of the session is asked for (logOff: rather than a shut-down). True when it is to be refused and
    // the hook's run started; remembers which kind to ask for again afterwards.
    bool Query(bool hookOption, bool logOff);
    bool Armed() const { return m_armed; }
    bool LogOffRequested() const { return m_logOff; }

private:
    bool m_armed = true;
    bool m_logOff = false;
};
