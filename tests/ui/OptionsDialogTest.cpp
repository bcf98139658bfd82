// The options of a profile: OK stores exactly what the pages show, each field its own row of the profile file;
// a value the dialog cannot take stops OK with its reason beside the field; codes the dialog does not know
// survive; the orphan explanation says what will be deleted.
#include "ui/OptionsDialog.h"
#include "ModalScript.h"
#include "WrittenDocument.h"
#include "profile/IniFile.h"
#include "profile/Parameters.h"
#include "support/TempDir.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMap>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTest>

#include <string>

namespace {

// A profile whose options differ from the defaults on every page.
cParameters RichProfile() {
    cParameters params;
    params.ResetProfile();
    params.AddDefaultMask();
    params.SearchDirectories.Add("\\Daten\\Briefe\\*");
    params.SearchDirectories.Add("\\Daten\\Bilder\\");
    params.SetTouchMode(eTouchMode::DestOnly);
    params.OrphanModeD2 = eOrphanMode::Delete;
    params.OrphanModeB = eOrphanMode::LookInSnapshot;
    params.Attributes = AttributeBits(eAttributeChange::Hidden);
    params.ShortenPaths = eShortenPaths::ByPathOffset;
    params.PathOffset = "\\Daten";
    params.DeleteEmptyDestDirs = true;
    params.AgeMode = AgeModeValue(eAgeMode::RelativeAge, true);
    params.RelativeAge = 30;
    params.AbsoluteAge = 46000;
    params.ListSkip = true;
    params.SortMode = 3;
    params.MidnightHours = 4;
    params.PercentageThreshold = 40;
    params.PercentageCount = 120;
    params.SizesFactor = 5;
    params.DoubleDefault = 1;
    params.Verify = true;
    params.ZipCompression = 7;
    params.ZipEncrypt = true;
    params.ZipPassword = "geheim";
    params.ZipTempMode = eZipTempMode::TempLocation;
    params.ZipTempLocation = "/tmp/zip";
    params.Warning2Beep = true;
    params.Warning3File = "/home/anna/Klänge/Hinweis.wav";
    params.Event1Message = true;
    params.Event2File2 = "/home/anna/Nachrichten/Fertig.rtf";
    params.AutoApp = true;
    params.AppName = "thunderbird";
    params.AutoSense1 = true;
    params.AutoShutdown = 3;
    params.BeforeCommands.Add("mount /media/sicherung");
    params.BeforeCommands.Add("", 5);
    params.AfterCommands.Add("umount /media/sicherung");
    params.TimeDifference = 3;
    params.UseUTC = true;
    params.TransferPermissions = true;
    params.FtpLogComm = true;
    params.TrayIcon = true;
    params.OptionsPage = 4;
    return params;
}

template <class T> T* Find(QWidget* dialog, const QString& name) {
    T* widget = dialog->findChild<T*>(name);
    if (!widget) qWarning("no widget %s", qPrintable(name));
    return widget;
}

QString CurrentPage(ui::TOptionsDlg& dialog) {
    auto* stack = dialog.findChild<QStackedWidget*>("PagesStk");
    const QWidget* current = stack->currentWidget();
    for (QWidget* page : current->findChildren<QWidget*>())
        if (page->objectName().endsWith(QLatin1String("Page"))) return page->objectName();
    return {};
}

// Changes the widget of that name to another value: a box toggles, a radio button is chosen, a list takes its
// next entry, a field takes text, a slider and a date move.
bool Change(QWidget* dialog, const QString& name, const QString& text) {
    QWidget* widget = dialog->findChild<QWidget*>(name);
    if (auto* radio = qobject_cast<QRadioButton*>(widget)) {
        if (radio->isChecked()) return false;
        radio->setChecked(true);
    } else if (auto* box = qobject_cast<QCheckBox*>(widget)) {
        box->setChecked(!box->isChecked());
    } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        combo->setCurrentIndex((combo->currentIndex() + 1) % combo->count());
    } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        edit->setText(text);
    } else if (auto* slider = qobject_cast<QAbstractSlider*>(widget)) {
        slider->setValue(slider->value() == 0 ? 1 : slider->value() - 1);
    } else if (auto* date = qobject_cast<QDateEdit*>(widget)) {
        date->setDate(date->date().addDays(1));
    } else {
        return false;
    }
    return true;
}

} // namespace

