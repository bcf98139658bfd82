#include "ui/PrintLog.h"

#include "messages/ErrorText.h"
#include "platform/ErrorCodes.h"
#include "profile/Parameters.h"
#include "ui/BusyNote.h"
#include "ui/LogText.h"
#include "ui/TimedBox.h"

#include <QAbstractTextDocumentLayout>
#include <QFont>
#include <QGuiApplication>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTextDocument>

#include <filesystem>
#include <memory>

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

// Prints the log file on the printer: 0 or the error code.
int PrintLogFile(const cLogParameters& log, const QPrinterInfo& info) {
    const cLogText text = ReadLogText(log.ActualFileName);
    if (text.Error != 0) return text.Error;
    QPrinter printer(info);
    const QFont font(QString::fromStdString(log.PrintFontName), log.PrintFontSize);
    const QString title = QString::fromStdString(std::filesystem::path(log.ActualFileName).filename().string());
    return PrintText(printer, text.Text, font, title) ? 0 : platform::kNotReady;
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
    const int code = PrintLogFile(log, info);
    if (code == 0) return true;
    ShowTimedBox(parent, QStringLiteral("Tolvan 6"), QStringLiteral("Fehler beim Drucken..."), info.printerName(),
                 QString::fromStdString(ErrorText(code)));
    return false;
}

int PrintLogWithoutWindows(const cLogParameters& log, std::string& printerName) {
    std::unique_ptr<QGuiApplication> application;
    if (!QCoreApplication::instance()) {
        // Printing needs fonts, not a screen: a cron job has none.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "tolvan";
        static char* argv[] = {name, nullptr};
        application = std::make_unique<QGuiApplication>(argc, argv);
    }
    const QPrinterInfo info = ChoosePrinter(log.PrinterName);
    if (info.isNull()) return platform::kNotReady;
    printerName = info.printerName().toStdString();
    return PrintLogFile(log, info);
}

} // namespace ui
