// The preview list in a real run started from the main window: the list shows the run's plan, the keys and the
// arrow change it, OK lets the run carry out exactly what the list shows, "Abbruch" stops the run.
#include "ModalScript.h"
#include "PdfPages.h"
#include "engine/ActionFlags.h"
#include "engine/PlanText.h"
#include "engine/RunDriver.h"
#include "profile/Parameters.h"
#include "review/PreviewList.h"
#include "shell/HeadlessInterface.h"
#include "support/TempDir.h"
#include "ui/HardcopyDialog.h"
#include "ui/ListDialog.h"
#include "ui/MainWnd.h"
#include "ui/PreviewCompare.h"
#include "ui/PreviewDelegate.h"
#include "ui/PreviewModel.h"

#include <QLabel>
#include <QListView>
#include <QPrinter>
#include <QPushButton>
#include <QTest>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <vector>

namespace fs = std::filesystem;

namespace {

// Two files in two folders of the source; an empty destination.
struct cPreviewRun {
    testsupport::TempDir dir;
    cParameters params;

    cPreviewRun() {
        dir.WriteFile("Quelle/a.txt", "alpha");
        dir.WriteFile("Quelle/Unter/b.txt", "beta");
        fs::create_directories(dir.Path() / "Ziel");
        params.SourceDrive = (dir.Path() / "Quelle").string();
        params.DestDrive = (dir.Path() / "Ziel").string();
        params.SearchDirectories.Add("\\*");
        params.ProfileFile = (dir.Path() / "Profil.tvp").string();
        params.Log.FileName = (dir.Path() / "Log.txt").string();
        params.Recycle = false;
        params.AddDefaultMask();
        params.DocumentKind = kProfileDocument;
        params.ShowPreview = true;
        params.Preview.OpenFolders = true;
        params.Preview.OneLine = false;
    }
    bool InDest(const char* relative) const { return fs::exists(dir.Path() / "Ziel" / relative); }
    // The log is Windows-1252, which matches Latin-1 in every character the run writes here.
    QString Log() const { return QString::fromLatin1(dir.ReadFile("Log.txt")); }
};

ui::TListDlg* ListDialogOf(QWidget* modal) {
    return qobject_cast<ui::TListDlg*>(modal);
}

// The row whose text (folder caption or file name) contains part.
int RowOf(const ui::cPreviewModel& model, const QString& part, bool folder) {
    for (int row = 0; row < model.rowCount(); ++row)
        if (model.IsFolder(row) == folder && model.index(row).data().toString().contains(part)) return row;
    return -1;
}

int ActionAt(const ui::cPreviewModel& model, int row) {
    return model.index(row).data(ui::cPreviewModel::ActionRole).toInt();
}

QString LabelText(QWidget* dialog, const char* name) {
    auto* label = dialog->findChild<QLabel*>(QString::fromLatin1(name));
    return label ? label->text() : QStringLiteral("<none>");
}

} // namespace

