// The main window's state: menus per document kind, save state, guards on closing and dialogs, tray, drops,
// tooltips, help links and the temporary folder it leaves behind.
#include "ModalScript.h"

#include "profile/Parameters.h"
#include "support/EnvironmentOverride.h"
#include "support/TempDir.h"
#include "ui/DocumentFileDialog.h"
#include "ui/MainWnd.h"

#include <QAction>
#include <QDesktopServices>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QSystemTrayIcon>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QUrl>

#include <filesystem>
#include <fstream>
#include <map>

namespace fs = std::filesystem;
using uitest::cModalScript;

namespace {

QAction* Item(ui::TMainWnd& window, const QString& name) {
    return window.findChild<QAction*>(name);
}

QToolButton* Button(ui::TMainWnd& window, const QString& name) {
    return window.findChild<QToolButton*>(name);
}

void Drop(ui::TMainWnd& window, const QList<QUrl>& urls, Qt::KeyboardModifiers keys = Qt::NoModifier) {
    QMimeData data;
    data.setUrls(urls);
    QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &data, Qt::LeftButton, keys);
    QApplication::sendEvent(&window, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &data, Qt::LeftButton, keys);
    QApplication::sendEvent(&window, &drop);
}

QUrl Url(const fs::path& path) {
    return QUrl::fromLocalFile(QString::fromStdString(path.string()));
}

} // namespace

