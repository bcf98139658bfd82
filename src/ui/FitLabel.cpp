#include "ui/FitLabel.h"

#include "ui/FitText.h"

#include <QEvent>
#include <QFontMetrics>

namespace ui {

cFitLabel::cFitLabel(QWidget* parent) : QLabel(parent) {
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    setTextFormat(Qt::PlainText);
}

void cFitLabel::SetFullText(const QString& text) {
    if (text == m_fullText) return;
    m_fullText = text;
    setToolTip(text);
    Refit();
}

QSize cFitLabel::minimumSizeHint() const {
    return {fontMetrics().horizontalAdvance(QStringLiteral(" .. ")), fontMetrics().height()};
}

QSize cFitLabel::sizeHint() const {
    return minimumSizeHint();
}

void cFitLabel::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    Refit();
}

void cFitLabel::changeEvent(QEvent* event) {
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange) Refit();
}

void cFitLabel::Refit() {
    const QFontMetrics metrics = fontMetrics();
    const int room = contentsRect().width();
    setText(FitText(m_fullText, room, [&metrics](const QString& text) { return metrics.horizontalAdvance(text); }));
}

} // namespace ui