class OptionsDialogTest : public QObject {
    Q_OBJECT

private slots:
    void OkWithoutChangeKeepsTheProfile() {
        testsupport::TempDir dir;
        cParameters params = RichProfile();
        const std::string before = uitest::Written(params, dir, "vorher.tvp");
        ui::TOptionsDlg dialog(params, false, nullptr);
        QCOMPARE(CurrentPage(dialog), QStringLiteral("CopyPage")); // OptionsPage 4, the page shown last
        dialog.findChild<QPushButton*>("OkBtn")->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(uitest::Written(params, dir, "nachher.tvp"), before);
    }

    // One field on each page: OK writes exactly its one row anew.
    void EachFieldChangesItsRow_data() {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("widget");
        QTest::addColumn<QString>("text");
        const struct {
            const char* Page;
            const char* Widget;
            const char* Text;
        } rows[] = {
            {"ScopePage", "BothRdo", ""},
            {"ScopePage", "OrphanModeD2Cbo", ""},
            {"ScopePage", "EnforceBackwardChk", ""},
            {"FilterPage", "AgeLastRunRdo", ""},
            {"FilterPage", "AgeReversedChk", ""},
            {"FilterPage", "RelativeAgeEdt", "7"},
            {"FilterPage", "SystemChk", ""},
            {"ClocksPage", "TimeDifferenceEdt", "0"},
            {"ClocksPage", "IgnoreDstChk", ""},
            {"DirectoriesPage", "ShortenAutoRdo", ""},
            {"DirectoriesPage", "PathOffsetEdt", "\\Daten\\Briefe"},
            {"DirectoriesPage", "CreateAllSrcDirsChk", ""},
            {"DirectoriesPage", "TransferDirPropertiesChk", ""},
            {"CopyPage", "VerifyChk", ""},
            {"CopyPage", "TransferOwnerChk", ""},
            {"ChecksPage", "MidnightChk", ""},
            {"ChecksPage", "PercentageCountEdt", "999"},
            {"ChecksPage", "SizesFactorEdt", "99"},
            {"ChecksPage", "SizesDefaultCbo", ""},
            {"ChecksPage", "SortModeCbo", ""},
            {"WarningsPage", "Warning4MessageChk", ""},
            {"WarningsPage", "Warning1FileEdt", "/usr/share/sounds/alsa/Front_Center.wav"},
            {"EventsPage", "Event1CenteredChk", ""},
            {"EventsPage", "Event5BeepChk", ""},
            {"AutomationPage", "AutoOpenChk", ""},
            {"AutomationPage", "AutoSense2Chk", ""},
            {"AutomationPage", "AutoShutdownCbo", ""},
            {"ZipPage", "ZipCompressionSld", ""},
            {"ZipPage", "ZipTempSystemRdo", ""},
            {"ZipPage", "ZipPasswordEdt", "anders"},
            {"ZipPage", "ZipAddVariationChk", ""},
            {"FtpPage", "FtpUseMdtmChk", ""},
            {"OtherPage", "SyncSoundsChk", ""},
        };
        for (const auto& r : rows)
            QTest::newRow(r.Widget) << QString::fromLatin1(r.Page) << QString::fromLatin1(r.Widget)
                                    << QString::fromUtf8(r.Text);
    }
    void EachFieldChangesItsRow() {
        QFETCH(QString, page);
        QFETCH(QString, widget);
        QFETCH(QString, text);
        testsupport::TempDir dir;
        cParameters params = RichProfile();
        const std::string before = uitest::Written(params, dir, "vorher.tvp");
        ui::TOptionsDlg dialog(params, false, nullptr);
        QVERIFY(dialog.ShowPage(page)); // stays the page shown last, so OptionsPage is the one other row
        QVERIFY2(Find<QWidget>(&dialog, widget)->isEnabled(), "the field is in use in the rich profile");
        QVERIFY(Change(&dialog, widget, text));
        dialog.findChild<QPushButton*>("OkBtn")->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        const std::string after = uitest::Written(params, dir, "nachher.tvp");
        cParameters pageOnly = RichProfile();
        ui::TOptionsDlg pageDialog(pageOnly, false, nullptr);
        pageDialog.ShowPage(page);
        pageDialog.findChild<QPushButton*>("OkBtn")->click();
        const std::string pageChanged = uitest::Written(pageOnly, dir, "seite.tvp");
        QCOMPARE(uitest::DifferentLines(pageChanged, after), 1);
    }