class PreviewWindowTest : public QObject {
    Q_OBJECT

private slots:
    // Insert on the folder "Unter" skips its file; space closes and opens the folder; OK runs that plan.
    void KeyboardChangeIsWhatTheRunDoes() {
        cPreviewRun fixture;
        bool seen = false;
        uitest::cModalScript script;
        script.Click("OkBtn", [&seen](QWidget* modal) {
            ui::TListDlg* dialog = ListDialogOf(modal);
            QVERIFY(dialog);
            QCOMPARE(dialog->objectName(), QStringLiteral("ListDlg"));
            QVERIFY(dialog->windowTitle().endsWith(QStringLiteral(" - Tolvan 6")));
            ui::cPreviewModel& model = dialog->Model();
            QListView* view = dialog->List();
            // Two folders, each open with its file.
            QCOMPARE(model.rowCount(), 4);
            const int folder = RowOf(model, QStringLiteral("Unter"), true);
            QVERIFY(folder >= 0);
            const int fileB = RowOf(model, QStringLiteral("b.txt"), false);
            QCOMPARE(fileB, folder + 1);
            QCOMPARE(ActionAt(model, fileB), int(kActionForward));
            QCOMPARE(LabelText(dialog, "ForwardCountLbl"), QStringLiteral("2"));
            QVERIFY(!dialog->findChild<QPushButton*>(QStringLiteral("SkipBtn"))->isEnabled() ||
                    view->selectionModel()->hasSelection());

            view->setCurrentIndex(model.index(folder));
            QVERIFY(dialog->findChild<QPushButton*>(QStringLiteral("SkipBtn"))->isEnabled());
            QTest::keyClick(view, Qt::Key_Space);
            QCOMPARE(model.rowCount(), 3);
            QTest::keyClick(view, Qt::Key_Space);
            QCOMPARE(model.rowCount(), 4);

            QTest::keyClick(view, Qt::Key_Insert); // skip for the folder's files
            QCOMPARE(ActionAt(model, fileB), int(kActionSkip));
            QCOMPARE(LabelText(dialog, "ForwardCountLbl"), QStringLiteral("1"));
            QCOMPARE(LabelText(dialog, "SkipCountLbl"), QStringLiteral("1"));
            // Shift+Insert would copy it again; Shift+Delete (backward) is refused for a file the
            // destination lacks.
            QTest::keyClick(view, Qt::Key_Delete, Qt::ShiftModifier);
            QCOMPARE(ActionAt(model, fileB), int(kActionSkip));
            seen = true;
        });
        ui::TMainWnd window(fixture.params, false);
        window.show();
        window.LaunchRun(0);

        QVERIFY(seen);
        QCOMPARE(script.Answered(), 1);
        QCOMPARE(script.Unexpected(), 0);
        QVERIFY(fixture.InDest("a.txt"));
        QVERIFY(!fixture.InDest("Unter/b.txt"));
        const QString log = fixture.Log();
        QVERIFY2(log.contains(QStringLiteral("Datei übersprungen:")), qPrintable(log));
        QVERIFY2(log.contains(QStringLiteral("Unter/b.txt")), qPrintable(log));
        QVERIFY(log.contains(QStringLiteral("     1 Datei vorwärts kopiert")));
        QVERIFY(!log.contains(QStringLiteral("Abbruch.")));
    }

