// Stand-ins for functions that other parts of the window code and the platform provide; removed when those
// arrive.
#include "platform/DesktopEntry.h"
#include "platform/ReadRegularFile.h"
#include "platform/Text.h"
#include "ui/HelpWindow.h"
#include "ui/MessageDialog.h"
#include "ui/RichText.h"
#include "ui/TimedBox.h"

#include <QMessageBox>
#include <QTimer>

#include <fstream>

namespace platform {

// Writes what a shortcut is made of, in the layout of a desktop entry.
int CreateShortcut(const std::string& target, const std::string& workingDirectory, const std::string& arguments,
                   const std::string& description, const std::string& linkPath) {
    std::ofstream out(linkPath, std::ios::binary | std::ios::trunc);
    if (!out) return 3;
    out << "[Desktop Entry]\nType=Application\nName=" << description << "\nExec=" << target << " " << arguments
        << "\nPath=" << workingDirectory << "\n";
    return out.good() ? 0 : 29;
}

} // namespace platform

namespace ui {

QString MessageFileToHtml(const std::string& nativePath) {
    const platform::FileBytes file = platform::ReadRegularFile(nativePath, std::size_t{16} << 20);
    return QStringLiteral("<pre>") + QString::fromStdString(platform::DecodeFileText(file.bytes)).toHtmlEscaped() +
           QStringLiteral("</pre>");
}

eAnswer ShowMessageDialog(QWidget* parent, const QString& caption, int /*helpContext*/, eMessageKind kind,
                          eMessageButtons buttons, const QString& text) {
    const bool yesNo = buttons == eMessageButtons::YesNo || buttons == eMessageButtons::YesNoHelp;
    QMessageBox box(kind == eMessageKind::Error ? QMessageBox::Critical : QMessageBox::Question, caption, text,
                    yesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok, parent);
    const int answer = box.exec();
    return answer == QMessageBox::Yes ? eAnswer::Yes : answer == QMessageBox::No ? eAnswer::No : eAnswer::Ok;
}

void ShowTimedBox(QWidget* parent, const QString& caption, const QString& line1, const QString& fileName,
                  const QString& line3, int seconds) {
    QMessageBox box(QMessageBox::Critical, caption, line1 + "\n\n" + fileName + "\n\n" + line3, QMessageBox::Ok,
                    parent);
    QTimer::singleShot(seconds * 1000, &box, &QMessageBox::accept);
    box.exec();
}

void ShowHelp(QWidget* /*parent*/, int /*context*/) {}

} // namespace ui
