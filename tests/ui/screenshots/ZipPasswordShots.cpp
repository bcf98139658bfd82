// The two zip password questions of a run.
#include "ScreenshotShots.h"

#include "ui/ZipPasswordDialogs.h"

#include <QLineEdit>

namespace {

using screenshots::cScene;

const screenshots::cRegisterShots kZipPasswordShots({
    {"ZipPassword1Dlg",
     [](const cScene&) -> QWidget* {
         auto* dialog = new ui::TZipPassword1Dlg(QStringLiteral("Briefe sichern.tvp - Tolvan 6"), nullptr);
         dialog->findChild<QLineEdit*>(QStringLiteral("PasswordEdt"))->setText(QStringLiteral("geheim"));
         return dialog;
     }},
    {"ZipPassword2Dlg",
     [](const cScene&) -> QWidget* {
         return new ui::TZipPassword2Dlg(
             QStringLiteral("Briefe sichern.tvp - Tolvan 6"),
             QStringLiteral("/home/anna/Dokumente/Steuer/2026/Belege und Quittungen/Handwerker Rechnung März.pdf"),
             nullptr);
     }},
});

} // namespace
