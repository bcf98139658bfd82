// "Intern vergleichen" of the preview list: the two files of one candidate compared byte by byte.
#pragma once

#include <QString>

#include <optional>
#include <string>
#include <vector>

class QWidget;
class cCandidate;
class cPreviewList;
struct cRunState;

namespace ui {

struct cComparePair {
    std::string Source;
    std::string Dest;
    bool SameSize = false;
};

// The files to compare when rows hold exactly one candidate line whose files are on both sides; none otherwise.
std::optional<cComparePair> ComparePairOf(const cPreviewList& list, const std::vector<int>& rows);
// The same, only when both files have the same size (files of different sizes differ anyway).
std::optional<cComparePair> InternalComparePair(const cPreviewList& list, const std::vector<int>& rows);

// The files of the candidate lines among rows that "Öffnen" opens: the source file and the destination file of
// each, where they are.
std::vector<std::string> FilesToOpen(const cPreviewList& list, const std::vector<int>& rows);
// Copies file into a folder of its own below the program's temporary folder, so that the application that
// shows it cannot change the original; the copy's path, or empty when it could not be made.
std::string CopyForOpening(const std::string& file);

// The destination file of a zip or FTP candidate, extracted or downloaded into a folder of its own below the
// program's temporary folder; the copy's path, or empty when it could not be made (the failure was shown over
// parent: 30219 for an archive, 30221 for a server).
std::string FetchForOpening(QWidget* parent, const QString& caption, const cRunState& run, const cCandidate& candidate);

// The shell command of "Extern vergleichen": the program compareA quoted, a blank, then compareB with every
// "%1" replaced by the quoted source path and every "%2" by the quoted destination path.
std::string ExternalCompareCommand(const std::string& compareA, const std::string& compareB, const cComparePair& pair);

// The sentence the comparison ends with.
QString CompareResultText(const cComparePair& pair, bool identical);

// Compares with the wait cursor shown and tells the result in an information box over parent.
void CompareInternally(QWidget* parent, const QString& caption, const cComparePair& pair);

} // namespace ui
