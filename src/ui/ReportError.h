// The error box for an unexpected failure inside a dialog: names the error and the routine, and points to the
// maker's contact page in the help.
#pragma once

#include <QString>

class QWidget;

namespace ui {

// Shows the box modally over parent; routine is the upper-case tag of the failing dialog ("SOURCE", "VIEW"...).
void ReportError(QWidget* parent, const QString& message, const QString& routine);

// The help topic of the contact page.
inline constexpr int kContactHelpContext = 10010;

} // namespace ui
