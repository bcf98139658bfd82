#include "ui/ZipPasswordDialogs.h"

#include "ui/DialogParts.h"
#include "ui/HelpWindow.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace ui {

namespace {

// The questions come during a run: the help about runs.
constexpr int kZipPasswordHelp = 4910;

QLineEdit* PasswordEdit(QWidget* parent) {
    QLineEdit* edit = NamedEdit("PasswordEdt", {}, parent);
    edit->setEchoMode(QLineEdit::Password);
    return edit;
}

QFormLayout* PasswordRow(QLineEdit* edit) {
    auto* row = new QFormLayout;
    auto* label = new QLabel(QStringLiteral("&Kennwort:"));
    label->setBuddy(edit);
    row->addRow(label, edit);
    return row;
}

} // namespace

TZipPassword1Dlg::TZipPassword1Dlg(const QString& caption, QWidget* parent)
    : QDialog(parent), m_password(PasswordEdit(this)) {
    setObjectName(QStringLiteral("ZipPassword1Dlg"));
    setWindowTitle(caption);
    auto* text = new QLabel(QStringLiteral("Bitte geben Sie das Kennwort zum Verschlüsseln ein:"), this);
    text->setWordWrap(true);
    QDialogButtonBox* buttons = OkCancelHelp(this, kZipPasswordHelp);
    QPushButton* ok = buttons->findChild<QPushButton*>(QStringLiteral("OkBtn"));
    ok->setEnabled(false);
    connect(m_password, &QLineEdit::textChanged, ok, [ok](const QString& typed) { ok->setEnabled(!typed.isEmpty()); });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addLayout(PasswordRow(m_password));
    layout->addWidget(buttons);
    setMinimumWidth(fontMetrics().averageCharWidth() * 55);
    m_password->setFocus();
}

QString TZipPassword1Dlg::Password() const {
    return m_password->text();
}

TZipPassword2Dlg::TZipPassword2Dlg(const QString& caption, const QString& fileName, QWidget* parent)
    : QDialog(parent), m_password(PasswordEdit(this)) {
    setObjectName(QStringLiteral("ZipPassword2Dlg"));
    setWindowTitle(caption);
    auto* text = new QLabel(
        QStringLiteral("Zum Entpacken der folgenden verschlüsselten Datei wird ein Kennwort benötigt:"), this);
    text->setWordWrap(true);
    // A long name is shortened in the middle: its start and its file name both stay readable.
    auto* file = new QLabel(this);
    file->setObjectName(QStringLiteral("FileLbl"));
    const int width = fontMetrics().averageCharWidth() * 60;
    file->setText(fontMetrics().elidedText(fileName, Qt::ElideMiddle, width));
    file->setToolTip(fileName);
    file->setMinimumWidth(width);

    QPushButton* retry = NamedButton("RetryBtn", QStringLiteral("&Nochmal"), this);
    QPushButton* next = NamedButton("NextBtn", QStringLiteral("Nä&chste Datei"), this);
    QPushButton* cancel = NamedButton("CancelBtn", QStringLiteral("&Abbruch"), this);
    QPushButton* help = NamedButton("HelpBtn", QStringLiteral("&Hilfe"), this);
    retry->setDefault(true);
    retry->setEnabled(false);
    connect(m_password, &QLineEdit::textChanged, retry,
            [retry](const QString& typed) { retry->setEnabled(!typed.isEmpty()); });
    connect(retry, &QPushButton::clicked, this, [this] { Answer(eZipPasswordAnswer::Retry); });
    connect(next, &QPushButton::clicked, this, [this] { Answer(eZipPasswordAnswer::NextFile); });
    connect(cancel, &QPushButton::clicked, this, [this] { Answer(eZipPasswordAnswer::Cancel); });
    connect(help, &QPushButton::clicked, this, [this] { ShowHelp(this, kZipPasswordHelp); });
    auto* buttons = new QDialogButtonBox(this);
    for (QPushButton* button : {retry, next, cancel, help})
        buttons->addButton(button, QDialogButtonBox::ActionRole);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(file);
    layout->addLayout(PasswordRow(m_password));
    layout->addWidget(buttons);
    m_password->setFocus();
}

void TZipPassword2Dlg::Answer(eZipPasswordAnswer answer) {
    m_reply = {answer, answer == eZipPasswordAnswer::Retry ? m_password->text().toStdString() : std::string()};
    accept();
}

std::optional<std::string> AskZipAddPassword(QWidget* parent, const QString& caption) {
    TZipPassword1Dlg dialog(caption, parent);
    if (dialog.exec() != QDialog::Accepted || dialog.Password().isEmpty()) return std::nullopt;
    return dialog.Password().toStdString();
}

cZipPasswordReply AskZipExtractPassword(QWidget* parent, const QString& caption, const QString& fileName) {
    TZipPassword2Dlg dialog(caption, fileName, parent);
    dialog.exec();
    return dialog.Reply();
}

} // namespace ui