    void TypedTextsTakeTheirStoredForm() {
        cParameters params = RichProfile();
        ui::TOptionsDlg dialog(params, false, nullptr);
        Find<QLineEdit>(&dialog, "PathOffsetEdt")->setText("Daten\\Briefe\\");
        Find<QComboBox>(&dialog, "AppNameCbo")->setCurrentText("LibreOffice Writer");
        dialog.findChild<QPushButton*>("OkBtn")->click();
        QCOMPARE(params.PathOffset, std::string("\\Daten\\Briefe"));
        QCOMPARE(params.AppName, std::string("LibreOffice Writer"));

        ui::TOptionsDlg date(params, false, nullptr);
        Find<QRadioButton>(&date, "AgeAbsoluteRdo")->setChecked(true);
        Find<QDateEdit>(&date, "AbsoluteAgeEdt")->setDate(QDate(2026, 1, 1));
        date.findChild<QPushButton*>("OkBtn")->click();
        QCOMPARE(AgeModeOf(params.AgeMode), eAgeMode::AbsoluteAge);
        QVERIFY(AgeModeReversed(params.AgeMode));
        QCOMPARE(params.AbsoluteAge, 46023); // day 25569 is 1 January 1970

        ui::TOptionsDlg variable(params, false, nullptr);
        Find<QLineEdit>(&variable, "PathOffsetEdt")->setText("%HOME%\\");
        variable.findChild<QPushButton*>("OkBtn")->click();
        QCOMPARE(params.PathOffset, std::string("%HOME%\\"));
    }

