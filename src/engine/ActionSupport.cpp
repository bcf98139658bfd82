#include "engine/ActionSupport.h"

#include "engine/Candidate.h"
#include "engine/DirectoryPass.h"
#include "engine/RunContext.h"
#include "messages/UserInterface.h"
#include "platform/BelowRoot.h"
#include "platform/DirectoryOps.h"
#include "platform/ErrorCodes.h"
#include "platform/FileCopy.h"
#include "platform/FileInfo.h"
#include "platform/FileRemoval.h"
#include "platform/ProgramTempFolder.h"
#include "platform/Roots.h"
#include "platform/Trash.h"
#include "profile/Parameters.h"

#include <optional>
#include <vector>

namespace {

bool Exists(const std::string& nativePath) {
    platform::FileInfo info;
    return platform::GetFileInfo(nativePath, info) == 0;
}

[[nodiscard]] int Remove(const cParameters& p, const std::string& path) {
    if (!p.Recycle) return platform::RemoveFile(path);
    if (!Exists(path)) return platform::kFileNotFound;
    const int code = platform::MoveToTrash(path);
    // The trash either took the file or left it in place: the file itself tells which.
    return code == 0 || !Exists(path) ? 0 : platform::kUnknownFileError;
}

// The mode of a real directory of one side.
std::optional<mode_t> DirectoryMode(const cRun& run, eSide side, const std::string& relative) {
    if (relative.empty() || !IsDirectoryBelow(run, side, relative)) return std::nullopt;
    platform::FileInfo info;
    if (platform::GetFileInfo(platform::NativePath(SideRoot(run, side), relative), info) != 0) return std::nullopt;
    return static_cast<mode_t>(info.mode);
}

// The mode of the directory that a level of one side mirrors on the other side, when that is a real directory.
std::optional<mode_t> CounterpartMode(const cRun& run, eSide side, const std::string& relative) {
    const std::string& cut = run.State.CutPath;
    const std::string& destDirectory = run.Params.ResolvedDestDirectory;
    const bool toDest = side == eSide::Dest;
    const std::string other =
        toDest ? MapDirectory(relative, destDirectory, cut) : MapDirectory(relative, cut, destDirectory);
    return DirectoryMode(run, toDest ? eSide::Source : eSide::Dest, other);
}

} // namespace

bool IsDirectoryBelow(const cRun& run, eSide side, const std::string& relativeDirectory) {
    return platform::CheckDirectoryBelow(SideRoot(run, side), relativeDirectory) == 0;
}

int ReachCandidate(const cRun& run, const cCandidate& candidate, platform::CopySession* session) {
    for (const eSide side : {eSide::Source, eSide::Dest}) {
        const std::string root = SideRoot(run, side);
        const std::string directory = SideDirectory(run, candidate, side);
        const int code =
            session ? session->EnterDirectory(root, directory) : platform::CheckDirectoryBelow(root, directory);
        if (code != 0 && code != platform::kPathNotFound) return code;
    }
    return 0;
}

std::string SideRoot(const cRun& run, eSide side) {
    return side == eSide::Source ? run.State.NativeSourceRoot : run.State.NativeDestRoot;
}

std::string SideDirectory(const cRun& run, const cCandidate& candidate, eSide side) {
    const auto& list = side == eSide::Source ? run.State.SourceDirList : run.State.DestDirList;
    const auto index = static_cast<std::size_t>(candidate.DirIndex);
    return index < list.size() ? list[index] : std::string(1, '\\');
}

int DeleteSide(cRun& run, const cCandidate& candidate, eSide side) {
    const bool source = side == eSide::Source;
    const cSideTexts texts =
        SideTexts(candidate, source, SideRoot(run, side), source ? run.State.SourceDirList : run.State.DestDirList);
    const std::uint32_t attributes = source ? candidate.SourceAttributes : candidate.DestAttributes;
    const int reach = platform::CheckDirectoryBelow(SideRoot(run, side), SideDirectory(run, candidate, side));
    // Deleting needs no write permission on the file itself, so a read-only file that may be deleted keeps its
    // mode: when the deletion fails, nothing about it has changed.
    const bool protectedFile = (attributes & platform::kAttributeReadOnly) != 0 &&
                               !AllowsChange(run.Params.Attributes, eAttributeChange::ReadOnly);
    const int code = reach != 0 && reach != platform::kPathNotFound ? reach
                     : protectedFile                                ? platform::kFileReadOnly
                                                                    : Remove(run.Params, texts.Path);
    cLogEventData data{.Path = texts.Path, .PathSize = texts.Size, .PathDate = texts.Date, .PathTime = texts.Time};
    if (code == 0) {
        run.Event(kLogDeleted, data);
        ++run.State.Counters.DeletedCount;
    } else {
        data.Code = code;
        run.Event(kLogDeleteFailed, data);
        ++run.State.Counters.ErrorCount;
    }
    return code;
}

