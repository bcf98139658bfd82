// "Übersicht": edits how a profile's preview list looks (open folders, line mode, filters, colours, font).
#pragma once

#include "profile/PreviewParameters.h"

#include <QDialog>

#include <array>
#include <cstdint>

class QCheckBox;
class QLabel;
class QPushButton;
class QRadioButton;
class cParameters;

namespace ui {

// Shows the dialog for params.Preview; OK writes the values back and returns true, cancel leaves params alone.
bool EditPreviewOptions(QWidget* parent, cParameters& params);

class TPreviewDlg : public QDialog {
    Q_OBJECT

public:
    TPreviewDlg(const cPreviewParameters& values, QWidget* parent = nullptr);

    // The values as the controls show them now.
    cPreviewParameters Values() const;

private:
    struct cColourRow {
        bool cPreviewParameters::*System;
        std::uint32_t cPreviewParameters::*Colour;
        QCheckBox* SystemBox = nullptr;
        QPushButton* ColourButton = nullptr;
        std::uint32_t Value = 0;
    };

    QWidget* BuildColours();
    void PickColour(cColourRow& row);
    void PickFont();
    void UpdateSample();

    cPreviewParameters m_start;
    QRadioButton* m_open = nullptr;
    QRadioButton* m_closed = nullptr;
    QRadioButton* m_oneLine = nullptr;
    QRadioButton* m_twoLines = nullptr;
    std::array<QCheckBox*, 7> m_filters{};
    std::array<cColourRow, 6> m_colours{};
    QCheckBox* m_forcePaths = nullptr;
    QString m_fontName;
    int m_fontSize = 8;
    QLabel* m_sample = nullptr;
};

} // namespace ui
