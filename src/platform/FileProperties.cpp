// Attribute word, times, mode, access lists (libacl) and owner of a path.
#include "platform/FileProperties.h"

#include "platform/ErrorCodes.h"
#include "platform/FileInfo.h"

#include <acl/libacl.h>
#include <cerrno>
#include <fcntl.h>
#include <sys/acl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

// An access list read from a file, freed when it goes out of scope.
class Acl {
public:
    Acl(const std::string& path, acl_type_t type) : m_acl(::acl_get_file(path.c_str(), type)) {}
    explicit Acl(acl_t acl) : m_acl(acl) {}
    ~Acl() {
        if (m_acl) ::acl_free(m_acl);
    }
    Acl(const Acl&) = delete;
    Acl& operator=(const Acl&) = delete;
    acl_t Get() const { return m_acl; }

private:
    acl_t m_acl;
};

// More than the three entries the mode bits stand for, or a default access list. False on a file system
// without access lists.
bool HasExtendedAcl(const std::string& path) {
    return ::acl_extended_file_nofollow(path.c_str()) > 0;
}

int SetAccessList(const std::string& from, const std::string& to, mode_t fromMode) {
    Acl read(from, ACL_TYPE_ACCESS);
    // A source on a file system without access lists has the list its mode bits stand for.
    Acl fromModeBits(!read.Get() && errno == ENOTSUP ? ::acl_from_mode(fromMode) : nullptr);
    const acl_t acl = read.Get() ? read.Get() : fromModeBits.Get();
    if (!acl) return ErrorFromErrno(errno);
    if (::acl_set_file(to.c_str(), ACL_TYPE_ACCESS, acl) != 0) return ErrorFromErrno(errno);
    return kSuccess;
}

int SetDefaultAccessList(const std::string& from, const std::string& to) {
    Acl acl(from, ACL_TYPE_DEFAULT);
    if (acl.Get() && ::acl_entries(acl.Get()) > 0) {
        if (::acl_set_file(to.c_str(), ACL_TYPE_DEFAULT, acl.Get()) != 0) return ErrorFromErrno(errno);
        return kSuccess;
    }
    if (::acl_delete_def_file(to.c_str()) != 0 && errno != ENOTSUP) return ErrorFromErrno(errno);
    return kSuccess;
}

// Mode bits (`mode`, the source's less what the owner forbids) and access lists of two paths that are no
// symlinks.
int TransferPermissions(const std::string& from, const std::string& to, const struct stat& source,
                        const struct stat& target, mode_t mode) {
    int error = kSuccess;
    if (HasExtendedAcl(from) || HasExtendedAcl(to)) {
        error = SetAccessList(from, to, source.st_mode);
        if (error == kSuccess && S_ISDIR(source.st_mode) && S_ISDIR(target.st_mode))
            error = SetDefaultAccessList(from, to);
    }
    // After the access list: chmod adds the set-user-ID, set-group-ID and sticky bits, which the list lacks.
    if (::chmod(to.c_str(), mode) != 0 && error == kSuccess) error = ErrorFromErrno(errno);
    return error;
}

// After chown alone: chown cleared the set-user-ID and set-group-ID bits of a file. A file whose permission
// bits are the source's (a copy, which holds those bits back while its owner differs) gets the source's now
// that its owner and group are the source's; other bits stay as they were.
int RestoreSpecialBits(const std::string& to, const struct stat& source, const struct stat& target) {
    constexpr mode_t kSpecial = S_ISUID | S_ISGID;
    mode_t mode = target.st_mode & 01777;
    if ((target.st_mode & 0777) == (source.st_mode & 0777)) mode |= source.st_mode & kSpecial;
    if (((mode | target.st_mode) & kSpecial) == 0) return kSuccess; // chown changed nothing
    return ::chmod(to.c_str(), mode) == 0 ? kSuccess : ErrorFromErrno(errno);
}

