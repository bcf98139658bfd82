#include "ui/LogDialog.h"

#include "profile/Parameters.h"
#include "ui/DialogParts.h"
#include "ui/LogMailDialog.h"
#include "ui/LogPrinterDialog.h"
#include "ui/LogViewerDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace ui {

namespace {

constexpr int kLogHelp = 4130;
constexpr auto kFilters = "Text-Dateien (*.txt);;Log-Dateien (*.log);;Alle Dateien (*)";

// The radio buttons of one choice live in their own box: buttons with one parent exclude each other.
template <std::size_t N> void FillChoices(QGroupBox* group, const std::array<QRadioButton*, N>& buttons) {
    auto* column = new QVBoxLayout(group);
    for (QRadioButton* button : buttons)
        column->addWidget(button);
}

template <std::size_t N> int Checked(const std::array<QRadioButton*, N>& buttons) {
    for (std::size_t i = 0; i < N; ++i)
        if (buttons[i]->isChecked()) return static_cast<int>(i);
    return 0;
}

} // namespace

TLogDlg::TLogDlg(cParameters& params, QWidget* parent) : QDialog(parent), m_params(params), m_log(params.Log) {
    setObjectName(QStringLiteral("LogDlg"));
    setWindowTitle(QStringLiteral("Log"));
    m_active = NamedCheck("ActiveChk", QStringLiteral("A&ktiv"), m_log.Active, this);
    m_file = NamedEdit("FileEdt", QString::fromStdString(m_log.FileName), this);
    m_file->setMinimumWidth(fontMetrics().averageCharWidth() * 44);
    m_file->setToolTip(QStringLiteral("Variablen wie %YEAR% werden bei jedem Lauf ersetzt."));
    QPushButton* browse = NamedButton("BrowseBtn", QStringLiteral("..."), this);
    browse->setToolTip(QStringLiteral("Nach Log-Datei durchsuchen"));
    connect(browse, &QPushButton::clicked, this, &TLogDlg::Browse);
    auto* fileLabel = new QLabel(QStringLiteral("&Log-Datei:"), this);
    fileLabel->setBuddy(m_file);

    auto* dateTimeBox = new QGroupBox(QStringLiteral("Datum und Uhrzeit:"), this);
    const int dateTime = static_cast<int>(m_log.DateTimeMode);
    m_dateTime = {NamedRadio("NoTimeRbt", QStringLiteral("&Ohne"), dateTime == 0, dateTimeBox),
                  NamedRadio("StartEndRbt", QStringLiteral("Anfang / &Ende"), dateTime == 1, dateTimeBox),
                  NamedRadio("EveryFileRbt", QStringLiteral("&Für jede Datei"), dateTime == 2, dateTimeBox)};
    FillChoices(dateTimeBox, m_dateTime);
    auto* fileInfoBox = new QGroupBox(QStringLiteral("Datei-Information:"), this);
    const int fileInfo = static_cast<int>(m_log.FileInfoMode);
    m_fileInfo = {NamedRadio("NameOnlyRbt", QStringLiteral("&Nur Name"), fileInfo == 0, fileInfoBox),
                  NamedRadio("WithStampRbt", QStringLiteral("&Mit Datum-Zeit-Stempel"), fileInfo == 1, fileInfoBox),
                  NamedRadio("WithOldRbt", QStringLiteral("Mit ü&berschriebener Datei"), fileInfo == 2, fileInfoBox)};
    FillChoices(fileInfoBox, m_fileInfo);
    m_daily = NamedCheck("DailyChk", QStringLiteral("&Datum dem Namen hinzufügen"), m_log.Daily, this);
    m_append = NamedCheck("AppendChk", QStringLiteral("An alte Datei &anhängen"), m_log.Append, this);
    m_noNormal = NamedCheck("NoNormalChk", QStringLiteral("Normale Operation nicht lo&ggen"), m_log.NoNormal, this);
    m_noNormal->setToolTip(QStringLiteral("Nur Fehler und Warnungen kommen ins Log, keine Zeile je kopierter Datei."));

    m_onSuccess = {NamedCheck("ViewOkChk", QStringLiteral("Betrachter"), m_log.ViewOnSuccess, this),
                   NamedCheck("MailOkChk", QStringLiteral("E-Mail"), m_log.MailOnSuccess, this),
                   NamedCheck("PrintOkChk", QStringLiteral("Drucker"), m_log.PrintOnSuccess, this)};
    m_onError = {NamedCheck("ViewErrChk", QStringLiteral("Betrachter"), m_log.ViewOnError, this),
                 NamedCheck("MailErrChk", QStringLiteral("E-Mail"), m_log.MailOnError, this),
                 NamedCheck("PrintErrChk", QStringLiteral("Drucker"), m_log.PrintOnError, this)};
    QPushButton* viewer = NamedButton("ViewerBtn", QStringLiteral("Be&trachter..."), this);
    QPushButton* mail = NamedButton("MailBtn", QStringLiteral("E-Ma&il..."), this);
    QPushButton* printer = NamedButton("PrinterBtn", QStringLiteral("Dr&ucker..."), this);
    connect(viewer, &QPushButton::clicked, this, &TLogDlg::EditViewer);
    connect(mail, &QPushButton::clicked, this, &TLogDlg::EditMail);
    connect(printer, &QPushButton::clicked, this, &TLogDlg::EditPrinter);
    m_problem = ProblemLabel("ProblemLbl", this);

    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(fileLabel);
    fileRow->addWidget(m_file, 1);
    fileRow->addWidget(browse);
    auto* modes = new QHBoxLayout;
    modes->addWidget(dateTimeBox);
    modes->addWidget(fileInfoBox);
    auto* action = new QGroupBox(QStringLiteral(" Aktion "), this);
    auto* grid = new QGridLayout(action);
    grid->addWidget(new QLabel(QStringLiteral("Wenn kein Fehler aufgetreten ist, Log senden an:"), action), 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("Wenn ein Fehler aufgetreten ist, Log senden an:"), action), 1, 0);
    for (int i = 0; i < 3; ++i) {
        grid->addWidget(m_onSuccess[static_cast<std::size_t>(i)], 0, i + 1);
        grid->addWidget(m_onError[static_cast<std::size_t>(i)], 1, i + 1);
    }
    grid->addWidget(viewer, 2, 1);
    grid->addWidget(mail, 2, 2);
    grid->addWidget(printer, 2, 3);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_active);
    layout->addLayout(fileRow);
    layout->addLayout(modes);
    layout->addWidget(m_daily);
    layout->addWidget(m_append);
    layout->addWidget(m_noNormal);
    layout->addWidget(action);
    layout->addWidget(m_problem);
    layout->addWidget(OkCancelHelp(this, kLogHelp));
}

