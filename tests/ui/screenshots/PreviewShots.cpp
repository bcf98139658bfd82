// The preview list (two-line and one-line, with too little room on the destination), its print dialog and
// print preview, and the preview settings dialog "Übersicht", once with the defaults and once with own choices.
#include "ScreenshotShots.h"

#include "engine/RunDriver.h"
#include "shell/HeadlessInterface.h"
#include "ui/HardcopyDialog.h"
#include "ui/ListDialog.h"
#include "ui/PreviewModel.h"
#include "ui/PreviewDialog.h"

#include <QApplication>
#include <QPushButton>
#include <QTimer>

#include <filesystem>
#include <functional>

namespace {

using screenshots::cScene;

cPreviewParameters OwnChoices(cPreviewParameters p) {
    p.OneLine = true;
    p.SkipFilter = true;
    p.DeleteFilter = true;
    p.Block1System = true;
    p.Block2System = true;
    p.FontName = "DejaVu Sans";
    p.FontSize = 10;
    return p;
}

// Plans the scene's profile into an empty destination and hands the run's state, as the preview gets it, to
// show; the state lives while show runs.
void WithPlannedRun(const cScene& scene, bool oneLine, const std::function<void(cParameters&, cRunState&)>& show) {
    static cParameters params = scene.Profile();
    params.DestDrive = (scene.Dir().Path() / "Neue Sicherung").string();
    std::filesystem::create_directories(params.DestDrive);
    params.Preview.OneLine = oneLine;
    cHeadlessInterface quiet;
    cRunControl control(quiet);
    cRunOptions options;
    options.PlanOnly = true;
    options.OnPlan = [&](const cParameters&, const cRunState& state) {
        auto& run = const_cast<cRunState&>(state);
        // Far less room on the destination than the copies need: the header shows the shortfall in red.
        // (Both roots are on one file system here, which shares one balance.)
        run.SourceFree = run.DestFree = 100 * 1024;
        run.SourceBalance = run.DestBalance = run.DestFree - run.BytesToCopy;
        show(params, run);
    };
    (void)ExecuteRun(params, control, kSingleProfile, 0, options);
}

void ShowList(const cScene& scene, bool oneLine) {
    WithPlannedRun(scene, oneLine, [](cParameters& params, cRunState& run) {
        ui::TListDlg dialog(params, run, nullptr);
        dialog.resize(900, 420);
        dialog.exec();
    });
}

const screenshots::cRegisterShots kShots({
    {"ListDlg-Zweizeilig", nullptr, [](const cScene& s) { ShowList(s, false); }},
    {"ListDlg-Einzeilig", nullptr, [](const cScene& s) { ShowList(s, true); }},
    {"HardcopyDlg", nullptr,
     [](const cScene& s) {
         WithPlannedRun(s, false, [](cParameters& params, cRunState& run) {
             ui::TListDlg list(params, run, nullptr);
             ui::THardcopyDlg dialog(list.Model().List(), QStringLiteral("Briefe sichern.tvp - 10.12.2026 17:02"),
                                     nullptr);
             dialog.exec();
         });
     }},
    {"PrintPreviewDlg", nullptr,
     [](const cScene& s) {
         WithPlannedRun(s, false, [](cParameters& params, cRunState& run) {
             ui::TListDlg list(params, run, nullptr);
             ui::THardcopyDlg dialog(list.Model().List(), QStringLiteral("Briefe sichern.tvp - 10.12.2026 17:02"),
                                     nullptr);
             dialog.findChild<QPushButton*>("PreviewBtn")->click();
         });
     }},
    {"PreviewDlg", [](const cScene& s) { return new ui::TPreviewDlg(s.Profile().Preview, nullptr); }},
    {"PreviewDlg-Eigene",
     [](const cScene& s) { return new ui::TPreviewDlg(OwnChoices(s.Profile().Preview), nullptr); }},
});

} // namespace
