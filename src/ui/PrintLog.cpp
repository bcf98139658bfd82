#include "ui/PrintLog.h"

#include "messages/ErrorText.h"
#include "platform/ErrorCodes.h"
#include "profile/Parameters.h"
#include "ui/BusyNote.h"
#include "ui/LogText.h"
#include "ui/TimedBox.h"

#include <QFont>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTextDocument>

#include <filesystem>

namespace ui {

namespace {

// The printer of that name; the default printer when none has it; a null printer when the system has none.
QPrinterInfo ChoosePrinter(const std::string& name) {
    if (QPrinterInfo::availablePrinterNames().isEmpty()) return {};
    const QPrinterInfo named = QPrinterInfo::printerInfo(QString::fromStdString(name));
    if (!name.empty() && !named.isNull()) return named;
    const QPrinterInfo standard = QPrinterInfo::defaultPrinter();
    return standard.isNull() ? QPrinterInfo::availablePrinters().first() : standard;
}

} // namespace

bool PrintText(QPrinter& printer, const QString& text, const QFont& font, const QString& title) {
    QTextDocument document;
    document.setDefaultFont(font);
    document.setPlainText(text);
    printer.setDocName(title);
    // QTextDocument::print paginates to the printer's page and leaves the printer closed; a printer that cannot
    // be opened leaves the painter inactive, which is what a test can see.
    QPainter probe;
    if (!probe.begin(&printer)) return false;
    probe.end();
    document.print(&printer);
    return printer.printerState() != QPrinter::Error;
}

bool PrintLog(QWidget* parent, const cParameters& params, bool mute) {
    const cLogParameters& log = params.Log;
    const QPrinterInfo info = ChoosePrinter(log.PrinterName);
    if (info.isNull()) return false;
    const cBusyNote note(parent, QStringLiteral("Tolvan 6"),
                         QStringLiteral("Drucke Log auf %1...").arg(info.printerName()), mute);
    const cLogText text = ReadLogText(log.ActualFileName);
    int code = text.Error;
    if (code == 0) {
        QPrinter printer(info);
        const QFont font(QString::fromStdString(log.PrintFontName), log.PrintFontSize);
        const QString title = QString::fromStdString(std::filesystem::path(log.ActualFileName).filename().string());
        if (!PrintText(printer, text.Text, font, title)) code = platform::kNotReady;
    }
    if (code == 0) return true;
    ShowTimedBox(parent, QStringLiteral("Tolvan 6"), QStringLiteral("Fehler beim Drucken..."), info.printerName(),
                 QString::fromStdString(ErrorText(code)));
    return false;
}

} // namespace ui
