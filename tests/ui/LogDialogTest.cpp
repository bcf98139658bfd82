// The log dialogs: "Log" with its viewer, e-mail and printer dialogs; what OK stores, what Cancel keeps, and what
// OK refuses.
#include "ui/LogDialog.h"
#include "WrittenDocument.h"
#include "profile/Parameters.h"
#include "support/TempDir.h"
#include "ui/LogMailDialog.h"
#include "ui/LogPrinterDialog.h"
#include "ui/LogViewerDialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <string>

namespace {

// A profile whose log settings are all away from their defaults.
cParameters RichProfile(const testsupport::TempDir& dir) {
    cParameters params;
    params.AddDefaultMask();
    params.SearchDirectories.Add("\\*");
    cLogParameters& log = params.Log;
    log.FileName = (dir.Path() / "Logs/Sicherung %YEAR%.txt").string();
    log.DateTimeMode = eLogDateTime::EveryFile;
    log.FileInfoMode = eLogFileInfo::WithDateTime;
    log.Daily = true;
    log.Append = false;
    log.ViewOnError = log.MailOnError = log.PrintOnSuccess = true;
    log.ViewerKind = eLogViewer::Program;
    log.ViewerPath = "/usr/bin/less";
    log.ViewerSwitches = "-N";
    log.SmtpServer = "mail.example.org:587";
    log.SenderName = "Anna Müller";
    log.SenderAddress = "anna@example.org";
    log.Recipient1Name = "Otto";
    log.Recipient1Address = "otto@example.org";
    log.SubjectPrefix = "Sicherung: ";
    log.AsAttachment = true;
    log.PrinterName = "Büro";
    log.PrintFontName = "DejaVu Sans Mono";
    log.PrintFontSize = 10;
    return params;
}

// Runs act on the modal dialog that opens while open() runs.
template <class Open, class Act> void WithModal(Open open, Act act) {
    QTimer::singleShot(0, [act] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal) act(modal);
    });
    open();
}

template <class T> T* Child(QWidget* window, const char* name) {
    return window->findChild<T*>(QString::fromLatin1(name));
}

} // namespace

class LogDialogTest : public QObject {
    Q_OBJECT

private slots:
    // OK without a change stores exactly what was there: the profile file comes out byte for byte the same.
    void OkWithoutChangeKeepsTheProfile() {
        testsupport::TempDir dir;
        cParameters params = RichProfile(dir);
        const std::string before = uitest::Written(params, dir, "vorher.tvp");
        const cLogParameters log = params.Log;
        ui::TLogDlg dialog(params, nullptr);
        Child<QPushButton>(&dialog, "OkBtn")->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(params.Log == log);
        QCOMPARE(uitest::Written(params, dir, "nachher.tvp"), before);
    }

    // Each control changes its one setting: one line of the written profile.
    void EachControlChangesItsRow_data() {
        QTest::addColumn<QString>("control");
        QTest::newRow("Aktiv") << "ActiveChk";
        QTest::newRow("Ohne") << "NoTimeRbt";
        QTest::newRow("Nur Name") << "NameOnlyRbt";
        QTest::newRow("Datum") << "DailyChk";
        QTest::newRow("Anhängen") << "AppendChk";
        QTest::newRow("Nicht loggen") << "NoNormalChk";
        QTest::newRow("Betrachter ohne Fehler") << "ViewOkChk";
        QTest::newRow("Drucker bei Fehler") << "PrintErrChk";
    }
    void EachControlChangesItsRow() {
        QFETCH(QString, control);
        testsupport::TempDir dir;
        cParameters params = RichProfile(dir);
        const std::string before = uitest::Written(params, dir, "vorher.tvp");
        ui::TLogDlg dialog(params, nullptr);
        auto* button = dialog.findChild<QAbstractButton*>(control);
        QVERIFY(button);
        button->click();
        Child<QPushButton>(&dialog, "OkBtn")->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(uitest::DifferentLines(before, uitest::Written(params, dir, "nachher.tvp")), 1);
    }

    // The e-mail dialog edits the log dialog's copy: "Abbrechen" in "Log" discards it, OK stores it.
    void SubDialogsChangeOnlyWhatLogStores() {
        for (const bool ok : {false, true}) {
            testsupport::TempDir dir;
            cParameters params = RichProfile(dir);
            ui::TLogDlg dialog(params, nullptr);
            WithModal([&] { Child<QPushButton>(&dialog, "MailBtn")->click(); },
                      [](QWidget* mail) {
                          Child<QLineEdit>(mail, "Address2Edt")->setText(QStringLiteral("eva@example.org"));
                          Child<QPushButton>(mail, "OkBtn")->click();
                      });
            QCOMPARE(dialog.Edited().Recipient2Address, std::string("eva@example.org"));
            Child<QPushButton>(&dialog, ok ? "OkBtn" : "CancelBtn")->click();
            QCOMPARE(params.Log.Recipient2Address, std::string(ok ? "eva@example.org" : ""));
        }
    }

