// The controls of the main window that its commands show, hide, enable and caption.
#pragma once

#include <array>

class QAction;
class QMenu;
class QSystemTrayIcon;
class QToolButton;
class QWidget;

namespace ui {

class cMainDisplay;
class cStatusStrip;

// Menu items, named as their object names say ("NewItm" is NewItm).
struct cMainMenuItems {
    // "&Datei"
    QAction* NewItm = nullptr;
    QAction* OpenItm = nullptr;
    QAction* SaveItm = nullptr;
    QAction* SaveAsItm = nullptr;
    QAction* ViewItm = nullptr;
    QAction* ShortcutItm = nullptr;
    QMenu* TopMnu = nullptr;
    std::array<QAction*, 12> TopItm{};      // F1-F12: open and run
    std::array<QAction*, 12> TopShiftItm{}; // Shift+F1-F12: open only; in no menu
    QAction* LogViewItm = nullptr;
    QAction* RecentSeparator = nullptr;
    std::array<QAction*, 9> RecentItm{};
    QAction* ExitItm = nullptr;
    // "&Assistenten"
    QAction* BackupWizardItm = nullptr;
    QAction* SyncWizardItm = nullptr;
    QAction* ProfileWizardItm = nullptr;
    // "&Konfiguration"
    QAction* ExpressSetupItm = nullptr;
    QAction* SourceItm = nullptr;
    QAction* DestinationItm = nullptr;
    QAction* ProfilesItm = nullptr;
    QAction* OptionsItm = nullptr;
    QAction* PreviewItm = nullptr;
    QAction* LogItm = nullptr;
    QAction* SchedulerItm = nullptr;
    QAction* ProgramOptionsItm = nullptr;
    QAction* TopTwelveItm = nullptr;
    // "Lo&s"
    QAction* GoItm = nullptr;
    // "&Hilfe"
    QAction* ContentsItm = nullptr;
    QAction* IntroductionItm = nullptr;
    QAction* WebItm = nullptr;
    QAction* MailItm = nullptr;
};

// The image buttons of ToolbarPnl, left to right; ExpressSetupImg (profile) and ProfilesImg (batch) share a place.
struct cToolbarButtons {
    QWidget* ToolbarPnl = nullptr;
    QToolButton* ExitImg = nullptr;
    QToolButton* ExpressSetupImg = nullptr;
    QToolButton* ProfilesImg = nullptr;
    QToolButton* SourceImg = nullptr;
    QToolButton* DestinationImg = nullptr;
    QToolButton* OptionsImg = nullptr;
    QToolButton* GoImg = nullptr;
};

struct cTrayParts {
    QSystemTrayIcon* Icon = nullptr;
    QMenu* TrayMenu = nullptr;
    QAction* RestoreItm = nullptr; // "Wiederherstellen"; hidden in mute mode
    QAction* GoItm = nullptr;      // "Los"
    QAction* ExitItm = nullptr;    // "Beenden"
};

} // namespace ui
