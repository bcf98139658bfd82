#include "ui/PreviewDelegate.h"

#include "profile/PreviewParameters.h"
#include "review/PreviewFigures.h"
#include "review/PreviewList.h"
#include "review/PreviewSide.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>
#include <QStyle>

#include <array>

namespace ui {

namespace {

constexpr int kArrowWidth = 21;
constexpr int kArrowHeight = 16;
constexpr int kArrowTolerance = 2;
constexpr int kMarkSize = 7;
constexpr int kGap = 4;

// A colour value of the profile: 0x00BBGGRR.
QColor FromColorRef(std::uint32_t value) {
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>((value >> 16) & 0xFF));
}

QColor Pick(bool system, const QColor& systemColour, std::uint32_t own) {
    return system ? systemColour : FromColorRef(own);
}

// Shortens text in the middle with " .. " (left part, " .. ", the tail) so that it fits width.
QString ElideMiddle(const QFontMetrics& fm, const QString& text, int width) {
    if (fm.horizontalAdvance(text) <= width) return text;
    const QString dots = QStringLiteral(" .. ");
    const int room = width - fm.horizontalAdvance(dots);
    if (room <= 0) return {};
    int left = 0;
    while (left < text.size() && fm.horizontalAdvance(text.left(left + 1)) <= room / 2)
        ++left;
    const int leftWidth = fm.horizontalAdvance(text.left(left));
    int right = 0;
    while (right < text.size() - left && fm.horizontalAdvance(text.right(right + 1)) <= room - leftWidth)
        ++right;
    return text.left(left) + dots + text.right(right);
}

QFont Bold(QFont font) {
    font.setBold(true);
    return font;
}

// The widths of the size, date and time columns of a side block.
struct cColumns {
    int Size;
    int Date;
    int Time;
    int Total() const { return Size + Date + Time; }
};

cColumns ColumnsOf(const QFontMetrics& fm) {
    return {fm.horizontalAdvance(QStringLiteral("88.888.888.888")) + kGap,
            fm.horizontalAdvance(QStringLiteral("88.88.8888")) + 2 * kGap,
            fm.horizontalAdvance(QStringLiteral("88:88:88")) + 2 * kGap};
}

// Directory (normal) and name (bold) left-aligned in area; the directory gives way first.
void PaintPath(QPainter& painter, const QRect& area, const QFont& font, const QString& dir, const QString& name) {
    const QFont bold = Bold(font);
    const QFontMetrics fm(font);
    const QFontMetrics bm(bold);
    const int nameWidth = bm.horizontalAdvance(name);
    const auto flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;
    if (nameWidth > area.width()) {
        painter.setFont(font);
        painter.drawText(area, flags, ElideMiddle(fm, dir + name, area.width()));
        return;
    }
    const QString shownDir = ElideMiddle(fm, dir, area.width() - nameWidth);
    const int dirWidth = fm.horizontalAdvance(shownDir);
    painter.setFont(font);
    painter.drawText(area.adjusted(0, 0, -nameWidth, 0), flags, shownDir);
    painter.setFont(bold);
    painter.drawText(QRect(area.left() + dirWidth, area.top(), nameWidth + 1, area.height()), flags, name);
}

void PaintColumns(QPainter& painter, const QRect& area, const QFont& font, const cColumns& cols,
                  const cPreviewSideRow& row) {
    painter.setFont(font);
    const auto flags = Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine;
    int x = area.right() + 1 - cols.Total();
    painter.drawText(QRect(x, area.top(), cols.Size, area.height()), flags, QString::fromStdString(row.Size));
    x += cols.Size;
    painter.drawText(QRect(x, area.top(), cols.Date - kGap, area.height()), flags, QString::fromStdString(row.Date));
    x += cols.Date;
    painter.drawText(QRect(x, area.top(), cols.Time - kGap, area.height()), flags, QString::fromStdString(row.Time));
}

void PaintArrow(QPainter& painter, const QRect& r, ActionFlags action, const QColor& colour) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(colour, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    const int cy = r.center().y();
    const int l = r.left() + 2;
    const int rt = r.right() - 2;
    QPainterPath path;
    switch (action) {
    case kActionForward:
        path.moveTo(l, cy);
        path.lineTo(rt, cy);
        path.moveTo(rt - 5, cy - 5);
        path.lineTo(rt, cy);
        path.lineTo(rt - 5, cy + 5);
        break;
    case kActionBackward:
        path.moveTo(rt, cy);
        path.lineTo(l, cy);
        path.moveTo(l + 5, cy - 5);
        path.lineTo(l, cy);
        path.lineTo(l + 5, cy + 5);
        break;
    case kActionDelete:
        path.moveTo(r.center().x() - 5, cy - 5);
        path.lineTo(r.center().x() + 5, cy + 5);
        path.moveTo(r.center().x() + 5, cy - 5);
        path.lineTo(r.center().x() - 5, cy + 5);
        break;
    default: // skip: a bar between the sides
        path.moveTo(r.center().x() - 2, cy - 5);
        path.lineTo(r.center().x() - 2, cy + 5);
        path.moveTo(r.center().x() + 2, cy - 5);
        path.lineTo(r.center().x() + 2, cy + 5);
        break;
    }
    painter.drawPath(path);
    painter.restore();
}

// The marks of the comparison's findings in the icon column.
void PaintMarks(QPainter& painter, const QRect& line, ActionFlags flags) {
    struct cMark {
        ActionFlags Flag;
        QPoint Offset;
        QColor Colour;
    };
    const std::array<cMark, 3> marks = {{{kFlagDoubleModified, {1, 1}, QColor(200, 0, 0)},
                                         {kFlagSizeDiffers, {9, 1}, QColor(0, 90, 200)},
                                         {kFlagPropertiesDiffer, {1, 9}, QColor(150, 0, 150)}}};
    const int top = line.top() + std::max(0, (line.height() - 2 * kMarkSize - 3) / 2);
    for (const cMark& mark : marks) {
        if ((flags & mark.Flag) == 0) continue;
        const QRect box(line.left() + mark.Offset.x(), top + mark.Offset.y(), kMarkSize, kMarkSize);
        painter.fillRect(box, mark.Colour);
        painter.setPen(mark.Colour.darker());
        painter.drawRect(box.adjusted(0, 0, -1, -1));
    }
}

} // namespace

