#include "ui/SchedulerDialog.h"

#include "platform/GermanFormat.h"
#include "profile/Parameters.h"
#include "profile/ScheduleEdit.h"
#include "ui/DialogParts.h"
#include "ui/FillDialog.h"
#include "ui/ScheduleClock.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

#include <numeric>

namespace ui {

namespace {

constexpr int kSchedulerHelp = 4310;
constexpr int kMargin = 4;

std::vector<ScheduleEntry>& DocumentSchedule(cParameters& params) {
    return params.DocumentKind == kBatchDocument ? params.Batch.Schedule : params.Schedule;
}

QFont TimeFont() {
    QFont font(QStringLiteral("Courier New"), 10);
    font.setStyleHint(QFont::Monospace);
    font.setBold(true);
    return font;
}

// The cells of a row: the check, the time box, then Monday .. Sunday.
struct cRowCells {
    QRect Check;
    QRect Time;
    std::array<QRect, 7> Days;
};

cRowCells CellsOf(const QRect& row, const QFontMetrics& time, const QFontMetrics& text) {
    cRowCells cells;
    const int height = row.height() - 2 * kMargin;
    int x = row.left() + kMargin;
    cells.Check = QRect(x, row.top() + kMargin, height, height);
    x += height + 2 * kMargin;
    cells.Time = QRect(x, row.top() + kMargin, time.horizontalAdvance(QStringLiteral("00:00 ")) + 2 * kMargin, height);
    x += cells.Time.width() + 2 * kMargin;
    const int day = text.horizontalAdvance(QStringLiteral("Mo")) + 3 * kMargin;
    for (QRect& cell : cells.Days) {
        cell = QRect(x, row.top() + kMargin, day, height);
        x += day + kMargin;
    }
    return cells;
}

// Paints a row of the list: the entry's on/off check, its time in white on black, and its weekdays.
class cScheduleDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const auto entry = index.data(Qt::UserRole).value<ScheduleEntry>();
        const bool selected = (option.state & QStyle::State_Selected) != 0;
        p->save();
        p->fillRect(option.rect, option.palette.color(selected ? QPalette::Highlight : QPalette::Base));
        const cRowCells cells = CellsOf(option.rect, QFontMetrics(TimeFont()), option.fontMetrics);
        QStyleOptionButton check;
        check.rect = cells.Check;
        check.state = QStyle::State_Enabled | (ScheduleEntryActive(entry) ? QStyle::State_On : QStyle::State_Off);
        QApplication::style()->drawPrimitive(QStyle::PE_IndicatorCheckBox, &check, p);
        p->fillRect(cells.Time, Qt::black);
        p->setPen(Qt::white);
        p->setFont(TimeFont());
        const int minutes = ScheduleEntryMinutes(entry);
        p->drawText(cells.Time.adjusted(0, 0, -kMargin, 0), Qt::AlignRight | Qt::AlignVCenter,
                    QStringLiteral("%1:%2 ")
                        .arg(minutes / 60 % 24, 2, 10, QLatin1Char('0'))
                        .arg(minutes % 60, 2, 10, QLatin1Char('0')));
        p->setFont(option.font);
        for (int day = 0; day < 7; ++day) {
            const QRect& cell = cells.Days[static_cast<std::size_t>(day)];
            p->setPen(QColor(0xc0, 0xc0, 0xc0));
            p->drawRect(cell.adjusted(0, 0, -1, -1));
            if ((entry & ScheduleColumnBit(day)) == 0) continue;
            p->setPen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
            p->drawText(cell, Qt::AlignCenter, QString::fromUtf8(platform::ShortDayName((day + 1) % 7).data()));
        }
        p->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& /*index*/) const override {
        const int height = std::max(QFontMetrics(TimeFont()).height(), option.fontMetrics.height()) + 4 * kMargin;
        const cRowCells cells = CellsOf(QRect(0, 0, 0, height), QFontMetrics(TimeFont()), option.fontMetrics);
        return {cells.Days.back().right() + kMargin, height};
    }
};

} // namespace

TSchedulerDlg::TSchedulerDlg(cParameters& params, QWidget* parent)
    : QDialog(parent), m_params(params), m_entries(DocumentSchedule(params)) {
    setObjectName(QStringLiteral("SchedulerDlg"));
    setWindowTitle(QStringLiteral("Zeitplaner"));
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("ListBox"));
    m_list->setItemDelegate(new cScheduleDelegate(m_list));
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->viewport()->installEventFilter(this);
    m_list->setMinimumWidth(m_list->itemDelegate()->sizeHint(QStyleOptionViewItem(), {}).width() + 40);
    connect(m_list, &QListWidget::currentRowChanged, this, [this](int row) {
        m_selected = row;
        m_minus->setEnabled(row >= 0);
        m_clock->Show(m_entries, m_selected);
    });
    m_clock = new cScheduleClock(this);
    connect(m_clock, &cScheduleClock::HandPressed, this, &TSchedulerDlg::Select);
    connect(m_clock, &cScheduleClock::HandMoved, this, [this](int minutes) {
        if (m_selected < 0) return;
        ScheduleEntry& entry = m_entries[static_cast<std::size_t>(m_selected)];
        entry = WithScheduleMinutes(entry, minutes);
        ShowEntries();
    });
    connect(m_clock, &cScheduleClock::HandReleased, this, [this] { SortAndShow(m_selected); });

    QPushButton* plus = NamedButton("PlusBtn", QStringLiteral("+"), this);
    plus->setToolTip(QStringLiteral("Neuer Eintrag (Einfg)"));
    m_minus = NamedButton("MinusBtn", QStringLiteral("−"), this);
    m_minus->setToolTip(QStringLiteral("Eintrag löschen (Entf)"));
    QPushButton* fill = NamedButton("FillBtn", QStringLiteral("&Füllen..."), this);
    connect(plus, &QPushButton::clicked, this, &TSchedulerDlg::Add);
    connect(m_minus, &QPushButton::clicked, this, &TSchedulerDlg::Remove);
    connect(fill, &QPushButton::clicked, this, &TSchedulerDlg::Fill);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(plus);
    buttons->addWidget(m_minus);
    buttons->addWidget(fill);
    buttons->addStretch();
    auto* left = new QVBoxLayout;
    left->addWidget(m_list, 1);
    left->addLayout(buttons);
    auto* row = new QHBoxLayout;
    row->addLayout(left);
    row->addWidget(m_clock, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row, 1);
    layout->addWidget(OkCancelHelp(this, kSchedulerHelp));
    SortAndShow(m_entries.empty() ? -1 : 0);
}

