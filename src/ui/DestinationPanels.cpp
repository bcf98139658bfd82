#include "ui/DestinationPanels.h"

#include "destinations/PathNames.h"
#include "profile/Parameters.h"
#include "profile/Variables.h"
#include "ui/DialogParts.h"
#include "ui/FtpPasswordDialog.h"
#include "ui/ServerTree.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace ui {

namespace {

QLineEdit* PasswordEdit(const char* name, const std::string& text, QWidget* parent) {
    QLineEdit* edit = NamedEdit(name, QString::fromStdString(text), parent);
    edit->setEchoMode(QLineEdit::Password);
    return edit;
}

QLabel* Caption(const QString& text, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

} // namespace

QSpinBox* NamedSpin(const char* name, int min, int max, int value, QWidget* parent) {
    auto* spin = new QSpinBox(parent);
    spin->setObjectName(QString::fromLatin1(name));
    spin->setRange(std::min(min, value), std::max(max, value));
    spin->setValue(value);
    return spin;
}

TArchivePanel::TArchivePanel(const cParameters& params, QWidget* parent)
    : QGroupBox(QStringLiteral("Zip-Archiv"), parent) {
    setObjectName(QStringLiteral("ArchivePnl"));
    auto* grid = new QGridLayout(this);
    QLineEdit* archive = NamedEdit("ArchiveEdt", QString::fromStdString(params.DestArchive), this);
    archive->setToolTip(QStringLiteral("Der Dateiname des Archivs im gewählten Verzeichnis, zum Beispiel "
                                       "Sicherung.zip. Variablen wie %YEAR% werden bei jedem Lauf ersetzt."));
    m_archive = AddNameRow(grid, 0, QStringLiteral("Ausgewähltes &Archiv:"), archive, "ArchiveBrowseBtn",
                           "ArchiveCheckBtn", "ArchiveProblemLbl");
    m_archive.Browse->setToolTip(QStringLiteral("Verfügbare Archive: die Zip-Archive im gewählten Verzeichnis"));

    m_compression = NamedSpin("ZipCompressionSpn", 0, 9, params.ZipCompression, this);
    m_compression->setToolTip(QStringLiteral("0 speichert ohne Kompression, 9 komprimiert am stärksten."));
    m_encrypt = NamedCheck("ZipEncryptChk", QStringLiteral("Verschl&üsseln"), params.ZipEncrypt, this);
    m_password = PasswordEdit("ZipPasswordEdt", params.ZipPassword, this);
    m_password->setToolTip(QStringLiteral("Leer: Tolvan fragt bei jedem Lauf nach dem Kennwort."));
    auto* options = new QHBoxLayout;
    options->addWidget(Caption(QStringLiteral("Kom&pression:"), m_compression, this));
    options->addWidget(m_compression);
    options->addSpacing(12);
    options->addWidget(m_encrypt);
    options->addWidget(Caption(QStringLiteral("&Kennwort:"), m_password, this));
    options->addWidget(m_password, 1);
    grid->addLayout(options, 2, 0, 1, 4);

    auto* temp = new QGroupBox(QStringLiteral("Das Archiv entsteht"), this);
    const int mode = static_cast<int>(params.ZipTempMode);
    m_tempModes = {
        NamedRadio("ZipTempArchiveRbt", QStringLiteral("im &gleichen Verzeichnis"), mode == 0, temp),
        NamedRadio("ZipTempSystemRbt", QStringLiteral("im temporären Verzeichnis des &Systems"), mode == 1, temp),
        NamedRadio("ZipTempLocationRbt", QStringLiteral("&in:"), mode == 2, temp)};
    m_tempModes[0]->setToolTip(QStringLiteral("Das neue Archiv entsteht neben dem alten und ersetzt es am Ende."));
    m_tempLocation = NamedEdit("ZipTempLocationEdt", QString::fromStdString(params.ZipTempLocation), temp);
    m_tempLocation->setToolTip(QStringLiteral("Ein Verzeichnis mit genug Platz für das ganze Archiv."));
    m_tempProblem = ProblemLabel("ZipTempProblemLbl", temp);
    auto* tempGrid = new QGridLayout(temp);
    tempGrid->addWidget(m_tempModes[0], 0, 0, 1, 2);
    tempGrid->addWidget(m_tempModes[1], 1, 0, 1, 2);
    tempGrid->addWidget(m_tempModes[2], 2, 0);
    tempGrid->addWidget(m_tempLocation, 2, 1);
    tempGrid->addWidget(m_tempProblem, 3, 1);
    tempGrid->setColumnStretch(1, 1);
    grid->addWidget(temp, 3, 0, 1, 4);

    m_addVariation = NamedCheck("ZipAddVariationChk", QStringLiteral("Variation an den Archiv&namen anhängen"),
                                params.ZipAddVariation, this);
    m_addVariation->setToolTip(QStringLiteral("Mit einer Variation heißt das Archiv zum Beispiel \"Sicherung "
                                              "Gerade.zip\", statt in einem Unterverzeichnis \"Gerade\" zu liegen."));
    grid->addWidget(m_addVariation, 4, 0, 1, 4);
    grid->setColumnStretch(1, 1);

    connect(m_encrypt, &QCheckBox::toggled, this, &TArchivePanel::UpdateEnabled);
    connect(m_tempModes[2], &QRadioButton::toggled, this, &TArchivePanel::UpdateEnabled);
    connect(archive, &QLineEdit::textChanged, this, &TArchivePanel::UpdateEnabled);
    UpdateEnabled();
}

QString TArchivePanel::ArchiveText() const {
    return m_archive.Edit->text();
}

void TArchivePanel::UpdateEnabled() {
    m_password->setEnabled(m_encrypt->isChecked());
    m_tempLocation->setEnabled(m_tempModes[2]->isChecked());
    m_archive.Check->setEnabled(!ArchiveText().isEmpty());
}

bool TArchivePanel::Validate() {
    const bool archive =
        ShowProblem(m_archive.Problem, DestinationNameProblem(eDestinationName::Archive, ArchiveText().toStdString()));
    const bool temp = ShowProblem(m_tempProblem, m_tempModes[2]->isChecked() && m_tempLocation->text().isEmpty()
                                                     ? QStringLiteral("Bitte geben Sie das Verzeichnis an, in dem das "
                                                                      "Archiv entstehen soll.")
                                                     : QString());
    if (!archive)
        m_archive.Edit->setFocus();
    else if (!temp)
        m_tempLocation->setFocus();
    return archive && temp;
}

void TArchivePanel::Store(cParameters& params) const {
    params.DestArchive = NormalizeArchiveName(ArchiveText().toStdString());
    params.ZipCompression = m_compression->value();
    params.ZipEncrypt = m_encrypt->isChecked();
    params.ZipPassword = m_password->text().toStdString();
    for (std::size_t i = 0; i < m_tempModes.size(); ++i)
        if (m_tempModes[i]->isChecked()) params.ZipTempMode = static_cast<eZipTempMode>(i);
    params.ZipTempLocation = m_tempLocation->text().toStdString();
    params.ZipAddVariation = m_addVariation->isChecked();
}

void TArchivePanel::StoreUnused(cParameters& params) const {
    params.DestArchive = ArchiveText().toStdString();
}

TServerPanel::TServerPanel(const cParameters& params, QWidget* parent)
    : QGroupBox(QStringLiteral("FTP-Server"), parent) {
    setObjectName(QStringLiteral("ServerPnl"));
    auto* grid = new QGridLayout(this);
    m_servers = new QComboBox(this);
    m_servers->setObjectName(QStringLiteral("ServerCbo"));
    m_servers->setEditable(true);
    m_servers->setInsertPolicy(QComboBox::NoInsert);
    for (const cTextItem& server : params.LastUsedServers)
        m_servers->addItem(QString::fromStdString(server.Text));
    m_servers->setEditText(QString::fromStdString(params.DestServer));
    m_servers->setToolTip(QStringLiteral("Der Name des Servers, zum Beispiel ftp.example.org; die Liste hält die "
                                         "zuletzt benutzten Server."));
    m_server = AddNameRow(grid, 0, QStringLiteral("Ausgewählter &Server:"), m_servers, nullptr, "ServerCheckBtn",
                          "ServerProblemLbl");

    m_port = NamedSpin("FtpPortSpn", 0, 65535, params.FtpPort, this);
    m_port->setToolTip(QStringLiteral("Üblich ist 21."));
    m_timeOut = NamedSpin("FtpTimeOutSpn", 0, 600, params.FtpTimeOut, this);
    m_timeOut->setSuffix(QStringLiteral(" s"));
    m_timeOut->setToolTip(QStringLiteral("So lange wartet Tolvan auf eine Antwort des Servers."));
    m_user = NamedEdit("FtpUserEdt", QString::fromStdString(params.FtpUserName), this);
    m_user->setToolTip(QStringLiteral("Benutzer und Kennwort leer: Tolvan fragt bei jeder Anmeldung danach."));
    m_password = PasswordEdit("FtpPasswordEdt", params.FtpPassword, this);
    auto* login = new QGridLayout;
    login->addWidget(Caption(QStringLiteral("Por&t:"), m_port, this), 0, 0);
    login->addWidget(m_port, 0, 1);
    login->addWidget(Caption(QStringLiteral("&Wartezeit:"), m_timeOut, this), 0, 2);
    login->addWidget(m_timeOut, 0, 3);
    login->addWidget(Caption(QStringLiteral("&Benutzer:"), m_user, this), 1, 0);
    login->addWidget(m_user, 1, 1);
    login->addWidget(Caption(QStringLiteral("&Kennwort:"), m_password, this), 1, 2);
    login->addWidget(m_password, 1, 3);
    login->setColumnStretch(1, 1);
    login->setColumnStretch(3, 1);
    grid->addLayout(login, 2, 0, 1, 4);

    m_read = NamedButton("ServerReadBtn", QStringLiteral("Verzeichnisse &lesen"), this);
    m_read->setToolTip(QStringLiteral("Meldet sich mit Port, Wartezeit, Benutzer und Kennwort beim Server an und "
                                      "zeigt seine Verzeichnisse."));
    m_stop = NamedButton("ServerStopBtn", QStringLiteral("&Abbrechen"), this);
    m_stop->setToolTip(QStringLiteral("Beendet das Lesen der Verzeichnisse."));
    m_stop->hide();
    m_readLine = new QLabel(this);
    m_readLine->setObjectName(QStringLiteral("ServerReadLbl"));
    m_readLine->setWordWrap(true);
    m_readLine->setTextFormat(Qt::PlainText);
    m_readLine->hide();
    // The buttons keep the width of their text; the line beside them takes the rest.
    m_read->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Fixed);
    m_stop->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Fixed);
    auto* readRow = new QHBoxLayout;
    readRow->addWidget(m_read, 0, Qt::AlignTop);
    readRow->addWidget(m_stop, 0, Qt::AlignTop);
    readRow->addWidget(m_readLine, 1);
    readRow->addStretch(0);
    grid->addLayout(readRow, 3, 0, 1, 4);

    m_tree = new TServerTree(this);
    m_tree->setMinimumHeight(m_tree->fontMetrics().height() * 7);
    grid->addWidget(m_tree, 4, 0, 1, 4);
    grid->setColumnStretch(1, 1);

    connect(m_read, &QPushButton::clicked, this, &TServerPanel::ReadTree);
    connect(m_stop, &QPushButton::clicked, this, &TServerPanel::StopReading);
    connect(m_tree, &TServerTree::ReadingChanged, this, &TServerPanel::ReadingChanged);
    connect(m_tree, &TServerTree::Failed, this,
            [this](const QString& line, const QString& dialogue) { ShowReadLine(line, true, dialogue); });
    auto update = [this] {
        m_server.Check->setEnabled(!ServerText().isEmpty());
        m_read->setEnabled(!ServerText().isEmpty());
    };
    connect(m_servers, &QComboBox::editTextChanged, this, update);
    // The folders shown belong to the server that was read.
    connect(m_servers, &QComboBox::editTextChanged, this, [this] {
        m_tree->Reset();
        ShowReadLine({}, false);
    });
    update();
}

