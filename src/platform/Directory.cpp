// Directory listing: getdents64 plus one fstatat per matching entry, relative to the open directory.
#include "platform/Directory.h"

#include "platform/BelowRoot.h"
#include "platform/ErrorCodes.h"
#include "platform/UniqueFd.h"
#include "platform/Wildcard.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace platform {

namespace {

// A missing directory is a path that was not found, as for the file search of Windows.
[[nodiscard]] int ListingError(int err) {
    return err == ENOENT ? kPathNotFound : ErrorFromErrno(err);
}

bool IsSpecialType(unsigned char type) {
    return type == DT_FIFO || type == DT_SOCK || type == DT_CHR || type == DT_BLK;
}

bool IsDotOrDotDot(const char* name) {
    return std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0;
}

// The entries of one open directory, read with getdents64 into a buffer of its own: no DIR stream, which would
// cost two fcntl calls per directory, a measurable share of a scan over many small directories.
class cDirectoryReader {
public:
    // 0 or the code of a failed open.
    [[nodiscard]] int Open(std::string_view nativeDirectory) {
        m_fd.reset(open(std::string(nativeDirectory).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        return m_fd ? kSuccess : ListingError(errno);
    }
    [[nodiscard]] int OpenBelow(std::string_view nativeRoot, std::string_view relative) {
        int fd = -1;
        const int code = OpenDirectoryBelow(nativeRoot, relative, fd);
        m_fd.reset(fd);
        return code;
    }
    int Fd() const { return m_fd.get(); }

    // The next entry other than "." and ".."; nullptr at the end or after an error (then Error() is set).
    const dirent64* Next() {
        for (;;) {
            if (m_offset >= m_filled) {
                const long got = syscall(SYS_getdents64, m_fd.get(), m_buffer.data(), m_buffer.size());
                if (got < 0 && errno == EINTR) continue;
                if (got <= 0) {
                    m_error = got < 0 ? errno : 0;
                    return nullptr;
                }
                m_filled = static_cast<std::size_t>(got);
                m_offset = 0;
            }
            const auto* entry = reinterpret_cast<const dirent64*>(m_buffer.data() + m_offset);
            m_offset += entry->d_reclen;
            if (!IsDotOrDotDot(entry->d_name)) return entry;
        }
    }
    [[nodiscard]] int Error() const { return m_error; }

private:
    UniqueFd m_fd;
    // Left uninitialised: getdents64 fills what is read, and zeroing 32 KiB per directory costs more than the
    // listing of a small one.
    alignas(dirent64) std::array<char, 32 * 1024> m_buffer;
    std::size_t m_filled = 0;
    std::size_t m_offset = 0;
    int m_error = 0;
};

} // namespace

namespace {

[[nodiscard]] int ReadEntries(cDirectoryReader* reader, std::string_view mask, std::vector<FileInfo>& entries,
                              std::vector<std::string>* specialNames = nullptr) {
    std::optional<cWildcard> filter;
    if (!mask.empty()) filter.emplace(mask);
    while (const dirent64* entry = reader->Next()) {
        if (IsSpecialType(entry->d_type)) {
            if (specialNames && (!filter || filter->Matches(entry->d_name))) specialNames->emplace_back(entry->d_name);
            continue;
        }
        if (filter && !filter->Matches(entry->d_name)) continue;
        FileInfo info;
        const int code = GetFileInfoAt(reader->Fd(), entry->d_name, info);
        if (code == kFileNotFound) continue; // vanished, or a special file the entry type did not reveal
        if (code != kSuccess) {
            entries.clear();
            return code;
        }
        entries.push_back(std::move(info));
    }
    if (reader->Error() != 0) {
        entries.clear();
        return ErrorFromErrno(reader->Error());
    }
    return kSuccess;
}

} // namespace

int ListDirectory(std::string_view nativeDirectory, std::string_view mask, std::vector<FileInfo>& entries) {
    entries.clear();
    auto reader = std::make_unique<cDirectoryReader>();
    if (const int code = reader->Open(nativeDirectory); code != kSuccess) return code;
    return ReadEntries(reader.get(), mask, entries);
}

int ListDirectory(std::string_view nativeRoot, std::string_view relative, std::string_view mask,
                  std::vector<FileInfo>& entries, std::vector<std::string>* specialNames) {
    entries.clear();
    if (specialNames) specialNames->clear();
    auto reader = std::make_unique<cDirectoryReader>();
    if (const int code = reader->OpenBelow(nativeRoot, relative); code != kSuccess) return code;
    return ReadEntries(reader.get(), mask, entries, specialNames);
}

int ListSubdirectoryNames(std::string_view nativeRoot, std::string_view relative, std::vector<SubdirectoryName>& names,
                          std::vector<std::string>* otherNames, std::vector<std::string>* specialNames) {
    names.clear();
    if (otherNames) otherNames->clear();
    if (specialNames) specialNames->clear();
    auto reader = std::make_unique<cDirectoryReader>();
    if (const int code = reader->OpenBelow(nativeRoot, relative); code != kSuccess) return code;
    while (const dirent64* entry = reader->Next()) {
        unsigned char type = entry->d_type;
        if (type == DT_UNKNOWN) {
            struct stat info {};
            if (fstatat(reader->Fd(), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0) continue; // vanished
            type = S_ISDIR(info.st_mode)   ? DT_DIR
                   : S_ISREG(info.st_mode) ? DT_REG
                   : S_ISLNK(info.st_mode) ? DT_LNK
                                           : DT_FIFO;
        }
        if (type == DT_DIR)
            names.push_back({entry->d_name, !IsRepresentableName(entry->d_name), entry->d_ino});
        else if (IsSpecialType(type)) {
            if (specialNames) specialNames->emplace_back(entry->d_name);
        } else if (otherNames) {
            otherNames->emplace_back(entry->d_name);
        }
    }
    if (reader->Error() != 0) {
        names.clear();
        if (otherNames) otherNames->clear();
        return ErrorFromErrno(reader->Error());
    }
    return kSuccess;
}

int DescribeEntries(std::string_view nativeRoot, std::string_view relative, const std::vector<std::string>& names,
                    std::vector<FileInfo>& entries) {
    entries.clear();
    cDirectoryReader reader;
    if (const int code = reader.OpenBelow(nativeRoot, relative); code != kSuccess) return code;
    entries.reserve(names.size());
    for (const std::string& name : names) {
        FileInfo info;
        const int code = GetFileInfoAt(reader.Fd(), name.c_str(), info);
        if (code == kFileNotFound) continue; // vanished, or a special file now
        if (code != kSuccess) {
            entries.clear();
            return code;
        }
        entries.push_back(std::move(info));
    }
    return kSuccess;
}

} // namespace platform
