// "Express-Setup": it changes exactly the rows it shows, refuses unusable folders, and keeps its window place.
#include "ModalScript.h"
#include "WrittenDocument.h"

#include "profile/NewProfile.h"
#include "profile/Parameters.h"
#include "support/MemorySettings.h"
#include "support/TempDir.h"
#include "ui/ExpressSetup.h"
#include "ui/WindowPlacement.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <filesystem>

namespace fs = std::filesystem;

namespace {

// A backup profile of dir/Quelle to dir/Ziel that differs from what a new profile would get in its other
// options, so that setting them shows.
cParameters BackupProfile(const testsupport::TempDir& dir, cSettingsStore* settings) {
    dir.WriteFile("Quelle/Dokumente/a.txt", "a");
    dir.WriteFile("Ziel/b.txt", "b");
    cParameters params(settings);
    params.AddDefaultMask();
    params.SourceDrive = (dir.Path() / "Quelle").string();
    params.DestDrive = (dir.Path() / "Ziel").string();
    params.SearchDirectories.Add("\\Dokumente\\*");
    params.SetTouchMode(eTouchMode::DestOnly);
    params.OrphanModeD2 = eOrphanMode::Skip;
    params.Attributes = 0;
    params.Percentage = false;
    return params;
}

} // namespace

class ExpressSetupTest : public QObject {
    Q_OBJECT

private slots:
    void OkChangesExactlyTheRowsShown_data() {
        QTest::addColumn<QString>("source"); // below the test's folder; empty: unchanged
        QTest::addColumn<QString>("dest");
        QTest::addColumn<QString>("direction"); // the radio button to choose; empty: unchanged
        QTest::addColumn<bool>("others");
        QTest::addColumn<bool>("runNow");
        QTest::addColumn<int>("rows"); // rows of the written profile that differ
        QTest::newRow("nothing") << ""
                                 << ""
                                 << "" << false << false << 0;
        QTest::newRow("nothing, run now") << ""
                                          << ""
                                          << "" << false << true << 0;
        QTest::newRow("source") << "Neue Quelle"
                                << ""
                                << "" << false << false << 1;
        QTest::newRow("destination, created") << ""
                                              << "USB/Sicherung"
                                              << "" << false << false << 1;
        QTest::newRow("backup again") << ""
                                      << ""
                                      << "BackupRbt" << false << false << 0;
        QTest::newRow("mirror") << ""
                                << ""
                                << "MirrorRbt" << false << false << 1; // OrphanModeD2
        QTest::newRow("synchronise") << ""
                                     << ""
                                     << "SyncRbt" << false << false << 2; // TouchSrc, OrphanModeB
        QTest::newRow("both folders and mirror") << "Neue Quelle"
                                                 << "USB"
                                                 << "MirrorRbt" << false << true << 3;
        QTest::newRow("other settings") << ""
                                        << ""
                                        << "" << true << false << 2; // Attributes, Percentage
    }
    void OkChangesExactlyTheRowsShown() {
        QFETCH(QString, source);
        QFETCH(QString, dest);
        QFETCH(QString, direction);
        QFETCH(bool, others);
        QFETCH(bool, runNow);
        QFETCH(int, rows);
        testsupport::TempDir dir;
        fs::create_directories(dir.Path() / "Neue Quelle");
        testsupport::cMemorySettings settings;
        cParameters params = BackupProfile(dir, &settings);
        const std::string before = uitest::Written(params, dir, "vorher.tvp");
        const QString base = QString::fromStdString(dir.Path().string()) + "/";

        uitest::cModalScript script;
        script.Then([&](QWidget* dialog) {
            QCOMPARE(dialog->objectName(), QStringLiteral("ExpressSetupDlg"));
            QVERIFY(dialog->findChild<QRadioButton*>("BackupRbt")->isChecked());
            if (!source.isEmpty()) dialog->findChild<QLineEdit*>("SourceEdt")->setText(base + source);
            if (!dest.isEmpty()) dialog->findChild<QLineEdit*>("DestEdt")->setText(base + dest + "/");
            if (!direction.isEmpty()) dialog->findChild<QRadioButton*>(direction)->setChecked(true);
            QCOMPARE(dialog->findChild<QLabel*>("MirrorWarningLbl")->isVisible(), direction == "MirrorRbt");
            dialog->findChild<QCheckBox*>("OthersChk")->setChecked(others);
            dialog->findChild<QCheckBox*>("RunNowChk")->setChecked(runNow);
            dialog->findChild<QPushButton*>("OkBtn")->click();
        });
        const ui::cConfigResult result = ui::RunExpressSetup(nullptr, params);
        QVERIFY(script.Done());
        QCOMPARE(script.Unexpected(), 0);

        QVERIFY(result.Ok);
        QCOMPARE(result.RunNow, runNow);
        QCOMPARE(result.SetOthers, others);
        QCOMPARE(params.Modified, rows > 0);
        const std::string after = uitest::Written(params, dir, "nachher.tvp");
        QCOMPARE(uitest::DifferentLines(before, after), rows);
        if (!source.isEmpty()) QCOMPARE(params.SourceDrive, (dir.Path() / source.toStdString()).string());
        if (!dest.isEmpty()) {
            QCOMPARE(params.DestDrive, (dir.Path() / dest.toStdString()).string()); // without the trailing "/"
            QVERIFY(fs::is_directory(params.DestDrive));
        }
        if (direction == "MirrorRbt") QVERIFY(ProfileDirectionOf(params) == eProfileDirection::Mirror);
        if (direction == "SyncRbt") QVERIFY(params.OrphanModeB == eOrphanMode::LookInSnapshot);
        if (others) {
            QVERIFY(params.Percentage);
            QVERIFY(AllowsChange(params.Attributes, eAttributeChange::Hidden));
        }
    }

