// The windowed program from its command line to the settings written at the end: mute mode, the start
// document, the run after opening and its delay, and SIGTERM during a run.
#include "StartFixtures.h"

#include "platform/Clock.h"
#include "platform/Sound.h"
#include "profile/IniFile.h"
#include "profile/Variables.h"
#include "support/EnvironmentOverride.h"
#include "ui/GuiMain.h"

#include <QElapsedTimer>
#include <QTest>

#include <csignal>
#include <optional>

namespace fs = std::filesystem;
using starttest::MainWindow;

namespace {

// A test's own settings file and data folder (where the file types are registered), and a watchdog that
// ends a message loop that would never end (status 99).
struct cProgramFolders {
    explicit cProgramFolders(const testsupport::TempDir& dir)
        : DataHome("XDG_DATA_HOME", (dir.Path() / "data").string()),
          Settings((dir.Path() / "config" / "Tolvan6.ini").string()) {
        Settings.Write("Program Options", "Splash", "0");
        QTimer::singleShot(30000, &Watchdog, [] { QCoreApplication::exit(99); });
    }
    testsupport::EnvironmentOverride DataHome;
    cIniFile Settings;
    QObject Watchdog;
};

std::optional<std::string> Setting(const cIniFile& settings, std::string_view section, std::string_view key) {
    return settings.Read(section, key);
}

} // namespace

