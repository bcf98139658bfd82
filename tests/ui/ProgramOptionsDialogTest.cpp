// "Programmoptionen": what OK stores and writes to the settings file, what Cancel keeps, what OK refuses.
#include "ui/ProgramOptionsDialog.h"
#include "ModalScript.h"
#include "WrittenDocument.h"
#include "profile/IniFile.h"
#include "profile/Parameters.h"
#include "profile/SettingsGroups.h"
#include "support/TempDir.h"

#include <QColorDialog>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include <cmath>
#include <filesystem>
#include <string>

namespace {

// A settings file in a temporary folder with program options away from their defaults; the picture shown lives
// in the folder, and the Top 12 section is there to show that OK leaves other groups alone.
struct cFixture {
    testsupport::TempDir Dir;
    cIniFile Ini{(Dir.Path() / "Tolvan6.ini").string()};
    cParameters Params{&Ini};

    cFixture() {
        cProgrammParameters& o = Params.Programm;
        o.Splash = true;
        o.Reopen = false;
        o.LastFile = "/home/anna/Briefe sichern.tvp";
        o.Tooltips = true;
        o.CompareA = "/opt/nirgends/meld"; // stored before: OK must not refuse it
        o.CompareB = "--diff %1 %2";
        o.MainDisplay = 2;
        o.MessagePath = Dir.WriteFile("Nachricht.rtf", "{\\rtf1 Hallo}").string();
        o.PicturePath = Dir.WriteFile("See.png", "").string();
        o.FitSize = true;
        o.FrameColor = 0x00336699;
        o.BirthDate = 26000.75;
        Params.TopTwelve.Profiles[0] = "/home/anna/Briefe sichern.tvp";
        Params.WriteSettings(kProgramOptionsGroup);
        Params.WriteSettings(kTopTwelveGroup);
    }
    std::string File() const { return Dir.ReadFile("Tolvan6.ini"); }
};

template <class T> T* Child(QWidget* window, const QString& name) {
    return window->findChild<T*>(name);
}
QAbstractButton* Button(QWidget* window, const char* name) {
    return Child<QAbstractButton>(window, QString::fromLatin1(name));
}

// Clicks a button, types into a line, or sets a date ("dd.MM.yyyy"), whichever the control is.
bool Operate(QWidget* window, const QString& control, const QString& text) {
    if (auto* button = Child<QAbstractButton>(window, control)) {
        button->click();
        return true;
    }
    if (auto* date = Child<QDateEdit>(window, control)) {
        date->setDate(QDate::fromString(text, QStringLiteral("dd.MM.yyyy")));
        return true;
    }
    if (auto* edit = Child<QLineEdit>(window, control)) {
        edit->setText(text);
        return true;
    }
    return false;
}

} // namespace

class ProgramOptionsDialogTest : public QObject {
    Q_OBJECT

private slots:
    // OK without a change writes the group as it was, even with a compare program that is not there.
    void OkWithoutChangeWritesTheSameGroup() {
        cFixture f;
        const std::string before = f.File();
        const cProgrammParameters options = f.Params.Programm;
        ui::TProgramOptionsDlg dialog(f.Params, nullptr);
        Button(&dialog, "OkBtn")->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(f.Params.Programm == options);
        QCOMPARE(f.File(), before);

        // A display number this program does not know stays as it is.
        f.Params.Programm.MainDisplay = 9;
        f.Params.WriteSettings(kProgramOptionsGroup);
        const std::string unknown = f.File();
        ui::TProgramOptionsDlg again(f.Params, nullptr);
        QVERIFY(Child<QRadioButton>(&again, QStringLiteral("NothingRdo"))->isChecked());
        Button(&again, "OkBtn")->click();
        QCOMPARE(f.File(), unknown);
    }