    // OK refuses, with the reason beside the fields, what cannot work; the dialog stays open.
    void OkRefusesWhatCannotWork() {
        testsupport::TempDir dir;
        cParameters params = RichProfile(dir);
        params.Log.SmtpServer.clear();
        const cLogParameters log = params.Log;
        ui::TLogDlg dialog(params, nullptr);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        Child<QPushButton>(&dialog, "OkBtn")->click();
        QVERIFY(dialog.isVisible());
        QVERIFY(Child<QLabel>(&dialog, "ProblemLbl")->text().contains(QStringLiteral("SMTP-Server")));
        // The reason makes the window taller; no control is squeezed below what it needs.
        QCoreApplication::processEvents();
        for (const QAbstractButton* button : dialog.findChildren<QAbstractButton*>())
            if (button->isVisible())
                QVERIFY2(button->height() >= button->minimumSizeHint().height(), qPrintable(button->objectName()));
        QVERIFY(params.Log == log);
        Child<QCheckBox>(&dialog, "MailErrChk")->setChecked(false);
        Child<QLineEdit>(&dialog, "FileEdt")->clear();
        Child<QPushButton>(&dialog, "OkBtn")->click();
        QVERIFY(Child<QLabel>(&dialog, "ProblemLbl")->text().contains(QStringLiteral("Log-Datei")));
        Child<QCheckBox>(&dialog, "ActiveChk")->setChecked(false);
        Child<QPushButton>(&dialog, "OkBtn")->click();
        QVERIFY(!dialog.isVisible());
        QVERIFY(!params.Log.Active);

        const struct {
            const char* field;
            const char* value;
            const char* reason;
        } mails[] = {
            {"SenderAddressEdt", "anna(at)example.org", "Absenders"},
            {"Address1Edt", "otto@", "Adresse 1"},
            {"Address3Edt", "a b@example.org", "Adresse 3"},
            {"Address1Edt", "", "Empfänger 1"},
        };
        for (const auto& c : mails) {
            cLogParameters edited = log;
            edited.Recipient2Address = "eva@example.org";
            ui::TLogMailDlg mail(edited, nullptr);
            mail.show();
            Child<QLineEdit>(&mail, c.field)->setText(QString::fromUtf8(c.value));
            Child<QPushButton>(&mail, "OkBtn")->click();
            QVERIFY2(mail.isVisible(), c.value);
            QVERIFY2(Child<QLabel>(&mail, "ProblemLbl")->text().contains(QString::fromUtf8(c.reason)), c.value);
            QCOMPARE(edited.Recipient2Address, std::string("eva@example.org"));
            QVERIFY(edited.SenderAddress == log.SenderAddress);
        }

        cLogParameters viewerLog = log;
        ui::TLogViewerDlg viewer(viewerLog, nullptr);
        viewer.show();
        QVERIFY(Child<QLineEdit>(&viewer, "SwitchesEdt")->isEnabled());
        Child<QLineEdit>(&viewer, "ViewerPathEdt")->clear();
        Child<QPushButton>(&viewer, "OkBtn")->click();
        QVERIFY(viewer.isVisible());
        Child<QRadioButton>(&viewer, "BuiltInRbt")->setChecked(true);
        QVERIFY(!Child<QLineEdit>(&viewer, "SwitchesEdt")->isEnabled());
        Child<QPushButton>(&viewer, "OkBtn")->click();
        QVERIFY(!viewer.isVisible());
        QVERIFY(viewerLog.ViewerKind == eLogViewer::BuiltIn);
    }

    // The printer list selects the stored printer, else the first; without printers the name stays.
    void PrinterDialogKeepsTheStoredPrinter() {
        const struct {
            QStringList printers;
            std::string stored;
            std::string after;
            bool enabled;
        } cases[] = {
            {{"Labor", "Büro"}, "Büro", "Büro", true},
            {{"Labor", "Keller"}, "Büro", "Labor", true},
            {{}, "Büro", "Büro", false},
        };
        for (const auto& c : cases) {
            cLogParameters log;
            log.PrinterName = c.stored;
            ui::TLogPrinterDlg dialog(log, c.printers, nullptr);
            QCOMPARE(Child<QComboBox>(&dialog, "PrinterCmb")->isEnabled(), c.enabled);
            Child<QPushButton>(&dialog, "OkBtn")->click();
            QCOMPARE(log.PrinterName, c.after);
            QCOMPARE(log.PrintFontName, std::string("Courier New"));
        }
    }
};

QTEST_MAIN(LogDialogTest)
#include "LogDialogTest.moc"
