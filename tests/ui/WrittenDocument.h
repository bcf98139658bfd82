// What a dialog's OK leaves in the file: the document written out, and how many lines two writings differ in.
#pragma once

#include "profile/Parameters.h"
#include "support/TempDir.h"

#include <QString>
#include <QStringList>

#include <algorithm>
#include <string>

namespace uitest {

// The text of params written as the file name below dir; empty when it cannot be written.
inline std::string Written(cParameters params, const testsupport::TempDir& dir, const char* name) {
    if (params.WriteDocument((dir.Path() / name).string()) != 0) return {};
    return dir.ReadFile(name);
}

// The lines of a that b does not have at the same place; -1 when they have not as many lines.
inline int DifferentLines(const std::string& a, const std::string& b) {
    const QStringList la = QString::fromStdString(a).split(QLatin1Char('\n'));
    const QStringList lb = QString::fromStdString(b).split(QLatin1Char('\n'));
    if (la.size() != lb.size()) return -1;
    int different = 0;
    for (qsizetype i = 0; i < la.size(); ++i)
        if (la[i] != lb[i]) ++different;
    return different;
}

// The first line of after that differs from before, without its line end and blanks around it.
inline QString ChangedLine(const std::string& before, const std::string& after) {
    const QStringList a = QString::fromStdString(before).split(QLatin1Char('\n'));
    const QStringList b = QString::fromStdString(after).split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < std::min(a.size(), b.size()); ++i)
        if (a[i] != b[i]) return b[i].trimmed();
    return {};
}

} // namespace uitest