    // A synchronisation with its own orphan rule keeps it when the user leaves the direction alone.
    void AnUntouchedDirectionKeepsItsOwnFields() {
        testsupport::TempDir dir;
        cParameters params = BackupProfile(dir, nullptr);
        params.SetTouchMode(eTouchMode::Both);
        params.OrphanModeB = eOrphanMode::ForwardBackward;
        uitest::cModalScript script;
        script.Click("OkBtn",
                     [](QWidget* dialog) { QVERIFY(dialog->findChild<QRadioButton*>("SyncRbt")->isChecked()); });
        QVERIFY(ui::RunExpressSetup(nullptr, params).Ok);
        QVERIFY(params.OrphanModeB == eOrphanMode::ForwardBackward);
        QVERIFY(!params.Modified);
    }

    // "Abbrechen" after changing every field leaves the profile as it was.
    void CancelChangesNothing() {
        testsupport::TempDir dir;
        fs::create_directories(dir.Path() / "Neu");
        cParameters params = BackupProfile(dir, nullptr);
        const std::string before = uitest::Written(params, dir, "vorher.tvp");
        uitest::cModalScript script;
        script.Click("CancelBtn", [&](QWidget* dialog) {
            dialog->findChild<QLineEdit*>("SourceEdt")->setText(QString::fromStdString((dir.Path() / "Neu").string()));
            dialog->findChild<QLineEdit*>("DestEdt")->setText(QString::fromStdString((dir.Path() / "USB").string()));
            dialog->findChild<QRadioButton*>("SyncRbt")->setChecked(true);
            dialog->findChild<QCheckBox*>("OthersChk")->setChecked(true);
            dialog->findChild<QCheckBox*>("RunNowChk")->setChecked(true);
        });
        const ui::cConfigResult result = ui::RunExpressSetup(nullptr, params);
        QVERIFY(!result.Ok && !result.RunNow && !result.SetOthers);
        QCOMPARE(uitest::Written(params, dir, "nachher.tvp"), before);
        QVERIFY(!params.Modified);
        QVERIFY(!fs::exists(dir.Path() / "USB"));
    }

