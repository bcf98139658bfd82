#include "ui/ServerTree.h"

#include "messages/ErrorText.h"
#include "platform/ErrorCodes.h"

#include <QHeaderView>
#include <QMetaObject>

#include <utility>

namespace ui {

namespace {

constexpr int kDirRole = Qt::UserRole;             // the directory in the program's form, UTF-8
constexpr int kReadRole = Qt::UserRole + 1;        // the branch has been asked for
constexpr int kPlaceholderRole = Qt::UserRole + 2; // "Wird gelesen..." while the branch is on its way

// A listed name as it can be shown: control characters become a replacement mark.
QString Shown(const std::string& name) {
    QString text = QString::fromStdString(name);
    for (QChar& c : text)
        if (c.category() == QChar::Other_Control) c = QChar(0xFFFD);
    return text;
}

void MarkNotOpened(QTreeWidgetItem* item, const QString& tip) {
    item->setFlags(Qt::ItemIsEnabled);
    item->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicator);
    item->setToolTip(0, tip);
    QFont font = item->font(0);
    font.setItalic(true);
    item->setFont(0, font);
    item->setForeground(0, QBrush(Qt::darkGray));
}

} // namespace

QString ReadFailureLine(int code, const std::string& reply) {
    const QString answer = QString::fromStdString(reply);
    if (code == platform::kFtpCommandFailed && !reply.empty())
        return QStringLiteral("Die Verzeichnisse wurden nicht gelesen. Der Server antwortet: %1").arg(answer);
    QString line =
        QStringLiteral("Die Verzeichnisse wurden nicht gelesen: %1").arg(QString::fromStdString(ErrorText(code)));
    if (!line.contains(QStringLiteral("Fehler "))) line += QStringLiteral(" (Fehler %1)").arg(code);
    line += QLatin1Char('.');
    if (!reply.empty()) line += QStringLiteral(" Letzte Antwort des Servers: %1").arg(answer);
    return line;
}

TServerTree::TServerTree(QWidget* parent) : QTreeWidget(parent) {
    setObjectName(QStringLiteral("ServerTvw"));
    setHeaderHidden(true);
    setColumnCount(1);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    header()->setStretchLastSection(true);
    setToolTip(QStringLiteral("Die Verzeichnisse des Servers: ein Klick auf einen Ordner trägt ihn als Verzeichnis "
                              "des Ziels ein."));
    connect(this, &QTreeWidget::itemExpanded, this, &TServerTree::ReadBranch);
    connect(this, &QTreeWidget::itemSelectionChanged, this, &TServerTree::SelectionChanged);
}

TServerTree::~TServerTree() {
    // The reader delivers into this object: it is stopped before the object goes.
    m_reader.reset();
}

std::string TServerTree::DirOf(const QTreeWidgetItem* item) {
    return item ? item->data(0, kDirRole).toString().toStdString() : std::string();
}

QTreeWidgetItem* TServerTree::ItemOf(const std::string& dir) const {
    return m_items.value(QString::fromStdString(dir), nullptr);
}

void TServerTree::Reset() {
    Stop();
    const bool wasUpdating = std::exchange(m_updating, true);
    clear();
    m_items.clear();
    m_target.clear();
    m_updating = wasUpdating;
}

void TServerTree::Start(const cServerLogin& login, const std::string& target) {
    Reset();
    m_login = login;
    m_target = target;
    const bool wasUpdating = std::exchange(m_updating, true);
    cServerFolder server;
    server.Name = login.Host;
    QTreeWidgetItem* root = MakeFolder(nullptr, server, "\\");
    m_updating = wasUpdating;
    expandItem(root);
}

void TServerTree::Stop() {
    if (!m_reader && m_waiting.isEmpty()) return;
    m_reader.reset();
    // Results still on their way to this thread belong to the stopped reader.
    ++m_generation;
    const bool wasUpdating = std::exchange(m_updating, true);
    for (auto it = m_waiting.cbegin(); it != m_waiting.cend(); ++it) {
        QTreeWidgetItem* item = m_items.value(it.key(), nullptr);
        if (!item) continue;
        // The branch is read again when it is opened again.
        qDeleteAll(item->takeChildren());
        item->setData(0, kReadRole, false);
        collapseItem(item);
    }
    m_updating = wasUpdating;
    const bool wasReading = Reading();
    m_waiting.clear();
    if (wasReading) emit ReadingChanged(false);
}

QTreeWidgetItem* TServerTree::MakeFolder(QTreeWidgetItem* parent, const cServerFolder& folder, const std::string& dir) {
    auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(this);
    switch (folder.Kind) {
    case cServerFolder::eKind::Directory:
        item->setText(0, Shown(folder.Name));
        item->setData(0, kDirRole, QString::fromStdString(dir));
        item->setData(0, kReadRole, false);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        // Whether it has subfolders is known only once it is read.
        item->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
        m_items.insert(QString::fromStdString(dir), item);
        break;
    case cServerFolder::eKind::Link:
        item->setText(0, Shown(folder.Name) + QStringLiteral(" (Verknüpfung)"));
        MarkNotOpened(item, QStringLiteral("Eine Verknüpfung auf „%1“: sie wird nicht geöffnet und kann nicht das "
                                           "Ziel sein.")
                                .arg(Shown(folder.LinkTarget)));
        break;
    case cServerFolder::eKind::Unsafe:
        item->setText(0, Shown(folder.Name) + QStringLiteral(" (unzulässiger Name)"));
        MarkNotOpened(item, QStringLiteral("Ein Name mit /, \\ oder Steuerzeichen kann nicht das Ziel sein und wird "
                                           "nicht geöffnet."));
        break;
    }
    return item;
}

