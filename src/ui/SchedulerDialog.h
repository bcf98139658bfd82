// "Zeitplaner" (TSchedulerDlg): the weekly times at which the open program runs the current document by itself.
// A list of entries (on/off, time, weekdays; a click switches a cell) beside two clock dials whose hands can be
// dragged, with plus, minus and "Füllen...".
#pragma once

#include "profile/ScheduleEntry.h"

#include <QDialog>

#include <vector>

class QListWidget;
class QPushButton;
class cParameters;

namespace ui {

class cScheduleClock;

class TSchedulerDlg : public QDialog {
public:
    // Edits the schedule of params' current document (the profile's, or the batch file's) when closed with OK.
    TSchedulerDlg(cParameters& params, QWidget* parent);

    // The entries as the dialog holds them now, sorted by time, and the selected one (-1: none).
    const std::vector<ScheduleEntry>& Entries() const { return m_entries; }
    int Selected() const { return m_selected; }
    // The list's cells: where a click switches the entry on or off, and weekday day (0 = Monday) of a row.
    QRect ActiveCell(int row) const;
    QRect DayCell(int row, int day) const;

    void Add();
    void Remove();
    void Fill();

protected:
    void accept() override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Sorts by time (equal times keep their order), keeps the entry at index keep selected, and shows all.
    void SortAndShow(int keep);
    void ShowEntries();
    void Select(int index);
    void ClickedAt(const QPoint& point);

    cParameters& m_params;
    std::vector<ScheduleEntry> m_entries;
    int m_selected = -1;
    QListWidget* m_list = nullptr;
    cScheduleClock* m_clock = nullptr;
    QPushButton* m_minus = nullptr;
};

// Shows the dialog modally; true on OK.
bool EditSchedule(QWidget* parent, cParameters& params);

} // namespace ui