    // A click on the arrow cycles a source-only file forward, skip, delete and back to forward (backward is
    // passed over); a click beside the arrow changes nothing. The run then skips the file it was left on.
    void ArrowClickCycles() {
        cPreviewRun fixture;
        bool seen = false;
        uitest::cModalScript script;
        script.Click("OkBtn", [&seen](QWidget* modal) {
            ui::TListDlg* dialog = ListDialogOf(modal);
            QVERIFY(dialog);
            ui::cPreviewModel& model = dialog->Model();
            QListView* view = dialog->List();
            const int fileA = RowOf(model, QStringLiteral("a.txt"), false);
            QVERIFY(fileA >= 0);
            const QRect line = view->visualRect(model.index(fileA));
            const QPoint arrow = ui::PreviewArrowRect(line).center();
            QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, QPoint(line.left() + 40, arrow.y()));
            QCOMPARE(ActionAt(model, fileA), int(kActionForward));
            const int expected[] = {kActionSkip, kActionDelete, kActionForward, kActionSkip};
            for (const int action : expected) {
                QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, arrow);
                QCOMPARE(ActionAt(model, fileA), action);
            }
            seen = true;
        });
        ui::TMainWnd window(fixture.params, false);
        window.show();
        window.LaunchRun(0);

        QVERIFY(seen);
        QVERIFY(!fixture.InDest("a.txt"));
        QVERIFY(fixture.InDest("Unter/b.txt"));
    }

    // "Intern vergleichen" on a file both sides hold with equal sizes: differing bytes and equal bytes give their
    // sentences; a folder line offers no comparison. "Extern vergleichen" hands both paths to the compare
    // program in the order its parameters name them.
    void CompareFiles() {
        cPreviewRun fixture;
        fixture.dir.WriteFile("Vergleich.sh", "#!/bin/sh\nprintf '%s\\n' \"$@\" > \"$0.args\"\n");
        const fs::path compareProgram = fixture.dir.Path() / "Vergleich.sh";
        fs::permissions(compareProgram, fs::perms::owner_all);
        fixture.params.Programm.CompareA = compareProgram.string();
        fixture.params.Programm.CompareB = "%2 --und %1";
        fixture.dir.WriteFile("Ziel/a.txt", "alphA");
        fixture.dir.WriteFile("Ziel/Unter/b.txt", "beta");
        const fs::path olderB = fixture.dir.Path() / "Ziel/Unter/b.txt";
        fs::last_write_time(olderB, fs::last_write_time(olderB) - std::chrono::hours(2));
        const fs::path olderA = fixture.dir.Path() / "Ziel/a.txt";
        fs::last_write_time(olderA, fs::last_write_time(olderA) - std::chrono::hours(2));
        QStringList boxes;
        std::vector<bool> compared;
        std::vector<std::string> toOpen;
        const auto answer = [&boxes](QWidget* modal) {
            boxes << uitest::BoxText(modal);
            if (auto* box = qobject_cast<QDialog*>(modal)) box->accept();
        };
        uitest::cModalScript script;
        // Both sides changed since no earlier run: the check of double changes comes first and lets the run go on.
        script.Then([](QWidget* modal) { qobject_cast<QDialog*>(modal)->accept(); })
            .Click("CancelBtn",
                   [&compared, &toOpen](QWidget* modal) {
                       ui::TListDlg* dialog = ListDialogOf(modal);
                       QVERIFY2(dialog, qPrintable(modal->objectName() + uitest::BoxText(modal)));
                       ui::cPreviewModel& model = dialog->Model();
                       QListView* view = dialog->List();
                       for (const char* part : {"a.txt", "b.txt"}) {
                           const int row = RowOf(model, QString::fromLatin1(part), false);
                           QVERIFY(row >= 0);
                           view->setCurrentIndex(model.index(row));
                           compared.push_back(dialog->CompareSelected());
                       }
                       compared.push_back(dialog->CompareSelectedExternally()); // b.txt
                       toOpen = dialog->SelectedFiles();
                       view->setCurrentIndex(model.index(RowOf(model, QStringLiteral("Unter"), true)));
                       compared.push_back(dialog->CompareSelected());
                       compared.push_back(dialog->CompareSelectedExternally());
                   })
            .Then(answer)
            .Then(answer);
        ui::TMainWnd window(fixture.params, false);
        window.show();
        window.LaunchRun(0);

        QCOMPARE(compared, (std::vector<bool>{true, true, true, false, false}));
        // "Öffnen" shows copies, so that whatever the application does, the files of the run stay as they were.
        QCOMPARE(toOpen, (std::vector<std::string>{(fixture.dir.Path() / "Quelle/Unter/b.txt").string(),
                                                   (fixture.dir.Path() / "Ziel/Unter/b.txt").string()}));
        const std::string copy = ui::CopyForOpening(toOpen[1]);
        QVERIFY(!copy.empty());
        QVERIFY(copy != toOpen[1]);
        QCOMPARE(QString::fromStdString(fixture.dir.ReadFile("Ziel/Unter/b.txt")), QStringLiteral("beta"));
        std::ifstream copied(copy);
        std::string text;
        std::getline(copied, text);
        QCOMPARE(text, std::string("beta"));
        QCOMPARE(boxes.size(), 2);
        const QString source = QString::fromStdString((fixture.dir.Path() / "Quelle/a.txt").string());
        const QString dest = QString::fromStdString((fixture.dir.Path() / "Ziel/a.txt").string());
        QCOMPARE(boxes[0], QStringLiteral("Die Dateien\n\n") + source + QStringLiteral("\n\nund\n\n") + dest +
                               QStringLiteral("\n\nsind NICHT identisch."));
        QVERIFY2(boxes[1].endsWith(QStringLiteral("b.txt\n\nsind identisch.")), qPrintable(boxes[1]));
        QCOMPARE(script.Unexpected(), 0);
    }

    // The preview lists exactly what `tolvan --plan` prints for the same profile: folders, candidates with their
    // actions and both sides, the planned counts and the bytes to copy (free space is measured anew each time
    // and left out).
    void PreviewShowsWhatPlanPrints() {
        cPreviewRun fixture;
        // An older copy in the destination and a file only there.
        const fs::path older = fixture.dir.WriteFile("Ziel/Unter/b.txt", "alt");
        fs::last_write_time(older, fs::last_write_time(older) - std::chrono::hours(2));
        fixture.dir.WriteFile("Ziel/nur im Ziel.txt", "z");
        // From the first folder on (the head names the roots as the run's copy of the profile resolved them) to
        // the bytes to copy.
        const auto actions = [](const std::string& text) {
            const std::size_t from = text.find("\n\n");
            return text.substr(from, text.find("\nQuelle /") - from);
        };
        std::string planned;
        cHeadlessInterface quiet;
        cRunControl control(quiet);
        cRunOptions options;
        options.PlanOnly = true;
        options.OnPlan = [&](const cParameters& p, const cRunState& run) { planned = actions(PlanText(p, run)); };
        (void)ExecuteRun(fixture.params, control, kSingleProfile, 0, options);
        for (const char* part : {"b.txt", "nur im Ziel.txt", "Geplant:", "Zu kopieren:"})
            QVERIFY2(planned.find(part) != std::string::npos, part);

        std::string previewed;
        uitest::cModalScript script;
        // Both sides changed since no earlier run: the check of double changes comes first; OK takes its preset,
        // as the headless run does.
        script.Then([](QWidget* modal) { qobject_cast<QDialog*>(modal)->accept(); })
            .Click("CancelBtn", [&](QWidget* modal) {
                ui::TListDlg* dialog = ListDialogOf(modal);
                QVERIFY2(dialog, qPrintable(modal->objectName() + uitest::BoxText(modal)));
                previewed = actions(PlanText(fixture.params, dialog->Model().List().Run()));
            });
        ui::TMainWnd window(fixture.params, false);
        window.show();
        window.LaunchRun(0);
        QCOMPARE(QString::fromStdString(previewed), QString::fromStdString(planned));
    }

    // Printing the list into a PDF file (no printer needed): the pages the layout counts, the files on them,
    // and the choice of lines.
    void PrintToPdf() {
        cPreviewRun fixture;
        for (int i = 0; i < 120; ++i)
            fixture.dir.WriteFile("Quelle/Viele/Datei " + std::to_string(i) + ".txt", "x");
        QString pdfFile = QString::fromStdString((fixture.dir.Path() / "Liste.pdf").string());
        int pages = 0;
        int layoutPages = 0;
        QStringList firstPage;
        std::size_t visible = 0, all = 0, withoutFolders = 0;
        uitest::cModalScript script;
        script.Click("CancelBtn", [&](QWidget* modal) {
            ui::TListDlg* dialog = ListDialogOf(modal);
            QVERIFY(dialog);
            const cPreviewList& list = dialog->Model().List();
            ui::THardcopyDlg hardcopy(list, QStringLiteral("Profil.tvp - 10.12.2026 17:02"), nullptr);
            QPrinter& printer = hardcopy.Printer();
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdfFile);
            QVERIFY(hardcopy.PrintNow());
            pages = uitest::PdfPages(uitest::ReadPdf(pdfFile));
            const QRectF page = printer.pageRect(QPrinter::DevicePixel);
            const ui::cPrintLayout layout(ui::PrintLines(list, hardcopy.Choice()), QStringLiteral("Titel"),
                                          QFont(QStringLiteral("DejaVu Sans"), 8), page.translated(-page.topLeft()),
                                          &printer);
            layoutPages = layout.PageCount();
            firstPage = layout.PageTexts(0);
            dialog->Model().SetAllFolders(false);
            visible = ui::PrintLines(list, {true, true}).size();
            all = ui::PrintLines(list, {false, true}).size();
            withoutFolders = ui::PrintLines(list, {false, false}).size();
        });
        ui::TMainWnd window(fixture.params, false);
        window.show();
        window.LaunchRun(0);
        QVERIFY2(layoutPages >= 2, qPrintable(QString::number(layoutPages)));
        QCOMPARE(pages, layoutPages);
        QCOMPARE(firstPage.first(), QStringLiteral("Titel"));
        QVERIFY(firstPage.last().startsWith(QStringLiteral("Seite 1 von ")));
        QVERIFY2(firstPage.join('\n').contains(QStringLiteral("Quelle/a.txt")), qPrintable(firstPage.join('\n')));
        QCOMPARE(all, withoutFolders + 3); // the three folders: the root, Unter, Viele
        QVERIFY(visible < all);            // closed folders print only their lines
        QCOMPARE(script.Unexpected(), 0);
    }

    // "Abbruch" stops the run before anything is copied: result 1, the log says so.
    void CancelStopsTheRun() {
        cPreviewRun fixture;
        uitest::cModalScript script;
        script.Click("CancelBtn");
        ui::TMainWnd window(fixture.params, false);
        window.show();
        const std::uint8_t result = window.RunProfile(kSingleProfile, 0).Result;

        QCOMPARE(script.Answered(), 1);
        QCOMPARE(int(result), 1);
        QVERIFY(!fixture.InDest("a.txt"));
        QVERIFY(!fixture.InDest("Unter/b.txt"));
        QVERIFY2(fixture.Log().contains(QStringLiteral("Abbruch.")), qPrintable(fixture.Log()));
    }
};

QTEST_MAIN(PreviewWindowTest)
#include "PreviewWindowTest.moc"
