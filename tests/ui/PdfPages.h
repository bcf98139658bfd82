// The pages of a PDF file that Qt wrote: its page objects, whose dictionaries Qt leaves uncompressed.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

namespace uitest {

inline int PdfPages(const QByteArray& pdf) {
    return static_cast<int>(pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r") + pdf.count("/Type /Page "));
}

inline QByteArray ReadPdf(const QString& file) {
    QFile pdf(file);
    return pdf.open(QIODevice::ReadOnly) ? pdf.readAll() : QByteArray();
}

} // namespace uitest
