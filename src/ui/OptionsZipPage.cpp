// "Zip": how a zip archive destination is packed: compression, where it is built, the password, and whether the
// destination's variation goes into the archive's name.
#include "profile/Parameters.h"
#include "ui/DialogParts.h"
#include "ui/OptionsPages.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QVBoxLayout>

namespace ui {

namespace {

class cZipPage : public cOptionsPage {
public:
    cZipPage(const cParameters& params, QWidget* parent)
        : cOptionsPage("ZipPage", QStringLiteral("Zip"), parent), m_compression(params.ZipCompression),
          m_tempMode(params.ZipTempMode) {
        m_slider = new QSlider(Qt::Horizontal, this);
        m_slider->setObjectName(QStringLiteral("ZipCompressionSld"));
        m_slider->setRange(0, 9);
        m_slider->setPageStep(1);
        m_slider->setTickPosition(QSlider::TicksBelow);
        m_slider->setTickInterval(1);
        m_slider->setValue(params.ZipCompression);
        m_slider->setToolTip(QStringLiteral("Höhere Kompression spart Platz und kostet Zeit."));
        auto* compressionRow = new QHBoxLayout;
        compressionRow->addWidget(new QLabel(QStringLiteral("keine"), this));
        compressionRow->addWidget(m_slider, 1);
        compressionRow->addWidget(new QLabel(QStringLiteral("maximal"), this));

        auto* temp = new QGroupBox(QStringLiteral("Pfad, wo das Zip-Archiv aufgebaut wird:"), this);
        m_archivePath = NamedRadio("ZipTempArchiveRdo", QStringLiteral("&Selber Pfad wie das Zip-Archiv"),
                                   params.ZipTempMode == eZipTempMode::ArchivePath, temp);
        m_systemTemp = NamedRadio("ZipTempSystemRdo", QStringLiteral("Systemverzeichnis für &temporäre Dateien"),
                                  params.ZipTempMode == eZipTempMode::SystemTemp, temp);
        m_location = NamedRadio("ZipTempLocationRdo", QStringLiteral("&Dieses Verzeichnis:"),
                                params.ZipTempMode == eZipTempMode::TempLocation, temp);
        auto* group = new QButtonGroup(this);
        for (QRadioButton* button : {m_archivePath, m_systemTemp, m_location})
            group->addButton(button);
        m_locationEdit = NamedEdit("ZipTempLocationEdt", QString::fromStdString(params.ZipTempLocation), temp);
        m_browse = NamedButton("ZipTempLocationBtn", QStringLiteral("..."), temp);
        m_browse->setToolTip(QStringLiteral("Verzeichnis wählen"));
        connect(m_browse, &QPushButton::clicked, this, [this] {
            const QString chosen =
                QFileDialog::getExistingDirectory(this, QStringLiteral("Verzeichnis wählen"), m_locationEdit->text());
            if (!chosen.isEmpty()) m_locationEdit->setText(chosen);
        });
        m_locationProblem = ProblemLabel("ZipTempLocationProblem", temp);
        auto* tempGrid = new QGridLayout(temp);
        tempGrid->addWidget(m_archivePath, 0, 0, 1, 3);
        tempGrid->addWidget(m_systemTemp, 1, 0, 1, 3);
        tempGrid->addWidget(m_location, 2, 0);
        tempGrid->addWidget(m_locationEdit, 2, 1);
        tempGrid->addWidget(m_browse, 2, 2);
        tempGrid->addWidget(m_locationProblem, 3, 0, 1, 3);
        tempGrid->setColumnStretch(1, 1);

        m_encrypt = NamedCheck("ZipEncryptChk", QStringLiteral("&Ver-/Entschlüsseln"), params.ZipEncrypt, this);
        m_password = NamedEdit("ZipPasswordEdt", QString::fromStdString(params.ZipPassword), this);
        m_password->setEchoMode(QLineEdit::Password);
        m_password->setToolTip(QStringLiteral("Ohne Kennwort fragt Tolvan bei jedem Lauf danach."));
        auto* passwordRow = new QHBoxLayout;
        passwordRow->addSpacing(m_encrypt->fontMetrics().height() + 6);
        passwordRow->addWidget(BuddyLabel(QStringLiteral("&Kennwort:"), m_password, this));
        passwordRow->addWidget(m_password, 1);
        m_addVariation =
            NamedCheck("ZipAddVariationChk", QStringLiteral("V&ariation des Ziels an Namen des Zip-Archivs anhängen"),
                       params.ZipAddVariation, this);

        auto* column = new QVBoxLayout(this);
        column->addWidget(BuddyLabel(QStringLiteral("Kompressions&rate:"), m_slider, this));
        column->addLayout(compressionRow);
        column->addWidget(temp);
        column->addWidget(m_encrypt);
        column->addLayout(passwordRow);
        column->addWidget(m_addVariation);
        column->addStretch();

        connect(m_slider, &QSlider::valueChanged, this, [this] { m_sliderMoved = true; });
        connect(m_encrypt, &QCheckBox::toggled, m_password, &QLineEdit::setEnabled);
        for (QRadioButton* button : {m_archivePath, m_systemTemp, m_location})
            connect(button, &QRadioButton::toggled, this, &cZipPage::UpdateEnabled);
        m_password->setEnabled(m_encrypt->isChecked());
        UpdateEnabled();
    }

    bool Check() override {
        const bool missing = m_location->isChecked() && m_locationEdit->text().trimmed().isEmpty();
        return ShowProblem(m_locationProblem, missing ? QStringLiteral("Bitte das Verzeichnis angeben, in dem das "
                                                                       "Zip-Archiv aufgebaut wird.")
                                                      : QString());
    }

    void Store(cParameters& params) const override {
        // A rate outside 0..9 from a damaged file stays unless the slider was moved.
        params.ZipCompression = m_sliderMoved ? m_slider->value() : m_compression;
        if (m_archivePath->isChecked())
            params.ZipTempMode = eZipTempMode::ArchivePath;
        else if (m_systemTemp->isChecked())
            params.ZipTempMode = eZipTempMode::SystemTemp;
        else if (m_location->isChecked())
            params.ZipTempMode = eZipTempMode::TempLocation;
        else
            params.ZipTempMode = m_tempMode;
        params.ZipTempLocation = m_locationEdit->text().toStdString();
        params.ZipEncrypt = m_encrypt->isChecked();
        params.ZipPassword = m_password->text().toStdString();
        params.ZipAddVariation = m_addVariation->isChecked();
    }

private:
    void UpdateEnabled() {
        m_locationEdit->setEnabled(m_location->isChecked());
        m_browse->setEnabled(m_location->isChecked());
    }

    int m_compression;
    eZipTempMode m_tempMode;
    bool m_sliderMoved = false;
    QSlider* m_slider = nullptr;
    QRadioButton* m_archivePath = nullptr;
    QRadioButton* m_systemTemp = nullptr;
    QRadioButton* m_location = nullptr;
    QLineEdit* m_locationEdit = nullptr;
    QPushButton* m_browse = nullptr;
    QLabel* m_locationProblem = nullptr;
    QCheckBox* m_encrypt = nullptr;
    QLineEdit* m_password = nullptr;
    QCheckBox* m_addVariation = nullptr;
};

} // namespace

cOptionsPage* MakeZipPage(const cParameters& params, QWidget* parent) {
    return new cZipPage(params, parent);
}

} // namespace ui
