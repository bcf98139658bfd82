// "Füllen" (TFillDlg): many schedule entries at once, from one time to another at a fixed step, on chosen weekdays.
#pragma once

#include "profile/ScheduleEntry.h"

#include <QDialog>

#include <array>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QSpinBox;
class QTimeEdit;

namespace ui {

class TFillDlg : public QDialog {
public:
    explicit TFillDlg(QWidget* parent = nullptr);

    // The entries OK adds: all active, at "von", "von" + step ... up to "bis".
    std::vector<ScheduleEntry> Entries() const;

protected:
    void accept() override;

private:
    void UnitChanged();
    ScheduleEntry Weekdays() const;

    QTimeEdit* m_from = nullptr;
    QTimeEdit* m_to = nullptr;
    QSpinBox* m_every = nullptr;
    QComboBox* m_unit = nullptr;
    std::array<QCheckBox*, 7> m_days{}; // Monday .. Sunday
    QLabel* m_problem = nullptr;
};

} // namespace ui
