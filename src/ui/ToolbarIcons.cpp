#include "ui/ToolbarIcons.h"

#include <QPainter>
#include <QPixmap>
#include <QPolygonF>

namespace ui {

namespace {

constexpr int kSize = 64;

const QColor kOutline(60, 60, 60);
const QColor kFolder(240, 196, 80);

void DrawFolder(QPainter& p) {
    p.setPen(QPen(kOutline, 2));
    p.setBrush(kFolder.darker(115));
    p.drawRoundedRect(QRectF(6, 14, 22, 10), 3, 3);
    p.setBrush(kFolder);
    p.drawRoundedRect(QRectF(6, 20, 52, 36), 4, 4);
}

// An arrow from (x, from) to (x, to), vertical.
void DrawArrow(QPainter& p, qreal x, qreal from, qreal to, const QColor& color) {
    const qreal dir = to < from ? -1 : 1;
    QPolygonF arrow;
    arrow << QPointF(x - 6, from) << QPointF(x + 6, from) << QPointF(x + 6, to - dir * 12)
          << QPointF(x + 13, to - dir * 12) << QPointF(x, to) << QPointF(x - 13, to - dir * 12)
          << QPointF(x - 6, to - dir * 12);
    p.setPen(QPen(color.darker(150), 2));
    p.setBrush(color);
    p.drawPolygon(arrow);
}

void DrawExit(QPainter& p) {
    p.setPen(QPen(kOutline, 2));
    p.setBrush(QColor(120, 80, 50));
    p.drawRect(QRectF(14, 6, 34, 52));
    QPolygonF door;
    door << QPointF(14, 6) << QPointF(36, 12) << QPointF(36, 62) << QPointF(14, 58);
    p.setBrush(QColor(190, 135, 80));
    p.drawPolygon(door);
    p.setBrush(QColor(240, 210, 90));
    p.drawEllipse(QPointF(31, 35), 2.5, 2.5);
}

void DrawExpressSetup(QPainter& p) {
    QPolygonF bolt;
    bolt << QPointF(38, 2) << QPointF(12, 36) << QPointF(30, 36) << QPointF(22, 62) << QPointF(52, 24)
         << QPointF(34, 24) << QPointF(44, 2);
    p.setPen(QPen(QColor(150, 100, 0), 2));
    p.setBrush(QColor(255, 205, 40));
    p.drawPolygon(bolt);
}

void DrawProfiles(QPainter& p) {
    p.setPen(QPen(kOutline, 2));
    for (int i = 2; i >= 0; --i) {
        p.setBrush(i == 0 ? QColor(255, 255, 255) : QColor(225, 230, 240));
        p.drawRect(QRectF(8 + i * 8, 16 - i * 6, 34, 42));
    }
    p.setPen(QPen(QColor(90, 120, 180), 2));
    for (int line = 0; line < 4; ++line)
        p.drawLine(QPointF(14, 26 + line * 8), QPointF(36, 26 + line * 8));
}

void DrawOptions(QPainter& p) {
    for (int i = 0; i < 3; ++i) {
        const qreal y = 14 + i * 18;
        p.setPen(QPen(kOutline, 4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(8, y), QPointF(56, y));
        const qreal knob = i == 0 ? 40 : i == 1 ? 20 : 46;
        p.setPen(QPen(kOutline, 2));
        p.setBrush(QColor(80, 140, 220));
        p.drawRoundedRect(QRectF(knob - 6, y - 8, 12, 16), 3, 3);
    }
}

void DrawGo(QPainter& p) {
    p.setPen(QPen(QColor(20, 110, 40), 2));
    p.setBrush(QColor(50, 170, 70));
    p.drawEllipse(QRectF(4, 4, 56, 56));
    QPolygonF play;
    play << QPointF(24, 17) << QPointF(48, 32) << QPointF(24, 47);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPolygon(play);
}

// The same picture as the installed icons (packaging/icons/tolvan.svg and tolvan-lit.svg), on the 64-pixel grid.
void DrawProgramIcon(QPainter& p, bool lit) {
    p.setPen(QPen(lit ? QColor(0xaa, 0x5a, 0x00) : QColor(0x28, 0x28, 0x32), 2));
    p.setBrush(lit ? QColor(0xff, 0xaa, 0x1e) : QColor(0x5a, 0x5f, 0x6e));
    p.drawRoundedRect(QRectF(3, 3, 58, 58), 12, 12);
    QPolygonF letter;
    letter << QPointF(16, 14) << QPointF(48, 14) << QPointF(48, 24) << QPointF(37, 24) << QPointF(37, 50)
           << QPointF(27, 50) << QPointF(27, 24) << QPointF(16, 24);
    p.setPen(Qt::NoPen);
    p.setBrush(lit ? QColor(0xff, 0xff, 0xdc) : QColor(0xd7, 0xd7, 0xe1));
    p.drawPolygon(letter);
}

template <class Draw> QIcon Painted(Draw draw) {
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    draw(painter);
    painter.end();
    return QIcon(pixmap);
}

} // namespace

QIcon ToolbarIcon(eToolbarIcon icon) {
    return Painted([icon](QPainter& p) {
        switch (icon) {
        case eToolbarIcon::Exit:
            DrawExit(p);
            break;
        case eToolbarIcon::ExpressSetup:
            DrawExpressSetup(p);
            break;
        case eToolbarIcon::Profiles:
            DrawProfiles(p);
            break;
        case eToolbarIcon::Source:
            DrawFolder(p);
            DrawArrow(p, 32, 52, 4, QColor(60, 170, 80));
            break;
        case eToolbarIcon::Destination:
            DrawFolder(p);
            DrawArrow(p, 32, 2, 50, QColor(60, 120, 220));
            break;
        case eToolbarIcon::Options:
            DrawOptions(p);
            break;
        case eToolbarIcon::Go:
            DrawGo(p);
            break;
        }
    });
}

QIcon ProgramIcon(bool lit) {
    return Painted([lit](QPainter& p) { DrawProgramIcon(p, lit); });
}

QImage ProgramIconImage(bool lit, int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / double(kSize), size / double(kSize));
    DrawProgramIcon(painter, lit);
    painter.end();
    return image;
}

} // namespace ui
