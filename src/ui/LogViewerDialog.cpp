#include "ui/LogViewerDialog.h"

#include "profile/LogParameters.h"
#include "ui/DialogParts.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
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

} // namespace

TLogViewerDlg::TLogViewerDlg(cLogParameters& log, QWidget* parent) : QDialog(parent), m_log(log) {
    setObjectName(QStringLiteral("LogViewerDlg"));
    setWindowTitle(QStringLiteral("Log: Betrachter"));
    const int kind = static_cast<int>(log.ViewerKind);
    // The three programs named after Windows tools open the log with the desktop's text viewer here.
    m_kinds = {NamedRadio("BuiltInRbt", QStringLiteral("&Eingebaut"), kind == 0, this),
               NamedRadio("NotepadRbt", QStringLiteral("&Notizblock (Editor)"), kind == 1, this),
               NamedRadio("QuickViewRbt", QStringLiteral("&Schnellansicht"), kind == 2, this),
               NamedRadio("WordPadRbt", QStringLiteral("&WordPad"), kind == 3, this),
               NamedRadio("OtherRbt", QStringLiteral("&Anderer:"), kind == 4, this)};
    const QString desktop = QStringLiteral("Öffnet das Log mit dem Textbetrachter des Desktops.");
    for (int i = 1; i <= 3; ++i)
        m_kinds[static_cast<std::size_t>(i)]->setToolTip(desktop);
    m_path = NamedEdit("ViewerPathEdt", QString::fromStdString(log.ViewerPath), this);
    m_path->setMinimumWidth(fontMetrics().averageCharWidth() * 40);
    QPushButton* browse = NamedButton("BrowseBtn", QStringLiteral("..."), this);
    browse->setToolTip(QStringLiteral("Nach Betrachter durchsuchen"));
    connect(browse, &QPushButton::clicked, this, &TLogViewerDlg::Browse);
    m_switches = NamedEdit("SwitchesEdt", QString::fromStdString(log.ViewerSwitches), this);
    m_problem = ProblemLabel("ProblemLbl", this);

    auto* group = new QGroupBox(QStringLiteral("Betrachter"), this);
    auto* column = new QVBoxLayout(group);
    for (QRadioButton* button : m_kinds) {
        column->addWidget(button);
        connect(button, &QRadioButton::toggled, this, &TLogViewerDlg::UpdateSwitches);
    }
    auto* pathRow = new QHBoxLayout;
    pathRow->setContentsMargins(24, 0, 0, 0);
    pathRow->addWidget(m_path, 1);
    pathRow->addWidget(browse);
    column->addLayout(pathRow);
    auto* switches = new QFormLayout;
    auto* switchesLabel = new QLabel(QStringLiteral("S&chalter:"), this);
    switchesLabel->setBuddy(m_switches);
    switches->addRow(switchesLabel, m_switches);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(switches);
    layout->addWidget(m_problem);
    layout->addWidget(OkCancelHelp(this, kLogHelp));
    UpdateSwitches();
}

void TLogViewerDlg::Browse() {
    const QString chosen = QFileDialog::getOpenFileName(this, QStringLiteral("Anderer Betrachter"), m_path->text(),
                                                        QStringLiteral("Alle Dateien (*)"));
    if (chosen.isEmpty()) return;
    m_path->setText(chosen);
    m_kinds[4]->setChecked(true);
}

void TLogViewerDlg::UpdateSwitches() {
    m_switches->setEnabled(!m_kinds[0]->isChecked());
}

void TLogViewerDlg::accept() {
    int kind = 0;
    for (std::size_t i = 0; i < m_kinds.size(); ++i)
        if (m_kinds[i]->isChecked()) kind = static_cast<int>(i);
    if (!ShowProblem(m_problem, kind == 4 && m_path->text().trimmed().isEmpty()
                                    ? QStringLiteral("Bitte geben Sie das Programm an, das das Log zeigen soll.")
                                    : QString()))
        return;
    m_log.ViewerKind = static_cast<eLogViewer>(kind);
    m_log.ViewerPath = m_path->text().toStdString();
    m_log.ViewerSwitches = m_switches->text().toStdString();
    QDialog::accept();
}

} // namespace ui
