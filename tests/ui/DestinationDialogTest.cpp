// The destination dialog and the disk dialog: what OK stores for each kind of destination, what Cancel keeps,
// which names OK refuses and what the check buttons say, and the volume label that "Lesen" reads.
#include "ui/DestinationDialog.h"
#include "ModalScript.h"
#include "WrittenDocument.h"
#include "platform/VolumeLabel.h"
#include "profile/Parameters.h"
#include "profile/Variables.h"
#include "support/TempDir.h"
#include "ui/DiskDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QSpinBox>
#include <QTest>

#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// A profile whose destination fields are all away from their defaults, of the given kind.
cParameters RichProfile(const testsupport::TempDir& dir, eDestType kind) {
    cParameters params;
    params.AddDefaultMask();
    params.SearchDirectories.Add("\\*");
    params.DestType = kind;
    params.DestDrive = (dir.Path() / "Ziel").string();
    params.DestDirectory = "\\Sicherung\\%YEAR%\\";
    params.DestArchive = "Woche.zip";
    params.DestServer = "ftp.example.org";
    params.Variation = 2;
    params.EightThree = true;
    params.CheckLabel = "SICHERUNG";
    params.OfferFormat = true;
    params.EjectDisk = true;
    params.ZipCompression = 7;
    params.ZipEncrypt = true;
    params.ZipPassword = "geheim";
    params.ZipTempMode = eZipTempMode::TempLocation;
    params.ZipTempLocation = "/var/tmp";
    params.ZipAddVariation = false;
    params.FtpPort = 2121;
    params.FtpTimeOut = 45;
    params.FtpUserName = "anna";
    params.FtpPassword = "Kennwort 1";
    params.LastUsedServers.Add("ftp.example.org");
    params.LastUsedServers.Add("nas.local");
    return params;
}

template <class T> T* Child(QWidget* window, const char* name) {
    T* child = window->findChild<T*>(QString::fromLatin1(name));
    if (!child) qWarning("no child %s", name);
    return child;
}

void Type(QWidget* window, const char* field, const QString& text) {
    if (auto* combo = window->findChild<QComboBox*>(QString::fromLatin1(field)))
        combo->setEditText(text);
    else
        Child<QLineEdit>(window, field)->setText(text);
}

void Click(QWidget* window, const char* button) {
    Child<QAbstractButton>(window, button)->click();
}

const char* KindButton(eDestType kind) {
    return kind == eDestType::Zip ? "ZipRbt" : kind == eDestType::Ftp ? "FtpRbt" : "DirectoryRbt";
}

} // namespace

class DestinationDialogTest : public QObject {
    Q_OBJECT

private slots:
    // OK without a change stores exactly what was there, for every kind: the profile file comes out byte for
    // byte the same and the servers used before stay as they were.
    void OkWithoutChangeKeepsTheProfile() {
        for (const eDestType kind : {eDestType::Directory, eDestType::Zip, eDestType::Ftp}) {
            testsupport::TempDir dir;
            cParameters params = RichProfile(dir, kind);
            const std::string before = uitest::Written(params, dir, "vorher.tvp");
            const cTextList servers = params.LastUsedServers;
            ui::TDestinationDlg dialog(params, nullptr);
            dialog.show();
            Click(&dialog, "OkBtn");
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
            QCOMPARE(uitest::Written(params, dir, "nachher.tvp"), before);
            QVERIFY(params.LastUsedServers == servers);
        }
    }

