#include "ui/ProgramOptionsDialog.h"

#include "profile/Parameters.h"
#include "profile/SettingsGroups.h"
#include "ui/DialogParts.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace ui {

namespace {

constexpr int kProgramOptionsHelp = 4320;
constexpr int kMessageDisplay = 1;
constexpr int kPictureDisplay = 2;
constexpr int kBiorhythmDisplay = 3;
// Day 0 of the date-time values the settings file keeps.
const QDate kDayZero(1899, 12, 30);

QColor ColorOf(std::uint32_t colorRef) {
    return QColor(int(colorRef & 0xFF), int((colorRef >> 8) & 0xFF), int((colorRef >> 16) & 0xFF));
}

std::uint32_t ColorRefOf(const QColor& color) {
    return std::uint32_t(color.red()) | (std::uint32_t(color.green()) << 8) | (std::uint32_t(color.blue()) << 16);
}

QDate DateOf(double dateTime) {
    return kDayZero.addDays(static_cast<qint64>(std::trunc(dateTime)));
}

QString StartFolder(const QString& file) {
    return file.trimmed().isEmpty() ? QDir::homePath() : QFileInfo(file.trimmed()).absolutePath();
}

// A path field with its "..." button in one row.
QHBoxLayout* PathRow(QLineEdit* edit, QWidget* browse) {
    auto* row = new QHBoxLayout;
    row->addWidget(edit, 1);
    row->addWidget(browse);
    return row;
}

// A program the shell can start: a path to an executable file, or a name found on PATH.
bool IsProgram(const QString& program) {
    if (program.contains(QLatin1Char('/'))) {
        const QFileInfo info(program);
        return info.isFile() && info.isExecutable();
    }
    return !QStandardPaths::findExecutable(program).isEmpty();
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

TProgramOptionsDlg::TProgramOptionsDlg(cParameters& params, QWidget* parent)
    : QDialog(parent), m_params(params), m_original(params.Programm), m_options(params.Programm) {
    setObjectName(QStringLiteral("ProgramOptionsDlg"));
    setWindowTitle(QStringLiteral("Programmoptionen"));
    QWidget* start = StartBox();
    QWidget* display = DisplayBox();
    QWidget* compare = CompareBox();
    m_problem = ProblemLabel("ProblemLbl", this);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(start);
    layout->addWidget(display);
    layout->addWidget(compare);
    layout->addWidget(m_problem);
    layout->addStretch(1);
    layout->addWidget(OkCancelHelp(this, kProgramOptionsHelp));
    UpdateEnabled();
    if (!params.Programm.Tooltips) ClearToolTips(this);
}

QWidget* TProgramOptionsDlg::StartBox() {
    auto* box = new QGroupBox(QStringLiteral("Start"), this);
    m_splash = NamedCheck("SplashChk", QStringLiteral("&Splashscreen (das Bild bei Programmstart) zeigen"),
                          m_options.Splash, box);
    m_reopen = NamedCheck("ReopenChk", QStringLiteral("Zuletzt benutzte Datei beim Start wieder ö&ffnen"),
                          m_options.Reopen, box);
    m_lastFile = NamedEdit("LastFileEdt", QString::fromStdString(m_options.LastFile), box);
    m_lastFile->setToolTip(QStringLiteral("Das Profil oder die Batch-Datei, die zuletzt geöffnet oder gespeichert "
                                          "wurde."));
    auto* lastFileLabel = new QLabel(QStringLiteral("&Zuletzt benutzt:"), box);
    lastFileLabel->setBuddy(m_lastFile);
    m_tooltips = NamedCheck("TooltipsChk", QStringLiteral("&Tooltips zeigen"), m_options.Tooltips, box);
    m_tooltips->setToolTip(QStringLiteral("Kurze Erklärungen wie diese, wenn der Mauszeiger über einem Element "
                                          "steht."));
    connect(m_reopen, &QCheckBox::toggled, this, &TProgramOptionsDlg::UpdateEnabled);

    auto* lastFileRow = new QHBoxLayout;
    lastFileRow->addSpacing(fontMetrics().averageCharWidth() * 3);
    lastFileRow->addWidget(lastFileLabel);
    lastFileRow->addWidget(m_lastFile, 1);
    auto* column = new QVBoxLayout(box);
    column->addWidget(m_splash);
    column->addWidget(m_reopen);
    column->addLayout(lastFileRow);
    column->addWidget(m_tooltips);
    return box;
}

QWidget* TProgramOptionsDlg::DisplayBox() {
    auto* box = new QGroupBox(QStringLiteral("Das Hauptfenster zeigt"), this);
    const int display = m_options.MainDisplay;
    m_display = {NamedRadio("TasksRdo", QStringLiteral("T&ypische Aufgaben"), display == 0, box),
                 NamedRadio("MessageRdo", QStringLiteral("eine &Nachricht:"), display == kMessageDisplay, box),
                 NamedRadio("PictureRdo", QStringLiteral("ein &Bild:"), display == kPictureDisplay, box),
                 NamedRadio("BiorhythmRdo", QStringLiteral("den Bio&rhythmus, Geburtsdatum:"),
                            display == kBiorhythmDisplay, box),
                 NamedRadio("NothingRdo", QStringLiteral("ni&chts"), display > kBiorhythmDisplay, box)};
    for (QRadioButton* button : m_display)
        connect(button, &QRadioButton::toggled, this, &TProgramOptionsDlg::UpdateEnabled);

    m_messagePath = NamedEdit("MessagePathEdt", QString::fromStdString(m_options.MessagePath), box);
    m_messagePath->setMinimumWidth(fontMetrics().averageCharWidth() * 44);
    m_messagePath->setToolTip(QStringLiteral("Eine Datei mit formatiertem Text (RTF oder HTML)."));
    m_messageBrowse = BrowseButton("MessageBrowseBtn", box);
    m_messageBrowse->setToolTip(QStringLiteral("Nach Nachrichten-Datei durchsuchen"));
    connect(m_messageBrowse, &QToolButton::clicked, this, &TProgramOptionsDlg::BrowseMessage);
    m_picturePath = NamedEdit("PicturePathEdt", QString::fromStdString(m_options.PicturePath), box);
    m_pictureBrowse = BrowseButton("PictureBrowseBtn", box);
    m_pictureBrowse->setToolTip(QStringLiteral("Nach Bild durchsuchen"));
    connect(m_pictureBrowse, &QToolButton::clicked, this, &TProgramOptionsDlg::BrowsePicture);
    m_fitSize = NamedCheck("FitSizeChk", QStringLiteral("an die Fensterbreite an&passen"), m_options.FitSize, box);
    m_frameColor = NamedButton("FrameColorBtn", QStringLiteral("Rahmen&farbe..."), box);
    m_frameColor->setToolTip(QStringLiteral("Die Farbe um das Bild herum"));
    connect(m_frameColor, &QPushButton::clicked, this, &TProgramOptionsDlg::ChooseFrameColor);
    ShowFrameColor();
    m_birthDate = new QDateEdit(box);
    m_birthDate->setObjectName(QStringLiteral("BirthDateEdt"));
    m_birthDate->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    m_birthDate->setCalendarPopup(true);
    m_birthDate->setDate(DateOf(m_options.BirthDate));

    auto* pictureOptions = new QHBoxLayout;
    pictureOptions->addWidget(m_fitSize);
    pictureOptions->addWidget(m_frameColor);
    pictureOptions->addStretch(1);
    auto* grid = new QGridLayout(box);
    grid->addWidget(m_display[0], 0, 0);
    grid->addWidget(m_display[1], 1, 0);
    grid->addLayout(PathRow(m_messagePath, m_messageBrowse), 1, 1);
    grid->addWidget(m_display[2], 2, 0);
    grid->addLayout(PathRow(m_picturePath, m_pictureBrowse), 2, 1);
    grid->addLayout(pictureOptions, 3, 1);
    grid->addWidget(m_display[3], 4, 0);
    grid->addWidget(m_birthDate, 4, 1, Qt::AlignLeft);
    grid->addWidget(m_display[4], 5, 0);
    grid->setColumnStretch(1, 1);
    return box;
}

QWidget* TProgramOptionsDlg::CompareBox() {
    auto* box = new QGroupBox(QStringLiteral("Externes Vergleichsprogramm (Vorschau: \"Extern vergleichen\")"), this);
    m_compareA = NamedEdit("CompareAEdt", QString::fromStdString(m_options.CompareA), box);
    m_compareA->setToolTip(QStringLiteral("Ein Programm, das zwei Dateien vergleicht, z.B. meld oder kdiff3."));
    QToolButton* browse = BrowseButton("CompareBrowseBtn", box);
    browse->setToolTip(QStringLiteral("Nach Vergleichsprogramm durchsuchen"));
    connect(browse, &QToolButton::clicked, this, &TProgramOptionsDlg::BrowseCompare);
    m_compareB = NamedEdit("CompareBEdt", QString::fromStdString(m_options.CompareB), box);
    m_compareB->setToolTip(QStringLiteral("%1 steht für die Datei in der Quelle, %2 für die im Ziel."));
    auto* programLabel = new QLabel(QStringLiteral("Pr&ogramm:"), box);
    programLabel->setBuddy(m_compareA);
    auto* parametersLabel = new QLabel(QStringLiteral("Para&meter:"), box);
    parametersLabel->setBuddy(m_compareB);

    auto* grid = new QGridLayout(box);
    grid->addWidget(programLabel, 0, 0);
    grid->addLayout(PathRow(m_compareA, browse), 0, 1);
    grid->addWidget(parametersLabel, 1, 0);
    grid->addWidget(m_compareB, 1, 1);
    grid->setColumnStretch(1, 1);
    return box;
}

void TProgramOptionsDlg::BrowseMessage() {
    QFileDialog dialog(this, QStringLiteral("Nachricht"), StartFolder(m_messagePath->text()),
                       QStringLiteral("Nachrichten (*.rtf *.html *.htm);;Alle Dateien (*)"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
        m_messagePath->setText(dialog.selectedFiles().first());
}

void TProgramOptionsDlg::BrowsePicture() {
    QFileDialog dialog(this, QStringLiteral("Bild"), StartFolder(m_picturePath->text()),
                       QStringLiteral("Bilder (*.jpg *.jpeg *.png *.bmp *.gif);;Alle Dateien (*)"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
        m_picturePath->setText(dialog.selectedFiles().first());
}

void TProgramOptionsDlg::BrowseCompare() {
    // A bare name is looked up on PATH; with nothing to go by, programs are in /usr/bin.
    QString current = m_compareA->text().trimmed();
    if (!current.isEmpty() && !current.contains(QLatin1Char('/'))) current = QStandardPaths::findExecutable(current);
    const QString folder = current.isEmpty() ? QStringLiteral("/usr/bin") : StartFolder(current);
    QFileDialog dialog(this, QStringLiteral("Vergleichsprogramm"), folder, QStringLiteral("Alle Dateien (*)"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
        m_compareA->setText(dialog.selectedFiles().first());
}

void TProgramOptionsDlg::ChooseFrameColor() {
    QColorDialog dialog(ColorOf(m_options.FrameColor), this);
    dialog.setWindowTitle(QStringLiteral("Rahmenfarbe"));
    if (dialog.exec() != QDialog::Accepted) return;
    m_options.FrameColor = ColorRefOf(dialog.selectedColor());
    ShowFrameColor();
}

void TProgramOptionsDlg::ShowFrameColor() {
    const int side = fontMetrics().height();
    QPixmap swatch(side, side);
    swatch.fill(ColorOf(m_options.FrameColor));
    m_frameColor->setIcon(swatch);
}

int TProgramOptionsDlg::ChosenDisplay() const {
    for (std::size_t i = 0; i < m_display.size(); ++i)
        if (m_display[i]->isChecked()) return static_cast<int>(i);
    return 0;
}

void TProgramOptionsDlg::UpdateEnabled() {
    const int display = ChosenDisplay();
    m_lastFile->setEnabled(m_reopen->isChecked());
    m_messagePath->setEnabled(display == kMessageDisplay);
    m_messageBrowse->setEnabled(display == kMessageDisplay);
    for (QWidget* field : {static_cast<QWidget*>(m_picturePath), static_cast<QWidget*>(m_pictureBrowse),
                           static_cast<QWidget*>(m_fitSize), static_cast<QWidget*>(m_frameColor)})
        field->setEnabled(display == kPictureDisplay);
    m_birthDate->setEnabled(display == kBiorhythmDisplay);
}

QString TProgramOptionsDlg::Collect() {
    // Only what the user changed here is checked: settings that were already stored never block OK.
    const int display = ChosenDisplay();
    const bool displayChanged = display != std::min<int>(m_original.MainDisplay, 4);
    const QString messagePath = m_messagePath->text().trimmed();
    const QString picturePath = m_picturePath->text().trimmed();
    const QString compareA = m_compareA->text().trimmed();
    const QString compareB = m_compareB->text().trimmed();
    const auto changed = [](const QString& now, const std::string& before) {
        return now != QString::fromStdString(before);
    };
    const struct {
        int Display;
        const QString& Path;
        bool Changed;
        QLineEdit* Edit;
        QString Missing;
    } files[] = {
        {kMessageDisplay, messagePath, changed(messagePath, m_original.MessagePath), m_messagePath,
         QStringLiteral("Bitte geben Sie die Datei mit der Nachricht an.")},
        {kPictureDisplay, picturePath, changed(picturePath, m_original.PicturePath), m_picturePath,
         QStringLiteral("Bitte geben Sie die Datei mit dem Bild an.")},
    };
    for (const auto& file : files) {
        if (display != file.Display || !(displayChanged || file.Changed)) continue;
        file.Edit->setFocus();
        if (file.Path.isEmpty()) return file.Missing;
        if (!QFileInfo(file.Path).isFile()) return QStringLiteral("Die Datei \"%1\" gibt es nicht.").arg(file.Path);
    }
    const bool compareChanged = changed(compareA, m_original.CompareA) || changed(compareB, m_original.CompareB);
    if (!compareA.isEmpty() && compareChanged) {
        if (changed(compareA, m_original.CompareA) && !IsProgram(compareA)) {
            m_compareA->setFocus();
            return QStringLiteral("Das Vergleichsprogramm \"%1\" gibt es nicht, oder es ist nicht ausführbar.")
                .arg(compareA);
        }
        if (!compareB.contains(QStringLiteral("%1")) || !compareB.contains(QStringLiteral("%2"))) {
            m_compareB->setFocus();
            return QStringLiteral("Die Parameter des Vergleichsprogramms brauchen %1 und %2 für die beiden Dateien.");
        }
    }

    m_options.Splash = m_splash->isChecked();
    m_options.Reopen = m_reopen->isChecked();
    m_options.LastFile = m_lastFile->text().trimmed().toStdString();
    m_options.Tooltips = m_tooltips->isChecked();
    m_options.CompareA = compareA.toStdString();
    m_options.CompareB = compareB.toStdString();
    // A display number the program does not know shows nothing; it is kept unless another is chosen.
    if (displayChanged) m_options.MainDisplay = static_cast<std::uint8_t>(display);
    m_options.MessagePath = messagePath.toStdString();
    m_options.PicturePath = picturePath.toStdString();
    m_options.FitSize = m_fitSize->isChecked();
    if (m_birthDate->date() != DateOf(m_original.BirthDate))
        m_options.BirthDate = static_cast<double>(kDayZero.daysTo(m_birthDate->date()));
    return {};
}

void TProgramOptionsDlg::accept() {
    if (!ShowProblem(m_problem, Collect())) return;
    m_params.Programm = m_options;
    m_params.WriteSettings(kProgramOptionsGroup);
    QDialog::accept();
}

bool EditProgramOptions(QWidget* parent, cParameters& params) {
    TProgramOptionsDlg dialog(params, parent);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace ui
