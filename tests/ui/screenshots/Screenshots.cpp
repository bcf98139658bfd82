// tolvan_screenshots DIR: renders every window of the program in a realistic state into DIR/<Window>.png.
#include "ScreenshotScene.h"

#include "platform/Clock.h"
#include "platform/FileTime.h"
#include "ui/BeginnerDialog.h"
#include "ui/LogViewer.h"
#include "ui/MainDisplay.h"
#include "ui/ShortcutDialog.h"
#include "ui/StatusStrip.h"
#include "ui/ViewLogDlg.h"
#include "ui/ViewWindow.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QWidget>

#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

using screenshots::cScene;

struct cShot {
    const char* Name;
    std::function<std::unique_ptr<QWidget>(const cScene&)> Make;
};

// The documents the windows show live as long as the program.
cParameters& Keep(cParameters params) {
    static std::vector<std::unique_ptr<cParameters>> kept;
    kept.push_back(std::make_unique<cParameters>(std::move(params)));
    return *kept.back();
}

std::unique_ptr<QWidget> Display(int kind, const cScene& scene) {
    auto display = std::make_unique<ui::cMainDisplay>(nullptr);
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

const std::vector<cShot>& Shots() {
    static const std::vector<cShot> shots = {
        {"MainDisplay-Aufgaben", [](const cScene& s) { return Display(0, s); }},
        {"MainDisplay-Nachricht", [](const cScene& s) { return Display(1, s); }},
        {"MainDisplay-Bild", [](const cScene& s) { return Display(2, s); }},
        {"MainDisplay-Biorhythmus", [](const cScene& s) { return Display(3, s); }},
        {"StatusStrip",
         [](const cScene&) {
             auto strip = std::make_unique<ui::cStatusStrip>(nullptr);
             ui::cAutomaticLamps lamps;
             lamps.AutoOpen = true;
             lamps.AutoShutdown = 3;
             lamps.Scheduler = true;
             strip->SetLamps(lamps);
             return strip;
         }},
        {"ViewWnd-Profil",
         [](const cScene& s) { return std::make_unique<ui::TViewWnd>(std::as_const(Keep(s.Profile())), nullptr); }},
        {"ViewWnd-Batch",
         [](const cScene& s) { return std::make_unique<ui::TViewWnd>(std::as_const(Keep(s.Batch())), nullptr); }},
        {"ViewLogDlg",
         [](const cScene& s) {
             auto viewer = std::make_unique<ui::TViewLogDlg>(Keep(s.Profile()), nullptr);
             viewer->LoadFile(s.LogFile());
             return viewer;
         }},
        {"BeginnerDlg", [](const cScene&) { return std::make_unique<ui::TBeginnerDlg>(nullptr); }},
        {"ShortcutDlg",
         [](const cScene& s) { return std::make_unique<ui::TShortcutDlg>(Keep(s.Profile()), nullptr, nullptr); }},
    };
    return shots;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "Aufruf: tolvan_screenshots ORDNER\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(folder);
    platform::SetClock(platform::JoinFileTime(2026, 12, 10, 17, 2, 11));
    const cScene scene;
    int failed = 0;
    for (const cShot& shot : Shots()) {
        std::unique_ptr<QWidget> window = shot.Make(scene);
        window->show();
        QApplication::processEvents();
        const QString file = folder + QStringLiteral("/") + QString::fromLatin1(shot.Name) + QStringLiteral(".png");
        if (!window->grab().save(file)) {
            std::fprintf(stderr, "%s: nicht geschrieben\n", qPrintable(file));
            ++failed;
        }
        window->close();
    }
    std::printf("%zu Bilder in %s\n", Shots().size() - static_cast<std::size_t>(failed), argv[1]);
    return failed == 0 ? 0 : 1;
}
