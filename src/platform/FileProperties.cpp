// Attribute word, times, mode, access lists (libacl) and owner of a path.
#include "platform/FileProperties.h"

#include "platform/ErrorCodes.h"
#include "platform/FileInfo.h"

#include <acl/libacl.h>
#include <algorithm>
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

[[nodiscard]] int SetAccessList(const std::string& from, const std::string& to, mode_t fromMode) {
    Acl read(from, ACL_TYPE_ACCESS);
    // A source on a file system without access lists has the list its mode bits stand for.
    Acl fromModeBits(!read.Get() && errno == ENOTSUP ? ::acl_from_mode(fromMode) : nullptr);
    const acl_t acl = read.Get() ? read.Get() : fromModeBits.Get();
    if (!acl) return ErrorFromErrno(errno);
    if (::acl_set_file(to.c_str(), ACL_TYPE_ACCESS, acl) != 0) return ErrorFromErrno(errno);
    return kSuccess;
}

[[nodiscard]] int SetDefaultAccessList(const std::string& from, const std::string& to) {
    Acl acl(from, ACL_TYPE_DEFAULT);
    if (acl.Get() && ::acl_entries(acl.Get()) > 0) {
        if (::acl_set_file(to.c_str(), ACL_TYPE_DEFAULT, acl.Get()) != 0) return ErrorFromErrno(errno);
        return kSuccess;
    }
    if (::acl_delete_def_file(to.c_str()) != 0 && errno != ENOTSUP) return ErrorFromErrno(errno);
    return kSuccess;
}

// Sets or clears the read-only bit of a path that is no symlink, as its own file system keeps it: FAT keeps the
// write bits all or none (it refuses anything between), elsewhere it is the owner's write bit. Other bits stay.
[[nodiscard]] int SetReadOnly(const std::string& path, const struct stat& st, bool readOnly, KeptProperties kept) {
    if (kept == KeptProperties::Nothing) return kSuccess;
    const mode_t mode = st.st_mode & 07777;
    if (((mode & S_IWUSR) == 0) == readOnly) return kSuccess;
    const mode_t writeBits = kept == KeptProperties::ReadOnlyBit ? mode_t{S_IWUSR | S_IWGRP | S_IWOTH} : S_IWUSR;
    if (::chmod(path.c_str(), readOnly ? mode & ~writeBits : mode | writeBits) != 0) return ErrorFromErrno(errno);
    return kSuccess;
}

// Mode bits (`mode`, the source's less what the owner forbids) and, with `accessList`, access lists of two
// paths that are no symlinks. `changed` says that chown changed `to` since `target` was read.
[[nodiscard]] int TransferPermissions(const std::string& from, const std::string& to, const struct stat& source,
                                      const struct stat& target, mode_t mode, bool accessList, bool changed) {
    int error = kSuccess;
    const bool lists = accessList && (HasExtendedAcl(from) || HasExtendedAcl(to));
    if (lists) {
        error = SetAccessList(from, to, source.st_mode);
        if (error == kSuccess && S_ISDIR(source.st_mode) && S_ISDIR(target.st_mode))
            error = SetDefaultAccessList(from, to);
    }
    // After the access list: chmod adds the set-user-ID, set-group-ID and sticky bits, which the list lacks.
    if (!lists && !changed && (target.st_mode & 07777) == mode) return error;
    if (::chmod(to.c_str(), mode) != 0 && error == kSuccess) error = ErrorFromErrno(errno);
    return error;
}

// After chown alone: chown cleared the set-user-ID and set-group-ID bits of a file. A file whose permission
// bits are the source's (a copy, which holds those bits back while its owner differs) gets the source's now
// that its owner and group are the source's; other bits stay as they were.
[[nodiscard]] int RestoreSpecialBits(const std::string& to, const struct stat& source, const struct stat& target) {
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

// Access lists are read only when one of the two has an extended one, so the common case costs the two
// questions whether they have.
bool AccessListsDiffer(const std::string& a, const std::string& b, bool directories) {
    const bool extendedA = HasExtendedAcl(a);
    const bool extendedB = HasExtendedAcl(b);
    if (!extendedA && !extendedB) return false;
    if (extendedA != extendedB) return true;
    return AclsDiffer(a, b, ACL_TYPE_ACCESS) || (directories && AclsDiffer(a, b, ACL_TYPE_DEFAULT));
}

} // namespace

