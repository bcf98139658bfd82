#include "ui/BatchProfilesDialog.h"

#include "profile/BatchEdit.h"
#include "profile/Parameters.h"
#include "profile/Variables.h"
#include "ui/DialogParts.h"
#include "ui/ViewWindow.h"

#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QDropEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>

namespace ui {

namespace {

constexpr int kProfilesHelp = 4290;

QString FolderOf(const BatchEntry& entry) {
    return QFileInfo(QString::fromStdString(BatchEntryPath(entry))).path();
}

// Lines of the batch list dragged somewhere: within the list they move, onto the dialog they are removed.
const QString kBatchLinesMime = QStringLiteral("application/x-tolvan-batch-lines");

// The batch list drags its selected lines as such.
class cBatchList : public QTreeWidget {
public:
    using QTreeWidget::QTreeWidget;

protected:
    QMimeData* mimeData(const QList<QTreeWidgetItem*>& items) const override {
        auto* dragged = new QMimeData;
        dragged->setData(kBatchLinesMime, QByteArray::number(items.size()));
        return dragged;
    }
    QStringList mimeTypes() const override { return {kBatchLinesMime}; }
};

// The available profiles drag as files, as the file manager's do.
class cProfileList : public QListWidget {
public:
    cProfileList(const QLineEdit* folder, QWidget* parent) : QListWidget(parent), m_folder(folder) {}

protected:
    QMimeData* mimeData(const QList<QListWidgetItem*>& items) const override {
        QList<QUrl> urls;
        for (const QListWidgetItem* item : items)
            urls << QUrl::fromLocalFile(m_folder->text() + QLatin1Char('/') + item->text());
        auto* dragged = new QMimeData;
        dragged->setUrls(urls);
        return dragged;
    }

private:
    const QLineEdit* m_folder;
};

// The profiles among dropped files: only a local file whose extension is exactly ".tvp" counts.
std::vector<BatchEntry> DroppedProfiles(const QMimeData& data) {
    std::vector<BatchEntry> entries;
    for (const QUrl& url : data.urls()) {
        const QString file = url.toLocalFile();
        if (file.isEmpty() || QFileInfo(file).suffix() != QLatin1String("tvp")) continue;
        entries.push_back(BatchEntryFor(file.toStdString()));
    }
    return entries;
}

} // namespace

TBatchProfilesDlg::TBatchProfilesDlg(cParameters& params, QWidget* parent)
    : QDialog(parent), m_params(params), m_entries(BatchEntries(params.Batch)) {
    setObjectName(QStringLiteral("BatchProfilesDlg"));
    setWindowTitle(QStringLiteral("Profile"));
    m_list = new cBatchList(this);
    m_list->setObjectName(QStringLiteral("BatchLst"));
    m_list->setHeaderLabels({QStringLiteral("Profil"), QStringLiteral("Bedingung")});
    m_list->setRootIsDecorated(false);
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_list->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_list->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    m_list->setMinimumWidth(fontMetrics().averageCharWidth() * 70);
    m_list->installEventFilter(this);
    // Drops are handled here (profiles dropped in, lines moved); the list only starts the drags.
    m_list->setDragEnabled(true);
    m_list->setDragDropMode(QAbstractItemView::DragDrop);
    m_list->setDefaultDropAction(Qt::CopyAction);
    m_list->viewport()->installEventFilter(this);
    setAcceptDrops(true);
    connect(m_list, &QTreeWidget::itemSelectionChanged, this, &TBatchProfilesDlg::UpdateButtons);
    connect(m_list, &QTreeWidget::itemClicked, this, &TBatchProfilesDlg::RowClicked);
    auto* listLabel = new QLabel(QStringLiteral("P&rofile in dieser Batch-Datei:"), this);
    listLabel->setBuddy(m_list);

    QPushButton* add = NamedButton("AddBtn", QStringLiteral("&Hinzufügen"), this);
    QPushButton* remove = NamedButton("RemoveBtn", QStringLiteral("&Entfernen"), this);
    QPushButton* toggle = NamedButton("ToggleBtn", QStringLiteral("&Bedingung umschalten"), this);
    m_up = NamedButton("UpBtn", QStringLiteral("▲"), this);
    m_up->setToolTip(QStringLiteral("Aufwärts bewegen"));
    m_down = NamedButton("DownBtn", QStringLiteral("▼"), this);
    m_down->setToolTip(QStringLiteral("Abwärts bewegen"));
    QPushButton* view = NamedButton("ViewBtn", QStringLiteral("&Ansehen"), this);
    QPushButton* open = NamedButton("OpenBtn", QStringLiteral("Ö&ffnen"), this);
    connect(add, &QPushButton::clicked, this, &TBatchProfilesDlg::Add);
    connect(remove, &QPushButton::clicked, this, &TBatchProfilesDlg::RemoveSelected);
    connect(toggle, &QPushButton::clicked, this, &TBatchProfilesDlg::ToggleContinuation);
    connect(m_up, &QPushButton::clicked, this, [this] { Move(true); });
    connect(m_down, &QPushButton::clicked, this, [this] { Move(false); });
    connect(view, &QPushButton::clicked, this, &TBatchProfilesDlg::View);
    connect(open, &QPushButton::clicked, this, &TBatchProfilesDlg::Open);
    m_needSelection = {remove, toggle, view, open};

    m_folder = NamedEdit("FolderEdt", {}, this);
    QPushButton* browse = NamedButton("BrowseBtn", QStringLiteral("..."), this);
    browse->setToolTip(QStringLiteral("Verzeichnis wählen"));
    connect(browse, &QPushButton::clicked, this, [this] {
        const QString chosen = QFileDialog::getExistingDirectory(this, QStringLiteral("Verzeichnis"), m_folder->text());
        if (chosen.isEmpty()) return;
        m_folder->setText(chosen);
        ReadFolder();
    });
    connect(m_folder, &QLineEdit::editingFinished, this, &TBatchProfilesDlg::ReadFolder);
    m_available = new cProfileList(m_folder, this);
    m_available->setDragEnabled(true);
    m_available->setObjectName(QStringLiteral("AvailableLst"));
    m_available->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_available->installEventFilter(this);
    connect(m_available, &QListWidget::itemClicked, this,
            [this](const QListWidgetItem* item) { m_name->setText(item->text()); });
    m_name = NamedEdit("NameEdt", {}, this);
    // Which of the two sources of a new entry the user was in last decides what "Hinzufügen" takes.
    m_name->installEventFilter(this);
    m_folder->installEventFilter(this);

    auto* side = new QVBoxLayout;
    for (QPushButton* button : {add, remove, toggle})
        side->addWidget(button);
    auto* arrows = new QHBoxLayout;
    arrows->addWidget(m_up);
    arrows->addWidget(m_down);
    side->addLayout(arrows);
    side->addWidget(view);
    side->addWidget(open);
    side->addStretch();
    auto* upper = new QHBoxLayout;
    upper->addWidget(m_list, 1);
    upper->addLayout(side);

    auto* lower = new QGridLayout;
    const auto label = [this](const QString& text, QWidget* buddy) {
        auto* l = new QLabel(text, this);
        l->setBuddy(buddy);
        return l;
    };
    lower->addWidget(label(QStringLiteral("Ausgewähltes &Verzeichnis:"), m_folder), 0, 0);
    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(m_folder, 1);
    folderRow->addWidget(browse);
    lower->addLayout(folderRow, 0, 1);
    lower->addWidget(label(QStringLiteral("Verfügbare &Profile:"), m_available), 1, 0, Qt::AlignTop);
    lower->addWidget(m_available, 1, 1);
    lower->addWidget(label(QStringLiteral("Ausgewähltes Pr&ofil:"), m_name), 2, 0);
    lower->addWidget(m_name, 2, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(listLabel);
    layout->addLayout(upper, 2);
    layout->addLayout(lower, 1);
    layout->addWidget(OkCancelHelp(this, kProfilesHelp));

    // The fields start at the first entry's folder.
    if (!m_entries.empty()) {
        m_folder->setText(FolderOf(m_entries.front()));
        m_name->setText(QString::fromStdString(m_entries.front().Name));
        ReadFolder();
    }
    ShowEntries(std::vector<bool>(m_entries.size(), false));
}

std::vector<int> TBatchProfilesDlg::SelectedRows() const {
    std::vector<int> rows;
    for (int i = 0; i < m_list->topLevelItemCount(); ++i)
        if (m_list->topLevelItem(i)->isSelected()) rows.push_back(i);
    return rows;
}

void TBatchProfilesDlg::ShowEntries(const std::vector<bool>& selected) {
    const QSignalBlocker blocker(m_list);
    m_list->clear();
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        const BatchEntry& entry = m_entries[i];
        auto* item = new QTreeWidgetItem(m_list, {QString::fromStdString(BatchEntryPath(entry)),
                                                  QString::fromUtf8(ContinuationText(entry.Continuation).data())});
        item->setSelected(i < selected.size() && selected[i]);
    }
    UpdateButtons();
}

void TBatchProfilesDlg::UpdateButtons() {
    const std::size_t count = SelectedRows().size();
    for (QPushButton* button : m_needSelection)
        button->setEnabled(count > 0);
    m_up->setEnabled(count > 0 && m_entries.size() >= 2);
    m_down->setEnabled(count > 0 && m_entries.size() >= 2);
}

void TBatchProfilesDlg::ReadFolder() {
    m_available->clear();
    const QString folder = QString::fromStdString(ExpandVariables(m_folder->text().toStdString(), m_params.DateOffset));
    m_available->addItems(QDir(folder).entryList({QStringLiteral("*.tvp")}, QDir::Files, QDir::Name));
}

void TBatchProfilesDlg::Add() {
    std::vector<BatchEntry> added;
    const QString folder = m_folder->text();
    const auto entryFor = [&](const QString& name) {
        return BatchEntryFor((folder + QLatin1Char('/') + name).toStdString());
    };
    if (m_availableHadFocus && !m_available->selectedItems().isEmpty()) {
        for (int i = 0; i < m_available->count(); ++i)
            if (m_available->item(i)->isSelected()) added.push_back(entryFor(m_available->item(i)->text()));
    } else if (!m_name->text().trimmed().isEmpty() && !folder.trimmed().isEmpty()) {
        added.push_back(entryFor(m_name->text().trimmed()));
    }
    added.erase(std::remove_if(added.begin(), added.end(), [](const BatchEntry& e) { return e.Name.empty(); }),
                added.end());
    if (added.empty()) return;
    const std::vector<int> rows = SelectedRows();
    const std::size_t at = rows.empty() ? m_entries.size() : static_cast<std::size_t>(rows.back()) + 1;
    m_entries.insert(m_entries.begin() + static_cast<std::ptrdiff_t>(at), added.begin(), added.end());
    std::vector<bool> selected(m_entries.size(), false);
    std::fill(selected.begin() + static_cast<std::ptrdiff_t>(at),
              selected.begin() + static_cast<std::ptrdiff_t>(at + added.size()), true);
    ShowEntries(selected);
}

void TBatchProfilesDlg::RemoveSelected() {
    const std::vector<int> rows = SelectedRows();
    for (auto row = rows.rbegin(); row != rows.rend(); ++row)
        m_entries.erase(m_entries.begin() + *row);
    ShowEntries(std::vector<bool>(m_entries.size(), false));
}

void TBatchProfilesDlg::ToggleContinuation() {
    std::vector<bool> selected(m_entries.size(), false);
    for (int row : SelectedRows()) {
        auto& entry = m_entries[static_cast<std::size_t>(row)];
        entry.Continuation = NextContinuation(entry.Continuation);
        selected[static_cast<std::size_t>(row)] = true;
    }
    ShowEntries(selected);
}

void TBatchProfilesDlg::Move(bool up) {
    std::vector<bool> selected(m_entries.size(), false);
    for (int row : SelectedRows())
        selected[static_cast<std::size_t>(row)] = true;
    MoveSelected(m_entries, selected, up);
    ShowEntries(selected);
}

void TBatchProfilesDlg::RowClicked() {
    const std::vector<int> rows = SelectedRows();
    if (rows.empty()) return;
    const BatchEntry& entry = m_entries[static_cast<std::size_t>(rows.front())];
    m_folder->setText(FolderOf(entry));
    m_name->setText(QString::fromStdString(entry.Name));
    ReadFolder();
}

void TBatchProfilesDlg::View() {
    for (int row : SelectedRows()) {
        cParameters profile;
        const std::string path =
            ExpandVariables(BatchEntryPath(m_entries[static_cast<std::size_t>(row)]), m_params.DateOffset);
        if (profile.ReadDocument(path) != 0) continue;
        auto* window = new TViewWnd(std::as_const(profile), this);
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->show();
    }
}

void TBatchProfilesDlg::Open() {
    for (int row : SelectedRows()) {
        const std::string path =
            ExpandVariables(BatchEntryPath(m_entries[static_cast<std::size_t>(row)]), m_params.DateOffset);
        QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path)));
    }
}

