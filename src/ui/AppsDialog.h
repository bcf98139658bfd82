// "Anwendungen" (TAppsDlg): picks the name of the application whose end starts a run, from the titles of the
// open windows and the names of the running programs.
#pragma once

#include <QDialog>
#include <QStringList>

#include <optional>

class QLineEdit;
class QListWidget;

namespace ui {

class TAppsDlg : public QDialog {
public:
    // current: the options dialog's application text; available: what the list offers (sorted here).
    TAppsDlg(const QString& current, QStringList available, QWidget* parent);

    QString Selected() const;

private:
    QLineEdit* m_selected = nullptr;
    QListWidget* m_available = nullptr;
};

// The open windows' titles (where the desktop tells them) and the running programs' names, each once.
QStringList RunningApplications();

// Shows the dialog with RunningApplications(); the chosen text on OK.
std::optional<QString> PickApplication(QWidget* parent, const QString& current);

} // namespace ui
