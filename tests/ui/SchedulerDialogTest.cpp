// The scheduler dialog: clicks on the list's cells, plus and minus, dragging a hand, filling, and what OK and
// Cancel leave in the document.
#include "ui/SchedulerDialog.h"
#include "profile/Parameters.h"
#include "profile/ScheduleEdit.h"
#include "ui/FillDialog.h"
#include "ui/ScheduleClock.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimeEdit>
#include <QTimer>

#include <cmath>

namespace {

constexpr ScheduleEntry kWeekdays0730 = 0x7C00'01C2u; // Monday to Friday, 07:30

QPoint CentreOf(const QRect& rect) {
    return rect.center();
}

} // namespace

class SchedulerDialogTest : public QObject {
    Q_OBJECT

private slots:
    // A click on the check switches the entry off, a click on a weekday switches that day; OK stores the list
    // sorted by time into the profile; Cancel leaves it alone.
    void CellsSwitchAndOkStoresSorted() {
        for (const bool ok : {true, false}) {
            cParameters params;
            params.DocumentKind = kProfileDocument;
            params.Schedule = {MakeScheduleEntry(true, kWeekdays0730, 1200), kWeekdays0730};
            const std::vector<ScheduleEntry> before = params.Schedule;
            ui::TSchedulerDlg dialog(params, nullptr);
            dialog.show();
            QVERIFY(QTest::qWaitForWindowExposed(&dialog));
            QCOMPARE(ScheduleEntryMinutes(dialog.Entries()[0]), 450);
            auto* viewport = dialog.findChild<QListWidget*>("ListBox")->viewport();
            QTest::mouseClick(viewport, Qt::LeftButton, {}, CentreOf(dialog.ActiveCell(0)));
            QTest::mouseClick(viewport, Qt::LeftButton, {}, CentreOf(dialog.DayCell(0, 0)));
            QTest::mouseClick(viewport, Qt::LeftButton, {}, CentreOf(dialog.DayCell(1, 6)));
            QCOMPARE(dialog.Entries()[0], 0xBC00'01C2u);                                // off, Tuesday to Friday
            QCOMPARE(dialog.Entries()[1], MakeScheduleEntry(true, 0x7D00'0000u, 1200)); // with Sunday
            dialog.findChild<QPushButton*>(ok ? "OkBtn" : "CancelBtn")->click();
            if (ok)
                QCOMPARE(params.Schedule, dialog.Entries());
            else
                QCOMPARE(params.Schedule, before);
        }
    }

    // Plus (or Insert) adds 00:00 Monday to Friday and selects it; minus (or Delete) removes the selected entry
    // and selects the one at its place, or the last.
    void PlusAndMinusWithTheirKeys() {
        cParameters params;
        params.DocumentKind = kBatchDocument;
        params.Batch.Schedule = {kWeekdays0730, MakeScheduleEntry(true, kWeekdays0730, 1200)};
        ui::TSchedulerDlg dialog(params, nullptr);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTest::keyClick(&dialog, Qt::Key_Insert);
        QCOMPARE(dialog.Entries().size(), std::size_t{3});
        QCOMPARE(dialog.Entries()[0], kNewScheduleEntry);
        QCOMPARE(dialog.Selected(), 0);
        dialog.findChild<QListWidget*>("ListBox")->setCurrentRow(2);
        QTest::keyClick(&dialog, Qt::Key_Delete);
        QCOMPARE(dialog.Entries().size(), std::size_t{2});
        QCOMPARE(dialog.Selected(), 1);
        dialog.findChild<QPushButton*>("MinusBtn")->click();
        dialog.findChild<QPushButton*>("MinusBtn")->click();
        QVERIFY(dialog.Entries().empty());
        QVERIFY(!dialog.findChild<QPushButton*>("MinusBtn")->isEnabled());
        QTest::keyClick(&dialog, Qt::Key_Delete); // nothing selected: nothing happens
        dialog.findChild<QPushButton*>("OkBtn")->click();
        QVERIFY(params.Batch.Schedule.empty());
    }

    // Dragging the 07:30 hand to three o'clock on the afternoon dial sets 15:00; the entry moves to its place
    // and stays selected.
    void DraggingAHandSetsItsTime() {
        cParameters params;
        params.DocumentKind = kProfileDocument;
        params.Schedule = {kWeekdays0730, MakeScheduleEntry(true, kWeekdays0730, 780), // 13:00
                           MakeScheduleEntry(true, kWeekdays0730, 1320)};
        ui::TSchedulerDlg dialog(params, nullptr);
        dialog.resize(900, 400);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto* clock = dialog.findChild<ui::cScheduleClock*>("ClockLst");
        // The 13:00 hand points at one o'clock on the second dial.
        const QPointF centre = clock->Centre(1);
        const double radius = clock->Radius();
        const QPoint grip = (centre + QPointF(radius * 0.5 * 0.5, -radius * 0.5 * 0.866)).toPoint();
        QTest::mousePress(clock, Qt::LeftButton, {}, grip);
        QCOMPARE(dialog.Selected(), 1);
        QTest::mouseMove(clock, (centre + QPointF(radius * 0.6, 0)).toPoint());
        QTest::mouseRelease(clock, Qt::LeftButton, {}, (centre + QPointF(radius * 0.6, 0)).toPoint());
        QCOMPARE(ScheduleEntryMinutes(dialog.Entries()[1]), 900);
        QCOMPARE(dialog.Selected(), 1);
        QTest::mousePress(clock, Qt::LeftButton, {}, (centre + QPointF(radius * 0.3, 0)).toPoint());
        // 225.25 degrees, far out so that whole pixels do not move the angle: 450 minutes after noon.
        const double radians = 225.25 * 3.14159265358979 / 180.0;
        const QPoint far = (centre + 1000.0 * QPointF(std::sin(radians), -std::cos(radians))).toPoint();
        QTest::mouseMove(clock, far);
        QTest::mouseRelease(clock, Qt::LeftButton, {}, far);
        QCOMPARE(ScheduleEntryMinutes(dialog.Entries()[1]), 1170); // 19:30, still before 22:00
        QCOMPARE(dialog.Selected(), 1);
        QCOMPARE(ScheduleEntryMinutes(dialog.Entries()[2]), 1320);
    }

    // "Füllen..." adds the filled entries to those there; a step unit of hours caps the step at 23.
    void FillAddsToTheList() {
        cParameters params;
        params.DocumentKind = kProfileDocument;
        params.Schedule = {kWeekdays0730};
        ui::TSchedulerDlg dialog(params, nullptr);
        QTimer::singleShot(0, [] {
            auto* fill = dynamic_cast<ui::TFillDlg*>(QApplication::activeModalWidget());
            if (!fill) return;
            fill->findChild<QTimeEdit*>("FromDtp")->setTime(QTime(8, 0));
            fill->findChild<QTimeEdit*>("ToDtp")->setTime(QTime(9, 0));
            fill->findChild<QSpinBox*>("EveryEdt")->setValue(30);
            fill->findChild<QPushButton*>("OkBtn")->click(); // no weekday: refused
            fill->findChild<QCheckBox*>("MondayChk")->setChecked(true);
            fill->findChild<QPushButton*>("OkBtn")->click();
        });
        dialog.Fill();
        QCOMPARE(dialog.Entries().size(), std::size_t{4});
        QCOMPARE(dialog.Entries()[0], kWeekdays0730);
        for (int i = 1; i <= 3; ++i)
            QCOMPARE(dialog.Entries()[static_cast<std::size_t>(i)],
                     MakeScheduleEntry(true, ScheduleColumnBit(0), 480 + 30 * (i - 1)));

        ui::TFillDlg fill;
        fill.findChild<QSpinBox*>("EveryEdt")->setValue(90);
        fill.findChild<QComboBox*>("EveryCbo")->setCurrentIndex(1);
        QCOMPARE(fill.findChild<QSpinBox*>("EveryEdt")->value(), 23);
        fill.findChild<QCheckBox*>("SundayChk")->setChecked(true);
        QCOMPARE(fill.Entries().size(), std::size_t{2}); // 00:00 and 23:00
    }
};

QTEST_MAIN(SchedulerDialogTest)
#include "SchedulerDialogTest.moc"
