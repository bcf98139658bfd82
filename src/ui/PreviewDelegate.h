// Draws the lines of the preview list: folder lines (icon, caption, the four totals) and candidate lines (marks,
// the source block, the action arrow, the destination block) in one-line or two-line mode, in the colours of the
// run's preview settings.
#pragma once

#include "engine/ActionFlags.h"

#include <QColor>
#include <QRect>
#include <QStyledItemDelegate>

class QPalette;
class cPreviewList;
struct cPreviewParameters;

namespace ui {

// The six colours of the list: own colours, or the system's where the settings ask for it.
struct cPreviewColours {
    QColor Block1; // even lines
    QColor Block2; // odd lines
    QColor Forward;
    QColor Skip;
    QColor Delete;
    QColor Backward;

    QColor ForAction(ActionFlags action) const;
};

cPreviewColours PreviewColoursOf(const cPreviewParameters& preview, const QPalette& palette);

// Width of the icon column at the left of every line: a click there toggles a folder or cycles an action.
inline constexpr int kPreviewIconColumn = 17;
// The action arrow's place within a candidate line's rectangle.
QRect PreviewArrowRect(const QRect& line);
// Whether a click at x (in the line's coordinates) cycles the candidate's action: the icon column, or the
// arrow column with two pixels to spare on each side.
bool PreviewCyclesAt(const QRect& line, int x);

class cPreviewDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    // list outlives the delegate.
    cPreviewDelegate(const cPreviewList& list, const cPreviewColours& colours, QObject* parent = nullptr);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    void PaintFolder(QPainter& painter, const QStyleOptionViewItem& option, std::size_t line) const;
    void PaintCandidate(QPainter& painter, const QStyleOptionViewItem& option, std::size_t line) const;

    const cPreviewList& m_list;
    cPreviewColours m_colours;
};

} // namespace ui