int CreateDirectoryPath(cRun& run, eSide side, const std::string& relativeDirectory, const std::string& mirrored) {
    const std::string root = SideRoot(run, side);
    // Every level's relative directory, from the top down: "\a\", "\a\b\", ...
    std::vector<std::string> levels;
    std::string level;
    for (std::size_t start = 0; start < relativeDirectory.size();) {
        std::size_t end = relativeDirectory.find('\\', start);
        if (end == std::string::npos) end = relativeDirectory.size();
        if (end > start) {
            level += '\\';
            level.append(relativeDirectory, start, end - start);
            levels.push_back(level + '\\');
        }
        start = end + 1;
    }
    // The deepest level that exists is looked for from the bottom: one check clears every level above it of
    // links, so a new directory below an existing one costs one or two checks instead of one per level. A check
    // that finds anything else (a link on the way) leaves it to the walk from the top, which names that level.
    std::size_t first = levels.size();
    bool checkEach = false;
    while (first > 0 && !checkEach) {
        const int reach = platform::CheckDirectoryBelow(root, levels[first - 1]);
        if (reach == 0) break;
        if (reach == platform::kPathNotFound)
            --first;
        else
            checkEach = true;
    }
    if (checkEach) first = 0;
    // The pair's own directory decides for the levels that mirror nothing found.
    std::optional<std::optional<mode_t>> leafMode;
    int created = 0;
    for (std::size_t i = first; i < levels.size(); ++i) {
        const std::string& relative = levels[i];
        const std::string path = platform::NativePath(root, relative);
        const int reach = checkEach ? platform::CheckDirectoryBelow(root, relative) : platform::kPathNotFound;
        if (reach == 0) continue;
        if (reach != platform::kPathNotFound) {
            // Nothing is created through a link, nor below anything that cannot be reached.
            run.Event(kLogDirCreateFailed, {.Path = path, .Code = reach});
            ++run.State.Counters.ErrorCount;
            return created;
        }
        std::optional<mode_t> mode = CounterpartMode(run, side, relative);
        if (!mode) {
            if (!leafMode) leafMode = DirectoryMode(run, side == eSide::Dest ? eSide::Source : eSide::Dest, mirrored);
            mode = *leafMode;
        }
        const int code = platform::CreateDirectoryLevel(path, mode);
        // Another run into the same destination may have created it since the check: then it is there, and
        // neither created by this run nor a failure.
        if (code == platform::kAlreadyExists && platform::CheckDirectoryBelow(root, relative) == 0) continue;
        if (code == 0) {
            run.Event(kLogDirCreated, {.Path = path});
            ++run.State.Counters.DirsCreatedCount;
            ++created;
        } else {
            run.Event(kLogDirCreateFailed, {.Path = path, .Code = code});
            ++run.State.Counters.ErrorCount;
        }
    }
    return created;
}

namespace {

void SetAction(cCandidate& c, ActionFlags action) {
    c.Flags = static_cast<ActionFlags>((c.Flags & ~kActionMask) | action);
}

std::int64_t TransferSizeOf(const cCandidate& c) {
    return c.Action() == kActionBackward ? c.DestSize : c.SourceSize;
}

void SkipFolderOf(cRunState& s, std::size_t index) {
    const int i = static_cast<int>(index);
    for (const auto& folder : s.Folders) {
        if (i < folder->FirstIndex || i > folder->LastIndex) continue;
        for (int k = folder->FirstIndex; k <= folder->LastIndex; ++k) {
            cCandidate& other = *s.Candidates[static_cast<std::size_t>(k)];
            s.BytesToCopy -= TransferSizeOf(other);
            SetAction(other, kActionSkip);
        }
        return;
    }
    SetAction(*s.Candidates[index], kActionSkip);
}

} // namespace

bool AfterCopyFailure(cRunState& s, std::size_t index, std::int64_t size, std::optional<eInterruptionAnswer> answer) {
    cCandidate& c = *s.Candidates[index];
    if (!answer) {
        // Nobody could be asked: the file is left as it is and not tried again.
        s.BytesToCopy -= size;
        SetAction(c, kActionSkip);
        c.Flags |= kFlagDone;
        return true;
    }
    switch (*answer) {
    case eInterruptionAnswer::Retry:
        return false;
    case eInterruptionAnswer::NextFile:
        s.BytesToCopy -= size;
        SetAction(c, kActionSkip);
        return false;
    case eInterruptionAnswer::NextFolder:
        SkipFolderOf(s, index);
        return false;
    case eInterruptionAnswer::Delete:
        s.BytesToCopy -= size;
        SetAction(c, kActionDelete);
        return false;
    case eInterruptionAnswer::Stop:
        s.AbortRequested = true;
        return true;
    }
    return true;
}

bool ReportComparison(cRun& run, cCandidate& c, const std::string& a, const std::string& b, int code,
                      const std::string& serverReply) {
    constexpr int kVerifyFailed = 30302;
    if (code == 0) {
        run.Event(kLogCompared, {.Path = a, .OtherPath = b});
        ++run.State.Counters.VerifiedCount;
        c.Flags &= static_cast<ActionFlags>(~kFlagVerifyPending);
        return false;
    }
    if (run.Stopping()) return false;
    run.Event(kLogCompareFailed, {.Path = a, .OtherPath = b, .Code = code, .ServerReply = serverReply});
    ++run.State.Counters.ErrorCount;
    return run.Ask(kVerifyFailed, {.Text1 = a, .Text2 = b, .Error = code, .ServerReply = serverReply}) == eAnswer::Yes;
}

void VerifyFetchedCopies(
    cRun& run,
    const std::function<void(cCandidate& candidate, const std::string& folder, int folderCode)>& verifyPair) {
    cRunState& s = run.State;
    run.Ui.ShowStatus("Vergleiche Dateien (Verify)...", static_cast<int>(s.Candidates.size()));
    std::string folder;
    const int folderCode = platform::OwnProgramTempFolder(folder);
    int position = 0;
    for (const auto& c : s.Candidates) {
        if (run.Stopping()) break;
        run.Ui.StepStatus(++position);
        if ((c->Flags & kFlagVerifyPending) != 0) verifyPair(*c, folder, folderCode);
    }
    if (folderCode == 0) (void)platform::RemoveEmptyDirectory(folder);
    run.Ui.HideStatus();
}
