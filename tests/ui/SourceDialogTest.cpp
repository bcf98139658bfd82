// The source dialog: what OK and Cancel leave in the profile, the tick boxes and the entries as text, the checks
// before OK, links in the tree, the "Drives" mapping, and the live count.
#include "ui/SourceDialog.h"

#include "ModalScript.h"
#include "WrittenDocument.h"
#include "profile/IniFile.h"
#include "profile/Parameters.h"
#include "profile/SettingsFile.h"
#include "support/TempDir.h"
#include "ui/SourceTree.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include <filesystem>
#include <fstream>
#include <memory>

namespace fs = std::filesystem;

namespace {

void MakeFile(const fs::path& path, std::size_t bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << std::string(bytes, 'x');
}

// Anna's home: letters with an old folder, pictures, and a link to a folder elsewhere.
void BuildHome(const fs::path& home) {
    MakeFile(home / "Daten/Briefe/Brief.doc", 100);
    MakeFile(home / "Daten/Briefe/Notiz.txt", 20);
    MakeFile(home / "Daten/Alt/alt.doc", 50);
    MakeFile(home / "Daten/Alt/Tief/tief.doc", 5);
    MakeFile(home / "Bilder/Urlaub/strand.jpg", 1000);
    MakeFile(home / "Woanders/geheim.doc", 7);
    fs::create_directory_symlink(home / "Woanders", home / "Daten/Verknüpft");
}

cParameters Profile(const fs::path& home) {
    cParameters params;
    params.DocumentKind = kProfileDocument;
    params.SourceDrive = home.string();
    params.SearchDirectories.Clear();
    params.CompareFiles.Clear();
    return params;
}

QString Text(const ui::TSourceDlg& dialog, const char* name) {
    return dialog.findChild<QPlainTextEdit*>(name)->toPlainText();
}

void Click(ui::TSourceDlg& dialog, const std::string& dir) {
    QTreeWidgetItem* item = dialog.Tree()->OpenTo(dir);
    QVERIFY2(item, dir.c_str());
    // What a click on the box does: Qt moves the state, the dialog decides which state follows.
    item->setCheckState(0, item->checkState(0) == Qt::Checked ? Qt::Unchecked : Qt::Checked);
}

Qt::CheckState TickOf(ui::TSourceDlg& dialog, const std::string& dir) {
    QTreeWidgetItem* item = dialog.Tree()->OpenTo(dir);
    if (!item) QTest::qFail(("the tree has no folder " + dir).c_str(), __FILE__, __LINE__);
    return item ? item->checkState(0) : Qt::Unchecked;
}

} // namespace

class SourceDialogTest : public QObject {
    Q_OBJECT

private slots:
    // A profile with every kind of entry, patterns and variables among them, is written again byte for byte
    // after OK without a change, and is not marked as modified.
    void OkWithoutChangeKeepsTheProfileByteIdentical() {
        const testsupport::TempDir dir;
        BuildHome(dir.Path() / "home");
        cParameters rich = Profile(dir.Path() / "home");
        for (const char* entry : {"\\Daten\\*", "\\Bilder\\", "\\Projekte\\A*", "\\%USERNAME%\\*", "\\Fehlt\\"})
            rich.SearchDirectories.Add(entry);
        for (const char* entry : {"\\Daten\\Alt\\*", "\\Daten\\*tmp*", "\\Bilder\\Urlaub\\"})
            rich.ExcludeDirectories.Add(entry);
        for (const char* mask : {"*.*", "Brief*.doc"})
            rich.CompareFiles.Add(mask);
        rich.EnforceFiles.Add("*.kdbx");
        rich.DeleteFiles.Add("*.bak");
        for (const char* mask : {"*.tmp", "~*.*", "Thumbs.db"})
            rich.ExcludeFiles.Add(mask);
        const std::string original = uitest::Written(rich, dir, "original.tvp");
        QVERIFY(!original.empty());

        cParameters params;
        QCOMPARE(params.ReadDocument((dir.Path() / "original.tvp").string()), 0);
        ui::TSourceDlg dialog(params, {}, nullptr);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        dialog.findChild<QPushButton*>("OkBtn")->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(!params.Modified);
        QCOMPARE(uitest::Written(params, dir, "again.tvp"), original);
    }