void TLogDlg::Browse() {
    QFileDialog dialog(this, QStringLiteral("Log-Datei"), QFileInfo(m_file->text()).absolutePath(),
                       QString::fromLatin1(kFilters));
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    m_file->setText(dialog.selectedFiles().first());
}

void TLogDlg::EditViewer() {
    TLogViewerDlg dialog(m_log, this);
    dialog.exec();
}

void TLogDlg::EditMail() {
    TLogMailDlg dialog(m_log, this);
    dialog.exec();
}

void TLogDlg::EditPrinter() {
    (void)EditLogPrinter(this, m_log);
}

QString TLogDlg::Collect() {
    if (m_active->isChecked() && m_file->text().trimmed().isEmpty())
        return QStringLiteral("Bitte geben Sie die Log-Datei an, oder schalten Sie das Log ab.");
    const bool mails = m_onSuccess[1]->isChecked() || m_onError[1]->isChecked();
    if (mails && (m_log.Recipient1Address.empty() || m_log.SmtpServer.empty()))
        return QStringLiteral("Zum Verschicken des Logs fehlen der SMTP-Server oder die Adresse des Empfängers: "
                              "bitte unter \"E-Mail...\" angeben.");
    m_log.Active = m_active->isChecked();
    m_log.FileName = m_file->text().toStdString();
    m_log.DateTimeMode = static_cast<eLogDateTime>(Checked(m_dateTime));
    m_log.FileInfoMode = static_cast<eLogFileInfo>(Checked(m_fileInfo));
    m_log.Daily = m_daily->isChecked();
    m_log.Append = m_append->isChecked();
    m_log.NoNormal = m_noNormal->isChecked();
    m_log.ViewOnSuccess = m_onSuccess[0]->isChecked();
    m_log.MailOnSuccess = m_onSuccess[1]->isChecked();
    m_log.PrintOnSuccess = m_onSuccess[2]->isChecked();
    m_log.ViewOnError = m_onError[0]->isChecked();
    m_log.MailOnError = m_onError[1]->isChecked();
    m_log.PrintOnError = m_onError[2]->isChecked();
    return {};
}

void TLogDlg::accept() {
    if (!ShowProblem(m_problem, Collect())) return;
    m_params.Log = m_log;
    QDialog::accept();
}

bool EditLog(QWidget* parent, cParameters& params) {
    TLogDlg dialog(params, parent);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace ui