class StartUpTest : public QObject {
    Q_OBJECT

private slots:
    void CommandLine_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("document"); // "-" for none
        QTest::addColumn<bool>("mute");
        QTest::newRow("none") << QStringList{} << "-" << false;
        QTest::newRow("document") << QStringList{"a.tvp"} << "a.tvp" << false;
        QTest::newRow("lone /mute is a name") << QStringList{"/mute"} << "/mute" << false;
        QTest::newRow("/mute") << QStringList{"a.tvp", "/mute"} << "a.tvp" << true;
        QTest::newRow("/MUTE") << QStringList{"a.tvp", "/MUTE"} << "a.tvp" << true;
        QTest::newRow("further arguments ignored") << QStringList{"a.tvp", "/Mute", "x"} << "a.tvp" << true;
        QTest::newRow("without slash") << QStringList{"a.tvp", "mute"} << "a.tvp" << false;
        QTest::newRow("longer") << QStringList{"a.tvp", "/muted"} << "a.tvp" << false;
    }
    void CommandLine() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, document);
        QFETCH(bool, mute);
        std::vector<std::string> args;
        for (const QString& a : arguments)
            args.push_back(a.toStdString());
        const ui::cCommandLine line = ui::ParseCommandLine(args);
        QCOMPARE(line.Document ? QString::fromStdString(*line.Document) : QStringLiteral("-"), document);
        QCOMPARE(line.MuteMode, mute);
    }

    // The profile's path holds the year as a variable; the window is never shown; the run after opening
    // starts in the message loop, half a second after the document was opened; the stored last run is the
    // time the run started, before its before-commands; the settings are written at the end.
    void MuteStartOpensTheExpandedDocumentAndRunsItLater() {
        testsupport::TempDir dir;
        cProgramFolders folders(dir);
        cParameters profile = starttest::CopyProfile(dir);
        profile.AutoOpen = true;
        profile.AutoExit = true;
        profile.BeforeCommands.Add("", 2); // a delay of two seconds
        const fs::path path = dir.Path() / ExpandVariables("%YEAR%") / "p.tvp";
        QVERIFY(starttest::SaveProfile(profile, path));
        const std::string savedProfile = dir.ReadFile(fs::relative(path, dir.Path()).string());

        // Watched from the message loop: when the run after opening was armed, and when the run started.
        QElapsedTimer clock;
        qint64 armedAt = -1;
        qint64 runAt = -1;
        bool everShown = false;
        QString openedDocument;
        bool trayOption = false;
        bool copiedWhenArmed = true;
        QTimer watch;
        connect(&watch, &QTimer::timeout, [&] {
            ui::TMainWnd* window = MainWindow();
            if (!window) return;
            everShown = everShown || window->isVisible();
            auto* delay = window->findChild<QTimer*>(QStringLiteral("DelayTmr"));
            if (armedAt < 0 && delay && delay->isActive()) {
                armedAt = clock.elapsed();
                openedDocument = QString::fromStdString(window->Params().DocumentFile);
                trayOption = window->Params().TrayIcon;
                copiedWhenArmed = fs::exists(dir.Path() / "Ziel/a.txt");
            }
            if (runAt < 0 && window->RunActive) runAt = clock.elapsed();
        });
        watch.start(5);
        clock.start();

        const platform::FileTime before = platform::NowLocal();
        const int status =
            ui::RunProgram(ui::ParseCommandLine({dir.Path().string() + "/%YEAR%/p.tvp", "/MUTE"}), folders.Settings);
        const platform::FileTime after = platform::NowLocal();

        QCOMPARE(status, 0);
        QCOMPARE(openedDocument, QString::fromStdString(path.string()));
        QVERIFY(trayOption); // mute mode keeps the program in the tray
        QVERIFY(!copiedWhenArmed);
        QVERIFY2(armedAt >= 0 && runAt - armedAt >= 350 && runAt - armedAt < 10000, // a busy machine may be slow
                 qPrintable(QStringLiteral("armed %1 ms, run %2 ms").arg(armedAt).arg(runAt)));
        QVERIFY(!everShown);
        QCOMPARE(QString::fromStdString(dir.ReadFile("Ziel/a.txt")), QStringLiteral("alpha"));
        QVERIFY(fs::exists(dir.Path() / "Log.txt"));
        QCOMPARE(Setting(folders.Settings, "Program Options", "LastFile"), std::optional<std::string>(path.string()));
        QCOMPARE(Setting(folders.Settings, "Use", "Runs"), std::optional<std::string>("1"));
        cParameters stored(&folders.Settings);
        stored.ReadLastRun(path.string());
        QVERIFY(stored.LastRun >= before);
        QVERIFY(stored.LastRun <= after - 15'000'000); // at least 1.5 s before the end
        // Mute mode changed the tray option in memory only.
        QCOMPARE(dir.ReadFile(fs::relative(path, dir.Path()).string()), savedProfile);
    }

    // A lone "/mute" is the name of a document that cannot be opened: the window is shown (after the
    // splash), the error is shown, nothing runs.
    void LoneMuteIsADocumentName() {
        QObject scope; // timers that have not fired end with the test
        testsupport::TempDir dir;
        cProgramFolders folders(dir);
        folders.Settings.Write("Program Options", "Splash", "1");
        bool splashSeen = false;
        bool splashBeforeWindow = false;
        QTimer watch;
        connect(&watch, &QTimer::timeout, [&] {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                if (widget->objectName() == QLatin1String("SplashWnd") && widget->isVisible()) {
                    splashSeen = true;
                    splashBeforeWindow = !MainWindow();
                }
            }
        });
        watch.start(50);
        starttest::ModalAnswerer answerer;
        QTimer::singleShot(0, &scope, [&] {
            // Runs in the splash's wait; the window comes later.
            QTimer::singleShot(2500, &scope, [&] {
                ui::TMainWnd* window = MainWindow();
                QVERIFY(window);
                QVERIFY(window->isVisible());
                window->close();
            });
        });
        QElapsedTimer clock;
        clock.start();
        const int status = ui::RunProgram(ui::ParseCommandLine({"/mute"}), folders.Settings);
        QCOMPARE(status, 0);
        QVERIFY(splashSeen);
        QVERIFY(splashBeforeWindow);
        QVERIFY(clock.elapsed() >= 2000);
        QCOMPARE(answerer.Texts.size(), 1);
        QVERIFY2(answerer.Texts[0].contains(QStringLiteral("/mute")), qPrintable(answerer.Texts[0]));
        QCOMPARE(Setting(folders.Settings, "Use", "Runs"), std::optional<std::string>("0"));
    }

    // Shift held while the start document opens: no run after opening, but still into the tray.
    void ShiftSuppressesTheRunButNotTheTray() {
        QObject scope; // timers that have not fired end with the test
        testsupport::TempDir dir;
        cProgramFolders folders(dir);
        cParameters profile = starttest::CopyProfile(dir);
        profile.AutoOpen = true;
        profile.AutoExit = true;
        const fs::path path = dir.Path() / "p.tvp";
        QVERIFY(starttest::SaveProfile(profile, path));

        QWidget keyboard;
        keyboard.show();
        QTest::keyPress(&keyboard, Qt::Key_Shift, Qt::ShiftModifier);
        bool minimised = false;
        QTimer::singleShot(1200, &scope, [&] {
            ui::TMainWnd* window = MainWindow();
            QVERIFY(window);
            minimised = window->windowState().testFlag(Qt::WindowMinimized);
            QCoreApplication::exit(0);
        });
        const int status = ui::RunProgram(ui::ParseCommandLine({path.string(), "/mute"}), folders.Settings);
        QTest::keyRelease(&keyboard, Qt::Key_Shift, Qt::NoModifier);
        QCOMPARE(status, 0);
        QVERIFY(minimised);
        QVERIFY(!fs::exists(dir.Path() / "Ziel/a.txt"));
        QCOMPARE(Setting(folders.Settings, "Use", "Runs"), std::optional<std::string>("0"));
    }

    // Without arguments the last file is opened only when the program options say so; a visible start runs
    // it half a second after the window was first shown, not during start-up.
    void WithoutArgumentsTheLastFileOpensOnlyWhenReopenIsSet_data() {
        QTest::addColumn<bool>("reopen");
        QTest::newRow("Reopen off") << false;
        QTest::newRow("Reopen on") << true;
    }
    void WithoutArgumentsTheLastFileOpensOnlyWhenReopenIsSet() {
        QObject scope; // timers that have not fired end with the test
        QFETCH(bool, reopen);
        testsupport::TempDir dir;
        cProgramFolders folders(dir);
        cParameters profile = starttest::CopyProfile(dir);
        profile.AutoOpen = true;
        profile.AutoExit = true;
        profile.BeforeCommands.Add("", 1); // the run lasts long enough to be seen
        const fs::path path = dir.Path() / "p.tvp";
        QVERIFY(starttest::SaveProfile(profile, path));
        folders.Settings.Write("Program Options", "LastFile", path.string());
        folders.Settings.Write("Program Options", "Reopen", reopen ? "1" : "0");

        QElapsedTimer clock;
        qint64 shownAt = -1;
        qint64 runAt = -1;
        QTimer watch;
        connect(&watch, &QTimer::timeout, [&] {
            ui::TMainWnd* window = MainWindow();
            if (!window) return;
            if (shownAt < 0 && window->isVisible()) shownAt = clock.elapsed();
            if (runAt < 0 && window->RunActive) runAt = clock.elapsed();
        });
        watch.start(10);
        QTimer::singleShot(3000, &scope, [] {
            if (ui::TMainWnd* window = MainWindow()) window->close();
        });
        clock.start();
        const int status = ui::RunProgram(ui::ParseCommandLine({}), folders.Settings);
        QCOMPARE(status, 0);
        QVERIFY(shownAt >= 0);
        QCOMPARE(fs::exists(dir.Path() / "Ziel/a.txt"), reopen);
        if (reopen) {
            QVERIFY2(runAt - shownAt >= 400 && runAt - shownAt < 2000,
                     qPrintable(QStringLiteral("shown %1 ms, run %2 ms").arg(shownAt).arg(runAt)));
        } else {
            QCOMPARE(runAt, qint64{-1});
        }
    }

    // SIGTERM during a run stops it; the after-commands, the finished signal and the log delivery (with the
    // success options: a stopped run is no failure) still come, then the program ends and writes its
    // settings, although the profile does not ask to exit.
    void TerminationDuringARunStopsItAndEndsTheProgramAfterIt() {
        testsupport::TempDir dir;
        cProgramFolders folders(dir);
        // A sound player that notes what it plays.
        const fs::path player =
            dir.WriteFile("bin/pw-play", "#!/bin/sh\nprintf '%s' \"$1\" > \"$(dirname \"$0\")/played\"\n");
        fs::permissions(player, fs::perms::owner_all);
        testsupport::EnvironmentOverride path("PATH", (dir.Path() / "bin").string() + ":" + std::getenv("PATH"));
        platform::ResetSoundPlayerLookup();
        const fs::path sound = dir.WriteFile("fertig.wav", "RIFF");

        cParameters profile = starttest::CopyProfile(dir);
        profile.AutoOpen = true;
        profile.BeforeCommands.Add("", 30);
        profile.AfterCommands.Add("echo nachher > '" + (dir.Path() / "after.txt").string() + "'");
        profile.Event2Sound = true;
        profile.Event2File1 = sound.string();
        profile.Log.ViewOnSuccess = true;
        profile.Log.ViewOnError = false;
        profile.Log.ViewerKind = eLogViewer::Program;
        profile.Log.ViewerPath = "/bin/cp";
        profile.Log.ViewerSwitches = "'" + (dir.Path() / "viewed.txt").string() + "'";
        const fs::path file = dir.Path() / "p.tvp";
        QVERIFY(starttest::SaveProfile(profile, file));

        // The signal comes once the run waits in its before-command.
        bool raised = false;
        QTimer watch;
        connect(&watch, &QTimer::timeout, [&] {
            ui::TMainWnd* window = MainWindow();
            if (raised || !window || !window->RunActive) return;
            raised = true;
            QTest::qWait(300);
            QCOMPARE(raise(SIGTERM), 0);
        });
        watch.start(20);
        QElapsedTimer clock;
        clock.start();
        const int status = ui::RunProgram(ui::ParseCommandLine({file.string(), "/mute"}), folders.Settings);
        QCOMPARE(status, 0);
        QVERIFY(raised);
        QVERIFY(clock.elapsed() < 15000);
        QVERIFY(!fs::exists(dir.Path() / "Ziel/a.txt"));
        QTRY_VERIFY(fs::exists(dir.Path() / "after.txt"));
        QTRY_COMPARE(QString::fromStdString(dir.ReadFile("bin/played")), QString::fromStdString(sound.string()));
        QTRY_COMPARE(dir.ReadFile("viewed.txt"), dir.ReadFile("Log.txt"));
        QCOMPARE(Setting(folders.Settings, "Use", "Runs"), std::optional<std::string>("0"));
        QCOMPARE(Setting(folders.Settings, "Program Options", "LastFile"), std::optional<std::string>(file.string()));
        platform::ResetSoundPlayerLookup();
    }
};

QTEST_MAIN(StartUpTest)
#include "StartUpTest.moc"