bool TBatchProfilesDlg::DropOnList(QDropEvent& event) {
    const QMimeData& dropped = *event.mimeData();
    const bool lines = dropped.hasFormat(kBatchLinesMime);
    const std::vector<BatchEntry> profiles = lines ? std::vector<BatchEntry>{} : DroppedProfiles(dropped);
    if (!lines && profiles.empty()) return false;
    // The copy action keeps the dragging list from removing its own lines: the dialog redraws them.
    event.setDropAction(Qt::CopyAction);
    event.accept();
    if (event.type() != QEvent::Drop) return true;
    QTreeWidgetItem* onto = m_list->itemAt(event.position().toPoint());
    const std::size_t before =
        onto ? static_cast<std::size_t>(m_list->indexOfTopLevelItem(onto)) : m_entries.size();
    std::vector<bool> selected(m_entries.size(), false);
    if (lines) {
        for (int row : SelectedRows())
            selected[static_cast<std::size_t>(row)] = true;
        MoveSelectedBefore(m_entries, selected, before);
    } else {
        m_entries.insert(m_entries.begin() + static_cast<std::ptrdiff_t>(before), profiles.begin(), profiles.end());
        selected.assign(m_entries.size(), false);
        std::fill(selected.begin() + static_cast<std::ptrdiff_t>(before),
                  selected.begin() + static_cast<std::ptrdiff_t>(before + profiles.size()), true);
    }
    ShowEntries(selected);
    return true;
}

void TBatchProfilesDlg::dragEnterEvent(QDragEnterEvent* event) {
    // Lines dragged out of the list onto the dialog are removed there.
    if (event->mimeData()->hasFormat(kBatchLinesMime)) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    }
}

void TBatchProfilesDlg::dropEvent(QDropEvent* event) {
    if (!event->mimeData()->hasFormat(kBatchLinesMime)) return;
    event->setDropAction(Qt::CopyAction);
    event->accept();
    RemoveSelected();
}

bool TBatchProfilesDlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_list->viewport() &&
        (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove || event->type() == QEvent::Drop))
        return DropOnList(*static_cast<QDropEvent*>(event));
    if (event->type() == QEvent::FocusIn && watched != m_list) m_availableHadFocus = watched == m_available;
    if (watched == m_list && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        RemoveSelected();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TBatchProfilesDlg::accept() {
    SetBatchEntries(m_params.Batch, m_entries);
    QDialog::accept();
}

bool EditBatchProfiles(QWidget* parent, cParameters& params) {
    TBatchProfilesDlg dialog(params, parent);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace ui
