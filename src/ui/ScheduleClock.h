// The scheduler's two clock dials (ClockLst): the morning's and the afternoon's hours, one hand per entry. A
// click on a hand selects its entry; dragging it sets the entry's time, two minutes a degree.
#pragma once

#include "profile/ScheduleEntry.h"

#include <QWidget>

#include <optional>
#include <vector>

namespace ui {

class cScheduleClock : public QWidget {
    Q_OBJECT

public:
    explicit cScheduleClock(QWidget* parent = nullptr);

    // The entries to draw and the selected one (-1: none).
    void Show(const std::vector<ScheduleEntry>& entries, int selected);
    // The centre and radius of dial 0 (morning) or 1 (afternoon) in the widget's coordinates.
    QPointF Centre(int dial) const;
    double Radius() const;

    QSize sizeHint() const override;

signals:
    void HandPressed(int index);
    // A hand is dragged: the selected entry's new time.
    void HandMoved(int minutes);
    void HandReleased();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QPolygonF Hand(ScheduleEntry entry) const;
    std::optional<int> HandAt(const QPointF& point) const;

    std::vector<ScheduleEntry> m_entries;
    int m_selected = -1;
    bool m_dragging = false;
    int m_dragDial = 0;
};

} // namespace ui
