#include "ui/WizardPages.h"

#include "ui/DialogParts.h"
#include "ui/WizardDialog.h"
#include "ui/WizardFolders.h"

#include <QCheckBox>
#include <QDir>
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

QLabel* WrappedLabel(const char* name, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setWordWrap(true);
    return label;
}

// Sets a tooltip only when the program option asks for tooltips.
void Tip(QWidget* widget, bool tooltips, const QString& text) {
    if (tooltips) widget->setToolTip(text);
}

} // namespace

TWizardKindPage::TWizardKindPage(bool tooltips, QWidget* parent) : QWizardPage(parent) {
    setObjectName(QStringLiteral("KindPage"));
    setTitle(QStringLiteral("Backup oder Synchronisation?"));
    setSubTitle(QStringLiteral("Was soll das neue Profil tun?"));
    m_backup = NamedRadio("BackupRbt", QStringLiteral("&Backup: die Dateien eines Ordners in einen anderen sichern"),
                          true, this);
    m_sync = NamedRadio("SyncRbt", QStringLiteral("&Synchronisation: zwei Ordner auf beiden Seiten gleich halten"),
                        false, this);
    Tip(m_backup, tooltips, QStringLiteral("Kopiert nur von der Quelle ins Ziel; die Quelle bleibt unverändert."));
    Tip(m_sync, tooltips, QStringLiteral("Kopiert in beide Richtungen, so dass beide Ordner gleich sind."));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_backup);
    layout->addWidget(m_sync);
    layout->addStretch();
}

bool TWizardKindPage::Synchronises() const {
    return m_sync->isChecked();
}

TWizardFolderPage::TWizardFolderPage(const TWizardDlg& wizard, eRole role, bool tooltips,
                                     std::function<QString(const QString&)> check, QWidget* parent)
    : QWizardPage(parent), m_wizard(wizard), m_role(role), m_check(std::move(check)) {
    const bool source = role == eRole::Source;
    setObjectName(QString::fromLatin1(source ? "SourcePage" : "DestPage"));
    setTitle(source ? QStringLiteral("Quelle") : QStringLiteral("Ziel"));
    m_edit = NamedEdit(source ? "SourceEdt" : "DestEdt", {}, this);
    m_edit->setMinimumWidth(fontMetrics().averageCharWidth() * 48);
    Tip(m_edit, tooltips,
        source ? QStringLiteral("Der vollständige Pfad des Ordners, zum Beispiel /home/anna/Dokumente")
               : QStringLiteral("Der vollständige Pfad des Ordners, zum Beispiel /media/anna/USB-Stick/Sicherung"));
    auto* label = new QLabel(source ? QStringLiteral("&Quellordner:") : QStringLiteral("Ziel&ordner:"), this);
    label->setBuddy(m_edit);
    QPushButton* browse =
        NamedButton(source ? "SourceBrowseBtn" : "DestBrowseBtn", QStringLiteral("Durch&suchen..."), this);
    Tip(browse, tooltips, QStringLiteral("Ordner auswählen"));
    connect(browse, &QPushButton::clicked, this, &TWizardFolderPage::Browse);
    m_problem = ProblemLabel(source ? "SourceProblemLbl" : "DestProblemLbl", this);
    connect(m_edit, &QLineEdit::textEdited, this, [this] { ShowProblem(m_problem, {}); });

    auto* row = new QHBoxLayout;
    row->addWidget(m_edit, 1);
    row->addWidget(browse);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addLayout(row);
    layout->addWidget(m_problem);
    layout->addStretch();
}

QString TWizardFolderPage::Folder() const {
    return FolderRoot(m_edit->text());
}

