#include "ui/ConfigDialogs.h"

#include "ui/BatchOptionsDialog.h"
#include "ui/BatchProfilesDialog.h"
#include "ui/DestinationDialog.h"
#include "ui/ExpressSetup.h"
#include "ui/LogDialog.h"
#include "ui/OptionsDialog.h"
#include "ui/PreviewDialog.h"
#include "ui/ProgramOptionsDialog.h"
#include "ui/SchedulerDialog.h"
#include "ui/SourceDialog.h"
#include "ui/TopTwelveDialog.h"
#include "ui/Wizards.h"

namespace ui {

cConfigResult ShowConfigDialog(QWidget* parent, cParameters& params, eConfigDialog dialog, bool automationPage) {
    switch (dialog) {
    case eConfigDialog::ExpressSetup:
        return RunExpressSetup(parent, params);
    case eConfigDialog::BackupWizard:
        return RunBackupWizard(parent, params);
    case eConfigDialog::SyncWizard:
        return RunSyncWizard(parent, params);
    case eConfigDialog::ProfileWizard:
        return RunProfileWizard(parent, params);
    case eConfigDialog::Source:
        return {EditSource(parent, params)};
    case eConfigDialog::Destination:
        return {EditDestination(parent, params)};
    case eConfigDialog::Options:
        return {EditOptions(parent, params, automationPage)};
    case eConfigDialog::Profiles:
        return {EditBatchProfiles(parent, params)};
    case eConfigDialog::BatchOptions:
        return {EditBatchOptions(parent, params)};
    case eConfigDialog::Preview:
        return {EditPreviewOptions(parent, params)};
    case eConfigDialog::Log:
        return {EditLog(parent, params)};
    case eConfigDialog::Scheduler:
        return {EditSchedule(parent, params)};
    case eConfigDialog::ProgramOptions:
        return {EditProgramOptions(parent, params)};
    case eConfigDialog::TopTwelve:
        return {EditTopTwelve(parent, params)};
    }
    return {};
}

} // namespace ui