    // OK refuses a value it cannot store: the reason stands beside the field, the page with the field is shown,
    // and the profile is unchanged.
    void BadValuesStopOk_data() {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("choose"); // a radio button or box that puts the field in use, or empty
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("problem");
        QTest::addColumn<QString>("message");
        QTest::newRow("factor below range") << "ChecksPage"
                                            << ""
                                            << "SizesFactorEdt"
                                            << "1"
                                            << "SizesFactorEdtProblem"
                                            << "Bitte eine ganze Zahl von 2 bis 99 eingeben.";
        QTest::newRow("percentage off step") << "ChecksPage"
                                             << ""
                                             << "PercentageThresholdEdt"
                                             << "52"
                                             << "PercentageThresholdEdtProblem"
                                             << "Bitte eine Zahl in Schritten von 5 eingeben.";
        QTest::newRow("midnight no number") << "ChecksPage"
                                            << ""
                                            << "MidnightHoursEdt"
                                            << "zwei"
                                            << "MidnightHoursEdtProblem"
                                            << "Bitte eine ganze Zahl von 1 bis 23 eingeben.";
        QTest::newRow("time difference too big") << "ClocksPage"
                                                 << ""
                                                 << "TimeDifferenceEdt"
                                                 << "1000"
                                                 << "TimeDifferenceEdtProblem"
                                                 << "Bitte eine ganze Zahl von 0 bis 999 eingeben.";
        QTest::newRow("age negative") << "FilterPage"
                                      << ""
                                      << "RelativeAgeEdt"
                                      << "-1"
                                      << "RelativeAgeEdtProblem"
                                      << "Bitte eine ganze Zahl von 0 bis 999 eingeben.";
        QTest::newRow("offset empty") << "DirectoriesPage"
                                      << ""
                                      << "PathOffsetEdt"
                                      << ""
                                      << "PathOffsetProblem"
                                      << "Bitte den Teil der Pfade angeben, der im Ziel wegfallen soll.";
        QTest::newRow("zip folder empty") << "ZipPage"
                                          << "ZipTempLocationRdo"
                                          << "ZipTempLocationEdt"
                                          << "  "
                                          << "ZipTempLocationProblem"
                                          << "Bitte das Verzeichnis angeben, in dem das Zip-Archiv aufgebaut wird.";
        QTest::newRow("application empty") << "AutomationPage"
                                           << ""
                                           << "AppNameCbo"
                                           << ""
                                           << "AppNameProblem"
                                           << "Bitte die Anwendung angeben, nach deren Ende das Profil laufen soll.";
    }
    void BadValuesStopOk() {
        QFETCH(QString, page);
        QFETCH(QString, choose);
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(QString, problem);
        QFETCH(QString, message);
        testsupport::TempDir dir;
        cParameters params = RichProfile();
        const std::string before = uitest::Written(params, dir, "vorher.tvp");
        ui::TOptionsDlg dialog(params, false, nullptr);
        dialog.show();
        if (!choose.isEmpty()) Find<QRadioButton>(&dialog, choose)->setChecked(true);
        if (auto* combo = dialog.findChild<QComboBox*>(field))
            combo->setCurrentText(text);
        else
            Find<QLineEdit>(&dialog, field)->setText(text);
        dialog.findChild<QPushButton*>("OkBtn")->click();
        QVERIFY(dialog.result() != int(QDialog::Accepted));
        QVERIFY(dialog.isVisible());
        QCOMPARE(CurrentPage(dialog), page);
        auto* label = Find<QLabel>(&dialog, problem);
        QVERIFY(label->isVisible());
        QCOMPARE(label->text(), message);
        QCOMPARE(uitest::Written(params, dir, "nachher.tvp"), before);
    }

    // A field that is not in use does not stop OK, and what it cannot hold keeps the stored value.
    void UnusedFieldsDoNotStopOk() {
        cParameters params = RichProfile();
        ui::TOptionsDlg dialog(params, false, nullptr);
        Find<QCheckBox>(&dialog, "SizesCompareChk")->setChecked(false);
        Find<QLineEdit>(&dialog, "SizesFactorEdt")->setText("1");
        Find<QRadioButton>(&dialog, "AgeNoneRdo")->setChecked(true);
        Find<QLineEdit>(&dialog, "RelativeAgeEdt")->setText("");
        dialog.findChild<QPushButton*>("OkBtn")->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(params.SizesCompare, false);
        QCOMPARE(params.SizesFactor, 5);
        QCOMPARE(params.RelativeAge, 30);
        QCOMPARE(AgeModeOf(params.AgeMode), eAgeMode::None);
    }

    // Codes that a damaged or newer file holds are shown as unknown and kept as they are.
    void UnknownCodesSurvive() {
        cParameters params = RichProfile();
        params.SetTouchMode(eTouchMode::Both);
        params.OrphanModeB = static_cast<eOrphanMode>(9);
        params.AutoShutdown = 7;
        params.ZipCompression = 12;
        params.AgeMode = static_cast<std::uint8_t>(0x08 | AgeModeValue(eAgeMode::AbsoluteAge));
        params.Attributes = 0x40 | AttributeBits(eAttributeChange::ReadOnly);
        params.ZipTempMode = static_cast<eZipTempMode>(5);
        params.AbsoluteAge = -1000000000; // long before any date the field can show
        ui::TOptionsDlg dialog(params, false, nullptr);
        QCOMPARE(Find<QComboBox>(&dialog, "OrphanModeBCbo")->currentText(), QStringLiteral("Unbekannt (9)"));
        Find<QCheckBox>(&dialog, "HiddenChk")->setChecked(true);
        dialog.findChild<QPushButton*>("OkBtn")->click();
        QCOMPARE(static_cast<int>(params.OrphanModeB), 9);
        QCOMPARE(params.AutoShutdown, 7);
        QCOMPARE(params.ZipCompression, 12);
        QCOMPARE(static_cast<int>(params.ZipTempMode), 5);
        QCOMPARE(params.AbsoluteAge, -1000000000);
        QCOMPARE(int(params.AgeMode), 0x08 | int(AgeModeValue(eAgeMode::AbsoluteAge)));
        QCOMPARE(params.Attributes, 0x40 | AttributeBits(eAttributeChange::ReadOnly, eAttributeChange::Hidden));
    }

