#include "ui/RunCaption.h"

#include "profile/Parameters.h"

#include <QFileInfo>

namespace ui {

QString RunCaption(const cParameters& params) {
    const QString name = QFileInfo(QString::fromStdString(params.ProfileFile)).fileName();
    return name.isEmpty() ? QStringLiteral("Tolvan 6") : name + QStringLiteral(" - Tolvan 6");
}

} // namespace ui
