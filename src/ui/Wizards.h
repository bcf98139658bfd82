// The backup, synchronisation and profile wizards: a few guided pages that make a complete new profile, save it
// and make it the current document.
#pragma once

#include "ui/ConfigDialogs.h"

class QWidget;
class cParameters;

namespace ui {

// Each shows its wizard modally on params. Finished: the new profile is written and is the current document
// (saved, not modified, first among the recent files); RunNow when "Jetzt ausführen" was ticked. Cancelled:
// params is as it was.
cConfigResult RunBackupWizard(QWidget* parent, cParameters& params);
cConfigResult RunSyncWizard(QWidget* parent, cParameters& params);
// Asks backup or synchronisation first, then goes on as that wizard.
cConfigResult RunProfileWizard(QWidget* parent, cParameters& params);

} // namespace ui
