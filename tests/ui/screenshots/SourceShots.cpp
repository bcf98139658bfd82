// The source dialog on Anna's home: letters with an old folder left out, pictures and documents searched, a few
// masks, and the count of what that selects.
#include "ScreenshotShots.h"

#include "profile/Parameters.h"
#include "ui/SourceDialog.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include <filesystem>

namespace {

using screenshots::cScene;
using screenshots::Keep;

cParameters& SourceProfile(const cScene& scene) {
    scene.Dir().WriteFile("Anna/Briefe/Alt/2019/Brief an die Bank.txt", "Sehr geehrte Damen und Herren,\n");
    scene.Dir().WriteFile("Anna/Dokumente/Steuer 2025/Belege.pdf", std::string(40000, 'x'));
    scene.Dir().WriteFile("Anna/Dokumente/Rezepte/Apfelkuchen.odt", std::string(12000, 'x'));
    scene.Dir().WriteFile("Anna/Musik/Lieblingslied.ogg", std::string(90000, 'x'));
    std::error_code ignored;
    std::filesystem::create_directory_symlink("/tmp", scene.Dir().Path() / "Anna/Temporär", ignored);
    cParameters& params = Keep(scene.Profile());
    params.SearchDirectories.Add("\\Dokumente\\*");
    params.ExcludeDirectories.Add("\\Briefe\\Alt\\*");
    params.EnforceFiles.Add("*.kdbx");
    params.ExcludeFiles.Add("*.tmp");
    params.ExcludeFiles.Add("~*.*");
    return params;
}

std::vector<ui::cSourceVolume> Volumes() {
    return {{QStringLiteral("/"), QString()},
            {QStringLiteral("/home"), QStringLiteral("Daten")},
            {QStringLiteral("/media/anna/USB-STICK"), QStringLiteral("USB-STICK")}};
}

QWidget* SourceDialog(const cScene& scene, int tab) {
    auto* dialog = new ui::TSourceDlg(SourceProfile(scene), Volumes(), nullptr);
    dialog->findChild<QTabWidget*>("SourceSht")->setCurrentIndex(tab);
    // The count runs on its own thread: the picture shows its result.
    dialog->show();
    QTest::qWait(800);
    return dialog;
}

// A profile made on Windows: its drive D: is found through the mapping, and a typed entry without its leading "\"
// is named next to the entries after OK.
QWidget* WindowsProfileDialog(const cScene& scene) {
    cParameters& params = SourceProfile(scene);
    params.Drives.Set("D:", params.SourceDrive);
    params.SourceDrive = "D:";
    auto* dialog = new ui::TSourceDlg(params, Volumes(), nullptr);
    dialog->findChild<QPlainTextEdit*>("SearchMmo")
        ->setPlainText(QStringLiteral("\\Bilder\\*\n\\Briefe\\*\nDokumente\\Steuer 2025\\"));
    dialog->show();
    dialog->findChild<QPushButton*>("OkBtn")->click();
    QTest::qWait(800);
    return dialog;
}

const screenshots::cRegisterShots kSourceShots({
    {"SourceDlg-Verzeichnisse", [](const cScene& s) { return SourceDialog(s, 0); }},
    {"SourceDlg-Dateimasken", [](const cScene& s) { return SourceDialog(s, 1); }},
    {"SourceDlg-Laufwerk", WindowsProfileDialog},
});

} // namespace
