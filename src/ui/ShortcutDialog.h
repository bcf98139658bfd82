// "Verknüpfung erstellen": a desktop entry that starts the program with the current document.
#pragma once

#include <QDialog>

#include <functional>
#include <string>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;
class cParameters;

namespace ui {

// Asks where to put the shortcut of the current document (params.DocumentFile) and creates it;
// openAutomationOptions opens the options on their automation page ("Automatik...").
void ShowShortcutDialog(QWidget* parent, const cParameters& params, const std::function<void()>& openAutomationOptions);

// The dialog itself. OK writes the shortcut and offers to try it; after a failure the dialog stays open.
class TShortcutDlg : public QDialog {
public:
    TShortcutDlg(const cParameters& params, std::function<void()> openAutomationOptions, QWidget* parent);

    // The folder that OK writes to: the desktop, the autostart folder or the chosen folder (empty while
    // "Andere Programm-Gruppe:" has none).
    QString LinkFolder() const;

protected:
    void accept() override;

private:
    void Browse();
    void UpdateOk();

    std::string m_document;
    std::function<void()> m_openAutomationOptions;
    QRadioButton* m_desktop = nullptr;
    QRadioButton* m_autostart = nullptr;
    QRadioButton* m_otherGroup = nullptr;
    QLineEdit* m_groupFolder = nullptr;
    QCheckBox* m_mute = nullptr;
    QPushButton* m_ok = nullptr;
};

} // namespace ui
