// The wizards: the profile they write, what a headless run of it does, the folders they refuse, and Cancel.
#include "ModalScript.h"
#include "WrittenDocument.h"

#include "engine/RunControl.h"
#include "engine/RunDriver.h"
#include "profile/Parameters.h"
#include "shell/RunProfile.h"
#include "support/EnvironmentOverride.h"
#include "support/MemorySettings.h"
#include "support/RecordingInterface.h"
#include "support/TempDir.h"
#include "ui/WizardDialog.h"
#include "ui/Wizards.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <unistd.h>

#include <filesystem>
#include <functional>

namespace fs = std::filesystem;

namespace {

QString Native(const fs::path& path) {
    return QString::fromStdString(path.string());
}

void Type(QWidget* wizard, const char* edit, const QString& text) {
    auto* field = wizard->findChild<QLineEdit*>(edit);
    QVERIFY2(field && field->isVisible(), edit);
    field->setText(text);
}

void Press(QWidget* wizard, const char* button) {
    auto* found = wizard->findChild<QPushButton*>(button);
    QVERIFY2(found && found->isVisible() && found->isEnabled(), button);
    found->click();
}

// The answers a wizard gets, page by page; an empty text leaves the field as the wizard filled it.
struct cWizardAnswers {
    bool ChooseSync = false; // the profile wizard's first page
    QString Source;
    QString Dest;
    bool DeleteInDest = false;
    QString Profile;
    bool Desktop = false;
    bool RunNow = false;
};

// Goes through every page of the open wizard and presses "Fertig stellen".
void Fill(QWidget* wizard, const cWizardAnswers& answers) {
    if (wizard->objectName() == "ProfileWizard") {
        wizard->findChild<QRadioButton*>(answers.ChooseSync ? "SyncRbt" : "BackupRbt")->setChecked(true);
        Press(wizard, "NextBtn");
    }
    Type(wizard, "SourceEdt", answers.Source);
    Press(wizard, "NextBtn");
    Type(wizard, "DestEdt", answers.Dest);
    Press(wizard, "NextBtn");
    if (auto* remove = wizard->findChild<QCheckBox*>("DeleteChk"); remove->isVisible())
        remove->setChecked(answers.DeleteInDest);
    Press(wizard, "NextBtn");
    if (!answers.Profile.isEmpty()) Type(wizard, "ProfileEdt", answers.Profile);
    wizard->findChild<QCheckBox*>("DesktopChk")->setChecked(answers.Desktop);
    wizard->findChild<QCheckBox*>("RunNowChk")->setChecked(answers.RunNow);
    Press(wizard, "FinishBtn");
}

using WizardFunction = ui::cConfigResult (*)(QWidget*, cParameters&);

ui::cConfigResult RunFilled(WizardFunction run, cParameters& params, const cWizardAnswers& answers,
                            QString* objectName = nullptr) {
    uitest::cModalScript script;
    script.Then([&](QWidget* wizard) {
        if (objectName) *objectName = wizard->objectName();
        Fill(wizard, answers);
    });
    const ui::cConfigResult result = run(nullptr, params);
    [&] {
        QVERIFY(script.Done());
        QCOMPARE(script.Unexpected(), 0);
    }();
    return result;
}

// One headless run of the profile file, as the launcher would run it.
std::uint8_t RunHeadless(const std::string& profile, cSettingsStore& settings) {
    cParameters params(&settings);
    if (params.ReadDocument(profile) != 0) return 99;
    cRecordingInterface ui;
    ui.Answer = eAnswer::Yes;
    cRunControl control(ui);
    return RunProfile(params, control, kSingleProfile, 0);
}

} // namespace

