// The preview settings dialog "Übersicht", once with the defaults and once with own colours and filters.
#include "ScreenshotShots.h"
#include "ui/PreviewDialog.h"

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

const screenshots::cRegisterShots kShots({
    {"PreviewDlg", [](const cScene& s) { return new ui::TPreviewDlg(s.Profile().Preview, nullptr); }},
    {"PreviewDlg-Eigene",
     [](const cScene& s) { return new ui::TPreviewDlg(OwnChoices(s.Profile().Preview), nullptr); }},
});

} // namespace
