#include "ui/FtpCommWindow.h"

#include "platform/ProgramFolders.h"
#include "ui/DialogParts.h"
#include "ui/TimedBox.h"

#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScrollBar>
#include <QTextEdit>
#include <QVBoxLayout>

namespace ui {

namespace {

const QColor kSentColour(0, 0, 255);
const QColor kRefusedColour(255, 0, 0);
const QColor kAnsweredColour(0, 128, 0);

bool IsRefusal(const QString& reply) {
    return reply.startsWith(QLatin1Char('4')) || reply.startsWith(QLatin1Char('5'));
}

// The colour table index of a line in the document CommunicationRtf writes (1 blue, 2 red, 3 green).
int ColourIndex(const cCommLine& line) {
    if (line.Sent) return 1;
    return IsRefusal(line.Text) ? 2 : 3;
}

QColor ColourOf(const cCommLine& line) {
    if (line.Sent) return kSentColour;
    return IsRefusal(line.Text) ? kRefusedColour : kAnsweredColour;
}

// RTF text: the three special characters escaped, everything beyond ASCII as a Unicode escape.
std::string RtfText(const QString& text) {
    std::string out;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == '\\' || u == '{' || u == '}') {
            out += '\\';
            out += static_cast<char>(u);
        } else if (u >= 0x20 && u < 0x80) {
            out += static_cast<char>(u);
        } else if (u >= 0x80) {
            out += "\\u" + std::to_string(static_cast<std::int16_t>(u)) + "?";
        }
    }
    return out;
}

} // namespace

QString MaskedCommandLine(const QString& line) {
    if (!line.startsWith(QStringLiteral("PASS "), Qt::CaseInsensitive)) return line;
    return line.left(5) + QString(line.size() - 5, QLatin1Char('*'));
}

std::string CommunicationRtf(const std::vector<cCommLine>& lines) {
    std::string rtf = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fmodern Courier New;}}"
                      "{\\colortbl;\\red0\\green0\\blue255;\\red255\\green0\\blue0;\\red0\\green128\\blue0;}\n"
                      "\\f0\\fs20\n";
    for (const cCommLine& line : lines)
        rtf += "\\cf" + std::to_string(ColourIndex(line)) + " " + RtfText(line.Text) + "\\par\n";
    rtf += "}\n";
    return rtf;
}

TFtpCommWnd::TFtpCommWnd(QWidget* parent) : QWidget(parent, Qt::Window), m_text(new QTextEdit(this)) {
    setObjectName(QStringLiteral("FtpCommWnd"));
    setWindowTitle(QStringLiteral("FTP-Log"));
    m_text->setObjectName(QStringLiteral("CommMmo"));
    m_text->setReadOnly(true);
    m_text->setLineWrapMode(QTextEdit::NoWrap);
    QPushButton* save = NamedButton("SaveBtn", QStringLiteral("&Speichern als..."), this);
    QPushButton* close = NamedButton("CloseBtn", QStringLiteral("S&chließen"), this);
    connect(save, &QPushButton::clicked, this, &TFtpCommWnd::SaveWithDialog);
    connect(close, &QPushButton::clicked, this, &QWidget::hide);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(save);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_text, 1);
    layout->addLayout(buttons);
    resize(fontMetrics().averageCharWidth() * 90, fontMetrics().height() * 25);
}

void TFtpCommWnd::AddSent(const QString& line) {
    Add({true, MaskedCommandLine(line)});
}

void TFtpCommWnd::AddReceived(const QString& line) {
    Add({false, line});
}

void TFtpCommWnd::Add(cCommLine line) {
    QTextCursor cursor(m_text->document());
    cursor.movePosition(QTextCursor::End);
    if (!m_lines.empty()) cursor.insertBlock();
    QTextCharFormat format;
    format.setForeground(ColourOf(line));
    cursor.insertText(line.Text, format);
    m_lines.push_back(std::move(line));
    m_text->verticalScrollBar()->setValue(m_text->verticalScrollBar()->maximum());
}

bool TFtpCommWnd::SaveAs(const QString& path) const {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    const std::string rtf = CommunicationRtf(m_lines);
    return file.write(rtf.data(), static_cast<qint64>(rtf.size())) == static_cast<qint64>(rtf.size()) &&
           file.flush();
}

void TFtpCommWnd::SaveWithDialog() {
    const QString suggested = QString::fromStdString(platform::DataFolder()) + QStringLiteral("FTP-Log.rtf");
    const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Speichern als"), suggested,
                                                      QStringLiteral("RichText-Dateien (*.rtf);;Alle Dateien (*)"));
    if (!path.isEmpty() && !SaveAs(path))
        ShowTimedBox(this, QStringLiteral("Tolvan 6"), QStringLiteral("Fehler beim Schreiben von..."), path,
                     QStringLiteral("Die Datei kann nicht geschrieben werden."));
}

} // namespace ui
