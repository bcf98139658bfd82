#include "ui/BatchOptionsDialog.h"

#include "profile/Parameters.h"
#include "ui/DialogParts.h"
#include "ui/SchedulerDialog.h"
#include "ui/ShortcutDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace ui {

namespace {

constexpr int kBatchOptionsHelp = 4280;
const QString kOverride = QStringLiteral("Über individuelle Einstellungen in den Profilen &hinwegsetzen");

QWidget* Page(QTabWidget* tabs, const char* name, const QString& title) {
    auto* page = new QWidget(tabs);
    page->setObjectName(QString::fromLatin1(name));
    tabs->addTab(page, title);
    return page;
}

} // namespace

TBatchOptionsDlg::TBatchOptionsDlg(cParameters& params, std::function<void()> openScheduler,
                                   std::function<void()> openShortcut, QWidget* parent)
    : QDialog(parent), m_params(params) {
    setObjectName(QStringLiteral("BatchOptionsDlg"));
    setWindowTitle(QStringLiteral("Optionen"));
    const cBatchParameters& b = params.Batch;
    auto* tabs = new QTabWidget(this);

    QWidget* checks = Page(tabs, "ChecksPage", QStringLiteral("Kontrollen"));
    m_checksOverride = NamedCheck("ChecksOverrideChk", kOverride, b.ChecksOverride, checks);
    m_showPreview = NamedCheck("ShowPreviewChk", QStringLiteral("&Vorschau zeigen"), b.ShowPreview, checks);
    auto* checksColumn = new QVBoxLayout(checks);
    checksColumn->addWidget(m_checksOverride);
    checksColumn->addWidget(m_showPreview);
    checksColumn->addStretch();

    QWidget* warnings = Page(tabs, "WarningsPage", QStringLiteral("Warnungen"));
    m_warningsOverride = NamedCheck("WarningsOverrideChk", kOverride, b.WarningsOverride, warnings);
    const std::array<bool, 8> values = {b.Warning1Message, b.Warning1Sound, b.Warning2Message, b.Warning2Sound,
                                        b.Warning3Message, b.Warning3Sound, b.Warning4Message, b.Warning4Sound};
    const char* names[] = {"Warning1MessageChk", "Warning1SoundChk", "Warning2MessageChk", "Warning2SoundChk",
                           "Warning3MessageChk", "Warning3SoundChk", "Warning4MessageChk", "Warning4SoundChk"};
    const QString captions[] = {QStringLiteral("Keine Dateien gefunden:"),
                                QStringLiteral("Nicht genügend Speicherplatz:"), QStringLiteral("Andere:"),
                                QStringLiteral("Unterbrechung bei Fehler:")};
    auto* grid = new QGridLayout;
    for (std::size_t i = 0; i < 8; ++i)
        m_warnings[i] =
            NamedCheck(names[i], i % 2 == 0 ? QStringLiteral("Meldung") : QStringLiteral("Klang"), values[i], warnings);
    for (int row = 0; row < 4; ++row) {
        grid->addWidget(new QLabel(captions[row], warnings), row, 0);
        grid->addWidget(m_warnings[static_cast<std::size_t>(2 * row)], row, 1);
        grid->addWidget(m_warnings[static_cast<std::size_t>(2 * row + 1)], row, 2);
    }
    auto* warningsColumn = new QVBoxLayout(warnings);
    warningsColumn->addWidget(m_warningsOverride);
    warningsColumn->addLayout(grid);
    warningsColumn->addStretch();

    QWidget* automation = Page(tabs, "AutomationPage", QStringLiteral("Automatik"));
    m_autoOpen = NamedCheck("AutoOpenChk", QStringLiteral("Nach &Öffnen laufen"), b.AutoOpen, automation);
    m_autoHook = NamedCheck("AutoHookChk", QStringLiteral("Ins &Abmelden und Herunterfahren einklinken"), b.AutoHook,
                            automation);
    m_autoHook->setToolTip(QStringLiteral("Beim ersten Abmelden oder Herunterfahren läuft erst die Batch-Datei, "
                                          "danach wird die Sitzung beendet."));
    m_autoExit = NamedCheck("AutoExitChk", QStringLiteral("Nach Lauf Tolvan &beenden"), b.AutoExit, automation);
    m_shutdown =
        NamedCheck("ShutdownChk", QStringLiteral("Nach Lauf das &System beenden:"), b.AutoShutdown != 0, automation);
    m_shutdownAction = new QComboBox(automation);
    m_shutdownAction->setObjectName(QStringLiteral("ShutdownCbo"));
    m_shutdownAction->addItems({QStringLiteral("Herunterfahren"), QStringLiteral("Abmelden"),
                                QStringLiteral("Ausschalten"), QStringLiteral("Neu starten")});
    m_shutdownAction->setCurrentIndex(b.AutoShutdown >= 1 && b.AutoShutdown <= 4 ? b.AutoShutdown - 1 : 0);
    m_shownShutdown = b.AutoShutdown != 0 ? m_shutdownAction->currentIndex() + 1 : 0;
    QPushButton* scheduler = NamedButton("SchedulerBtn", QStringLiteral("&Zeitplaner..."), automation);
    scheduler->setEnabled(static_cast<bool>(openScheduler));
    connect(scheduler, &QPushButton::clicked, this, [openScheduler] { openScheduler(); });
    auto* shutdownRow = new QHBoxLayout;
    shutdownRow->addWidget(m_shutdown);
    shutdownRow->addWidget(m_shutdownAction);
    shutdownRow->addStretch();
    auto* automationColumn = new QVBoxLayout(automation);
    automationColumn->addWidget(m_autoOpen);
    automationColumn->addWidget(m_autoHook);
    automationColumn->addWidget(m_autoExit);
    automationColumn->addLayout(shutdownRow);
    automationColumn->addWidget(scheduler, 0, Qt::AlignLeft);
    automationColumn->addStretch();

    QWidget* other = Page(tabs, "OtherPage", QStringLiteral("Verschiedenes"));
    m_trayIcon = NamedCheck("TrayIconChk", QStringLiteral("In den &Infobereich minimieren"), b.TrayIcon, other);
    QPushButton* shortcut = NamedButton("ShortcutBtn", QStringLiteral("&Verknüpfung..."), other);
    shortcut->setEnabled(static_cast<bool>(openShortcut));
    connect(shortcut, &QPushButton::clicked, this, [openShortcut] { openShortcut(); });
    auto* otherColumn = new QVBoxLayout(other);
    otherColumn->addWidget(m_trayIcon);
    otherColumn->addWidget(shortcut, 0, Qt::AlignLeft);
    otherColumn->addStretch();

    for (QCheckBox* box : {m_checksOverride, m_warningsOverride, m_shutdown})
        connect(box, &QCheckBox::toggled, this, &TBatchOptionsDlg::UpdateEnabled);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs);
    layout->addWidget(OkCancelHelp(this, kBatchOptionsHelp));
    UpdateEnabled();
}

