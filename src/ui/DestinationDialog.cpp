#include "ui/DestinationDialog.h"

#include "destinations/PathNames.h"
#include "platform/Roots.h"
#include "profile/Parameters.h"
#include "profile/Variables.h"
#include "ui/DestinationPanels.h"
#include "ui/DialogParts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace ui {

namespace {

constexpr int kDestinationHelp = 4230;

const char* const kVariationNames[] = {"Fest",           "Kalendardatum", "Wochentag", "Gerade / ungerade",
                                       "3 Generationen", "Benutzername"};

std::string Text(const cNameRow& row) {
    return row.Edit->text().toStdString();
}

} // namespace

TDestinationDlg::TDestinationDlg(cParameters& params, QWidget* parent)
    : QDialog(parent), m_params(params), m_disk{params.CheckLabel, params.OfferFormat, params.EjectDisk} {
    setObjectName(QStringLiteral("DestinationDlg"));
    setWindowTitle(QStringLiteral("Ziel"));

    auto* kindBox = new QGroupBox(QStringLiteral("Art des Ziels"), this);
    const auto kind = static_cast<int>(params.DestType);
    m_kinds = {NamedRadio("DirectoryRbt", QStringLiteral("&Verzeichnis"), kind == 0, kindBox),
               NamedRadio("ZipRbt", QStringLiteral("&Zip-Archiv"), kind == 1, kindBox),
               NamedRadio("FtpRbt", QStringLiteral("&FTP-Server"), kind == 2, kindBox)};
    m_kinds[0]->setToolTip(QStringLiteral("Ein Verzeichnis auf einer Festplatte, einem Wechseldatenträger oder einer "
                                          "Netzwerkfreigabe"));
    m_kinds[1]->setToolTip(QStringLiteral("Ein Zip-Archiv, wahlweise verschlüsselt"));
    m_kinds[2]->setToolTip(QStringLiteral("Ein Verzeichnis auf einem FTP-Server"));
    auto* kindRow = new QHBoxLayout(kindBox);
    for (QRadioButton* button : m_kinds) {
        kindRow->addWidget(button);
        connect(button, &QRadioButton::toggled, this, [this](bool on) {
            if (!on) return;
            ShowKind();
            adjustSize();
        });
    }
    kindRow->addStretch(1);

    m_drivePanel = new QGroupBox(QStringLiteral("Laufwerk"), this);
    m_drivePanel->setObjectName(QStringLiteral("DrivePnl"));
    auto* driveGrid = new QGridLayout(m_drivePanel);
    m_drive = AddNameRow(driveGrid, 0, QStringLiteral("Ausgewähltes &Laufwerk:"),
                         NamedEdit("DriveEdt", QString::fromStdString(params.DestDrive), m_drivePanel),
                         "DriveBrowseBtn", "DriveCheckBtn", "DriveProblemLbl");
    m_drive.Edit->setToolTip(QStringLiteral("Das Stammverzeichnis des Ziels, zum Beispiel /media/usb oder "
                                            "/mnt/nas. Variablen wie %USERNAME% werden bei jedem Lauf ersetzt."));
    m_drive.Browse->setToolTip(QStringLiteral("Verfügbare Laufwerke: ein Stammverzeichnis wählen"));
    driveGrid->setColumnStretch(1, 1);

    // Created in the order of the layout, which is the order of the tab key.
    m_server = new TServerPanel(params, this);

    auto* directoryPanel = new QGroupBox(QStringLiteral("Verzeichnis"), this);
    directoryPanel->setObjectName(QStringLiteral("DirectoryPnl"));
    auto* directoryGrid = new QGridLayout(directoryPanel);
    m_directory = AddNameRow(directoryGrid, 0, QStringLiteral("Ausgewähltes Verzei&chnis:"),
                             NamedEdit("DirectoryEdt", QString::fromStdString(params.DestDirectory), directoryPanel),
                             "DirectoryBrowseBtn", "DirectoryCheckBtn", "DirectoryProblemLbl");
    m_directory.Edit->setToolTip(QStringLiteral("Das Verzeichnis unter dem Laufwerk (beim FTP-Server unter seinem "
                                                "Stammverzeichnis), zum Beispiel \\Sicherung\\. \\ allein ist das "
                                                "Laufwerk selbst."));
    m_directory.Browse->setToolTip(QStringLiteral("Ein Verzeichnis auf dem Laufwerk wählen"));
    directoryGrid->setColumnStretch(1, 1);
    m_server->AttachDirectory(m_directory.Edit);

    m_archive = new TArchivePanel(params, this);

    m_variation = new QComboBox(this);
    m_variation->setObjectName(QStringLiteral("VariationCbo"));
    for (const char* name : kVariationNames)
        m_variation->addItem(QString::fromUtf8(name));
    m_variation->setCurrentIndex(params.Variation < std::size(kVariationNames) ? params.Variation : 0);
    m_variation->setToolTip(QStringLiteral("Eine Variation lässt das Ziel von Lauf zu Lauf wechseln, so dass "
                                           "mehrere Sicherungen nebeneinander liegen."));
    auto* variationCaption = new QLabel(QStringLiteral("Va&riation:"), this);
    variationCaption->setBuddy(m_variation);
    m_eightThree = NamedCheck("EightThreeChk", QStringLiteral("&8.3-kompatibel"), params.EightThree, this);
    m_eightThree->setToolTip(QStringLiteral("Die Namen der Variation bleiben kurz: höchstens acht Zeichen."));
    connect(m_variation, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index <= 0) m_eightThree->setChecked(false);
        UpdateEnabled();
    });
    m_diskButton = NamedButton("DiskBtn", QStringLiteral("&Datenträger..."), this);
    m_diskButton->setToolTip(QStringLiteral("Bezeichnung des Datenträgers prüfen, auswerfen"));
    connect(m_diskButton, &QPushButton::clicked, this, &TDestinationDlg::EditDisk);
    auto* variationRow = new QHBoxLayout;
    variationRow->addWidget(variationCaption);
    variationRow->addWidget(m_variation);
    variationRow->addWidget(m_eightThree);
    variationRow->addStretch(1);
    variationRow->addWidget(m_diskButton);

    connect(m_drive.Browse, &QToolButton::clicked, this, &TDestinationDlg::BrowseDrive);
    connect(m_directory.Browse, &QToolButton::clicked, this, &TDestinationDlg::BrowseDirectory);
    connect(m_archive->ArchiveRow().Browse, &QToolButton::clicked, this, &TDestinationDlg::BrowseArchive);
    connect(m_drive.Check, &QPushButton::clicked, this,
            [this] { CheckDestinationName(this, m_params.Warnings(), eDestinationName::Drive, Text(m_drive)); });
    connect(m_directory.Check, &QPushButton::clicked, this, [this] {
        CheckDestinationName(this, m_params.Warnings(), eDestinationName::Directory, Text(m_directory));
    });
    connect(m_archive->ArchiveRow().Check, &QPushButton::clicked, this, [this] {
        CheckDestinationName(this, m_params.Warnings(), eDestinationName::Archive,
                             m_archive->ArchiveText().toStdString());
    });
    connect(m_server->ServerRow().Check, &QPushButton::clicked, this, [this] {
        CheckDestinationName(this, m_params.Warnings(), eDestinationName::Server, m_server->ServerText().toStdString());
    });
    connect(m_drive.Edit, &QLineEdit::textChanged, this, &TDestinationDlg::UpdateEnabled);
    connect(m_directory.Edit, &QLineEdit::textChanged, this, &TDestinationDlg::UpdateEnabled);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(kindBox);
    layout->addWidget(m_drivePanel);
    layout->addWidget(m_server);
    layout->addWidget(directoryPanel);
    layout->addWidget(m_archive);
    layout->addLayout(variationRow);
    layout->addStretch(1);
    layout->addWidget(OkCancelHelp(this, kDestinationHelp));
    ShowKind();
}

