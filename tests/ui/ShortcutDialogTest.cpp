// "Verknüpfung erstellen": the desktop entry written to the chosen folder, and the dialog's wording.
#include "ui/ShortcutDialog.h"
#include "profile/Parameters.h"
#include "support/TempDir.h"

#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

#include <filesystem>

namespace {

// The texts of all labels of a window (whatever kind of message box it is).
QString LabelTexts(const QWidget* window) {
    QString text;
    for (const QLabel* label : window->findChildren<QLabel*>())
        text += label->text() + "\n";
    return text;
}

// Closes the message box that opens next with Esc (never "Ja": the test must not start the shortcut) and
// keeps its text.
void AnswerNextBoxWithEsc(QObject* context, QString& text) {
    QTimer::singleShot(0, context, [&text] {
        QWidget* box = QApplication::activeModalWidget();
        if (!box || box->objectName() == "ShortcutDlg") return;
        text = LabelTexts(box);
        QTest::keyClick(box, Qt::Key_Escape);
    });
}

QString ExecLine(const std::string& desktopEntry) {
    for (const QString& line : QString::fromStdString(desktopEntry).split('\n'))
        if (line.startsWith("Exec=")) return line.mid(5);
    return {};
}

} // namespace

class ShortcutDialogTest : public QObject {
    Q_OBJECT

private slots:
    void OkWritesTheEntryIntoTheChosenFolder_data() {
        QTest::addColumn<bool>("mute");
        QTest::newRow("normal") << false;
        QTest::newRow("mute mode") << true;
    }
    void OkWritesTheEntryIntoTheChosenFolder() {
        QFETCH(bool, mute);
        testsupport::TempDir dir;
        std::filesystem::create_directories(dir.Path() / "Gruppe");
        cParameters params;
        params.DocumentKind = kProfileDocument;
        params.DocumentFile = (dir.Path() / "Mein Profil.tvp").string();
        QString question;
        QTimer::singleShot(0, this, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            QVERIFY(dialog);
            QCOMPARE(dialog->objectName(), QStringLiteral("ShortcutDlg"));
            auto* folder = dialog->findChild<QLineEdit*>("GroupEdt");
            QTest::keyClicks(folder, QString::fromStdString((dir.Path() / "Gruppe").string()));
            QVERIFY(dialog->findChild<QRadioButton*>("OtherGroupRbt")->isChecked()); // typing chose it
            dialog->findChild<QCheckBox*>("MuteChk")->setChecked(mute);
            AnswerNextBoxWithEsc(this, question);
            dialog->findChild<QPushButton*>("OkBtn")->click();
        });
        ui::ShowShortcutDialog(nullptr, params, {});

        QVERIFY(question.contains("Die Verknüpfung wurde erstellt."));
        QVERIFY(question.contains("Wollen Sie sie jetzt testen?"));
        const std::string entry = dir.ReadFile("Gruppe/Mein Profil.tvp.desktop");
        QVERIFY(!entry.empty());
        const QString executable = QCoreApplication::applicationFilePath();
        QCOMPARE(ExecLine(entry),
                 executable + " \"" + QString::fromStdString(params.DocumentFile) + "\"" + (mute ? " /mute" : ""));
        QVERIFY(QString::fromStdString(entry).contains("\nPath=" + QFileInfo(executable).absolutePath() + "\n"));
    }

    void FailureShowsTheErrorAndKeepsTheDialog() {
        testsupport::TempDir dir;
        cParameters params;
        params.DocumentKind = kProfileDocument;
        params.DocumentFile = (dir.Path() / "Profil.tvp").string();
        QString error;
        bool stillOpen = false;
        QTimer::singleShot(0, this, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            QVERIFY(dialog);
            dialog->findChild<QRadioButton*>("OtherGroupRbt")->setChecked(true);
            dialog->findChild<QLineEdit*>("GroupEdt")->setText(QString::fromStdString((dir.Path() / "fehlt").string()));
            AnswerNextBoxWithEsc(this, error);
            dialog->findChild<QPushButton*>("OkBtn")->click();
            stillOpen = dialog->isVisible();
            dialog->findChild<QPushButton*>("CancelBtn")->click();
        });
        ui::ShowShortcutDialog(nullptr, params, {});
        QVERIFY(stillOpen);
        QVERIFY2(error.contains("Fehler"), qPrintable(error));
        QVERIFY(!error.contains("Wollen Sie sie jetzt testen?"));
        QVERIFY(!std::filesystem::exists(dir.Path() / "fehlt"));
    }

    void WordingAutomationAndOk_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("document");
        QTest::newRow("profile") << int(kProfileDocument) << "diesem Profil";
        QTest::newRow("batch file") << int(kBatchDocument) << "dieser Batch-Datei";
    }
    void WordingAutomationAndOk() {
        QFETCH(int, kind);
        QFETCH(QString, document);
        cParameters params;
        params.DocumentKind = static_cast<std::uint8_t>(kind);
        params.DocumentFile = "/home/anna/Dokument.tvp";
        int automationCalls = 0;
        QTimer::singleShot(0, this, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            QVERIFY(dialog);
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Verknüpfung erstellen"));
            const QString texts = LabelTexts(dialog);
            QVERIFY(
                texts.contains("Lassen Sie eine Verknüpfung erstellen, um Tolvan mit " + document + " zu starten."));
            QVERIFY(texts.contains("Haben Sie schon die Automatik-Optionen gesetzt?"));
            QVERIFY(texts.contains("Wo soll die Verknüpfung erstellt werden?"));
            QVERIFY(texts.contains("Im Stumm-Modus bleibt Tolvan unsichtbar, mit Ausnahme eines Symbols in der "
                                   "Systemablage."));
            QVERIFY(dialog->findChild<QRadioButton*>("DesktopRbt")->isChecked());
            auto* ok = dialog->findChild<QPushButton*>("OkBtn");
            QVERIFY(ok->isEnabled());
            // "Andere Programm-Gruppe:" without a folder cannot be confirmed.
            dialog->findChild<QRadioButton*>("OtherGroupRbt")->setChecked(true);
            QVERIFY(!ok->isEnabled());
            dialog->findChild<QRadioButton*>("AutostartRbt")->setChecked(true);
            QVERIFY(ok->isEnabled());
            dialog->findChild<QPushButton*>("AutomationBtn")->click();
            dialog->findChild<QPushButton*>("CancelBtn")->click();
        });
        ui::ShowShortcutDialog(nullptr, params, [&] { ++automationCalls; });
        QCOMPARE(automationCalls, 1);
    }

    void FoldersOfTheChoices() {
        testsupport::TempDir dir;
        qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString((dir.Path() / "config").string()));
        cParameters params;
        params.DocumentKind = kProfileDocument;
        params.DocumentFile = "/home/anna/Dokument.tvp";
        ui::TShortcutDlg dialog(params, {}, nullptr);
        QCOMPARE(dialog.LinkFolder(), QStandardPaths::writableLocation(QStandardPaths::DesktopLocation));
        dialog.findChild<QRadioButton*>("AutostartRbt")->setChecked(true);
        QCOMPARE(dialog.LinkFolder(), QString::fromStdString((dir.Path() / "config" / "autostart").string()));
        qunsetenv("XDG_CONFIG_HOME");
    }
};

QTEST_MAIN(ShortcutDialogTest)
#include "ShortcutDialogTest.moc"