    // Each control changes its one field, normalised as OK stores it: one line of the written profile.
    void EachControlChangesItsRow() {
        using Act = std::function<void(QWidget*)>;
        using Look = std::function<bool(const cParameters&)>;
        const struct {
            const char* name;
            eDestType kind;
            Act act;
            Look look;
        } cases[] = {
            {"Laufwerk", eDestType::Directory, [](QWidget* d) { Type(d, "DriveEdt", "/media/usb/"); },
             [](const cParameters& p) { return p.DestDrive == "/media/usb"; }},
            {"Verzeichnis", eDestType::Directory, [](QWidget* d) { Type(d, "DirectoryEdt", "Daten"); },
             [](const cParameters& p) { return p.DestDirectory == "\\Daten\\"; }},
            {"Variation", eDestType::Directory,
             [](QWidget* d) { Child<QComboBox>(d, "VariationCbo")->setCurrentIndex(4); },
             [](const cParameters& p) { return p.Variation == 4 && p.EightThree; }},
            {"8.3", eDestType::Directory, [](QWidget* d) { Click(d, "EightThreeChk"); },
             [](const cParameters& p) { return !p.EightThree; }},
            {"Art", eDestType::Directory, [](QWidget* d) { Click(d, "ZipRbt"); },
             [](const cParameters& p) { return p.DestType == eDestType::Zip; }},
            {"Archiv", eDestType::Zip, [](QWidget* d) { Type(d, "ArchiveEdt", "C:\\Daten\\sicher.rar"); },
             [](const cParameters& p) { return p.DestArchive == "sicher.zip"; }},
            {"Kompression", eDestType::Zip, [](QWidget* d) { Child<QSpinBox>(d, "ZipCompressionSpn")->setValue(0); },
             [](const cParameters& p) { return p.ZipCompression == 0; }},
            {"Verschlüsseln", eDestType::Zip, [](QWidget* d) { Click(d, "ZipEncryptChk"); },
             [](const cParameters& p) { return !p.ZipEncrypt && p.ZipPassword == "geheim"; }},
            {"Zip-Kennwort", eDestType::Zip, [](QWidget* d) { Type(d, "ZipPasswordEdt", "anders"); },
             [](const cParameters& p) { return p.ZipPassword == "anders"; }},
            {"Temporär", eDestType::Zip, [](QWidget* d) { Click(d, "ZipTempSystemRbt"); },
             [](const cParameters& p) { return p.ZipTempMode == eZipTempMode::SystemTemp; }},
            {"Variation im Namen", eDestType::Zip, [](QWidget* d) { Click(d, "ZipAddVariationChk"); },
             [](const cParameters& p) { return p.ZipAddVariation; }},
            {"Server", eDestType::Ftp, [](QWidget* d) { Type(d, "ServerCbo", "ftp://Backup.Example.org"); },
             [](const cParameters& p) { return p.DestServer == "backup.example.org"; }},
            // A server given by its address, as a NAS at home often is.
            {"Server-Adresse", eDestType::Ftp, [](QWidget* d) { Type(d, "ServerCbo", "192.168.1.20"); },
             [](const cParameters& p) { return p.DestServer == "192.168.1.20"; }},
            {"Port", eDestType::Ftp, [](QWidget* d) { Child<QSpinBox>(d, "FtpPortSpn")->setValue(21); },
             [](const cParameters& p) { return p.FtpPort == 21; }},
            {"Wartezeit", eDestType::Ftp, [](QWidget* d) { Child<QSpinBox>(d, "FtpTimeOutSpn")->setValue(600); },
             [](const cParameters& p) { return p.FtpTimeOut == 600; }},
            {"Benutzer", eDestType::Ftp, [](QWidget* d) { Type(d, "FtpUserEdt", "otto"); },
             [](const cParameters& p) { return p.FtpUserName == "otto"; }},
            {"FTP-Kennwort", eDestType::Ftp, [](QWidget* d) { Type(d, "FtpPasswordEdt", ""); },
             [](const cParameters& p) { return p.FtpPassword.empty(); }},
            {"Server-Verzeichnis", eDestType::Ftp, [](QWidget* d) { Type(d, "DirectoryEdt", "\\pub"); },
             [](const cParameters& p) { return p.DestDirectory == "\\pub\\"; }},
        };
        for (const auto& c : cases) {
            testsupport::TempDir dir;
            cParameters params = RichProfile(dir, c.kind);
            const std::string before = uitest::Written(params, dir, "vorher.tvp");
            ui::TDestinationDlg dialog(params, nullptr);
            dialog.show();
            c.act(&dialog);
            Click(&dialog, "OkBtn");
            QVERIFY2(dialog.result() == QDialog::Accepted, c.name);
            QVERIFY2(c.look(params), c.name);
            QVERIFY2(uitest::DifferentLines(before, uitest::Written(params, dir, "nachher.tvp")) == 1, c.name);
        }
    }

