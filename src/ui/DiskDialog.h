// "Datenträger": the checks of a removable destination disk (its label, the format offer, ejecting it).
#pragma once

#include "platform/Roots.h"

#include <QDialog>

#include <string>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace ui {

// The disk fields of a profile as the destination dialog edits them.
struct cDiskSettings {
    std::string CheckLabel; // empty: the label is not checked
    bool OfferFormat = false;
    bool EjectDisk = false;

    bool operator==(const cDiskSettings&) const = default;
};

class TDiskDlg : public QDialog {
public:
    // drive is the destination's drive as typed (variables and Windows roots allowed): "Lesen" reads the label of
    // the file system that holds it. OK stores into settings; Cancel leaves them alone.
    TDiskDlg(cDiskSettings& settings, std::string drive, platform::cDriveMap drives, QWidget* parent);

protected:
    void accept() override;

private:
    void ReadLabel();
    void UpdateEnabled();

    cDiskSettings& m_settings;
    std::string m_drive;
    platform::cDriveMap m_drives;
    QCheckBox* m_checkLabel = nullptr;
    QLineEdit* m_label = nullptr;
    QPushButton* m_read = nullptr;
    QPushButton* m_weekday = nullptr;
    QCheckBox* m_offerFormat = nullptr;
    QCheckBox* m_eject = nullptr;
    QLabel* m_problem = nullptr;
};

// The label of the file system that holds the drive (after its variables); empty when it cannot be read.
std::string ReadDriveLabel(const std::string& drive, const platform::cDriveMap& drives);

} // namespace ui
