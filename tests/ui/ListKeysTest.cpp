// The keys, mouse clicks, buttons and pop-up menu of the preview list, on a run state built by hand: where a
// click lands on a line decides whether it cycles an action, opens a folder or only selects; Insert and Delete
// with and without Shift set actions; Enter is OK on every line.
#include "engine/CandidateSort.h"
#include "engine/Folders.h"
#include "engine/RunState.h"
#include "messages/UserInterface.h"
#include "profile/Parameters.h"
#include "review/PreviewList.h"
#include "ui/HelpWindow.h"
#include "ui/ListDialog.h"
#include "ui/PreviewDelegate.h"
#include "ui/PreviewModel.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include <memory>
#include <string>
#include <vector>

namespace {

constexpr platform::FileTime kTime = 133'800'000'000'000'000LL;

class cNoInterface : public cUserInterface {
public:
    void ShowTimedMessage(const std::string&, const std::string&, const std::string&) override {}
};

enum class eSides { Both, SourceOnly, DestOnly };

struct cFile {
    int Dir;
    const char* Name;
    eSides Sides;
    ActionFlags Flags;
    std::int64_t DestSize = 50; // the source file has 100 bytes
};

// The files of the list, in the order of the action strings below: "FFSFS" is paar F, neu F, alt S, brief F,
// notiz S. Folder "\" holds paar (both sides), neu (source only) and alt (destination only); folder "\Briefe\"
// holds brief (both sides of equal size) and notiz (both sides, with a size difference).
const cFile kFiles[] = {
    {0, "paar", eSides::Both, kActionForward},
    {0, "neu", eSides::SourceOnly, kActionForward},
    {0, "alt", eSides::DestOnly, kActionSkip},
    {1, "brief", eSides::Both, kActionForward, 100},
    {1, "notiz", eSides::Both, kActionSkip | kFlagSizeDiffers},
};
const QString kStart = QStringLiteral("FFSFS");

char Letter(ActionFlags action) {
    switch (action) {
    case kActionForward:
        return 'F';
    case kActionSkip:
        return 'S';
    case kActionDelete:
        return 'D';
    case kActionBackward:
        return 'B';
    default:
        return '?';
    }
}

// A run state as the run hands it to the preview (sorted by path and grouped), and the list window over it,
// shown in one-line mode. extraFiles adds that many files in a third folder "\Zettel\" after the others.
struct cListWindow {
    cNoInterface ui;
    cRunControl control{ui};
    cRunState run{control};
    cParameters params;
    std::unique_ptr<ui::TListDlg> dialog;

    explicit cListWindow(bool openFolders = true, int extraFiles = 0, const std::string& compareProgram = {},
                         eDestType destType = eDestType::Directory) {
        run.SourceDirList = {"\\", "\\Briefe\\", "\\Zettel\\"};
        run.DestDirList = run.SourceDirList;
        run.NativeSourceRoot = "/nirgends/quelle"; // not on disk: the free space stays as set
        run.NativeDestRoot = "/nirgends/ziel";
        run.SourceFree = run.DestFree = 1'000'000;
        run.RunOneLine = true;
        run.RunPreview.OpenFolders = openFolders;
        std::vector<cFile> files(std::begin(kFiles), std::end(kFiles));
        std::vector<std::string> extraNames;
        for (int i = 0; i < extraFiles; ++i)
            extraNames.push_back("zettel " + std::to_string(100 + i));
        for (const std::string& name : extraNames)
            files.push_back({2, name.c_str(), eSides::Both, kActionForward});
        for (const cFile& f : files) {
            const cSideRecord source = f.Sides == eSides::DestOnly ? cSideRecord{} : cSideRecord{0, kTime, 100};
            const cSideRecord dest =
                f.Sides == eSides::SourceOnly ? cSideRecord{} : cSideRecord{0, kTime - 1, f.DestSize};
            run.Candidates.push_back(CreateCandidate(f.Dir, f.Flags, source, dest, f.Name, ".txt").Candidate);
        }
        SortCandidates(run.Candidates, run.RunSortMode, run.RunReverseOrder);
        run.Folders = BuildFolders(run.Candidates, {run.RunSortMode, &run.SourceDirList, run.CutPath, openFolders});
        params.ProfileFile = "/nirgends/Liste.tvp";
        params.Programm.CompareA = compareProgram;
        params.DestType = destType;
        params.DestArchive = "Sicherung.zip";
        dialog = std::make_unique<ui::TListDlg>(params, run);
        dialog->resize(900, 420);
        dialog->show();
        (void)QTest::qWaitForWindowExposed(dialog.get());
        View()->doItemsLayout();
    }

