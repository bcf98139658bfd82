// The preview list TListDlg: every folder and every planned file of a run with its action, before the run
// carries them out. The user changes actions line by line or for whole folders, sorts, filters and switches
// between one- and two-line display; OK lets the run go on, "Abbruch" stops it. The rules live in cPreviewList;
// this window draws and passes on what the user does.
#pragma once

#include "engine/ActionFlags.h"
#include "review/PreviewFilters.h"
#include "ui/PreviewCompare.h"

#include <QDialog>

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QAbstractButton;
class QLabel;
class QListView;
class QMenu;
class QPushButton;
class cParameters;
class cPreviewList;
struct cRunState;

namespace ui {

class cPreviewModel;

class TListDlg : public QDialog {
    Q_OBJECT

public:
    // Works on run's candidates, folders and working copies, which outlive the dialog (the run waits meanwhile);
    // params gives the caption and the destination's kind for the header.
    TListDlg(const cParameters& params, cRunState& run, QWidget* parent = nullptr);
    ~TListDlg() override;

    cPreviewModel& Model() const { return *m_model; }
    QListView* List() const { return m_view; }

    // The selected rows, in order.
    std::vector<int> SelectedRows() const;
    // Sets action on the selected lines (a folder line: all its files).
    void SetSelectedAction(ActionFlags action);
    // "Drucken": the print dialog of the list (lines, page set-up, preview, printer or PDF file).
    void PrintList();
    // The files "Öffnen" opens for the selected candidate lines: the source file and the destination file of
    // each, where they are; of a zip or FTP destination the source files only (its files are fetched).
    std::vector<std::string> SelectedFiles() const;
    // The copies "Öffnen" shows, each in a folder of its own below the program's temporary folder: the
    // SelectedFiles, and for a zip or FTP destination the destination files extracted or downloaded (a failure
    // is shown and leaves its copy out).
    std::vector<std::string> CopiesForOpening();
    // "Öffnen": each of CopiesForOpening with the desktop's application.
    void OpenSelected();
    // "Intern vergleichen": compares the one selected candidate's two files when it has both with equal sizes
    // (of a zip or FTP destination a fetched copy); false when the selection allows no comparison or the copy
    // could not be fetched.
    bool CompareSelected();
    // "Extern vergleichen": starts the compare program of the program options on the one selected candidate's
    // two files; false when there is none or no program is set.
    bool CompareSelectedExternally();
    // The one selected candidate's files to compare (only of equal sizes with sameSizeOnly), the destination's
    // fetched for a zip or FTP destination; none when there is no such pair or the copy could not be made.
    std::optional<cComparePair> PairToCompare(bool sameSizeOnly);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* BuildHeader(const cParameters& params);
    QWidget* BuildButtonBar();
    QWidget* BuildBottomRow();
    QAbstractButton* ToolButton(const char* name, const QString& text, const QString& hint, bool checkable);
    void UpdateFigures();
    void UpdateButtons();
    bool AnyFileSelected() const;
    void ShowMenu(const QPoint& globalPos);
    void CloseFocusedFolder();
    bool ListKey(int key, Qt::KeyboardModifiers modifiers);
    bool ViewportMouse(QEvent* event);

    std::unique_ptr<cPreviewList> m_list;
    cPreviewModel* m_model;
    QListView* m_view;
    QWidget* m_buttonBar = nullptr;
    QAbstractButton* m_dateSortButton = nullptr;
    QLabel* m_sourceBalance = nullptr;
    QLabel* m_destBalance = nullptr;
    bool m_ftp = false;
    bool m_folderDest = false; // the destination's files can be read in place
    std::string m_compareA;    // the external compare program and its parameters
    std::string m_compareB;
    std::array<QLabel*, 5> m_figures{}; // forward, skip, backward, delete, transfer
    std::vector<QPushButton*> m_actionButtons;
};

} // namespace ui
