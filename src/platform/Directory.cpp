// Directory listing: readdir plus one fstatat per matching entry, relative to the open directory.
#include "platform/Directory.h"

#include "platform/ErrorCodes.h"
#include "platform/Wildcard.h"

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <optional>
#include <string>
#include <unistd.h>

namespace platform {

namespace {

// A missing directory is a path that was not found, as for the file search of Windows.
int ListingError(int err) {
    return err == ENOENT ? kPathNotFound : ErrorFromErrno(err);
}

bool IsSpecialType(unsigned char type) {
    return type == DT_FIFO || type == DT_SOCK || type == DT_CHR || type == DT_BLK;
}

struct DirCloser {
    void operator()(DIR* dir) const { closedir(dir); }
};

bool IsDotOrDotDot(const char* name) {
    return std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0;
}

} // namespace

int ListDirectory(std::string_view nativeDirectory, std::string_view mask, std::vector<FileInfo>& entries) {
    entries.clear();
    int fd = open(std::string(nativeDirectory).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return ListingError(errno);
    std::unique_ptr<DIR, DirCloser> dir(fdopendir(fd));
    if (!dir) {
        int err = errno;
        close(fd);
        return ListingError(err);
    }

    std::optional<cWildcard> filter;
    if (!mask.empty()) filter.emplace(mask);
    for (;;) {
        errno = 0;
        const dirent* entry = readdir(dir.get());
        if (!entry) break;
        if (IsDotOrDotDot(entry->d_name) || IsSpecialType(entry->d_type)) continue;
        if (filter && !filter->Matches(entry->d_name)) continue;
        FileInfo info;
        int code = GetFileInfoAt(dirfd(dir.get()), entry->d_name, info);
        if (code == kFileNotFound) continue; // vanished, or a special file the entry type did not reveal
        if (code != kSuccess) {
            entries.clear();
            return code;
        }
        entries.push_back(std::move(info));
    }
    if (errno != 0) {
        int err = errno;
        entries.clear();
        return ErrorFromErrno(err);
    }
    return kSuccess;
}

} // namespace platform