class WizardTest : public QObject {
    Q_OBJECT

private slots:
    // The backup wizard end to end: pages filled, the profile written and current, read back and run.
    void BackupWizardWritesARunnableProfile_data() {
        QTest::addColumn<bool>("deleteInDest");
        QTest::newRow("one way") << false;
        QTest::newRow("mirror") << true;
    }
    void BackupWizardWritesARunnableProfile() {
        QFETCH(bool, deleteInDest);
        testsupport::TempDir dir;
        dir.WriteFile("Quelle/Brief.txt", "Lieber Otto");
        dir.WriteFile("Quelle/Bilder/Urlaub.jpg", "jpeg");
        dir.WriteFile("Quelle/.versteckt", "x");
        dir.WriteFile("Ziel/Alt.txt", "nur im Ziel");
        testsupport::cMemorySettings settings;
        cParameters params(&settings);
        params.AddDefaultMask();
        params.OldFiles[0] = "/home/anna/Früher.tvp";

        cWizardAnswers answers;
        answers.Source = Native(dir.Path() / "Quelle");
        answers.Dest = Native(dir.Path() / "Ziel") + "/"; // a trailing "/" is no other folder
        answers.DeleteInDest = deleteInDest;
        answers.Profile = Native(dir.Path() / "Profile" / "Sicherung"); // folder created, ".tvp" added
        answers.RunNow = true;
        QString objectName;
        const ui::cConfigResult result = RunFilled(ui::RunBackupWizard, params, answers, &objectName);

        QCOMPARE(objectName, QStringLiteral("BackupWizard"));
        QVERIFY(result.Ok);
        QVERIFY(result.RunNow);
        const std::string file = (dir.Path() / "Profile" / "Sicherung.tvp").string();
        QCOMPARE(params.DocumentFile, file);
        QCOMPARE(params.DocumentKind, std::uint8_t{kProfileDocument});
        QVERIFY(!params.Untitled);
        QVERIFY(!params.Modified);
        QCOMPARE(params.OldFiles[0], file);
        QCOMPARE(params.OldFiles[1], std::string("/home/anna/Früher.tvp"));

        cParameters read(&settings);
        QCOMPARE(read.ReadDocument(file), 0);
        QCOMPARE(read.SourceDrive, (dir.Path() / "Quelle").string());
        QCOMPARE(read.DestDrive, (dir.Path() / "Ziel").string());
        QCOMPARE(read.DestDirectory, std::string("\\"));
        QCOMPARE(read.SearchDirectories.Size(), std::size_t{1});
        QCOMPARE(read.SearchDirectories.Text(0), std::string("\\*"));
        QCOMPARE(read.CompareFiles.Size(), std::size_t{1});
        QCOMPARE(read.CompareFiles.Text(0), std::string("*.*"));
        QVERIFY(read.TouchMode() == eTouchMode::DestOnly);
        QVERIFY(read.OrphanModeD2 == (deleteInDest ? eOrphanMode::Delete : eOrphanMode::Skip));
        QVERIFY(read.Percentage);
        QVERIFY(AllowsChange(read.Attributes, eAttributeChange::Hidden));

        QCOMPARE(RunHeadless(file, settings), kRunSucceeded);
        QCOMPARE(dir.ReadFile("Ziel/Brief.txt"), std::string("Lieber Otto"));
        QCOMPARE(dir.ReadFile("Ziel/Bilder/Urlaub.jpg"), std::string("jpeg"));
        QVERIFY(fs::exists(dir.Path() / "Ziel" / ".versteckt"));
        QCOMPARE(fs::exists(dir.Path() / "Ziel" / "Alt.txt"), !deleteInDest);
        QVERIFY(fs::exists(dir.Path() / "Quelle" / "Brief.txt")); // the source is never touched
        QVERIFY(!fs::exists(dir.Path() / "Quelle" / "Alt.txt"));
    }

