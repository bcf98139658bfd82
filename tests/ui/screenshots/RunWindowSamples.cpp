#include "RunWindowSamples.h"

#include "platform/Clock.h"
#include "ui/CopyWindow.h"
#include "ui/InfoWindow.h"
#include "ui/InterruptionDialog.h"

namespace ui {

namespace {

constexpr std::int64_t kGiB = 1024 * 1024 * 1024;
constexpr platform::FileTime kCopyingFor = 95 * platform::kTicksPerSecond;

} // namespace

std::unique_ptr<TInfoWnd> SampleInfoWindow(const cParameters& params) {
    auto window = std::make_unique<TInfoWnd>(params);
    window->ShowPhase(QStringLiteral("Vergleiche Dateien (Verify)..."), 1200);
    window->Step(400);
    return window;
}

std::unique_ptr<TCopyWnd> SampleCopyWindow(const cParameters& params) {
    const platform::FileTime now = platform::NowUtc();
    platform::SetClock(now - kCopyingFor);
    auto window = std::make_unique<TCopyWnd>(params, 2 * kGiB);
    platform::SetClock(now);
    window->ShowFile({"/home/anna/Fotos/2026/Urlaub an der Ostsee/Rügen/Kreidefelsen bei Sonnenaufgang.jpg",
                      "8.421.337", "14.08.2026", "06:12:40",
                      "/media/anna/Sicherung/Fotos/2026/Urlaub an der Ostsee/Rügen/Kreidefelsen bei Sonnenaufgang.jpg",
                      "", "", "", 0});
    window->ReportProgress(kGiB + kGiB / 4, 5 * 1024 * 1024,
                           "/home/anna/Fotos/2026/Urlaub an der Ostsee/Rügen/Kreidefelsen bei Sonnenaufgang.jpg");
    window->Tick();
    platform::SetClock(std::nullopt);
    return window;
}

std::unique_ptr<TInterruptionDlg> SampleInterruptionDialog(const cParameters& params) {
    return std::make_unique<TInterruptionDlg>(
        params, cInterruptionInfo{"/home/anna/Dokumente/Steuer/Steuererklärung 2025.ods", "184.320", "09.12.2026",
                                  "14:02:11", "/media/anna/Sicherung/Dokumente/Steuer/Steuererklärung 2025.ods",
                                  "176.128", "01.12.2026", "08:15:00", 112});
}

cCheckDialogModel SampleCheckModel(eCheckDialog kind) {
    cCheckDialogModel model;
    model.Kind = kind;
    if (kind == eCheckDialog::DoubleModifications) {
        model.Heading = "Seit dem letzten Lauf am Mi 09.12.2026 18:30:00 wurden folgende Dateien sowohl in der Quelle "
                        "als auch im Ziel geändert:";
        model.DefaultAction = kDefaultSkip;
    } else {
        model.Heading = "Folgende Dateien unterscheiden sich in der Größe um mindestens den Faktor 2, oder sie haben "
                        "verschiedene Größen trotz identischer Datum-Zeit-Stempel:";
        model.DefaultAction = kDefaultKeepNewer;
    }
    model.Files = {"\\Dokumente\\Steuer\\Steuererklärung 2025.ods", "\\Dokumente\\Briefe\\Brief an Frau Müller.odt",
                   "\\Fotos\\2026\\Album.xcf"};
    model.ShowPreview = true;
    model.SetFilter = false;
    return model;
}

} // namespace ui
