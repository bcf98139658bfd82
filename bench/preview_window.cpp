// Times the preview list window TListDlg over 100 000 synthetic candidates on the offscreen platform: from
// construction to the first paint, scrolling to the end, changing the action of a 50 000-file folder by key,
// closing and opening that folder, switching a filter and re-sorting. Each step is timed until the list has
// painted its result. Prints the median of several rounds.
#include "SyntheticRun.h"
#include "engine/CandidateSort.h"
#include "engine/Folders.h"
#include "profile/Parameters.h"
#include "ui/ListDialog.h"
#include "ui/PreviewModel.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QListView>
#include <QScrollBar>

#include <memory>

using namespace bench;

namespace {

constexpr int kWindowRounds = 5;

// Notes the paint events of the list.
class cPaintWatch : public QObject {
public:
    bool Painted = false;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) Painted = true;
        return false;
    }
};

// Lets the event loop run until the list has painted (at most 60 s); false when it never did.
bool WaitForPaint(cPaintWatch& watch) {
    QElapsedTimer waited;
    waited.start();
    while (!watch.Painted && waited.elapsed() < 60'000)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    return watch.Painted;
}

// Milliseconds from the start of change until the list has painted what it did.
double UntilPainted(cPaintWatch& watch, const std::function<void()>& change) {
    watch.Painted = false;
    return Milliseconds([&] {
        change();
        if (!WaitForPaint(watch)) std::printf("  (no paint within 60 s)\n");
    });
}

void Key(QWidget* widget, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers);
    QApplication::sendEvent(widget, &release);
}

void Click(QWidget* dialog, const char* button) {
    dialog->findChild<QAbstractButton*>(QString::fromLatin1(button))->click();
}

} // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    cSilentInterface ui;
    cRunControl control(ui);
    cRunState run(control);
    FillRun(run);
    // Sorted and grouped as the run hands the candidates to the preview.
    SortCandidates(run.Candidates, run.RunSortMode, run.RunReverseOrder);
    run.Folders = BuildFolders(run.Candidates, {run.RunSortMode, &run.SourceDirList, run.CutPath, true});
    cParameters params;
    params.ProfileFile = "Messung.tvp";
    std::printf("%d candidates, a folder of %d, %zu folders, platform %s\n", kCandidates, kBigFolder,
                run.Folders.size(), qPrintable(QApplication::platformName()));

    std::vector<double> open, end, action, everyLine, toggle, filterOn, filterOff, byName, byPath;
    for (int round = 0; round < kWindowRounds; ++round) {
        cPaintWatch watch;
        std::unique_ptr<ui::TListDlg> dialog;
        open.push_back(UntilPainted(watch, [&] {
            dialog = std::make_unique<ui::TListDlg>(params, run);
            dialog->List()->viewport()->installEventFilter(&watch);
            dialog->resize(1200, 800);
            dialog->show();
        }));
        QListView* view = dialog->List();
        const int lines = dialog->Model().rowCount();

        end.push_back(UntilPainted(watch, [&] { Key(view, Qt::Key_End); }));
        Key(view, Qt::Key_Home);
        WaitForPaint(watch);

        // The folder of 50 000 files is the first line; Insert and Delete change all of its files.
        view->setCurrentIndex(dialog->Model().index(0));
        action.push_back(UntilPainted(watch, [&] { Key(view, Qt::Key_Insert); }));
        action.push_back(UntilPainted(watch, [&] { Key(view, Qt::Key_Delete); }));
        // Every line selected: the rows of the selection are collected before the change.
        view->selectAll();
        WaitForPaint(watch);
        everyLine.push_back(UntilPainted(watch, [&] { Key(view, Qt::Key_Insert); }));
        everyLine.push_back(UntilPainted(watch, [&] { Key(view, Qt::Key_Delete); }));
        view->setCurrentIndex(dialog->Model().index(0));
        WaitForPaint(watch);
        toggle.push_back(UntilPainted(watch, [&] { Key(view, Qt::Key_Space); }));
        toggle.push_back(UntilPainted(watch, [&] { Key(view, Qt::Key_Space); }));

        filterOn.push_back(UntilPainted(watch, [&] { Click(dialog.get(), "FiltersA2Btn"); }));
        filterOff.push_back(UntilPainted(watch, [&] { Click(dialog.get(), "FiltersA2Btn"); }));
        byName.push_back(UntilPainted(watch, [&] { Click(dialog.get(), "Sort2Btn"); }));
        byPath.push_back(UntilPainted(watch, [&] { Click(dialog.get(), "Sort1Btn"); }));
        if (round == 0)
            std::printf("  %d lines, list %d pixels high\n", lines, view->verticalScrollBar()->maximum());
        dialog->reject();
    }
    Report("open the window until the first paint", open);
    Report("End: scroll to the last line", end);
    Report("Insert/Delete on the 50 000-file folder", action);
    Report("Insert/Delete with all 102 001 lines selected", everyLine);
    Report("Space: close or open the 50 000-file folder", toggle);
    Report("filter on (size differences)", filterOn);
    Report("filter off", filterOff);
    Report("sort by name", byName);
    Report("sort by path", byPath);
    return 0;
}
