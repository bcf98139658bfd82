#include "ui/ScheduleClock.h"

#include "profile/ScheduleEdit.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPalette>

#include <cmath>
#include <numbers>

namespace ui {

namespace {

constexpr double kGap = 12;

// The angle of point seen from centre, clockwise from twelve o'clock, 0 to below 360 degrees.
double AngleOf(const QPointF& centre, const QPointF& point) {
    const double radians = std::atan2(point.x() - centre.x(), centre.y() - point.y());
    double degrees = radians * 180.0 / std::numbers::pi;
    if (degrees < 0) degrees += 360.0;
    return degrees >= 360.0 ? 0.0 : degrees;
}

QPointF OnCircle(const QPointF& centre, double radius, double degrees) {
    const double radians = degrees * std::numbers::pi / 180.0;
    return {centre.x() + radius * std::sin(radians), centre.y() - radius * std::cos(radians)};
}

} // namespace

cScheduleClock::cScheduleClock(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("ClockLst"));
    setMinimumSize(240, 120);
}

QSize cScheduleClock::sizeHint() const {
    return {2 * 150 + 3 * static_cast<int>(kGap), 150 + 2 * static_cast<int>(kGap)};
}

void cScheduleClock::Show(const std::vector<ScheduleEntry>& entries, int selected) {
    m_entries = entries;
    m_selected = selected;
    update();
}

double cScheduleClock::Radius() const {
    return std::max(10.0, std::min((width() - 3 * kGap) / 4.0, (height() - 2 * kGap) / 2.0));
}

QPointF cScheduleClock::Centre(int dial) const {
    const double radius = Radius();
    const double left = (width() - 4 * radius - kGap) / 2.0;
    return {left + radius + dial * (2 * radius + kGap), height() / 2.0};
}

QPolygonF cScheduleClock::Hand(ScheduleEntry entry) const {
    const int minutes = ScheduleEntryMinutes(entry) % 1440;
    const int dial = minutes >= 720 ? 1 : 0;
    const double degrees = (minutes % 720) / 2.0;
    const QPointF centre = Centre(dial);
    const double radius = Radius();
    QPolygonF triangle;
    triangle << OnCircle(centre, radius * 0.82, degrees) << OnCircle(centre, radius * 0.12, degrees + 90)
             << OnCircle(centre, radius * 0.12, degrees - 90);
    return triangle;
}

std::optional<int> cScheduleClock::HandAt(const QPointF& point) const {
    // The selected hand first: it is drawn on top.
    if (m_selected >= 0 && m_selected < static_cast<int>(m_entries.size()) &&
        Hand(m_entries[static_cast<std::size_t>(m_selected)]).containsPoint(point, Qt::OddEvenFill))
        return m_selected;
    for (std::size_t i = m_entries.size(); i-- > 0;)
        if (Hand(m_entries[i]).containsPoint(point, Qt::OddEvenFill)) return static_cast<int>(i);
    return std::nullopt;
}

void cScheduleClock::paintEvent(QPaintEvent* /*event*/) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QPalette colours = palette();
    const double radius = Radius();
    for (int dial = 0; dial < 2; ++dial) {
        const QPointF centre = Centre(dial);
        p.setPen(QPen(colours.color(QPalette::WindowText), 1.5));
        p.setBrush(colours.color(QPalette::Base));
        p.drawEllipse(centre, radius, radius);
        QFont font = p.font();
        font.setPixelSize(std::max(8, static_cast<int>(radius / 7)));
        p.setFont(font);
        for (int hour = 0; hour < 12; ++hour) {
            const double degrees = hour * 30.0;
            p.drawLine(OnCircle(centre, radius * 0.92, degrees), OnCircle(centre, radius, degrees));
            if (hour % 3 != 0) continue;
            const int shown = dial * 12 + hour; // 0, 3, 6, 9 and 12, 15, 18, 21
            const QPointF at = OnCircle(centre, radius * 0.72, degrees);
            p.drawText(QRectF(at.x() - radius / 4, at.y() - radius / 8, radius / 2, radius / 4), Qt::AlignCenter,
                       QString::number(shown));
        }
    }
    const auto drawHand = [&](std::size_t i, bool selected) {
        const bool active = ScheduleEntryActive(m_entries[i]);
        QColor fill = selected ? colours.color(QPalette::Highlight) : colours.color(QPalette::WindowText);
        if (!active && !selected) fill = colours.color(QPalette::Mid);
        p.setPen(Qt::NoPen);
        p.setBrush(fill);
        p.drawPolygon(Hand(m_entries[i]));
    };
    for (std::size_t i = 0; i < m_entries.size(); ++i)
        if (static_cast<int>(i) != m_selected) drawHand(i, false);
    if (m_selected >= 0 && m_selected < static_cast<int>(m_entries.size()))
        drawHand(static_cast<std::size_t>(m_selected), true);
}

void cScheduleClock::mousePressEvent(QMouseEvent* event) {
    const std::optional<int> hand = HandAt(event->position());
    if (!hand) return;
    m_dragging = true;
    m_dragDial = ScheduleEntryMinutes(m_entries[static_cast<std::size_t>(*hand)]) % 1440 >= 720 ? 1 : 0;
    emit HandPressed(*hand);
}

void cScheduleClock::mouseMoveEvent(QMouseEvent* event) {
    if (!m_dragging) return;
    emit HandMoved(DialMinutes(AngleOf(Centre(m_dragDial), event->position()), m_dragDial == 1));
}

void cScheduleClock::mouseReleaseEvent(QMouseEvent* /*event*/) {
    if (!m_dragging) return;
    m_dragging = false;
    emit HandReleased();
}

} // namespace ui
