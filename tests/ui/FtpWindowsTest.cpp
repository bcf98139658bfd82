// The FTP windows: the communication window (colours, the password never shown, saved as rich text) and the
// login question a run asks from its worker thread.
#include "ModalScript.h"

#include "profile/Parameters.h"
#include "support/TempDir.h"
#include "ui/FtpCommWindow.h"
#include "ui/GuiThread.h"
#include "ui/RunSession.h"
#include "ui/WindowPlacement.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>

namespace {

QColor ColourOfLine(const QTextEdit* text, int line) {
    const QTextBlock block = text->document()->findBlockByNumber(line);
    return block.begin().fragment().charFormat().foreground().color();
}

ui::TFtpCommWnd* CommWindow() {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* window = dynamic_cast<ui::TFtpCommWnd*>(widget)) return window;
    return nullptr;
}

} // namespace

class FtpWindowsTest : public QObject {
    Q_OBJECT

private slots:
    void ThePasswordIsNeverShown_data() {
        QTest::addColumn<QString>("sent");
        QTest::addColumn<QString>("shown");
        QTest::newRow("PASS") << "PASS geheim"
                              << "PASS ******";
        QTest::newRow("any case") << "pass Öl und Wasser"
                                  << "pass *************";
        QTest::newRow("masked already") << "PASS ****"
                                        << "PASS ****";
        QTest::newRow("USER") << "USER anna"
                              << "USER anna";
        QTest::newRow("no blank after PASS") << "PASSIV"
                                             << "PASSIV";
    }
    void ThePasswordIsNeverShown() {
        QFETCH(QString, sent);
        QFETCH(QString, shown);
        QCOMPARE(ui::MaskedCommandLine(sent), shown);
    }

    void LinesAreColouredAndSavedAsRichText() {
        ui::TFtpCommWnd window;
        window.show();
        window.AddReceived(QStringLiteral("220 Willkommen {Server}"));
        window.AddSent(QStringLiteral("USER anna"));
        window.AddSent(QStringLiteral("PASS geheim"));
        window.AddReceived(QStringLiteral("530 Anmeldung fehlgeschlagen"));
        window.AddReceived(QStringLiteral("450 Datei belegt: Größe"));
        const auto* text = window.findChild<QTextEdit*>(QStringLiteral("CommMmo"));
        QCOMPARE(text->toPlainText(),
                 QStringLiteral("220 Willkommen {Server}\nUSER anna\nPASS ******\n530 Anmeldung fehlgeschlagen\n"
                                "450 Datei belegt: Größe"));
        QCOMPARE(ColourOfLine(text, 0), QColor(0, 128, 0));
        QCOMPARE(ColourOfLine(text, 1), QColor(0, 0, 255));
        QCOMPARE(ColourOfLine(text, 3), QColor(255, 0, 0));
        QCOMPARE(ColourOfLine(text, 4), QColor(255, 0, 0));

        testsupport::TempDir dir;
        const QString file = QString::fromStdString((dir.Path() / "FTP-Log.rtf").string());
        QVERIFY(window.SaveAs(file));
        const std::string rtf = dir.ReadFile("FTP-Log.rtf");
        QCOMPARE(rtf, ui::CommunicationRtf(window.Lines()));
        QVERIFY(rtf.find("geheim") == std::string::npos);
        QVERIFY(rtf.starts_with("{\\rtf1"));
        QVERIFY(rtf.find("\\cf3 220 Willkommen \\{Server\\}\\par") != std::string::npos);
        QVERIFY(rtf.find("\\cf1 PASS ******\\par") != std::string::npos);
        QVERIFY(rtf.find("Gr\\u246?\\u223?e") != std::string::npos);
        QVERIFY(!window.SaveAs(QString::fromStdString((dir.Path() / "fehlt" / "x.rtf").string())));

        window.findChild<QPushButton*>(QStringLiteral("CloseBtn"))->click();
        QVERIFY(window.isHidden());
    }

    // The run's lines come from its worker thread and reach the one window, shown, in their order.
    void ARunsLinesReachTheWindow() {
        cParameters document;
        ui::cRunSession session(nullptr, document);
        ui::RunBeside([&] {
            session.Ui.ShowFtpLog();
            session.Ui.FtpLine(true, "USER anna");
            session.Ui.FtpLine(true, "PASS ****");
            session.Ui.FtpLine(false, "230 willkommen");
        });
        ui::TFtpCommWnd* window = nullptr;
        QTRY_VERIFY((window = CommWindow()) != nullptr && window->Lines().size() == 3);
        QVERIFY(window->isVisible());
        QCOMPARE(window->Lines()[0].Text, QStringLiteral("USER anna"));
        QVERIFY(window->Lines()[1].Sent);
        QVERIFY(!window->Lines()[2].Sent);
        delete window;
    }

    // The window opens at its saved place and size; where the user left it is saved when the run ends.
    void TheWindowKeepsItsPlace() {
        cParameters document;
        cWindowPos& place = document.WindowPositions[static_cast<std::size_t>(ui::eWindowPlace::FtpCommunications)];
        place = {40, 50, 640, 450, false};
        {
            ui::cRunSession session(nullptr, document);
            ui::RunBeside([&] { session.Ui.ShowFtpLog(); });
            ui::TFtpCommWnd* window = nullptr;
            QTRY_VERIFY((window = CommWindow()) != nullptr && window->isVisible());
            QCOMPARE(ui::PlacementOf(*window), place);
            window->setGeometry(window->geometry().translated(30, 20).adjusted(0, 0, 50, 0));
        }
        ui::TFtpCommWnd* window = CommWindow();
        QVERIFY(window != nullptr);
        QCOMPARE(place, ui::PlacementOf(*window));
        QCOMPARE(place.Left, 70);
        QCOMPARE(place.Right - place.Left, 650);
        delete window;
    }

    void TheLoginQuestion() {
        cParameters document;
        ui::cRunSession session(nullptr, document);
        bool okNeedsBoth = false;
        uitest::cModalScript script;
        script.Then([&](QWidget* modal) {
            QCOMPARE(modal->objectName(), QStringLiteral("FtpPasswordDlg"));
            QCOMPARE(modal->findChild<QLineEdit*>(QStringLiteral("UserEdt"))->text(), QStringLiteral("anna"));
            auto* ok = modal->findChild<QPushButton*>(QStringLiteral("OkBtn"));
            okNeedsBoth = !ok->isEnabled();
            modal->findChild<QLineEdit*>(QStringLiteral("PasswordEdt"))->setText(QStringLiteral("geheim"));
            ok->click();
        });
        script.Click("CancelBtn");
        std::optional<cFtpLogin> given;
        std::optional<cFtpLogin> cancelled = cFtpLogin{"x", "y"};
        ui::RunBeside([&] {
            given = session.Ui.AskFtpLogin("Sicherung.tvp - Tolvan 6", "anna", "");
            cancelled = session.Ui.AskFtpLogin("Sicherung.tvp - Tolvan 6", "anna", "alt");
        });
        QVERIFY(script.Done());
        QVERIFY(okNeedsBoth);
        QVERIFY(given);
        QCOMPARE(given->UserName, std::string("anna"));
        QCOMPARE(given->Password, std::string("geheim"));
        QVERIFY(!cancelled);
    }
};

QTEST_MAIN(FtpWindowsTest)
#include "FtpWindowsTest.moc"
