// The question for an FTP login (TFtpPasswordDlg): user name and password for this login only.
#pragma once

#include "messages/UserInterface.h"

#include <QDialog>

#include <optional>

class QLineEdit;

namespace ui {

class TFtpPasswordDlg : public QDialog {
public:
    TFtpPasswordDlg(const QString& caption, const cFtpLogin& preset, QWidget* parent);
    cFtpLogin Login() const;

private:
    QLineEdit* m_user;
    QLineEdit* m_password;
};

// Modal under parent; std::nullopt when cancelled.
std::optional<cFtpLogin> AskFtpLogin(QWidget* parent, const QString& caption, const cFtpLogin& preset);

} // namespace ui
