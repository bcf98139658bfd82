// A whole run started from the main window: the run executes on its worker while the window stays alive.
#include "profile/Parameters.h"
#include "support/TempDir.h"
#include "ui/MainWnd.h"

#include <QTest>

#include <filesystem>

namespace fs = std::filesystem;

class LaunchRunTest : public QObject {
    Q_OBJECT

private slots:
    void RunCopiesTheTreeAndEnds() {
        testsupport::TempDir dir;
        dir.WriteFile("Quelle/a.txt", "alpha");
        dir.WriteFile("Quelle/Unter/b.txt", "beta");
        fs::create_directories(dir.Path() / "Ziel");
        cParameters params;
        params.SourceDrive = (dir.Path() / "Quelle").string();
        params.DestDrive = (dir.Path() / "Ziel").string();
        params.SearchDirectories.Add("\\*");
        params.ProfileFile = (dir.Path() / "Profil.tvp").string();
        params.Log.FileName = (dir.Path() / "Log.txt").string();
        params.Recycle = false;
        params.AddDefaultMask();
        params.DocumentKind = kProfileDocument;
        params.ShowPreview = false; // the preview list has its own test

        ui::TMainWnd window(params, false);
        window.show();
        window.LaunchRun(0);

        QVERIFY(!window.RunActive);
        QVERIFY(window.isEnabled());
        QCOMPARE(QString::fromStdString(dir.ReadFile("Ziel/Unter/b.txt")), QStringLiteral("beta"));
        QCOMPARE(QString::fromStdString(dir.ReadFile("Ziel/a.txt")), QStringLiteral("alpha"));
        QVERIFY(params.Log.IsOpen || !params.Log.ActualFileName.empty());
    }
};

QTEST_MAIN(LaunchRunTest)
#include "LaunchRunTest.moc"
