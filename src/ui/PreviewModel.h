// The preview list as a Qt list model: one row per line of cPreviewList (folders and the shown candidates of
// open folders). Rows hold no text of their own; the delegate draws each from the run's objects. Every change
// goes through this model so that the view follows it.
#pragma once

#include "engine/ActionFlags.h"
#include "review/PreviewFilters.h"

#include <QAbstractListModel>

#include <cstddef>
#include <functional>
#include <vector>

class cPreviewList;

namespace ui {

class cPreviewModel : public QAbstractListModel {
    Q_OBJECT

public:
    // Roles beside Qt::DisplayRole (the folder's caption or the candidate's file name).
    enum eRole { KindRole = Qt::UserRole + 1, ActionRole };

    // list outlives the model.
    explicit cPreviewModel(cPreviewList& list, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    cPreviewList& List() const { return m_list; }
    bool IsFolder(int row) const;

    // Sets action on the rows (a folder row: all its candidates); false when nothing changed.
    bool SetAction(const std::vector<int>& rows, ActionFlags action);
    // The click on a candidate's arrow; false on a folder row or when nothing changed.
    bool CycleAction(int row);
    // Opens or closes the folder of a folder row; false for a candidate row.
    bool ToggleFolder(int row);
    // Closes the folder of row (the nearest folder row at or above it) and returns that folder's row.
    int CloseFolderOf(int row);

    // Changes that rebuild the lines: the rows are replaced.
    void SetAllFolders(bool open);
    void SetOneLine(bool oneLine);
    void SetSortMode(int mode);
    void SetReverseOrder(bool reverse);
    void ToggleFilter(ePreviewFilter filter);
    void RereadFreeSpace();

signals:
    // The planned counts, the transfer volume or the balances may have changed.
    void FiguresChanged();

private:
    void Rebuild(const std::function<void()>& change);
    void ActionsChanged();

    cPreviewList& m_list;
};

} // namespace ui
