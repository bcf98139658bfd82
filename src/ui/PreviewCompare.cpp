#include "ui/PreviewCompare.h"

#include "engine/Candidate.h"
#include "engine/DestinationRun.h"
#include "engine/RunState.h"
#include "messages/ErrorText.h"
#include "messages/UserMessage.h"
#include "platform/FileContents.h"
#include "platform/FileCopy.h"
#include "platform/Process.h"
#include "platform/ProgramFolders.h"
#include "platform/ProgramTempFolder.h"
#include "review/PreviewList.h"
#include "ui/MessageDialog.h"

#include <QApplication>
#include <QCursor>

namespace ui {

namespace {

// The native path of the candidate's file on one side.
std::string SidePath(const cCandidate& candidate, bool source, const cRunState& run) {
    return SideTexts(candidate, source, source ? run.NativeSourceRoot : run.NativeDestRoot,
                     source ? run.SourceDirList : run.DestDirList)
        .Path;
}

// A new folder of its own below the program's temporary folder ("/" at the end), so that copies of files with
// the same name never meet; empty when it cannot be made.
std::string NewOpeningFolder() {
    static int s_copies = 0;
    std::string own;
    if (platform::OwnProgramTempFolder(own) != 0) return {};
    const std::string folder = own + "/Öffnen " + std::to_string(++s_copies) + "/";
    return platform::CreatePrivateFolder(folder) == 0 ? folder : std::string();
}

} // namespace

std::optional<cComparePair> ComparePairOf(const cPreviewList& list, const std::vector<int>& rows) {
    if (rows.size() != 1 || rows.front() < 0) return std::nullopt;
    const auto line = static_cast<std::size_t>(rows.front());
    if (line >= list.Lines().size() || list.Lines()[line].IsFolder()) return std::nullopt;
    const cCandidate& candidate = list.CandidateAt(line);
    // A side's time is 0 when the file is not on that side.
    if (candidate.SourceTime == 0 || candidate.DestTime == 0) return std::nullopt;
    return cComparePair{SidePath(candidate, true, list.Run()), SidePath(candidate, false, list.Run()),
                        candidate.SourceSize == candidate.DestSize};
}

std::optional<cComparePair> InternalComparePair(const cPreviewList& list, const std::vector<int>& rows) {
    std::optional<cComparePair> pair = ComparePairOf(list, rows);
    if (pair && !pair->SameSize) return std::nullopt;
    return pair;
}

std::vector<std::string> FilesToOpen(const cPreviewList& list, const std::vector<int>& rows) {
    std::vector<std::string> files;
    for (const int row : rows) {
        const auto line = static_cast<std::size_t>(row);
        if (row < 0 || line >= list.Lines().size() || list.Lines()[line].IsFolder()) continue;
        const cCandidate& candidate = list.CandidateAt(line);
        if (candidate.SourceTime != 0) files.push_back(SidePath(candidate, true, list.Run()));
        if (candidate.DestTime != 0) files.push_back(SidePath(candidate, false, list.Run()));
    }
    return files;
}

std::string CopyForOpening(const std::string& file) {
    const std::string folder = NewOpeningFolder();
    if (folder.empty()) return {};
    const std::string copy = folder + file.substr(file.rfind('/') + 1);
    return platform::CopyFileSafely(file, copy, {}) == 0 ? copy : std::string();
}

std::string FetchForOpening(QWidget* parent, const QString& caption, const cRunState& run,
                            const cCandidate& candidate) {
    const auto index = static_cast<std::size_t>(candidate.DirIndex);
    if (!run.Destination || candidate.DestTime == 0 || index >= run.DestDirList.size()) return {};
    const std::string folder = NewOpeningFolder();
    if (folder.empty()) return {};
    const std::string name = candidate.BaseName + candidate.Extension;
    std::string reason;
    QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    const int code = run.Destination->FetchFile(run.DestDirList[index], name, folder + name, reason);
    QApplication::restoreOverrideCursor();
    if (code == 0) return folder + name;
    const cMessageArgs args{.Text1 = ShownDestPath(run, run.DestDirList[index] + name),
                            .Text2 = ErrorText(code),
                            .Error = code,
                            .ServerReply = reason};
    ShowMessageDialog(parent, caption, 0, eMessageKind::Error, eMessageButtons::Ok,
                      QString::fromStdString(DisplayText(MessageText(run.Destination->FetchFailedMessage(), args))));
    return {};
}

std::string ExternalCompareCommand(const std::string& compareA, const std::string& compareB, const cComparePair& pair) {
    std::string command = platform::ShellQuoted(compareA) + ' ';
    for (std::size_t i = 0; i < compareB.size(); ++i) {
        if (compareB[i] == '%' && i + 1 < compareB.size() && (compareB[i + 1] == '1' || compareB[i + 1] == '2')) {
            command += platform::ShellQuoted(compareB[i + 1] == '1' ? pair.Source : pair.Dest);
            ++i;
        } else {
            command += compareB[i];
        }
    }
    return command;
}

QString CompareResultText(const cComparePair& pair, bool identical) {
    return QStringLiteral("Die Dateien\n\n") + QString::fromStdString(pair.Source) + QStringLiteral("\n\nund\n\n") +
           QString::fromStdString(pair.Dest) + QStringLiteral("\n\nsind ") +
           (identical ? QString() : QStringLiteral("NICHT ")) + QStringLiteral("identisch.");
}

void CompareInternally(QWidget* parent, const QString& caption, const cComparePair& pair) {
    QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    const int code = platform::CompareContents(pair.Source, pair.Dest, {});
    QApplication::restoreOverrideCursor();
    ShowMessageDialog(parent, caption, 0, eMessageKind::Information, eMessageButtons::Ok,
                      CompareResultText(pair, code == 0));
}

} // namespace ui
