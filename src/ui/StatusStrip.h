// The status strip at the bottom of the main window: a lamp and a label for each automatic of the document.
#pragma once

#include <QWidget>

#include <array>

class QLabel;

namespace ui {

// Which automatics are armed. ArmAutomatics fills it from the current document.
struct cAutomaticLamps {
    bool AutoOpen = false;  // run after opening
    bool AutoApp = false;   // run when an application has ended
    bool AutoSense = false; // run when source and destination are available
    bool AutoHook = false;  // hook into the end of the session
    bool AutoExit = false;  // exit after the run
    // End the session after the run: 0 off, 1 shut down, 2 log off, 3 power off, 4 restart (the lamp is lit
    // for 1..4 and the label names the action).
    int AutoShutdown = 0;
    bool Scheduler = false; // an active schedule entry

    bool operator==(const cAutomaticLamps&) const = default;
};

class cStatusStrip : public QWidget {
public:
    explicit cStatusStrip(QWidget* parent);
    // Paints every lamp lit or dark and its label in the on or off form. Each lamp widget ("OpenLamp",
    // "AppLamp", "SenseLamp", "HookLamp", "ExitLamp", "ShutdownLamp", "SchedulerLamp") carries its state in the
    // property "lit"; its label ("OpenLbl", ...) is enabled when on.
    void SetLamps(const cAutomaticLamps& lamps);

private:
    static constexpr std::size_t kLampCount = 7;
    void SetLamp(std::size_t index, bool lit, const QString& label);

    std::array<QLabel*, kLampCount> m_lamps{};
    std::array<QLabel*, kLampCount> m_labels{};
};

} // namespace ui
