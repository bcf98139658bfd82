// "Log: Betrachter": which program shows the log after a run or from the menu.
#pragma once

#include <QDialog>

#include <array>

class QLabel;
class QLineEdit;
class QRadioButton;
struct cLogParameters;

namespace ui {

class TLogViewerDlg : public QDialog {
public:
    // Edits log (ViewerKind, ViewerPath, ViewerSwitches) when closed with OK.
    TLogViewerDlg(cLogParameters& log, QWidget* parent);

protected:
    void accept() override;

private:
    void Browse();
    void UpdateSwitches();

    cLogParameters& m_log;
    std::array<QRadioButton*, 5> m_kinds{};
    QLineEdit* m_path = nullptr;
    QLineEdit* m_switches = nullptr;
    QLabel* m_problem = nullptr;
};

} // namespace ui