    // OK refuses a name that cannot be used, with the reason beside its field; the dialog stays open and the
    // profile is unchanged.
    void OkRefusesBadNames() {
        const struct {
            eDestType kind;
            const char* field;
            const char* value;
            const char* problem;
            const char* reason;
        } cases[] = {
            {eDestType::Directory, "DriveEdt", "", "DriveProblemLbl", "Bitte geben Sie das Laufwerk"},
            {eDestType::Directory, "DriveEdt", "media/usb", "DriveProblemLbl",
             "„media/usb“ ist kein gültiges Laufwerk"},
            {eDestType::Directory, "DriveEdt", "/media/../etc", "DriveProblemLbl", "kein gültiges Laufwerk"},
            {eDestType::Zip, "DriveEdt", "", "DriveProblemLbl", "Bitte geben Sie das Laufwerk"},
            {eDestType::Directory, "DirectoryEdt", "\\Daten\\\\Neu\\", "DirectoryProblemLbl",
             "kein gültiges Verzeichnis"},
            {eDestType::Directory, "DirectoryEdt", "Daten*", "DirectoryProblemLbl", "„Daten*“ ist kein gültiges"},
            {eDestType::Ftp, "DirectoryEdt", "\\a:b\\", "DirectoryProblemLbl", "kein gültiges Verzeichnis"},
            {eDestType::Zip, "ArchiveEdt", "", "ArchiveProblemLbl", "Namen des Archivs"},
            {eDestType::Zip, "ArchiveEdt", "Ordner\\", "ArchiveProblemLbl", "Namen des Archivs"},
            {eDestType::Zip, "ArchiveEdt", "a|b", "ArchiveProblemLbl", "kein gültiger Archivname"},
            {eDestType::Zip, "ZipTempLocationEdt", "", "ZipTempProblemLbl", "in dem das Archiv entstehen"},
            {eDestType::Ftp, "ServerCbo", "", "ServerProblemLbl", "Bitte geben Sie den FTP-Server"},
            {eDestType::Ftp, "ServerCbo", "1backup.example.org", "ServerProblemLbl", "kein gültiger Servername"},
            {eDestType::Ftp, "ServerCbo", "nas_1.local", "ServerProblemLbl", "kein gültiger Servername"},
        };
        for (const auto& c : cases) {
            testsupport::TempDir dir;
            cParameters params = RichProfile(dir, c.kind);
            const std::string before = uitest::Written(params, dir, "vorher.tvp");
            ui::TDestinationDlg dialog(params, nullptr);
            dialog.show();
            Type(&dialog, c.field, QString::fromUtf8(c.value));
            Click(&dialog, "OkBtn");
            QVERIFY2(dialog.isVisible(), c.value);
            auto* problem = Child<QLabel>(&dialog, c.problem);
            QVERIFY2(problem->isVisible(), c.value);
            QVERIFY2(problem->text().contains(QString::fromUtf8(c.reason)), qPrintable(problem->text()));
            QCOMPARE(uitest::Written(params, dir, "nachher.tvp"), before);
            // The reason takes room of its own: the window grows, no other control is squeezed.
            QApplication::processEvents();
            for (QAbstractButton* button : dialog.findChildren<QAbstractButton*>())
                if (button->isVisible())
                    QVERIFY2(button->height() >= button->minimumSizeHint().height(), qPrintable(button->objectName()));
        }
        // A field of another kind is not checked: a zip profile made a directory does not need its archive name.
        testsupport::TempDir dir;
        cParameters params = RichProfile(dir, eDestType::Zip);
        ui::TDestinationDlg dialog(params, nullptr);
        dialog.show();
        Type(&dialog, "ArchiveEdt", "");
        Click(&dialog, "DirectoryRbt");
        Click(&dialog, "OkBtn");
        QVERIFY(!dialog.isVisible());
        QVERIFY(params.DestType == eDestType::Directory);
        QCOMPARE(params.DestArchive, std::string());
    }

