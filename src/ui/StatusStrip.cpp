#include "ui/StatusStrip.h"

#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>

namespace ui {

namespace {

struct cLampText {
    const char* Name;    // object names: Name + "Lamp", Name + "Lbl"
    const char* Label;   // the label's text (its off form for the end-of-session lamp)
    const char* ToolTip; // what the automatic does
};

constexpr std::array<cLampText, 7> kLampTexts = {{
    {"Open", "Öffnen", "Nach Öffnen laufen"},
    {"App", "Anwendung", "Laufen, wenn eine Anwendung beendet wurde"},
    {"Sense", "Laufwerke", "Laufen, wenn Quelle und Ziel verfügbar sind"},
    {"Hook", "Einklinken", "Ins Herunterfahren einklinken"},
    {"Exit", "Beenden", "Nach Lauf Tolvan beenden"},
    {"Shutdown", "Sitzungsende", "Nach Lauf das System beenden"},
    {"Scheduler", "Zeitplaner", "Zeitplaner"},
}};

// Labels of the end-of-session lamp for AutoShutdown 1..4.
constexpr std::array<const char*, 4> kShutdownLabels = {"Herunterfahren", "Ausloggen", "Ausschalten", "Neu starten"};
constexpr std::size_t kShutdownLamp = 5;
constexpr std::size_t kLampsPerLine = 4;

QPixmap LampPixmap(bool lit, int size, qreal ratio) {
    QPixmap pixmap(QSize(size, size) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor fill = lit ? QColor(0x43, 0xC0, 0x4B) : QColor(0x70, 0x70, 0x70);
    QRadialGradient gradient(QPointF(size * 0.38, size * 0.35), size * 0.6);
    gradient.setColorAt(0, lit ? fill.lighter(160) : fill.lighter(130));
    gradient.setColorAt(1, lit ? fill : fill.darker(140));
    painter.setBrush(gradient);
    painter.setPen(QPen(fill.darker(170), 1));
    painter.drawEllipse(QRectF(1, 1, size - 2, size - 2));
    return pixmap;
}

} // namespace

cStatusStrip::cStatusStrip(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("StatusStrip"));
    // A little smaller than the window's text, in two lines of four, so the strip is no wider than the toolbar.
    QFont small = font();
    small.setPointSizeF(small.pointSizeF() * 0.9);
    setFont(small);
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(6, 2, 6, 2);
    grid->setHorizontalSpacing(3);
    grid->setVerticalSpacing(1);
    for (std::size_t i = 0; i < kLampCount; ++i) {
        const cLampText& text = kLampTexts[i];
        m_lamps[i] = new QLabel(this);
        m_lamps[i]->setObjectName(QString::fromUtf8(text.Name) + QStringLiteral("Lamp"));
        m_labels[i] = new QLabel(QString::fromUtf8(text.Label), this);
        m_labels[i]->setObjectName(QString::fromUtf8(text.Name) + QStringLiteral("Lbl"));
        for (QLabel* part : {m_lamps[i], m_labels[i]})
            part->setToolTip(QString::fromUtf8(text.ToolTip));
        const int row = int(i / kLampsPerLine);
        const int column = 2 * int(i % kLampsPerLine);
        grid->addWidget(m_lamps[i], row, column);
        grid->addWidget(m_labels[i], row, column + 1);
        grid->setColumnStretch(column + 1, 1);
    }
    SetLamps({});
}

void cStatusStrip::SetLamps(const cAutomaticLamps& lamps) {
    const std::array<bool, kLampCount> lit = {
        lamps.AutoOpen, lamps.AutoApp,           lamps.AutoSense, lamps.AutoHook,
        lamps.AutoExit, lamps.AutoShutdown != 0, lamps.Scheduler,
    };
    for (std::size_t i = 0; i < kLampCount; ++i) {
        QString label = QString::fromUtf8(kLampTexts[i].Label);
        if (i == kShutdownLamp && lamps.AutoShutdown >= 1 && lamps.AutoShutdown <= 4)
            label = QString::fromUtf8(kShutdownLabels[std::size_t(lamps.AutoShutdown - 1)]);
        SetLamp(i, lit[i], label);
    }
}

void cStatusStrip::SetLamp(std::size_t index, bool lit, const QString& label) {
    QLabel* lamp = m_lamps[index];
    const int size = std::max(10, fontMetrics().height() - 4);
    lamp->setPixmap(LampPixmap(lit, size, devicePixelRatioF()));
    lamp->setProperty("lit", lit);
    m_labels[index]->setText(label);
    m_labels[index]->setEnabled(lit);
}

} // namespace ui
