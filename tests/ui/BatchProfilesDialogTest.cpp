// The batch profiles dialog: adding from the folder's profiles or the fields, removing, cycling the
// continuation, moving with wrap-round, and what OK and Cancel leave in the batch.
#include "ui/BatchProfilesDialog.h"
#include "profile/BatchEdit.h"
#include "profile/Parameters.h"
#include "support/TempDir.h"

#include <QDropEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

namespace {

std::vector<std::string> Names(const std::vector<BatchEntry>& entries) {
    std::vector<std::string> names;
    for (const BatchEntry& entry : entries)
        names.push_back(entry.Name + "/" + std::to_string(entry.Continuation));
    return names;
}

void Select(ui::TBatchProfilesDlg& dialog, std::initializer_list<int> rows) {
    auto* list = dialog.findChild<QTreeWidget*>("BatchLst");
    list->clearSelection();
    for (int row : rows)
        list->topLevelItem(row)->setSelected(true);
}

// Drags data over target and drops it at pos, as a drag from another window or the same list arrives; true
// when the target took the drop.
bool Drop(QWidget* target, QPoint pos, QMimeData* data) {
    QDragEnterEvent enter(pos, Qt::CopyAction | Qt::MoveAction, data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter);
    if (!enter.isAccepted()) return false;
    QDropEvent drop(QPointF(pos), Qt::CopyAction | Qt::MoveAction, data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &drop);
    return drop.isAccepted();
}

QPoint RowCentre(ui::TBatchProfilesDlg& dialog, int row) {
    auto* list = dialog.findChild<QTreeWidget*>("BatchLst");
    return list->visualItemRect(list->topLevelItem(row)).center();
}

} // namespace

class BatchProfilesDialogTest : public QObject {
    Q_OBJECT

private slots:
    // Profiles dropped from the file manager go in before the line under the mouse (only ".tvp" files); the
    // list's own lines dragged onto a line move there as a block, dragged onto the dialog they go.
    void DragAndDrop() {
        testsupport::TempDir dir;
        const std::string folder = (dir.Path() / "P").string();
        cParameters params;
        params.ResetBatch();
        SetBatchEntries(params.Batch, {BatchEntryFor(folder + "/A.tvp"), BatchEntryFor(folder + "/B.tvp"),
                                       BatchEntryFor(folder + "/C.tvp")});
        ui::TBatchProfilesDlg dialog(params, nullptr);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QWidget* viewport = dialog.findChild<QTreeWidget*>("BatchLst")->viewport();

        auto* files = new QMimeData;
        files->setUrls({QUrl::fromLocalFile(QString::fromStdString(folder + "/X.tvp")),
                        QUrl::fromLocalFile(QString::fromStdString(folder + "/Stapel.tvb")),
                        QUrl::fromLocalFile(QString::fromStdString(folder + "/Y.TVP")),
                        QUrl::fromLocalFile(QString::fromStdString(folder + "/Z.tvp"))});
        QVERIFY(Drop(viewport, RowCentre(dialog, 1), files));
        QCOMPARE(Names(dialog.Entries()),
                 (std::vector<std::string>{"A.tvp/0", "X.tvp/0", "Z.tvp/0", "B.tvp/0", "C.tvp/0"}));
        QCOMPARE(dialog.SelectedRows(), (std::vector<int>{1, 2}));

        auto* text = new QMimeData;
        text->setText(QStringLiteral("kein Profil"));
        QVERIFY(!Drop(viewport, RowCentre(dialog, 0), text));
        QCOMPARE(dialog.Entries().size(), std::size_t{5});

        // X and Z dragged onto A, then B dragged below the last line.
        auto* lines = new QMimeData;
        lines->setData(QStringLiteral("application/x-tolvan-batch-lines"), "2");
        QVERIFY(Drop(viewport, RowCentre(dialog, 0), lines));
        QCOMPARE(Names(dialog.Entries()),
                 (std::vector<std::string>{"X.tvp/0", "Z.tvp/0", "A.tvp/0", "B.tvp/0", "C.tvp/0"}));
        Select(dialog, {3});
        auto* line = new QMimeData;
        line->setData(QStringLiteral("application/x-tolvan-batch-lines"), "1");
        QVERIFY(Drop(viewport, QPoint(5, viewport->height() - 2), line));
        QCOMPARE(Names(dialog.Entries()),
                 (std::vector<std::string>{"X.tvp/0", "Z.tvp/0", "A.tvp/0", "C.tvp/0", "B.tvp/0"}));

        // Out of the list onto the dialog: removed.
        Select(dialog, {0, 4});
        auto* out = new QMimeData;
        out->setData(QStringLiteral("application/x-tolvan-batch-lines"), "2");
        QVERIFY(Drop(&dialog, QPoint(5, 5), out));
        QCOMPARE(Names(dialog.Entries()), (std::vector<std::string>{"Z.tvp/0", "A.tvp/0", "C.tvp/0"}));
        for (QMimeData* data : {files, text, lines, line, out})
            delete data;
    }