    // The explanation follows the touch mode and the orphan choice of that mode; the other modes' choices are
    // disabled.
    void OrphanExplanation_data() {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("combo");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("says");
        QTest::addColumn<bool>("deletes");
        QTest::newRow("backup, delete in destination")
            << "DestOnlyRdo"
            << "OrphanModeD2Cbo" << 2 << "Gelöscht werden: Dateien im Ziel" << true;
        QTest::newRow("backup, keep") << "DestOnlyRdo"
                                      << "OrphanModeD2Cbo" << 1 << "Es wird nichts gelöscht" << false;
        QTest::newRow("sync, delete both") << "BothRdo"
                                           << "OrphanModeBCbo" << 2 << "in der Quelle wie im Ziel" << true;
        QTest::newRow("sync, snapshot") << "BothRdo"
                                        << "OrphanModeBCbo" << 5 << "Schnappschuss" << true;
        QTest::newRow("sync, copy") << "BothRdo"
                                    << "OrphanModeBCbo" << 4 << "Es wird nichts gelöscht" << false;
        QTest::newRow("restore, delete in source")
            << "SourceOnlyRdo"
            << "OrphanModeS2Cbo" << 2 << "Gelöscht werden: Dateien in der Quelle" << true;
    }
    void OrphanExplanation() {
        QFETCH(QString, mode);
        QFETCH(QString, combo);
        QFETCH(int, code);
        QFETCH(QString, says);
        QFETCH(bool, deletes);
        cParameters params = RichProfile();
        ui::TOptionsDlg dialog(params, false, nullptr);
        Find<QRadioButton>(&dialog, mode)->setChecked(true);
        auto* choice = Find<QComboBox>(&dialog, combo);
        QVERIFY(choice->isEnabled());
        choice->setCurrentIndex(choice->findData(code));
        const QString text = Find<QLabel>(&dialog, "OrphansExplanationLbl")->text();
        QVERIFY2(text.contains(says), qPrintable(text));
        QCOMPARE(text.contains(QStringLiteral("Gelöscht werden")), deletes);
        // "OrphanModeD1Cbo" belongs to "DestOnlyRdo", "OrphanModeBCbo" to "BothRdo", ...
        for (const char* other :
             {"OrphanModeD1Cbo", "OrphanModeD2Cbo", "OrphanModeBCbo", "OrphanModeS1Cbo", "OrphanModeS2Cbo"})
            QCOMPARE(Find<QComboBox>(&dialog, other)->isEnabled(), QLatin1Char(other[10]) == mode[0]);
    }

