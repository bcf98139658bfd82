// The run launcher of the main window: its guards, batch files, the actions after a run and the log delivery.
#include "StartFixtures.h"

#include "platform/SessionEnd.h"
#include "profile/BatchEdit.h"
#include "ui/DeliverLog.h"
#include "ui/MainWnd.h"

#include <QTest>

#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

using Command = std::vector<std::string>;

// Records the session-end commands instead of running them.
class RecordedSessionEnd {
public:
    RecordedSessionEnd() {
        platform::SetSessionEndRunner([this](const Command& command) { Commands.push_back(command); });
    }
    ~RecordedSessionEnd() { platform::SetSessionEndRunner({}); }
    std::vector<Command> Commands;
};

// Calls LaunchRun from inside the application's message loop, as the program does; returns the loop's exit
// status: 0 when the run ended the program, -1 when the loop was left normally afterwards.
int LaunchInLoop(ui::TMainWnd& window, std::uint8_t reason) {
    QObject scope; // a pending exit(-1) ends with it when the run ended the loop first
    QTimer::singleShot(0, &scope, [&] {
        window.LaunchRun(reason);
        QTimer::singleShot(0, &scope, [] { QCoreApplication::exit(-1); });
    });
    return QCoreApplication::exec();
}

} // namespace

class RunLauncherTest : public QObject {
    Q_OBJECT

private slots:
    void NoRunWhileADialogIsOpen() {
        testsupport::TempDir dir;
        cParameters params = starttest::CopyProfile(dir);
        ui::TMainWnd window(params, false);
        window.show();
        window.DialogDepth = 1;
        window.LaunchRun(0);
        QVERIFY(!fs::exists(dir.Path() / "Ziel/a.txt"));
        QVERIFY(!window.RunActive);
        QVERIFY(window.isEnabled());
        QCOMPARE(params.RunCount, 0);

        window.DialogDepth = 0;
        window.LaunchRun(0);
        QCOMPARE(QString::fromStdString(dir.ReadFile("Ziel/a.txt")), QStringLiteral("alpha"));
        QCOMPARE(params.RunCount, 1);
    }

    // The action after the run is requested, then the program is told to end; both after one run.
    void SessionEndAndExitAfterTheRun_data() {
        QTest::addColumn<int>("action");
        QTest::addColumn<bool>("exitAfterRun");
        QTest::addColumn<QStringList>("command");
        QTest::newRow("nothing") << 0 << false << QStringList{};
        QTest::newRow("shut down") << 1 << false << QStringList{"systemctl", "poweroff"};
        QTest::newRow("log off and exit") << 2 << true << QStringList{"loginctl", "terminate-session"};
        QTest::newRow("power off") << 3 << false << QStringList{"systemctl", "poweroff"};
        QTest::newRow("restart and exit") << 4 << true << QStringList{"systemctl", "reboot"};
        QTest::newRow("exit only") << 0 << true << QStringList{};
    }
    void SessionEndAndExitAfterTheRun() {
        QFETCH(int, action);
        QFETCH(bool, exitAfterRun);
        QFETCH(QStringList, command);
        testsupport::TempDir dir;
        cParameters params = starttest::CopyProfile(dir);
        params.AutoShutdown = action;
        params.AutoExit = exitAfterRun;
        ui::TMainWnd window(params, false);
        RecordedSessionEnd recorded;
        QCOMPARE(LaunchInLoop(window, 0), exitAfterRun ? 0 : -1);
        QCOMPARE(QString::fromStdString(dir.ReadFile("Ziel/a.txt")), QStringLiteral("alpha"));
        if (command.isEmpty()) {
            QVERIFY(recorded.Commands.empty());
        } else {
            QCOMPARE(recorded.Commands.size(), std::size_t{1});
            QStringList got;
            for (const std::string& part : recorded.Commands[0])
                got << QString::fromStdString(part);
            QCOMPARE(got.mid(0, command.size()), command);
        }
        QVERIFY(!window.RunActive);
    }