    // Each check button checks its field after the variables and answers with the program's message for the
    // checked text; it is enabled only while its field holds a text.
    void CheckButtonsSayWhatTheValidatorsSay() {
        const std::string directory = ExpandVariables("\\Sicherung\\%YEAR%\\");
        const struct {
            eDestType kind;
            const char* field;
            QString value;
            const char* button;
            QString message;
        } cases[] = {
            {eDestType::Directory, "DriveEdt", "/media/usb", "DriveCheckBtn",
             "\"/media/usb\" ist ein gültiger Laufwerksname."},
            {eDestType::Directory, "DriveEdt", "d", "DriveCheckBtn", "\"d\" ist kein gültiger Laufwerksname."},
            {eDestType::Directory, "DirectoryEdt", "\\Sicherung\\%YEAR%\\", "DirectoryCheckBtn",
             "\"" + QString::fromStdString(directory) + "\" ist ein gültiger Verzeichnisname."},
            {eDestType::Directory, "DirectoryEdt", "\\Daten", "DirectoryCheckBtn",
             "\"\\Daten\" ist kein gültiger Verzeichnisname."},
            {eDestType::Zip, "ArchiveEdt", "Woche.ZIP", "ArchiveCheckBtn",
             "\"Woche.ZIP\" ist ein gültiger Archivname."},
            {eDestType::Zip, "ArchiveEdt", "Woche.rar", "ArchiveCheckBtn",
             "\"Woche.rar\" ist kein gültiger Archivname."},
            {eDestType::Ftp, "ServerCbo", "ftp.nord-1.example.org", "ServerCheckBtn",
             "\"ftp.nord-1.example.org\" ist ein gültiger Servername."},
            {eDestType::Ftp, "ServerCbo", "ftp..example.org", "ServerCheckBtn",
             "\"ftp..example.org\" ist kein gültiger Servername."},
            {eDestType::Ftp, "ServerCbo", "ftp://example.org", "ServerCheckBtn",
             "\"ftp://example.org\" ist kein gültiger Servername."},
            {eDestType::Ftp, "ServerCbo", "fd00::20", "ServerCheckBtn", "\"fd00::20\" ist ein gültiger Servername."},
        };
        for (const auto& c : cases) {
            testsupport::TempDir dir;
            cParameters params = RichProfile(dir, c.kind);
            ui::TDestinationDlg dialog(params, nullptr);
            dialog.show();
            Type(&dialog, c.field, c.value);
            QString shown;
            uitest::cModalScript script;
            script.Click("OkBtn", [&](QWidget* box) { shown = uitest::BoxText(box); });
            Click(&dialog, c.button);
            QVERIFY2(script.Done() && script.Unexpected() == 0, c.button);
            QVERIFY2(shown.startsWith(c.message), qPrintable(shown));
            Type(&dialog, c.field, QString());
            QVERIFY2(!Child<QPushButton>(&dialog, c.button)->isEnabled(), c.button);
        }
    }

    // The type buttons switch the panels; the disk dialog has no meaning for a server; "8.3-kompatibel" goes off
    // with the fixed variation.
    void KindsSwitchThePanels() {
        testsupport::TempDir dir;
        cParameters params = RichProfile(dir, eDestType::Directory);
        ui::TDestinationDlg dialog(params, nullptr);
        dialog.show();
        const struct {
            eDestType kind;
            bool drive, archive, server, disk;
        } cases[] = {
            {eDestType::Zip, true, true, false, true},
            {eDestType::Ftp, false, false, true, false},
            {eDestType::Directory, true, false, false, true},
        };
        for (const auto& c : cases) {
            Click(&dialog, KindButton(c.kind));
            QVERIFY(dialog.Kind() == c.kind);
            QCOMPARE(Child<QWidget>(&dialog, "DrivePnl")->isVisible(), c.drive);
            QCOMPARE(Child<QWidget>(&dialog, "ArchivePnl")->isVisible(), c.archive);
            QCOMPARE(Child<QWidget>(&dialog, "ServerPnl")->isVisible(), c.server);
            QVERIFY(Child<QWidget>(&dialog, "DirectoryPnl")->isVisible());
            QCOMPARE(Child<QPushButton>(&dialog, "DiskBtn")->isEnabled(), c.disk);
            // The server field has a name: its folders can be read.
            QVERIFY(Child<QPushButton>(&dialog, "ServerReadBtn")->isEnabled());
        }
        auto* eightThree = Child<QCheckBox>(&dialog, "EightThreeChk");
        QVERIFY(eightThree->isEnabled() && eightThree->isChecked());
        Child<QComboBox>(&dialog, "VariationCbo")->setCurrentIndex(0);
        QVERIFY(!eightThree->isEnabled() && !eightThree->isChecked());
        Child<QComboBox>(&dialog, "VariationCbo")->setCurrentIndex(5);
        QVERIFY(eightThree->isEnabled() && !eightThree->isChecked());
    }

