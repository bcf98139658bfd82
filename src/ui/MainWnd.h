// The program's main window: shows the current document, its menus and toolbar, starts runs, lives in the tray.
#pragma once

#include <QMainWindow>

#include <cstdint>

class cParameters;

namespace ui {

class TMainWnd : public QMainWindow {
    Q_OBJECT

public:
    // params is the one settings object of the process (the current document and the program settings);
    // muteMode is fixed for the life of the process.
    TMainWnd(cParameters& params, bool muteMode, QWidget* parent = nullptr);
    ~TMainWnd() override;

    cParameters& Params() { return m_params; }
    bool MuteMode() const { return m_muteMode; }

    // Window contents from the document.
    void UpdateCaption();
    void UpdateMenus();
    void UpdateSaveState();

    void ArmAutomatics();
    void ShowMainDisplay();
    void ApplyTooltips();
    void UpdateRecentMenu();
    void UpdateTopTwelveMenu();
    // Asks whether to save a modified document; false when the user cancelled the command.
    bool QuerySaveChanges();
    // Tray icon: add (0), modify (1) or delete (2).
    void NotifyTray(int operation);
    // Opens the document of the command line (or the last one) and arms its automatic start; once per process.
    void OpenStartFile();

    // Runs the current document (the profile, or each profile of the batch) with the start reason; returns when
    // the run has ended. The windows stay alive meanwhile: the run executes on a worker thread.
    void LaunchRun(std::uint8_t reason);
    // One run of the profile held by the document, with what the profile asks for around it.
    std::uint8_t RunProfile(std::uint8_t condition, std::uint8_t reason);

    // Open menu dialogs; while not zero no run starts and the triggers wait.
    int DialogDepth = 0;
    // A run is in progress: the window refuses to close, the triggers wait.
    bool RunActive = false;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildMenus();

    cParameters& m_params;
    bool m_muteMode;

    // ---- Start-up and run launching (GuiMain.cpp, MainWndStart.cpp, MainWndRun.cpp) ----

    // ---- Menus, toolbar, displays, tray, documents (MainWnd.cpp and its helpers) ----
};

} // namespace ui
