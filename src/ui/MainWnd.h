// The program's main window: shows the current document, its menus and toolbar, starts runs, lives in the tray.
#pragma once

#include "shell/BatchRun.h"
#include "shell/ScheduleTicker.h"
#include "shell/Triggers.h"
#include "ui/ConfigDialogs.h"
#include "ui/MainWndParts.h"

#include <QMainWindow>
#include <QPointer>
#include <QStringList>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class QDBusConnection;
class QSessionManager;
class QTimer;
class cParameters;
class cUserInterface;
struct cRunControl;

namespace ui {

class TViewWnd;
class cShutdownInhibitor;
class cRunEventWindows;

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
    // One run of the profile held by the document, with what the profile asks for around it: its result and
    // whether it was stopped.
    cBatchRunEnd RunProfile(std::uint8_t condition, std::uint8_t reason);

    // Application and tray icon: lit during a run in mute mode, dark otherwise.
    void SetRunIcon(bool lit);
    // "Wiederherstellen", "Los" and "Beenden" of the tray menu.
    void SetTrayMenuEnabled(bool enabled);
    // Hides the window and shows the tray icon instead; where the desktop has no tray the window is minimised,
    // so it can never get out of reach.
    void MinimizeToTray();
    // The file name part of the document + " - Tolvan 6": the caption of the window's message boxes.
    QString ApplicationTitle() const { return m_applicationTitle; }
    // The tray icon's tip: the caption, " STUMM" added in mute mode, at most 63 characters.
    QString TrayTip() const;

    // Open menu dialogs; while not zero no run starts and the triggers wait.
    int DialogDepth = 0;
    // A run is in progress: the window refuses to close, the triggers wait.
    bool RunActive = false;

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void BuildMenus();

    cParameters& m_params;
    bool m_muteMode;

    // ---- Start-up and run launching (GuiMain.cpp, MainWndStart.cpp, MainWndRun.cpp) ----
public:
    // The first argument of the command line as given (path variables not yet expanded); OpenStartFile opens
    // it. Without one OpenStartFile reopens the last file when the program options say so.
    void SetStartArgument(std::optional<std::string> argument) { m_startArgument = std::move(argument); }
    // The system (SIGTERM) or the terminal (Ctrl+C) asks the program to end: a run in progress is stopped and
    // the program ends after it; otherwise the message loop ends at once. Either way the settings are written.
    void EndRequested();
    // Closes the run-event windows, which store their places; at the end of the program.
    void ReleaseRunEventWindows();
    // The session is asked to end (logOff: rather than a shut-down). True when the program refuses: while a
    // dialog is open or a run works, and once per process for a document with the hook, whose run then starts
    // (HookTmr) and asks for the same end again afterwards.
    bool RefuseSessionEnd(bool logOff);
    // Where logind is asked for the delay lock of the hook: the system bus unless a test gives another.
    void UseShutdownBus(const QDBusConnection& bus);

private:
    // Runs the document after opening (start reason 1) once no dialog is open and no run is active.
    void DelayTmrTimer();
    // Runs the profiles of the batch file one after the other; returns the batch's result.
    std::uint8_t RunBatch(std::uint8_t reason);
    // The message that a batch file without entries gives instead of a run.
    void ShowEmptyBatchMessage();
    // Stops the application and source/destination watches for the run; re-arms the watch for a drive that
    // goes away when the profile asks for it.
    void PauseWatchesForRun();