void TSchedulerDlg::SortAndShow(int keep) {
    std::vector<int> order(m_entries.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [this](int a, int b) {
        return ScheduleEntryMinutes(m_entries[static_cast<std::size_t>(a)]) <
               ScheduleEntryMinutes(m_entries[static_cast<std::size_t>(b)]);
    });
    std::vector<ScheduleEntry> sorted;
    int selected = -1;
    for (std::size_t i = 0; i < order.size(); ++i) {
        sorted.push_back(m_entries[static_cast<std::size_t>(order[i])]);
        if (order[i] == keep) selected = static_cast<int>(i);
    }
    m_entries = std::move(sorted);
    m_selected = selected;
    ShowEntries();
}

void TSchedulerDlg::ShowEntries() {
    const QSignalBlocker blocker(m_list);
    if (m_list->count() != static_cast<int>(m_entries.size())) {
        m_list->clear();
        for (std::size_t i = 0; i < m_entries.size(); ++i)
            m_list->addItem(QString());
    }
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        QListWidgetItem* item = m_list->item(static_cast<int>(i));
        // The minutes as four digits, the order the list shows.
        item->setText(QStringLiteral("%1").arg(ScheduleEntryMinutes(m_entries[i]), 4, 10, QLatin1Char('0')));
        item->setData(Qt::UserRole, QVariant::fromValue(m_entries[i]));
    }
    m_list->setCurrentRow(m_selected);
    m_minus->setEnabled(m_selected >= 0);
    m_list->viewport()->update();
    m_clock->Show(m_entries, m_selected);
}

void TSchedulerDlg::Select(int index) {
    m_selected = index;
    ShowEntries();
}

void TSchedulerDlg::Add() {
    m_entries.push_back(kNewScheduleEntry);
    SortAndShow(static_cast<int>(m_entries.size()) - 1);
}

void TSchedulerDlg::Remove() {
    if (m_selected < 0) return;
    m_entries.erase(m_entries.begin() + m_selected);
    m_selected = std::min(m_selected, static_cast<int>(m_entries.size()) - 1);
    ShowEntries();
}

void TSchedulerDlg::Fill() {
    TFillDlg dialog(this);
    if (dialog.exec() != QDialog::Accepted) return;
    const std::vector<ScheduleEntry> added = dialog.Entries();
    m_entries.insert(m_entries.end(), added.begin(), added.end());
    SortAndShow(m_selected);
}

QRect TSchedulerDlg::ActiveCell(int row) const {
    const QRect rect = m_list->visualItemRect(m_list->item(row));
    return CellsOf(rect, QFontMetrics(TimeFont()), m_list->fontMetrics()).Check;
}

QRect TSchedulerDlg::DayCell(int row, int day) const {
    const QRect rect = m_list->visualItemRect(m_list->item(row));
    return CellsOf(rect, QFontMetrics(TimeFont()), m_list->fontMetrics()).Days[static_cast<std::size_t>(day)];
}

void TSchedulerDlg::ClickedAt(const QPoint& point) {
    const int row = m_list->row(m_list->itemAt(point));
    if (row < 0) return;
    m_selected = row;
    ScheduleEntry& entry = m_entries[static_cast<std::size_t>(row)];
    if (ActiveCell(row).contains(point)) entry = ToggleScheduleActive(entry);
    for (int day = 0; day < 7; ++day)
        if (DayCell(row, day).contains(point)) entry = ToggleScheduleDay(entry, day);
    ShowEntries();
}

bool TSchedulerDlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_list->viewport() && event->type() == QEvent::MouseButtonPress) {
        ClickedAt(static_cast<QMouseEvent*>(event)->position().toPoint());
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TSchedulerDlg::keyPressEvent(QKeyEvent* event) {
    if (event->modifiers() == Qt::NoModifier && event->key() == Qt::Key_Insert) {
        Add();
        return;
    }
    if (event->modifiers() == Qt::NoModifier && event->key() == Qt::Key_Delete && m_minus->isEnabled()) {
        Remove();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TSchedulerDlg::accept() {
    DocumentSchedule(m_params) = m_entries;
    QDialog::accept();
}

bool EditSchedule(QWidget* parent, cParameters& params) {
    TSchedulerDlg dialog(params, parent);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace ui