eDestType TDestinationDlg::Kind() const {
    if (m_kinds[1]->isChecked()) return eDestType::Zip;
    if (m_kinds[2]->isChecked()) return eDestType::Ftp;
    return eDestType::Directory;
}

void TDestinationDlg::ShowKind() {
    const eDestType kind = Kind();
    m_drivePanel->setVisible(kind != eDestType::Ftp);
    m_server->setVisible(kind == eDestType::Ftp);
    m_archive->setVisible(kind == eDestType::Zip);
    UpdateEnabled();
}

void TDestinationDlg::UpdateEnabled() {
    const bool ftp = Kind() == eDestType::Ftp;
    m_drive.Check->setEnabled(!m_drive.Edit->text().isEmpty());
    m_directory.Check->setEnabled(!m_directory.Edit->text().isEmpty());
    // On a server the folders are chosen in the server panel's tree.
    m_directory.Browse->setEnabled(!ftp);
    m_eightThree->setEnabled(m_variation->currentIndex() > 0);
    // Label, format and eject concern a disk of this machine.
    m_diskButton->setEnabled(!ftp);
}

std::optional<std::string> TDestinationDlg::NativeDriveRoot() {
    const std::string drive = ExpandVariables(NormalizeDrive(Text(m_drive)));
    std::optional<std::string> root = platform::NativeRoot(drive, m_params.Drives);
    ShowProblem(m_drive.Problem, root ? QString()
                                      : QStringLiteral("Das Laufwerk „%1“ ist nicht bereit: bitte zuerst ein "
                                                       "Stammverzeichnis wie /media/usb angeben.")
                                            .arg(QString::fromStdString(drive)));
    FitHeight(this);
    return root;
}

