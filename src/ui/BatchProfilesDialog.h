// "Profile" (TBatchProfilesDlg): the profiles a batch file runs, in order, each with its continuation; new
// entries come from the profiles of a chosen folder or from the file fields.
#pragma once

#include "profile/BatchParameters.h"

#include <QDialog>

#include <vector>

class QDragEnterEvent;
class QDropEvent;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTreeWidget;
class cParameters;

namespace ui {

class TBatchProfilesDlg : public QDialog {
public:
    // Edits params.Batch's entries when closed with OK.
    TBatchProfilesDlg(cParameters& params, QWidget* parent);

    const std::vector<BatchEntry>& Entries() const { return m_entries; }
    std::vector<int> SelectedRows() const;

    // The buttons' commands, for the keys and the tests as well.
    void Add();
    void RemoveSelected();
    void ToggleContinuation();
    void Move(bool up);
    // Lists the profiles (*.tvp) of the folder in the directory field.
    void ReadFolder();

protected:
    void accept() override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // A drag over the list or a drop on it: profiles (files, or lines of the available list) go in before the
    // line under the mouse or at the end, the list's own lines move there as a block. False when the drag carries
    // neither.
    bool DropOnList(QDropEvent& event);
    void ShowEntries(const std::vector<bool>& selected);
    void RowClicked();
    void UpdateButtons();
    void View();
    void Open();

    cParameters& m_params;
    std::vector<BatchEntry> m_entries;
    QTreeWidget* m_list = nullptr;
    QLineEdit* m_folder = nullptr;
    QListWidget* m_available = nullptr;
    QLineEdit* m_name = nullptr;
    bool m_availableHadFocus = false;
    std::vector<QPushButton*> m_needSelection;
    QPushButton* m_up = nullptr;
    QPushButton* m_down = nullptr;
};

// Shows the dialog modally; true on OK.
bool EditBatchProfiles(QWidget* parent, cParameters& params);

} // namespace ui
