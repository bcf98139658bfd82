// Printing the preview list: which lines go on paper, how they are laid out on pages (title, columns that fit
// the page, page numbers), and painting the pages on a printer or a print preview.
#pragma once

#include <QFont>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <vector>

class QPrinter;
class cPreviewList;

namespace ui {

struct cPrintChoice {
    bool VisibleOnly = true; // the lines the list shows now, else every candidate of the run
    bool FolderLines = true; // with the folders' lines
};

// One printed line: a folder's caption, or a candidate's action and its two files with size and time.
struct cPrintLine {
    bool Folder = false;
    QString Action;
    QString Source; // path, or the folder's caption
    QString Dest;
};

std::vector<cPrintLine> PrintLines(const cPreviewList& list, const cPrintChoice& choice);

// The lines on pages of pageRect (device pixels) in font: a title line (profile, date) and a column header on
// every page, "Seite n von m" at its foot; the action column as wide as its widest text, the two file columns
// sharing the rest (texts too long are cut in the middle).
class cPrintLayout {
public:
    cPrintLayout(std::vector<cPrintLine> lines, QString title, const QFont& font, const QRectF& pageRect,
                 QPaintDevice* device);

    int PageCount() const { return m_pages; }
    int LinesPerPage() const { return m_perPage; }
    // The texts of page (0-based) as they are painted, one entry per line, for tests.
    QStringList PageTexts(int page) const;
    void PaintPage(QPainter& painter, int page) const;

private:
    std::vector<cPrintLine> m_lines;
    QString m_title;
    QFont m_font;
    QRectF m_page;
    double m_lineHeight = 0;
    double m_actionWidth = 0;
    int m_perPage = 1;
    int m_pages = 1;
};

// Paints every page of the layout on printer (one page per sheet); false when the printer cannot be opened.
bool PrintLayout(QPrinter& printer, const std::vector<cPrintLine>& lines, const QString& title);

} // namespace ui