    ui::cPreviewModel& Model() const { return dialog->Model(); }
    QListView* View() const { return dialog->List(); }
    QWidget* Viewport() const { return View()->viewport(); }

    // The row of a file (by base name) or of a folder ("#0", "#1": the folder's index in Folders); -1 when the
    // list does not show it.
    int Row(const QString& target) const {
        const auto& lines = Model().List().Lines();
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (target.startsWith(QLatin1Char('#'))) {
                if (lines[i].IsFolder() && lines[i].Folder == target.mid(1).toInt()) return static_cast<int>(i);
            } else if (!lines[i].IsFolder() &&
                       QString::fromStdString(Model().List().CandidateAt(i).BaseName) == target) {
                return static_cast<int>(i);
            }
        }
        return -1;
    }
    QRect LineRect(const QString& target) const { return View()->visualRect(Model().index(Row(target))); }
    bool Expanded(int folder) const { return run.Folders[static_cast<std::size_t>(folder)]->Expanded; }

    // The actions of the five files of kFiles, as letters in that order.
    QString Actions() const {
        QString letters;
        for (const cFile& f : kFiles)
            for (const auto& c : run.Candidates)
                if (c->BaseName == f.Name) letters += QLatin1Char(Letter(c->Action()));
        return letters;
    }

    // Selects the comma-separated targets (none for an empty text); the first is the current line.
    void Select(const QString& targets) const {
        QItemSelectionModel* selection = View()->selectionModel();
        selection->clearSelection();
        bool first = true;
        for (const QString& target : targets.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
            const QModelIndex index = Model().index(Row(target));
            if (first)
                selection->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
            else
                selection->select(index, QItemSelectionModel::Select);
            first = false;
        }
    }
    QString Selection() const {
        QStringList names;
        for (const int row : dialog->SelectedRows()) {
            const cPreviewLine& line = Model().List().Lines()[static_cast<std::size_t>(row)];
            names << (line.IsFolder() ? QStringLiteral("#%1").arg(line.Folder)
                                      : QString::fromStdString(Model().List().CandidateAt(row).BaseName));
        }
        return names.join(QLatin1Char(','));
    }
};

// The texts of the pop-up menu that the next call opens (empty when none opens); the menu is closed unless
// choose names one of its items, which is then chosen as a click would.
struct cMenuSeen {
    QStringList Items;
    QStringList Enabled;
    QPoint Place;
};

std::shared_ptr<cMenuSeen> WatchNextMenu(const QString& choose = {}) {
    auto seen = std::make_shared<cMenuSeen>();
    auto* poll = new QTimer;
    poll->setInterval(5);
    auto tries = std::make_shared<int>(0);
    QObject::connect(poll, &QTimer::timeout, [seen, choose, poll, tries] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu) {
            if (++*tries > 400) poll->deleteLater(); // none came
            return;
        }
        poll->stop();
        poll->deleteLater();
        seen->Place = menu->pos();
        QAction* chosen = nullptr;
        for (QAction* action : menu->actions()) {
            if (action->isSeparator()) continue;
            seen->Items << action->text();
            if (action->isEnabled()) seen->Enabled << action->text();
            if (action->text() == choose) chosen = action;
        }
        if (!chosen) {
            menu->close();
            return;
        }
        menu->setActiveAction(chosen);
        QTest::keyClick(menu, Qt::Key_Return);
    });
    poll->start();
    return seen;
}

// Counts the pop-up menus shown while it lives and closes each right away.
class cMenuCounter : public QObject {
public:
    int Shown = 0;
    cMenuCounter() { qApp->installEventFilter(this); }
    ~cMenuCounter() override { qApp->removeEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (auto* menu = qobject_cast<QMenu*>(watched); menu && event->type() == QEvent::Show) {
            ++Shown;
            QTimer::singleShot(0, menu, &QMenu::close);
        }
        return false;
    }
};