    // ---- Automatic triggers (MainWndTriggers.cpp) ----
    // The timers of the polling triggers (App1Tmr, App2Tmr, Sense1Tmr, Sense2Tmr, HookTmr), all stopped.
    void BuildTriggerTimers();
    // Puts the application and source/destination watches into their first stage as the document asks.
    void ArmTriggers();
    // Runs or stops each trigger's timer as its watch's stage says.
    void SyncTriggerTimers();
    // App1Tmr and App2Tmr: is the application there, has it ended (then start reason 2).
    void AppTmrTimer();
    // Sense1Tmr: are both roots reachable (then start reason 3); Sense2Tmr: has one of them gone.
    void SenseTmrTimer();
    // The desktop session is ending (a log-off): RefuseSessionEnd decides.
    void SessionEnding(QSessionManager& manager);
    // HookTmr: the run of the refused session end (start reason 4), then the same end asked for again.
    void HookTmrTimer();
    // The document's option to run before the session ends.
    bool HookOption() const;
    // logind is about to shut the machine down and waits for the delay lock: the hook's run (start reason 4)
    // starts at once, then the lock is given back and the shutdown goes on.
    void ShutdownComing();
    // Starts SchedulerTmr for the next minute (a second after it begins), or stops it when the document has no
    // active schedule entry.
    void SyncSchedulerTimer();

public:
    // SchedulerTmr, about once a minute: runs the document (start reason 5) when one of its schedule's active
    // entries names this minute and no dialog or run is open; reports the scheduled minutes that passed without
    // a run. Public so that a test can tick it with a set clock.
    void SchedulerTmrTimer();

private:

    cAppWatch m_appWatch;
    cSenseWatch m_senseWatch;
    cEndSessionHook m_hook;
    cShutdownInhibitor* m_inhibitor = nullptr;
    cScheduleTicker m_scheduleTicker;
    // Missed scheduled minutes not yet reported: a run that writes the log is not interrupted by them.
    std::vector<cScheduleMiss> m_scheduleMisses;
    std::optional<std::string> m_startArgument;
    bool m_startFileOpened = false;
    QTimer* m_delayTmr = nullptr;
    // Both run-event windows; they outlive a run and are replaced by the next one. (A shared_ptr takes its
    // deleter from where it was made, so the window's destructor needs no complete type.)
    std::shared_ptr<cRunEventWindows> m_runEventWindows;
    // The stop flags of the run in progress; null between runs.
    cRunControl* m_activeRun = nullptr;
    // An end request came during a run: the program ends when the run is over.
    bool m_endAfterRun = false;

private:
    // ---- Menus, toolbar, displays, tray, documents (MainWnd.cpp and its helpers) ----

    // Building (MainWndMenus.cpp, MainWndToolbar.cpp, MainWndTray.cpp).
    void BuildFileMenu();
    void BuildConfigurationMenus();
    void BuildHelpMenu();
    void BuildToolbar();
    void BuildTray();
    // Everything that shows the document, after it was replaced.
    void ShowNewDocument();

    // Document commands (MainWndDocument.cpp).
    void NewCommand();
    void OpenCommand();
    void OpenRecentCommand(int n);
    // "&Speichern" and "Speichern &als...": true when the document was written.
    bool SaveCommand();
    bool SaveAsCommand();
    // False when the user declined to write an older-format document in the current format.
    bool ConfirmLegacySave();
    void TopTwelveCommand(int n, bool run);
    void ViewCommand();
    void LogViewCommand();
    void ShortcutCommand();

    // Configuration, wizards and help (MainWndConfig.cpp).
    // The dialog under the guard, announced to beginners where it is an advanced one; on OK the window shows
    // what it changed. automationPage: the options open on their automation page.
    void ConfigCommand(eConfigDialog dialog, bool automationPage = false);
    void OptionsCommand(bool automationPage);
    void WizardCommand(eConfigDialog wizard);
    void OpenWebSite();
    void WriteMail();

    // Tray (MainWndTray.cpp).
    void RestoreFromTray();
    void ExitFromTray();
    bool TrayOptionSet() const;

    // Drops (MainWndDrop.cpp).
    void ReportFoldersOutsideSource(const QStringList& folders);

    cMainMenuItems m_items;
    cToolbarButtons m_toolbar;
    cTrayParts m_tray;
    cMainDisplay* m_mainDisplay = nullptr;
    cStatusStrip* m_statusStrip = nullptr;
    QPointer<TViewWnd> m_viewWnd;
    // Read and write errors of documents go to the timed box through this.
    std::unique_ptr<cUserInterface> m_boxes;
    QStringList m_saveFilters;
    QString m_applicationTitle;
    bool m_runIconLit = false;
};

} // namespace ui