    // For each kind: no two visible controls share an accelerator, and the tab key visits the fields in the order
    // they stand in.
    void AcceleratorsAndTabOrderFitEachKind() {
        const struct {
            eDestType kind;
            std::vector<const char*> order;
        } cases[] = {
            {eDestType::Directory,
             {"DirectoryRbt", "DriveEdt", "DriveCheckBtn", "DirectoryEdt", "VariationCbo", "OkBtn"}},
            {eDestType::Zip,
             {"ZipRbt", "DriveEdt", "DirectoryEdt", "ArchiveEdt", "ZipCompressionSpn", "ZipPasswordEdt",
              "ZipAddVariationChk", "VariationCbo", "DiskBtn"}},
            {eDestType::Ftp, {"FtpRbt", "ServerCbo", "FtpPortSpn", "FtpPasswordEdt", "DirectoryEdt", "EightThreeChk"}},
        };
        for (const auto& c : cases) {
            testsupport::TempDir dir;
            cParameters params = RichProfile(dir, c.kind);
            ui::TDestinationDlg dialog(params, nullptr);
            dialog.show();
            QSet<QChar> keys;
            QStringList owners;
            auto take = [&](const QString& text, QWidget* owner) {
                const qsizetype at = text.indexOf(QLatin1Char('&'));
                if (at < 0 || at + 1 >= text.size() || !owner->isVisibleTo(&dialog)) return;
                const QChar key = text[at + 1].toLower();
                QVERIFY2(!keys.contains(key), qPrintable(text + " / " + owners.join(QLatin1Char(','))));
                keys.insert(key);
                owners << text;
            };
            for (QLabel* label : dialog.findChildren<QLabel*>())
                if (label->buddy()) take(label->text(), label);
            for (QAbstractButton* button : dialog.findChildren<QAbstractButton*>())
                take(button->text(), button);

            // The focus chain is a ring: once round, from the first control of the list.
            QStringList chain;
            QWidget* first = Child<QWidget>(&dialog, c.order.front());
            QWidget* widget = first;
            do {
                if (widget->isVisibleTo(&dialog) && !widget->objectName().isEmpty()) chain << widget->objectName();
                widget = widget->nextInFocusChain();
            } while (widget != first);
            qsizetype last = -1;
            for (const char* name : c.order) {
                const qsizetype at = chain.indexOf(QString::fromLatin1(name), last + 1);
                QVERIFY2(at > last, name);
                last = at;
            }
        }
    }

    // Browsing picks a directory or an archive on the drive and writes it in the program's form; a directory
    // outside the drive is refused beside the field, and browsing needs a drive that is ready.
    void BrowsingPicksNamesBelowTheDrive() {
        testsupport::TempDir dir;
        const fs::path root = dir.Path() / "Ziel";
        fs::create_directories(root / "Briefe" / "2026");
        fs::create_directories(dir.Path() / "Anderes");
        dir.WriteFile("Ziel/Alt/Woche 12.zip", "PK");
        cParameters params = RichProfile(dir, eDestType::Zip);
        ui::TDestinationDlg dialog(params, nullptr);
        dialog.show();
        auto* directory = Child<QLineEdit>(&dialog, "DirectoryEdt");
        auto* directoryProblem = Child<QLabel>(&dialog, "DirectoryProblemLbl");

        uitest::cModalScript script;
        script.ChooseFile(QString::fromStdString((root / "Briefe" / "2026").string()))
            .ChooseFile(QString::fromStdString((dir.Path() / "Anderes").string()))
            .ChooseFile(QString::fromStdString((root / "Alt" / "Woche 12.zip").string()));
        Click(&dialog, "DirectoryBrowseBtn");
        QCOMPARE(directory->text(), QStringLiteral("\\Briefe\\2026\\"));
        Click(&dialog, "DirectoryBrowseBtn");
        QCOMPARE(directory->text(), QStringLiteral("\\Briefe\\2026\\"));
        QVERIFY(directoryProblem->isVisible());
        QVERIFY(directoryProblem->text().contains(QStringLiteral("liegt nicht auf dem Laufwerk")));
        Click(&dialog, "ArchiveBrowseBtn");
        QVERIFY(script.Done() && script.Unexpected() == 0);
        QCOMPARE(Child<QLineEdit>(&dialog, "ArchiveEdt")->text(), QStringLiteral("Woche 12.zip"));
        QCOMPARE(directory->text(), QStringLiteral("\\Alt\\"));

        Type(&dialog, "DriveEdt", "F:"); // a Windows drive that the settings do not map
        Click(&dialog, "DirectoryBrowseBtn");
        QVERIFY(Child<QLabel>(&dialog, "DriveProblemLbl")->text().contains(QStringLiteral("nicht bereit")));
        QCOMPARE(script.Unexpected(), 0);
    }