    // Synchronising goes both ways, and the snapshot tells a file deleted on one side from a new one: the second
    // run deletes it on the other side instead of bringing it back. The destination is created, and the
    // desktop gets a shortcut.
    void SyncWizardWritesATwoWayProfileWithTheSnapshot() {
        testsupport::TempDir dir;
        dir.WriteFile("Laptop/Notiz.txt", "vom Laptop");
        dir.WriteFile("Laptop/Weg.txt", "wird gelöscht");
        testsupport::EnvironmentOverride home("HOME", (dir.Path() / "home").string());
        testsupport::EnvironmentOverride config("XDG_CONFIG_HOME", (dir.Path() / "home" / ".config").string());
        testsupport::cMemorySettings settings;
        cParameters params(&settings);

        cWizardAnswers answers;
        answers.Source = Native(dir.Path() / "Laptop");
        answers.Dest = Native(dir.Path() / "Stick" / "Abgleich"); // does not exist yet
        answers.Profile = Native(dir.Path() / "Abgleich.tvp");
        answers.Desktop = true;
        QString objectName;
        const ui::cConfigResult result = RunFilled(ui::RunSyncWizard, params, answers, &objectName);
        QCOMPARE(objectName, QStringLiteral("SyncWizard"));
        QVERIFY(result.Ok);
        QVERIFY(!result.RunNow);
        QVERIFY(fs::is_directory(dir.Path() / "Stick" / "Abgleich"));
        const std::string entry = dir.ReadFile("home/Desktop/Abgleich.tvp.desktop");
        QVERIFY2(QString::fromStdString(entry).contains("Abgleich.tvp\""), entry.c_str());

        const std::string file = (dir.Path() / "Abgleich.tvp").string();
        cParameters read(&settings);
        QCOMPARE(read.ReadDocument(file), 0);
        QVERIFY(read.TouchMode() == eTouchMode::Both);
        QVERIFY(read.OrphanModeB == eOrphanMode::LookInSnapshot);

        QCOMPARE(RunHeadless(file, settings), kRunSucceeded);
        QCOMPARE(dir.ReadFile("Stick/Abgleich/Notiz.txt"), std::string("vom Laptop"));
        QVERIFY(fs::exists(dir.Path() / "Stick" / "Abgleich" / "Weg.txt"));
        QVERIFY(fs::exists(file + ".lst"));
        dir.WriteFile("Stick/Abgleich/Neu.txt", "vom Stick");
        fs::remove(dir.Path() / "Laptop" / "Weg.txt");
        QCOMPARE(RunHeadless(file, settings), kRunSucceeded);
        QCOMPARE(dir.ReadFile("Laptop/Neu.txt"), std::string("vom Stick"));
        QVERIFY(!fs::exists(dir.Path() / "Stick" / "Abgleich" / "Weg.txt"));
        QVERIFY(!fs::exists(dir.Path() / "Laptop" / "Weg.txt"));
    }

    // The profile wizard asks first and then makes the same profile as the wizard of that kind.
    void ProfileWizardAsksBackupOrSynchronisation_data() {
        QTest::addColumn<bool>("sync");
        QTest::newRow("backup") << false;
        QTest::newRow("synchronisation") << true;
    }
    void ProfileWizardAsksBackupOrSynchronisation() {
        QFETCH(bool, sync);
        testsupport::TempDir dir;
        fs::create_directories(dir.Path() / "A");
        cParameters params;
        cWizardAnswers answers;
        answers.ChooseSync = sync;
        answers.Source = Native(dir.Path() / "A");
        answers.Dest = Native(dir.Path() / "B");
        answers.Profile = Native(dir.Path() / "P.tvp");
        QString objectName;
        QVERIFY(RunFilled(ui::RunProfileWizard, params, answers, &objectName).Ok);
        QCOMPARE(objectName, QStringLiteral("ProfileWizard"));
        cParameters read;
        QCOMPARE(read.ReadDocument((dir.Path() / "P.tvp").string()), 0);
        QVERIFY(read.TouchMode() == (sync ? eTouchMode::Both : eTouchMode::DestOnly));
        QCOMPARE(read.OrphanModeB == eOrphanMode::LookInSnapshot, sync);
    }