void TWizardFolderPage::initializePage() {
    const bool sync = m_wizard.Synchronises();
    if (m_role == eRole::Source)
        setSubTitle(sync ? QStringLiteral("Welchen Ordner möchten Sie abgleichen? Alle Dateien darin und in seinen "
                                          "Unterordnern werden einbezogen.")
                         : QStringLiteral("Welchen Ordner möchten Sie sichern? Alle Dateien darin und in seinen "
                                          "Unterordnern werden kopiert."));
    else
        setSubTitle(sync ? QStringLiteral("Mit welchem Ordner soll die Quelle abgeglichen werden? Gibt es ihn noch "
                                          "nicht, wird er angelegt.")
                         : QStringLiteral("Wohin sollen die Kopien? Gibt es den Ordner noch nicht, wird er angelegt."));
}

bool TWizardFolderPage::validatePage() {
    return ShowProblem(m_problem, m_check(m_edit->text()));
}

void TWizardFolderPage::Browse() {
    const QString start = m_edit->text().trimmed().isEmpty() ? QDir::homePath() : FolderRoot(m_edit->text());
    const QString chosen = QFileDialog::getExistingDirectory(
        this, m_role == eRole::Source ? QStringLiteral("Quellordner") : QStringLiteral("Zielordner"), start);
    if (chosen.isEmpty()) return;
    m_edit->setText(chosen);
    ShowProblem(m_problem, {});
}

TWizardActionPage::TWizardActionPage(const TWizardDlg& wizard, bool tooltips, QWidget* parent)
    : QWizardPage(parent), m_wizard(wizard) {
    setObjectName(QStringLiteral("ActionPage"));
    setTitle(QStringLiteral("Was soll geschehen?"));
    m_backupText = WrappedLabel("BackupTextLbl",
                                QStringLiteral("Neue und geänderte Dateien der Quelle werden ins Ziel kopiert. In der "
                                               "Quelle ändert Tolvan nichts."),
                                this);
    m_delete =
        NamedCheck("DeleteChk", QStringLiteral("Im Ziel &löschen, was in der Quelle gelöscht wurde"), false, this);
    Tip(m_delete, tooltips, QStringLiteral("Das Ziel wird ein genaues Abbild der Quelle."));
    m_deleteWarning = WrappedLabel(
        "DeleteWarningLbl",
        QStringLiteral(
            "Vorsicht: Eine Datei, die Sie in der Quelle löschen, auch aus Versehen, wird beim nächsten "
            "Lauf auch im Ziel gelöscht. Das Ziel bewahrt dann keine alten Dateien mehr auf, sondern ist ein "
            "genaues Abbild der Quelle. Bevor ein Lauf viele Dateien auf einmal löscht, fragt Tolvan nach."),
        this);
    m_deleteWarning->setStyleSheet(QStringLiteral("color: #b00000;"));
    m_syncText = WrappedLabel(
        "SyncTextLbl",
        QStringLiteral("Neue und geänderte Dateien werden in beide Richtungen kopiert, so dass beide Ordner gleich "
                       "sind.\n\nWas Sie auf einer Seite löschen, wird beim nächsten Lauf auch auf der anderen Seite "
                       "gelöscht. Dazu merkt sich Tolvan nach jedem Lauf in einem Schnappschuss neben dem Profil, "
                       "welche Dateien es gab. Bevor ein Lauf viele Dateien auf einmal löscht, fragt Tolvan nach."),
        this);
    connect(m_delete, &QCheckBox::toggled, this, &TWizardActionPage::UpdateWarning);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_backupText);
    layout->addWidget(m_delete);
    layout->addWidget(m_deleteWarning);
    layout->addWidget(m_syncText);
    layout->addStretch();
}

bool TWizardActionPage::DeletesInDestination() const {
    return !m_wizard.Synchronises() && m_delete->isChecked();
}

void TWizardActionPage::initializePage() {
    const bool sync = m_wizard.Synchronises();
    setSubTitle(sync ? QStringLiteral("Beide Ordner werden in beide Richtungen abgeglichen.")
                     : QStringLiteral("Sie legen fest, ob das Ziel auch Löschungen der Quelle übernimmt."));
    m_backupText->setVisible(!sync);
    m_delete->setVisible(!sync);
    m_syncText->setVisible(sync);
    UpdateWarning();
}

