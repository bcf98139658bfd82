#include "ui/SourceTree.h"

#include "engine/SourceTicks.h"
#include "platform/Directory.h"
#include "platform/FileInfo.h"

#include <QHeaderView>

#include <algorithm>
#include <functional>
#include <vector>

namespace ui {

namespace {

constexpr int kDirRole = Qt::UserRole;      // the relative directory, UTF-8
constexpr int kReadRole = Qt::UserRole + 1; // the branch has been read
constexpr int kLinkRole = Qt::UserRole + 2; // a link to a directory: shown, never opened

const QString kTickTip =
    QStringLiteral("Haken: dieser Ordner mit allen Unterordnern\n"
                   "Halber Haken: nur dieser Ordner\n"
                   "Kein Haken: nicht durchsucht (unter einem Ordner mit Unterordnern: ausgeschlossen)");

bool NameLess(const std::string& a, const std::string& b) {
    const int order = QString::fromStdString(a).compare(QString::fromStdString(b), Qt::CaseInsensitive);
    return order != 0 ? order < 0 : a < b;
}

Qt::CheckState CheckStateOf(eTick tick) {
    switch (tick) {
    case eTick::WithSubfolders:
        return Qt::Checked;
    case eTick::Alone:
        return Qt::PartiallyChecked;
    case eTick::Off:
        break;
    }
    return Qt::Unchecked;
}

} // namespace

TSourceTree::TSourceTree(cSourceTicks& ticks, QWidget* parent) : QTreeWidget(parent), m_ticks(ticks) {
    setObjectName(QStringLiteral("SourceTvw"));
    setHeaderHidden(true);
    setColumnCount(1);
    setUniformRowHeights(true);
    header()->setStretchLastSection(true);
    setToolTip(kTickTip);
    connect(this, &QTreeWidget::itemExpanded, this, &TSourceTree::ReadBranch);
    connect(this, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item, int) {
        if (!m_updating) TickClicked(item);
    });
}

std::string TSourceTree::DirOf(const QTreeWidgetItem* item) {
    return item ? item->data(0, kDirRole).toString().toStdString() : std::string();
}

bool TSourceTree::IsLink(const QTreeWidgetItem* item) {
    return item && item->data(0, kLinkRole).toBool();
}

QTreeWidgetItem* TSourceTree::MakeFolder(QTreeWidgetItem* parent, const QString& name, const std::string& dir) {
    auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(this);
    item->setText(0, name);
    item->setData(0, kDirRole, QString::fromStdString(dir));
    item->setData(0, kReadRole, false);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    // Whether it has subfolders is known only once it is read.
    item->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    ShowTick(item);
    return item;
}

void TSourceTree::ShowRoot(const std::string& nativeRoot) {
    const bool wasUpdating = m_updating;
    m_updating = true;
    clear();
    m_root = nativeRoot;
    if (!m_root.empty()) {
        QTreeWidgetItem* root = MakeFolder(nullptr, QString::fromStdString(m_root), "\\");
        expandItem(root);
        for (const std::string& dir : m_ticks.NamedDirectories()) {
            // The folder itself stays closed: its parent is opened so that its tick shows.
            QTreeWidgetItem* item = OpenTo(dir);
            if (item && item->parent()) expandItem(item->parent());
        }
    }
    m_updating = wasUpdating;
}

void TSourceTree::ReadBranch(QTreeWidgetItem* item) {
    if (!item || item->data(0, kReadRole).toBool() || IsLink(item)) return;
    const bool wasUpdating = m_updating;
    m_updating = true;
    item->setData(0, kReadRole, true);
    const std::string dir = DirOf(item);
    std::vector<platform::SubdirectoryName> folders;
    std::vector<std::string> others;
    // A folder that cannot be read shows no subfolders; the count and the run report it.
    if (platform::ListSubdirectoryNames(m_root, dir, folders, &others) != 0) folders.clear(), others.clear();
    std::vector<std::string> names;
    for (const platform::SubdirectoryName& folder : folders)
        if (!folder.unrepresentable) names.push_back(folder.name);
    std::sort(names.begin(), names.end(), NameLess);
    for (const std::string& name : names)
        MakeFolder(item, QString::fromStdString(name), dir + name + "\\");

    // Links to folders are shown so that the user sees why their content is missing, but never opened.
    std::vector<platform::FileInfo> entries;
    if (!others.empty() && platform::DescribeEntries(m_root, dir, others, entries) == 0) {
        std::vector<std::string> links;
        for (const platform::FileInfo& entry : entries)
            if (entry.kind == platform::FileKind::DirectorySymlink && !entry.unrepresentable)
                links.push_back(entry.name);
        std::sort(links.begin(), links.end(), NameLess);
        for (const std::string& name : links) {
            auto* link = new QTreeWidgetItem(item);
            link->setText(0, QString::fromStdString(name) + QStringLiteral(" (Verknüpfung)"));
            link->setData(0, kLinkRole, true);
            link->setFlags(Qt::ItemIsSelectable);
            link->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicator);
            link->setToolTip(0, QStringLiteral("Eine Verknüpfung auf einen Ordner wird nicht durchsucht."));
            QFont font = link->font(0);
            font.setItalic(true);
            link->setFont(0, font);
        }
    }
    if (item->childCount() == 0) item->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicator);
    m_updating = wasUpdating;
}

QTreeWidgetItem* TSourceTree::OpenTo(const std::string& dir) {
    QTreeWidgetItem* item = topLevelItemCount() > 0 ? topLevelItem(0) : nullptr;
    if (!item || !dir.starts_with('\\')) return nullptr;
    std::size_t start = 1;
    while (start < dir.size()) {
        const std::size_t end = dir.find('\\', start);
        if (end == std::string::npos) return nullptr;
        const std::string path = dir.substr(0, end + 1);
        ReadBranch(item);
        QTreeWidgetItem* next = nullptr;
        for (int i = 0; i < item->childCount() && !next; ++i)
            if (DirOf(item->child(i)) == path) next = item->child(i);
        if (!next) return nullptr;
        item = next;
        start = end + 1;
    }
    return item;
}

void TSourceTree::ShowTick(QTreeWidgetItem* item) {
    const std::string dir = DirOf(item);
    if (dir.empty()) return;
    const cTickView view = m_ticks.View(dir);
    item->setCheckState(0, CheckStateOf(view.Tick));
    Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsUserCheckable;
    if (view.Changeable) flags |= Qt::ItemIsEnabled;
    item->setFlags(flags);
    QFont font = item->font(0);
    font.setBold(view.Explicit);
    item->setFont(0, font);
}

void TSourceTree::RefreshTicks() {
    const bool wasUpdating = m_updating;
    m_updating = true;
    std::function<void(QTreeWidgetItem*)> walk = [&](QTreeWidgetItem* item) {
        ShowTick(item);
        for (int i = 0; i < item->childCount(); ++i)
            walk(item->child(i));
    };
    for (int i = 0; i < topLevelItemCount(); ++i)
        walk(topLevelItem(i));
    m_updating = wasUpdating;
}

void TSourceTree::TickClicked(QTreeWidgetItem* item) {
    const std::string dir = DirOf(item);
    if (dir.empty()) return;
    // Qt has already moved the box to its own next state; the ticks decide which state follows.
    m_ticks.Set(dir, m_ticks.NextTick(dir));
    RefreshTicks();
    emit TicksChanged();
}

} // namespace ui
