// "Top 12": what OK stores and writes to the settings file, what Cancel keeps, what OK refuses, and the file picker.
#include "ui/TopTwelveDialog.h"
#include "ModalScript.h"
#include "WrittenDocument.h"
#include "profile/IniFile.h"
#include "profile/Parameters.h"
#include "profile/SettingsGroups.h"
#include "support/TempDir.h"

#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <filesystem>
#include <string>

namespace {

// A settings file in a temporary folder with a few favourites and another section that OK must not touch.
struct cFixture {
    testsupport::TempDir Dir;
    cIniFile Ini{(Dir.Path() / "Tolvan6.ini").string()};
    cParameters Params{&Ini};

    cFixture() {
        cTopTwelve& top = Params.TopTwelve;
        top.Descriptions[0] = "Briefe sichern";
        top.Profiles[0] = "/home/anna/Profile/Briefe sichern.tvp";
        top.Profiles[1] = "/home/anna/Profile/Fotos %YEAR%.tvp";
        top.Descriptions[4] = "Wochenende für Oma";
        top.Profiles[4] = "/home/anna/Profile/Wochenende.TVB";
        top.Descriptions[11] = "Alles";
        top.Profiles[11] = "/media/usb/Alles.tvb";
        Params.WriteSettings(kTopTwelveGroup);
        Params.WriteSettings(kProgramOptionsGroup);
    }
    std::string File() const { return Dir.ReadFile("Tolvan6.ini"); }
};

template <class T> T* Child(QWidget* window, const QString& name) {
    return window->findChild<T*>(name);
}
QAbstractButton* Button(QWidget* window, const char* name) {
    return Child<QAbstractButton>(window, QString::fromLatin1(name));
}
QLineEdit* Edit(QWidget* window, const QString& name) {
    return Child<QLineEdit>(window, name);
}

} // namespace

class TopTwelveDialogTest : public QObject {
    Q_OBJECT

private slots:
    // OK without a change writes the group as it was: the settings file stays byte for byte the same.
    void OkWithoutChangeWritesTheSameGroup() {
        cFixture f;
        const std::string before = f.File();
        const cTopTwelve top = f.Params.TopTwelve;
        ui::TTopTwelveDlg dialog(f.Params, nullptr);
        Button(&dialog, "OkBtn")->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(f.Params.TopTwelve == top);
        QCOMPARE(f.File(), before);
    }

