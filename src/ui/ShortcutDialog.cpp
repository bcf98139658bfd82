#include "ui/ShortcutDialog.h"

#include "messages/ErrorText.h"
#include "platform/DesktopEntry.h"
#include "platform/Process.h"
#include "platform/ProgramFolders.h"
#include "profile/Parameters.h"
#include "ui/HelpWindow.h"
#include "ui/MessageDialog.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QVBoxLayout>

namespace ui {

namespace {

constexpr int kShortcutHelp = 4110;
const QString kCaption = QStringLiteral("Verknüpfung erstellen");

QLabel* WrappedLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    return label;
}

QString AutostartFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/autostart");
}

} // namespace

void ShowShortcutDialog(QWidget* parent, const cParameters& params,
                        const std::function<void()>& openAutomationOptions) {
    TShortcutDlg dialog(params, openAutomationOptions, parent);
    dialog.exec();
}

TShortcutDlg::TShortcutDlg(const cParameters& params, std::function<void()> openAutomationOptions, QWidget* parent)
    : QDialog(parent), m_document(params.DocumentFile), m_openAutomationOptions(std::move(openAutomationOptions)) {
    setObjectName(QStringLiteral("ShortcutDlg"));
    setWindowTitle(kCaption);
    const bool batch = params.DocumentKind == kBatchDocument;

    auto* intro = WrappedLabel(QStringLiteral("Lassen Sie eine Verknüpfung erstellen, um Tolvan mit ") +
                                   (batch ? QStringLiteral("dieser Batch-Datei") : QStringLiteral("diesem Profil")) +
                                   QStringLiteral(" zu starten."),
                               this);
    intro->setObjectName(QStringLiteral("IntroLbl"));

    auto* automation = new QPushButton(QStringLiteral("&Automatik..."), this);
    automation->setObjectName(QStringLiteral("AutomationBtn"));
    automation->setAutoDefault(false);
    connect(automation, &QPushButton::clicked, this, [this] {
        if (m_openAutomationOptions) m_openAutomationOptions();
    });
    auto* automationRow = new QHBoxLayout;
    automationRow->addWidget(WrappedLabel(QStringLiteral("Haben Sie schon die Automatik-Optionen gesetzt?"), this), 1);
    automationRow->addWidget(automation);

    m_desktop = new QRadioButton(QStringLiteral("&Desktop"), this);
    m_desktop->setObjectName(QStringLiteral("DesktopRbt"));
    m_desktop->setChecked(true);
    m_autostart = new QRadioButton(QStringLiteral("Autostart-&Gruppe"), this);
    m_autostart->setObjectName(QStringLiteral("AutostartRbt"));
    m_otherGroup = new QRadioButton(QStringLiteral("Andere &Programm-Gruppe:"), this);
    m_otherGroup->setObjectName(QStringLiteral("OtherGroupRbt"));
    m_groupFolder = new QLineEdit(this);
    m_groupFolder->setObjectName(QStringLiteral("GroupEdt"));
    m_groupFolder->setMinimumWidth(fontMetrics().averageCharWidth() * 30);
    auto* browse = new QPushButton(QStringLiteral("Durch&suchen..."), this);
    browse->setObjectName(QStringLiteral("BrowseBtn"));
    browse->setAutoDefault(false);
    connect(browse, &QPushButton::clicked, this, &TShortcutDlg::Browse);
    connect(m_groupFolder, &QLineEdit::textEdited, this, [this] { m_otherGroup->setChecked(true); });
    connect(m_groupFolder, &QLineEdit::textChanged, this, &TShortcutDlg::UpdateOk);
    connect(m_otherGroup, &QRadioButton::toggled, this, &TShortcutDlg::UpdateOk);
    auto* otherRow = new QHBoxLayout;
    otherRow->addWidget(m_otherGroup);
    otherRow->addWidget(m_groupFolder, 1);
    otherRow->addWidget(browse);

    m_mute = new QCheckBox(QStringLiteral("S&tumm-Modus"), this);
    m_mute->setObjectName(QStringLiteral("MuteChk"));
    auto* muteText = WrappedLabel(
        QStringLiteral("Im Stumm-Modus bleibt Tolvan unsichtbar, mit Ausnahme eines Symbols in der Systemablage."),
        this);
    muteText->setContentsMargins(fontMetrics().height() + 6, 0, 0, 0);

    auto* buttons = new QDialogButtonBox(this);
    m_ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    m_ok->setObjectName(QStringLiteral("OkBtn"));
    m_ok->setDefault(true);
    QPushButton* cancel = buttons->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("CancelBtn"));
    QPushButton* help = buttons->addButton(QStringLiteral("&Hilfe"), QDialogButtonBox::HelpRole);
    help->setObjectName(QStringLiteral("HelpBtn"));
    connect(buttons, &QDialogButtonBox::accepted, this, &TShortcutDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &TShortcutDlg::reject);
    connect(buttons, &QDialogButtonBox::helpRequested, this, [this] { ShowHelp(this, kShortcutHelp); });

    auto* column = new QVBoxLayout(this);
    column->addWidget(intro);
    column->addSpacing(8);
    column->addLayout(automationRow);
    column->addSpacing(8);
    column->addWidget(WrappedLabel(QStringLiteral("Wo soll die Verknüpfung erstellt werden?"), this));
    column->addWidget(m_desktop);
    column->addWidget(m_autostart);
    column->addLayout(otherRow);
    column->addSpacing(8);
    column->addWidget(m_mute);
    column->addWidget(muteText);
    column->addSpacing(8);
    column->addWidget(buttons);
    setMinimumWidth(fontMetrics().averageCharWidth() * 70);
    UpdateOk();
}

