#include "ui/FitText.h"

#include <QList>

namespace ui {

namespace {

const QString kGap = QStringLiteral(" .. ");

// The remaining characters with the gap at position. Characters are whole code points, so a character outside
// the basic plane is never cut in half.
QString WithGap(const QList<uint>& chars, qsizetype position) {
    const auto* data = reinterpret_cast<const char32_t*>(chars.constData());
    return QString::fromUcs4(data, position) + kGap + QString::fromUcs4(data + position, chars.size() - position);
}

} // namespace

QString FitText(const QString& text, int maxWidth, const std::function<int(const QString&)>& widthOf) {
    if (text.isEmpty() || widthOf(text) <= maxWidth) return text;
    QList<uint> chars = text.toUcs4();
    QString shown;
    do {
        // The gap goes where the last character went.
        const qsizetype position = chars.size() / 2;
        chars.remove(position);
        shown = WithGap(chars, position);
    } while (!chars.isEmpty() && widthOf(shown) > maxWidth);
    return shown;
}

} // namespace ui
