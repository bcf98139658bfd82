#include "ui/MainWnd.h"

#include "platform/ProgramTempFolder.h"
#include "platform/RemoveTree.h"
#include "profile/Parameters.h"
#include "ui/DocumentFileDialog.h"
#include "ui/MainDisplay.h"
#include "ui/StatusStrip.h"
#include "ui/ToolbarIcons.h"
#include "ui/WindowBoxes.h"

#include <QAction>
#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QLayout>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace ui {

namespace {

// What the status strip shows of the document's automatics.
cAutomaticLamps AutomaticLampsOf(const cParameters& p) {
    cAutomaticLamps lamps;
    if (p.DocumentKind == kProfileDocument) {
        lamps = {
            p.AutoOpen, p.AutoApp, p.AutoSense1, p.AutoHook, p.AutoExit, p.AutoShutdown, HasActiveEntry(p.Schedule)};
    } else if (p.DocumentKind == kBatchDocument) {
        const auto& b = p.Batch;
        lamps = {b.AutoOpen, false, false, b.AutoHook, b.AutoExit, b.AutoShutdown, HasActiveEntry(b.Schedule)};
    }
    return lamps;
}

} // namespace

namespace {

const QString kProgramName = QStringLiteral("Tolvan 6");

QString FromNative(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

} // namespace

TMainWnd::TMainWnd(cParameters& params, bool muteMode, QWidget* parent)
    : QMainWindow(parent), m_params(params), m_muteMode(muteMode), m_boxes(std::make_unique<cWindowBoxes>(this)) {
    setObjectName(QStringLiteral("MainWnd"));
    setWindowIcon(ProgramIcon(false));
    BuildMenus();
    BuildToolbar();
    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(m_toolbar.ToolbarPnl);
    m_mainDisplay = new cMainDisplay(central);
    if (m_mainDisplay->objectName().isEmpty()) m_mainDisplay->setObjectName(QStringLiteral("InnerPnl"));
    column->addWidget(m_mainDisplay);
    m_statusStrip = new cStatusStrip(central);
    if (m_statusStrip->objectName().isEmpty()) m_statusStrip->setObjectName(QStringLiteral("StatusStrip"));
    column->addWidget(m_statusStrip);
    setCentralWidget(central);
    // Not resizable: the window is as large as its toolbar, display and status strip need.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    connect(m_mainDisplay, &cMainDisplay::TaskClicked, this, [this](int task) {
        WizardCommand(task == 1   ? eConfigDialog::BackupWizard
                      : task == 2 ? eConfigDialog::SyncWizard
                                  : eConfigDialog::ProfileWizard);
    });
    BuildTray();
    BuildTriggerTimers();
    setAcceptDrops(true);

    UpdateCaption();
    UpdateMenus();
    UpdateSaveState();
    ArmAutomatics();
    ShowMainDisplay();
    ApplyTooltips();
    UpdateRecentMenu();
    UpdateTopTwelveMenu();
}

TMainWnd::~TMainWnd() {
    setAcceptDrops(false);
    NotifyTray(2);
    // Copies made for comparing and viewing; nothing of them is needed once the window is gone.
    // Only the user's own folder: one that another user planted there is left alone.
    if (std::string own; platform::OwnProgramTempFolder(own) == 0) (void)platform::RemoveDirectoryTree(own);
}

void TMainWnd::ShowNewDocument() {
    UpdateCaption();
    UpdateMenus();
    UpdateSaveState();
    ArmAutomatics();
}

void TMainWnd::UpdateCaption() {
    const QString document = FromNative(m_params.DocumentFile);
    setWindowTitle(document + QStringLiteral(" - ") + kProgramName);
    m_applicationTitle = QFileInfo(document).fileName() + QStringLiteral(" - ") + kProgramName;
    if (m_tray.Icon->isVisible()) NotifyTray(1);
}

void TMainWnd::UpdateMenus() {
    const bool profile = m_params.DocumentKind == kProfileDocument;
    const bool batch = m_params.DocumentKind == kBatchDocument;
    const bool document = profile || batch;
    for (QAction* item : {m_items.SaveItm, m_items.SaveAsItm, m_items.ViewItm, m_items.ShortcutItm, m_items.LogViewItm,
                          m_items.OptionsItm, m_items.SchedulerItm, m_items.GoItm})
        item->setVisible(document);
    for (QAction* item :
         {m_items.ExpressSetupItm, m_items.SourceItm, m_items.DestinationItm, m_items.PreviewItm, m_items.LogItm})
        item->setVisible(profile);
    m_items.ProfilesItm->setVisible(batch);

    m_toolbar.ExpressSetupImg->setVisible(profile);
    m_toolbar.SourceImg->setVisible(profile);
    m_toolbar.DestinationImg->setVisible(profile);
    m_toolbar.ProfilesImg->setVisible(batch);
    m_toolbar.OptionsImg->setVisible(document);
    m_toolbar.GoImg->setVisible(document);

    if (profile) m_saveFilters = ProfileSaveFilters();
    if (batch) m_saveFilters = BatchSaveFilters();
}

void TMainWnd::UpdateSaveState() {
    m_items.SaveItm->setEnabled(!m_params.Untitled && m_params.Modified);
    m_items.ShortcutItm->setEnabled(!m_params.Untitled);
    m_items.LogViewItm->setEnabled(!m_params.Log.FileName.empty());
}

void TMainWnd::ArmAutomatics() {
    // A run after opening that has not started yet belonged to the document that was open before.
    if (m_delayTmr) m_delayTmr->stop();
    ArmTriggers();
    m_statusStrip->SetLamps(AutomaticLampsOf(m_params));
}

void TMainWnd::ShowMainDisplay() {
    m_mainDisplay->Rebuild(m_params.Programm);
}

void TMainWnd::ApplyTooltips() {
    for (QToolButton* button : {m_toolbar.ExitImg, m_toolbar.ExpressSetupImg, m_toolbar.ProfilesImg,
                                m_toolbar.SourceImg, m_toolbar.DestinationImg, m_toolbar.OptionsImg, m_toolbar.GoImg})
        button->setToolTip(m_params.Programm.Tooltips ? button->property("HotKeyHint").toString() : QString());
}

void TMainWnd::closeEvent(QCloseEvent* event) {
    if (DialogDepth != 0 || RunActive || !QuerySaveChanges()) {
        event->ignore();
        return;
    }
    event->accept();
}

} // namespace ui
