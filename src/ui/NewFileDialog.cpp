#include "ui/NewFileDialog.h"

#include "ui/ToolbarIcons.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace ui {

int AskNewFileKind(QWidget* parent) {
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("NewFileDlg"));
    dialog.setWindowTitle(QStringLiteral("Neue Datei"));
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(QStringLiteral("Was möchten Sie neu anlegen?"), &dialog));
    auto* buttons = new QHBoxLayout;
    layout->addLayout(buttons);
    int answer = 2;
    auto addButton = [&](const char* name, const QString& text, const QIcon& icon, int result) {
        auto* button = new QPushButton(icon, text, &dialog);
        button->setObjectName(QString::fromLatin1(name));
        buttons->addWidget(button);
        QObject::connect(button, &QPushButton::clicked, &dialog, [&dialog, &answer, result] {
            answer = result;
            dialog.done(result);
        });
        return button;
    };
    addButton("ProfileBtn", QStringLiteral("  Profil"), ToolbarIcon(eToolbarIcon::ExpressSetup), 6)->setDefault(true);
    addButton("BatchBtn", QStringLiteral("  Batch-Datei"), ToolbarIcon(eToolbarIcon::Profiles), 7);
    addButton("CancelBtn", QStringLiteral("  Abbrechen"), QIcon(), 2);
    dialog.exec();
    return answer;
}

} // namespace ui