const QStringList kFullMenu = {
    QStringLiteral("&Vorwärts"),
    QStringLiteral("&Überspringen"),
    QStringLiteral("&Löschen"),
    QStringLiteral("&Rückwärts"),
    QStringLiteral("&Öffnen"),
    QStringLiteral("&Intern vergleichen"),
    QStringLiteral("&Extern vergleichen"),
    QStringLiteral("&Diesen Ordner schließen"),
    QStringLiteral("&Alle Ordner öffnen"),
    QStringLiteral("Alle Ordner &schließen"),
};
const QStringList kShortMenu = {QStringLiteral("&Alle Ordner öffnen"), QStringLiteral("Alle Ordner &schließen")};

// A point of widget that no child covers.
QPoint EmptyPoint(QWidget* widget) {
    for (int y = 1; y < widget->height(); y += 2)
        for (int x = 1; x < widget->width(); x += 2)
            if (!widget->childAt(x, y)) return {x, y};
    return {-1, -1};
}

} // namespace

class ListKeysTest : public QObject {
    Q_OBJECT

private slots:
    void InsertAndDeleteSetActions_data() {
        QTest::addColumn<QString>("filter"); // a filter button pressed first, or none
        QTest::addColumn<QString>("targets");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("actions");
        const int shift = Qt::ShiftModifier;
        const int none = Qt::NoModifier;
        const QString noFilter;
        QTest::newRow("Insert: skip") << noFilter << "paar" << int(Qt::Key_Insert) << none << "SFSFS";
        QTest::newRow("Shift+Insert: forward") << noFilter << "notiz" << int(Qt::Key_Insert) << shift << "FFSFF";
        QTest::newRow("Delete: delete") << noFilter << "brief" << int(Qt::Key_Delete) << none << "FFSDS";
        QTest::newRow("Shift+Delete: backward") << noFilter << "paar" << int(Qt::Key_Delete) << shift << "BFSFS";
        QTest::newRow("keypad Delete") << noFilter << "paar" << int(Qt::Key_Delete) << int(Qt::KeypadModifier)
                                       << "DFSFS";
        QTest::newRow("forward refused without a source file")
            << noFilter << "alt" << int(Qt::Key_Insert) << shift << kStart;
        QTest::newRow("backward refused without a destination file")
            << noFilter << "neu" << int(Qt::Key_Delete) << shift << kStart;
        QTest::newRow("every selected line") << noFilter << "paar,neu,brief" << int(Qt::Key_Delete) << none << "DDSDS";
        QTest::newRow("a folder: its pairs and destination-only files go backward")
            << noFilter << "#0" << int(Qt::Key_Delete) << shift << "BFBFS";
        QTest::newRow("a folder: its files the filter hides as well") << "FiltersB2Btn"
                                                                      << "#1" << int(Qt::Key_Delete) << none << "FFSDD";
        QTest::newRow("Ctrl+Delete changes nothing")
            << noFilter << "paar" << int(Qt::Key_Delete) << int(Qt::ControlModifier) << kStart;
        QTest::newRow("Ctrl+Insert changes nothing")
            << noFilter << "paar" << int(Qt::Key_Insert) << int(Qt::ControlModifier) << kStart;
    }
    void InsertAndDeleteSetActions() {
        QFETCH(QString, filter);
        QFETCH(QString, targets);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, actions);
        cListWindow w;
        QCOMPARE(w.Actions(), kStart);
        if (!filter.isEmpty()) {
            w.dialog->findChild<QAbstractButton*>(filter)->click();
            QVERIFY(w.Row(QStringLiteral("brief")) < 0); // hidden, yet its folder's action reaches it
        }
        w.Select(targets);
        QTest::keyClick(w.View(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(w.Actions(), actions);
        QVERIFY(w.dialog->isVisible());
        // The figures follow every change.
        int forward = 0;
        for (const QChar c : actions)
            forward += c == QLatin1Char('F');
        QCOMPARE(w.dialog->findChild<QLabel*>(QStringLiteral("ForwardCountLbl"))->text(), QString::number(forward));
    }

    void DialogKeys_data() {
        QTest::addColumn<bool>("open");      // folders open at the start
        QTest::addColumn<QString>("target"); // the focused and selected line
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("result");      // -1: the dialog stays open
        QTest::addColumn<bool>("folderOpen"); // folder "\" afterwards
        QTest::addColumn<QString>("focus");   // the focused line afterwards
        const int none = Qt::NoModifier;
        const int stays = -1;
        QTest::newRow("Enter on a file line is OK")
            << true << "paar" << int(Qt::Key_Return) << none << int(QDialog::Accepted) << true << "paar";
        QTest::newRow("Enter on a folder line is OK as well")
            << true << "#0" << int(Qt::Key_Return) << none << int(QDialog::Accepted) << true << "#0";
        QTest::newRow("keypad Enter is OK")
            << true << "#0" << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << int(QDialog::Accepted) << true << "#0";
        QTest::newRow("Esc is Abbruch") << true << "paar" << int(Qt::Key_Escape) << none << int(QDialog::Rejected)
                                        << true << "paar";
        QTest::newRow("Space closes a folder") << true << "#0" << int(Qt::Key_Space) << none << stays << false << "#0";
        QTest::newRow("Space opens a folder") << false << "#0" << int(Qt::Key_Space) << none << stays << true << "#0";
        QTest::newRow("Space on a file line")
            << true << "paar" << int(Qt::Key_Space) << none << stays << true << "paar";
        QTest::newRow("+ opens a folder") << false << "#0" << int(Qt::Key_Plus) << none << stays << true << "#0";
        QTest::newRow("+ leaves an open folder open")
            << true << "#0" << int(Qt::Key_Plus) << none << stays << true << "#0";
        QTest::newRow("keypad - closes a folder")
            << true << "#0" << int(Qt::Key_Minus) << int(Qt::KeypadModifier) << stays << false << "#0";
        QTest::newRow("- on a file line closes its folder and focuses it")
            << true << "alt" << int(Qt::Key_Minus) << none << stays << false << "#0";
    }
    void DialogKeys() {
        QFETCH(bool, open);
        QFETCH(QString, target);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(int, result);
        QFETCH(bool, folderOpen);
        QFETCH(QString, focus);
        cListWindow w(open);
        w.Select(target);
        QTest::keyClick(w.View(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(w.dialog->isVisible(), result == -1);
        if (result != -1) QCOMPARE(w.dialog->result(), result);
        QCOMPARE(w.Expanded(0), folderOpen);
        QCOMPARE(w.View()->currentIndex().row(), w.Row(focus));
        QCOMPARE(w.Actions(), kStart);
        // The lines below a folder are exactly its shown files.
        QCOMPARE(w.Row(QStringLiteral("paar")) >= 0, folderOpen);
        QCOMPARE(w.Row(QStringLiteral("#1")), folderOpen ? 4 : 1);
    }

    // F1 and "Hilfe" open the help window beside the list, which stays open.
    void HelpKeyAndButton() {
        for (const bool key : {true, false}) {
            cListWindow w;
            if (key)
                QTest::keyClick(w.View(), Qt::Key_F1);
            else
                w.dialog->findChild<QPushButton*>(QStringLiteral("HelpBtn"))->click();
            QVERIFY(ui::OpenHelpWindow());
            QVERIFY(ui::OpenHelpWindow()->isVisible());
            ui::OpenHelpWindow()->close();
            QVERIFY(w.dialog->isVisible());
        }
    }

    // Where a left click lands decides what it does: the icon column (the first 17 pixels) and the arrow column
    // with 2 pixels to spare on each side cycle a file's action; the icon column opens and closes a folder; a
    // double-click does the same anywhere on the line, once. The file "paar" goes forward -> skip -> delete.
    void ClickPlaces_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("anchor"); // "left", "arrowLeft" or "arrowRight" of the line
        QTest::addColumn<int>("offset");
        QTest::addColumn<bool>("doubleClick");
        QTest::addColumn<QString>("actions");
        QTest::addColumn<bool>("folderOpen");
        const QString left = QStringLiteral("left");
        const QString arrowLeft = QStringLiteral("arrowLeft");
        const QString arrowRight = QStringLiteral("arrowRight");
        QTest::newRow("file: first pixel of the icon column") << "paar" << left << 0 << false << "SFSFS" << true;
        QTest::newRow("file: last pixel of the icon column") << "paar" << left << 16 << false << "SFSFS" << true;
        QTest::newRow("file: first pixel after the icon column") << "paar" << left << 17 << false << kStart << true;
        QTest::newRow("file: 2 pixels left of the arrow") << "paar" << arrowLeft << -2 << false << "SFSFS" << true;
        QTest::newRow("file: 3 pixels left of the arrow") << "paar" << arrowLeft << -3 << false << kStart << true;
        QTest::newRow("file: 2 pixels right of the arrow") << "paar" << arrowRight << 2 << false << "SFSFS" << true;
        QTest::newRow("file: 3 pixels right of the arrow") << "paar" << arrowRight << 3 << false << kStart << true;
        QTest::newRow("file: double-click on the source side") << "paar" << left << 60 << true << "SFSFS" << true;
        QTest::newRow("file: double-click on the arrow acts once")
            << "paar" << arrowLeft << 8 << true << "SFSFS" << true;
        QTest::newRow("file: destination-only file on the arrow")
            << "alt" << arrowLeft << 8 << false << "FFDFS" << true;
        QTest::newRow("folder: icon column") << "#0" << left << 3 << false << kStart << false;
        QTest::newRow("folder: last pixel of the icon column") << "#0" << left << 16 << false << kStart << false;
        QTest::newRow("folder: right of the icon column") << "#0" << left << 17 << false << kStart << true;
        QTest::newRow("folder: where a file has its arrow") << "#0" << arrowLeft << 8 << false << kStart << true;
        QTest::newRow("folder: double-click on the caption") << "#0" << left << 60 << true << kStart << false;
        QTest::newRow("folder: double-click on the icon column acts once")
            << "#0" << left << 3 << true << kStart << false;
    }
    void ClickPlaces() {
        QFETCH(QString, target);
        QFETCH(QString, anchor);
        QFETCH(int, offset);
        QFETCH(bool, doubleClick);
        QFETCH(QString, actions);
        QFETCH(bool, folderOpen);
        cListWindow w;
        const QRect line = w.LineRect(target);
        QVERIFY(line.isValid());
        const QRect arrow = ui::PreviewArrowRect(line);
        QVERIFY(arrow.left() > line.left() + 100); // the arrow lies well apart from the icon column
        const int x = offset + (anchor == QLatin1String("left")        ? line.left()
                                : anchor == QLatin1String("arrowLeft") ? arrow.left()
                                                                       : arrow.right());
        const QPoint at(x, line.center().y());
        // A double-click reaches a widget as press, release, double-click, release.
        QTest::mouseClick(w.Viewport(), Qt::LeftButton, {}, at);
        if (doubleClick) {
            QTest::mouseDClick(w.Viewport(), Qt::LeftButton, {}, at);
            QTest::mouseRelease(w.Viewport(), Qt::LeftButton, {}, at);
        }
        QCOMPARE(w.Actions(), actions);
        QCOMPARE(w.Expanded(0), folderOpen);
        QCOMPARE(w.Row(QStringLiteral("paar")) >= 0, folderOpen);
    }

    // A right click selects the line under the mouse unless it is selected already; the menu is full with a
    // selection and has only the two folder commands without one. The context-menu key opens the same menus at
    // the focused line.
    void PopUpMenu_data() {
        QTest::addColumn<QString>("selected");
        QTest::addColumn<QString>("target"); // right-clicked; empty: the context-menu key
        QTest::addColumn<QString>("after");
        QTest::addColumn<QStringList>("items");
        QTest::newRow("right click on an unselected line") << "paar,brief"
                                                           << "alt"
                                                           << "alt" << kFullMenu;
        QTest::newRow("right click on a selected line") << "paar,brief"
                                                        << "brief"
                                                        << "paar,brief" << kFullMenu;
        QTest::newRow("right click on a folder line") << ""
                                                      << "#1"
                                                      << "#1" << kFullMenu;
        QTest::newRow("right click below the lines") << ""
                                                     << "below"
                                                     << "" << kShortMenu;
        QTest::newRow("menu key with a selection") << "brief,notiz"
                                                   << ""
                                                   << "brief,notiz" << kFullMenu;
        QTest::newRow("menu key without a selection") << ""
                                                      << ""
                                                      << "" << kShortMenu;
    }
    void PopUpMenu() {
        QFETCH(QString, selected);
        QFETCH(QString, target);
        QFETCH(QString, after);
        QFETCH(QStringList, items);
        cListWindow w;
        w.Select(selected);
        std::shared_ptr<cMenuSeen> seen = WatchNextMenu();
        if (target.isEmpty()) {
            const QRect focused = w.View()->visualRect(w.View()->currentIndex());
            QTest::keyClick(w.View(), Qt::Key_Menu);
            if (!selected.isEmpty()) {
                // At the focused line.
                const QRect global(w.Viewport()->mapToGlobal(focused.topLeft()), focused.size());
                QVERIFY2(global.contains(seen->Place),
                         qPrintable(QStringLiteral("%1,%2").arg(seen->Place.x()).arg(seen->Place.y())));
            }
        } else {
            const QPoint at = target == QLatin1String("below") ? QPoint(200, w.Viewport()->height() - 3)
                                                               : QPoint(200, w.LineRect(target).center().y());
            QVERIFY(target != QLatin1String("below") || !w.View()->indexAt(at).isValid());
            QTest::mousePress(w.Viewport(), Qt::RightButton, {}, at);
            QContextMenuEvent event(QContextMenuEvent::Mouse, at, w.Viewport()->mapToGlobal(at));
            QApplication::sendEvent(w.Viewport(), &event);
            QTest::mouseRelease(w.Viewport(), Qt::RightButton, {}, at);
        }
        QCOMPARE(seen->Items, items);
        QCOMPARE(w.Selection(), after);
        QCOMPARE(w.Actions(), kStart);
    }

    // On X11 the context-menu key reaches the list twice: as a context-menu event for the focused widget, then as
    // the key. One menu opens, at the focused line, and the selection stays.
    void MenuKeyOpensOneMenu() {
        cListWindow w;
        w.Select(QStringLiteral("brief"));
        cMenuCounter counter;
        QContextMenuEvent keyboard(QContextMenuEvent::Keyboard, QPoint(5, 5), w.View()->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(w.View(), &keyboard);
        QTest::keyClick(w.View(), Qt::Key_Menu);
        QCOMPARE(counter.Shown, 1);
        QCOMPARE(w.Selection(), QStringLiteral("brief"));
    }

    // "Öffnen" needs a file line, "Intern vergleichen" one pair of files of equal size, "Extern vergleichen" one
    // pair and a compare program. The files of a zip archive are not at hand: SelectedFiles names the source
    // files, and the archive's are fetched when they are opened or compared.
    void MenuItemsEnabled_data() {
        QTest::addColumn<QString>("selected");
        QTest::addColumn<QString>("program");
        QTest::addColumn<bool>("open");
        QTest::addColumn<bool>("internal");
        QTest::addColumn<bool>("external");
        QTest::addColumn<bool>("zip");
        QTest::addColumn<int>("files"); // the files "Öffnen" opens
        const QString program = QStringLiteral("/usr/bin/cmp");
        const QString none;
        QTest::newRow("a pair of different sizes") << "paar" << program << true << false << true << false << 2;
        QTest::newRow("a pair of equal sizes") << "brief" << program << true << true << true << false << 2;
        QTest::newRow("no compare program") << "brief" << none << true << true << false << false << 2;
        QTest::newRow("a source-only file") << "neu" << program << true << false << false << false << 1;
        QTest::newRow("a destination-only file") << "alt" << program << true << false << false << false << 1;
        QTest::newRow("two pairs") << "paar,brief" << program << true << false << false << false << 4;
        QTest::newRow("a folder line") << "#1" << program << false << false << false << false << 0;
        QTest::newRow("zip: a pair of equal sizes") << "brief" << program << true << true << true << true << 1;
        QTest::newRow("zip: a destination-only file") << "alt" << program << true << false << false << true << 0;
    }
    void MenuItemsEnabled() {
        QFETCH(QString, selected);
        QFETCH(QString, program);
        QFETCH(bool, open);
        QFETCH(bool, internal);
        QFETCH(bool, external);
        QFETCH(bool, zip);
        QFETCH(int, files);
        cListWindow w(true, 0, program.toStdString(), zip ? eDestType::Zip : eDestType::Directory);
        w.Select(selected);
        std::shared_ptr<cMenuSeen> seen = WatchNextMenu();
        QTest::keyClick(w.View(), Qt::Key_Menu);
        QCOMPARE(seen->Items, kFullMenu);
        QCOMPARE(seen->Enabled.contains(QStringLiteral("&Öffnen")), open);
        QCOMPARE(seen->Enabled.contains(QStringLiteral("&Intern vergleichen")), internal);
        QCOMPARE(seen->Enabled.contains(QStringLiteral("&Extern vergleichen")), external);
        for (const char* always : {"&Vorwärts", "&Rückwärts", "&Diesen Ordner schließen", "Alle Ordner &schließen"})
            QVERIFY(seen->Enabled.contains(QString::fromUtf8(always)));
        const std::vector<std::string> opened = w.dialog->SelectedFiles();
        QCOMPARE(int(opened.size()), files);
        if (zip && files > 0) QCOMPARE(opened.front(), std::string("/nirgends/quelle/Briefe/brief.txt"));
    }

    // The items of the pop-up menu act on the selection and the focused line.
    void MenuItems() {
        {
            cListWindow w;
            w.Select(QStringLiteral("paar,#1"));
            std::shared_ptr<cMenuSeen> seen = WatchNextMenu(QStringLiteral("&Rückwärts"));
            QTest::keyClick(w.View(), Qt::Key_Menu);
            QCOMPARE(seen->Items, kFullMenu);
            QCOMPARE(w.Actions(), QStringLiteral("BFSBB"));
        }
        {
            // "Diesen Ordner schließen" closes the folder of the focused line and scrolls it to the top.
            cListWindow w(true, 60);
            w.Select(QStringLiteral("notiz"));
            std::shared_ptr<cMenuSeen> seen = WatchNextMenu(QStringLiteral("&Diesen Ordner schließen"));
            QTest::keyClick(w.View(), Qt::Key_Menu);
            QCOMPARE(seen->Items.size(), kFullMenu.size());
            QVERIFY(!w.Expanded(1));
            QVERIFY(w.Expanded(0));
            QVERIFY(w.Expanded(2));
            QCOMPARE(w.View()->currentIndex().row(), w.Row(QStringLiteral("#1")));
            QCOMPARE(w.LineRect(QStringLiteral("#1")).top(), 0);
        }
        for (const bool open : {false, true}) {
            cListWindow w(!open, 3);
            w.Select({});
            std::shared_ptr<cMenuSeen> seen =
                WatchNextMenu(open ? QStringLiteral("&Alle Ordner öffnen") : QStringLiteral("Alle Ordner &schließen"));
            QTest::keyClick(w.View(), Qt::Key_Menu);
            QCOMPARE(seen->Items, kShortMenu);
            for (int folder = 0; folder < 3; ++folder)
                QCOMPARE(w.Expanded(folder), open);
            QCOMPARE(w.Model().rowCount(), open ? 3 + 5 + 3 : 3);
        }
    }

    // The action buttons work on the selection and are enabled only while a line is selected.
    void ActionButtons_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("actions");
        QTest::newRow("Vorwärts") << "ForwardBtn"
                                  << "FFSFF";
        QTest::newRow("Überspringen") << "SkipBtn"
                                      << "SFSSS";
        QTest::newRow("Löschen") << "DeleteBtn"
                                 << "DFSDD";
        QTest::newRow("Rückwärts") << "BackwardBtn"
                                   << "BFSBB";
    }
    void ActionButtons() {
        QFETCH(QString, button);
        QFETCH(QString, actions);
        cListWindow w;
        auto* pressed = w.dialog->findChild<QPushButton*>(button);
        QVERIFY(pressed);
        w.Select({});
        QVERIFY(!pressed->isEnabled());
        w.Select(QStringLiteral("paar,#1"));
        QVERIFY(pressed->isEnabled());
        pressed->click();
        QCOMPARE(w.Actions(), actions);
    }

    // The display buttons change the run's working copies and the lines; a click on the bar between them sorts
    // by date and time.
    void DisplayButtons_data() {
        QTest::addColumn<QString>("button"); // a button or label, or "" for the empty area of the bar
        QTest::addColumn<int>("sortMode");
        QTest::addColumn<bool>("reverse");
        QTest::addColumn<bool>("oneLine");
        QTest::addColumn<int>("rows");
        QTest::newRow("Lines2Btn") << "Lines2Btn" << 0 << false << false << 7;
        QTest::newRow("Sort2Btn") << "Sort2Btn" << 1 << false << true << 9; // a group per first letter
        QTest::newRow("Order2Btn") << "Order2Btn" << 0 << true << true << 7;
        QTest::newRow("FiltersA2Btn") << "FiltersA2Btn" << 0 << false << true << 3;
        QTest::newRow("FiltersB1Btn") << "FiltersB1Btn" << 0 << false << true << 5;
        QTest::newRow("a figure on the bar") << "ForwardCountLbl" << 0 << false << true << 7;
        QTest::newRow("empty area of the bar") << "" << 4 << false << true << 6; // one day
    }
    void DisplayButtons() {
        QFETCH(QString, button);
        QFETCH(int, sortMode);
        QFETCH(bool, reverse);
        QFETCH(bool, oneLine);
        QFETCH(int, rows);
        cListWindow w;
        if (button.isEmpty()) {
            QWidget* bar = w.dialog->findChild<QWidget*>(QStringLiteral("ButtonBar"));
            const QPoint at = EmptyPoint(bar);
            QVERIFY(at.x() >= 0);
            QTest::mouseClick(bar, Qt::LeftButton, {}, at);
            QVERIFY(w.dialog->findChild<QAbstractButton*>(QStringLiteral("Sort5Btn"))->isChecked());
        } else if (auto* pressed = w.dialog->findChild<QAbstractButton*>(button)) {
            pressed->click();
        } else {
            QTest::mouseClick(w.dialog->findChild<QWidget*>(button), Qt::LeftButton);
        }
        QCOMPARE(int(w.run.RunSortMode), sortMode);
        QCOMPARE(w.run.RunReverseOrder, reverse);
        QCOMPARE(w.run.RunOneLine, oneLine);
        QCOMPARE(w.Model().rowCount(), rows);
        QCOMPARE(w.Actions(), kStart);
    }

    // Rebuilding the lines of more than 500 files, and changing more than 50 selected lines, show the hourglass
    // while they work.
    void Hourglass_data() {
        QTest::addColumn<int>("extraFiles");
        QTest::addColumn<QString>("change"); // a button, a menu item, or "N lines" selected and Insert pressed
        QTest::addColumn<bool>("waits");
        QTest::newRow("Lines2Btn, 506 files") << 501 << "Lines2Btn" << true;
        QTest::newRow("Sort2Btn, 506 files") << 501 << "Sort2Btn" << true;
        QTest::newRow("Order2Btn, 506 files") << 501 << "Order2Btn" << true;
        QTest::newRow("FiltersB4Btn, 506 files") << 501 << "FiltersB4Btn" << true;
        QTest::newRow("all folders closed, 506 files") << 501 << "Alle Ordner &schließen" << true;
        QTest::newRow("Sort2Btn, 500 files") << 495 << "Sort2Btn" << false;
        QTest::newRow("51 lines") << 60 << "51 lines" << true;
        QTest::newRow("50 lines") << 60 << "50 lines" << false;
    }
    void Hourglass() {
        QFETCH(int, extraFiles);
        QFETCH(QString, change);
        QFETCH(bool, waits);
        cListWindow w(true, extraFiles);
        int seen = 0;
        bool waited = false;
        const auto look = [&] {
            ++seen;
            waited = QApplication::overrideCursor() && QApplication::overrideCursor()->shape() == Qt::WaitCursor;
        };
        QObject::connect(&w.Model(), &QAbstractItemModel::modelAboutToBeReset, look);
        QObject::connect(&w.Model(), &QAbstractItemModel::dataChanged, look);
        if (change.endsWith(QLatin1String(" lines"))) {
            const int count = change.section(QLatin1Char(' '), 0, 0).toInt();
            w.View()->selectionModel()->select(QItemSelection(w.Model().index(w.Model().rowCount() - count),
                                                              w.Model().index(w.Model().rowCount() - 1)),
                                               QItemSelectionModel::ClearAndSelect);
            QTest::keyClick(w.View(), Qt::Key_Insert);
        } else if (change.contains(QLatin1Char(' '))) {
            w.Select({});
            WatchNextMenu(change);
            QTest::keyClick(w.View(), Qt::Key_Menu);
        } else {
            w.dialog->findChild<QAbstractButton*>(change)->click();
        }
        QVERIFY(seen > 0);
        QCOMPARE(waited, waits);
        QVERIFY(!QApplication::overrideCursor());
    }

    // "Freien Platz auf Datenträgern neu lesen" measures both roots again; a root that is not there keeps its
    // figure.
    void RereadMeasuresAgain() {
        cListWindow w;
        w.run.NativeSourceRoot = QDir::tempPath().toStdString();
        w.run.SourceFree = 1;
        w.dialog->findChild<QPushButton*>(QStringLiteral("RereadBtn"))->click();
        QVERIFY(w.run.SourceFree > 1);
        QCOMPARE(w.run.DestFree, 1'000'000);
        QVERIFY(w.dialog->findChild<QLabel*>(QStringLiteral("SourceBalanceLbl"))
                    ->text()
                    .contains(QStringLiteral("MB bleiben")));
    }
};

QTEST_MAIN(ListKeysTest)
#include "ListKeysTest.moc"
