#include "ui/QtTranslations.h"

#include "platform/ProgramFolders.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace ui {

void LoadQtTranslations(QCoreApplication& app) {
    auto* translator = new QTranslator(&app);
    const QString shipped = QString::fromStdString(platform::ShippedFolder()) + QStringLiteral("translations");
    const QString name = QStringLiteral("qtbase_de");
    if (translator->load(name, shipped) || translator->load(name, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
}

} // namespace ui
