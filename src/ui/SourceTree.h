// The source dialog's directory tree: the folders below the source root with tick boxes for the search and
// exclude entries, read branch by branch as the user opens them.
#pragma once

#include <QTreeWidget>

#include <string>

class cSourceTicks;

namespace ui {

class TSourceTree : public QTreeWidget {
    Q_OBJECT
public:
    // The tree shows and changes ticks, which the dialog owns and which must outlive the tree.
    TSourceTree(cSourceTicks& ticks, QWidget* parent);

    // Shows the folders below the native root (an empty root shows nothing) and opens the branches down to
    // every folder an entry names.
    void ShowRoot(const std::string& nativeRoot);
    // Shows the ticks again after the entries were changed elsewhere.
    void RefreshTicks();
    // The item of a relative directory ("\A\B\"), reading the branches on the way; nullptr when the directory
    // is not there (or lies behind a link to a directory, which is never followed).
    QTreeWidgetItem* OpenTo(const std::string& dir);
    // The relative directory of an item ("\" for the root); empty for a link or a placeholder.
    static std::string DirOf(const QTreeWidgetItem* item);
    // Whether the item stands for a link to a directory.
    static bool IsLink(const QTreeWidgetItem* item);

signals:
    // The user changed a tick; the ticks hold the new state.
    void TicksChanged();

private:
    void ReadBranch(QTreeWidgetItem* item);
    void TickClicked(QTreeWidgetItem* item);
    void ShowTick(QTreeWidgetItem* item);
    QTreeWidgetItem* MakeFolder(QTreeWidgetItem* parent, const QString& name, const std::string& dir);

    cSourceTicks& m_ticks;
    std::string m_root;
    bool m_updating = false;
};

} // namespace ui
