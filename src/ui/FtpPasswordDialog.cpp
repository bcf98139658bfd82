#include "ui/FtpPasswordDialog.h"

#include "ui/DialogParts.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace ui {

namespace {

// The login happens in a run or for the destination dialog's server tree: the help about the destination.
constexpr int kFtpLoginHelp = 4230;

} // namespace

TFtpPasswordDlg::TFtpPasswordDlg(const QString& caption, const cFtpLogin& preset, QWidget* parent)
    : QDialog(parent), m_user(NamedEdit("UserEdt", QString::fromStdString(preset.UserName), this)),
      m_password(NamedEdit("PasswordEdt", QString::fromStdString(preset.Password), this)) {
    setObjectName(QStringLiteral("FtpPasswordDlg"));
    setWindowTitle(caption);
    m_password->setEchoMode(QLineEdit::Password);
    auto* text = new QLabel(QStringLiteral("Bitte geben Sie Benutzernamen und Kennwort ein:"), this);
    auto* fields = new QFormLayout;
    auto* userLabel = new QLabel(QStringLiteral("&Benutzername:"), this);
    userLabel->setBuddy(m_user);
    auto* passwordLabel = new QLabel(QStringLiteral("&Kennwort:"), this);
    passwordLabel->setBuddy(m_password);
    fields->addRow(userLabel, m_user);
    fields->addRow(passwordLabel, m_password);
    QDialogButtonBox* buttons = OkCancelHelp(this, kFtpLoginHelp);
    QPushButton* ok = buttons->findChild<QPushButton*>(QStringLiteral("OkBtn"));
    const auto update = [this, ok] { ok->setEnabled(!m_user->text().isEmpty() && !m_password->text().isEmpty()); };
    connect(m_user, &QLineEdit::textChanged, this, update);
    connect(m_password, &QLineEdit::textChanged, this, update);
    update();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addLayout(fields);
    layout->addWidget(buttons);
    setMinimumWidth(fontMetrics().averageCharWidth() * 50);
    (m_user->text().isEmpty() ? m_user : m_password)->setFocus();
}

cFtpLogin TFtpPasswordDlg::Login() const {
    return {m_user->text().toStdString(), m_password->text().toStdString()};
}

std::optional<cFtpLogin> AskFtpLogin(QWidget* parent, const QString& caption, const cFtpLogin& preset) {
    TFtpPasswordDlg dialog(caption, preset, parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.Login();
}

} // namespace ui
