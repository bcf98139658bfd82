#include "ui/DialogParts.h"

#include "ui/HelpWindow.h"

#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace ui {

QLineEdit* NamedEdit(const char* name, const QString& text, QWidget* parent) {
    auto* edit = new QLineEdit(text, parent);
    edit->setObjectName(QString::fromLatin1(name));
    return edit;
}

QCheckBox* NamedCheck(const char* name, const QString& caption, bool checked, QWidget* parent) {
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setChecked(checked);
    return box;
}

QRadioButton* NamedRadio(const char* name, const QString& caption, bool checked, QWidget* parent) {
    auto* button = new QRadioButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setChecked(checked);
    return button;
}

QPushButton* NamedButton(const char* name, const QString& caption, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}

QDialogButtonBox* OkCancelHelp(QDialog* dialog, int helpContext) {
    auto* buttons = new QDialogButtonBox(dialog);
    QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("OkBtn"));
    ok->setDefault(true);
    buttons->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole)
        ->setObjectName(QStringLiteral("CancelBtn"));
    QPushButton* help = buttons->addButton(QStringLiteral("&Hilfe"), QDialogButtonBox::HelpRole);
    help->setObjectName(QStringLiteral("HelpBtn"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    QObject::connect(buttons, &QDialogButtonBox::helpRequested, dialog,
                     [dialog, helpContext] { ShowHelp(dialog, helpContext); });
    return buttons;
}

QLabel* ProblemLabel(const char* name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setWordWrap(true);
    label->setStyleSheet(QStringLiteral("color: #b00000;"));
    label->hide();
    return label;
}

bool ShowProblem(QLabel* label, const QString& text) {
    label->setText(text);
    label->setVisible(!text.isEmpty());
    if (auto* dialog = qobject_cast<QDialog*>(label->window()); dialog && !text.isEmpty()) FitHeight(dialog);
    return text.isEmpty();
}

void FitHeight(QDialog* dialog) {
    if (dialog->layout()) dialog->layout()->activate();
    const int needed = dialog->heightForWidth(dialog->width());
    if (needed > dialog->height()) dialog->resize(dialog->width(), needed);
}

} // namespace ui
