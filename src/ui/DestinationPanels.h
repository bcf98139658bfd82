// The panels of the destination dialog that belong to one kind: the zip archive with the zip engine's settings,
// and the FTP server with its login and the tree of its folders.
#pragma once

#include "ui/DestinationChecks.h"

#include <QGroupBox>

#include <array>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class cParameters;

namespace ui {

class TServerTree;

class TArchivePanel : public QGroupBox {
public:
    TArchivePanel(const cParameters& params, QWidget* parent);

    const cNameRow& ArchiveRow() const { return m_archive; }
    QString ArchiveText() const;
    // Marks what OK refuses beside its field; true when nothing is refused.
    bool Validate();
    // Stores the archive name (normalised) and the zip settings.
    void Store(cParameters& params) const;
    // Stores the archive name as typed: the panel is not in use, its settings stay as they were.
    void StoreUnused(cParameters& params) const;

private:
    void UpdateEnabled();

    cNameRow m_archive;
    QSpinBox* m_compression = nullptr;
    QCheckBox* m_encrypt = nullptr;
    QLineEdit* m_password = nullptr;
    std::array<QRadioButton*, 3> m_tempModes{};
    QLineEdit* m_tempLocation = nullptr;
    QLabel* m_tempProblem = nullptr;
    QCheckBox* m_addVariation = nullptr;
};

class TServerPanel : public QGroupBox {
public:
    // The server field offers params.LastUsedServers.
    TServerPanel(const cParameters& params, QWidget* parent);

    const cNameRow& ServerRow() const { return m_server; }
    QString ServerText() const;
    bool Validate();
    // Stores the server (normalised) and its login, and adds the server to the servers used
    // before.
    void Store(cParameters& params) const;
    void StoreUnused(cParameters& params) const;

    // The directory field that a folder chosen in the tree fills, and down to which a read opens the tree.
    void AttachDirectory(QLineEdit* directory);
    // Ends a reading of the server's folders (the dialog closes).
    void StopReading();
    TServerTree* Tree() const { return m_tree; }

private:
    void ReadTree();
    void ReadingChanged(bool reading);
    void ShowReadLine(const QString& text, bool failure, const QString& details = {});

    cNameRow m_server;
    QComboBox* m_servers = nullptr;
    QSpinBox* m_port = nullptr;
    QSpinBox* m_timeOut = nullptr;
    QLineEdit* m_user = nullptr;
    QLineEdit* m_password = nullptr;
    QPushButton* m_read = nullptr;
    QPushButton* m_stop = nullptr;
    QLabel* m_readLine = nullptr;
    bool m_failed = false;
    TServerTree* m_tree = nullptr;
    QLineEdit* m_directory = nullptr;
};

// A spin box over min..max that also holds a stored value outside that range, so that OK does not change it.
QSpinBox* NamedSpin(const char* name, int min, int max, int value, QWidget* parent);

} // namespace ui