    // Ticks write the canonical entries into the text, OK stores them; Cancel after the same clicks leaves the
    // profile as it was.
    void TicksWriteTheEntriesAndOkStoresThem() {
        for (const bool ok : {true, false}) {
            const testsupport::TempDir dir;
            BuildHome(dir.Path() / "home");
            cParameters params = Profile(dir.Path() / "home");
            params.CompareFiles.Add("*.*");
            params.SearchDirectories.Add("\\Projekte\\A*"); // a pattern the tree cannot show
            const std::string before = uitest::Written(params, dir, "before.tvp");
            ui::TSourceDlg dialog(params, {}, nullptr);
            dialog.show();
            QVERIFY(QTest::qWaitForWindowExposed(&dialog));

            Click(dialog, "\\Daten\\");      // with all subfolders
            Click(dialog, "\\Daten\\Alt\\"); // unticked below it: excluded
            Click(dialog, "\\Bilder\\");     // with all subfolders ...
            Click(dialog, "\\Bilder\\");     // ... then this folder alone
            QCOMPARE(Text(dialog, "SearchMmo"), QStringLiteral("\\Bilder\\\n\\Daten\\*\n\\Projekte\\A*"));
            QCOMPARE(Text(dialog, "ExcludeMmo"), QStringLiteral("\\Daten\\Alt\\*"));
            QCOMPARE(TickOf(dialog, "\\Daten\\Briefe\\"), Qt::Checked);
            QCOMPARE(TickOf(dialog, "\\Daten\\Alt\\"), Qt::Unchecked);
            QCOMPARE(TickOf(dialog, "\\Bilder\\"), Qt::PartiallyChecked);
            QCOMPARE(TickOf(dialog, "\\Bilder\\Urlaub\\"), Qt::Unchecked);
            // Inside an excluded branch a tick could not take effect.
            QVERIFY(!(dialog.Tree()->OpenTo("\\Daten\\Alt\\Tief\\")->flags() & Qt::ItemIsEnabled));

            dialog.findChild<QPushButton*>(ok ? "OkBtn" : "CancelBtn")->click();
            if (ok) {
                QCOMPARE(params.SearchDirectories.Size(), std::size_t(3));
                QVERIFY(params.SearchDirectories.Contains("\\Daten\\*"));
                QVERIFY(params.SearchDirectories.Contains("\\Bilder\\"));
                QVERIFY(params.SearchDirectories.Contains("\\Projekte\\A*"));
                QCOMPARE(params.ExcludeDirectories.Size(), std::size_t(1));
                QVERIFY(params.ExcludeDirectories.Contains("\\Daten\\Alt\\*"));
                QVERIFY(params.Modified);
            } else {
                QCOMPARE(uitest::Written(params, dir, "after.tvp"), before);
            }
        }
    }

    // Entries typed as text show as ticks at once.
    void TypedEntriesReadBackAsTicks() {
        const testsupport::TempDir dir;
        BuildHome(dir.Path() / "home");
        cParameters params = Profile(dir.Path() / "home");
        ui::TSourceDlg dialog(params, {}, nullptr);
        dialog.findChild<QPlainTextEdit*>("SearchMmo")->setPlainText(QStringLiteral("\\Daten\\*\n\\Bilder\\"));
        dialog.findChild<QPlainTextEdit*>("ExcludeMmo")->setPlainText(QStringLiteral("\\Daten\\Briefe\\*"));
        QCOMPARE(TickOf(dialog, "\\Daten\\"), Qt::Checked);
        QCOMPARE(TickOf(dialog, "\\Daten\\Alt\\Tief\\"), Qt::Checked);
        QCOMPARE(TickOf(dialog, "\\Daten\\Briefe\\"), Qt::Unchecked);
        QCOMPARE(TickOf(dialog, "\\Bilder\\"), Qt::PartiallyChecked);
        QCOMPARE(TickOf(dialog, "\\"), Qt::Unchecked);
    }

