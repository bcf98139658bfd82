// "Ziel": where a profile's files go (a directory, a zip archive or a directory on an FTP server), how the
// destination varies from run to run, and the checks of a removable disk.
#pragma once

#include "profile/ProfileEnums.h"
#include "ui/DestinationChecks.h"
#include "ui/DiskDialog.h"

#include <QDialog>

#include <array>
#include <optional>
#include <string>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QPushButton;
class QRadioButton;
class cParameters;

namespace ui {

class TArchivePanel;
class TServerPanel;

class TDestinationDlg : public QDialog {
public:
    // Edits a copy of the destination fields; OK stores them into params (normalised, and the server into
    // LastUsedServers), Cancel leaves params alone.
    TDestinationDlg(cParameters& params, QWidget* parent);

    // The kind the type buttons select now.
    eDestType Kind() const;
    // The disk settings as "Datenträger..." left them.
    const cDiskSettings& Disk() const { return m_disk; }

protected:
    void accept() override;
    void done(int result) override;

private:
    void ShowKind();
    void UpdateEnabled();
    void BrowseDrive();
    void BrowseDirectory();
    void BrowseArchive();
    void EditDisk();
    // The native directory of the drive field, or the reason beside the drive field why there is none.
    std::optional<std::string> NativeDriveRoot();
    bool Validate();
    void Store();

    cParameters& m_params;
    cDiskSettings m_disk;
    std::array<QRadioButton*, 3> m_kinds{};
    QGroupBox* m_drivePanel = nullptr;
    cNameRow m_drive;
    cNameRow m_directory;
    TArchivePanel* m_archive = nullptr;
    TServerPanel* m_server = nullptr;
    QComboBox* m_variation = nullptr;
    QCheckBox* m_eightThree = nullptr;
    QPushButton* m_diskButton = nullptr;
};

// Shows the dialog modally on params; true when it was closed with OK (the destination may have changed).
bool EditDestination(QWidget* parent, cParameters& params);

} // namespace ui
