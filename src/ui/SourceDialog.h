// "Quelle": the source of a profile. The source root (with the "Drives" mapping of a Windows root), the folders
// to search and to leave out as tick boxes on the source's directory tree and as text, the four kinds of file
// masks, and a live count of what these settings select.
#pragma once

#include "engine/SourceTicks.h"
#include "platform/Roots.h"

#include <QDialog>
#include <QString>

#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QTabWidget;
class QTimer;
class cParameters;
struct cSelectionCount;

namespace ui {

class TSourceTree;
class cSourceCounter;

// A mounted file system offered as source root.
struct cSourceVolume {
    QString Path;  // where it is mounted
    QString Label; // its volume label; may be empty
};

// The mounted file systems that can hold a user's data (the root, disks and removable media), by mount point.
std::vector<cSourceVolume> MountedSourceVolumes();

class TSourceDlg : public QDialog {
    Q_OBJECT
public:
    // Edits params; OK stores what changed, Cancel nothing. volumes fills the list of mounted volumes.
    TSourceDlg(cParameters& params, std::vector<cSourceVolume> volumes, QWidget* parent);
    ~TSourceDlg() override;

    const cSourceTicks& Ticks() const { return m_ticks; }
    TSourceTree* Tree() const { return m_tree; }
    // The profile as the dialog's fields say now, without any check (what the count counts).
    cParameters Current() const;

protected:
    void accept() override;

private:
    void RootEdited();
    void ShowRoot();
    void TicksChanged();
    void EntriesEdited();
    void ScheduleCount();
    void ShowCount(int result, const cSelectionCount& count);
    void AddFile(bool asType);
    // Checks every field that changed; shows the first problem next to its field and returns false.
    bool Validate();
    bool ShowProblem(QLabel* label, QWidget* field, int tab, const QString& text);
    std::string TypedRoot() const;

    cParameters& m_params;
    cSourceTicks m_ticks;
    bool m_syncing = false;
    std::string m_mapRoot;        // the Windows root whose mapping the mapping field shows
    platform::cDriveMap m_drives; // the mappings with what was typed for each root

    QLineEdit* m_root = nullptr;
    QComboBox* m_volumes = nullptr;
    QLabel* m_mapLabel = nullptr;
    QLineEdit* m_map = nullptr;
    QLabel* m_rootError = nullptr;
    QTabWidget* m_tabs = nullptr;
    TSourceTree* m_tree = nullptr;
    QPlainTextEdit* m_search = nullptr;
    QPlainTextEdit* m_exclude = nullptr;
    QLabel* m_directoryError = nullptr;
    QPlainTextEdit* m_masks[4] = {}; // compare, enforce, delete, exclude
    QPlainTextEdit* m_lastMasks = nullptr;
    QMetaObject::Connection m_focusWatch; // the application's focus changes, while the dialog lives
    QLabel* m_maskError = nullptr;
    QLabel* m_count = nullptr;
    QTimer* m_rootTmr = nullptr;
    QTimer* m_countTmr = nullptr;
    cSourceCounter* m_counter = nullptr;
};

// Shows the dialog modally; true when it was closed with OK.
bool EditSource(QWidget* parent, cParameters& params);

} // namespace ui
