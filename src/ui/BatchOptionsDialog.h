// The options of a batch file (TBatchOptionsDlg): its overrides of the profiles' checks and warnings, its own
// automatics and what happens after the batch.
#pragma once

#include <QDialog>

#include <array>
#include <functional>

class QCheckBox;
class QComboBox;
class cParameters;

namespace ui {

class TBatchOptionsDlg : public QDialog {
public:
    // Edits params.Batch when closed with OK. openScheduler opens the scheduler for the batch ("Zeitplaner...");
    // openShortcut the shortcut dialog ("Verknüpfung..."); either may be empty (the buttons are then disabled).
    TBatchOptionsDlg(cParameters& params, std::function<void()> openScheduler, std::function<void()> openShortcut,
                     QWidget* parent);

protected:
    void accept() override;

private:
    void UpdateEnabled();

    cParameters& m_params;
    QCheckBox* m_checksOverride = nullptr;
    QCheckBox* m_showPreview = nullptr;
    QCheckBox* m_warningsOverride = nullptr;
    std::array<QCheckBox*, 8> m_warnings{}; // message and sound of warnings 1..4
    QCheckBox* m_autoOpen = nullptr;
    QCheckBox* m_autoHook = nullptr;
    QCheckBox* m_autoExit = nullptr;
    QCheckBox* m_shutdown = nullptr;
    QComboBox* m_shutdownAction = nullptr;
    QCheckBox* m_trayIcon = nullptr;
    int m_shownShutdown = 0; // the action the page showed at first (1..4, 0 none)
};

// Shows the dialog modally with the scheduler and the shortcut dialog behind its buttons; true on OK.
bool EditBatchOptions(QWidget* parent, cParameters& params);

} // namespace ui