void TBatchOptionsDlg::UpdateEnabled() {
    m_showPreview->setEnabled(m_checksOverride->isChecked());
    for (QCheckBox* box : m_warnings)
        box->setEnabled(m_warningsOverride->isChecked());
    m_shutdownAction->setEnabled(m_shutdown->isChecked());
}

void TBatchOptionsDlg::accept() {
    cBatchParameters& b = m_params.Batch;
    b.ChecksOverride = m_checksOverride->isChecked();
    b.ShowPreview = m_showPreview->isChecked();
    b.WarningsOverride = m_warningsOverride->isChecked();
    bool* warnings[] = {&b.Warning1Message, &b.Warning1Sound, &b.Warning2Message, &b.Warning2Sound,
                        &b.Warning3Message, &b.Warning3Sound, &b.Warning4Message, &b.Warning4Sound};
    for (std::size_t i = 0; i < 8; ++i)
        *warnings[i] = m_warnings[i]->isChecked();
    b.AutoOpen = m_autoOpen->isChecked();
    b.AutoHook = m_autoHook->isChecked();
    b.AutoExit = m_autoExit->isChecked();
    // A value outside 0..4 from a damaged file stays what it was unless the user changes the choice.
    const int chosen = m_shutdown->isChecked() ? m_shutdownAction->currentIndex() + 1 : 0;
    if (chosen != m_shownShutdown) b.AutoShutdown = chosen;
    b.TrayIcon = m_trayIcon->isChecked();
    QDialog::accept();
}

bool EditBatchOptions(QWidget* parent, cParameters& params) {
    TBatchOptionsDlg* self = nullptr;
    TBatchOptionsDlg dialog(
        params, [&] { (void)EditSchedule(self, params); }, [&] { ShowShortcutDialog(self, params, nullptr); }, parent);
    self = &dialog;
    return dialog.exec() == QDialog::Accepted;
}

} // namespace ui
