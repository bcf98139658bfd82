#include "ui/PrintLog.h"

#include "messages/ErrorText.h"
#include "platform/ErrorCodes.h"
#include "profile/Parameters.h"
#include "ui/BusyNote.h"
#include "ui/LogText.h"
#include "ui/TimedBox.h"

#include <QAbstractTextDocumentLayout>
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
    printer.setDocName(title);
    // One painter for the whole job: a printer that cannot be opened is seen before anything is sent.
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    QTextDocument document;
    document.documentLayout()->setPaintDevice(&printer);
    document.setDefaultFont(font);
    document.setPlainText(text);
    // 1.5 cm around the text, whatever margins the printer's page layout has.
    document.setDocumentMargin(printer.resolution() * 1.5 / 2.54);
    const QRectF page = printer.pageRect(QPrinter::DevicePixel);
    document.setPageSize(page.size());
    for (int i = 0; i < document.pageCount(); ++i) {
        if (i > 0) printer.newPage();
        painter.save();
        painter.translate(0, -i * page.height());
        document.drawContents(&painter, QRectF(0, i * page.height(), page.width(), page.height()));
        painter.restore();
    }
    return painter.end();
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
