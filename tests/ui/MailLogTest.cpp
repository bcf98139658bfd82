// Mailing the log after a run: the log arrives at a real mail server as an attachment; a server that is not
// there gives one timed error box and nothing else.
#include "profile/Parameters.h"
#include "support/ScriptServer.h"
#include "support/TempDir.h"
#include "ui/DeliverLog.h"

#include <QApplication>
#include <QLabel>
#include <QTest>
#include <QTimer>

namespace {

cParameters MailingProfile(const testsupport::TempDir& dir, const std::string& server) {
    cParameters params;
    cLogParameters& log = params.Log;
    log.MailOnSuccess = true;
    log.AsAttachment = true;
    log.SmtpServer = server;
    log.SenderAddress = "tolvan@example.org";
    log.Recipient1Name = "Anna";
    log.Recipient1Address = "anna@example.org";
    log.SubjectPrefix = "Log: ";
    log.FileName = dir.WriteFile("Log.txt", "Profil: Briefe\r\n.\r\nZusammenfassung\r\n").string();
    log.ActualFileName = log.FileName;
    return params;
}

} // namespace

class MailLogTest : public QObject {
    Q_OBJECT

private slots:
    void TheLogArrivesAsAttachment() {
        testsupport::TempDir dir;
        testsupport::TempDir mails;
        testsupport::ScriptServer server(TOLVAN_SMTP_TEST_SERVER, {mails.Path().string()});
        QVERIFY2(server.Port() != 0, "the test mail server (python3-aiosmtpd) did not start");
        cParameters params = MailingProfile(dir, "127.0.0.1:" + std::to_string(server.Port()));
        QWidget window;
        window.show();
        ui::DeliverLog(&window, params, 0, false);
        QVERIFY(window.isEnabled());
        const std::string mail = mails.ReadFile("mail1.txt");
        QVERIFY2(mail.find("TO anna@example.org\n") != std::string::npos, mail.c_str());
        QVERIFY(mail.find("Subject: Log: Log.txt\r\n") != std::string::npos);
        QVERIFY(mail.find("siehe Anhang\r\n") != std::string::npos);
        QVERIFY(mail.find("filename=\"Log.txt\"\r\n") != std::string::npos);
        QVERIFY(mail.find("Profil: Briefe\r\n.\r\nZusammenfassung\r\n") != std::string::npos);
        // A run with errors mails only with MailOnError.
        ui::DeliverLog(&window, params, 2, false);
        QCOMPARE(mails.ReadFile("mail2.txt"), std::string());
    }

    void NoServerGivesOneTimedBox() {
        testsupport::TempDir dir;
        cParameters params = MailingProfile(dir, "127.0.0.1:1");
        QWidget window;
        window.show();
        QStringList boxes;
        // The box comes after the attempt, which runs on a thread of its own: look for it until it is there.
        QTimer watcher;
        watcher.setInterval(20);
        QObject::connect(&watcher, &QTimer::timeout, [&] {
            QWidget* box = QApplication::activeModalWidget();
            if (!box) return;
            for (const QLabel* label : box->findChildren<QLabel*>())
                boxes << label->text();
            box->close();
            watcher.stop();
        });
        watcher.start();
        ui::DeliverLog(&window, params, 0, true);
        QVERIFY2(boxes.join('|').contains(QStringLiteral("Fehler beim Verschicken...")), qPrintable(boxes.join('|')));
        QVERIFY(boxes.join('|').contains(QStringLiteral("E-Mail an Anna <anna@example.org>")));
        QVERIFY(window.isEnabled());
    }
};

QTEST_MAIN(MailLogTest)
#include "MailLogTest.moc"
