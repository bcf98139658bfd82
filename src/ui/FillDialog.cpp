#include "ui/FillDialog.h"

#include "platform/GermanFormat.h"
#include "profile/ScheduleEdit.h"
#include "ui/DialogParts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>
#include <QTimeEdit>
#include <QVBoxLayout>

namespace ui {

namespace {

constexpr int kSchedulerHelp = 4310;

int MinutesOf(const QTimeEdit* edit) {
    return edit->time().hour() * 60 + edit->time().minute();
}

QTimeEdit* TimeEdit(const char* name, QTime time, QWidget* parent) {
    auto* edit = new QTimeEdit(time, parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setDisplayFormat(QStringLiteral("HH:mm"));
    return edit;
}

} // namespace

TFillDlg::TFillDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FillDlg"));
    setWindowTitle(QStringLiteral("Füllen"));
    m_from = TimeEdit("FromDtp", QTime(0, 0), this);
    m_to = TimeEdit("ToDtp", QTime(23, 59), this);
    m_every = new QSpinBox(this);
    m_every->setObjectName(QStringLiteral("EveryEdt"));
    // A step of 0 would fill without end.
    m_every->setRange(1, 1439);
    m_every->setValue(1);
    m_unit = new QComboBox(this);
    m_unit->setObjectName(QStringLiteral("EveryCbo"));
    m_unit->addItems({QStringLiteral("Minuten"), QStringLiteral("Stunden")});
    connect(m_unit, &QComboBox::currentIndexChanged, this, &TFillDlg::UnitChanged);

    auto* times = new QGridLayout;
    const auto addRow = [&](int row, const QString& caption, QWidget* field) {
        auto* label = new QLabel(caption, this);
        label->setBuddy(field);
        times->addWidget(label, row, 0);
        times->addWidget(field, row, 1);
    };
    addRow(0, QStringLiteral("&von"), m_from);
    addRow(1, QStringLiteral("&bis"), m_to);
    addRow(2, QStringLiteral("&alle"), m_every);
    times->addWidget(m_unit, 2, 2);
    times->setRowStretch(3, 1);

    auto* days = new QGroupBox(QStringLiteral("Wochentage"), this);
    auto* dayColumn = new QVBoxLayout(days);
    const char* names[] = {"MondayChk", "TuesdayChk",  "WednesdayChk", "ThursdayChk",
                           "FridayChk", "SaturdayChk", "SundayChk"};
    for (int day = 0; day < 7; ++day) {
        // The program's weekdays count from Sunday (0); the columns from Monday.
        const QString caption = QString::fromUtf8(platform::LongDayName((day + 1) % 7).data());
        m_days[static_cast<std::size_t>(day)] = NamedCheck(names[day], caption, false, days);
        dayColumn->addWidget(m_days[static_cast<std::size_t>(day)]);
    }
    m_problem = ProblemLabel("ProblemLbl", this);

    auto* row = new QHBoxLayout;
    row->addLayout(times);
    row->addWidget(days);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(m_problem);
    layout->addWidget(OkCancelHelp(this, kSchedulerHelp));
}

void TFillDlg::UnitChanged() {
    // QSpinBox lowers a value above the new maximum itself.
    m_every->setMaximum(m_unit->currentIndex() == 0 ? 1439 : 23);
}

ScheduleEntry TFillDlg::Weekdays() const {
    ScheduleEntry weekdays = 0;
    for (int day = 0; day < 7; ++day)
        if (m_days[static_cast<std::size_t>(day)]->isChecked()) weekdays |= ScheduleColumnBit(day);
    return weekdays;
}

std::vector<ScheduleEntry> TFillDlg::Entries() const {
    const int step = m_every->value() * (m_unit->currentIndex() == 1 ? 60 : 1);
    return FillSchedule(MinutesOf(m_from), MinutesOf(m_to), step, Weekdays());
}

void TFillDlg::accept() {
    QString problem;
    if (Weekdays() == 0)
        problem = QStringLiteral("Bitte wählen Sie mindestens einen Wochentag: Einträge ohne Wochentag laufen nie.");
    else if (MinutesOf(m_to) < MinutesOf(m_from))
        problem = QStringLiteral("\"bis\" liegt vor \"von\": es käme kein Eintrag hinzu.");
    if (!ShowProblem(m_problem, problem)) return;
    QDialog::accept();
}

} // namespace ui
