#include "ui/ConfigDialogs.h"

#include "ui/MessageDialog.h"

namespace ui {

cConfigResult ShowConfigDialog(QWidget* parent, cParameters& /*params*/, eConfigDialog /*dialog*/,
                               bool /*automationPage*/) {
    ShowMessageDialog(parent, QStringLiteral("Tolvan 6"), 0, eMessageKind::Information, eMessageButtons::Ok,
                      QStringLiteral("Dieser Dialog folgt in einer späteren Version."));
    return {};
}

} // namespace ui