void TDestinationDlg::BrowseDrive() {
    QString start = QDir::homePath();
    if (auto root = platform::NativeRoot(ExpandVariables(NormalizeDrive(Text(m_drive))), m_params.Drives))
        start = QString::fromStdString(*root);
    const QString chosen = QFileDialog::getExistingDirectory(this, QStringLiteral("Laufwerk des Ziels"), start);
    if (!chosen.isEmpty()) m_drive.Edit->setText(chosen);
}

void TDestinationDlg::BrowseDirectory() {
    const std::optional<std::string> root = NativeDriveRoot();
    if (!root) return;
    const std::string directory = ExpandVariables(NormalizeDirectory(Text(m_directory)));
    const QString chosen = QFileDialog::getExistingDirectory(
        this, QStringLiteral("Verzeichnis des Ziels"), QString::fromStdString(platform::NativePath(*root, directory)));
    if (chosen.isEmpty()) return;
    const std::optional<std::string> relative = platform::InternalRelative(*root, chosen.toStdString());
    if (!relative) {
        ShowProblem(m_directory.Problem,
                    QStringLiteral("„%1“ liegt nicht auf dem Laufwerk %2.").arg(chosen, QString::fromStdString(*root)));
        FitHeight(this);
        return;
    }
    ShowProblem(m_directory.Problem, {});
    m_directory.Edit->setText(QString::fromStdString(NormalizeDirectory(*relative)));
}

void TDestinationDlg::BrowseArchive() {
    const std::optional<std::string> root = NativeDriveRoot();
    if (!root) return;
    const std::string directory = ExpandVariables(NormalizeDirectory(Text(m_directory)));
    const QString chosen = QFileDialog::getOpenFileName(this, QStringLiteral("Verfügbare Archive"),
                                                        QString::fromStdString(platform::NativePath(*root, directory)),
                                                        QStringLiteral("Zip-Archive (*.zip)"));
    if (chosen.isEmpty()) return;
    const QFileInfo file(chosen);
    m_archive->ArchiveRow().Edit->setText(file.fileName());
    // An archive in another directory of the drive moves the destination there.
    if (const auto relative = platform::InternalRelative(*root, file.absolutePath().toStdString()))
        m_directory.Edit->setText(QString::fromStdString(NormalizeDirectory(*relative)));
}

void TDestinationDlg::EditDisk() {
    TDiskDlg dialog(m_disk, Text(m_drive), m_params.Drives, this);
    dialog.exec();
}

bool TDestinationDlg::Validate() {
    const eDestType kind = Kind();
    bool ok = true;
    // Checked from the bottom up, so that the first field with a problem ends up with the focus.
    if (kind == eDestType::Zip) ok = m_archive->Validate() && ok;
    const bool directory =
        ShowProblem(m_directory.Problem, DestinationNameProblem(eDestinationName::Directory, Text(m_directory)));
    if (!directory) m_directory.Edit->setFocus();
    ok = directory && ok;
    if (kind == eDestType::Ftp) {
        ok = m_server->Validate() && ok;
    } else {
        const bool drive = ShowProblem(m_drive.Problem, DestinationNameProblem(eDestinationName::Drive, Text(m_drive)));
        if (!drive) m_drive.Edit->setFocus();
        ok = drive && ok;
    }
    return ok;
}

void TDestinationDlg::Store() {
    const eDestType kind = Kind();
    cParameters& p = m_params;
    p.DestType = kind;
    p.DestDrive = kind == eDestType::Ftp ? Text(m_drive) : NormalizeDrive(Text(m_drive));
    p.DestDirectory = NormalizeDirectory(Text(m_directory));
    if (kind == eDestType::Zip)
        m_archive->Store(p);
    else
        m_archive->StoreUnused(p);
    if (kind == eDestType::Ftp)
        m_server->Store(p);
    else
        m_server->StoreUnused(p);
    p.Variation = static_cast<std::uint8_t>(m_variation->currentIndex());
    p.EightThree = m_eightThree->isChecked();
    p.CheckLabel = m_disk.CheckLabel;
    p.OfferFormat = m_disk.OfferFormat;
    p.EjectDisk = m_disk.EjectDisk;
}

void TDestinationDlg::done(int result) {
    // A reading of the server must not outlive the dialog's purpose, nor keep the server waiting.
    m_server->StopReading();
    QDialog::done(result);
}

void TDestinationDlg::accept() {
    if (!Validate()) {
        FitHeight(this);
        return;
    }
    Store();
    QDialog::accept();
}

bool EditDestination(QWidget* parent, cParameters& params) {
    TDestinationDlg dialog(params, parent);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace ui
