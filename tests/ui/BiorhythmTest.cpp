// The biorhythm values and the chart's dates.
#include "ui/Biorhythm.h"
#include "platform/Clock.h"
#include "platform/FileTime.h"
#include "ui/BiorhythmChart.h"

#include <QTest>

class BiorhythmTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { platform::SetClock(std::nullopt); }

    void Values_data() {
        QTest::addColumn<int>("days");
        QTest::addColumn<int>("period");
        QTest::addColumn<double>("percent");
        QTest::newRow("day of birth") << 0 << 23 << 0.0;
        QTest::newRow("quarter period") << 7 << 28 << 100.0;
        QTest::newRow("half period") << 14 << 28 << 0.0;
        QTest::newRow("three quarters") << 21 << 28 << -100.0;
        QTest::newRow("whole period") << 23 << 23 << 0.0;
        QTest::newRow("before birth") << -7 << 28 << -100.0;
        QTest::newRow("before birth, three quarters back") << -21 << 28 << 100.0;
        QTest::newRow("long after birth") << 1000 * 28 + 7 << 28 << 100.0;
        QTest::newRow("one day, period 33") << 1 << 33 << 18.925124436041;
        QTest::newRow("one day, period 23") << 1 << 23 << 26.979677115;
    }
    void Values() {
        QFETCH(int, days);
        QFETCH(int, period);
        QFETCH(double, percent);
        QVERIFY2(std::abs(ui::BiorhythmValue(days, period) - percent) < 1e-6,
                 qPrintable(QString::number(ui::BiorhythmValue(days, period), 'g', 12)));
    }

    void ChartSpansFifteenDaysAroundTodayFromTheClock() {
        // 9 December 2026, 23:30 UTC is already 10 December in Berlin.
        platform::SetClock(platform::JoinFileTime(2026, 12, 9, 23, 30));
        const double birthDate = platform::DayNumberFromFileTime(platform::JoinFileTime(1990, 3, 4)) + 0.75;
        ui::cBiorhythmChart chart(birthDate, nullptr);
        const int today = platform::DayNumberFromFileTime(platform::JoinFileTime(2026, 12, 10));
        QCOMPARE(chart.FirstDay(), today - 15);
        QCOMPARE(chart.LastDay(), today + 15);
        QCOMPARE(chart.Title(), QStringLiteral("Biorhythmus"));
        QCOMPARE(chart.Subtitle(), QStringLiteral("für das Geburtsdatum 04.03.1990"));
        QVERIFY(chart.minimumHeight() >= 300);
        chart.resize(459, 300);
        QVERIFY(!chart.grab().isNull()); // draws without failing
    }
};

QTEST_MAIN(BiorhythmTest)
#include "BiorhythmTest.moc"