// Takes the URLs the help menu hands to the desktop.
class cUrlCatcher : public QObject {
    Q_OBJECT

public slots:
    void Open(const QUrl& url) { Urls << url; }

public:
    QList<QUrl> Urls;
};

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { m_tmp.emplace("TMPDIR", m_scratch.Path().string()); }

    void MenusAndButtonsFollowTheDocumentKind() {
        const QStringList documentItems = {"SaveItm",    "SaveAsItm",  "ViewItm",      "ShortcutItm",
                                           "LogViewItm", "OptionsItm", "SchedulerItm", "GoItm"};
        const QStringList profileItems = {"ExpressSetupItm", "SourceItm", "DestinationItm", "PreviewItm", "LogItm"};
        const QStringList alwaysItems = {"NewItm",       "OpenItm",        "ExitItm", "ProgramOptionsItm",
                                         "TopTwelveItm", "BackupWizardItm"};
        const struct {
            const char* name;
            std::uint8_t kind;
            QStringList shownButtons, hiddenButtons;
            QStringList saveFilters;
        } cases[] = {
            {"profile",
             kProfileDocument,
             {"ExitImg", "ExpressSetupImg", "SourceImg", "DestinationImg", "OptionsImg", "GoImg"},
             {"ProfilesImg"},
             ui::ProfileSaveFilters()},
            {"batch",
             kBatchDocument,
             {"ExitImg", "ProfilesImg", "OptionsImg", "GoImg"},
             {"ExpressSetupImg", "SourceImg", "DestinationImg"},
             ui::BatchSaveFilters()},
            {"none",
             kNoDocument,
             {"ExitImg"},
             {"ExpressSetupImg", "ProfilesImg", "SourceImg", "DestinationImg", "OptionsImg", "GoImg"},
             ui::BatchSaveFilters()}, // unchanged from the batch file before
        };
        cParameters params;
        ui::TMainWnd window(params, false);
        window.show();
        std::map<std::uint8_t, int> optionsX, windowWidth;
        for (const auto& c : cases) {
            if (c.kind == kBatchDocument) params.ResetBatch();
            params.DocumentKind = c.kind;
            window.UpdateMenus();
            QApplication::processEvents();
            for (const QString& name : documentItems)
                QVERIFY2(Item(window, name)->isVisible() == (c.kind != kNoDocument), qPrintable(c.name + name));
            for (const QString& name : profileItems)
                QVERIFY2(Item(window, name)->isVisible() == (c.kind == kProfileDocument), qPrintable(c.name + name));
            QVERIFY2(Item(window, "ProfilesItm")->isVisible() == (c.kind == kBatchDocument), c.name);
            for (const QString& name : alwaysItems)
                QVERIFY2(Item(window, name)->isVisible(), qPrintable(c.name + name));
            for (const QString& name : c.shownButtons)
                QVERIFY2(Button(window, name)->isVisible(), qPrintable(c.name + name));
            for (const QString& name : c.hiddenButtons)
                QVERIFY2(!Button(window, name)->isVisible(), qPrintable(c.name + name));
            optionsX[c.kind] = Button(window, "OptionsImg")->x();
            windowWidth[c.kind] = window.width();
            // The save dialog offers the filters of the kind.
            cModalScript script;
            script.ChooseFile({}, [&](QFileDialog* dialog) { QCOMPARE(dialog->nameFilters(), c.saveFilters); });
            if (c.kind != kNoDocument) {
                Item(window, "SaveAsItm")->trigger();
                QVERIFY2(script.Done(), c.name);
            }
        }
        // Without the source, destination and express-setup buttons the options and go buttons move left.
        QVERIFY(optionsX[kBatchDocument] < optionsX[kProfileDocument]);
        QCOMPARE(windowWidth[kBatchDocument], windowWidth[kProfileDocument]);
        // The window takes the size its contents need, and the user cannot change it.
        QCOMPARE(window.minimumSize(), window.maximumSize());
    }

    void SaveStateFollowsTheDocument() {
        const struct {
            bool untitled, modified;
            const char* logFile;
            bool save, shortcut, logView;
        } cases[] = {
            {true, false, "/x/Log.txt", false, false, true},
            {true, true, "/x/Log.txt", false, false, true},
            {false, false, "/x/Log.txt", false, true, true},
            {false, true, "/x/Log.txt", true, true, true},
            {false, true, "", true, true, false},
        };
        cParameters params;
        ui::TMainWnd window(params, false);
        for (const auto& c : cases) {
            params.Untitled = c.untitled;
            params.Modified = c.modified;
            params.Log.FileName = c.logFile;
            window.UpdateSaveState();
            QCOMPARE(Item(window, "SaveItm")->isEnabled(), c.save);
            QCOMPARE(Item(window, "ShortcutItm")->isEnabled(), c.shortcut);
            QCOMPARE(Item(window, "LogViewItm")->isEnabled(), c.logView);
        }
    }

    void CaptionNamesTheDocument() {
        cParameters params;
        params.DocumentFile = "/home/anna/Woche & Tag.tvp";
        ui::TMainWnd window(params, false);
        QCOMPARE(window.windowTitle(), QStringLiteral("/home/anna/Woche & Tag.tvp - Tolvan 6"));
        QCOMPARE(window.ApplicationTitle(), QStringLiteral("Woche & Tag.tvp - Tolvan 6"));
    }

    // Closing is refused without a word while a run or a menu dialog is active; otherwise unsaved changes are
    // asked about, and "Abbrechen" keeps the window open.
    void ClosingIsRefusedWhileARunOrADialogIsActive() {
        cParameters params;
        params.Modified = true;
        ui::TMainWnd window(params, false);
        window.show();
        {
            cModalScript script;
            window.RunActive = true;
            QVERIFY(!window.close());
            window.RunActive = false;
            window.DialogDepth = 1;
            QVERIFY(!window.close());
            window.DialogDepth = 0;
            QCOMPARE(script.Unexpected(), 0);
            QVERIFY(window.isVisible());
        }
        {
            cModalScript script;
            script.Click("CancelBtn");
            QVERIFY(!window.close());
            QVERIFY(script.Done());
            QVERIFY(window.isVisible());
        }
        cModalScript script;
        script.Click("NoBtn");
        QVERIFY(window.close());
        QVERIFY(script.Done());
    }

    // Each configuration item opens its dialog under the guard; the advanced ones are announced to beginners,
    // and "Nein" there skips the dialog.
    void ConfigurationItemsOpenUnderTheGuard() {
        const struct {
            const char* item;
            std::uint8_t kind;
            int runCount;
            bool announced;
        } cases[] = {
            {"SourceItm", kProfileDocument, 10, false},      {"SourceItm", kProfileDocument, 9, true},
            {"DestinationItm", kProfileDocument, 0, true},   {"OptionsItm", kBatchDocument, 3, true},
            {"ExpressSetupItm", kProfileDocument, 0, false}, {"ProgramOptionsItm", kProfileDocument, 0, false},
            {"SchedulerItm", kBatchDocument, 0, false},      {"ProfilesItm", kBatchDocument, 0, false},
        };
        for (const auto& c : cases) {
            cParameters params;
            if (c.kind == kBatchDocument) params.ResetBatch();
            params.RunCount = c.runCount;
            ui::TMainWnd window(params, false);
            int depth = 0;
            QString first;
            {
                cModalScript script; // the first dialog closed: "Nein" for the announcement
                script.Reject([&](QWidget* modal) {
                    depth = window.DialogDepth;
                    first = modal->windowTitle();
                });
                Item(window, c.item)->trigger();
                QVERIFY2(script.Done() && script.Unexpected() == 0, c.item);
            }
            QCOMPARE(depth, 1);
            QCOMPARE(window.DialogDepth, 0);
            QCOMPARE(first == QStringLiteral("Neuling?"), c.announced);
            if (!c.announced) continue;
            depth = 0;
            cModalScript script; // "Ja": the dialog itself follows, still under the guard
            script.ClickText(QStringLiteral("Ja")).Then([&](QWidget* modal) {
                depth = window.DialogDepth;
                first = modal->windowTitle();
                qobject_cast<QDialog*>(modal)->reject();
            });
            Item(window, c.item)->trigger();
            QVERIFY2(script.Done() && script.Unexpected() == 0, c.item);
            QCOMPARE(depth, 1);
            QVERIFY(first != QStringLiteral("Neuling?"));
        }
    }

    void TrayMenuAndTip() {
        cParameters params;
        params.DocumentFile = "/" + std::string(80, 'x') + ".tvp";
        {
            ui::TMainWnd window(params, false);
            auto* menu = window.findChild<QMenu*>("TrayMenu");
            QVERIFY(menu);
            QStringList captions;
            for (QAction* item : menu->actions())
                captions << item->text();
            QCOMPARE(captions, (QStringList{"Wiederherstellen", "Los", "Beenden"}));
            QVERIFY(Item(window, "TrayRestoreItm")->isVisible());
            QCOMPARE(window.TrayTip().size(), 63);
            QVERIFY(window.TrayTip().startsWith(QStringLiteral("/xxx")));
            window.SetTrayMenuEnabled(false);
            for (QAction* item : menu->actions())
                QVERIFY(!item->isEnabled());
            window.SetTrayMenuEnabled(true);
            QVERIFY(Item(window, "TrayGoItm")->isEnabled());
            // Without a tray on this desktop the icon operations do nothing, and nothing breaks.
            for (int operation : {0, 1, 2})
                window.NotifyTray(operation);
            window.SetRunIcon(true);
            window.SetRunIcon(false);
        }
        params.DocumentFile = "/a/Woche.tvp";
        ui::TMainWnd mute(params, true);
        QVERIFY(!Item(mute, "TrayRestoreItm")->isVisible());
        QCOMPARE(mute.TrayTip(), QStringLiteral("/a/Woche.tvp - Tolvan 6 STUMM"));
    }

    // The tray option hides the window on minimising only where there is a tray to bring it back from.
    void MinimisingWithoutATrayKeepsTheWindowReachable() {
        QVERIFY(!QSystemTrayIcon::isSystemTrayAvailable());
        cParameters params;
        params.TrayIcon = true;
        ui::TMainWnd window(params, false);
        window.show();
        window.setWindowState(Qt::WindowMinimized);
        QTest::qWait(20);
        QVERIFY(window.isVisible());
        window.MinimizeToTray();
        QVERIFY(window.isVisible());
    }

    // A real drop on the window: a folder dropped twice is added once, Shift and Ctrl choose the form and the
    // list; "&Speichern" follows.
    void DroppedFoldersAndFilesReachTheProfile() {
        testsupport::TempDir dir;
        dir.WriteFile("Quelle/Briefe/Brief.doc", "");
        dir.WriteFile("Quelle/Bilder/Bild.jpg", "");
        dir.WriteFile("Daneben/x.txt", "");
        cParameters params;
        params.SourceDrive = (dir.Path() / "Quelle").string();
        QCOMPARE(params.WriteDocument((dir.Path() / "Profil.tvp").string()), 0);
        ui::TMainWnd window(params, false);
        window.show();
        QVERIFY(!Item(window, "SaveItm")->isEnabled());

        Drop(window, {Url(dir.Path() / "Quelle/Briefe"), Url(dir.Path() / "Quelle/Briefe")});
        Drop(window, {Url(dir.Path() / "Quelle/Briefe")}, Qt::ShiftModifier);
        QCOMPARE(params.SearchDirectories.Size(), std::size_t{1});
        QCOMPARE(QString::fromStdString(params.SearchDirectories.Text(0)), QStringLiteral("\\Briefe\\*"));
        QVERIFY(Item(window, "SaveItm")->isEnabled());

        Drop(window, {Url(dir.Path() / "Quelle/Bilder"), Url(dir.Path() / "Quelle/Bilder/Bild.jpg")},
             Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(QString::fromStdString(params.ExcludeDirectories.Text(0)), QStringLiteral("\\Bilder\\"));
        QCOMPARE(QString::fromStdString(params.ExcludeFiles.Text(0)), QStringLiteral("Bild.jpg"));

        // A folder outside the source is reported, not added.
        cModalScript script;
        script.Reject();
        Drop(window, {Url(dir.Path() / "Daneben")});
        QTRY_VERIFY(script.Done());
        QCOMPARE(params.SearchDirectories.Size(), std::size_t{1});
    }

    void DroppedProfileInCapitalsAddsNothingToABatch() {
        testsupport::TempDir dir;
        dir.WriteFile("Profile/GROSS.TVP", "");
        dir.WriteFile("Profile/klein.tvp", "");
        cParameters params;
        params.ResetBatch();
        QCOMPARE(params.WriteDocument((dir.Path() / "Stapel.tvb").string()), 0);
        ui::TMainWnd window(params, false);
        window.show();

        Drop(window, {Url(dir.Path() / "Profile/GROSS.TVP")});
        QCOMPARE(params.Batch.EntryCount(), std::size_t{0});
        QVERIFY(!params.Modified);
        QVERIFY(!Item(window, "SaveItm")->isEnabled());

        Drop(window, {Url(dir.Path() / "Profile/klein.tvp")});
        QCOMPARE(params.Batch.EntryCount(), std::size_t{1});
        QVERIFY(Item(window, "SaveItm")->isEnabled());
    }

    void OpeningAnotherDocumentCancelsThePendingRunAndShowsItsAutomatics() {
        testsupport::TempDir dir;
        cParameters params;
        params.ResetProfile();
        params.AddDefaultMask();
        params.AutoOpen = true;
        params.AutoShutdown = 3;
        const std::string first = (dir.Path() / "Start.tvp").string();
        QCOMPARE(params.WriteDocument(first), 0);
        params.ResetProfile();
        ui::TMainWnd window(params, false);
        window.SetStartArgument(first);
        window.OpenStartFile();
        auto* delay = window.findChild<QTimer*>("DelayTmr");
        QVERIFY(delay && delay->isActive());
        const auto lit = [&](const char* lamp) {
            return window.findChild<QLabel*>(QString::fromLatin1(lamp) + "Lamp")->property("lit").toBool();
        };
        QVERIFY(lit("Open"));
        QVERIFY(lit("Shutdown"));
        QVERIFY(!lit("Scheduler"));

        // "Neu": the run after opening belonged to the document that is gone.
        params.ResetProfile();
        window.ArmAutomatics();
        QVERIFY(!delay->isActive());
        QVERIFY(!lit("Open"));
        QVERIFY(!lit("Shutdown"));
    }

    void TooltipsFollowTheProgramOption() {
        cParameters params;
        for (bool tooltips : {true, false}) {
            params.Programm.Tooltips = tooltips;
            ui::TMainWnd window(params, false);
            const std::pair<const char*, const char*> hints[] = {
                {"ExitImg", "Hot Key: Alt+F4"},       {"ExpressSetupImg", "Hot Key: Alt+E"},
                {"ProfilesImg", "Hot Key: Alt+B"},    {"SourceImg", "Hot Key: Alt+Q"},
                {"DestinationImg", "Hot Key: Alt+Z"}, {"OptionsImg", "Hot Key: Alt+O"},
                {"GoImg", "Hot Key: Eingabe"},
            };
            for (const auto& [button, hint] : hints)
                QCOMPARE(Button(window, button)->toolTip(), tooltips ? QString::fromLatin1(hint) : QString());
        }
    }

    void HelpLinksGoToTheDesktop() {
        cUrlCatcher catcher;
        QDesktopServices::setUrlHandler(QStringLiteral("https"), &catcher, "Open");
        QDesktopServices::setUrlHandler(QStringLiteral("mailto"), &catcher, "Open");
        cParameters params;
        ui::TMainWnd window(params, false);
        cModalScript script; // no failure message
        Item(window, "WebItm")->trigger();
        Item(window, "MailItm")->trigger();
        QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
        QDesktopServices::unsetUrlHandler(QStringLiteral("mailto"));
        QCOMPARE(catcher.Urls.size(), 2);
        QCOMPARE(catcher.Urls[0].scheme(), QStringLiteral("https"));
        QCOMPARE(catcher.Urls[1].scheme(), QStringLiteral("mailto"));
        QCOMPARE(script.Unexpected(), 0);
    }

    // "&Log ansehen..." shows the log under its resolved name: variables replaced.
    void LogViewResolvesTheLogName() {
        testsupport::EnvironmentOverride variable("TOLVANLOGTEST", "Protokolle");
        cParameters params;
        params.Log.FileName = "/var/%TOLVANLOGTEST%/Log.txt";
        ui::TMainWnd window(params, false);
        Item(window, "LogViewItm")->trigger();
        QCOMPARE(params.Log.ActualFileName, std::string("/var/Protokolle/Log.txt"));
    }

    // The folder of temporary copies goes with the window, with everything in it but nothing a link leads to.
    void ClosingRemovesTheTemporaryCopies() {
        const fs::path temp = m_scratch.Path() / "Tolvan Temp";
        testsupport::TempDir outside;
        outside.WriteFile("bleibt.txt", "bleibt");
        fs::create_directories(temp / "Briefe/2026");
        { std::ofstream(temp / "Briefe/2026/Brief.doc") << "Kopie"; }
        fs::create_directory_symlink(outside.Path(), temp / "Verweis");
        {
            cParameters params;
            ui::TMainWnd window(params, false);
        }
        QVERIFY(!fs::exists(fs::symlink_status(temp)));
        QCOMPARE(QString::fromStdString(outside.ReadFile("bleibt.txt")), QStringLiteral("bleibt"));
    }

private:
    testsupport::TempDir m_scratch;
    std::optional<testsupport::EnvironmentOverride> m_tmp;
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
