#include "ui/ListDialog.h"

#include "platform/Clock.h"
#include "platform/GermanFormat.h"
#include "ui/HardcopyDialog.h"

#include "engine/RunState.h"
#include "platform/Process.h"
#include "profile/Parameters.h"
#include "review/PreviewFigures.h"
#include "review/PreviewList.h"
#include "ui/FitLabel.h"
#include "ui/HardcopyDialog.h"
#include "ui/HelpWindow.h"
#include "ui/PreviewCompare.h"
#include "ui/PreviewDelegate.h"
#include "ui/PreviewModel.h"
#include "ui/RunCaption.h"

#include <QApplication>
#include <QButtonGroup>
#include <QContextMenuEvent>
#include <QDesktopServices>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>

namespace ui {

namespace {

constexpr int kHelpContext = 4920;
// Above these numbers a change shows the hourglass.
constexpr std::size_t kWaitRebuild = 500;
constexpr std::size_t kWaitSelection = 50;
constexpr int kSortByDate = 4;

class cWaitCursor {
public:
    explicit cWaitCursor(bool on) : m_on(on) {
        if (m_on) QApplication::setOverrideCursor(Qt::WaitCursor);
    }
    ~cWaitCursor() {
        if (m_on) QApplication::restoreOverrideCursor();
    }
    cWaitCursor(const cWaitCursor&) = delete;
    cWaitCursor& operator=(const cWaitCursor&) = delete;

private:
    bool m_on;
};

// Whether rebuilding the lines shows the hourglass.
bool ManyToRebuild(const cPreviewList& list) {
    return list.Run().Candidates.size() > kWaitRebuild;
}

// A root in bold, shortened in the middle when the strip is narrow.
QLabel* RootLabel(const char* name, const QString& text) {
    auto* label = new cFitLabel;
    label->setObjectName(QString::fromLatin1(name));
    label->SetFullText(text);
    label->setToolTip(text);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

QString RootText(const std::string& native, const std::string& root) {
    return QString::fromStdString(native.empty() ? root : native);
}

void ShowBalance(QLabel* label, std::int64_t balance, std::int64_t free) {
    if (!label) return;
    const auto text = PreviewBalanceText(balance, free);
    label->setText(text ? QStringLiteral("  ") + QString::fromStdString(text->Text) : QString());
    label->setStyleSheet(text && text->Missing ? QStringLiteral("color: red;") : QString());
    label->setProperty("missing", text && text->Missing);
}

struct cFilterButton {
    const char* Name;
    const char* Text;
    const char* Hint;
    ePreviewFilter Filter;
};

const cFilterButton kFilterButtons[] = {
    {"FiltersA1Btn", "Doppelt", "Filter: doppelte Änderungen", ePreviewFilter::DoubleModified},
    {"FiltersA2Btn", "Größe", "Filter: Größenunterschiede", ePreviewFilter::SizeDiffers},
    {"FiltersA3Btn", "Eigenschaften", "Filter: unterschiedliche Eigenschaften", ePreviewFilter::PropertiesDiffer},
    {"FiltersB1Btn", "Vorwärts", "Filter: Vorwärts", ePreviewFilter::Forward},
    {"FiltersB2Btn", "Überspringen", "Filter: Überspringen", ePreviewFilter::Skip},
    {"FiltersB3Btn", "Löschen", "Filter: Löschen", ePreviewFilter::Delete},
    {"FiltersB4Btn", "Rückwärts", "Filter: Rückwärts", ePreviewFilter::Backward},
};

struct cSortButton {
    const char* Name;
    const char* Text;
    const char* Hint;
};

const cSortButton kSortButtons[] = {
    {"Sort1Btn", "Pfad", "Sortierung nach Pfad"},
    {"Sort2Btn", "Name", "Sortierung nach Name"},
    {"Sort3Btn", "Typ", "Sortierung nach Typ"},
    {"Sort4Btn", "Größe", "Sortierung nach Größe"},
    {"Sort5Btn", "Datum", "Sortierung nach Datum/Uhrzeit"},
    {"Sort6Btn", "Kategorie", "Sortierung nach Kategorie"},
};

struct cActionButton {
    const char* Name;
    const char* Text;
    ActionFlags Action;
};

const cActionButton kActionButtons[] = {
    {"ForwardBtn", "&Vorwärts", kActionForward},
    {"SkipBtn", "&Überspringen", kActionSkip},
    {"DeleteBtn", "&Löschen", kActionDelete},
    {"BackwardBtn", "&Rückwärts", kActionBackward},
};

} // namespace

TListDlg::TListDlg(const cParameters& params, cRunState& run, QWidget* parent)
    : QDialog(parent), m_list(std::make_unique<cPreviewList>(run)), m_model(new cPreviewModel(*m_list, this)),
      m_view(new QListView) {
    setObjectName(QStringLiteral("ListDlg"));
    setWindowTitle(RunCaption(params));
    setSizeGripEnabled(true);

    m_view->setObjectName(QStringLiteral("List"));
    const cPreviewParameters& preview = run.RunPreview;
    if (!preview.FontName.empty() && QFontDatabase::hasFamily(QString::fromStdString(preview.FontName))) {
        QFont font(QString::fromStdString(preview.FontName));
        if (preview.FontSize > 0) font.setPointSize(preview.FontSize);
        m_view->setFont(font);
    }
    m_view->setModel(m_model);
    m_view->setItemDelegate(new cPreviewDelegate(*m_list, PreviewColoursOf(preview, m_view->palette()), m_view));
    m_view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_view->setUniformItemSizes(false);
    m_view->setContextMenuPolicy(Qt::CustomContextMenu);
    m_view->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_view->installEventFilter(this);
    m_view->viewport()->installEventFilter(this);
    if (m_model->rowCount() > 0) m_view->setCurrentIndex(m_model->index(0));
    connect(m_view, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        const QModelIndex index = m_view->indexAt(pos);
        if (index.isValid() && !m_view->selectionModel()->isSelected(index)) {
            m_view->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
        }
        ShowMenu(m_view->viewport()->mapToGlobal(pos));
    });
    connect(m_view->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] { UpdateButtons(); });
    connect(m_model, &QAbstractItemModel::modelReset, this, [this] { UpdateButtons(); });
    connect(m_model, &cPreviewModel::FiguresChanged, this, [this] { UpdateFigures(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BuildHeader(params));
    layout->addWidget(BuildButtonBar());
    layout->addWidget(m_view, 1);
    layout->addWidget(BuildBottomRow());
    setMinimumSize(minimumSizeHint().expandedTo(QSize(800, 300)));
    resize(qMax(900, sizeHint().width()), 520);
    UpdateFigures();
    UpdateButtons();
    m_view->setFocus();
}

TListDlg::~TListDlg() = default;

QWidget* TListDlg::BuildHeader(const cParameters& params) {
    const cRunState& run = m_list->Run();
    auto* header = new QWidget;
    header->setObjectName(QStringLiteral("HeaderPnl"));
    auto* grid = new QHBoxLayout(header);
    grid->setContentsMargins(0, 0, 0, 0);

    m_sourceBalance = new QLabel;
    m_sourceBalance->setObjectName(QStringLiteral("SourceBalanceLbl"));
    grid->addWidget(RootLabel("SourceRootLbl", RootText(run.NativeSourceRoot, run.SourceRoot)), 1);
    grid->addWidget(m_sourceBalance);

    auto* reread = new QPushButton(QStringLiteral("Freien Platz auf Datenträgern neu lesen"));
    reread->setObjectName(QStringLiteral("RereadBtn"));
    reread->setAutoDefault(false);
    connect(reread, &QPushButton::clicked, this, [this] {
        cWaitCursor wait(true);
        m_model->RereadFreeSpace();
    });
    grid->addSpacing(8);
    grid->addWidget(reread);
    grid->addSpacing(8);

    QString dest = RootText(run.NativeDestRoot, run.DestRoot);
    m_ftp = params.DestType == eDestType::Ftp;
    m_folderDest = params.DestType == eDestType::Directory;
    m_compareA = params.Programm.CompareA;
    m_compareB = params.Programm.CompareB;
    if (m_ftp) {
        dest = QString::fromStdString(params.DestServer);
    } else if (params.DestType == eDestType::Zip) {
        const std::string& archive =
            params.ResolvedArchiveName.empty() ? params.DestArchive : params.ResolvedArchiveName;
        dest = QStringLiteral("%1 (in \"%2\")").arg(dest, QString::fromStdString(archive));
    }
    grid->addWidget(RootLabel("DestRootLbl", dest), 1);
    if (!m_ftp) {
        m_destBalance = new QLabel;
        m_destBalance->setObjectName(QStringLiteral("DestBalanceLbl"));
        grid->addWidget(m_destBalance);
    }
    return header;
}

QAbstractButton* TListDlg::ToolButton(const char* name, const QString& text, const QString& hint, bool checkable) {
    auto* button = new QToolButton;
    button->setObjectName(QString::fromLatin1(name));
    button->setText(text);
    button->setToolTip(hint);
    button->setCheckable(checkable);
    button->setAutoRaise(false);
    button->setFocusPolicy(Qt::TabFocus);
    return button;
}

QWidget* TListDlg::BuildButtonBar() {
    auto* bar = new QWidget;
    bar->setObjectName(QStringLiteral("ButtonBar"));
    // A click on the bar between its buttons sorts by date and time.
    bar->installEventFilter(this);
    m_buttonBar = bar;
    auto* rows = new QVBoxLayout(bar);
    rows->setContentsMargins(0, 0, 0, 0);
    auto* top = new QHBoxLayout;
    auto* bottom = new QHBoxLayout;
    rows->addLayout(top);
    rows->addLayout(bottom);

    auto* lines = new QButtonGroup(bar);
    QAbstractButton* one =
        ToolButton("Lines1Btn", QStringLiteral("Einzeilig"), QStringLiteral("Anzeige einzeilig"), true);
    QAbstractButton* two =
        ToolButton("Lines2Btn", QStringLiteral("Zweizeilig"), QStringLiteral("Anzeige zweizeilig"), true);
    lines->addButton(one);
    lines->addButton(two);
    (m_list->OneLine() ? one : two)->setChecked(true);
    connect(one, &QAbstractButton::clicked, this, [this] {
        cWaitCursor wait(ManyToRebuild(*m_list));
        m_model->SetOneLine(true);
    });
    connect(two, &QAbstractButton::clicked, this, [this] {
        cWaitCursor wait(ManyToRebuild(*m_list));
        m_model->SetOneLine(false);
    });
    top->addWidget(one);
    top->addWidget(two);
    top->addSpacing(12);

    auto* sorts = new QButtonGroup(bar);
    for (int mode = 0; mode < static_cast<int>(std::size(kSortButtons)); ++mode) {
        const cSortButton& s = kSortButtons[mode];
        QAbstractButton* button = ToolButton(s.Name, QString::fromUtf8(s.Text), QString::fromUtf8(s.Hint), true);
        button->setChecked(mode == m_list->SortMode());
        sorts->addButton(button, mode);
        if (mode == kSortByDate) m_dateSortButton = button;
        connect(button, &QAbstractButton::clicked, this, [this, mode] {
            cWaitCursor wait(ManyToRebuild(*m_list));
            m_model->SetSortMode(mode);
        });
        top->addWidget(button);
    }
    top->addSpacing(12);

    auto* orders = new QButtonGroup(bar);
    QAbstractButton* falling =
        ToolButton("Order1Btn", QStringLiteral("Absteigend"), QStringLiteral("Sortierung absteigend"), true);
    QAbstractButton* rising =
        ToolButton("Order2Btn", QStringLiteral("Aufsteigend"), QStringLiteral("Sortierung aufsteigend"), true);
    orders->addButton(falling);
    orders->addButton(rising);
    (m_list->ReverseOrder() ? rising : falling)->setChecked(true);
    connect(falling, &QAbstractButton::clicked, this, [this] {
        cWaitCursor wait(ManyToRebuild(*m_list));
        m_model->SetReverseOrder(false);
    });
    connect(rising, &QAbstractButton::clicked, this, [this] {
        cWaitCursor wait(ManyToRebuild(*m_list));
        m_model->SetReverseOrder(true);
    });
    top->addWidget(falling);
    top->addWidget(rising);
    top->addStretch(1);

    for (std::size_t i = 0; i < std::size(kFilterButtons); ++i) {
        const cFilterButton& f = kFilterButtons[i];
        QAbstractButton* button = ToolButton(f.Name, QString::fromUtf8(f.Text), QString::fromUtf8(f.Hint), true);
        button->setChecked(m_list->Filter(f.Filter));
        connect(button, &QAbstractButton::clicked, this, [this, filter = f.Filter] {
            cWaitCursor wait(ManyToRebuild(*m_list));
            m_model->ToggleFilter(filter);
        });
        bottom->addWidget(button);
        if (i == 2) bottom->addSpacing(12);
    }
    bottom->addSpacing(12);

    const char* const names[] = {"ForwardCountLbl", "SkipCountLbl", "BackwardCountLbl", "DeleteCountLbl",
                                 "TransferLbl"};
    const char* const hints[] = {"Anzahl Dateien der Kategorie Vorwärts", "Anzahl Dateien der Kategorie Überspringen",
                                 "Anzahl Dateien der Kategorie Rückwärts", "Anzahl Dateien der Kategorie Löschen", ""};
    const cPreviewColours colours = PreviewColoursOf(m_list->Run().RunPreview, palette());
    const QColor textColours[] = {colours.Forward, colours.Skip, colours.Backward, colours.Delete, QColor()};
    for (std::size_t i = 0; i < m_figures.size(); ++i) {
        auto* label = new QLabel;
        label->setObjectName(QString::fromLatin1(names[i]));
        label->setToolTip(QString::fromUtf8(hints[i]));
        if (textColours[i].isValid()) {
            QPalette pal = label->palette();
            pal.setColor(QPalette::WindowText, textColours[i]);
            label->setPalette(pal);
        }
        m_figures[i] = label;
        bottom->addSpacing(8);
        bottom->addWidget(label);
    }
    bottom->addStretch(1);
    return bar;
}

QWidget* TListDlg::BuildBottomRow() {
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    for (const cActionButton& a : kActionButtons) {
        auto* button = new QPushButton(QString::fromUtf8(a.Text));
        button->setObjectName(QString::fromLatin1(a.Name));
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [this, action = a.Action] { SetSelectedAction(action); });
        m_actionButtons.push_back(button);
        layout->addWidget(button);
    }
    layout->addSpacing(12);
    auto* print = new QPushButton(QStringLiteral("&Drucken"));
    print->setObjectName(QStringLiteral("PrintBtn"));
    print->setAutoDefault(false);
    connect(print, &QPushButton::clicked, this, &TListDlg::PrintList);
    layout->addWidget(print);
    auto* help = new QPushButton(QStringLiteral("&Hilfe"));
    help->setObjectName(QStringLiteral("HelpBtn"));
    help->setAutoDefault(false);
    connect(help, &QPushButton::clicked, this, [this] { ShowHelp(this, kHelpContext); });
    layout->addWidget(help);
    layout->addStretch(1);
    auto* ok = new QPushButton(QStringLiteral("OK"));
    ok->setObjectName(QStringLiteral("OkBtn"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* cancel = new QPushButton(QStringLiteral("Abbruch"));
    cancel->setObjectName(QStringLiteral("CancelBtn"));
    cancel->setAutoDefault(false);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    layout->addWidget(ok);
    layout->addWidget(cancel);
    return row;
}

void TListDlg::UpdateFigures() {
    const cRunState& run = m_list->Run();
    const int counts[] = {run.PlannedForward, run.PlannedSkip, run.PlannedBackward, run.PlannedDelete};
    for (std::size_t i = 0; i < 4; ++i)
        m_figures[i]->setText(QString::fromStdString(PreviewCountText(counts[i])));
    m_figures[4]->setText(QString::fromStdString(PreviewTransferText(run.BytesToCopy)));
    ShowBalance(m_sourceBalance, run.SourceBalance, run.SourceFree);
    if (!m_ftp) ShowBalance(m_destBalance, run.DestBalance, run.DestFree);
}

void TListDlg::UpdateButtons() {
    const bool any = m_view->selectionModel()->hasSelection();
    for (QPushButton* button : m_actionButtons)
        button->setEnabled(any);
}

std::vector<int> TListDlg::SelectedRows() const {
    std::vector<int> rows;
    for (const QModelIndex& index : m_view->selectionModel()->selectedIndexes())
        rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

void TListDlg::SetSelectedAction(ActionFlags action) {
    const std::vector<int> rows = SelectedRows();
    cWaitCursor wait(rows.size() > kWaitSelection);
    m_model->SetAction(rows, action);
}

void TListDlg::PrintList() {
    const QString title = windowTitle() + QStringLiteral(" - ") +
                          QString::fromStdString(platform::FormatDateTime("ddddd t", platform::NowLocal()));
    THardcopyDlg dialog(*m_list, title, this);
    dialog.exec();
}

std::vector<std::string> TListDlg::SelectedFiles() const {
    if (m_folderDest) return FilesToOpen(*m_list, SelectedRows());
    // The files of a zip archive or an FTP server are not at hand: their side is left out, the source files open.
    std::vector<std::string> files;
    for (const int row : SelectedRows()) {
        if (m_model->IsFolder(row) || m_list->CandidateAt(static_cast<std::size_t>(row)).SourceTime == 0) continue;
        files.push_back(FilesToOpen(*m_list, {row}).front());
    }
    return files;
}

bool TListDlg::AnyFileSelected() const {
    const std::vector<int> rows = SelectedRows();
    return std::any_of(rows.begin(), rows.end(), [this](int row) { return !m_model->IsFolder(row); });
}

std::vector<std::string> TListDlg::CopiesForOpening() {
    std::vector<std::string> copies;
    for (const std::string& file : SelectedFiles()) {
        std::string copy = CopyForOpening(file);
        if (!copy.empty()) copies.push_back(std::move(copy));
    }
    if (m_folderDest) return copies;
    for (const int row : SelectedRows()) {
        if (m_model->IsFolder(row)) continue;
        const cCandidate& candidate = m_list->CandidateAt(static_cast<std::size_t>(row));
        std::string copy = FetchForOpening(this, windowTitle(), m_list->Run(), candidate);
        if (!copy.empty()) copies.push_back(std::move(copy));
    }
    return copies;
}

void TListDlg::OpenSelected() {
    for (const std::string& copy : CopiesForOpening())
        QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(copy)));
}

std::optional<cComparePair> TListDlg::PairToCompare(bool sameSizeOnly) {
    std::optional<cComparePair> pair =
        sameSizeOnly ? InternalComparePair(*m_list, SelectedRows()) : ComparePairOf(*m_list, SelectedRows());
    if (!pair || m_folderDest) return pair;
    // The archive's or the server's file is compared as a copy fetched for it.
    const cCandidate& candidate = m_list->CandidateAt(static_cast<std::size_t>(SelectedRows().front()));
    pair->Dest = FetchForOpening(this, windowTitle(), m_list->Run(), candidate);
    if (pair->Dest.empty()) return std::nullopt;
    return pair;
}

bool TListDlg::CompareSelected() {
    const std::optional<cComparePair> pair = PairToCompare(true);
    if (!pair) return false;
    CompareInternally(this, windowTitle(), *pair);
    return true;
}

bool TListDlg::CompareSelectedExternally() {
    if (m_compareA.empty()) return false;
    const std::optional<cComparePair> pair = PairToCompare(false);
    if (!pair) return false;
    platform::StartCommand(ExternalCompareCommand(m_compareA, m_compareB, *pair));
    return true;
}

void TListDlg::CloseFocusedFolder() {
    const int row = m_model->CloseFolderOf(m_view->currentIndex().row());
    if (m_model->rowCount() == 0) return;
    const QModelIndex folder = m_model->index(row);
    m_view->setCurrentIndex(folder);
    m_view->scrollTo(folder, QAbstractItemView::PositionAtTop);
}

void TListDlg::ShowMenu(const QPoint& globalPos) {
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("ListMenu"));
    const bool any = m_view->selectionModel()->hasSelection();
    if (any) {
        for (const cActionButton& a : kActionButtons)
            menu.addAction(QString::fromUtf8(a.Text), this, [this, action = a.Action] { SetSelectedAction(action); });
        menu.addSeparator();
        QAction* open = menu.addAction(QStringLiteral("&Öffnen"), this, [this] { OpenSelected(); });
        open->setObjectName(QStringLiteral("OpenAct"));
        open->setEnabled(AnyFileSelected());
        QAction* compare = menu.addAction(QStringLiteral("&Intern vergleichen"), this, [this] { CompareSelected(); });
        compare->setObjectName(QStringLiteral("CompareInternalAct"));
        compare->setEnabled(InternalComparePair(*m_list, SelectedRows()).has_value());
        QAction* external =
            menu.addAction(QStringLiteral("&Extern vergleichen"), this, [this] { CompareSelectedExternally(); });
        external->setObjectName(QStringLiteral("CompareExternalAct"));
        external->setEnabled(!m_compareA.empty() && ComparePairOf(*m_list, SelectedRows()));
        menu.addSeparator();
        menu.addAction(QStringLiteral("&Diesen Ordner schließen"), this, [this] { CloseFocusedFolder(); });
    }
    menu.addAction(QStringLiteral("&Alle Ordner öffnen"), this, [this] {
        cWaitCursor wait(ManyToRebuild(*m_list));
        m_model->SetAllFolders(true);
    });
    menu.addAction(QStringLiteral("Alle Ordner &schließen"), this, [this] {
        cWaitCursor wait(ManyToRebuild(*m_list));
        m_model->SetAllFolders(false);
    });
    menu.exec(globalPos);
}

bool TListDlg::ListKey(int key, Qt::KeyboardModifiers modifiers) {
    const bool shift = modifiers.testFlag(Qt::ShiftModifier);
    // Insert and Delete set actions alone or with Shift (the keypad's keys as well); with Ctrl or Alt they
    // are left to the list.
    const bool plain = (modifiers & ~(Qt::ShiftModifier | Qt::KeypadModifier)) == Qt::NoModifier;
    const int row = m_view->currentIndex().row();
    switch (key) {
    case Qt::Key_Insert:
        if (!plain) return false;
        SetSelectedAction(shift ? kActionForward : kActionSkip);
        return true;
    case Qt::Key_Delete:
        if (!plain) return false;
        SetSelectedAction(shift ? kActionBackward : kActionDelete);
        return true;
    case Qt::Key_Space:
        // Opens or closes a folder line; on a file line the list selects as usual. Enter is left to the
        // dialog, where it is OK on every line.
        if (!m_model->IsFolder(row)) return false;
        m_model->ToggleFolder(row);
        m_view->setCurrentIndex(m_model->index(row));
        return true;
    case Qt::Key_Plus:
        // Opens the focused folder line.
        if (!m_model->IsFolder(row)) return false;
        if (!m_model->List().FolderAt(static_cast<std::size_t>(row)).Expanded) m_model->ToggleFolder(row);
        m_view->setCurrentIndex(m_model->index(row));
        return true;
    case Qt::Key_Minus: {
        // Closes the folder of the focused line and keeps the focus on its folder line.
        if (row < 0) return false;
        const QModelIndex folder = m_model->index(m_model->CloseFolderOf(row));
        m_view->setCurrentIndex(folder);
        m_view->scrollTo(folder);
        return true;
    }
    case Qt::Key_Menu: {
        const QRect rect = m_view->visualRect(m_view->currentIndex());
        ShowMenu(m_view->viewport()->mapToGlobal(rect.isValid() ? rect.center() : QPoint()));
        return true;
    }
    case Qt::Key_F1:
        ShowHelp(this, kHelpContext);
        return true;
    default:
        return false;
    }
}

bool TListDlg::ViewportMouse(QEvent* event) {
    auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() != Qt::LeftButton) return false;
    const QPoint pos = mouse->position().toPoint();
    const QModelIndex index = m_view->indexAt(pos);
    if (!index.isValid()) return false;
    const QRect rect = m_view->visualRect(index);
    const bool dbl = event->type() == QEvent::MouseButtonDblClick;
    // A double-click acts once: where its first press already acted, the second does nothing more.
    if (m_model->IsFolder(index.row())) {
        const bool onIcon = pos.x() < rect.left() + kPreviewIconColumn;
        if (dbl == onIcon) return dbl;
        m_model->ToggleFolder(index.row());
        m_view->setCurrentIndex(m_model->index(index.row()));
        return true;
    }
    const bool onCycler = PreviewCyclesAt(rect, pos.x());
    if (dbl != onCycler) m_model->CycleAction(index.row());
    return dbl;
}

bool TListDlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_view && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        return ListKey(key->key(), key->modifiers()) || QDialog::eventFilter(watched, event);
    }
    // The window system follows the context-menu key with a context-menu event for the focused widget as well;
    // the key alone opens the menu, at the focused line.
    if (watched == m_view && event->type() == QEvent::ContextMenu &&
        static_cast<QContextMenuEvent*>(event)->reason() == QContextMenuEvent::Keyboard)
        return true;
    if (watched == m_buttonBar && event->type() == QEvent::MouseButtonPress) {
        // Only a click on the bar itself: a label's press also passes by on its way up.
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton && !m_buttonBar->childAt(mouse->position().toPoint())) {
            m_dateSortButton->click();
            return true;
        }
    }
    if (watched == m_view->viewport() &&
        (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick))
        return ViewportMouse(event) || QDialog::eventFilter(watched, event);
    return QDialog::eventFilter(watched, event);
}

} // namespace ui
