#include "ui/TopTwelveDialog.h"

#include "profile/SettingsGroups.h"
#include "ui/DialogParts.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace ui {

namespace {

constexpr int kTopTwelveHelp = 4330;
constexpr auto kFilters = "Tolvan-Dateien (*.tvp *.tvb);;Profile (*.tvp);;Batch-Dateien (*.tvb)";

QByteArray RowName(const char* prefix, std::size_t row) {
    return QByteArray(prefix) + QByteArray::number(static_cast<int>(row + 1));
}

QString KeyName(std::size_t row) {
    return QStringLiteral("F%1").arg(row + 1);
}

// F1..F12 open a profile or a batch file; the file itself may not exist yet (its name may hold variables).
bool IsDocumentName(const QString& file) {
    return file.endsWith(QStringLiteral(".tvp"), Qt::CaseInsensitive) ||
           file.endsWith(QStringLiteral(".tvb"), Qt::CaseInsensitive);
}

// The "..." beside a path field: no wider than its text.
QToolButton* BrowseButton(const char* name, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setText(QStringLiteral("..."));
    return button;
}

void ClearToolTips(QWidget* window) {
    for (QWidget* child : window->findChildren<QWidget*>())
        child->setToolTip(QString());
}

} // namespace

TTopTwelveDlg::TTopTwelveDlg(cParameters& params, QWidget* parent)
    : QDialog(parent), m_params(params), m_entries(params.TopTwelve) {
    setObjectName(QStringLiteral("TopTwelveDlg"));
    setWindowTitle(QStringLiteral("Top 12"));

    auto* grid = new QGridLayout;
    auto* descriptionHead = new QLabel(QStringLiteral("&Beschreibung (Text im Menü)"), this);
    auto* profileHead = new QLabel(QStringLiteral("&Profil oder Batch-Datei"), this);
    grid->addWidget(new QLabel(QStringLiteral("Taste"), this), 0, 0);
    grid->addWidget(descriptionHead, 0, 1);
    grid->addWidget(profileHead, 0, 2);
    const int averageChar = fontMetrics().averageCharWidth();
    for (std::size_t row = 0; row < m_entries.Profiles.size(); ++row) {
        const int line = static_cast<int>(row) + 1;
        auto* key = new QLabel(KeyName(row), this);
        key->setObjectName(QString::fromLatin1(RowName("KeyLbl", row)));
        m_descriptions[row] = NamedEdit(RowName("DescriptionEdt", row).constData(),
                                        QString::fromStdString(m_entries.Descriptions[row]), this);
        m_descriptions[row]->setMinimumWidth(averageChar * 24);
        m_descriptions[row]->setToolTip(QStringLiteral("So heißt der Eintrag im Menü \"Datei\" > \"Top 12\"; "
                                                       "leer: der Dateiname."));
        m_profiles[row] =
            NamedEdit(RowName("ProfileEdt", row).constData(), QString::fromStdString(m_entries.Profiles[row]), this);
        m_profiles[row]->setMinimumWidth(averageChar * 56);
        m_profiles[row]->setToolTip(QStringLiteral("%1 öffnet die Datei und startet den Lauf, Umschalt+%1 öffnet sie "
                                                   "nur. Variablen wie %YEAR% werden ersetzt.")
                                        .arg(KeyName(row)));
        QToolButton* browse = BrowseButton(RowName("BrowseBtn", row).constData(), this);
        browse->setToolTip(QStringLiteral("Profil oder Batch-Datei für %1 auswählen").arg(KeyName(row)));
        connect(browse, &QToolButton::clicked, this, [this, row] { Browse(row); });
        grid->addWidget(key, line, 0);
        grid->addWidget(m_descriptions[row], line, 1);
        grid->addWidget(m_profiles[row], line, 2);
        grid->addWidget(browse, line, 3);
    }
    grid->setColumnStretch(1, 2);
    grid->setColumnStretch(2, 3);
    descriptionHead->setBuddy(m_descriptions[0]);
    profileHead->setBuddy(m_profiles[0]);
    m_problem = ProblemLabel("ProblemLbl", this);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(m_problem);
    layout->addWidget(OkCancelHelp(this, kTopTwelveHelp));
    if (!params.Programm.Tooltips) ClearToolTips(this);
}

void TTopTwelveDlg::Browse(std::size_t row) {
    QString start = m_profiles[row]->text().trimmed();
    if (start.isEmpty() && !m_params.Untitled) start = QString::fromStdString(m_params.DocumentFile);
    const QString folder = start.isEmpty() ? QDir::homePath() : QFileInfo(start).absolutePath();
    QFileDialog dialog(this, QStringLiteral("Top 12: %1").arg(KeyName(row)), folder, QString::fromLatin1(kFilters));
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    const QString file = dialog.selectedFiles().first();
    m_profiles[row]->setText(file);
    // A new entry is named after its file until the user names it.
    if (m_descriptions[row]->text().trimmed().isEmpty())
        m_descriptions[row]->setText(QFileInfo(file).completeBaseName());
}

QString TTopTwelveDlg::Collect() {
    cTopTwelve entries;
    for (std::size_t row = 0; row < entries.Profiles.size(); ++row) {
        // The settings file does not keep blanks around a value either.
        const QString description = m_descriptions[row]->text().trimmed();
        const QString profile = m_profiles[row]->text().trimmed();
        if (profile.isEmpty() && !description.isEmpty()) {
            m_profiles[row]->setFocus();
            return QStringLiteral("%1: Bitte geben Sie das Profil an, oder löschen Sie die Beschreibung.")
                .arg(KeyName(row));
        }
        if (!profile.isEmpty() && !IsDocumentName(profile)) {
            m_profiles[row]->setFocus();
            return QStringLiteral("%1: \"%2\" ist kein Profil (*.tvp) und keine Batch-Datei (*.tvb).")
                .arg(KeyName(row), profile);
        }
        entries.Descriptions[row] = description.toStdString();
        entries.Profiles[row] = profile.toStdString();
    }
    m_entries = entries;
    return {};
}

void TTopTwelveDlg::accept() {
    if (!ShowProblem(m_problem, Collect())) return;
    m_params.TopTwelve = m_entries;
    m_params.WriteSettings(kTopTwelveGroup);
    QDialog::accept();
}

bool EditTopTwelve(QWidget* parent, cParameters& params) {
    TTopTwelveDlg dialog(params, parent);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace ui
