// The main window's document commands on real files: new, open, recent files, save, save as, Top 12.
#include "ModalScript.h"

#include "profile/Parameters.h"
#include "support/EnvironmentOverride.h"
#include "support/TempDir.h"
#include "ui/DocumentFileDialog.h"
#include "ui/MainWnd.h"

#include <QAction>
#include <QFileDialog>
#include <QTest>

#include <filesystem>

namespace fs = std::filesystem;
using uitest::cModalScript;

namespace {

QAction* Item(ui::TMainWnd& window, const char* name) {
    return window.findChild<QAction*>(QString::fromLatin1(name));
}

// A profile on disk whose search directories show whether it was saved again.
std::string WriteProfile(const testsupport::TempDir& dir, const char* name, const char* searchDirectory) {
    cParameters params;
    params.AddDefaultMask();
    params.SearchDirectories.Add(searchDirectory);
    const std::string path = (dir.Path() / name).string();
    if (params.WriteDocument(path) != 0) return {};
    return path;
}

std::string WriteBatch(const testsupport::TempDir& dir, const char* name) {
    cParameters params;
    params.ResetBatch();
    const std::string path = (dir.Path() / name).string();
    if (params.WriteDocument(path) != 0) return {};
    return path;
}

bool FileHasSearchDirectory(const std::string& path, const char* searchDirectory) {
    cParameters read;
    return read.ReadDocument(path) == 0 && read.SearchDirectories.Contains(searchDirectory);
}

} // namespace

class MainWindowDocumentTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { m_tmp.emplace("TMPDIR", m_scratch.Path().string()); }

    // "&Neu...": a modified document is asked about first; each answer of both dialogs does what it says.
    void NewAsksAboutChangesAndMakesTheChosenKind() {
        const struct {
            const char* name;
            bool modified;
            const char* saveAnswer; // nullptr: no question
            const char* newAnswer;  // nullptr: the new-file dialog must not open
            std::uint8_t kind;
            bool untitled;
            bool saved;
        } cases[] = {
            {"unchanged, Profil", false, nullptr, "ProfileBtn", kProfileDocument, true, false},
            {"unchanged, Batch-Datei", false, nullptr, "BatchBtn", kBatchDocument, true, false},
            {"unchanged, Abbrechen", false, nullptr, "CancelBtn", kProfileDocument, false, false},
            {"changed, Nein", true, "NoBtn", "ProfileBtn", kProfileDocument, true, false},
            {"changed, Abbrechen", true, "CancelBtn", nullptr, kProfileDocument, false, false},
            {"changed, Ja", true, "YesBtn", "BatchBtn", kBatchDocument, true, true},
        };
        for (const auto& c : cases) {
            testsupport::TempDir dir;
            const std::string file = WriteProfile(dir, "Alt.tvp", "\\Alt\\*");
            cParameters params;
            QCOMPARE(params.ReadDocument(file), 0);
            params.SearchDirectories.Add("\\Neu\\*");
            params.Modified = c.modified;
            ui::TMainWnd window(params, false);

            QString question;
            cModalScript script;
            if (c.saveAnswer) script.Click(c.saveAnswer, [&](QWidget* box) { question = uitest::BoxText(box); });
            if (c.newAnswer)
                script.Click(c.newAnswer,
                             [](QWidget* dialog) { QCOMPARE(dialog->windowTitle(), QStringLiteral("Neue Datei")); });
            Item(window, "NewItm")->trigger();

            QVERIFY2(script.Done() && script.Unexpected() == 0, c.name);
            QCOMPARE(params.DocumentKind, c.kind);
            QCOMPARE(params.Untitled, c.untitled);
            QCOMPARE(FileHasSearchDirectory(file, "\\Neu\\*"), c.saved);
            if (c.saveAnswer)
                QCOMPARE(question, QStringLiteral("Änderungen an %1 sichern?").arg(QString::fromStdString(file)));
            if (c.untitled && c.kind == kProfileDocument) {
                QCOMPARE(params.CompareFiles.Size(), std::size_t{1});
                QCOMPARE(QString::fromStdString(params.CompareFiles.Text(0)), QStringLiteral("*.*"));
            }
            QCOMPARE(window.DialogDepth, 0);
        }
    }

    // An untitled document saved on "Ja" goes through the save dialog; the command goes on afterwards.
    void YesOnAnUntitledDocumentSavesAs() {
        testsupport::TempDir dir;
        cParameters params;
        params.AddDefaultMask();
        params.SearchDirectories.Add("\\Neu\\*");
        params.Modified = true;
        ui::TMainWnd window(params, false);
        const QString target = QString::fromStdString((dir.Path() / "Gesichert").string());

        QString question;
        cModalScript script;
        script.Click("YesBtn", [&](QWidget* box) { question = uitest::BoxText(box); })
            .ChooseFile(target)
            .Click("CancelBtn");
        Item(window, "NewItm")->trigger();

        QVERIFY(script.Done());
        QCOMPARE(script.Unexpected(), 0);
        QCOMPARE(question, QStringLiteral("Änderungen sichern?"));
        // The default extension of the profile filter was added.
        const std::string saved = (dir.Path() / "Gesichert.tvp").string();
        QVERIFY(FileHasSearchDirectory(saved, "\\Neu\\*"));
        QCOMPARE(params.DocumentFile, saved);
        QCOMPARE(params.OldFiles[0], saved);
    }

    // "&Öffnen...": the dialog's title, filters and preset; a read file goes first into the recent list and
    // leaves "&Speichern" disabled until the document changes.
    void OpenReadsTheChosenFileAndPushesIt() {
        testsupport::TempDir dir;
        const std::string profile = WriteProfile(dir, "Profil.tvp", "\\A\\*");
        const std::string batch = WriteBatch(dir, "Stapel.tvb");
        cParameters params;
        QCOMPARE(params.ReadDocument(profile), 0);
        params.OldFiles[0] = "/alt/eins.tvp";
        ui::TMainWnd window(params, false);

        cModalScript script;
        script.ChooseFile(QString::fromStdString(batch), [&](QFileDialog* dialog) {
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Datei öffnen"));
            QCOMPARE(dialog->nameFilters(), ui::OpenDocumentFilters());
            QCOMPARE(dialog->selectedNameFilter(), QStringLiteral("Profile (*.tvp)"));
            QCOMPARE(dialog->directory().absolutePath(), QString::fromStdString(dir.Path().string()));
            QCOMPARE(dialog->selectedFiles().value(0), QString::fromStdString(profile));
        });
        Item(window, "OpenItm")->trigger();
        QVERIFY(script.Done());

        QCOMPARE(params.DocumentKind, kBatchDocument);
        QCOMPARE(params.OldFiles[0], batch);
        QCOMPARE(params.OldFiles[1], std::string("/alt/eins.tvp"));
        QCOMPARE(Item(window, "RecentItm1")->text(), QStringLiteral("&1 ") + QString::fromStdString(batch));
        QVERIFY(Item(window, "RecentItm2")->isVisible());
        QVERIFY(!Item(window, "RecentItm3")->isVisible());
        QCOMPARE(window.windowTitle(), QString::fromStdString(batch) + QStringLiteral(" - Tolvan 6"));
        QVERIFY(!Item(window, "SaveItm")->isEnabled());
        params.Modified = true;
        window.UpdateSaveState();
        QVERIFY(Item(window, "SaveItm")->isEnabled());
    }

    // With a batch file open, batch files are preselected; cancelling changes nothing.
    void OpenPreselectsBatchFilesForABatch() {
        testsupport::TempDir dir;
        const std::string batch = WriteBatch(dir, "Stapel.tvb");
        cParameters params;
        QCOMPARE(params.ReadDocument(batch), 0);
        ui::TMainWnd window(params, false);
        cModalScript script;
        script.ChooseFile({}, [](QFileDialog* dialog) {
            QCOMPARE(dialog->selectedNameFilter(), QStringLiteral("Batch-Dateien (*.tvb)"));
        });
        Item(window, "OpenItm")->trigger();
        QVERIFY(script.Done());
        QCOMPARE(script.Unexpected(), 0);
        QCOMPARE(params.DocumentFile, batch);
    }

    // An untitled document's name is no place to start from: the dialog presets neither folder nor name.
    void OpenDialogOfAnUntitledDocumentPresetsNothing() {
        QVERIFY(!ui::IsUsableDocumentPath("<unbenannt>.tvp"));
        QVERIFY(!ui::IsUsableDocumentPath("<keine Datei>"));
        QVERIFY(!ui::IsUsableDocumentPath("relativ/a.tvp"));
        QVERIFY(!ui::IsUsableDocumentPath("/a/b|c.tvp"));
        QVERIFY(ui::IsUsableDocumentPath("/home/anna/Profile/Woche.tvp"));
        cParameters params;
        ui::TMainWnd window(params, false);
        cModalScript script;
        script.ChooseFile({}, [](QFileDialog* dialog) {
            QVERIFY(!dialog->selectedFiles().value(0).contains(QStringLiteral("unbenannt")));
        });
        Item(window, "OpenItm")->trigger();
        QVERIFY(script.Done());
        QCOMPARE(params.DocumentFile, std::string(kUntitledProfile));
    }

    // A file that cannot be read shows the timed box and leaves no document: the menus of no document.
    void OpenFailureLeavesNoDocument() {
        testsupport::TempDir dir;
        dir.WriteFile("Kaputt.tvp", "kein Profil\r\n");
        cParameters params;
        ui::TMainWnd window(params, false);
        cModalScript script;
        script.ChooseFile(QString::fromStdString((dir.Path() / "Kaputt.tvp").string())).Reject(); // the timed box
        Item(window, "OpenItm")->trigger();

        QVERIFY(script.Done());
        QCOMPARE(script.Unexpected(), 0);
        QCOMPARE(params.DocumentKind, kNoDocument);
        QVERIFY(params.OldFiles[0].empty());
        QVERIFY(!Item(window, "SaveItm")->isVisible());
        QVERIFY(!Item(window, "GoItm")->isVisible());
        QVERIFY(Item(window, "OpenItm")->isVisible());
    }

    // "&Speichern" writes the document under its name and is disabled afterwards; an older-format document
    // is written only after the question, whose "Nein" writes nothing.
    void SaveAsksForAnOlderFormatAndDisablesItself() {
        const struct {
            const char* name;
            bool legacy;
            const char* answer;
            bool saved;
        } cases[] = {
            {"current format", false, nullptr, true},
            {"older format, Ja", true, "YesBtn", true},
            {"older format, Nein", true, "NoBtn", false},
        };
        for (const auto& c : cases) {
            testsupport::TempDir dir;
            const std::string file = WriteProfile(dir, "Profil.tvp", "\\A\\*");
            cParameters params;
            QCOMPARE(params.ReadDocument(file), 0);
            params.LegacyFormat = c.legacy;
            params.SearchDirectories.Add("\\Neu\\*");
            params.Modified = true;
            ui::TMainWnd window(params, false);
            QVERIFY(Item(window, "SaveItm")->isEnabled());

            QString question;
            cModalScript script;
            if (c.answer) script.Click(c.answer, [&](QWidget* box) { question = uitest::BoxText(box); });
            Item(window, "SaveItm")->trigger();

            QVERIFY2(script.Done() && script.Unexpected() == 0, c.name);
            QCOMPARE(FileHasSearchDirectory(file, "\\Neu\\*"), c.saved);
            QCOMPARE(Item(window, "SaveItm")->isEnabled(), !c.saved);
            if (c.legacy)
                QCOMPARE(question, QStringLiteral("%1 wird im Format Tolvan 6 gespeichert und ist danach für ältere "
                                                  "Versionen von Tolvan unlesbar. Fortfahren?")
                                       .arg(QString::fromStdString(file)));
        }
    }

    // "Speichern &als...": the question for an older format comes before the dialog; the dialog offers the
    // filters of the document kind and adds its extension.
    void SaveAsWritesUnderTheChosenName() {
        testsupport::TempDir dir;
        cParameters params;
        params.ResetBatch();
        params.LegacyFormat = true;
        ui::TMainWnd window(params, false);

        {
            cModalScript declined;
            declined.Click("NoBtn");
            Item(window, "SaveAsItm")->trigger();
            QVERIFY(declined.Done());
            QCOMPARE(declined.Unexpected(), 0);
        }

        cModalScript script;
        script.Click("YesBtn").ChooseFile(QString::fromStdString((dir.Path() / "Stapel").string()),
                                          [](QFileDialog* dialog) {
                                              QCOMPARE(dialog->windowTitle(), QStringLiteral("Datei speichern"));
                                              QCOMPARE(dialog->nameFilters(), ui::BatchSaveFilters());
                                          });
        Item(window, "SaveAsItm")->trigger();
        QVERIFY(script.Done());
        const std::string saved = (dir.Path() / "Stapel.tvb").string();
        QVERIFY(fs::exists(saved));
        QCOMPARE(params.DocumentFile, saved);
        QVERIFY(!params.LegacyFormat);
        QCOMPARE(window.windowTitle(), QString::fromStdString(saved) + QStringLiteral(" - Tolvan 6"));
        QCOMPARE(params.OldFiles[0], saved);
        QVERIFY(!Item(window, "SaveItm")->isEnabled());
        QVERIFY(Item(window, "ShortcutItm")->isEnabled());
    }

    // Naming an existing file in the save dialog asks first; "Nein" leaves the dialog open for another name.
    void SaveAsAsksBeforeReplacingAFile() {
        testsupport::TempDir dir;
        const std::string existing = WriteProfile(dir, "Alt.tvp", "\\Alt\\*");
        cParameters params;
        params.AddDefaultMask();
        params.SearchDirectories.Add("\\Neu\\*");
        ui::TMainWnd window(params, false);
        const QString path = QString::fromStdString(existing);

        QString question;
        cModalScript script;
        script.ChooseFile(path)
            .Then([&](QWidget* box) {
                question = uitest::BoxText(box);
                box->parentWidget()->setProperty("uitestAnswered", false); // the save dialog comes back
                box->findChild<QAbstractButton*>("NoBtn")->click();
            })
            .ChooseFile(path)
            .Click("YesBtn");
        Item(window, "SaveAsItm")->trigger();

        QVERIFY(script.Done());
        QCOMPARE(script.Unexpected(), 0);
        QCOMPARE(question, path + QStringLiteral(" existiert bereits.\nMöchten Sie die Datei ersetzen?"));
        QVERIFY(FileHasSearchDirectory(existing, "\\Neu\\*"));
        QCOMPARE(params.DocumentFile, existing);
    }

    // Recent files open as listed, the list keeps its order; only filled entries are shown, "&" shows as such.
    void RecentFilesOpenWithoutReordering() {
        testsupport::TempDir dir;
        const std::string first = WriteProfile(dir, "Eins.tvp", "\\A\\*");
        const std::string second = WriteProfile(dir, "Zwei & Drei.tvp", "\\B\\*");
        cParameters params;
        params.OldFiles[0] = first;
        params.OldFiles[1] = second;
        ui::TMainWnd window(params, false);
        QCOMPARE(Item(window, "RecentItm2")->text(),
                 QStringLiteral("&2 ") + QString::fromStdString(second).replace("&", "&&"));
        QVERIFY(!Item(window, "RecentItm3")->isVisible());

        Item(window, "RecentItm2")->trigger();
        QCOMPARE(params.DocumentFile, second);
        QVERIFY(params.SearchDirectories.Contains("\\B\\*"));
        QCOMPARE(params.OldFiles[0], first);
        QCOMPARE(params.OldFiles[1], second);
        QVERIFY(!Item(window, "SaveItm")->isEnabled());
    }

    // F1 opens the first Top-12 profile (its path through the variables) and runs it; Shift+F1 only opens it.
    void TopTwelveKeysOpenAndRun() {
        testsupport::TempDir dir;
        dir.WriteFile("Quelle/a.txt", "alpha");
        fs::create_directories(dir.Path() / "Ziel");
        {
            cParameters profile;
            profile.SourceDrive = (dir.Path() / "Quelle").string();
            profile.DestDrive = (dir.Path() / "Ziel").string();
            profile.SearchDirectories.Add("\\*");
            profile.AddDefaultMask();
            profile.Log.FileName = (dir.Path() / "Log.txt").string();
            profile.Recycle = false;
            profile.ShowPreview = false;
            QCOMPARE(profile.WriteDocument((dir.Path() / "Top.tvp").string()), 0);
        }
        testsupport::EnvironmentOverride variable("TOLVANTOPTEST", dir.Path().string());
        cParameters params;
        params.TopTwelve.Profiles[0] = "%TOLVANTOPTEST%/Top.tvp";
        params.TopTwelve.Descriptions[0] = "Sicherung";
        ui::TMainWnd window(params, false);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QCOMPARE(Item(window, "TopItm1")->text(), QStringLiteral("Sicherung"));
        QVERIFY(Item(window, "TopItm1")->isVisible());
        QVERIFY(!Item(window, "TopItm2")->isVisible());
        QVERIFY(!Item(window, "TopShiftItm2")->isEnabled());

        QTest::keyClick(&window, Qt::Key_F1, Qt::ShiftModifier);
        QCOMPARE(params.DocumentFile, (dir.Path() / "Top.tvp").string());
        QVERIFY(!fs::exists(dir.Path() / "Ziel/a.txt"));

        params.ResetProfile();
        window.UpdateCaption();
        QTest::keyClick(&window, Qt::Key_F1);
        QCOMPARE(params.DocumentFile, (dir.Path() / "Top.tvp").string());
        QCOMPARE(QString::fromStdString(dir.ReadFile("Ziel/a.txt")), QStringLiteral("alpha"));
        QVERIFY(!window.RunActive);
    }

private:
    testsupport::TempDir m_scratch;
    std::optional<testsupport::EnvironmentOverride> m_tmp;
};

QTEST_MAIN(MainWindowDocumentTest)
#include "MainWindowDocumentTest.moc"
