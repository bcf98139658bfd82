// The questions for a zip archive's password: to encrypt the files a run adds (TZipPassword1Dlg), and for an
// encrypted entry that could not be unpacked (TZipPassword2Dlg).
#pragma once

#include "messages/UserInterface.h"

#include <QDialog>

#include <optional>
#include <string>

class QLineEdit;
class QPushButton;

namespace ui {

class TZipPassword1Dlg : public QDialog {
public:
    TZipPassword1Dlg(const QString& caption, QWidget* parent);
    QString Password() const;

private:
    QLineEdit* m_password;
};

class TZipPassword2Dlg : public QDialog {
public:
    TZipPassword2Dlg(const QString& caption, const QString& fileName, QWidget* parent);
    // What the user chose; "Nochmal" with the typed password, the window's close button as "Abbruch".
    cZipPasswordReply Reply() const { return m_reply; }

private:
    void Answer(eZipPasswordAnswer answer);

    QLineEdit* m_password;
    cZipPasswordReply m_reply{eZipPasswordAnswer::Cancel, {}};
};

// Modal under parent: the password to encrypt with; std::nullopt when the user gives none.
std::optional<std::string> AskZipAddPassword(QWidget* parent, const QString& caption);
// Modal under parent: retry with a password, the next file, or cancel the run.
cZipPasswordReply AskZipExtractPassword(QWidget* parent, const QString& caption, const QString& fileName);

} // namespace ui