    // A link to a folder is shown, but never opened and never ticked.
    void ALinkToAFolderIsShownButNeverOpened() {
        const testsupport::TempDir dir;
        BuildHome(dir.Path() / "home");
        cParameters params = Profile(dir.Path() / "home");
        params.SearchDirectories.Add("\\Daten\\*");
        ui::TSourceDlg dialog(params, {}, nullptr);
        QTreeWidgetItem* daten = dialog.Tree()->OpenTo("\\Daten\\");
        QVERIFY(daten);
        dialog.Tree()->expandItem(daten);
        QTreeWidgetItem* link = nullptr;
        for (int i = 0; i < daten->childCount(); ++i)
            if (ui::TSourceTree::IsLink(daten->child(i))) link = daten->child(i);
        QVERIFY(link);
        QVERIFY(link->text(0).startsWith(QStringLiteral("Verknüpft")));
        dialog.Tree()->expandItem(link);
        QCOMPARE(link->childCount(), 0);
        QCOMPARE(link->childIndicatorPolicy(), QTreeWidgetItem::DontShowIndicator);
        QVERIFY(!(link->flags() & Qt::ItemIsUserCheckable));
        QVERIFY(!dialog.Tree()->OpenTo("\\Daten\\Verknüpft\\"));
        QVERIFY(ui::TSourceTree::DirOf(link).empty());
    }

    // Each wrong field keeps the dialog open with its message next to it and changes nothing.
    void WrongFieldsAreNamedNextToThemAndNothingIsStored() {
        struct cCase {
            const char* Field;
            QString Text;
            const char* ErrorLabel;
            int Tab; // -1: the root, above the pages
            const char* Says;
        };
        const std::vector<cCase> cases = {
            {"SourceDriveEdt", QStringLiteral("home/anna"), "RootErrorLbl", -1, "kein gültiger Ordner"},
            {"SourceDriveEdt", QString(), "RootErrorLbl", -1, "Bitte geben Sie die Quelle an."},
            {"SearchMmo", QStringLiteral("\\Daten\\*\nBilder\\"), "DirectoryErrorLbl", 0, "Zeile 2: „Bilder\\“"},
            {"SearchMmo", QStringLiteral("\\Daten"), "DirectoryErrorLbl", 0, "endet weder"},
            {"ExcludeMmo", QStringLiteral("\\Daten\\..\\etc\\"), "DirectoryErrorLbl", 0, "kein gültiger Ordner"},
            {"SearchMmo", QStringLiteral("\\Daten\\a*b*c"), "DirectoryErrorLbl", 0, "kein Muster"},
            {"CompareMmo", QStringLiteral("*.doc\nBriefe/*.txt"), "MaskErrorLbl", 1, "Zeile 2"},
            {"ExcludeFilesMmo", QStringLiteral("C:\\temp\\*.tmp"), "MaskErrorLbl", 1, "nennt einen Ordner"},
        };
        const testsupport::TempDir dir;
        BuildHome(dir.Path() / "home");
        for (const cCase& c : cases) {
            cParameters params = Profile(dir.Path() / "home");
            params.CompareFiles.Add("*.*");
            const std::string before = uitest::Written(params, dir, "before.tvp");
            ui::TSourceDlg dialog(params, {}, nullptr);
            dialog.show();
            QVERIFY(QTest::qWaitForWindowExposed(&dialog));
            if (auto* line = dialog.findChild<QLineEdit*>(c.Field))
                line->setText(c.Text);
            else
                dialog.findChild<QPlainTextEdit*>(c.Field)->setPlainText(c.Text);
            dialog.findChild<QPushButton*>("OkBtn")->click();
            QVERIFY2(dialog.isVisible(), c.Says);
            auto* error = dialog.findChild<QLabel*>(c.ErrorLabel);
            QVERIFY2(error->isVisible(), c.Says);
            QVERIFY2(error->text().contains(QString::fromUtf8(c.Says)), qPrintable(error->text()));
            if (c.Tab >= 0) QCOMPARE(dialog.findChild<QTabWidget*>("SourceSht")->currentIndex(), c.Tab);
            QCOMPARE(uitest::Written(params, dir, "after.tvp"), before);
        }
    }