void TServerTree::SetWaiting(const std::string& dir, bool waiting) {
    const bool wasReading = Reading();
    const QString key = QString::fromStdString(dir);
    if (waiting)
        ++m_waiting[key];
    else if (auto it = m_waiting.find(key); it != m_waiting.end() && --it.value() <= 0)
        m_waiting.erase(it);
    if (wasReading != Reading()) emit ReadingChanged(Reading());
}

void TServerTree::ReadBranch(QTreeWidgetItem* item) {
    const std::string dir = DirOf(item);
    if (dir.empty() || item->data(0, kReadRole).toBool() || m_login.Host.empty()) return;
    item->setData(0, kReadRole, true);
    auto* placeholder = new QTreeWidgetItem(item);
    placeholder->setText(0, QStringLiteral("Wird gelesen..."));
    placeholder->setData(0, kPlaceholderRole, true);
    placeholder->setFlags(Qt::NoItemFlags);
    if (!m_reader) {
        const int generation = m_generation;
        m_reader = std::make_unique<cServerReader>(m_login, [this, generation](cServerListing listing) {
            QMetaObject::invokeMethod(
                this, [this, generation, listing = std::move(listing)] { Received(generation, listing); },
                Qt::QueuedConnection);
        });
    }
    m_reader->Read(dir);
    SetWaiting(dir, true);
}

void TServerTree::Received(int generation, const cServerListing& listing) {
    if (generation != m_generation) return;
    QTreeWidgetItem* item = ItemOf(listing.Directory);
    if (item) {
        const bool wasUpdating = std::exchange(m_updating, true);
        for (int i = item->childCount() - 1; i >= 0; --i)
            if (item->child(i)->data(0, kPlaceholderRole).toBool()) delete item->takeChild(i);
        if (listing.Code == 0) {
            for (const cServerFolder& folder : listing.Folders)
                MakeFolder(item, folder, listing.Directory + folder.Name + "\\");
            if (item->childCount() == 0) item->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicator);
        } else if (item->parent() == nullptr) {
            // Without the top level there is nothing to show.
            clear();
            m_items.clear();
        } else {
            // Opening the branch again tries again.
            item->setData(0, kReadRole, false);
            collapseItem(item);
        }
        m_updating = wasUpdating;
        if (listing.Code == 0 && ItemOf(listing.Directory)) OpenTowardsTarget(item, listing.Directory);
    }
    if (listing.Code != 0 && listing.Code != platform::kCancelled) {
        QStringList dialogue;
        for (const std::string& line : listing.Dialogue)
            dialogue << QString::fromStdString(line);
        emit Failed(ReadFailureLine(listing.Code, listing.Reply), dialogue.join(QLatin1Char('\n')));
    }
    SetWaiting(listing.Directory, false);
}

void TServerTree::OpenTowardsTarget(QTreeWidgetItem* item, const std::string& dir) {
    if (m_target.empty() || !m_target.starts_with(dir)) return;
    if (m_target == dir) {
        m_target.clear();
        const bool wasUpdating = std::exchange(m_updating, true);
        setCurrentItem(item);
        scrollToItem(item);
        m_updating = wasUpdating;
        return;
    }
    const std::size_t end = m_target.find('\\', dir.size());
    const std::string nextDir = end == std::string::npos ? std::string() : m_target.substr(0, end + 1);
    QTreeWidgetItem* next = ItemOf(nextDir);
    if (!next) {
        m_target.clear();
        return;
    }
    const bool known = next->data(0, kReadRole).toBool() && !m_waiting.contains(QString::fromStdString(nextDir));
    expandItem(next);
    // A branch the user opened before is not read again: the way goes on at once.
    if (known) OpenTowardsTarget(next, nextDir);
}

void TServerTree::ShowListing(const cServerListing& listing, const std::string& host) {
    if (listing.Directory == "\\") {
        // No login: a branch that was not shown stays closed.
        Reset();
        m_login = {};
        cServerFolder server;
        server.Name = host;
        MakeFolder(nullptr, server, "\\");
    }
    QTreeWidgetItem* item = ItemOf(listing.Directory);
    if (!item) return;
    const bool wasUpdating = std::exchange(m_updating, true);
    item->setData(0, kReadRole, true);
    for (const cServerFolder& folder : listing.Folders)
        MakeFolder(item, folder, listing.Directory + folder.Name + "\\");
    if (item->childCount() == 0) item->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicator);
    expandItem(item);
    m_updating = wasUpdating;
}

void TServerTree::SelectionChanged() {
    if (m_updating) return;
    const QList<QTreeWidgetItem*> chosen = selectedItems();
    if (chosen.size() != 1) return;
    const std::string dir = DirOf(chosen.front());
    if (!dir.empty()) emit DirectoryChosen(QString::fromStdString(dir));
}

} // namespace ui
