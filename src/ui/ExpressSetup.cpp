#include "ui/ExpressSetup.h"

#include "destinations/PathNames.h"
#include "profile/Parameters.h"
#include "ui/DialogParts.h"
#include "ui/WindowPlacement.h"
#include "ui/WizardFolders.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace ui {

namespace {

constexpr int kExpressSetupHelp = 4210;
constexpr auto kPlace = static_cast<std::size_t>(eWindowPlace::ExpressSetup);

// A directory entry of the profile ("\Daten\" or "\Daten\*") below root as a native folder.
cSourceFolder SourceFolderOf(const QString& root, const std::string& entry) {
    QString relative = QString::fromStdString(entry);
    const bool withSubfolders = relative.endsWith(QLatin1Char('*'));
    if (withSubfolders) relative.chop(1);
    relative.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return {QDir::cleanPath(root + QLatin1Char('/') + relative), withSubfolders};
}

} // namespace

TExpressSetupDlg::TExpressSetupDlg(cParameters& params, QWidget* parent) : QDialog(parent), m_params(params) {
    setObjectName(QStringLiteral("ExpressSetupDlg"));
    setWindowTitle(QStringLiteral("Express-Setup"));
    const bool tooltips = params.Programm.Tooltips;

    m_source = NamedEdit("SourceEdt", QString::fromStdString(params.SourceDrive), this);
    m_dest = NamedEdit("DestEdt", QString::fromStdString(params.DestDrive), this);
    for (QLineEdit* edit : {m_source, m_dest})
        edit->setMinimumWidth(fontMetrics().averageCharWidth() * 48);
    auto* sourceLabel = new QLabel(QStringLiteral("&Quelle:"), this);
    sourceLabel->setBuddy(m_source);
    auto* destLabel = new QLabel(QStringLiteral("&Ziel:"), this);
    destLabel->setBuddy(m_dest);
    QPushButton* sourceBrowse = NamedButton("SourceBrowseBtn", QStringLiteral("..."), this);
    QPushButton* destBrowse = NamedButton("DestBrowseBtn", QStringLiteral("..."), this);
    for (QPushButton* button : {sourceBrowse, destBrowse})
        button->setMaximumWidth(button->fontMetrics().horizontalAdvance(QStringLiteral("...")) * 4);
    connect(sourceBrowse, &QPushButton::clicked, this, [this] { Browse(m_source, QStringLiteral("Quelle")); });
    connect(destBrowse, &QPushButton::clicked, this, [this] { Browse(m_dest, QStringLiteral("Ziel")); });

    auto* direction = new QGroupBox(QStringLiteral("Richtung"), this);
    const std::optional<eProfileDirection> current = ProfileDirectionOf(params);
    m_backup = NamedRadio("BackupRbt", QStringLiteral("&Backup: nur von der Quelle ins Ziel kopieren"),
                          current == eProfileDirection::Backup, direction);
    m_mirror = NamedRadio("MirrorRbt", QStringLiteral("&Spiegeln: das Ziel wird ein genaues Abbild der Quelle"),
                          current == eProfileDirection::Mirror, direction);
    m_sync = NamedRadio("SyncRbt", QStringLiteral("S&ynchronisieren: in beide Richtungen abgleichen"),
                        current == eProfileDirection::Synchronise, direction);
    m_mirrorWarning = new QLabel(
        QStringLiteral("Vorsicht: Was Sie in der Quelle löschen, auch aus Versehen, wird beim nächsten Lauf auch im "
                       "Ziel gelöscht."),
        direction);
    m_mirrorWarning->setObjectName(QStringLiteral("MirrorWarningLbl"));
    m_mirrorWarning->setWordWrap(true);
    m_mirrorWarning->setStyleSheet(QStringLiteral("color: #b00000;"));
    connect(m_mirror, &QRadioButton::toggled, this, &TExpressSetupDlg::UpdateWarning);
    auto* directionColumn = new QVBoxLayout(direction);
    directionColumn->addWidget(m_backup);
    directionColumn->addWidget(m_mirror);
    directionColumn->addWidget(m_mirrorWarning);
    directionColumn->addWidget(m_sync);

    m_others = NamedCheck("OthersChk", QStringLiteral("&Andere Einstellungen automatisch setzen"), false, this);
    m_runNow = NamedCheck("RunNowChk", QStringLiteral("&Jetzt ausführen"), false, this);
    m_problem = ProblemLabel("ProblemLbl", this);
    if (tooltips) {
        m_source->setToolTip(QStringLiteral("Der Ordner, dessen Dateien kopiert werden"));
        m_dest->setToolTip(QStringLiteral("Der Ordner, in den kopiert wird"));
        sourceBrowse->setToolTip(QStringLiteral("Quellordner auswählen"));
        destBrowse->setToolTip(QStringLiteral("Zielordner auswählen"));
        m_others->setToolTip(QStringLiteral("Versteckte und schreibgeschützte Dateien einbeziehen, vor vielen "
                                            "Löschungen nachfragen; beim Spiegeln auch leere Ordner abgleichen."));
        m_runNow->setToolTip(QStringLiteral("Das Profil läuft gleich nach \"OK\"."));
    }

    auto* folders = new QGridLayout;
    folders->addWidget(sourceLabel, 0, 0);
    folders->addWidget(m_source, 0, 1);
    folders->addWidget(sourceBrowse, 0, 2);
    folders->addWidget(destLabel, 1, 0);
    folders->addWidget(m_dest, 1, 1);
    folders->addWidget(destBrowse, 1, 2);
    folders->setColumnStretch(1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(folders);
    layout->addWidget(direction);
    layout->addWidget(m_others);
    layout->addWidget(m_runNow);
    layout->addWidget(m_problem);
    layout->addStretch();
    layout->addWidget(OkCancelHelp(this, kExpressSetupHelp));
    UpdateWarning();

    // A place without a size, or the default one, says nothing yet: the dialog then opens over the main window
    // in its natural size. The layout keeps a restored size from cutting the texts.
    const cWindowPos& place = params.WindowPositions[kPlace];
    const bool hasSize = place.Right > place.Left && place.Bottom > place.Top;
    if (hasSize && place != DefaultWindowPos(kPlace, params.ScreenWidth, params.ScreenHeight))
        RestorePlacement(*this, place, true);
}

bool TExpressSetupDlg::RunNow() const {
    return m_runNow->isChecked();
}

bool TExpressSetupDlg::SetOthers() const {
    return m_others->isChecked();
}

void TExpressSetupDlg::Browse(QLineEdit* edit, const QString& title) {
    const QString start = FolderRoot(edit->text());
    const QString chosen = QFileDialog::getExistingDirectory(this, title, start.isEmpty() ? QDir::homePath() : start);
    if (!chosen.isEmpty()) edit->setText(chosen);
}

void TExpressSetupDlg::UpdateWarning() {
    m_mirrorWarning->setVisible(m_mirror->isChecked());
}

std::optional<eProfileDirection> TExpressSetupDlg::ChosenDirection() const {
    if (m_backup->isChecked()) return eProfileDirection::Backup;
    if (m_mirror->isChecked()) return eProfileDirection::Mirror;
    if (m_sync->isChecked()) return eProfileDirection::Synchronise;
    return std::nullopt;
}

QString TExpressSetupDlg::Problem() const {
    const QString sourceText = m_source->text().trimmed();
    const QString destText = m_dest->text().trimmed();
    const bool sourceChanged = sourceText != QString::fromStdString(m_params.SourceDrive);
    const bool destChanged = destText != QString::fromStdString(m_params.DestDrive);
    // Unchanged folders are not checked again: a profile for a disk that is not plugged in stays editable.
    if (!sourceChanged && !destChanged) return {};
    if (sourceChanged && !HasVariables(sourceText.toStdString()))
        if (QString problem = SourceFolderProblem(sourceText); !problem.isEmpty()) return problem;
    if (HasVariables(sourceText.toStdString()) || HasVariables(destText.toStdString()) ||
        m_params.DestType == eDestType::Ftp)
        return {};

    const QString sourceRoot = FolderRoot(sourceText);
    QList<cSourceFolder> sources;
    if (!sourceRoot.isEmpty())
        for (const cTextItem& entry : m_params.SearchDirectories)
            if (!HasVariables(entry.Text)) sources.push_back(SourceFolderOf(sourceRoot, entry.Text));
    if (!sourceRoot.isEmpty() && m_params.SearchDirectories.Empty()) sources.push_back({sourceRoot, true});
    QString dest = destText;
    if (m_params.DestType == eDestType::Directory && !HasVariables(m_params.DestDirectory) && !destText.isEmpty())
        dest = SourceFolderOf(FolderRoot(destText), m_params.DestDirectory).Path;
    return DestinationFolderProblem(sources, dest.isEmpty() ? destText : dest);
}

void TExpressSetupDlg::accept() {
    if (!ShowProblem(m_problem, Problem())) return;
    const std::string source = m_source->text().trimmed().toStdString();
    const std::string dest = m_dest->text().trimmed().toStdString();
    bool changed = false;
    if (source != m_params.SourceDrive) {
        m_params.SourceDrive =
            HasVariables(source) ? source : NormalizeDrive(FolderRoot(m_source->text()).toStdString());
        changed = true;
    }
    if (dest != m_params.DestDrive) {
        m_params.DestDrive = HasVariables(dest) ? dest : NormalizeDrive(FolderRoot(m_dest->text()).toStdString());
        // A run needs the destination's root; the folders below it it creates itself.
        if (!HasVariables(dest)) CreateFolder(QString::fromStdString(m_params.DestDrive));
        changed = true;
    }
    const std::optional<eProfileDirection> direction = ChosenDirection();
    // The direction is set again only when it was changed, or with the other settings: a synchronisation that
    // the user left alone keeps its own way of treating orphans.
    if (direction && (direction != ProfileDirectionOf(m_params) || SetOthers())) {
        SetProfileDirection(m_params, *direction);
        changed = true;
    }
    if (SetOthers()) {
        SetNewProfileOptions(m_params, direction.value_or(eProfileDirection::Backup));
        if (m_params.SearchDirectories.Empty()) m_params.SearchDirectories.Add("\\*");
        if (m_params.CompareFiles.Empty()) m_params.AddDefaultMask();
        changed = true;
    }
    if (changed) m_params.Modified = true;
    QDialog::accept();
}

void TExpressSetupDlg::done(int result) {
    m_params.WindowPositions[kPlace] = PlacementOf(*this);
    m_params.WriteSettings(kFirstWindowPosGroup + static_cast<int>(kPlace));
    QDialog::done(result);
}

cConfigResult RunExpressSetup(QWidget* parent, cParameters& params) {
    TExpressSetupDlg dialog(params, parent);
    cConfigResult result;
    result.Ok = dialog.exec() == QDialog::Accepted;
    result.RunNow = result.Ok && dialog.RunNow();
    result.SetOthers = result.Ok && dialog.SetOthers();
    return result;
}

} // namespace ui
