// The main window in the system tray: the icon, its tip and menu, minimising into it and restoring from it.
#include "ui/MainWnd.h"

#include "profile/Parameters.h"
#include "ui/ToolbarIcons.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QMenu>
#include <QSystemTrayIcon>
#include <QTimer>

namespace ui {

namespace {

// The longest tip the tray shows.
constexpr int kTrayTipLength = 63;

} // namespace

void TMainWnd::BuildTray() {
    m_tray.Icon = new QSystemTrayIcon(ProgramIcon(false), this);
    m_tray.Icon->setObjectName(QStringLiteral("TrayIcon"));
    m_tray.TrayMenu = new QMenu(this);
    m_tray.TrayMenu->setObjectName(QStringLiteral("TrayMenu"));
    m_tray.RestoreItm = m_tray.TrayMenu->addAction(QStringLiteral("Wiederherstellen"));
    m_tray.RestoreItm->setObjectName(QStringLiteral("TrayRestoreItm"));
    m_tray.RestoreItm->setVisible(!m_muteMode); // a mute process never shows its window
    m_tray.GoItm = m_tray.TrayMenu->addAction(QStringLiteral("Los"));
    m_tray.GoItm->setObjectName(QStringLiteral("TrayGoItm"));
    m_tray.ExitItm = m_tray.TrayMenu->addAction(QStringLiteral("Beenden"));
    m_tray.ExitItm->setObjectName(QStringLiteral("TrayExitItm"));
    m_tray.Icon->setContextMenu(m_tray.TrayMenu);

    connect(m_tray.RestoreItm, &QAction::triggered, this, &TMainWnd::RestoreFromTray);
    connect(m_tray.GoItm, &QAction::triggered, this, [this] { LaunchRun(0); });
    connect(m_tray.ExitItm, &QAction::triggered, this, &TMainWnd::ExitFromTray);
    connect(m_tray.Icon, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::Trigger && !m_muteMode && m_tray.RestoreItm->isEnabled()) RestoreFromTray();
    });
}

QString TMainWnd::TrayTip() const {
    QString tip = windowTitle();
    if (m_muteMode) tip += QStringLiteral(" STUMM");
    return tip.left(kTrayTipLength);
}

void TMainWnd::NotifyTray(int operation) {
    if (m_tray.Icon == nullptr) return;
    switch (operation) {
    case 0:
        // Without a tray (a bare X session, the offscreen platform) there is nothing to add to.
        if (!QSystemTrayIcon::isSystemTrayAvailable()) return;
        m_tray.Icon->setIcon(ProgramIcon(m_runIconLit));
        m_tray.Icon->show();
        break;
    case 1: {
        const QIcon icon = ProgramIcon(m_runIconLit);
        setWindowIcon(icon);
        QApplication::setWindowIcon(icon);
        m_tray.Icon->setIcon(icon);
        m_tray.Icon->setToolTip(TrayTip());
        break;
    }
    case 2:
        m_tray.Icon->hide();
        break;
    default:
        break;
    }
}

void TMainWnd::SetRunIcon(bool lit) {
    m_runIconLit = lit;
    NotifyTray(1);
}

void TMainWnd::SetTrayMenuEnabled(bool enabled) {
    for (QAction* item : {m_tray.RestoreItm, m_tray.GoItm, m_tray.ExitItm})
        item->setEnabled(enabled);
}

bool TMainWnd::TrayOptionSet() const {
    if (m_params.DocumentKind == kProfileDocument) return m_params.TrayIcon;
    if (m_params.DocumentKind == kBatchDocument) return m_params.Batch.TrayIcon;
    return false;
}

void TMainWnd::MinimizeToTray() {
    if (!QSystemTrayIcon::isSystemTrayAvailable()) {
        if (!m_muteMode) showMinimized();
        return;
    }
    hide();
    NotifyTray(0);
    NotifyTray(1);
}

void TMainWnd::RestoreFromTray() {
    NotifyTray(2);
    showNormal();
    raise();
    activateWindow();
}

void TMainWnd::ExitFromTray() {
    const bool hidden = !isVisible();
    NotifyTray(2);
    if (close()) {
        // A window hidden in the tray is no visible window whose closing would end the program.
        if (hidden) QCoreApplication::quit();
        return;
    }
    // Refused (the user kept unsaved changes): a hidden window stays reachable through its icon.
    if (hidden) {
        NotifyTray(0);
        NotifyTray(1);
    }
}

void TMainWnd::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange || !isMinimized() || !TrayOptionSet() ||
        !QSystemTrayIcon::isSystemTrayAvailable())
        return;
    // Hidden after the state change has been handled, not in the middle of it.
    QTimer::singleShot(0, this, [this] {
        if (isMinimized()) MinimizeToTray();
    });
}

} // namespace ui
