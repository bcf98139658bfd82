#include "ui/FileSideLabels.h"

#include "ui/FitLabel.h"

#include <QGridLayout>
#include <QLabel>

namespace ui {

namespace {

// A right-aligned column at least as wide as its usual contents, so that the columns stand still from file
// to file.
QLabel* ColumnLabel(const QString& name, const QString& widest) {
    auto* label = new QLabel;
    label->setObjectName(name);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setTextFormat(Qt::PlainText);
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance(widest));
    return label;
}

} // namespace

cSplitPath SplitPath(const QString& path) {
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    return {path.left(slash + 1), path.mid(slash + 1)};
}

cFileSideLabels cFileSideLabels::AddTo(QGridLayout& grid, int row, const QString& prefix) {
    cFileSideLabels side;
    side.Directory = new cFitLabel;
    side.Directory->setObjectName(prefix + QStringLiteral("DirLbl"));
    side.Name = new cFitLabel;
    side.Name->setObjectName(prefix + QStringLiteral("NameLbl"));
    side.Size = ColumnLabel(prefix + QStringLiteral("SizeLbl"), QStringLiteral("999.999.999.999"));
    side.Date = ColumnLabel(prefix + QStringLiteral("DateLbl"), QStringLiteral("00.00.0000"));
    side.Time = ColumnLabel(prefix + QStringLiteral("TimeLbl"), QStringLiteral("00:00:00"));
    grid.addWidget(side.Directory, row, 0, 1, 4);
    grid.addWidget(side.Name, row + 1, 0);
    grid.addWidget(side.Size, row + 1, 1);
    grid.addWidget(side.Date, row + 1, 2);
    grid.addWidget(side.Time, row + 1, 3);
    grid.setColumnStretch(0, 1);
    return side;
}

void cFileSideLabels::Show(const std::string& path, const std::string& size, const std::string& date,
                           const std::string& time) {
    const cSplitPath split = SplitPath(QString::fromStdString(path));
    Directory->SetFullText(split.Directory);
    Name->SetFullText(split.Name);
    Size->setText(QString::fromStdString(size));
    Date->setText(QString::fromStdString(date));
    Time->setText(QString::fromStdString(time));
}

} // namespace ui
