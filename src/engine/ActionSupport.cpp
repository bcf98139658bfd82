#include "engine/ActionSupport.h"

#include "engine/Candidate.h"
#include "engine/RunContext.h"
#include "platform/DirectoryOps.h"
#include "platform/ErrorCodes.h"
#include "platform/FileInfo.h"
#include "platform/Roots.h"
#include "platform/Trash.h"
#include "profile/Parameters.h"

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kChangeReadOnly = 1; // Attributes bit: read-only files may be changed

bool Exists(const std::string& nativePath) {
    platform::FileInfo info;
    return platform::GetFileInfo(nativePath, info) == 0;
}

int Remove(const cParameters& p, const std::string& path) {
    if (!p.Recycle) return ::unlink(path.c_str()) == 0 ? 0 : platform::ErrorFromErrno(errno);
    if (!Exists(path)) return platform::kFileNotFound;
    const int code = platform::MoveToTrash(path);
    // The trash either took the file or left it in place: the file itself tells which.
    return code == 0 || !Exists(path) ? 0 : platform::kUnknownFileError;
}

} // namespace

bool IsDirectory(const std::string& nativePath) {
    struct stat info {};
    return ::stat(nativePath.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
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
    // Deleting needs no write permission on the file itself, so a read-only file that may be deleted keeps its
    // mode: when the deletion fails, nothing about it has changed.
    const bool protectedFile =
        (attributes & platform::kAttributeReadOnly) != 0 && (run.Params.Attributes & kChangeReadOnly) == 0;
    const int code = protectedFile ? platform::kFileReadOnly : Remove(run.Params, texts.Path);
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

int CreateDirectoryPath(cRun& run, const std::string& nativeRoot, const std::string& relativeDirectory) {
    int created = 0;
    std::string level;
    std::size_t start = 0;
    while (start < relativeDirectory.size()) {
        std::size_t end = relativeDirectory.find('\\', start);
        if (end == std::string::npos) end = relativeDirectory.size();
        if (end > start) {
            level += '\\';
            level.append(relativeDirectory, start, end - start);
            const std::string path = platform::NativePath(nativeRoot, level + '\\');
            if (!Exists(path)) {
                const int code = platform::CreateDirectoryLevel(path);
                if (code == 0) {
                    run.Event(kLogDirCreated, {.Path = path});
                    ++run.State.Counters.DirsCreatedCount;
                    ++created;
                } else {
                    run.Event(kLogDirCreateFailed, {.Path = path, .Code = code});
                    ++run.State.Counters.ErrorCount;
                }
            }
        }
        start = end + 1;
    }
    return created;
}