    // A batch file without entries gives its message, governed by the batch's own warning option, and runs
    // nothing.
    void EmptyBatchFile_data() {
        QTest::addColumn<bool>("warning");
        QTest::addColumn<QString>("message"); // empty: none
        QTest::newRow("warned") << true << "Diese Batch-Datei enthält keine Profile.";
        QTest::newRow("not warned") << false << "";
    }
    void EmptyBatchFile() {
        QFETCH(bool, warning);
        QFETCH(QString, message);
        cParameters params;
        params.ResetBatch();
        params.Batch.Warning3Message = warning;
        params.Batch.AutoShutdown = 4;
        ui::TMainWnd window(params, false);
        window.show();
        starttest::ModalAnswerer answerer;
        RecordedSessionEnd recorded;
        QCOMPARE(LaunchInLoop(window, 0), -1);
        if (message.isEmpty()) {
            QVERIFY(answerer.Texts.isEmpty());
        } else {
            QCOMPARE(answerer.Texts.size(), 1);
            QVERIFY2(answerer.Texts[0].contains(message), qPrintable(answerer.Texts[0]));
        }
        QVERIFY(recorded.Commands.empty());
        QVERIFY(!window.RunActive);
        QVERIFY(window.isEnabled());
    }

    // A batch runs each of its profiles with the batch's overrides, the document is the batch file again
    // afterwards, and the batch's own end-of-run action applies once after all of them.
    void ABatchFileRunsItsProfiles() {
        testsupport::TempDir dir;
        cParameters batch;
        batch.ResetBatch();
        for (const char* name : {"Eins", "Zwei"}) {
            dir.WriteFile(std::string(name) + "/Quelle/a.txt", name);
            fs::create_directories(dir.Path() / name / "Ziel");
            cParameters profile = starttest::TreeProfile(dir);
            profile.SourceDrive = (dir.Path() / name / "Quelle").string();
            profile.DestDrive = (dir.Path() / name / "Ziel").string();
            profile.ShowPreview = true; // the batch overrides it: no preview list waits for an answer
            const fs::path file = dir.Path() / (std::string(name) + ".tvp");
            QVERIFY(starttest::SaveProfile(profile, file));
            batch.Batch.AddEntry(BatchEntryFor(file.string()));
        }
        batch.Batch.ChecksOverride = true;
        batch.Batch.ShowPreview = false;
        batch.Batch.AutoShutdown = 4;
        const std::string batchFile = (dir.Path() / "Stapel.tvb").string();
        QCOMPARE(batch.WriteDocument(batchFile), 0);
        cParameters params;
        QCOMPARE(params.ReadDocument(batchFile), 0);
        ui::TMainWnd window(params, false);
        window.show();
        RecordedSessionEnd recorded;
        QCOMPARE(LaunchInLoop(window, 0), -1);
        QCOMPARE(dir.ReadFile("Eins/Ziel/a.txt"), std::string("Eins"));
        QCOMPARE(dir.ReadFile("Zwei/Ziel/a.txt"), std::string("Zwei"));
        QCOMPARE(params.DocumentKind, std::uint8_t{kBatchDocument});
        QCOMPARE(params.DocumentFile, batchFile);
        QVERIFY(!params.Modified);
        QVERIFY(!params.BatchRunning);
        QCOMPARE(recorded.Commands.size(), std::size_t{1});
        QVERIFY(window.isEnabled());
    }

