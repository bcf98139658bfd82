#include "ui/MainWnd.h"

#include "profile/Parameters.h"

#include <QAction>
#include <QCloseEvent>
#include <QMenuBar>

namespace ui {

TMainWnd::TMainWnd(cParameters& params, bool muteMode, QWidget* parent)
    : QMainWindow(parent), m_params(params), m_muteMode(muteMode) {
    setObjectName(QStringLiteral("MainWnd"));
    BuildMenus();
    UpdateCaption();
    UpdateMenus();
    UpdateSaveState();
}

TMainWnd::~TMainWnd() = default;

void TMainWnd::BuildMenus() {
    QAction* go = menuBar()->addAction(QStringLiteral("Lo&s"));
    go->setObjectName(QStringLiteral("GoItm"));
    go->setShortcut(Qt::Key_Return);
    connect(go, &QAction::triggered, this, [this] { LaunchRun(0); });
}

void TMainWnd::UpdateCaption() {
    setWindowTitle(QString::fromStdString(m_params.DocumentFile) + QStringLiteral(" - Tolvan 6"));
}

void TMainWnd::UpdateMenus() {}

void TMainWnd::UpdateSaveState() {}

void TMainWnd::ArmAutomatics() {}
void TMainWnd::ShowMainDisplay() {}
void TMainWnd::ApplyTooltips() {}
void TMainWnd::UpdateRecentMenu() {}
void TMainWnd::UpdateTopTwelveMenu() {}
void TMainWnd::NotifyTray(int /*operation*/) {}
void TMainWnd::OpenStartFile() {}

bool TMainWnd::QuerySaveChanges() {
    return true;
}

void TMainWnd::closeEvent(QCloseEvent* event) {
    if (DialogDepth != 0 || RunActive || !QuerySaveChanges()) {
        event->ignore();
        return;
    }
    event->accept();
}

} // namespace ui
