// One side of a copy as the progress window and the interruption dialog show it: the directory on one line,
// below it the name with size, date and time in right-aligned columns.
#pragma once

#include <QString>

#include <string>

class QGridLayout;
class QLabel;

namespace ui {

class cFitLabel;

// A native path cut after its last "/": the directory keeps the "/" at its end.
struct cSplitPath {
    QString Directory;
    QString Name;
};
cSplitPath SplitPath(const QString& path);

struct cFileSideLabels {
    cFitLabel* Directory = nullptr;
    cFitLabel* Name = nullptr;
    QLabel* Size = nullptr;
    QLabel* Date = nullptr;
    QLabel* Time = nullptr;

    // Puts the labels into rows row and row + 1 of grid (columns 0..3; column 0 takes the spare room). Their
    // object names are prefix + "DirLbl", "NameLbl", "SizeLbl", "DateLbl", "TimeLbl".
    static cFileSideLabels AddTo(QGridLayout& grid, int row, const QString& prefix);

    // path is native; size, date and time are empty for a side without the file.
    void Show(const std::string& path, const std::string& size, const std::string& date, const std::string& time);
};

} // namespace ui
