// tolvan_screenshots DIR: renders every window of the program in a realistic state into DIR/<Window>.png.
#include "RunWindowSamples.h"
#include "ScreenshotScene.h"
#include "ScreenshotShots.h"

#include "platform/Clock.h"
#include "platform/FileTime.h"
#include "platform/ProgramFolders.h"
#include "ui/BeginnerDialog.h"
#include "ui/CheckDialog.h"
#include "ui/CopyWindow.h"
#include "ui/HelpWindow.h"
#include "ui/InfoWindow.h"
#include "ui/InterruptionDialog.h"
#include "ui/LogViewer.h"
#include "ui/MainDisplay.h"
#include "ui/MainWnd.h"
#include "ui/MessageDialog.h"
#include "ui/NewFileDialog.h"
#include "ui/QtTranslations.h"
#include "ui/RunEventWindow.h"
#include "ui/ShortcutDialog.h"
#include "ui/SplashWnd.h"
#include "ui/StatusStrip.h"
#include "ui/TimedBox.h"
#include "ui/ViewLogDlg.h"
#include "ui/ViewWindow.h"

#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QPixmap>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

using screenshots::cScene;
using screenshots::cShot;
using screenshots::Keep;

// Shows the window and saves its picture into file.
bool Save(QWidget* window, const QString& file) {
    window->show();
    QApplication::processEvents();
    if (window->grab().save(file)) return true;
    std::fprintf(stderr, "%s: nicht geschrieben\n", qPrintable(file));
    return false;
}

QWidget* Display(int kind, const cScene& scene) {
    auto* display = new ui::cMainDisplay(nullptr);
    cProgrammParameters options;
    options.MainDisplay = static_cast<std::uint8_t>(kind);
    options.PicturePath = scene.PictureFile();
    options.MessagePath = scene.MessageFile();
    options.BirthDate = 32937; // 5 March 1990
    options.FrameColor = 0x00404040;
    display->Rebuild(options);
    display->resize(487, display->sizeHint().height());
    return display;
}

QString Caption(const cScene& s) {
    return QString::fromStdString(std::filesystem::path(s.Profile().ProfileFile).filename().string()) +
           QStringLiteral(" - Tolvan 6");
}

QWidget* MainWindow(cParameters params) {
    cParameters& document = Keep(std::move(params));
    document.OldFiles[0] = document.DocumentFile;
    document.OldFiles[1] = "/home/anna/Profile/Fotos spiegeln.tvp";
    document.OldFiles[2] = "/home/anna/Profile/Wochenende.tvb";
    document.TopTwelve.Profiles[0] = document.DocumentFile;
    document.TopTwelve.Descriptions[0] = "Briefe sichern";
    document.TopTwelve.Profiles[1] = "/home/anna/Profile/Fotos spiegeln.tvp";
    document.TopTwelve.Descriptions[1] = "Fotos auf den USB-Stick";
    auto* window = new ui::TMainWnd(document, false);
    window->UpdateRecentMenu();
    window->UpdateTopTwelveMenu();
    return window;
}

// The window's menu, opened below its title in the menu bar; the picture shows the menu alone.
QWidget* OpenMenu(QWidget* window, const char* menuName) {
    window->show();
    QApplication::processEvents();
    auto* menu = window->findChild<QMenu*>(QString::fromLatin1(menuName));
    menu->popup(window->mapToGlobal(QPoint(10, 30)));
    return menu;
}