    // A page with a folder that cannot be used stays, and says why beside the field.
    void BadFoldersAreRefusedWithTheirMessage_data() {
        QTest::addColumn<QString>("source"); // below the test's folder unless absolute or empty
        QTest::addColumn<QString>("dest");
        QTest::addColumn<QString>("profile");
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("message");
        const int source = ui::TWizardDlg::SourcePageId;
        const int dest = ui::TWizardDlg::DestPageId;
        const int save = ui::TWizardDlg::SavePageId;
        QTest::newRow("no source") << ""
                                   << ""
                                   << "" << source << "Bitte geben Sie den Ordner an, dessen Dateien";
        QTest::newRow("relative source") << "@Quelle"
                                         << ""
                                         << "" << source << "ist kein vollständiger Pfad";
        QTest::newRow("missing source") << "Fehlt"
                                        << ""
                                        << "" << source << "gibt es nicht";
        QTest::newRow("source is a file") << "Datei.txt"
                                          << ""
                                          << "" << source << "ist eine Datei, kein Ordner";
        QTest::newRow("no destination") << "Quelle"
                                        << ""
                                        << "" << dest << "Bitte geben Sie den Ordner an, in den";
        QTest::newRow("same folder") << "Quelle"
                                     << "Quelle/"
                                     << "" << dest << "derselbe Ordner";
        QTest::newRow("destination inside the source") << "Quelle"
                                                       << "Quelle/Sicherung/neu"
                                                       << "" << dest << "Das Ziel liegt im Quellordner";
        QTest::newRow("destination inside the source through a link") << "Quelle"
                                                                      << "Verweis/Sicherung"
                                                                      << "" << dest << "Das Ziel liegt im Quellordner";
        QTest::newRow("source inside the destination") << "Quelle"
                                                       << "."
                                                       << "" << dest << "liegt im Ziel";
        QTest::newRow("destination is a file") << "Quelle"
                                               << "Datei.txt"
                                               << "" << dest << "ist eine Datei";
        QTest::newRow("destination below a file") << "Quelle"
                                                  << "Datei.txt/Ziel"
                                                  << "" << dest << "kann nicht angelegt werden";
        if (::geteuid() != 0)
            QTest::newRow("destination in a read-only folder") << "Quelle"
                                                               << "Gesperrt/Ziel"
                                                               << "" << dest << "kann nicht angelegt werden";
        QTest::newRow("profile without folder") << "Quelle"
                                                << "Quelle2"
                                                << "@Profil.tvp" << save << "ist kein vollständiger Pfad";
        QTest::newRow("profile of another type") << "Quelle"
                                                 << "Quelle2"
                                                 << "Profil.txt" << save << "ist kein gültiger Name für ein Profil";
        QTest::newRow("profile name is a folder") << "Quelle"
                                                  << "Quelle2"
                                                  << "Ordner.tvp" << save << "ist ein Ordner";
        // A sibling whose name begins like the source is outside it: this row must get past every page.
        QTest::newRow("sibling with the same beginning") << "Quelle"
                                                         << "Quelle2"
                                                         << "Profil" << -1 << "";
    }
    void BadFoldersAreRefusedWithTheirMessage() {
        QFETCH(QString, source);
        QFETCH(QString, dest);
        QFETCH(QString, profile);
        QFETCH(int, page);
        QFETCH(QString, message);
        testsupport::TempDir dir;
        dir.WriteFile("Quelle/a.txt", "a");
        dir.WriteFile("Datei.txt", "keine Ordner");
        fs::create_directories(dir.Path() / "Ordner.tvp");
        fs::create_directories(dir.Path() / "Gesperrt");
        fs::permissions(dir.Path() / "Gesperrt", fs::perms::owner_read | fs::perms::owner_exec);
        fs::create_directory_symlink(dir.Path() / "Quelle", dir.Path() / "Verweis");
        const auto path = [&](const QString& text) {
            if (text.isEmpty()) return text;
            if (text.startsWith('@')) return text.mid(1);
            return Native(dir.Path()) + "/" + text;
        };

        cParameters params;
        ui::TWizardDlg wizard(params, ui::eWizardKind::Backup, nullptr);
        wizard.show();
        const auto step = [&](int expected, const char* edit, const QString& text, const char* problem) {
            if (wizard.currentId() != expected) return;
            wizard.findChild<QLineEdit*>(edit)->setText(text);
            if (expected == ui::TWizardDlg::SavePageId)
                wizard.findChild<QPushButton*>("FinishBtn")->click();
            else
                wizard.findChild<QPushButton*>("NextBtn")->click();
            if (page != expected) return;
            QCOMPARE(wizard.currentId(), expected);
            auto* label = wizard.findChild<QLabel*>(problem);
            QVERIFY(label->isVisible());
            QVERIFY2(label->text().contains(message), qPrintable(label->text()));
        };
        step(ui::TWizardDlg::SourcePageId, "SourceEdt", path(source), "SourceProblemLbl");
        step(ui::TWizardDlg::DestPageId, "DestEdt", path(dest), "DestProblemLbl");
        if (wizard.currentId() == ui::TWizardDlg::ActionPageId) wizard.findChild<QPushButton*>("NextBtn")->click();
        step(ui::TWizardDlg::SavePageId, "ProfileEdt", path(profile), "ProfileProblemLbl");
        fs::permissions(dir.Path() / "Gesperrt", fs::perms::owner_all);
        if (page == -1) {
            QCOMPARE(wizard.result(), int(QDialog::Accepted));
            QVERIFY(fs::exists(dir.Path() / "Profil.tvp"));
        } else {
            QCOMPARE(wizard.result(), int(QDialog::Rejected)); // still open
            QVERIFY(!fs::exists(dir.Path() / "Profil.tvp"));
        }
        QCOMPARE(params.DocumentFile,
                 page == -1 ? (dir.Path() / "Profil.tvp").string() : std::string(kUntitledProfile));
    }