    void EditingTheEntries() {
        testsupport::TempDir dir;
        for (const char* name : {"Briefe.tvp", "Fotos.tvp", "Musik.tvp", "notiz.txt"})
            dir.WriteFile(std::string("Profile/") + name, "Tolvan 6 Profile\r\n");
        const std::string folder = (dir.Path() / "Profile").string();
        cParameters params;
        params.ResetBatch();
        SetBatchEntries(params.Batch, {BatchEntryFor(folder + "/Briefe.tvp")});
        ui::TBatchProfilesDlg dialog(params, nullptr);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        // The folder of the first entry and its profiles, not other files.
        QCOMPARE(dialog.findChild<QLineEdit*>("FolderEdt")->text(), QString::fromStdString(folder));
        auto* available = dialog.findChild<QListWidget*>("AvailableLst");
        QCOMPARE(available->count(), 3);
        QVERIFY(!dialog.findChild<QPushButton*>("RemoveBtn")->isEnabled());

        // Two profiles picked in the list go in after the selected line, selected.
        available->setFocus();
        available->item(1)->setSelected(true);
        available->item(2)->setSelected(true);
        Select(dialog, {0});
        dialog.Add();
        QCOMPARE(Names(dialog.Entries()), (std::vector<std::string>{"Briefe.tvp/0", "Fotos.tvp/0", "Musik.tvp/0"}));
        QCOMPARE(dialog.SelectedRows(), (std::vector<int>{1, 2}));

        // One from the fields: its extension becomes .tvp; nothing selected puts it at the end.
        dialog.findChild<QLineEdit*>("NameEdt")->setFocus();
        dialog.findChild<QLineEdit*>("NameEdt")->setText(QStringLiteral("Neu.txt"));
        dialog.findChild<QTreeWidget*>("BatchLst")->clearSelection();
        dialog.Add();
        QCOMPARE(dialog.Entries().back().Name, std::string("Neu.tvp"));

        Select(dialog, {0, 3});
        dialog.ToggleContinuation();
        dialog.ToggleContinuation();
        QCOMPARE(Names(dialog.Entries()),
                 (std::vector<std::string>{"Briefe.tvp/2", "Fotos.tvp/0", "Musik.tvp/0", "Neu.tvp/2"}));
        dialog.Move(true); // the top line wraps to the end, the other moves up
        QCOMPARE(Names(dialog.Entries()),
                 (std::vector<std::string>{"Fotos.tvp/0", "Neu.tvp/2", "Musik.tvp/0", "Briefe.tvp/2"}));
        QCOMPARE(dialog.SelectedRows(), (std::vector<int>{1, 3}));
        dialog.findChild<QTreeWidget*>("BatchLst")->setFocus();
        QTest::keyClick(dialog.findChild<QTreeWidget*>("BatchLst"), Qt::Key_Delete);
        QCOMPARE(Names(dialog.Entries()), (std::vector<std::string>{"Fotos.tvp/0", "Musik.tvp/0"}));

        dialog.findChild<QPushButton*>("OkBtn")->click();
        QCOMPARE(Names(BatchEntries(params.Batch)), (std::vector<std::string>{"Fotos.tvp/0", "Musik.tvp/0"}));
        QCOMPARE(params.Batch.Entry(0).Directory, BatchEntryFor(folder + "/x.tvp").Directory);

        ui::TBatchProfilesDlg cancelled(params, nullptr);
        Select(cancelled, {0});
        cancelled.RemoveSelected();
        cancelled.findChild<QPushButton*>("CancelBtn")->click();
        QCOMPARE(params.Batch.EntryCount(), std::size_t{2});
    }
};

QTEST_MAIN(BatchProfilesDialogTest)
#include "BatchProfilesDialogTest.moc"