QColor cPreviewColours::ForAction(ActionFlags action) const {
    switch (action & kActionMask) {
    case kActionForward:
        return Forward;
    case kActionDelete:
        return Delete;
    case kActionBackward:
        return Backward;
    default:
        return Skip;
    }
}

cPreviewColours PreviewColoursOf(const cPreviewParameters& p, const QPalette& palette) {
    const QColor text = palette.color(QPalette::Active, QPalette::Text);
    const QColor grey = palette.color(QPalette::Disabled, QPalette::Text);
    return {Pick(p.Block1System, palette.color(QPalette::Active, QPalette::Base), p.Block1Color),
            Pick(p.Block2System, palette.color(QPalette::Active, QPalette::AlternateBase), p.Block2Color),
            Pick(p.ForwardSystem, text, p.ForwardColor),
            Pick(p.SkipSystem, grey, p.SkipColor),
            Pick(p.DeleteSystem, grey, p.DeleteColor),
            Pick(p.BackwardSystem, text, p.BackwardColor)};
}

QRect PreviewArrowRect(const QRect& line) {
    const int side = (line.width() - kPreviewIconColumn - kArrowWidth - 2 * kArrowTolerance) / 2;
    return {line.left() + kPreviewIconColumn + side + kArrowTolerance, line.center().y() - kArrowHeight / 2 + 1,
            kArrowWidth, kArrowHeight};
}

bool PreviewCyclesAt(const QRect& line, int x) {
    const QRect arrow = PreviewArrowRect(line);
    return x < line.left() + kPreviewIconColumn ||
           (x >= arrow.left() - kArrowTolerance && x <= arrow.right() + kArrowTolerance);
}

cPreviewDelegate::cPreviewDelegate(const cPreviewList& list, const cPreviewColours& colours, QObject* parent)
    : QStyledItemDelegate(parent), m_list(list), m_colours(colours) {}

QSize cPreviewDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
    return {option.rect.width() > 0 ? option.rect.width() : 200,
            m_list.LineHeight(static_cast<std::size_t>(index.row()), option.fontMetrics.height())};
}

void cPreviewDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    const auto line = static_cast<std::size_t>(index.row());
    if (line >= m_list.Lines().size()) return;
    const bool selected = option.state.testFlag(QStyle::State_Selected);
    painter->save();
    painter->fillRect(option.rect, selected ? option.palette.highlight().color()
                                            : (index.row() % 2 == 0 ? m_colours.Block1 : m_colours.Block2));
    if (m_list.Lines()[line].IsFolder())
        PaintFolder(*painter, option, line);
    else
        PaintCandidate(*painter, option, line);
    if (option.state.testFlag(QStyle::State_HasFocus)) {
        painter->setPen(QPen(option.palette.highlightedText().color(), 1, Qt::DotLine));
        painter->drawRect(option.rect.adjusted(0, 0, -1, -1));
    }
    painter->restore();
}

void cPreviewDelegate::PaintFolder(QPainter& painter, const QStyleOptionViewItem& option, std::size_t line) const {
    const cFolder& folder = m_list.FolderAt(line);
    const bool selected = option.state.testFlag(QStyle::State_Selected);
    const QRect r = option.rect;
    const QStyle* style = option.widget ? option.widget->style() : QApplication::style();
    const QIcon icon = style->standardIcon(folder.Expanded ? QStyle::SP_DirOpenIcon : QStyle::SP_DirClosedIcon);
    icon.paint(&painter, QRect(r.left() + 1, r.center().y() - 6, 15, 12));

    const QFont bold = Bold(option.font);
    const QFontMetrics fm(bold);
    painter.setFont(bold);
    const int column = fm.horizontalAdvance(QStringLiteral("888.888")) + 2 * kGap;
    const std::array<std::pair<int, QColor>, 4> totals = {{{folder.ForwardTotal, QColor(0, 128, 0)},
                                                           {folder.SkipTotal, QColor(128, 128, 0)},
                                                           {folder.DeleteTotal, QColor(128, 0, 0)},
                                                           {folder.BackwardTotal, QColor(0, 0, 128)}}};
    int x = r.right() + 1 - 4 * column;
    for (const auto& [total, colour] : totals) {
        painter.setPen(selected ? option.palette.highlightedText().color() : colour);
        painter.drawText(QRect(x, r.top(), column - kGap, r.height()), Qt::AlignRight | Qt::AlignVCenter,
                         QString::fromStdString(PreviewCountText(total)));
        x += column;
    }
    const QRect caption(r.left() + kPreviewIconColumn + 2, r.top(), r.width() - kPreviewIconColumn - 2 - 4 * column,
                        r.height());
    painter.setPen(selected ? option.palette.highlightedText().color() : option.palette.text().color());
    painter.drawText(caption, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                     ElideMiddle(fm, QString::fromStdString(folder.Caption), caption.width()));
}

void cPreviewDelegate::PaintCandidate(QPainter& painter, const QStyleOptionViewItem& option, std::size_t line) const {
    const cCandidate& c = m_list.CandidateAt(line);
    const cRunState& run = m_list.Run();
    const bool selected = option.state.testFlag(QStyle::State_Selected);
    const bool oneLine = m_list.OneLine();
    const QRect r = option.rect;
    const QColor text = selected ? option.palette.highlightedText().color() : m_colours.ForAction(c.Action());

    PaintMarks(painter, r, c.Flags);
    const QRect arrow = PreviewArrowRect(r);
    PaintArrow(painter, arrow, c.Action(), text);

    const int side = arrow.left() - kArrowTolerance - (r.left() + kPreviewIconColumn);
    const cColumns cols = ColumnsOf(QFontMetrics(option.font));
    painter.setPen(text);
    for (const bool source : {true, false}) {
        const int left = source ? r.left() + kPreviewIconColumn : arrow.right() + 1 + kArrowTolerance + kGap;
        const QRect block(left, r.top(), source ? side - kGap : r.right() + 1 - left, r.height());
        const auto rows = PreviewSideRows(
            PreviewSideOf(c, source, source ? run.SourceDirList : run.DestDirList, run.RunPreview.ForcePaths), oneLine);
        const int rowHeight = oneLine ? block.height() : block.height() / 2;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const QRect area(block.left(), block.top() + static_cast<int>(i) * rowHeight, block.width(), rowHeight);
            const cPreviewSideRow& row = rows[i];
            if (!row.Directory.empty() || !row.Name.empty())
                PaintPath(painter, oneLine ? area.adjusted(0, 0, -cols.Total(), 0) : area, option.font,
                          QString::fromStdString(row.Directory), QString::fromStdString(row.Name));
            if (!row.Size.empty() || !row.Date.empty() || !row.Time.empty())
                PaintColumns(painter, area, option.font, cols, row);
        }
    }
}

} // namespace ui
