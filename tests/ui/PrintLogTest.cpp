// Printing the log: the text laid out on pages of a PDF printer (no printer needed), and what happens on a
// system without any printer.
#include "ui/PrintLog.h"
#include "PdfPages.h"
#include "profile/Parameters.h"
#include "support/TempDir.h"
#include "ui/ViewLogDlg.h"

#include <QApplication>
#include <QFile>
#include <QFont>
#include <QLabel>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

namespace {

// A printer that writes the pages into a PDF file.
void ToPdf(QPrinter& printer, const QString& file) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
}

QString Lines(int count) {
    QString text;
    for (int i = 1; i <= count; ++i)
        text += QStringLiteral("  Kopiert: /home/anna/Briefe/Brief %1 an Frau Müller.odt\n").arg(i);
    return text;
}

QByteArray PrintToPdf(const testsupport::TempDir& dir, const QString& text, const QString& title) {
    const QString file = QString::fromStdString((dir.Path() / "Log.pdf").string());
    QFile::remove(file);
    QPrinter printer;
    ToPdf(printer, file);
    if (!ui::PrintText(printer, text, QFont(QStringLiteral("DejaVu Sans Mono"), 9), title)) return {};
    return uitest::ReadPdf(file);
}

} // namespace

class PrintLogTest : public QObject {
    Q_OBJECT

private slots:
    // Short and long logs on as many pages as they need, the title in the document's properties.
    void TextGoesOnAsManyPagesAsItNeeds() {
        testsupport::TempDir dir;
        const QByteArray one = PrintToPdf(dir, Lines(1), QStringLiteral("Log.txt"));
        QVERIFY(one.startsWith("%PDF"));
        QCOMPARE(uitest::PdfPages(one), 1);
        // The title as the PDF's text strings hold it: UTF-16 with a byte-order mark.
        QVERIFY(one.contains(QByteArray("/Title (\xFE\xFF\0L\0o\0g\0.\0t\0x\0t)", 25)));

        const int longPages = uitest::PdfPages(PrintToPdf(dir, Lines(300), QStringLiteral("Log.txt")));
        const int longerPages = uitest::PdfPages(PrintToPdf(dir, Lines(600), QStringLiteral("Log.txt")));
        QVERIFY2(longPages >= 4, qPrintable(QString::number(longPages)));
        QVERIFY2(longerPages >= 2 * longPages - 1 && longerPages <= 2 * longPages + 1,
                 qPrintable(QStringLiteral("%1 and %2 pages").arg(longPages).arg(longerPages)));
    }

    // A line longer than the page is wide is wrapped, not cut off: it takes more lines, so more pages.
    void LongLinesWrapAtThePagesWidth() {
        testsupport::TempDir dir;
        QString wide;
        for (int i = 0; i < 150; ++i)
            wide += QString(400, QLatin1Char('x')) + QLatin1Char('\n');
        QVERIFY(uitest::PdfPages(PrintToPdf(dir, wide, QStringLiteral("Log.txt"))) >
                uitest::PdfPages(PrintToPdf(dir, Lines(150), QStringLiteral("Log.txt"))));
    }

    // Without any printer the log after a run is not printed and nothing is shown; the viewer's "Drucken..."
    // says that no printer is installed.
    void WithoutAPrinterNothingIsPrinted() {
        if (!QPrinterInfo::availablePrinterNames().isEmpty()) QSKIP("this machine has a printer");
        testsupport::TempDir dir;
        cParameters params;
        params.Log.ActualFileName = dir.WriteFile("Log.txt", "Zeile\r\n").string();
        QWidget parent;
        QVERIFY(!ui::PrintLog(&parent, params, false));
        QVERIFY(parent.isEnabled());
        QVERIFY(!QApplication::activeModalWidget());

        ui::TViewLogDlg viewer(params, nullptr);
        QString message;
        QTimer::singleShot(0, [&] {
            QWidget* box = QApplication::activeModalWidget();
            if (!box) return;
            for (const QLabel* label : box->findChildren<QLabel*>())
                message += label->text();
            box->close();
        });
        viewer.findChild<QPushButton*>("PrintBtn")->click();
        QVERIFY2(message.contains(QStringLiteral("Kein Drucker installiert.")), qPrintable(message));
    }
};

QTEST_MAIN(PrintLogTest)
#include "PrintLogTest.moc"