    // "Datei wählen..." adds a file's name, "Dateityp wählen..." its type, each with the extension in lower case,
    // to the mask list that was written in last (compare at first).
    void FileButtonsAddANameOrATypeToTheLastList() {
        const testsupport::TempDir dir;
        BuildHome(dir.Path() / "home");
        MakeFile(dir.Path() / "home/Daten/Bericht 2026.PDF", 3);
        cParameters params = Profile(dir.Path() / "home");
        params.CompareFiles.Add("*.doc");
        ui::TSourceDlg dialog(params, {}, nullptr);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        const QString file = QString::fromStdString((dir.Path() / "home/Daten/Bericht 2026.PDF").string());
        uitest::cModalScript script;
        script.ChooseFile(file).ChooseFile(file);
        dialog.findChild<QPushButton*>("AddFileBtn")->click();
        QCOMPARE(Text(dialog, "CompareMmo"), QStringLiteral("*.doc\nBericht 2026.pdf"));
        dialog.findChild<QTabWidget*>("SourceSht")->setCurrentIndex(1);
        dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        dialog.findChild<QPlainTextEdit*>("ExcludeFilesMmo")->setFocus();
        QTRY_VERIFY(dialog.findChild<QPlainTextEdit*>("ExcludeFilesMmo")->hasFocus());
        dialog.findChild<QPushButton*>("AddTypeBtn")->click();
        QCOMPARE(Text(dialog, "ExcludeFilesMmo"), QStringLiteral("*.pdf"));
        QVERIFY(script.Done());
        QCOMPARE(script.Unexpected(), 0);
    }

    // A root written as a drive letter is found through the mapping the dialog shows and stores.
    void AWindowsRootUsesTheDrivesMapping() {
        const testsupport::TempDir dir;
        BuildHome(dir.Path() / "home");
        cIniFile settings((dir.Path() / "Tolvan6.ini").string());
        cParameters params = Profile(dir.Path() / "home");
        params.Settings = &settings;
        params.SourceDrive = "D:";
        params.Drives.Set("E:", (dir.Path() / "home" / "Bilder").string());
        params.SearchDirectories.Add("\\Daten\\*");
        ui::TSourceDlg dialog(params, {}, nullptr);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto* map = dialog.findChild<QLineEdit*>("DriveMapEdt");
        QVERIFY(!map->isHidden());
        QVERIFY(map->text().isEmpty());
        QCOMPARE(dialog.Tree()->topLevelItemCount(), 0); // not mapped: nothing to show
        map->setText(QString::fromStdString((dir.Path() / "home").string()));
        QTRY_COMPARE(dialog.Tree()->topLevelItemCount(), 1);
        QCOMPARE(TickOf(dialog, "\\Daten\\Briefe\\"), Qt::Checked);
        dialog.findChild<QPushButton*>("OkBtn")->click();
        QCOMPARE(params.SourceDrive, std::string("D:"));
        QCOMPARE(params.Drives.Lookup("D:").value_or(""), (dir.Path() / "home").string());
        QVERIFY(!params.Modified); // the mapping belongs to the settings, not to the profile
        // ... and is there for the next start of the program.
        QCOMPARE(ReadDrives(cIniFile((dir.Path() / "Tolvan6.ini").string())).Lookup("D:").value_or(""),
                 (dir.Path() / "home").string());

        // Another drive shows its own mapping.
        dialog.findChild<QLineEdit*>("SourceDriveEdt")->setText(QStringLiteral("e:"));
        QCOMPARE(map->text(), QString::fromStdString((dir.Path() / "home" / "Bilder").string()));
        // A POSIX root hides the mapping.
        dialog.findChild<QLineEdit*>("SourceDriveEdt")->setText(QStringLiteral("/"));
        QVERIFY(map->isHidden());
    }