    // The log goes to the viewer by the options for the run's result: errors take the error options only.
    void LogDeliveryFollowsTheResult_data() {
        QTest::addColumn<bool>("failing");
        QTest::addColumn<bool>("viewOnSuccess");
        QTest::addColumn<bool>("viewOnError");
        QTest::addColumn<bool>("viewed");
        QTest::newRow("success, success option") << false << true << false << true;
        QTest::newRow("success, error option") << false << false << true << false;
        QTest::newRow("errors, success option") << true << true << false << false;
        QTest::newRow("errors, error option") << true << false << true << true;
    }
    void LogDeliveryFollowsTheResult() {
        QFETCH(bool, failing);
        QFETCH(bool, viewOnSuccess);
        QFETCH(bool, viewOnError);
        QFETCH(bool, viewed);
        testsupport::TempDir dir;
        cParameters params = starttest::CopyProfile(dir);
        // A source root that does not exist is an error of the run; with the messages off nobody is asked
        // whether to try again.
        if (failing) {
            params.SourceDrive = (dir.Path() / "fehlt").string();
            params.Warning1Message = params.Warning2Message = params.Warning3Message = params.Warning4Message = false;
        }
        params.Log.ViewOnSuccess = viewOnSuccess;
        params.Log.ViewOnError = viewOnError;
        params.Log.ViewerKind = eLogViewer::Program;
        params.Log.ViewerPath = "/bin/cp";
        params.Log.ViewerSwitches = "'" + (dir.Path() / "viewed.txt").string() + "'";
        ui::TMainWnd window(params, false);
        starttest::ModalAnswerer answerer;
        QCOMPARE(window.RunProfile(255, 0).Result, failing ? std::uint8_t{2} : std::uint8_t{0});
        if (viewed) {
            QTRY_COMPARE(dir.ReadFile("viewed.txt"), dir.ReadFile("Log.txt"));
        } else {
            QTest::qWait(500);
            QVERIFY(!fs::exists(dir.Path() / "viewed.txt"));
        }
    }

    void ViewerCommandLine_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("switches");
        QTest::addColumn<QString>("expected");
        QTest::newRow("built-in") << 0 << ""
                                  << ""
                                  << "";
        QTest::newRow("Notepad, no switches ends with a blank") << 1 << ""
                                                                << ""
                                                                << "'xdg-open' '/tmp/Log 1.txt' ";
        QTest::newRow("WordPad") << 3 << ""
                                 << "-x"
                                 << "'xdg-open' '/tmp/Log 1.txt' -x";
        QTest::newRow("other") << 4 << "/opt/Mein Betrachter/zeige"
                               << "--zeile %YEAR%"
                               << "'/opt/Mein Betrachter/zeige' '/tmp/Log 1.txt' --zeile 2026";
        QTest::newRow("other without a program") << 4 << ""
                                                 << "-x"
                                                 << "";
    }
    void ViewerCommandLine() {
        QFETCH(int, kind);
        QFETCH(QString, path);
        QFETCH(QString, switches);
        QFETCH(QString, expected);
        cLogParameters log;
        log.ViewerKind = static_cast<eLogViewer>(kind);
        log.ViewerPath = path.toStdString();
        log.ViewerSwitches = switches.toStdString();
        log.ActualFileName = "/tmp/Log 1.txt";
        const QString year = QString::number(QDate::currentDate().year());
        QCOMPARE(QString::fromStdString(ui::ViewerCommandLine(log, 0)), QString(expected).replace("2026", year));
    }

    void AFileNameIsQuotedForTheShell() {
        cLogParameters log;
        log.ViewerKind = eLogViewer::Program;
        log.ViewerPath = "/bin/cat";
        log.ActualFileName = "/tmp/it's $HOME `x`.txt";
        QCOMPARE(QString::fromStdString(ui::ViewerCommandLine(log, 0)),
                 QStringLiteral("'/bin/cat' '/tmp/it'\\''s $HOME `x`.txt' "));
    }

    void AViewerThatCannotBeStartedSaysSo_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("message");
        QTest::newRow("none given") << ""
                                    << "Kein Betrachter angegeben.";
        QTest::newRow("not on PATH") << "gibt-es-nicht-42"
                                     << "Konnte Betrachter";
    }
    void AViewerThatCannotBeStartedSaysSo() {
        QFETCH(QString, path);
        QFETCH(QString, message);
        testsupport::TempDir dir;
        cParameters params = starttest::CopyProfile(dir);
        params.Log.ViewerKind = eLogViewer::Program;
        params.Log.ViewerPath = path.toStdString();
        ui::TMainWnd window(params, false);
        starttest::ModalAnswerer answerer;
        ui::ShowLog(&window, params);
        QCOMPARE(answerer.Texts.size(), 1);
        QVERIFY2(answerer.Texts[0].contains(message), qPrintable(answerer.Texts[0]));
    }
};

QTEST_MAIN(RunLauncherTest)
#include "RunLauncherTest.moc"
