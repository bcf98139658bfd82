// "Neuling?": the answer, and the check box that ends the hints.
#include "ui/BeginnerDialog.h"
#include "profile/Parameters.h"

#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

class BeginnerDialogTest : public QObject {
    Q_OBJECT

private slots:
    void AnswerAndCheckBox_data() {
        QTest::addColumn<bool>("ticked");
        QTest::addColumn<QString>("button"); // empty: Esc
        QTest::addColumn<bool>("goOn");
        QTest::addColumn<int>("runCount");
        QTest::newRow("Ja") << false << "YesBtn" << true << 3;
        QTest::newRow("Nein") << false << "NoBtn" << false << 3;
        QTest::newRow("Esc") << false << "" << false << 3;
        QTest::newRow("ticked, Ja") << true << "YesBtn" << true << 10;
        QTest::newRow("ticked, Nein") << true << "NoBtn" << false << 10;
    }
    void AnswerAndCheckBox() {
        QFETCH(bool, ticked);
        QFETCH(QString, button);
        QFETCH(bool, goOn);
        QFETCH(int, runCount);
        cParameters params;
        params.RunCount = 3;
        QString title;
        QTimer::singleShot(0, this, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            QVERIFY(dialog);
            QCOMPARE(dialog->objectName(), QStringLiteral("BeginnerDlg"));
            title = dialog->windowTitle();
            dialog->findChild<QCheckBox*>("DontShowChk")->setChecked(ticked);
            if (button.isEmpty())
                QTest::keyClick(dialog, Qt::Key_Escape);
            else
                dialog->findChild<QPushButton*>(button)->click();
        });
        QCOMPARE(ui::AskBeginner(nullptr, params), goOn);
        QCOMPARE(title, QStringLiteral("Neuling?"));
        QCOMPARE(params.RunCount, runCount);
    }
};

QTEST_MAIN(BeginnerDialogTest)
#include "BeginnerDialogTest.moc"
