// The main window's polling triggers with real processes and real folders: a run when an application has
// ended, when source and destination are there (and again after the destination came back), and the hook into
// the end of the session.
#include "StartFixtures.h"

#include "platform/SessionEnd.h"
#include "ui/AppsDialog.h"
#include "ui/MainWnd.h"

#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// The watches tick every few seconds; a test makes them tick at once.
void Quicken(ui::TMainWnd& window) {
    for (const char* name : {"App1Tmr", "App2Tmr", "Sense1Tmr", "Sense2Tmr", "HookTmr"})
        window.findChild<QTimer*>(QString::fromLatin1(name))->setInterval(20);
}

bool Active(ui::TMainWnd& window, const char* timer) {
    return window.findChild<QTimer*>(QString::fromLatin1(timer))->isActive();
}

} // namespace

class TriggersWindowTest : public QObject {
    Q_OBJECT

private slots:
    // The watch waits for the application, then for its end, then runs once; a name in the command line of a
    // process counts, without regard to case.
    void RunWhenTheApplicationHasEnded() {
        testsupport::TempDir dir;
        cParameters params = starttest::CopyProfile(dir);
        const QString name = QStringLiteral("TolvanWatch%1").arg(QCoreApplication::applicationPid());
        params.AutoApp = true;
        params.AppName = name.toLower().toStdString();
        ui::TMainWnd window(params, false);
        Quicken(window);
        window.ArmAutomatics();
        QVERIFY(Active(window, "App1Tmr"));
        QTest::qWait(100);
        QVERIFY2(Active(window, "App1Tmr"), "nothing has ended that never ran");

        QProcess application;
        application.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), QStringLiteral("sleep 30"), name});
        QVERIFY(application.waitForStarted());
        QTRY_VERIFY(Active(window, "App2Tmr"));
        QTest::qWait(100);
        QVERIFY(!fs::exists(dir.Path() / "Ziel/a.txt"));
        application.kill();
        application.waitForFinished();
        QTRY_VERIFY(fs::exists(dir.Path() / "Ziel/a.txt"));
        QCOMPARE(params.RunCount, 1);
        QVERIFY(!Active(window, "App1Tmr"));
        QVERIFY(!Active(window, "App2Tmr"));
    }

    // Both roots there: a run. With "again", taking the destination away and bringing it back gives the next
    // run; a dialog that is open delays the trigger, it does not lose it.
    void RunWhenSourceAndDestinationAreThere() {
        testsupport::TempDir dir;
        cParameters params = starttest::CopyProfile(dir);
        fs::remove_all(dir.Path() / "Ziel");
        params.AutoSense1 = params.AutoSense2 = true;
        ui::TMainWnd window(params, false);
        Quicken(window);
        window.ArmAutomatics();
        window.DialogDepth = 1;
        fs::create_directories(dir.Path() / "Ziel");
        QTest::qWait(100);
        QCOMPARE(params.RunCount, 0);
        window.DialogDepth = 0;
        QTRY_COMPARE(params.RunCount, 1);
        QVERIFY(fs::exists(dir.Path() / "Ziel/a.txt"));
        QTRY_VERIFY(Active(window, "Sense2Tmr"));
        QTest::qWait(100);
        QCOMPARE(params.RunCount, 1);

        fs::remove_all(dir.Path() / "Ziel");
        QTRY_VERIFY(Active(window, "Sense1Tmr"));
        fs::create_directories(dir.Path() / "Ziel");
        QTRY_COMPARE(params.RunCount, 2);
        QVERIFY(fs::exists(dir.Path() / "Ziel/a.txt"));

        // Without "again" the watch fires once (with a file to copy, so that the run asks nothing).
        params.AutoSense2 = false;
        fs::remove(dir.Path() / "Ziel/a.txt");
        window.ArmAutomatics();
        QTRY_COMPARE(params.RunCount, 3);
        QTRY_VERIFY(!Active(window, "Sense1Tmr"));
        QVERIFY(!Active(window, "Sense2Tmr"));
    }

    // The first end of the session is refused for a document with the hook: its run comes, then the same end
    // is asked for again; a second end passes.
    void HookRunsBeforeTheSessionEnds() {
        std::vector<std::vector<std::string>> requested;
        platform::SetSessionEndRunner([&](const std::vector<std::string>& command) { requested.push_back(command); });
        testsupport::TempDir dir;
        cParameters params = starttest::CopyProfile(dir);
        params.AutoHook = true;
        ui::TMainWnd window(params, false);
        Quicken(window);
        window.DialogDepth = 1;
        QVERIFY2(window.RefuseSessionEnd(true), "not while a dialog is open");
        window.DialogDepth = 0;
        QVERIFY(window.RefuseSessionEnd(true));
        QTRY_VERIFY_WITH_TIMEOUT(!requested.empty(), 5000);
        QVERIFY(fs::exists(dir.Path() / "Ziel/a.txt"));
        QCOMPARE(requested.front().front(), std::string("loginctl"));
        QVERIFY(!window.RefuseSessionEnd(false));
        platform::SetSessionEndRunner({});
    }

    // The picker lists the running programs sorted, each once; a click takes a name into the selection, which
    // the user may shorten before OK.
    void PickerOffersTheRunningPrograms() {
        QVERIFY(ui::RunningApplications().contains(QStringLiteral("ui_TriggersWind")) ||
                ui::RunningApplications().contains(QStringLiteral("ui_TriggersWindowTest")));
        ui::TAppsDlg dialog(QStringLiteral("alt"), {"zeta", "Beta", "alpha", "Beta"}, nullptr);
        auto* list = dialog.findChild<QListWidget*>("AppsLst");
        QCOMPARE(list->count(), 3);
        QCOMPARE(list->item(0)->text(), QStringLiteral("alpha"));
        QCOMPARE(list->item(1)->text(), QStringLiteral("Beta"));
        QCOMPARE(dialog.Selected(), QStringLiteral("alt"));
        dialog.show();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(2)).center());
        QCOMPARE(dialog.Selected(), QStringLiteral("zeta"));
    }
};

QTEST_MAIN(TriggersWindowTest)
#include "TriggersWindowTest.moc"