    // The server field offers the servers used before; OK of an FTP destination adds its server, normalised,
    // and a server typed for another kind is not "used".
    void OkAddsTheServerToTheServersUsed() {
        for (const eDestType kind : {eDestType::Ftp, eDestType::Directory}) {
            testsupport::TempDir dir;
            cParameters params = RichProfile(dir, kind);
            ui::TDestinationDlg dialog(params, nullptr);
            dialog.show();
            auto* servers = Child<QComboBox>(&dialog, "ServerCbo");
            QCOMPARE(servers->count(), 2);
            QCOMPARE(servers->itemText(1), QStringLiteral("nas.local"));
            QCOMPARE(servers->currentText(), QStringLiteral("ftp.example.org"));
            Type(&dialog, "ServerCbo", QStringLiteral("ftp://Backup.Example.org"));
            Click(&dialog, "OkBtn");
            QVERIFY(dialog.result() == QDialog::Accepted);
            if (kind == eDestType::Ftp) {
                QCOMPARE(params.LastUsedServers.Size(), std::size_t(3));
                QVERIFY(params.LastUsedServers.Contains("backup.example.org"));
            } else {
                QCOMPARE(params.LastUsedServers.Size(), std::size_t(2));
                QCOMPARE(params.DestServer, std::string("ftp://Backup.Example.org"));
            }
        }
    }

    // Cancel leaves the profile and the servers used alone, whatever was changed, in the disk dialog too.
    void CancelChangesNothing() {
        testsupport::TempDir dir;
        cParameters params = RichProfile(dir, eDestType::Directory);
        const std::string before = uitest::Written(params, dir, "vorher.tvp");
        const cTextList servers = params.LastUsedServers;
        ui::TDestinationDlg dialog(params, nullptr);
        dialog.show();
        Type(&dialog, "DriveEdt", "/media/usb");
        Type(&dialog, "DirectoryEdt", "\\Anders\\");
        uitest::cModalScript script;
        script.Then([](QWidget* disk) {
            Click(disk, "CheckLabelChk");
            Click(disk, "EjectDiskChk");
            Click(disk, "OkBtn");
        });
        Click(&dialog, "DiskBtn");
        QVERIFY(script.Done());
        QCOMPARE(dialog.Disk().CheckLabel, std::string());
        QVERIFY(!dialog.Disk().EjectDisk);
        Click(&dialog, "FtpRbt");
        Type(&dialog, "ServerCbo", "neu.example.org");
        Click(&dialog, "CancelBtn");
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(uitest::Written(params, dir, "nachher.tvp"), before);
        QVERIFY(params.LastUsedServers == servers);
    }