    // The lists keep their order and their delays; the buttons add, move and remove entries.
    void CommandLists() {
        cParameters params = RichProfile();
        ui::TOptionsDlg dialog(params, false, nullptr);
        dialog.ShowPage("CommandsPage");
        auto* list = Find<QListWidget>(&dialog, "BeforeLst");
        QCOMPARE(list->item(1)->text(), QStringLiteral("- 5 Sekunden Verzögerung - "));
        Find<QLineEdit>(&dialog, "BeforeDelayEdt")->setText("1");
        Find<QPushButton>(&dialog, "BeforeAddDelayBtn")->click();
        QCOMPARE(list->item(2)->text(), QStringLiteral("- 1 Sekunde Verzögerung - "));
        Find<QLineEdit>(&dialog, "BeforeDelayEdt")->setText("1000");
        Find<QPushButton>(&dialog, "BeforeAddDelayBtn")->click();
        QCOMPARE(list->count(), 3);
        QVERIFY(Find<QLabel>(&dialog, "BeforeDelayEdtProblem")->isVisibleTo(&dialog));
        Find<QLineEdit>(&dialog, "BeforeCommandEdt")->setText("notify-send Sicherung");
        Find<QPushButton>(&dialog, "BeforeAddCommandBtn")->click();
        Find<QPushButton>(&dialog, "BeforeUpBtn")->click(); // above the 1 second delay
        list->setCurrentRow(0);
        Find<QPushButton>(&dialog, "BeforeRemoveBtn")->click();
        Find<QLineEdit>(&dialog, "AfterCommandEdt")->setText("umount /media/sicherung");
        Find<QPushButton>(&dialog, "AfterAddCommandBtn")->click(); // duplicates are allowed
        dialog.findChild<QPushButton*>("OkBtn")->click();

        cTextList before;
        before.Add("", 5);
        before.Add("notify-send Sicherung");
        before.Add("", 1);
        QVERIFY(params.BeforeCommands == before);
        QCOMPARE(params.AfterCommands.Size(), std::size_t(2));
        QCOMPARE(params.AfterCommands.Text(1), std::string("umount /media/sicherung"));
    }

    void AutomationPageOpensDirectly() {
        cParameters params = RichProfile();
        {
            QString shown;
            uitest::cModalScript script;
            script.Click("CancelBtn",
                         [&](QWidget* modal) { shown = CurrentPage(*static_cast<ui::TOptionsDlg*>(modal)); });
            QVERIFY(!ui::EditOptions(nullptr, params, true));
            QCOMPARE(shown, QStringLiteral("AutomationPage"));
            QCOMPARE(params.OptionsPage, 4); // Cancel stores nothing, not even the page
        }
        // OK remembers the page shown last.
        uitest::cModalScript script;
        script.Click("OkBtn");
        QVERIFY(ui::EditOptions(nullptr, params, true));
        QCOMPARE(params.OptionsPage, 8);
        QCOMPARE(script.Unexpected(), 0);
    }

    // "Anwendungen..." offers the running programs; the one chosen there becomes the application.
    void ApplicationPicker() {
        cParameters params = RichProfile();
        ui::TOptionsDlg dialog(params, true, nullptr);
        QStringList offered;
        uitest::cModalScript script;
        script.Then([&](QWidget* picker) {
            auto* list = picker->findChild<QListWidget*>("AppsLst");
            for (int i = 0; list && i < list->count(); ++i)
                offered << list->item(i)->text();
            picker->findChild<QLineEdit*>("AppEdt")->setText("gimp");
            picker->findChild<QPushButton*>("OkBtn")->click();
        });
        Find<QPushButton>(&dialog, "AppsBtn")->click();
        QVERIFY(!offered.isEmpty()); // this test's own process at least
        QCOMPARE(Find<QComboBox>(&dialog, "AppNameCbo")->currentText(), QStringLiteral("gimp"));
        dialog.findChild<QPushButton*>("OkBtn")->click();
        QCOMPARE(params.AppName, std::string("gimp"));
    }

