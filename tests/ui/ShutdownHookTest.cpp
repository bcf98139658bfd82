// The hook on systemd machines: a document with the hook holds a delay lock of logind; when logind announces the
// shutdown, the document runs and the lock is given back so the shutdown goes on. logind is a stand-in on a
// private bus here.
#include "StartFixtures.h"

#include "support/ScriptServer.h"
#include "ui/MainWnd.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QTest>

namespace {

QDBusConnection PrivateBus(const testsupport::TempDir& dir) {
    return QDBusConnection::connectToBus("unix:path=" + QString::fromStdString((dir.Path() / "bus").string()),
                                         QStringLiteral("logind-test"));
}

void StartShutdown(QDBusConnection& bus) {
    bus.call(QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.login1"),
                                            QStringLiteral("/org/freedesktop/login1"), QStringLiteral("org.tolvan.Test"),
                                            QStringLiteral("StartShutdown")));
}

} // namespace

class ShutdownHookTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { QDBusConnection::disconnectFromBus(QStringLiteral("logind-test")); }

    void TheHookRunsBeforeTheShutdownAndThenLetsItGo() {
        testsupport::TempDir bus;
        testsupport::ScriptServer logind(TOLVAN_LOGIND_TEST_SERVICE, {bus.Path().string()});
        QVERIFY2(logind.Port() != 0, "the logind stand-in (dbus-daemon, python3-dbus) did not start");
        QDBusConnection connection = PrivateBus(bus);
        QVERIFY(connection.isConnected());

        testsupport::TempDir dir;
        cParameters params = starttest::CopyProfile(dir);
        params.AutoHook = true;
        ui::TMainWnd window(params, false);
        window.UseShutdownBus(connection);
        window.ArmAutomatics();
        QCOMPARE(bus.ReadFile("events.txt"), std::string("Inhibit shutdown Tolvan delay\n"));

        StartShutdown(connection);
        QTRY_COMPARE(dir.ReadFile("Ziel/a.txt"), std::string("alpha"));
        QTRY_COMPARE(bus.ReadFile("events.txt"), std::string("Inhibit shutdown Tolvan delay\nReleased\n"));
        QCOMPARE(params.RunCount, 1);
        QVERIFY(dir.ReadFile("Log.txt").find("- automatisch gestartet im Herunterfahren") != std::string::npos);

        // The hook fires once per process: no new lock after it.
        window.ArmAutomatics();
        QTest::qWait(200);
        QCOMPARE(bus.ReadFile("events.txt"), std::string("Inhibit shutdown Tolvan delay\nReleased\n"));
    }

    void WithoutTheHookNoLockIsTaken() {
        testsupport::TempDir bus;
        testsupport::ScriptServer logind(TOLVAN_LOGIND_TEST_SERVICE, {bus.Path().string()});
        QVERIFY(logind.Port() != 0);
        QDBusConnection connection = PrivateBus(bus);
        testsupport::TempDir dir;
        cParameters params = starttest::CopyProfile(dir);
        ui::TMainWnd window(params, false);
        window.UseShutdownBus(connection);
        window.ArmAutomatics();
        // Switching the hook on and off takes the lock and gives it back.
        params.AutoHook = true;
        window.ArmAutomatics();
        params.AutoHook = false;
        window.ArmAutomatics();
        QTRY_COMPARE(bus.ReadFile("events.txt"), std::string("Inhibit shutdown Tolvan delay\nReleased\n"));
        StartShutdown(connection);
        QTest::qWait(300);
        QCOMPARE(params.RunCount, 0);
    }
};

QTEST_MAIN(ShutdownHookTest)
#include "ShutdownHookTest.moc"