    // One field changed on screen changes exactly its key in the file (and the field in params).
    void OneFieldChangesItsKey_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("line");
        QTest::newRow("neue Beschreibung") << "DescriptionEdt2"
                                           << "Fotos"
                                           << "Description2=Fotos";
        QTest::newRow("Leerzeichen fallen weg") << "DescriptionEdt1"
                                                << "  Briefe  "
                                                << "Description1=Briefe";
        QTest::newRow("Beschreibung gelöscht") << "DescriptionEdt5"
                                               << ""
                                               << "Description5=";
        QTest::newRow("F12 anderes Profil") << "ProfileEdt12"
                                            << "/media/usb/Teil.tvp"
                                            << "Profile12=/media/usb/Teil.tvp";
        QTest::newRow("leere Zeile belegt") << "ProfileEdt7"
                                            << "/home/anna/Neu.tvp"
                                            << "Profile7=/home/anna/Neu.tvp";
    }
    void OneFieldChangesItsKey() {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(QString, line);
        cFixture f;
        const std::string before = f.File();
        ui::TTopTwelveDlg dialog(f.Params, nullptr);
        QLineEdit* edit = Edit(&dialog, field);
        QVERIFY(edit);
        edit->setText(text);
        Button(&dialog, "OkBtn")->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        const std::string after = f.File();
        QCOMPARE(uitest::DifferentLines(before, after), 1);
        QCOMPARE(uitest::ChangedLine(before, after), line);
        // What the menu shows comes from params, not from the file.
        cParameters reread(&f.Ini);
        reread.ReadSettings(kTopTwelveGroup);
        QVERIFY(reread.TopTwelve == f.Params.TopTwelve);
    }

    // "Abbrechen" keeps params and the file as they were, also after edits; the entry point tells OK from Cancel.
    void CancelWritesNothing() {
        cFixture f;
        const std::string before = f.File();
        const cTopTwelve top = f.Params.TopTwelve;
        uitest::cModalScript script;
        script.Click("CancelBtn", [](QWidget* modal) {
            QCOMPARE(modal->objectName(), QStringLiteral("TopTwelveDlg"));
            Edit(modal, QStringLiteral("DescriptionEdt1"))->setText(QStringLiteral("Anders"));
            Edit(modal, QStringLiteral("ProfileEdt3"))->setText(QStringLiteral("/tmp/x.tvp"));
        });
        // OK, and should it refuse, Cancel: a refusing dialog must fail the test, not hang it.
        script.Then([](QWidget* modal) {
            Button(modal, "OkBtn")->click();
            if (modal->isVisible()) qobject_cast<QDialog*>(modal)->reject();
        });
        QVERIFY(!ui::EditTopTwelve(nullptr, f.Params));
        QVERIFY(f.Params.TopTwelve == top);
        QCOMPARE(f.File(), before);
        QVERIFY(ui::EditTopTwelve(nullptr, f.Params));
        QVERIFY(script.Done());
        QCOMPARE(script.Unexpected(), 0);

        // Without a settings file, Cancel does not create one.
        testsupport::TempDir empty;
        cIniFile ini((empty.Path() / "Tolvan6.ini").string());
        cParameters params(&ini);
        ui::TTopTwelveDlg dialog(params, nullptr);
        Edit(&dialog, QStringLiteral("ProfileEdt1"))->setText(QStringLiteral("/tmp/x.tvp"));
        Button(&dialog, "CancelBtn")->click();
        QVERIFY(!std::filesystem::exists(empty.Path() / "Tolvan6.ini"));
    }

    // OK refuses an entry F1..F12 could not open, names its key, and stores nothing until it is mended.
    void OkRefusesWhatCannotBeOpened() {
        const struct {
            const char* field;
            const char* text;
            const char* reason;
        } cases[] = {
            {"DescriptionEdt3", "Nur Text", "F3: Bitte geben Sie das Profil an"},
            {"ProfileEdt1", "   ", "F1: Bitte geben Sie das Profil an"},
            {"ProfileEdt10", "/home/anna/Notizen.txt", "F10: \"/home/anna/Notizen.txt\" ist kein Profil"},
            {"ProfileEdt2", "/home/anna/Profile/", "ist kein Profil"},
        };
        for (const auto& c : cases) {
            cFixture f;
            const std::string before = f.File();
            const cTopTwelve top = f.Params.TopTwelve;
            ui::TTopTwelveDlg dialog(f.Params, nullptr);
            dialog.show();
            QLineEdit* edit = Edit(&dialog, QString::fromLatin1(c.field));
            edit->setText(QString::fromUtf8(c.text));
            Button(&dialog, "OkBtn")->click();
            QVERIFY2(dialog.isVisible(), c.field);
            auto* problem = Child<QLabel>(&dialog, QStringLiteral("ProblemLbl"));
            QVERIFY2(problem->isVisibleTo(&dialog), c.field);
            QVERIFY2(problem->text().contains(QString::fromUtf8(c.reason)), qPrintable(problem->text()));
            QVERIFY(f.Params.TopTwelve == top);
            QCOMPARE(f.File(), before);
        }

        // Mended, OK goes through and the message goes away.
        cFixture f;
        ui::TTopTwelveDlg dialog(f.Params, nullptr);
        dialog.show();
        Edit(&dialog, QStringLiteral("DescriptionEdt3"))->setText(QStringLiteral("Nur Text"));
        Button(&dialog, "OkBtn")->click();
        QVERIFY(dialog.isVisible());
        Edit(&dialog, QStringLiteral("ProfileEdt3"))->setText(QStringLiteral("/home/anna/Text.tvp"));
        Button(&dialog, "OkBtn")->click();
        QVERIFY(!dialog.isVisible());
        QCOMPARE(f.Params.TopTwelve.Profiles[2], std::string("/home/anna/Text.tvp"));
        QCOMPARE(f.Params.TopTwelve.Descriptions[2], std::string("Nur Text"));
    }

    // "..." puts the chosen file into its row; an empty description takes the file's name, a given one stays.
    void BrowseFillsItsRow() {
        cFixture f;
        const std::string chosen = f.Dir.WriteFile("Profile/Musik sichern.tvp", "").string();
        ui::TTopTwelveDlg dialog(f.Params, nullptr);
        dialog.show();
        uitest::cModalScript script;
        script.ChooseFile(QString::fromStdString(chosen));
        script.ChooseFile(QString::fromStdString(chosen));
        script.ChooseFile(QString());
        Button(&dialog, "BrowseBtn4")->click();
        Button(&dialog, "BrowseBtn1")->click();
        Button(&dialog, "BrowseBtn12")->click();
        QVERIFY(script.Done());
        QCOMPARE(Edit(&dialog, QStringLiteral("ProfileEdt4"))->text(), QString::fromStdString(chosen));
        QCOMPARE(Edit(&dialog, QStringLiteral("DescriptionEdt4"))->text(), QStringLiteral("Musik sichern"));
        QCOMPARE(Edit(&dialog, QStringLiteral("ProfileEdt1"))->text(), QString::fromStdString(chosen));
        QCOMPARE(Edit(&dialog, QStringLiteral("DescriptionEdt1"))->text(), QStringLiteral("Briefe sichern"));
        // A cancelled picker leaves the row alone.
        QCOMPARE(Edit(&dialog, QStringLiteral("ProfileEdt12"))->text(), QStringLiteral("/media/usb/Alles.tvb"));
    }

    // Tooltips are there only while the program option asks for them.
    void TooltipsFollowTheProgramOption() {
        for (const bool tooltips : {true, false}) {
            cParameters params;
            params.Programm.Tooltips = tooltips;
            ui::TTopTwelveDlg dialog(params, nullptr);
            QCOMPARE(!Edit(&dialog, QStringLiteral("ProfileEdt1"))->toolTip().isEmpty(), tooltips);
            QCOMPARE(!Button(&dialog, "BrowseBtn12")->toolTip().isEmpty(), tooltips);
        }
    }
};

QTEST_MAIN(TopTwelveDialogTest)
#include "TopTwelveDialogTest.moc"