    // The disk dialog: the label field and its buttons only while the box is ticked; "Wochentag" appends the
    // weekday variable; OK stores the label only when ticked and refuses an empty one; Cancel keeps everything.
    void DiskDialogStoresItsSettings() {
        ui::cDiskSettings disk{"", false, true};
        {
            ui::TDiskDlg dialog(disk, "/", {}, nullptr);
            dialog.show();
            QVERIFY(!Child<QLineEdit>(&dialog, "LabelEdt")->isEnabled());
            QVERIFY(!Child<QPushButton>(&dialog, "ReadBtn")->isEnabled());
            QVERIFY(!Child<QPushButton>(&dialog, "WeekdayBtn")->isEnabled());
            Click(&dialog, "CheckLabelChk");
            Click(&dialog, "OkBtn");
            QVERIFY(dialog.isVisible());
            QVERIFY(Child<QLabel>(&dialog, "ProblemLbl")->text().contains(QStringLiteral("Bezeichnung")));
            Type(&dialog, "LabelEdt", "Montag");
            Click(&dialog, "WeekdayBtn");
            QCOMPARE(Child<QLineEdit>(&dialog, "LabelEdt")->text(), QStringLiteral("Montag%DAYOFWEEK%"));
            Type(&dialog, "LabelEdt", "SICHERUNG ");
            Click(&dialog, "WeekdayBtn");
            Click(&dialog, "OfferFormatChk");
            Click(&dialog, "OkBtn");
            QVERIFY(!dialog.isVisible());
        }
        QVERIFY((disk == ui::cDiskSettings{"SICHERUNG %DAYOFWEEK%", true, true}));
        {
            ui::TDiskDlg dialog(disk, "/", {}, nullptr);
            QVERIFY(Child<QLineEdit>(&dialog, "LabelEdt")->isEnabled());
            Click(&dialog, "CheckLabelChk"); // the text stays in the field but is not stored
            Click(&dialog, "EjectDiskChk");
            Click(&dialog, "CancelBtn");
        }
        QVERIFY((disk == ui::cDiskSettings{"SICHERUNG %DAYOFWEEK%", true, true}));
        {
            ui::TDiskDlg dialog(disk, "/", {}, nullptr);
            Click(&dialog, "CheckLabelChk");
            Click(&dialog, "OkBtn");
        }
        QVERIFY((disk == ui::cDiskSettings{"", true, true}));
    }

    // "Lesen" takes the label of the file system that holds the destination's drive: here a temporary
    // directory "labelled" through a label directory and mount table of the test's own. A drive whose file
    // system has no label, and a drive that is not ready, give an empty field.
    void ReadTakesTheLabelOfTheDrive() {
        testsupport::TempDir dir;
        const fs::path root = dir.Path() / "Ziel";
        fs::create_directories(root);
        struct stat info {};
        QCOMPARE(::stat(root.c_str(), &info), 0);
        const fs::path device = dir.WriteFile("geraet", "");
        fs::create_directories(dir.Path() / "by-label");
        fs::create_directories(dir.Path() / "leer");
        const fs::path mountInfo = dir.WriteFile("mountinfo", "30 1 " + std::to_string(major(info.st_dev)) + ":" +
                                                                  std::to_string(minor(info.st_dev)) +
                                                                  " / / rw - ext4 " + device.string() + " rw\n");
        fs::create_symlink(device, dir.Path() / "by-label" / "USB\\x20STICK");

        platform::cDriveMap drives;
        drives.Set("E:", root.string());
        const struct {
            std::string labels;
            std::string drive;
            QString label;
        } cases[] = {
            {"by-label", root.string(), "USB STICK"},
            {"by-label", "e:", "USB STICK"},
            {"leer", root.string(), ""},
            {"by-label", "F:", ""},
        };
        for (const auto& c : cases) {
            platform::SetVolumeLabelSources((dir.Path() / c.labels).string(), mountInfo.string());
            ui::cDiskSettings disk{"ALT", false, false};
            ui::TDiskDlg dialog(disk, c.drive, drives, nullptr);
            Click(&dialog, "ReadBtn");
            QCOMPARE(Child<QLineEdit>(&dialog, "LabelEdt")->text(), c.label);
        }
        // Through the destination dialog the drive is the one typed there, not the one stored.
        platform::SetVolumeLabelSources((dir.Path() / "by-label").string(), mountInfo.string());
        cParameters params = RichProfile(dir, eDestType::Directory);
        params.DestDrive = "/";
        ui::TDestinationDlg dialog(params, nullptr);
        dialog.show();
        Type(&dialog, "DriveEdt", QString::fromStdString(root.string()));
        QString read;
        uitest::cModalScript script;
        script.Then([&](QWidget* disk) {
            Click(disk, "ReadBtn");
            read = Child<QLineEdit>(disk, "LabelEdt")->text();
            Click(disk, "OkBtn");
        });
        Click(&dialog, "DiskBtn");
        QVERIFY(script.Done());
        QCOMPARE(read, QStringLiteral("USB STICK"));
        Click(&dialog, "OkBtn");
        QCOMPARE(params.CheckLabel, std::string("USB STICK"));
        platform::SetVolumeLabelSources({}, {});
    }
};

QTEST_MAIN(DestinationDialogTest)
#include "DestinationDialogTest.moc"
