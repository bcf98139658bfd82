#include "ui/PreviewModel.h"

#include "review/PreviewList.h"

#include <algorithm>

namespace ui {

cPreviewModel::cPreviewModel(cPreviewList& list, QObject* parent) : QAbstractListModel(parent), m_list(list) {}

int cPreviewModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_list.Lines().size());
}

bool cPreviewModel::IsFolder(int row) const {
    return row >= 0 && row < rowCount() && m_list.Lines()[static_cast<std::size_t>(row)].IsFolder();
}

QVariant cPreviewModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const auto line = static_cast<std::size_t>(index.row());
    const bool folder = m_list.Lines()[line].IsFolder();
    switch (role) {
    case Qt::DisplayRole:
        if (folder) return QString::fromStdString(m_list.FolderAt(line).Caption);
        return QString::fromStdString(m_list.CandidateAt(line).BaseName + m_list.CandidateAt(line).Extension);
    case KindRole:
        return QChar::fromLatin1(folder ? kKindFolder : kKindCandidate);
    case ActionRole:
        return folder ? QVariant() : QVariant(static_cast<int>(m_list.CandidateAt(line).Action()));
    default:
        return {};
    }
}

void cPreviewModel::ActionsChanged() {
    // A folder row's totals change with any of its candidates, so every row is drawn again.
    if (rowCount() > 0) emit dataChanged(index(0), index(rowCount() - 1));
    emit FiguresChanged();
}

bool cPreviewModel::SetAction(const std::vector<int>& rows, ActionFlags action) {
    std::vector<std::size_t> lines;
    lines.reserve(rows.size());
    for (const int row : rows)
        if (row >= 0 && row < rowCount()) lines.push_back(static_cast<std::size_t>(row));
    if (!m_list.SetAction(lines, action)) return false;
    ActionsChanged();
    return true;
}

bool cPreviewModel::CycleAction(int row) {
    if (row < 0 || row >= rowCount() || !m_list.CycleAction(static_cast<std::size_t>(row))) return false;
    ActionsChanged();
    return true;
}

bool cPreviewModel::ToggleFolder(int row) {
    if (!IsFolder(row)) return false;
    const auto line = static_cast<std::size_t>(row);
    const cFolder& folder = m_list.FolderAt(line);
    if (folder.Expanded) {
        const auto& lines = m_list.Lines();
        const auto below = lines.begin() + row + 1;
        const auto count = std::find_if(below, lines.end(), [](const cPreviewLine& l) { return l.IsFolder(); }) - below;
        if (count > 0) beginRemoveRows({}, row + 1, row + static_cast<int>(count));
        m_list.ToggleFolder(line);
        if (count > 0) endRemoveRows();
    } else {
        const auto& candidates = m_list.Run().Candidates;
        const int last = std::min(folder.LastIndex, static_cast<int>(candidates.size()) - 1);
        int count = 0;
        for (int i = std::max(folder.FirstIndex, 0); i <= last; ++i)
            if (m_list.Shows(*candidates[static_cast<std::size_t>(i)])) ++count;
        if (count > 0) beginInsertRows({}, row + 1, row + count);
        m_list.ToggleFolder(line);
        if (count > 0) endInsertRows();
    }
    emit dataChanged(index(row), index(row)); // the folder's icon
    return true;
}

int cPreviewModel::CloseFolderOf(int row) {
    if (rowCount() == 0) return 0;
    row = std::clamp(row, 0, rowCount() - 1);
    while (row > 0 && !IsFolder(row))
        --row;
    if (m_list.FolderAt(static_cast<std::size_t>(row)).Expanded) ToggleFolder(row);
    return row;
}

void cPreviewModel::Rebuild(const std::function<void()>& change) {
    beginResetModel();
    change();
    endResetModel();
    emit FiguresChanged();
}

void cPreviewModel::SetAllFolders(bool open) {
    Rebuild([&] { m_list.SetAllFolders(open); });
}

void cPreviewModel::SetOneLine(bool oneLine) {
    Rebuild([&] { m_list.SetOneLine(oneLine); });
}

void cPreviewModel::SetSortMode(int mode) {
    if (mode == m_list.SortMode()) return;
    Rebuild([&] { m_list.SetSortMode(mode); });
}

void cPreviewModel::SetReverseOrder(bool reverse) {
    if (reverse == m_list.ReverseOrder()) return;
    Rebuild([&] { m_list.SetReverseOrder(reverse); });
}

void cPreviewModel::ToggleFilter(ePreviewFilter filter) {
    Rebuild([&] { m_list.ToggleFilter(filter); });
}

void cPreviewModel::RereadFreeSpace() {
    m_list.RereadFreeSpace();
    emit FiguresChanged();
}

} // namespace ui
