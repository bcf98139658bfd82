#include "ui/PreviewPrint.h"

#include "engine/Candidate.h"
#include "engine/Folders.h"
#include "engine/RunState.h"
#include "review/PreviewList.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>

#include <algorithm>

namespace ui {

namespace {

QString SideText(const cCandidate& candidate, bool source, const cRunState& run) {
    if ((source ? candidate.SourceTime : candidate.DestTime) == 0) return {};
    const cSideTexts texts = RunSideTexts(run, candidate, source);
    return QString::fromStdString(texts.Path + "  " + texts.Size + "  " + texts.Date + " " + texts.Time);
}

cPrintLine CandidateLine(const cCandidate& candidate, const cRunState& run) {
    return {false, QString::fromStdString(ActionCaption(candidate.Flags & kActionMask)), SideText(candidate, true, run),
            SideText(candidate, false, run)};
}

} // namespace

std::vector<cPrintLine> PrintLines(const cPreviewList& list, const cPrintChoice& choice) {
    std::vector<cPrintLine> lines;
    const cRunState& run = list.Run();
    if (choice.VisibleOnly) {
        for (std::size_t i = 0; i < list.Lines().size(); ++i) {
            if (list.Lines()[i].IsFolder()) {
                if (choice.FolderLines)
                    lines.push_back({true, {}, QString::fromStdString(list.FolderAt(i).Caption), {}});
            } else {
                lines.push_back(CandidateLine(list.CandidateAt(i), run));
            }
        }
        return lines;
    }
    for (const auto& folder : run.Folders) {
        if (choice.FolderLines) lines.push_back({true, {}, QString::fromStdString(folder->Caption), {}});
        for (int c = folder->FirstIndex; c <= folder->LastIndex && c < static_cast<int>(run.Candidates.size()); ++c)
            lines.push_back(CandidateLine(*run.Candidates[static_cast<std::size_t>(c)], run));
    }
    return lines;
}

cPrintLayout::cPrintLayout(std::vector<cPrintLine> lines, QString title, const QFont& font, const QRectF& pageRect,
                           QPaintDevice* device)
    : m_lines(std::move(lines)), m_title(std::move(title)), m_font(font, device), m_page(pageRect) {
    const QFontMetricsF metrics(m_font, device);
    m_lineHeight = metrics.lineSpacing();
    for (const char* action : {"Vorwärts", "Überspringen", "Löschen", "Rückwärts"})
        m_actionWidth = std::max(m_actionWidth, metrics.horizontalAdvance(QString::fromUtf8(action)));
    m_actionWidth += metrics.averageCharWidth() * 2;
    // Title, column header and a gap above; the page number and a gap below.
    const int fixedLines = 5;
    m_perPage = std::max(1, static_cast<int>(m_page.height() / m_lineHeight) - fixedLines);
    m_pages = std::max(1, static_cast<int>((m_lines.size() + static_cast<std::size_t>(m_perPage) - 1) /
                                           static_cast<std::size_t>(m_perPage)));
}

QStringList cPrintLayout::PageTexts(int page) const {
    QStringList texts;
    texts << m_title << QStringLiteral("Aktion | Quelle | Ziel");
    const std::size_t first = static_cast<std::size_t>(page) * static_cast<std::size_t>(m_perPage);
    for (std::size_t i = first; i < m_lines.size() && i < first + static_cast<std::size_t>(m_perPage); ++i) {
        const cPrintLine& line = m_lines[i];
        texts << (line.Folder ? line.Source
                              : line.Action + QStringLiteral(" | ") + line.Source + QStringLiteral(" | ") + line.Dest);
    }
    texts << QStringLiteral("Seite %1 von %2").arg(page + 1).arg(m_pages);
    return texts;
}

void cPrintLayout::PaintPage(QPainter& painter, int page) const {
    painter.save();
    painter.setFont(m_font);
    const QFontMetricsF metrics(m_font, painter.device());
    const double fileWidth = (m_page.width() - m_actionWidth) / 2;
    const auto cell = [&](double x, double y, double width, const QString& text, bool bold = false) {
        QFont font = m_font;
        font.setBold(bold);
        painter.setFont(font);
        painter.drawText(QRectF(x, y, width, m_lineHeight), Qt::AlignLeft | Qt::AlignVCenter,
                         QFontMetricsF(font, painter.device())
                             .elidedText(text, Qt::ElideMiddle, width - metrics.averageCharWidth()));
    };
    double y = m_page.top();
    cell(m_page.left(), y, m_page.width(), m_title, true);
    y += 2 * m_lineHeight;
    cell(m_page.left(), y, m_actionWidth, QStringLiteral("Aktion"), true);
    cell(m_page.left() + m_actionWidth, y, fileWidth, QStringLiteral("Quelle"), true);
    cell(m_page.left() + m_actionWidth + fileWidth, y, fileWidth, QStringLiteral("Ziel"), true);
    y += m_lineHeight;
    painter.drawLine(QPointF(m_page.left(), y), QPointF(m_page.right(), y));
    const std::size_t first = static_cast<std::size_t>(page) * static_cast<std::size_t>(m_perPage);
    for (std::size_t i = first; i < m_lines.size() && i < first + static_cast<std::size_t>(m_perPage); ++i) {
        const cPrintLine& line = m_lines[i];
        if (line.Folder) {
            cell(m_page.left(), y, m_page.width(), line.Source, true);
        } else {
            cell(m_page.left(), y, m_actionWidth, line.Action);
            cell(m_page.left() + m_actionWidth, y, fileWidth, line.Source);
            cell(m_page.left() + m_actionWidth + fileWidth, y, fileWidth, line.Dest);
        }
        y += m_lineHeight;
    }
    painter.setFont(m_font);
    painter.drawText(QRectF(m_page.left(), m_page.bottom() - m_lineHeight, m_page.width(), m_lineHeight),
                     Qt::AlignHCenter | Qt::AlignVCenter, QStringLiteral("Seite %1 von %2").arg(page + 1).arg(m_pages));
    painter.restore();
}

bool PrintLayout(QPrinter& printer, const std::vector<cPrintLine>& lines, const QString& title) {
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    const cPrintLayout layout(
        lines, title, QFont(QStringLiteral("DejaVu Sans"), 8),
        printer.pageRect(QPrinter::DevicePixel).translated(-printer.pageRect(QPrinter::DevicePixel).topLeft()),
        &printer);
    for (int page = 0; page < layout.PageCount(); ++page) {
        if (page > 0) printer.newPage();
        layout.PaintPage(painter, page);
    }
    return painter.end();
}

} // namespace ui
