// The interruption dialog: each button's answer, the second in which no key answers it, and the confirmation
// of "Löschen".
#include "ui/InterruptionDialog.h"
#include "profile/Parameters.h"
#include "ui/FitLabel.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace {

cInterruptionInfo PairInfo() {
    return {"/home/anna/Briefe/Brief.doc",
            "12.345",
            "09.12.2026",
            "14:02:11",
            "/media/usb/Briefe/Brief.doc",
            "12.001",
            "01.12.2026",
            "08:15:00",
            1235};
}

QPushButton* Button(QWidget& dialog, const char* name) {
    auto* button = dialog.findChild<QPushButton*>(QLatin1String(name));
    if (button == nullptr) qFatal("no button %s", name);
    return button;
}

} // namespace

class InterruptionDialogTest : public QObject {
    Q_OBJECT

private slots:
    void init() { m_params.ProfileFile = "/home/anna/Sicherung.tvp"; }

    void EachButtonGivesItsAnswer_data() {
        QTest::addColumn<QString>("press"); // a button's object name, or "Esc"
        QTest::addColumn<int>("answer");
        QTest::newRow("Nochmal") << "RetryBtn" << int(eInterruptionAnswer::Retry);
        QTest::newRow("Nächste Datei") << "NextFileBtn" << int(eInterruptionAnswer::NextFile);
        QTest::newRow("Nächster Ordner") << "NextFolderBtn" << int(eInterruptionAnswer::NextFolder);
        QTest::newRow("Löschen, Ja") << "DeleteBtn" << int(eInterruptionAnswer::Delete);
        QTest::newRow("Beenden") << "StopBtn" << int(eInterruptionAnswer::Stop);
        QTest::newRow("Esc") << "Esc" << int(eInterruptionAnswer::Stop);
        QTest::newRow("Enter takes the default") << "Enter" << int(eInterruptionAnswer::Retry);
    }
    void EachButtonGivesItsAnswer() {
        QFETCH(QString, press);
        QFETCH(int, answer);
        ui::TInterruptionDlg dialog(m_params, PairInfo());
        dialog.ConfirmDelete = [](const QString&) { return true; };
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTRY_VERIFY(dialog.Armed());
        if (press == QLatin1String("Esc"))
            QTest::keyClick(&dialog, Qt::Key_Escape);
        else if (press == QLatin1String("Enter"))
            QTest::keyClick(&dialog, Qt::Key_Return);
        else
            QTest::mouseClick(Button(dialog, press.toLatin1().constData()), Qt::LeftButton);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(int(dialog.Answer()), answer);
    }

    // A key pressed in the instant the dialog opens answers nothing; a second later the buttons work.
    void KeysAnswerNothingInTheFirstSecond() {
        ui::TInterruptionDlg dialog(m_params, PairInfo());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTest::keyClick(&dialog, Qt::Key_Return);
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QTest::keyClick(&dialog, Qt::Key_Space);
        QTest::mouseClick(Button(dialog, "RetryBtn"), Qt::LeftButton);
        QVERIFY(dialog.isVisible());
        QVERIFY(!dialog.Armed());
        for (const char* name : {"RetryBtn", "NextFileBtn", "NextFolderBtn", "DeleteBtn", "StopBtn", "HelpBtn"})
            QVERIFY2(!Button(dialog, name)->isEnabled(), name);
        QTest::qWait(500);
        QVERIFY(!dialog.Armed());
        QTRY_VERIFY_WITH_TIMEOUT(dialog.Armed(), 2000);
        QVERIFY(Button(dialog, "RetryBtn")->hasFocus());
        for (const char* name : {"RetryBtn", "NextFileBtn", "NextFolderBtn", "DeleteBtn", "StopBtn", "HelpBtn"})
            QVERIFY2(Button(dialog, name)->isEnabled(), name);
    }

    void DeleteAsksForThePairOrTheFile_data() {
        QTest::addColumn<QString>("fromDate");
        QTest::addColumn<QString>("toDate");
        QTest::addColumn<QString>("question");
        QTest::newRow("both sides") << "09.12.2026"
                                    << "01.12.2026"
                                    << "Dateipaar löschen?";
        QTest::newRow("only the source") << "09.12.2026"
                                         << ""
                                         << "Datei löschen?";
        QTest::newRow("only the destination") << ""
                                              << "01.12.2026"
                                              << "Datei löschen?";
    }
    void DeleteAsksForThePairOrTheFile() {
        QFETCH(QString, fromDate);
        QFETCH(QString, toDate);
        QFETCH(QString, question);
        cInterruptionInfo info = PairInfo();
        info.FromDate = fromDate.toStdString();
        info.ToDate = toDate.toStdString();
        ui::TInterruptionDlg dialog(m_params, info);
        QStringList asked;
        bool yes = false;
        dialog.ConfirmDelete = [&](const QString& text) {
            asked << text;
            return yes;
        };
        dialog.show();
        QTRY_VERIFY(dialog.Armed());
        QTest::mouseClick(Button(dialog, "DeleteBtn"), Qt::LeftButton);
        QCOMPARE(asked, QStringList{question});
        QVERIFY2(dialog.isVisible(), "No leaves the dialog open");
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        yes = true;
        QTest::mouseClick(Button(dialog, "DeleteBtn"), Qt::LeftButton);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.Answer(), eInterruptionAnswer::Delete);
    }

    void ShowsBothSidesAndTheErrorInCapitals() {
        ui::TInterruptionDlg dialog(m_params, PairInfo());
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Sicherung.tvp - Tolvan 6"));
        auto* error = dialog.findChild<QLabel*>(QStringLiteral("ErrorLbl"));
        QVERIFY(error != nullptr);
        QCOMPARE(error->text(), QStringLiteral("BENUTZERWUNSCH"));
        QVERIFY(error->font().bold());
        auto* fromName = dialog.findChild<QLabel*>(QStringLiteral("FromNameLbl"));
        QVERIFY(fromName->font().bold());
        QCOMPARE(dialog.findChild<ui::cFitLabel*>(QStringLiteral("FromDirLbl"))->FullText(),
                 QStringLiteral("/home/anna/Briefe/"));
        QCOMPARE(dialog.findChild<ui::cFitLabel*>(QStringLiteral("ToNameLbl"))->FullText(),
                 QStringLiteral("Brief.doc"));
        QCOMPARE(dialog.findChild<QLabel*>(QStringLiteral("ToSizeLbl"))->text(), QStringLiteral("12.001"));
        QCOMPARE(dialog.findChild<QLabel*>(QStringLiteral("ToTimeLbl"))->text(), QStringLiteral("08:15:00"));
    }

private:
    cParameters m_params;
};

QTEST_MAIN(InterruptionDialogTest)
#include "InterruptionDialogTest.moc"