int SetAttributes(const std::string& nativePath, std::uint32_t attributes) {
    struct stat st {};
    if (::lstat(nativePath.c_str(), &st) != 0) return ErrorFromErrno(errno);
    if (S_ISLNK(st.st_mode)) return kSuccess;
    return SetReadOnly(nativePath, st, (attributes & kAttributeReadOnly) != 0, KeptPropertiesOn(st.st_dev, nativePath));
}

int SetFileTimes(const std::string& nativePath, FileTime lastWrite, std::optional<FileTime> lastAccess) {
    timespec times[2];
    times[0] = lastAccess ? TimespecFromFileTime(*lastAccess) : timespec{0, UTIME_OMIT};
    times[1] = TimespecFromFileTime(lastWrite);
    if (::utimensat(AT_FDCWD, nativePath.c_str(), times, AT_SYMLINK_NOFOLLOW) != 0) return ErrorFromErrno(errno);
    return kSuccess;
}

int TransferProperties(const std::string& from, const std::string& to, PropertyParts parts) {
    struct stat source {};
    struct stat target {};
    if (::lstat(from.c_str(), &source) != 0) return ErrorFromErrno(errno);
    if (::lstat(to.c_str(), &target) != 0) return ErrorFromErrno(errno);
    const bool links = S_ISLNK(source.st_mode) || S_ISLNK(target.st_mode);
    const bool permissions = parts.mode || parts.accessList;
    const KeptProperties keptByTarget = KeptPropertiesOn(target.st_dev, to);
    const KeptProperties kept = std::min(KeptPropertiesOn(source.st_dev, from), keptByTarget);
    if (kept == KeptProperties::Nothing) return kSuccess;
    if (kept == KeptProperties::ReadOnlyBit) {
        if (!permissions || links) return kSuccess;
        return SetReadOnly(to, target, (source.st_mode & S_IWUSR) == 0, keptByTarget);
    }
    int error = kSuccess;
    bool sameOwner = source.st_uid == target.st_uid && source.st_gid == target.st_gid;
    bool chowned = false;
    // The owner first: chown clears the set-user-ID and set-group-ID bits, which the mode then sets again.
    if (parts.owner && !sameOwner) {
        if (::lchown(to.c_str(), source.st_uid, source.st_gid) == 0)
            sameOwner = chowned = true;
        else
            error = ErrorFromErrno(errno);
    }
    // Mode and access lists of a symlink are those of its target, which is not this transfer's business.
    if (links) return error;
    if (permissions) {
        // Set-user-ID and set-group-ID act for the source's owner and group, and for no one else.
        mode_t mode = source.st_mode & 07777;
        if (!sameOwner) mode &= ~mode_t{S_ISUID | S_ISGID};
        const int permissionsError = TransferPermissions(from, to, source, target, mode, parts.accessList, chowned);
        if (error == kSuccess) error = permissionsError;
    } else if (chowned && !S_ISDIR(target.st_mode)) {
        error = RestoreSpecialBits(to, source, target);
    }
    return error;
}

int TransferSecurity(const std::string& from, const std::string& to, bool permissions, bool owner) {
    return TransferProperties(from, to, {.mode = permissions, .accessList = permissions, .owner = owner});
}

KeptProperties KeptBetween(const PropertiesSide& a, const PropertiesSide& b) {
    return std::min(KeptPropertiesOn(a.info.identity.device, a.path), KeptPropertiesOn(b.info.identity.device, b.path));
}

bool PropertiesDiffer(const PropertiesSide& from, const PropertiesSide& to, PropertyParts parts) {
    const KeptProperties kept = KeptBetween(from, to);
    const FileInfo& source = from.info;
    const FileInfo& target = to.info;
    const bool links = source.IsSymlink() || target.IsSymlink();
    const bool permissions = parts.mode || parts.accessList;
    if (kept == KeptProperties::Nothing) return false;
    if (kept == KeptProperties::ReadOnlyBit)
        return permissions && !links && ((source.mode ^ target.mode) & S_IWUSR) != 0;
    const bool sameOwner = source.uid == target.uid && source.gid == target.gid;
    if (parts.owner && !sameOwner) return true;
    if (links || !permissions) return false;
    std::uint32_t mode = source.mode & 07777;
    if (!sameOwner) mode &= ~std::uint32_t{S_ISUID | S_ISGID};
    if (mode != (target.mode & 07777)) return true;
    return parts.accessList && AccessListsDiffer(from.path, to.path, source.IsDirectory() && target.IsDirectory());
}

} // namespace platform