void TServerPanel::AttachDirectory(QLineEdit* directory) {
    m_directory = directory;
    connect(m_tree, &TServerTree::DirectoryChosen, directory, &QLineEdit::setText);
}

void TServerPanel::ShowReadLine(const QString& text, bool failure, const QString& details) {
    m_failed = failure && !text.isEmpty();
    m_readLine->setText(text);
    m_readLine->setToolTip(details.isEmpty() ? QString() : QStringLiteral("Gespräch mit dem Server:\n") + details);
    m_readLine->setStyleSheet(m_failed ? QStringLiteral("color: #b00000;") : QString());
    m_readLine->setVisible(!text.isEmpty());
    // A wrapped line that appears must not squeeze the fields.
    if (auto* dialog = qobject_cast<QDialog*>(window())) FitHeight(dialog);
}

void TServerPanel::ReadTree() {
    const std::string host = ExpandVariables(NormalizeServer(ServerText().toStdString()));
    cFtpLogin account{m_user->text().toStdString(), m_password->text().toStdString()};
    // A profile without user or password asks at every login; what is typed is used for this login only.
    if (account.UserName.empty() || account.Password.empty()) {
        const std::optional<cFtpLogin> typed = AskFtpLogin(this, window()->windowTitle(), account);
        if (!typed) return;
        account = *typed;
    }
    cServerLogin login;
    login.Host = host;
    login.Port = static_cast<std::uint16_t>(m_port->value());
    login.UserName = account.UserName;
    login.Password = account.Password;
    login.TimeOut = m_timeOut->value();
    // The profile has no setting for the kind of data connection: passive works behind NAT and firewalls, and the
    // client goes passive anyway where the server refuses the other way.
    login.Passive = true;
    std::string target;
    if (m_directory) {
        target = ExpandVariables(NormalizeDirectory(m_directory->text().toStdString()));
        if (!IsValidDirectory(target)) target.clear();
    }
    m_tree->Start(login, target);
}