QString TShortcutDlg::LinkFolder() const {
    if (m_desktop->isChecked()) return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    if (m_autostart->isChecked()) return AutostartFolder();
    return m_groupFolder->text().trimmed();
}

void TShortcutDlg::Browse() {
    QString start = m_groupFolder->text().trimmed();
    if (start.isEmpty()) start = QStandardPaths::writableLocation(QStandardPaths::ApplicationsLocation);
    const QString chosen =
        QFileDialog::getExistingDirectory(this, QStringLiteral("Bitte wählen Sie eine Programm-Gruppe:"), start);
    if (chosen.isEmpty()) return;
    m_groupFolder->setText(chosen);
    m_otherGroup->setChecked(true);
}

void TShortcutDlg::UpdateOk() {
    m_ok->setEnabled(!m_otherGroup->isChecked() || !m_groupFolder->text().trimmed().isEmpty());
}

void TShortcutDlg::accept() {
    const std::string folder = LinkFolder().toStdString();
    const std::string executable = QCoreApplication::applicationFilePath().toStdString();
    const std::string workingDirectory =
        QFileInfo(QCoreApplication::applicationFilePath()).absolutePath().toStdString();
    const bool mute = m_mute->isChecked();
    const std::string linkPath =
        folder + "/" + QFileInfo(QString::fromStdString(m_document)).fileName().toStdString() + ".desktop";

    // The autostart folder is the user's own and need not exist yet; the others are chosen folders.
    int error = m_autostart->isChecked() ? platform::CreatePrivateFolder(folder) : 0;
    if (error == 0)
        error = platform::CreateShortcut(executable, workingDirectory,
                                         "\"" + m_document + "\"" + (mute ? " /mute" : ""), "", linkPath);
    if (error != 0) {
        ShowMessageDialog(this, kCaption, kShortcutHelp, eMessageKind::Error, eMessageButtons::OkHelp,
                          QStringLiteral("Die Verknüpfung konnte nicht erstellt werden:\n\n%1\n\n%2")
                              .arg(QString::fromStdString(linkPath), QString::fromStdString(ErrorText(error))));
        return;
    }
    QDialog::accept();
    if (ShowMessageDialog(
            parentWidget(), kCaption, kShortcutHelp, eMessageKind::Confirmation, eMessageButtons::YesNoHelp,
            QStringLiteral("Die Verknüpfung wurde erstellt.\n\nWollen Sie sie jetzt testen?")) == eAnswer::Yes) {
        // What the shortcut's command line says, without a shell in between.
        std::vector<std::string> command = {executable, m_document};
        if (mute) command.emplace_back("/mute");
        platform::StartProgram(command, false, false);
    }
}

} // namespace ui
