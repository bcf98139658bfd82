#include "ui/PreviewDialog.h"

#include "profile/Parameters.h"
#include "ui/DialogParts.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <utility>

namespace ui {

namespace {

constexpr int kPreviewOptionsHelp = 4270;

// The filter boxes in the order the dialog shows them, with the flag each one edits.
struct cFilterBox {
    const char* Name;
    const char* Text;
    bool cPreviewParameters::*Flag;
};
constexpr std::array<cFilterBox, 7> kFilterBoxes = {{
    {"DoubleFilterChk", "Doppelte Änderungen", &cPreviewParameters::DoubleFilter},
    {"SizesFilterChk", "Größenunterschiede", &cPreviewParameters::SizesFilter},
    {"PropertiesFilterChk", "Unterschiedliche Eigenschaften", &cPreviewParameters::PropertiesFilter},
    {"ForwardFilterChk", "Vorwärts", &cPreviewParameters::ForwardFilter},
    {"SkipFilterChk", "Überspringen", &cPreviewParameters::SkipFilter},
    {"DeleteFilterChk", "Löschen", &cPreviewParameters::DeleteFilter},
    {"BackwardFilterChk", "Rückwärts", &cPreviewParameters::BackwardFilter},
}};

struct cColourLine {
    const char* Prefix; // object names: Prefix + "SystemChk", Prefix + "ColorBtn"
    const char* Text;
};
constexpr std::array<cColourLine, 6> kColourLines = {{{"Block1", "Block 1:"},
                                                      {"Block2", "Block 2:"},
                                                      {"Forward", "Vorwärts:"},
                                                      {"Skip", "Überspringen:"},
                                                      {"Delete", "Löschen:"},
                                                      {"Backward", "Rückwärts:"}}};

QColor FromColorRef(std::uint32_t value) {
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>((value >> 16) & 0xFF));
}

std::uint32_t ToColorRef(const QColor& colour) {
    return static_cast<std::uint32_t>(colour.red()) | (static_cast<std::uint32_t>(colour.green()) << 8) |
           (static_cast<std::uint32_t>(colour.blue()) << 16);
}

void ShowSwatch(QPushButton* button, std::uint32_t value, bool system) {
    const QColor colour = FromColorRef(value);
    button->setStyleSheet(system ? QString()
                                 : QStringLiteral("QPushButton { background-color: %1; color: %2; }")
                                       .arg(colour.name(), colour.lightness() < 128 ? "white" : "black"));
}

} // namespace

bool EditPreviewOptions(QWidget* parent, cParameters& params) {
    TPreviewDlg dialog(params.Preview, parent);
    if (dialog.exec() != QDialog::Accepted) return false;
    params.Preview = dialog.Values();
    return true;
}

TPreviewDlg::TPreviewDlg(const cPreviewParameters& values, QWidget* parent)
    : QDialog(parent), m_start(values), m_fontName(QString::fromStdString(values.FontName)),
      m_fontSize(values.FontSize) {
    setObjectName(QStringLiteral("PreviewDlg"));
    setWindowTitle(QStringLiteral("Übersicht"));

    auto* folders = new QGroupBox(QStringLiteral("Ordner"), this);
    m_open = new QRadioButton(QStringLiteral("Offen"), folders);
    m_open->setObjectName(QStringLiteral("OpenRbt"));
    m_closed = new QRadioButton(QStringLiteral("Geschlossen"), folders);
    m_closed->setObjectName(QStringLiteral("ClosedRbt"));
    (values.OpenFolders ? m_open : m_closed)->setChecked(true);
    auto* foldersColumn = new QVBoxLayout(folders);
    foldersColumn->addWidget(m_open);
    foldersColumn->addWidget(m_closed);

    auto* lines = new QGroupBox(QStringLiteral("Zeilen"), this);
    m_oneLine = new QRadioButton(QStringLiteral("Einzeilig"), lines);
    m_oneLine->setObjectName(QStringLiteral("OneLineRbt"));
    m_twoLines = new QRadioButton(QStringLiteral("Zweizeilig"), lines);
    m_twoLines->setObjectName(QStringLiteral("TwoLinesRbt"));
    (values.OneLine ? m_oneLine : m_twoLines)->setChecked(true);
    auto* linesColumn = new QVBoxLayout(lines);
    linesColumn->addWidget(m_oneLine);
    linesColumn->addWidget(m_twoLines);

    auto* filters = new QGroupBox(QStringLiteral("Filter"), this);
    auto* filtersColumn = new QVBoxLayout(filters);
    for (std::size_t i = 0; i < kFilterBoxes.size(); ++i) {
        m_filters[i] = new QCheckBox(QString::fromUtf8(kFilterBoxes[i].Text), filters);
        m_filters[i]->setObjectName(QString::fromLatin1(kFilterBoxes[i].Name));
        m_filters[i]->setChecked(values.*kFilterBoxes[i].Flag);
        filtersColumn->addWidget(m_filters[i]);
    }

    m_forcePaths = new QCheckBox(QStringLiteral("Pfade immer zeigen"), this);
    m_forcePaths->setObjectName(QStringLiteral("ForcePathsChk"));
    m_forcePaths->setChecked(values.ForcePaths);

    auto* font = new QPushButton(QStringLiteral("Schriftart..."), this);
    font->setObjectName(QStringLiteral("FontBtn"));
    font->setAutoDefault(false);
    connect(font, &QPushButton::clicked, this, &TPreviewDlg::PickFont);
    m_sample = new QLabel(this);
    m_sample->setObjectName(QStringLiteral("FontSampleLbl"));
    m_sample->setFrameShape(QFrame::StyledPanel);
    m_sample->setMinimumHeight(fontMetrics().height() * 3);
    m_sample->setAlignment(Qt::AlignCenter);
    auto* fontRow = new QHBoxLayout;
    fontRow->addWidget(font);
    fontRow->addWidget(m_sample, 1);

    auto* left = new QVBoxLayout;
    left->addWidget(folders);
    left->addWidget(lines);
    left->addWidget(filters);
    left->addStretch(1);
    auto* right = new QVBoxLayout;
    right->addWidget(BuildColours());
    right->addWidget(m_forcePaths);
    right->addLayout(fontRow);
    right->addStretch(1);
    auto* columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addLayout(right, 1);

    QDialogButtonBox* buttons = OkCancelHelp(this, kPreviewOptionsHelp);

    auto* column = new QVBoxLayout(this);
    column->addLayout(columns);
    column->addWidget(buttons);
    UpdateSample();
}

