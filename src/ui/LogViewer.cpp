#include "ui/LogViewer.h"

#include "ui/ViewLogDlg.h"

namespace ui {

void ShowLogFile(QWidget* parent, cParameters& params, const std::string& nativeLogFile) {
    TViewLogDlg* viewer =
        parent ? parent->findChild<TViewLogDlg*>(QStringLiteral("ViewLogDlg"), Qt::FindDirectChildrenOnly) : nullptr;
    const bool reused = viewer != nullptr;
    if (!reused) viewer = new TViewLogDlg(params, parent);
    if (!viewer->LoadFile(nativeLogFile)) {
        if (!reused) delete viewer;
        return;
    }
    viewer->show();
    viewer->raise();
    viewer->activateWindow();
}

} // namespace ui
