#include "ui/GuiMain.h"

#include "profile/IniFile.h"
#include "profile/Parameters.h"
#include "profile/SettingsFile.h"
#include "shell/DocumentBoxes.h"
#include "ui/MainWnd.h"

#include <QApplication>

#include <memory>

namespace ui {

int RunGui(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tolvan 6"));
    std::unique_ptr<cIniFile> settings = OpenSettingsFile();
    cParameters params(settings.get());
    params.Drives = ReadDrives(*settings);
    params.ResetBatch();
    params.ResetProfile();
    params.AddDefaultMask();
    params.ReadRunCount();
    TMainWnd window(params, false);
    window.show();
    return QApplication::exec();
}

} // namespace ui
