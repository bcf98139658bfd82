// The configuration dialogs and wizards of the main window's menus, reached through one function.
#pragma once

class QWidget;
class cParameters;

namespace ui {

enum class eConfigDialog {
    ExpressSetup,   // "&Express-Setup..."
    Source,         // "&Quelle..."
    Destination,    // "&Ziel..."
    Profiles,       // "&Profile...": the profiles of a batch file
    Options,        // "&Optionen..." of a profile
    BatchOptions,   // "&Optionen..." of a batch file
    Preview,        // "&Vorschau..."
    Log,            // "&Log..."
    Scheduler,      // "Zeitpla&ner..."
    ProgramOptions, // "P&rogrammoptionen"
    TopTwelve,      // "&Top 12..."
    BackupWizard,   // "&Backup..."
    SyncWizard,     // "&Synchronisation..."
    ProfileWizard,  // "&Profil..."
};

struct cConfigResult {
    bool Ok = false;        // closed with OK: the document or the settings may have changed
    bool RunNow = false;    // express setup and wizards: the user chose to run at once
    bool SetOthers = false; // express setup: "Andere Einstellungen automatisch setzen" was ticked
};

// Shows the dialog modally on params; automationPage opens the options on their automation page.
cConfigResult ShowConfigDialog(QWidget* parent, cParameters& params, eConfigDialog dialog, bool automationPage = false);

} // namespace ui