void TServerPanel::StopReading() {
    const bool reading = m_tree->Reading();
    m_tree->Stop();
    if (reading) ShowReadLine(QStringLiteral("Das Lesen der Verzeichnisse wurde abgebrochen."), false);
}

void TServerPanel::ReadingChanged(bool reading) {
    const bool hadFocus = m_read->hasFocus() || m_stop->hasFocus();
    m_read->setVisible(!reading);
    m_stop->setVisible(reading);
    if (hadFocus) (reading ? m_stop : m_read)->setFocus();
    if (reading)
        ShowReadLine(QStringLiteral("Die Verzeichnisse werden gelesen..."), false);
    else if (!m_failed)
        ShowReadLine({}, false);
}

QString TServerPanel::ServerText() const {
    return m_servers->currentText();
}

bool TServerPanel::Validate() {
    const bool ok =
        ShowProblem(m_server.Problem, DestinationNameProblem(eDestinationName::Server, ServerText().toStdString()));
    if (!ok) m_servers->setFocus();
    return ok;
}

void TServerPanel::Store(cParameters& params) const {
    params.DestServer = NormalizeServer(ServerText().toStdString());
    params.FtpPort = static_cast<std::uint16_t>(m_port->value());
    params.FtpTimeOut = m_timeOut->value();
    params.FtpUserName = m_user->text().toStdString();
    params.FtpPassword = m_password->text().toStdString();
    // A sorted list that ignores duplicates: the server takes its place unless it is there already.
    params.LastUsedServers.Add(params.DestServer);
}

void TServerPanel::StoreUnused(cParameters& params) const {
    params.DestServer = ServerText().toStdString();
}

} // namespace ui