void TWizardActionPage::UpdateWarning() {
    m_deleteWarning->setVisible(!m_wizard.Synchronises() && m_delete->isChecked());
}

TWizardSavePage::TWizardSavePage(const TWizardDlg& wizard, bool tooltips, QWidget* parent)
    : QWizardPage(parent), m_wizard(wizard) {
    setObjectName(QStringLiteral("SavePage"));
    setTitle(QStringLiteral("Speichern unter"));
    setSubTitle(QStringLiteral("Das Profil wird als Datei gespeichert; Sie können es jederzeit wieder öffnen und "
                               "ausführen."));
    m_file = NamedEdit("ProfileEdt", {}, this);
    m_file->setMinimumWidth(fontMetrics().averageCharWidth() * 48);
    Tip(m_file, tooltips, QStringLiteral("Der vollständige Pfad der Profil-Datei (*.tvp)"));
    auto* label = new QLabel(QStringLiteral("Speichern &unter:"), this);
    label->setBuddy(m_file);
    QPushButton* browse = NamedButton("ProfileBrowseBtn", QStringLiteral("Durch&suchen..."), this);
    Tip(browse, tooltips, QStringLiteral("Datei auswählen"));
    connect(browse, &QPushButton::clicked, this, &TWizardSavePage::Browse);
    connect(m_file, &QLineEdit::textEdited, this, [this] {
        m_edited = true;
        ShowProblem(m_problem, {});
    });
    m_desktop = NamedCheck("DesktopChk", QStringLiteral("Verknüpfung auf dem &Desktop anlegen"), false, this);
    Tip(m_desktop, tooltips, QStringLiteral("Ein Doppelklick auf die Verknüpfung öffnet Tolvan mit diesem Profil."));
    m_runNow = NamedCheck("RunNowChk", QStringLiteral("&Jetzt ausführen"), false, this);
    Tip(m_runNow, tooltips, QStringLiteral("Das Profil läuft gleich nach dem Fertigstellen."));
    m_problem = ProblemLabel("ProfileProblemLbl", this);

    auto* row = new QHBoxLayout;
    row->addWidget(m_file, 1);
    row->addWidget(browse);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addLayout(row);
    layout->addWidget(m_problem);
    layout->addSpacing(fontMetrics().height());
    layout->addWidget(m_desktop);
    layout->addWidget(m_runNow);
    layout->addStretch();
}

QString TWizardSavePage::ProfilePath() const {
    return ProfileFilePath(m_file->text());
}

bool TWizardSavePage::DesktopShortcut() const {
    return m_desktop->isChecked();
}

bool TWizardSavePage::RunNow() const {
    return m_runNow->isChecked();
}

void TWizardSavePage::initializePage() {
    if (!m_edited) m_file->setText(SuggestedPath());
}

bool TWizardSavePage::validatePage() {
    return ShowProblem(m_problem, ProfileFileProblem(m_file->text()));
}

void TWizardSavePage::Browse() {
    const QString chosen = QFileDialog::getSaveFileName(this, QStringLiteral("Datei speichern"), ProfilePath(),
                                                        QStringLiteral("Profile (*.tvp);;Alle Dateien (*)"), nullptr,
                                                        QFileDialog::DontConfirmOverwrite);
    if (chosen.isEmpty()) return;
    m_file->setText(chosen);
    m_edited = true;
    ShowProblem(m_problem, {});
}

QString TWizardSavePage::SuggestedPath() const {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty()) folder = QDir::homePath();
    QString base = m_wizard.Synchronises() ? QStringLiteral("Synchronisation") : QStringLiteral("Backup");
    const QString sourceName = QFileInfo(m_wizard.SourceFolder()).fileName();
    if (!sourceName.isEmpty()) base += QLatin1Char(' ') + sourceName;
    QString path = folder + QLatin1Char('/') + base + QStringLiteral(".tvp");
    for (int n = 2; QFileInfo::exists(path) && n < 1000; ++n)
        path = folder + QLatin1Char('/') + base + QStringLiteral(" %1.tvp").arg(n);
    return path;
}

} // namespace ui