    // Cancel, also after refusing to replace an existing file, leaves the document, the file and the folders
    // as they were.
    void CancelLeavesEverythingAsItWas() {
        testsupport::TempDir dir;
        dir.WriteFile("Quelle/a.txt", "a");
        dir.WriteFile("Alt.tvp", "nicht überschreiben");
        testsupport::cMemorySettings settings;
        cParameters params(&settings);
        params.AddDefaultMask();
        params.SourceDrive = "/home/anna";
        QCOMPARE(params.WriteDocument((dir.Path() / "Offen.tvp").string()), 0);
        const std::string before = uitest::Written(params, dir, "vorher.tvp");
        const cParameters old = params;

        QString replaceQuestion;
        bool stillOpen = false;
        uitest::cModalScript script;
        script.Then([&](QWidget* wizard) {
            Type(wizard, "SourceEdt", Native(dir.Path() / "Quelle"));
            Press(wizard, "NextBtn");
            Type(wizard, "DestEdt", Native(dir.Path() / "Neu"));
            Press(wizard, "NextBtn");
            Press(wizard, "NextBtn");
            Type(wizard, "ProfileEdt", Native(dir.Path() / "Alt.tvp"));
            Press(wizard, "FinishBtn"); // asks whether to replace Alt.tvp, and is told "Nein"
            stillOpen = wizard->isVisible();
            Press(wizard, "CancelBtn");
        });
        script.Then([&](QWidget* box) {
            replaceQuestion = uitest::BoxText(box);
            for (QAbstractButton* button : box->findChildren<QAbstractButton*>())
                if (button->text().remove('&') == "Nein") button->click();
        });
        const ui::cConfigResult result = ui::RunBackupWizard(nullptr, params);

        QVERIFY(script.Done());
        QCOMPARE(script.Unexpected(), 0);
        QVERIFY2(replaceQuestion.contains("gibt es schon"), qPrintable(replaceQuestion));
        QVERIFY(stillOpen);
        QVERIFY(!result.Ok);
        QVERIFY(!result.RunNow);
        QCOMPARE(uitest::Written(params, dir, "nachher.tvp"), before);
        QCOMPARE(params.DocumentFile, old.DocumentFile);
        QCOMPARE(params.OldFiles, old.OldFiles);
        QCOMPARE(params.Untitled, old.Untitled);
        QCOMPARE(dir.ReadFile("Alt.tvp"), std::string("nicht überschreiben"));
        QVERIFY(!fs::exists(dir.Path() / "Neu"));
    }
};

QTEST_MAIN(WizardTest)
#include "WizardTest.moc"
