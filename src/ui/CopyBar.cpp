#include "ui/CopyBar.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace ui {

namespace {

const QColor kBackground(64, 64, 64);
const QColor kFill(255, 206, 0);
constexpr int kHeight = 18;

} // namespace

cCopyBar::cCopyBar(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("CopyBar"));
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(1);
    setFixedHeight(kHeight);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void cCopyBar::SetFraction(double fraction) {
    fraction = std::isnan(fraction) ? 0.0 : std::clamp(fraction, 0.0, 1.0);
    if (fraction == m_fraction) return;
    m_fraction = fraction;
    update();
}

QSize cCopyBar::sizeHint() const {
    return {200, kHeight};
}

void cCopyBar::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    const QRect inside = contentsRect();
    painter.fillRect(inside, kBackground);
    const int filled = static_cast<int>(std::floor(inside.width() * m_fraction));
    if (filled > 0) painter.fillRect(QRect(inside.left(), inside.top(), filled, inside.height()), kFill);
}

} // namespace ui
