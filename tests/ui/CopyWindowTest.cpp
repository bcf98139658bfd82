// The progress window: its figures from the program's clock, the clock standing still while paused, and the
// buttons that interrupt the copy or stop the run.
#include "ui/CopyWindow.h"
#include "platform/Clock.h"
#include "profile/Parameters.h"
#include "ui/CopyBar.h"
#include "ui/FitLabel.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

namespace {

constexpr platform::FileTime kStart = 134100000000000000; // some day in 2025
constexpr platform::FileTime kSecond = platform::kTicksPerSecond;
constexpr std::int64_t kMiB = 1024 * 1024;

QString Text(QWidget& window, const char* label) {
    auto* child = window.findChild<QLabel*>(QLatin1String(label));
    if (child == nullptr) qFatal("no label %s", label);
    return child->text();
}

QPushButton* Button(QWidget& window, const char* name) {
    auto* button = window.findChild<QPushButton*>(QLatin1String(name));
    if (button == nullptr) qFatal("no button %s", name);
    return button;
}

} // namespace

class CopyWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init() { platform::SetClock(kStart); }
    void cleanup() { platform::SetClock(std::nullopt); }

    // 10 MiB a second: nothing but the elapsed time before 10 seconds, then the rate and the remaining time.
    void RateAndRemainingAfterTenSeconds() {
        cParameters params;
        ui::TCopyWnd window(params, 200 * kMiB);
        for (int second = 1; second <= 9; ++second) {
            platform::SetClock(kStart + second * kSecond);
            window.ReportProgress(10 * kMiB, 10 * kMiB, "/home/anna/gross.bin");
            window.Tick();
        }
        QCOMPARE(Text(window, "ElapsedLbl"), QStringLiteral("00:00:09"));
        QCOMPARE(Text(window, "RateLbl"), QString());
        QCOMPARE(Text(window, "RemainingLbl"), QString());

        platform::SetClock(kStart + 10 * kSecond);
        window.ReportProgress(10 * kMiB, 10 * kMiB, "/home/anna/gross.bin");
        window.Tick();
        QCOMPARE(Text(window, "ElapsedLbl"), QStringLiteral("00:00:10"));
        QCOMPARE(Text(window, "RateLbl"), QStringLiteral("10.240,0 kB/sec"));
        QCOMPARE(Text(window, "RemainingLbl"), QStringLiteral("00:00:10"));
        QCOMPARE(window.findChild<ui::cCopyBar*>()->Fraction(), 0.5);
    }

    // While paused (a message, the interruption dialog) the elapsed time stands; afterwards it goes on from
    // where it stood.
    void ElapsedStandsWhilePaused() {
        cParameters params;
        ui::TCopyWnd window(params, 100 * kMiB);
        platform::SetClock(kStart + 3 * kSecond);
        window.Tick();
        window.SetPaused(true);
        for (int second = 4; second <= 60; second += 7) {
            platform::SetClock(kStart + second * kSecond);
            window.Tick();
        }
        QCOMPARE(Text(window, "ElapsedLbl"), QStringLiteral("00:00:03"));
        window.SetPaused(false);
        platform::SetClock(kStart + 65 * kSecond);
        window.Tick();
        QCOMPARE(Text(window, "ElapsedLbl"), QStringLiteral("00:00:08"));
    }

    // The clock ticks by itself once a second.
    void TheClockTicks() {
        cParameters params;
        ui::TCopyWnd window(params, kMiB);
        platform::SetClock(kStart + 42 * kSecond);
        QTRY_COMPARE_WITH_TIMEOUT(Text(window, "ElapsedLbl"), QStringLiteral("00:00:42"), 3000);
    }

    void ShowsBothSides() {
        cParameters params;
        params.ProfileFile = "/home/anna/Sicherung.tvp";
        ui::TCopyWnd window(params, kMiB);
        QCOMPARE(window.windowTitle(), QStringLiteral("Sicherung.tvp - Tolvan 6"));
        window.ShowFile({"/home/anna/Briefe/Brief.doc", "12.345", "09.12.2026", "14:02:11",
                         "/media/usb/Briefe/Brief.doc", "", "", ""});
        QCOMPARE(window.findChild<ui::cFitLabel*>(QStringLiteral("FromDirLbl"))->FullText(),
                 QStringLiteral("/home/anna/Briefe/"));
        QCOMPARE(window.findChild<ui::cFitLabel*>(QStringLiteral("ToNameLbl"))->FullText(),
                 QStringLiteral("Brief.doc"));
        QCOMPARE(Text(window, "FromSizeLbl"), QStringLiteral("12.345"));
        QCOMPARE(Text(window, "FromTimeLbl"), QStringLiteral("14:02:11"));
        QCOMPARE(Text(window, "ToDateLbl"), QString());
    }

    // A long directory shows its beginning, " .. " and its end, within the label.
    void LongDirectoryIsShortenedInTheMiddle() {
        cParameters params;
        ui::TCopyWnd window(params, kMiB);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QString directory =
            QStringLiteral("/home/anna/") + QString(300, QLatin1Char('x')) + QStringLiteral("/Ende/");
        window.ShowFile({(directory + QStringLiteral("Brief.doc")).toStdString(), "1", "", "", "", "", "", ""});
        auto* label = window.findChild<ui::cFitLabel*>(QStringLiteral("FromDirLbl"));
        QVERIFY(label->text().startsWith(QStringLiteral("/home/anna/x")));
        QVERIFY(label->text().endsWith(QStringLiteral("x/Ende/")));
        QVERIFY(label->text().contains(QStringLiteral(" .. ")));
        QVERIFY(label->fontMetrics().horizontalAdvance(label->text()) <= label->contentsRect().width());
        QVERIFY(window.width() < 2000);
    }

    // "Unterbrechung" and Esc ask once and stay disabled until the next file; "Abbrechen" asks to stop.
    void ButtonsAskTheRun() {
        cParameters params;
        ui::TCopyWnd window(params, kMiB);
        QSignalSpy interrupts(&window, &ui::TCopyWnd::InterruptPressed);
        QSignalSpy aborts(&window, &ui::TCopyWnd::AbortPressed);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QPushButton* interrupt = Button(window, "InterruptBtn");
        QCOMPARE(interrupt->text(), QStringLiteral("Unterbrechung"));
        QTest::mouseClick(interrupt, Qt::LeftButton);
        QTest::mouseClick(interrupt, Qt::LeftButton);
        QTest::keyClick(&window, Qt::Key_Escape);
        QCOMPARE(interrupts.count(), 1);
        QVERIFY(!interrupt->isEnabled());
        QVERIFY(window.isVisible());

        window.ShowFile({"/home/anna/b.txt", "1", "", "", "/media/usb/b.txt", "", "", ""});
        QVERIFY(interrupt->isEnabled());
        QTest::keyClick(&window, Qt::Key_Escape);
        QCOMPARE(interrupts.count(), 2);
        QVERIFY(window.isVisible());

        QTest::mouseClick(Button(window, "AbortBtn"), Qt::LeftButton);
        QCOMPARE(aborts.count(), 1);
        QVERIFY(!Button(window, "AbortBtn")->isEnabled());
        window.ShowFile({"/home/anna/c.txt", "1", "", "", "/media/usb/c.txt", "", "", ""});
        QVERIFY2(!interrupt->isEnabled(), "nothing to interrupt once the run stops");
    }
};

QTEST_MAIN(CopyWindowTest)
#include "CopyWindowTest.moc"
