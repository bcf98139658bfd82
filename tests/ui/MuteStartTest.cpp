// The real program under an X server: started in mute mode with a profile that runs after opening and ends
// the program, it copies the tree, writes the log and its settings, and ends by itself.
#include "StartFixtures.h"

#include "profile/IniFile.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTest>

#include <csignal>
#include <optional>
#include <unistd.h>

namespace fs = std::filesystem;

class MuteStartTest : public QObject {
    Q_OBJECT

private slots:
    void MuteRunCopiesTheTreeAndEnds() {
        const QString xvfbRun = QStandardPaths::findExecutable(QStringLiteral("xvfb-run"));
        if (xvfbRun.isEmpty()) QFAIL("xvfb-run is missing: install xvfb and xauth (scripts/deps)");

        testsupport::TempDir dir;
        cParameters profile = starttest::CopyProfile(dir);
        profile.AutoOpen = true;
        profile.AutoExit = true;
        const fs::path file = dir.Path() / "Mein Profil.tvp";
        QVERIFY(starttest::SaveProfile(profile, file));

        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
        environment.remove(QStringLiteral("DISPLAY"));
        environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
        const QString root = QString::fromStdString(dir.Path().string());
        environment.insert(QStringLiteral("HOME"), root + QStringLiteral("/home"));
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), root + QStringLiteral("/config"));
        environment.insert(QStringLiteral("XDG_DATA_HOME"), root + QStringLiteral("/data"));
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), root + QStringLiteral("/runtime"));
        fs::create_directories(dir.Path() / "runtime");
        fs::permissions(dir.Path() / "runtime", fs::perms::owner_all);

        QProcess program;
        program.setProcessEnvironment(environment);
        program.setWorkingDirectory(root);
        // Its own process group, so that a program that does not end is killed with the X server.
        program.setChildProcessModifier([] { ::setsid(); });
        program.start(xvfbRun, {QStringLiteral("-a"), QStringLiteral("-s"), QStringLiteral("-screen 0 1024x768x24"),
                                QStringLiteral(TOLVAN_EXECUTABLE), QString::fromStdString(file.string()),
                                QStringLiteral("/mute")});
        QVERIFY2(program.waitForStarted(10000), qPrintable(program.errorString()));
        const bool ended = program.waitForFinished(60000);
        if (!ended) {
            ::kill(-static_cast<pid_t>(program.processId()), SIGKILL);
            program.waitForFinished(10000);
        }
        const QString output = QString::fromLocal8Bit(program.readAllStandardOutput() + program.readAllStandardError());
        QVERIFY2(ended, qPrintable(QStringLiteral("the program did not end within 60 s:\n") + output));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QVERIFY2(program.exitCode() == 0, qPrintable(output));

        QCOMPARE(QString::fromStdString(dir.ReadFile("Ziel/a.txt")), QStringLiteral("alpha"));
        // Started by the run after opening (the log is Windows-1252, so only the ASCII part is compared).
        const std::string log = dir.ReadFile("Log.txt");
        QVERIFY2(log.find("- automatisch gestartet nach ") != std::string::npos, log.c_str());
        cIniFile settings((dir.Path() / "config/tolvan/Tolvan6.ini").string());
        QCOMPARE(settings.Read("Use", "Runs"), std::optional<std::string>("1"));
        QCOMPARE(settings.Read("Program Options", "LastFile"), std::optional<std::string>(file.string()));
        const std::string entry = dir.ReadFile("data/applications/tolvan.desktop");
        QVERIFY2(entry.find(TOLVAN_EXECUTABLE) != std::string::npos && entry.find(" %f\n") != std::string::npos,
                 entry.c_str());
    }
};

QTEST_MAIN(MuteStartTest)
#include "MuteStartTest.moc"
