// The destination dialog's tree of a server's folders ("ServerTvw"): the top level read at once, a branch when it
// is opened, each on the reader's thread; links and unsafe names are shown and never opened.
#pragma once

#include "ui/ServerReader.h"

#include <QHash>
#include <QTreeWidget>

#include <memory>
#include <string>

namespace ui {

class TServerTree : public QTreeWidget {
    Q_OBJECT
public:
    explicit TServerTree(QWidget* parent);
    ~TServerTree() override;

    // Logs in anew and shows the server's top level, then opens the branches down to target ("\A\B\", may be
    // empty) and selects it without choosing it.
    void Start(const cServerLogin& login, const std::string& target);
    // Ends the reading (the branches read so far stay); a branch opened later logs in again.
    void Stop();
    // Stops and forgets the server's folders.
    void Reset();
    bool Reading() const { return !m_waiting.isEmpty(); }

    // The directory of an item ("\" for the server itself); empty for a link, an unsafe name or a placeholder.
    static std::string DirOf(const QTreeWidgetItem* item);
    // The item of a directory that has been read, or nullptr.
    QTreeWidgetItem* ItemOf(const std::string& dir) const;

    // Builds a tree from listings without a server (for a picture of the dialog): first the root's listing, with
    // the server's name for the top item, then the branches below.
    void ShowListing(const cServerListing& listing, const std::string& host = {});

signals:
    // The user chose a folder: its directory in the program's form.
    void DirectoryChosen(const QString& dir);
    // Reading began (true) or has nothing left to do (false).
    void ReadingChanged(bool reading);
    // A login, change of directory or listing failed: the line to show (never with the password) and the
    // dialogue that led to it.
    void Failed(const QString& line, const QString& dialogue);

private:
    void ReadBranch(QTreeWidgetItem* item);
    void Received(int generation, const cServerListing& listing);
    void OpenTowardsTarget(QTreeWidgetItem* item, const std::string& dir);
    QTreeWidgetItem* MakeFolder(QTreeWidgetItem* parent, const cServerFolder& folder, const std::string& dir);
    void SelectionChanged();
    void SetWaiting(const std::string& dir, bool waiting);

    std::unique_ptr<cServerReader> m_reader;
    cServerLogin m_login;
    int m_generation = 0;
    std::string m_target;
    QHash<QString, QTreeWidgetItem*> m_items; // directory -> item, for every folder shown
    QHash<QString, int> m_waiting;            // directories asked for and not yet answered
    bool m_updating = false;
};

// The line the dialog shows when reading failed: what went wrong and the server's last reply.
QString ReadFailureLine(int code, const std::string& reply);

} // namespace ui