    // Each control changes its one key of the file.
    void EachControlChangesItsKey_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("line");
        QTest::newRow("Splash") << "SplashChk"
                                << ""
                                << "Splash=0";
        QTest::newRow("Reopen") << "ReopenChk"
                                << ""
                                << "Reopen=1";
        QTest::newRow("Tooltips") << "TooltipsChk"
                                  << ""
                                  << "Tooltips=0";
        QTest::newRow("LastFile") << "LastFileEdt"
                                  << "/home/anna/Wochenende.tvb"
                                  << "LastFile=/home/anna/Wochenende.tvb";
        QTest::newRow("Aufgaben") << "TasksRdo"
                                  << ""
                                  << "MainDisplay=0";
        QTest::newRow("Nachricht") << "MessageRdo"
                                   << ""
                                   << "MainDisplay=1";
        QTest::newRow("Biorhythmus") << "BiorhythmRdo"
                                     << ""
                                     << "MainDisplay=3";
        QTest::newRow("Nichts") << "NothingRdo"
                                << ""
                                << "MainDisplay=4";
        QTest::newRow("FitSize") << "FitSizeChk"
                                 << ""
                                 << "FitSize=0";
        QTest::newRow("BirthDate") << "BirthDateEdt"
                                   << "14.03.1985"
                                   << "BirthDate=31120";
        QTest::newRow("CompareA") << "CompareAEdt"
                                  << "/bin/sh"
                                  << "CompareA=/bin/sh";
        QTest::newRow("CompareA auf PATH") << "CompareAEdt"
                                           << "sh"
                                           << "CompareA=sh";
        QTest::newRow("CompareA leer") << "CompareAEdt"
                                       << ""
                                       << "CompareA=";
        QTest::newRow("CompareB") << "CompareBEdt"
                                  << "%2 %1"
                                  << "CompareB=%2 %1";
    }
    void EachControlChangesItsKey() {
        QFETCH(QString, control);
        QFETCH(QString, text);
        QFETCH(QString, line);
        cFixture f;
        const std::string before = f.File();
        ui::TProgramOptionsDlg dialog(f.Params, nullptr);
        QVERIFY(Operate(&dialog, control, text));
        Button(&dialog, "OkBtn")->click();
        QVERIFY2(dialog.result() == QDialog::Accepted,
                 qPrintable(Child<QLabel>(&dialog, QStringLiteral("ProblemLbl"))->text()));
        const std::string after = f.File();
        QCOMPARE(uitest::DifferentLines(before, after), 1);
        QCOMPARE(uitest::ChangedLine(before, after), line);
        cParameters reread(&f.Ini);
        reread.ReadSettings(kProgramOptionsGroup);
        reread.Programm.BirthDate = std::trunc(reread.Programm.BirthDate);
        cProgrammParameters stored = f.Params.Programm;
        stored.BirthDate = std::trunc(stored.BirthDate);
        QVERIFY(reread.Programm == stored);
    }

    // "Rahmenfarbe..." keeps the colour in the file's order (red in the low byte); a cancelled choice keeps the old.
    void FrameColorIsStoredAsTheFileKeepsIt() {
        for (const bool choose : {true, false}) {
            cFixture f;
            const std::string before = f.File();
            ui::TProgramOptionsDlg dialog(f.Params, nullptr);
            uitest::cModalScript script;
            script.Then([choose](QWidget* modal) {
                auto* colors = qobject_cast<QColorDialog*>(modal);
                QVERIFY(colors);
                QCOMPARE(colors->currentColor(), QColor(0x99, 0x66, 0x33));
                colors->setCurrentColor(QColor(0x12, 0x34, 0x56));
                if (choose)
                    colors->accept();
                else
                    colors->reject();
            });
            Button(&dialog, "FrameColorBtn")->click();
            QVERIFY(script.Done());
            Button(&dialog, "OkBtn")->click();
            if (choose) {
                QCOMPARE(f.Params.Programm.FrameColor, std::uint32_t(0x00563412));
                QCOMPARE(uitest::ChangedLine(before, f.File()), QStringLiteral("FrameColor=5649426"));
            } else {
                QCOMPARE(f.Params.Programm.FrameColor, std::uint32_t(0x00336699));
                QCOMPARE(f.File(), before);
            }
        }
    }

    // "Abbrechen" keeps params and the file as they were; the entry point tells OK from Cancel.
    void CancelWritesNothing() {
        cFixture f;
        const std::string before = f.File();
        const cProgrammParameters options = f.Params.Programm;
        uitest::cModalScript script;
        script.Click("CancelBtn", [](QWidget* modal) {
            QCOMPARE(modal->objectName(), QStringLiteral("ProgramOptionsDlg"));
            Child<QAbstractButton>(modal, QStringLiteral("SplashChk"))->click();
            Child<QAbstractButton>(modal, QStringLiteral("TasksRdo"))->click();
            Child<QLineEdit>(modal, QStringLiteral("CompareBEdt"))->setText(QStringLiteral("%1"));
        });
        // OK, and should it refuse, Cancel: a refusing dialog must fail the test, not hang it.
        script.Then([](QWidget* modal) {
            Button(modal, "OkBtn")->click();
            if (modal->isVisible()) qobject_cast<QDialog*>(modal)->reject();
        });
        QVERIFY(!ui::EditProgramOptions(nullptr, f.Params));
        QVERIFY(f.Params.Programm == options);
        QCOMPARE(f.File(), before);
        QVERIFY(ui::EditProgramOptions(nullptr, f.Params));
        QVERIFY(script.Done());
        QCOMPARE(script.Unexpected(), 0);
    }

    // OK refuses a changed setting that cannot work, says why, and stores nothing until it is mended.
    void OkRefusesWhatCannotWork() {
        const struct {
            const char* control;
            const char* text;
            const char* reason;
        } steps[][2] = {
            {{"MessageRdo", "", ""}, {"MessagePathEdt", "", "Datei mit der Nachricht"}},
            {{"MessageRdo", "", ""},
             {"MessagePathEdt", "/nirgends/Hallo.rtf", "\"/nirgends/Hallo.rtf\" gibt es nicht"}},
            {{"PicturePathEdt", "/nirgends/See.png", "\"/nirgends/See.png\" gibt es nicht"}, {}},
            {{"PicturePathEdt", "   ", "Datei mit dem Bild"}, {}},
            {{"CompareAEdt", "/nirgends/meld", "\"/nirgends/meld\" gibt es nicht"}, {}},
            {{"CompareAEdt", "kein-solches-programm", "nicht ausführbar"}, {}},
            {{"CompareBEdt", "%1", "%1 und %2"}, {}},
            {{"CompareAEdt", "sh", ""}, {"CompareBEdt", "--diff", "%1 und %2"}},
        };
        for (const auto& change : steps) {
            cFixture f;
            const std::string before = f.File();
            const cProgrammParameters options = f.Params.Programm;
            ui::TProgramOptionsDlg dialog(f.Params, nullptr);
            dialog.show();
            QString reason;
            for (const auto& step : change) {
                if (step.control == nullptr) continue;
                QVERIFY(Operate(&dialog, QString::fromLatin1(step.control), QString::fromUtf8(step.text)));
                if (*step.reason) reason = QString::fromUtf8(step.reason);
            }
            Button(&dialog, "OkBtn")->click();
            QVERIFY2(dialog.isVisible(), qPrintable(reason));
            auto* problem = Child<QLabel>(&dialog, QStringLiteral("ProblemLbl"));
            QVERIFY2(problem->isVisibleTo(&dialog), qPrintable(reason));
            QVERIFY2(problem->text().contains(reason), qPrintable(problem->text()));
            QVERIFY(f.Params.Programm == options);
            QCOMPARE(f.File(), before);
        }
    }

    // Each "..." puts the chosen file into its field.
    void PickersFillTheirFields() {
        cFixture f;
        const std::string message = f.Dir.WriteFile("Texte/Gruss.html", "<p>Hallo</p>").string();
        const std::string picture = f.Dir.WriteFile("Bilder/Berg.jpg", "").string();
        ui::TProgramOptionsDlg dialog(f.Params, nullptr);
        dialog.show();
        uitest::cModalScript script;
        script.ChooseFile(QString::fromStdString(picture));
        script.ChooseFile(QString::fromStdString(message));
        script.ChooseFile(QStringLiteral("/bin/sh"));
        Button(&dialog, "PictureBrowseBtn")->click();
        Operate(&dialog, QStringLiteral("MessageRdo"), {});
        Button(&dialog, "MessageBrowseBtn")->click();
        Button(&dialog, "CompareBrowseBtn")->click();
        QVERIFY(script.Done());
        QCOMPARE(Child<QLineEdit>(&dialog, QStringLiteral("PicturePathEdt"))->text(), QString::fromStdString(picture));
        QCOMPARE(Child<QLineEdit>(&dialog, QStringLiteral("MessagePathEdt"))->text(), QString::fromStdString(message));
        QCOMPARE(Child<QLineEdit>(&dialog, QStringLiteral("CompareAEdt"))->text(), QStringLiteral("/bin/sh"));
        Button(&dialog, "OkBtn")->click();
        QCOMPARE(f.Params.Programm.MainDisplay, std::uint8_t(1));
        QCOMPARE(f.Params.Programm.PicturePath, picture);
        QCOMPARE(f.Params.Programm.CompareA, std::string("/bin/sh"));
    }

    // The fields of a display are open only while it is chosen; tooltips only while the program option says so.
    void FieldsFollowTheirChoices() {
        cFixture f;
        ui::TProgramOptionsDlg dialog(f.Params, nullptr);
        auto enabled = [&](const char* name) {
            return Child<QWidget>(&dialog, QString::fromLatin1(name))->isEnabled();
        };
        QVERIFY(enabled("PicturePathEdt") && enabled("FrameColorBtn") && enabled("FitSizeChk"));
        QVERIFY(!enabled("MessagePathEdt") && !enabled("BirthDateEdt") && !enabled("LastFileEdt"));
        Operate(&dialog, QStringLiteral("BiorhythmRdo"), {});
        Operate(&dialog, QStringLiteral("ReopenChk"), {});
        QVERIFY(!enabled("PicturePathEdt") && !enabled("FrameColorBtn") && !enabled("MessageBrowseBtn"));
        QVERIFY(enabled("BirthDateEdt") && enabled("LastFileEdt"));

        for (const bool tooltips : {true, false}) {
            cParameters params;
            params.Programm.Tooltips = tooltips;
            ui::TProgramOptionsDlg shown(params, nullptr);
            QCOMPARE(!Child<QWidget>(&shown, QStringLiteral("CompareBEdt"))->toolTip().isEmpty(), tooltips);
        }
    }
};

QTEST_MAIN(ProgramOptionsDialogTest)
#include "ProgramOptionsDialogTest.moc"