    // The count follows the settings: what a first backup would copy, and again after a tick.
    void TheCountFollowsTheSettings() {
        const testsupport::TempDir dir;
        BuildHome(dir.Path() / "home");
        cParameters params = Profile(dir.Path() / "home");
        params.SetTouchMode(eTouchMode::DestOnly);
        params.Attributes = 0;
        params.SearchDirectories.Add("\\Daten\\*");
        params.ExcludeDirectories.Add("\\Daten\\Alt\\*");
        params.CompareFiles.Add("*.doc");
        ui::TSourceDlg dialog(params, {}, nullptr);
        auto* count = dialog.findChild<QLabel*>("CountLbl");
        // \Daten\ and \Daten\Briefe\ with Brief.doc; the link is a file of its own that "*.doc" does not match.
        QTRY_COMPARE(count->text(), QStringLiteral("Ausgewählt: 2 Ordner, 1 Datei, 100 Bytes"));
        Click(dialog, "\\Daten\\Alt\\");
        QCOMPARE(count->text(), QStringLiteral("Zähle..."));
        QTRY_COMPARE(count->text(), QStringLiteral("Ausgewählt: 4 Ordner, 3 Dateien, 155 Bytes"));
        dialog.findChild<QLineEdit*>("SourceDriveEdt")
            ->setText(QString::fromStdString((dir.Path() / "nicht").string()));
        QTRY_VERIFY2(count->text().startsWith(QStringLiteral("Die Quelle ist nicht bereit")),
                     qPrintable(count->text()));
    }

    // A change while a count runs starts a new one for the new settings, and closing the dialog during a count on
    // a large tree never waits for it to finish.
    void ChangesRecountAndClosingDuringACountIsPrompt() {
        const testsupport::TempDir dir;
        for (int i = 0; i < 40; ++i) {
            for (int j = 0; j < 40; ++j)
                fs::create_directories(dir.Path() / ("A" + std::to_string(i)) / ("B" + std::to_string(j)));
            MakeFile(dir.Path() / ("A" + std::to_string(i)) / "x.txt", 1);
            MakeFile(dir.Path() / ("A" + std::to_string(i)) / "y.doc", 2);
        }
        cParameters params = Profile(dir.Path());
        params.SearchDirectories.Add("\\*");
        params.CompareFiles.Add("*.*");
        auto dialog = std::make_unique<ui::TSourceDlg>(params, std::vector<ui::cSourceVolume>{}, nullptr);
        auto* count = dialog->findChild<QLabel*>("CountLbl");
        auto* compare = dialog->findChild<QPlainTextEdit*>("CompareMmo");
        QCOMPARE(count->text(), QStringLiteral("Zähle..."));
        QTest::qWait(300); // the first count has started
        compare->setPlainText(QStringLiteral("*.doc"));
        QTRY_COMPARE(count->text(), QStringLiteral("Ausgewählt: 1.641 Ordner, 40 Dateien, 80 Bytes"));

        compare->setPlainText(QStringLiteral("*.*"));
        QTest::qWait(300); // a count runs again
        QElapsedTimer timer;
        timer.start();
        dialog.reset();
        QVERIFY2(timer.elapsed() < 500, qPrintable(QString::number(timer.elapsed())));
    }
};

QTEST_MAIN(SourceDialogTest)
#include "SourceDialogTest.moc"
