#include "ui/BiorhythmChart.h"

#include "platform/Clock.h"
#include "platform/GermanFormat.h"
#include "ui/Biorhythm.h"

#include <QPainter>
#include <QPainterPath>

#include <array>
#include <cmath>

namespace ui {

namespace {

constexpr int kDaysAround = 15;
constexpr int kDayCount = 2 * kDaysAround + 1;

struct cSeries {
    const char* Name;
    int Period;
    QColor Color;
};

const std::array<cSeries, 3>& AllSeries() {
    static const std::array<cSeries, 3> series = {{
        {"physisch", kPhysicalPeriod, QColor(0xC6, 0x28, 0x28)},
        {"emotional", kEmotionalPeriod, QColor(0x2E, 0x7D, 0x32)},
        {"intellektuell", kIntellectualPeriod, QColor(0x15, 0x65, 0xC0)},
    }};
    return series;
}

int Today() {
    return platform::DayNumberFromFileTime(platform::NowLocal());
}

QString ShortDate(int dayNumber) {
    return QString::fromStdString(platform::FormatDateTime("ddddd", platform::FileTimeFromDayNumber(dayNumber)));
}

} // namespace

cBiorhythmChart::cBiorhythmChart(double birthDate, QWidget* parent)
    : QWidget(parent), m_birthDay(static_cast<int>(std::floor(birthDate))) {
    setObjectName(QStringLiteral("BiorhythmChart"));
    setMinimumHeight(300);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
}

QString cBiorhythmChart::Title() const {
    return QStringLiteral("Biorhythmus");
}

QString cBiorhythmChart::Subtitle() const {
    return QStringLiteral("für das Geburtsdatum ") + ShortDate(m_birthDay);
}

int cBiorhythmChart::FirstDay() const {
    return Today() - kDaysAround;
}

int cBiorhythmChart::LastDay() const {
    return Today() + kDaysAround;
}

QSize cBiorhythmChart::sizeHint() const {
    return {459, 300};
}

void cBiorhythmChart::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPalette& colors = palette();
    const QColor text = colors.color(QPalette::Text);
    QColor grid = text;
    grid.setAlpha(50);

    // Title lines.
    QFont titleFont = font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.3);
    const QFontMetrics titleMetrics(titleFont);
    const QFontMetrics metrics(font());
    int y = 6;
    painter.setPen(text);
    painter.setFont(titleFont);
    painter.drawText(QRect(0, y, width(), titleMetrics.height()), Qt::AlignHCenter, Title());
    y += titleMetrics.height();
    painter.setFont(font());
    painter.drawText(QRect(0, y, width(), metrics.height()), Qt::AlignHCenter, Subtitle());
    y += metrics.height() + 8;

    // Plot area: per-cent labels on the left, date labels and the legend below; room for half a date label
    // beside the first and the last day.
    const int first = FirstDay();
    const int labelWidth = metrics.horizontalAdvance(ShortDate(first)) + 8;
    const int left = std::max(metrics.horizontalAdvance(QStringLiteral("-100 %")) + 12, labelWidth / 2 + 2);
    const int right = width() - labelWidth / 2 - 2;
    const int bottom = height() - 2 * metrics.height() - 14;
    const int top = y + metrics.height() / 2;
    if (right - left < 60 || bottom - top < 40) return;
    const double stepX = double(right - left) / (kDayCount - 1);
    auto xOf = [&](int index) { return left + index * stepX; };
    auto yOf = [&](double percent) { return top + (100.0 - percent) / 200.0 * (bottom - top); };

    for (int percent = -100; percent <= 100; percent += 50) {
        const double lineY = yOf(percent);
        painter.setPen(QPen(percent == 0 ? text : grid, 1));
        painter.drawLine(QPointF(left, lineY), QPointF(right, lineY));
        painter.setPen(text);
        painter.drawText(QRectF(0, lineY - metrics.height() / 2.0, left - 6, metrics.height()),
                         Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("%1 %").arg(percent));
    }

    // Today, and a tick per day.
    QColor todayColor = colors.color(QPalette::Highlight);
    painter.setPen(QPen(todayColor, 2));
    painter.drawLine(QPointF(xOf(kDaysAround), top), QPointF(xOf(kDaysAround), bottom));
    painter.setPen(QPen(text, 1));
    for (int i = 0; i < kDayCount; ++i)
        painter.drawLine(QPointF(xOf(i), bottom), QPointF(xOf(i), bottom + (i % 5 == 0 ? 5 : 3)));

    // Date labels: every fifth day, or every tenth where the dates do not fit.
    const int labelStep = labelWidth <= 5 * stepX ? 5 : labelWidth <= 10 * stepX ? 10 : 15;
    for (int i = 0; i < kDayCount; i += labelStep) {
        painter.drawText(QRectF(xOf(i) - labelWidth / 2.0, bottom + 6, labelWidth, metrics.height()), Qt::AlignCenter,
                         ShortDate(first + i));
    }

    // The curves.
    for (const cSeries& series : AllSeries()) {
        QPainterPath path;
        for (int i = 0; i < kDayCount; ++i) {
            const QPointF point(xOf(i), yOf(BiorhythmValue(first + i - m_birthDay, series.Period)));
            if (i == 0)
                path.moveTo(point);
            else
                path.lineTo(point);
        }
        painter.setPen(QPen(series.Color, 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(path);
    }

    // Legend, centred under the dates.
    const int legendY = bottom + 8 + metrics.height() + metrics.height() / 2;
    int legendWidth = 0;
    for (const cSeries& series : AllSeries())
        legendWidth += 24 + metrics.horizontalAdvance(QString::fromUtf8(series.Name)) + 16;
    int x = (width() - legendWidth + 16) / 2;
    for (const cSeries& series : AllSeries()) {
        painter.setPen(QPen(series.Color, 3));
        painter.drawLine(QPointF(x, legendY), QPointF(x + 18, legendY));
        x += 24;
        const QString name = QString::fromUtf8(series.Name);
        painter.setPen(text);
        painter.drawText(
            QRect(x, legendY - metrics.height() / 2, metrics.horizontalAdvance(name) + 2, metrics.height()),
            Qt::AlignLeft | Qt::AlignVCenter, name);
        x += metrics.horizontalAdvance(name) + 16;
    }
}

} // namespace ui
