// The built-in log viewer: the text decoded as the program's files are, the caption, search, errors.
#include "ui/LogViewer.h"
#include "messages/ErrorText.h"
#include "profile/Parameters.h"
#include "support/TempDir.h"
#include "ui/ViewLogDlg.h"
#include "ui/WindowPlacement.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>

namespace {

constexpr auto kPlace = static_cast<std::size_t>(ui::eWindowPlace::ViewLog);

QString LabelTexts(const QWidget* window) {
    QString text;
    for (const QLabel* label : window->findChildren<QLabel*>())
        text += label->text() + "\n";
    return text;
}

ui::TViewLogDlg* OpenViewer() {
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->objectName() == "ViewLogDlg" && window->isVisible()) return static_cast<ui::TViewLogDlg*>(window);
    return nullptr;
}

} // namespace

class LogViewerTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() {
        for (QWidget* window : QApplication::topLevelWidgets())
            if (window->objectName() == "ViewLogDlg") delete window;
    }

    void DecodesLikeTheProgramsTextFiles_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("Windows-1252, CR LF") << QByteArray("Gr\xFC\xDF"
                                                           "e an \xC4nne\r\nZeile 2\r\n");
        QTest::newRow("UTF-8, LF") << QByteArray("Gr\xC3\xBC\xC3\x9F"
                                                 "e an \xC3\x84nne\nZeile 2\n");
    }
    void DecodesLikeTheProgramsTextFiles() {
        QFETCH(QByteArray, bytes);
        testsupport::TempDir dir;
        const std::string path = dir.WriteFile("Log.txt", bytes.toStdString()).string();
        cParameters params;
        ui::ShowLogFile(nullptr, params, path);
        ui::TViewLogDlg* viewer = OpenViewer();
        QVERIFY(viewer);
        auto* text = viewer->findChild<QPlainTextEdit*>("LogMmo");
        QCOMPARE(text->toPlainText(), QStringLiteral("Grüße an Änne\nZeile 2\n"));
        QVERIFY(text->isReadOnly());
        QCOMPARE(text->textCursor().position(), text->document()->characterCount() - 1); // at the end
    }

    void CaptionNamesFileSizeAndTime() {
        testsupport::TempDir dir;
        const std::string path = dir.WriteFile("Log.txt", std::string(1500, 'x')).string();
        cParameters params;
        ui::ShowLogFile(nullptr, params, path);
        ui::TViewLogDlg* viewer = OpenViewer();
        QVERIFY(viewer);
        const QString caption = viewer->windowTitle();
        QVERIFY2(caption.startsWith("Datei: " + QString::fromStdString(path) + "   Größe: 1.500   Erstellt: "),
                 qPrintable(caption));
        QVERIFY2(QRegularExpression(R"(Erstellt: \d\d\.\d\d\.\d{4} \d\d:\d\d$)").match(caption).hasMatch(),
                 qPrintable(caption));
    }

    void MissingFileGivesTheErrorAndNoViewer() {
        testsupport::TempDir dir;
        const std::string path = (dir.Path() / "fehlt.txt").string();
        cParameters params;
        QString message;
        QTimer::singleShot(0, this, [&] {
            QWidget* box = QApplication::activeModalWidget();
            QVERIFY(box);
            message = LabelTexts(box);
            QTest::keyClick(box, Qt::Key_Escape);
        });
        ui::ShowLogFile(nullptr, params, path);
        QVERIFY2(message.contains("Fehler beim Lesen von..."), qPrintable(message));
        QVERIFY(message.contains(QString::fromStdString(path)));
        QVERIFY(message.contains(QString::fromStdString(ErrorText(2))));
        QVERIFY(!OpenViewer());
    }

    void SearchFindsAndWrapsAround() {
        testsupport::TempDir dir;
        const std::string path =
            dir.WriteFile("Log.txt", "Kopiere a.txt\r\nL\xF6sche b.txt\r\nKopiere c.txt\r\n").string();
        cParameters params;
        ui::ShowLogFile(nullptr, params, path);
        ui::TViewLogDlg* viewer = OpenViewer();
        QVERIFY(viewer);
        auto* text = viewer->findChild<QPlainTextEdit*>("LogMmo");
        auto* find = viewer->findChild<QLineEdit*>("FindEdt");
        find->setText("Lösche");
        QVERIFY(viewer->FindNext()); // the cursor stood at the end: from the start again
        QCOMPARE(text->textCursor().selectedText(), QStringLiteral("Lösche"));
        find->setText("Kopiere");
        QTest::keyClick(find, Qt::Key_Return); // Enter in the field searches, it does not close
        QVERIFY(viewer->isVisible());
        QCOMPARE(text->textCursor().selectionStart(), int(QStringLiteral("Kopiere a.txt\nLösche b.txt\n").size()));
        find->setText("fehlt");
        QVERIFY(!viewer->FindNext());
        QCOMPARE(text->textCursor().selectedText(), QStringLiteral("Kopiere"));
    }

    void SecondLogGoesIntoTheOpenViewerAndClosingStoresThePlace() {
        testsupport::TempDir dir;
        QWidget owner;
        cParameters params;
        params.WindowPositions[kPlace] = {30, 20, 830, 620, false};
        ui::ShowLogFile(&owner, params, dir.WriteFile("Eins.txt", "eins").string());
        ui::ShowLogFile(&owner, params, dir.WriteFile("Zwei.txt", "zwei").string());
        const QList<ui::TViewLogDlg*> viewers = owner.findChildren<ui::TViewLogDlg*>();
        QCOMPARE(viewers.size(), 1);
        ui::TViewLogDlg* viewer = viewers.first();
        QCOMPARE(viewer->size(), QSize(800, 600));
        QCOMPARE(viewer->findChild<QPlainTextEdit*>("LogMmo")->toPlainText(), QStringLiteral("zwei"));
        viewer->resize(700, 500);
        const cWindowPos expected = ui::PlacementOf(*viewer);
        QTest::keyClick(viewer, Qt::Key_Escape);
        QCOMPARE(params.WindowPositions[kPlace], expected);
    }
};

QTEST_MAIN(LogViewerTest)
#include "LogViewerTest.moc"
