// The zip password questions as a run asks them from its worker thread: the password to encrypt with, and
// for an entry that could not be unpacked retry, next file or cancel.
#include "ModalScript.h"

#include "profile/Parameters.h"
#include "ui/GuiThread.h"
#include "ui/RunSession.h"
#include "ui/ZipPasswordDialogs.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <optional>
#include <string>

namespace {

const std::string kCaption = "Sicherung.tvp - Tolvan 6";

void Type(QWidget* modal, const QString& text) {
    modal->findChild<QLineEdit*>(QStringLiteral("PasswordEdt"))->setText(text);
}

bool Enabled(QWidget* modal, const char* button) {
    return modal->findChild<QPushButton*>(QString::fromLatin1(button))->isEnabled();
}

} // namespace

class ZipPasswordDialogTest : public QObject {
    Q_OBJECT

private slots:
    void ThePasswordToEncryptWith() {
        cParameters document;
        ui::cRunSession session(nullptr, document);
        bool emptyRefused = false;
        uitest::cModalScript script;
        script.Then([&](QWidget* modal) {
            QCOMPARE(modal->objectName(), QStringLiteral("ZipPassword1Dlg"));
            QCOMPARE(modal->windowTitle(), QString::fromStdString(kCaption));
            emptyRefused = !Enabled(modal, "OkBtn");
            Type(modal, QStringLiteral("geheim wort"));
            modal->findChild<QPushButton*>(QStringLiteral("OkBtn"))->click();
        });
        script.Click("CancelBtn");
        std::optional<std::string> typed;
        std::optional<std::string> cancelled = "unverändert";
        ui::RunBeside([&] {
            typed = session.Ui.AskZipAddPassword(kCaption);
            cancelled = session.Ui.AskZipAddPassword(kCaption);
        });
        QVERIFY(script.Done());
        QVERIFY(emptyRefused);
        QCOMPARE(typed.value_or(""), std::string("geheim wort"));
        QVERIFY(!cancelled);
    }

    void AnEntryThatCouldNotBeUnpacked_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("password");
        QTest::newRow("Nochmal") << "RetryBtn" << "zweiter Versuch" << int(eZipPasswordAnswer::Retry)
                                 << "zweiter Versuch";
        QTest::newRow("Nächste Datei") << "NextBtn" << "egal" << int(eZipPasswordAnswer::NextFile) << "";
        QTest::newRow("Abbruch") << "CancelBtn" << "" << int(eZipPasswordAnswer::Cancel) << "";
        QTest::newRow("window closed") << "" << "" << int(eZipPasswordAnswer::Cancel) << "";
    }
    void AnEntryThatCouldNotBeUnpacked() {
        QFETCH(QString, button);
        QFETCH(QString, typed);
        QFETCH(int, answer);
        QFETCH(QString, password);
        cParameters document;
        ui::cRunSession session(nullptr, document);
        const std::string file = "/home/anna/Archiv/" + std::string(200, 'x') + "/Steuer 2026.pdf";
        bool retryNeedsText = false;
        QString shown;
        uitest::cModalScript script;
        script.Then([&](QWidget* modal) {
            QCOMPARE(modal->objectName(), QStringLiteral("ZipPassword2Dlg"));
            retryNeedsText = !Enabled(modal, "RetryBtn");
            auto* name = modal->findChild<QLabel*>(QStringLiteral("FileLbl"));
            shown = name->text();
            QCOMPARE(name->toolTip(), QString::fromStdString(file));
            Type(modal, typed);
            if (button.isEmpty())
                qobject_cast<QDialog*>(modal)->reject();
            else
                modal->findChild<QPushButton*>(button)->click();
        });
        cZipPasswordReply reply{eZipPasswordAnswer::Retry, "unverändert"};
        ui::RunBeside([&] { reply = session.Ui.AskZipExtractPassword(kCaption, file); });
        QVERIFY(script.Done());
        QVERIFY(retryNeedsText);
        // A long name is shortened in the middle: where it lies and what it is both show.
        QVERIFY2(shown.startsWith(QStringLiteral("/home/anna")) && shown.endsWith(QStringLiteral("Steuer 2026.pdf")) &&
                     shown.size() < static_cast<qsizetype>(file.size()),
                 qPrintable(shown));
        QCOMPARE(int(reply.answer), answer);
        QCOMPARE(QString::fromStdString(reply.password), password);
    }
};

QTEST_MAIN(ZipPasswordDialogTest)
#include "ZipPasswordDialogTest.moc"