    // "Als Standard speichern" writes the shown options as the defaults of new profiles at once, the profile
    // keeps its own until OK; "Standard lesen" shows the defaults, which OK then gives the profile.
    void DefaultsForNewProfiles() {
        testsupport::TempDir dir;
        const std::string file = (dir.Path() / "Tolvan6.ini").string();
        cIniFile settings(file);
        cParameters params(&settings);
        params.Verify = false;
        params.MidnightHours = 3;
        {
            ui::TOptionsDlg dialog(params, false, nullptr);
            Find<QCheckBox>(&dialog, "VerifyChk")->setChecked(true);
            QVERIFY(dialog.WriteDefaults());
            dialog.reject();
        }
        QVERIFY(!params.Verify);
        QCOMPARE(cIniFile(file).Read("Options", "Verify").value_or(""), std::string("1"));
        QCOMPARE(cIniFile(file).Read("Options", "MidnightHours").value_or(""), std::string("3"));
        QCOMPARE(cParameters(&settings).Verify, true); // a new profile takes the default

        params.MidnightHours = 5;
        ui::TOptionsDlg dialog(params, false, nullptr);
        dialog.ReadDefaults();
        QVERIFY(Find<QCheckBox>(&dialog, "VerifyChk")->isChecked());
        QVERIFY(!params.Verify);
        dialog.findChild<QPushButton*>("OkBtn")->click();
        QVERIFY(params.Verify);
        QCOMPARE(params.MidnightHours, 3);
    }

    void CancelChangesNothing() {
        testsupport::TempDir dir;
        cParameters params = RichProfile();
        const std::string before = uitest::Written(params, dir, "vorher.tvp");
        ui::TOptionsDlg dialog(params, false, nullptr);
        Find<QCheckBox>(&dialog, "VerifyChk")->setChecked(false);
        Find<QRadioButton>(&dialog, "SourceOnlyRdo")->setChecked(true);
        Find<QLineEdit>(&dialog, "BeforeCommandEdt")->setText("echo");
        Find<QPushButton>(&dialog, "BeforeAddCommandBtn")->click();
        dialog.findChild<QPushButton*>("CancelBtn")->click();
        QCOMPARE(uitest::Written(params, dir, "nachher.tvp"), before);
    }

    // Every page reaches each of its fields and buttons (and OK, Abbrechen, Hilfe) by a letter of its own.
    void AcceleratorsAreUniqueOnEveryPage() {
        cParameters params = RichProfile();
        ui::TOptionsDlg dialog(params, false, nullptr);
        dialog.show();
        for (const char* page :
             {"ScopePage", "FilterPage", "ClocksPage", "DirectoriesPage", "CopyPage", "ChecksPage", "WarningsPage",
              "EventsPage", "AutomationPage", "CommandsPage", "ZipPage", "FtpPage", "OtherPage"}) {
            QVERIFY(dialog.ShowPage(QString::fromLatin1(page)));
            QMap<QChar, QString> seen;
            for (QWidget* widget : dialog.findChildren<QWidget*>()) {
                if (!widget->isVisibleTo(&dialog)) continue;
                QString text;
                if (auto* button = qobject_cast<QAbstractButton*>(widget))
                    text = button->text();
                else if (auto* group = qobject_cast<QGroupBox*>(widget))
                    text = group->title();
                else if (auto* label = qobject_cast<QLabel*>(widget); label && label->buddy())
                    text = label->text();
                const qsizetype amp = text.indexOf(QLatin1Char('&'));
                if (amp < 0 || amp + 1 >= text.size()) continue;
                const QChar key = text.at(amp + 1).toLower();
                QVERIFY2(!seen.contains(key),
                         qPrintable(
                             QStringLiteral("%1: \"%2\" and \"%3\"").arg(QLatin1String(page), seen.value(key), text)));
                seen.insert(key, text);
            }
        }
    }

    // Tooltips are shown only when the program option says so.
    void TooltipsFollowTheProgramOption() {
        cParameters params = RichProfile();
        ui::TOptionsDlg with(params, false, nullptr);
        QVERIFY(!Find<QCheckBox>(&with, "VerifyChk")->toolTip().isEmpty());
        params.Programm.Tooltips = false;
        ui::TOptionsDlg without(params, false, nullptr);
        for (const QWidget* widget : without.findChildren<QWidget*>())
            QVERIFY2(widget->toolTip().isEmpty(), qPrintable(widget->objectName()));
    }
};

QTEST_MAIN(OptionsDialogTest)
#include "OptionsDialogTest.moc"
