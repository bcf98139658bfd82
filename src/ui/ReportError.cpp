// The error box for an unexpected failure inside a dialog.
#include "ui/ReportError.h"

#include "ui/MessageDialog.h"

namespace ui {

void ReportError(QWidget* parent, const QString& message, const QString& routine) {
    const QString text = QStringLiteral("Fehler \"%1\" aufgetreten in Routine %2!\n"
                                        "Bitte setzen Sie sich mit dem Hersteller in Verbindung.\n"
                                        "Kontaktinformation erhalten Sie über den Hilfe-Knopf.")
                             .arg(message, routine);
    ShowMessageDialog(parent, QString(), kContactHelpContext, eMessageKind::Error, eMessageButtons::OkHelp, text);
}

} // namespace ui