const screenshots::cRegisterShots kMainShots({
    {"MainDisplay-Aufgaben", [](const cScene& s) { return Display(0, s); }},
    {"MainDisplay-Nachricht", [](const cScene& s) { return Display(1, s); }},
    {"MainDisplay-Bild", [](const cScene& s) { return Display(2, s); }},
    {"MainDisplay-Biorhythmus", [](const cScene& s) { return Display(3, s); }},
    {"StatusStrip",
     [](const cScene&) {
         auto* strip = new ui::cStatusStrip(nullptr);
         ui::cAutomaticLamps lamps;
         lamps.AutoOpen = true;
         lamps.AutoShutdown = 3;
         lamps.Scheduler = true;
         strip->SetLamps(lamps);
         return strip;
     }},
    {"ViewWnd-Profil", [](const cScene& s) { return new ui::TViewWnd(std::as_const(Keep(s.Profile())), nullptr); }},
    {"ViewWnd-Batch", [](const cScene& s) { return new ui::TViewWnd(std::as_const(Keep(s.Batch())), nullptr); }},
    {"ViewLogDlg",
     [](const cScene& s) {
         auto* viewer = new ui::TViewLogDlg(Keep(s.Profile()), nullptr);
         viewer->LoadFile(s.LogFile());
         return viewer;
     }},
    {"MainWnd-Profil", [](const cScene& s) { return MainWindow(s.Profile()); }},
    {"MainWnd-Batch", [](const cScene& s) { return MainWindow(s.Batch()); }},
    {"MainWnd-Menue-Datei", [](const cScene& s) { return OpenMenu(MainWindow(s.Profile()), "FileMnu"); }},
    {"MainWnd-Menue-Konfiguration",
     [](const cScene& s) { return OpenMenu(MainWindow(s.Profile()), "ConfigurationMnu"); }},
    {"TrayMenu", [](const cScene& s) { return OpenMenu(MainWindow(s.Profile()), "TrayMenu"); }},
    {"MessageDlg-Fehler",
     [](const cScene& s) -> QWidget* {
         return new ui::TMessageDlg(
             nullptr, Caption(s), eMessageKind::Error,
             QString::fromStdString("Das Log kann nicht nach " + s.LogFile() +
                                    " geschrieben werden:\n\nZugriff verweigert\n\nFortfahren ohne Log?"),
             ui::AnswersOf(eMessageButtons::YesNoHelp), true, 30102);
     }},
    {"MessageDlg-Frage",
     [](const cScene& s) -> QWidget* {
         return new ui::TMessageDlg(nullptr, QStringLiteral("Tolvan 6"), eMessageKind::Confirmation,
                                    QString::fromStdString("Änderungen an " + s.Profile().DocumentFile + " sichern?"),
                                    {eAnswer::Yes, eAnswer::No, eAnswer::Cancel}, false, 0);
     }},
    {"MessageDlg-Warnung",
     [](const cScene& s) -> QWidget* {
         return new ui::TMessageDlg(nullptr, Caption(s), eMessageKind::Warning,
                                    QStringLiteral("Laufwerk /media/usb hat 1.234 MB zuwenig Speicherplatz.\n\n"
                                                   "Freien Platz auf dem Datenträger neu lesen und fortfahren?"),
                                    ui::AnswersOf(eMessageButtons::YesNoHelp), true, 30125);
     }},
    {"ReportError",
     [](const cScene&) -> QWidget* {
         return new ui::TMessageDlg(nullptr, QStringLiteral("Tolvan 6"), eMessageKind::Error,
                                    QStringLiteral("Fehler \"Zugriffsverletzung\" aufgetreten in Routine SOURCE!\n"
                                                   "Bitte setzen Sie sich mit dem Hersteller in Verbindung.\n"
                                                   "Kontaktinformation erhalten Sie über den Hilfe-Knopf."),
                                    {eAnswer::Ok}, true, 10010);
     }},
    {"TimedBox",
     [](const cScene& s) -> QWidget* {
         return new ui::TTimedBox(nullptr, Caption(s), QStringLiteral("Fehler beim Lesen von..."),
                                  QStringLiteral("/home/anna/Dokumente/Belege 2026.ods"),
                                  QStringLiteral("Zugriff verweigert"), 30);
     }},
    {"RunEventWnd-gestartet",
     [](const cScene& s) -> QWidget* {
         auto* windows = new ui::cRunEventWindows(Keep(s.Profile()));
         windows->Show(eRunEvent::Started, true, platform::ShippedFolder() + "Nachrichten/Lauf gestartet.rtf");
         return windows->Started();
     }},
    {"RunEventWnd-beendet",
     [](const cScene& s) -> QWidget* {
         auto* windows = new ui::cRunEventWindows(Keep(s.Profile()));
         windows->Show(eRunEvent::Finished, true, platform::ShippedFolder() + "Nachrichten/Lauf beendet.rtf");
         return windows->Finished();
     }},
    {"HelpWnd",
     [](const cScene&) -> QWidget* {
         ui::ShowHelp(nullptr, 4910);
         return ui::OpenHelpWindow();
     }},
    {"SplashWnd", [](const cScene&) -> QWidget* { return new ui::TSplashWnd(); }},
    {"InfoWnd", [](const cScene& s) -> QWidget* { return ui::SampleInfoWindow(Keep(s.Profile())).release(); }},
    {"InterruptionDlg",
     [](const cScene& s) -> QWidget* {
         QWidget* dialog = ui::SampleInterruptionDialog(Keep(s.Profile())).release();
         dialog->show();
         QTest::qWait(1200); // its buttons come on after a second
         return dialog;
     }},
    {"DoubleModsDlg",
     [](const cScene& s) -> QWidget* {
         static cCheckDialogModel model = ui::SampleCheckModel(eCheckDialog::DoubleModifications);
         return new ui::TCheckDlg(Keep(s.Profile()), model, nullptr);
     }},
    {"SizesDlg",
     [](const cScene& s) -> QWidget* {
         static cCheckDialogModel model = ui::SampleCheckModel(eCheckDialog::SizeDifferences);
         return new ui::TCheckDlg(Keep(s.Profile()), model, nullptr);
     }},
    {"NeueDatei", nullptr, [](const cScene&) { ui::AskNewFileKind(nullptr); }},
    {"BeginnerDlg", [](const cScene&) { return new ui::TBeginnerDlg(nullptr); }},
    {"CopyWnd", [](const cScene& s) -> QWidget* { return ui::SampleCopyWindow(Keep(s.Profile())).release(); }},
    {"ShortcutDlg", [](const cScene& s) { return new ui::TShortcutDlg(Keep(s.Profile()), nullptr, nullptr); }},
});

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ui::LoadQtTranslations(app);
    if (argc != 2) {
        std::fprintf(stderr, "Aufruf: tolvan_screenshots ORDNER\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(folder);
    platform::SetClock(platform::JoinFileTime(2026, 12, 10, 17, 2, 11));
    const cScene scene;
    int failed = 0;
    for (const cShot& shot : screenshots::Shots()) {
        const QString file = folder + QStringLiteral("/") + QString::fromLatin1(shot.Name) + QStringLiteral(".png");
        if (shot.OpenModal) {
            bool saved = false;
            QTimer::singleShot(300, [&] {
                QWidget* modal = QApplication::activeModalWidget();
                saved = modal && Save(modal, file);
                if (modal) modal->close();
            });
            shot.OpenModal(scene);
            if (!saved) ++failed;
            continue;
        }
        QWidget* window = shot.Make(scene);
        if (!Save(window, file)) ++failed;
        window->close();
    }
    std::printf("%zu Bilder in %s\n", screenshots::Shots().size() - static_cast<std::size_t>(failed), argv[1]);
    return failed == 0 ? 0 : 1;
}
