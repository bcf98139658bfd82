// "Top 12" with a few favourites of Anna's, and "Programmoptionen" showing the scene's picture in the main window.
#include "ScreenshotShots.h"

#include "profile/Parameters.h"
#include "ui/ProgramOptionsDialog.h"
#include "ui/TopTwelveDialog.h"

namespace {

using screenshots::cScene;
using screenshots::Keep;

cParameters& WithFavourites(const cScene& scene) {
    cParameters& params = Keep(scene.Profile());
    const std::string folder = (scene.Dir().Path() / "").string();
    cTopTwelve& top = params.TopTwelve;
    top.Descriptions[0] = "Briefe sichern";
    top.Profiles[0] = params.DocumentFile;
    top.Descriptions[1] = "Fotos auf den USB-Stick";
    top.Profiles[1] = "/media/anna/STICK/Fotos.tvp";
    top.Descriptions[2] = "Kassenbuch %YEAR%";
    top.Profiles[2] = folder + "Kassenbuch %YEAR%.tvp";
    top.Profiles[4] = folder + "Wochenende.tvb";
    return params;
}

cParameters& WithPicture(const cScene& scene) {
    cParameters& params = Keep(scene.Profile());
    cProgrammParameters& options = params.Programm;
    options.Reopen = true;
    options.LastFile = params.DocumentFile;
    options.MainDisplay = 2;
    options.MessagePath = scene.MessageFile();
    options.PicturePath = scene.PictureFile();
    options.CompareA = "/usr/bin/meld";
    options.BirthDate = 31120; // 14 March 1985
    return params;
}

const screenshots::cRegisterShots kProgramOptionsShots({
    {"TopTwelveDlg", [](const cScene& s) { return new ui::TTopTwelveDlg(WithFavourites(s), nullptr); }},
    {"ProgramOptionsDlg", [](const cScene& s) { return new ui::TProgramOptionsDlg(WithPicture(s), nullptr); }},
});

} // namespace