    // Folders that cannot be used keep the dialog open with the reason; the destination is checked against the
    // folders the profile searches, not against the whole source root.
    void UnusableFoldersAreRefused_data() {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("dest");
        QTest::addColumn<QString>("message"); // empty: accepted
        QTest::newRow("missing source") << "Fehlt"
                                        << ""
                                        << "gibt es nicht";
        QTest::newRow("relative source") << "@Quelle"
                                         << ""
                                         << "kein vollständiger Pfad";
        QTest::newRow("destination in a searched folder") << ""
                                                          << "Quelle/Dokumente/Kopie"
                                                          << "im Quellordner";
        QTest::newRow("destination holds the source") << ""
                                                      << "."
                                                      << "liegt im Ziel";
        QTest::newRow("destination beside the searched folder") << ""
                                                                << "Quelle/Sicherung"
                                                                << "";
        QTest::newRow("destination is a file") << ""
                                               << "Datei.txt"
                                               << "ist eine Datei";
    }
    void UnusableFoldersAreRefused() {
        QFETCH(QString, source);
        QFETCH(QString, dest);
        QFETCH(QString, message);
        testsupport::TempDir dir;
        dir.WriteFile("Datei.txt", "x");
        cParameters params = BackupProfile(dir, nullptr);
        const cParameters old = params;
        const auto path = [&](const QString& text) {
            if (text.startsWith('@')) return text.mid(1);
            return QString::fromStdString(dir.Path().string()) + "/" + text;
        };

        ui::TExpressSetupDlg dialog(params, nullptr);
        dialog.show();
        if (!source.isEmpty()) dialog.findChild<QLineEdit*>("SourceEdt")->setText(path(source));
        if (!dest.isEmpty()) dialog.findChild<QLineEdit*>("DestEdt")->setText(path(dest));
        dialog.findChild<QPushButton*>("OkBtn")->click();
        auto* problem = dialog.findChild<QLabel*>("ProblemLbl");
        if (message.isEmpty()) {
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
            QVERIFY(!problem->isVisible());
            return;
        }
        QVERIFY(dialog.isVisible());
        QVERIFY(problem->isVisible());
        QVERIFY2(problem->text().contains(message), qPrintable(problem->text()));
        QCOMPARE(params.SourceDrive, old.SourceDrive);
        QCOMPARE(params.DestDrive, old.DestDrive);
    }

    // The dialog keeps its place in the "Express Setup Dialog" section and comes back there.
    void ItsPlaceIsSavedAndRestored() {
        testsupport::TempDir dir;
        testsupport::cMemorySettings settings;
        cParameters params = BackupProfile(dir, &settings);
        constexpr auto kPlace = static_cast<std::size_t>(ui::eWindowPlace::ExpressSetup);
        cWindowPos saved;
        {
            ui::TExpressSetupDlg dialog(params, nullptr);
            dialog.show();
            dialog.move(130, 90);
            dialog.resize(dialog.width() + 60, dialog.height() + 40);
            QVERIFY(QTest::qWaitForWindowExposed(&dialog));
            saved = ui::PlacementOf(dialog);
            dialog.reject(); // Cancel keeps the place as well
        }
        QCOMPARE(params.WindowPositions[kPlace], saved);
        QCOMPARE(settings.Read("Express Setup Dialog", "Left"), std::optional<std::string>(std::to_string(saved.Left)));
        QCOMPARE(settings.Read("Express Setup Dialog", "Right"),
                 std::optional<std::string>(std::to_string(saved.Right)));

        ui::TExpressSetupDlg again(params, nullptr);
        again.show();
        QVERIFY(QTest::qWaitForWindowExposed(&again));
        QCOMPARE(ui::PlacementOf(again), saved);
        again.reject();
    }
};

QTEST_MAIN(ExpressSetupTest)
#include "ExpressSetupTest.moc"