QWidget* TPreviewDlg::BuildColours() {
    static constexpr std::array<std::pair<bool cPreviewParameters::*, std::uint32_t cPreviewParameters::*>, 6>
        kMembers = {{{&cPreviewParameters::Block1System, &cPreviewParameters::Block1Color},
                     {&cPreviewParameters::Block2System, &cPreviewParameters::Block2Color},
                     {&cPreviewParameters::ForwardSystem, &cPreviewParameters::ForwardColor},
                     {&cPreviewParameters::SkipSystem, &cPreviewParameters::SkipColor},
                     {&cPreviewParameters::DeleteSystem, &cPreviewParameters::DeleteColor},
                     {&cPreviewParameters::BackwardSystem, &cPreviewParameters::BackwardColor}}};
    auto* box = new QGroupBox(QStringLiteral("Farben"), this);
    auto* grid = new QGridLayout(box);
    for (std::size_t i = 0; i < m_colours.size(); ++i) {
        cColourRow& row = m_colours[i];
        row.System = kMembers[i].first;
        row.Colour = kMembers[i].second;
        row.Value = m_start.*row.Colour;
        const QString prefix = QString::fromLatin1(kColourLines[i].Prefix);
        row.SystemBox = new QCheckBox(QStringLiteral("System"), box);
        row.SystemBox->setObjectName(prefix + QStringLiteral("SystemChk"));
        row.SystemBox->setChecked(m_start.*row.System);
        row.ColourButton = new QPushButton(QStringLiteral("Farbe..."), box);
        row.ColourButton->setObjectName(prefix + QStringLiteral("ColorBtn"));
        row.ColourButton->setAutoDefault(false);
        row.ColourButton->setEnabled(!row.SystemBox->isChecked());
        ShowSwatch(row.ColourButton, row.Value, row.SystemBox->isChecked());
        connect(row.SystemBox, &QCheckBox::toggled, this, [&row](bool system) {
            row.ColourButton->setEnabled(!system);
            ShowSwatch(row.ColourButton, row.Value, system);
        });
        connect(row.ColourButton, &QPushButton::clicked, this, [this, &row] { PickColour(row); });
        const int line = static_cast<int>(i);
        grid->addWidget(new QLabel(QString::fromUtf8(kColourLines[i].Text), box), line, 0);
        grid->addWidget(row.SystemBox, line, 1);
        grid->addWidget(row.ColourButton, line, 2);
    }
    grid->setColumnStretch(2, 1);
    return box;
}

void TPreviewDlg::PickColour(cColourRow& row) {
    QColorDialog dialog(FromColorRef(row.Value), this);
    dialog.setObjectName(QStringLiteral("PreviewColorDlg"));
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    if (dialog.exec() != QDialog::Accepted || !dialog.selectedColor().isValid()) return;
    row.Value = ToColorRef(dialog.selectedColor());
    ShowSwatch(row.ColourButton, row.Value, false);
}

void TPreviewDlg::PickFont() {
    QFontDialog dialog(m_sample->font(), this);
    dialog.setObjectName(QStringLiteral("PreviewFontDlg"));
    dialog.setOption(QFontDialog::DontUseNativeDialog);
    if (dialog.exec() != QDialog::Accepted) return;
    const QFont chosen = dialog.selectedFont();
    m_fontName = chosen.family();
    if (chosen.pointSize() > 0) m_fontSize = chosen.pointSize();
    UpdateSample();
}

void TPreviewDlg::UpdateSample() {
    QFont font(m_fontName);
    if (m_fontSize > 0) font.setPointSize(m_fontSize);
    m_sample->setFont(font);
    m_sample->setText(QStringLiteral("%1, %2 pt\nÄÖÜ äöü ß 0123").arg(m_fontName).arg(m_fontSize));
}

cPreviewParameters TPreviewDlg::Values() const {
    cPreviewParameters values = m_start;
    values.OpenFolders = m_open->isChecked();
    values.OneLine = m_oneLine->isChecked();
    for (std::size_t i = 0; i < kFilterBoxes.size(); ++i)
        values.*kFilterBoxes[i].Flag = m_filters[i]->isChecked();
    for (const cColourRow& row : m_colours) {
        values.*row.System = row.SystemBox->isChecked();
        values.*row.Colour = row.Value;
    }
    values.ForcePaths = m_forcePaths->isChecked();
    values.FontName = m_fontName.toStdString();
    values.FontSize = m_fontSize;
    return values;
}

} // namespace ui