bool AclsDiffer(const std::string& a, const std::string& b, acl_type_t type) {
    Acl aclA(a, type);
    Acl aclB(b, type);
    return !aclA.Get() || !aclB.Get() || ::acl_cmp(aclA.Get(), aclB.Get()) != 0;
}

} // namespace

int SetAttributes(const std::string& nativePath, std::uint32_t attributes) {
    struct stat st {};
    if (::lstat(nativePath.c_str(), &st) != 0) return ErrorFromErrno(errno);
    if (S_ISLNK(st.st_mode)) return kSuccess;
    mode_t mode = st.st_mode & 07777;
    mode_t wanted = (attributes & kAttributeReadOnly) ? mode & ~mode_t{S_IWUSR} : mode | S_IWUSR;
    if (wanted == mode) return kSuccess;
    if (::chmod(nativePath.c_str(), wanted) != 0) return ErrorFromErrno(errno);
    return kSuccess;
}

int SetFileTimes(const std::string& nativePath, FileTime lastWrite, std::optional<FileTime> lastAccess) {
    timespec times[2];
    times[0] = lastAccess ? TimespecFromFileTime(*lastAccess) : timespec{0, UTIME_OMIT};
    times[1] = TimespecFromFileTime(lastWrite);
    if (::utimensat(AT_FDCWD, nativePath.c_str(), times, AT_SYMLINK_NOFOLLOW) != 0) return ErrorFromErrno(errno);
    return kSuccess;
}

int TransferSecurity(const std::string& from, const std::string& to, bool permissions, bool owner) {
    struct stat source {};
    struct stat target {};
    if (::lstat(from.c_str(), &source) != 0) return ErrorFromErrno(errno);
    if (::lstat(to.c_str(), &target) != 0) return ErrorFromErrno(errno);
    int error = kSuccess;
    bool sameOwner = source.st_uid == target.st_uid && source.st_gid == target.st_gid;
    // The owner first: chown clears the set-user-ID and set-group-ID bits, which the mode then sets again.
    if (owner) {
        if (::lchown(to.c_str(), source.st_uid, source.st_gid) == 0)
            sameOwner = true;
        else
            error = ErrorFromErrno(errno);
    }
    // Mode and access lists of a symlink are those of its target, which is not this transfer's business.
    if (S_ISLNK(source.st_mode) || S_ISLNK(target.st_mode)) return error;
    if (permissions) {
        // Set-user-ID and set-group-ID act for the source's owner and group, and for no one else.
        mode_t mode = source.st_mode & 07777;
        if (!sameOwner) mode &= ~mode_t{S_ISUID | S_ISGID};
        const int permissionsError = TransferPermissions(from, to, source, target, mode);
        if (error == kSuccess) error = permissionsError;
    } else if (owner && error == kSuccess && !S_ISDIR(target.st_mode)) {
        error = RestoreSpecialBits(to, source, target);
    }
    return error;
}

bool SecurityDiffers(const std::string& a, const std::string& b) {
    struct stat stA {};
    struct stat stB {};
    if (::lstat(a.c_str(), &stA) != 0 || ::lstat(b.c_str(), &stB) != 0) return true;
    if ((stA.st_mode & 07777) != (stB.st_mode & 07777) || stA.st_uid != stB.st_uid || stA.st_gid != stB.st_gid)
        return true;
    return AccessListsDiffer(a, b);
}

bool AccessListsDiffer(const std::string& a, const std::string& b) {
    bool extendedA = HasExtendedAcl(a);
    bool extendedB = HasExtendedAcl(b);
    if (!extendedA && !extendedB) return false;
    if (extendedA != extendedB) return true;
    if (AclsDiffer(a, b, ACL_TYPE_ACCESS)) return true;
    struct stat stA {};
    struct stat stB {};
    if (::lstat(a.c_str(), &stA) != 0 || ::lstat(b.c_str(), &stB) != 0) return true;
    return S_ISDIR(stA.st_mode) && S_ISDIR(stB.st_mode) && AclsDiffer(a, b, ACL_TYPE_DEFAULT);
}

} // namespace platform
