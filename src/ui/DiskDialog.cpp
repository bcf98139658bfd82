#include "ui/DiskDialog.h"

#include "platform/VolumeLabel.h"
#include "profile/Variables.h"
#include "ui/DestinationChecks.h"
#include "ui/DialogParts.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace ui {

namespace {

constexpr int kDestinationHelp = 4230;
const QString kWeekdayVariable = QStringLiteral("%DAYOFWEEK%");

} // namespace

std::string ReadDriveLabel(const std::string& drive, const platform::cDriveMap& drives) {
    const std::optional<std::string> root = platform::NativeRoot(ExpandVariables(drive), drives);
    if (!root) return {};
    return platform::VolumeLabel(*root).value_or(std::string());
}

TDiskDlg::TDiskDlg(cDiskSettings& settings, std::string drive, platform::cDriveMap drives, QWidget* parent)
    : QDialog(parent), m_settings(settings), m_drive(std::move(drive)), m_drives(std::move(drives)) {
    setObjectName(QStringLiteral("DiskDlg"));
    setWindowTitle(QStringLiteral("Datenträger"));

    m_checkLabel =
        NamedCheck("CheckLabelChk", QStringLiteral("&Bezeichnung prüfen:"), !settings.CheckLabel.empty(), this);
    m_checkLabel->setToolTip(QStringLiteral("Der Lauf beginnt nur, wenn der Zieldatenträger diese Bezeichnung trägt "
                                            "(ohne Rücksicht auf Groß- und Kleinschreibung)."));
    m_label = NamedEdit("LabelEdt", QString::fromStdString(settings.CheckLabel), this);
    m_label->setMinimumWidth(fontMetrics().averageCharWidth() * 36);
    m_label->setToolTip(QStringLiteral("Variablen wie %DAYOFWEEK% werden bei jedem Lauf ersetzt."));
    m_read = NamedButton("ReadBtn", QStringLiteral("&Lesen"), this);
    m_read->setToolTip(QStringLiteral("Übernimmt die Bezeichnung des Datenträgers, auf dem das Ziel jetzt liegt."));
    m_weekday = NamedButton("WeekdayBtn", QStringLiteral("&Wochentag"), this);
    m_weekday->setToolTip(QStringLiteral("Hängt %DAYOFWEEK% an: für sieben Datenträger, die nach den Wochentagen "
                                         "benannt sind."));
    connect(m_checkLabel, &QCheckBox::toggled, this, &TDiskDlg::UpdateEnabled);
    connect(m_read, &QPushButton::clicked, this, &TDiskDlg::ReadLabel);
    connect(m_weekday, &QPushButton::clicked, this, [this] { m_label->setText(m_label->text() + kWeekdayVariable); });

    m_offerFormat = NamedCheck("OfferFormatChk", QStringLiteral("&Formatierung anbieten"), settings.OfferFormat, this);
    m_offerFormat->setToolTip(QStringLiteral("Unter Linux bietet Tolvan keine Formatierung an; die Einstellung "
                                             "bleibt für Profile erhalten, die auch unter Windows laufen."));
    m_eject = NamedCheck("EjectDiskChk", QStringLiteral("Hinterher &auswerfen"), settings.EjectDisk, this);
    m_eject->setToolTip(QStringLiteral("Hängt den Zieldatenträger nach jedem Lauf aus und wirft ihn aus."));
    m_problem = ProblemLabel("ProblemLbl", this);

    auto* labelRow = new QHBoxLayout;
    labelRow->addWidget(m_checkLabel);
    labelRow->addWidget(m_label, 1);
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch(1);
    buttonRow->addWidget(m_read);
    buttonRow->addWidget(m_weekday);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(labelRow);
    layout->addLayout(buttonRow);
    layout->addWidget(m_problem);
    layout->addSpacing(6);
    layout->addWidget(m_offerFormat);
    layout->addWidget(m_eject);
    layout->addStretch(1);
    layout->addWidget(OkCancelHelp(this, kDestinationHelp));
    UpdateEnabled();
}

void TDiskDlg::UpdateEnabled() {
    const bool on = m_checkLabel->isChecked();
    m_label->setEnabled(on);
    m_read->setEnabled(on);
    m_weekday->setEnabled(on);
}

void TDiskDlg::ReadLabel() {
    m_label->setText(QString::fromStdString(ReadDriveLabel(m_drive, m_drives)));
}

void TDiskDlg::accept() {
    const bool check = m_checkLabel->isChecked();
    if (check && m_label->text().isEmpty()) {
        ShowProblem(m_problem, QStringLiteral("Bitte geben Sie die Bezeichnung an, die der Datenträger tragen muss, "
                                              "oder schalten Sie die Prüfung ab."));
        m_label->setFocus();
        FitHeight(this);
        return;
    }
    m_settings.CheckLabel = check ? m_label->text().toStdString() : std::string();
    m_settings.OfferFormat = m_offerFormat->isChecked();
    m_settings.EjectDisk = m_eject->isChecked();
    QDialog::accept();
}

} // namespace ui
