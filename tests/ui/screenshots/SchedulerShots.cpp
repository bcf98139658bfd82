// The automatics' dialogs: the scheduler with a week's plan, the fill dialog, the application picker, and the
// batch options.
#include "ScreenshotShots.h"

#include "profile/Parameters.h"
#include "profile/ScheduleEdit.h"
#include "ui/AppsDialog.h"
#include "ui/BatchOptionsDialog.h"
#include "ui/BatchProfilesDialog.h"
#include "ui/FillDialog.h"
#include "ui/SchedulerDialog.h"

#include <QTabWidget>

namespace {

using screenshots::cScene;
using screenshots::Keep;

cParameters& PlannedProfile(const cScene& scene) {
    cParameters& params = Keep(scene.Profile());
    params.Schedule = {MakeScheduleEntry(true, kNewScheduleEntry, 7 * 60 + 30),
                       MakeScheduleEntry(true, kNewScheduleEntry, 12 * 60 + 15),
                       MakeScheduleEntry(false, ScheduleColumnBit(5), 10 * 60),
                       MakeScheduleEntry(true, ScheduleColumnBit(0) | ScheduleColumnBit(3), 18 * 60 + 45)};
    return params;
}

const screenshots::cRegisterShots kSchedulerShots({
    {"SchedulerDlg",
     [](const cScene& s) -> QWidget* {
         auto* dialog = new ui::TSchedulerDlg(PlannedProfile(s), nullptr);
         dialog->resize(dialog->sizeHint().width() + 120, 320);
         return dialog;
     }},
    {"BatchProfilesDlg",
     [](const cScene& s) -> QWidget* { return new ui::TBatchProfilesDlg(Keep(s.Batch()), nullptr); }},
    {"BatchOptionsDlg-Warnungen",
     [](const cScene& s) -> QWidget* {
         cParameters& batch = Keep(s.Batch());
         batch.Batch.WarningsOverride = true;
         auto* dialog = new ui::TBatchOptionsDlg(
             batch, [] {}, [] {}, nullptr);
         dialog->findChild<QTabWidget*>()->setCurrentIndex(1);
         return dialog;
     }},
    {"BatchOptionsDlg-Automatik",
     [](const cScene& s) -> QWidget* {
         auto* dialog = new ui::TBatchOptionsDlg(
             Keep(s.Batch()), [] {}, [] {}, nullptr);
         dialog->findChild<QTabWidget*>()->setCurrentIndex(2);
         return dialog;
     }},
    {"FillDlg", [](const cScene&) -> QWidget* { return new ui::TFillDlg(nullptr); }},
    {"AppsDlg",
     [](const cScene&) -> QWidget* {
         return new ui::TAppsDlg(QStringLiteral("thunderbird"),
                                 {QStringLiteral("Posteingang - Mozilla Thunderbird"),
                                  QStringLiteral("Brief an Frau Müller.odt - LibreOffice Writer"),
                                  QStringLiteral("soffice.bin"), QStringLiteral("thunderbird"),
                                  QStringLiteral("firefox-esr"), QStringLiteral("Tolvan 6")},
                                 nullptr);
     }},
});

} // namespace
