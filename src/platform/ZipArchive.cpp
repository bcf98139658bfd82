#include "platform/ZipArchive.h"

#include "platform/ErrorCodes.h"
#include "platform/TemporaryFiles.h"
#include "platform/UniqueFd.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zip.h>

namespace platform {
namespace {

constexpr zip_uint16_t kExtendedTimestampId = 0x5455;
constexpr zip_uint32_t kDosReadOnly = 0x01;

// Unix file type and permission bits in the high half, the DOS read-only bit in the low byte, as other zip
// programs on Unix write them.
zip_uint32_t ExternalAttributes(mode_t type, std::uint32_t mode) {
    const auto permissions = zip_uint32_t(mode & 07777);
    return zip_uint32_t(type | permissions) << 16 | ((permissions & S_IWUSR) == 0 ? kDosReadOnly : 0);
}

int FromZipError(zip_error_t* error) {
    const int code = zip_error_code_zip(error);
    switch (code) {
    case ZIP_ER_OK:
        return kSuccess;
    case ZIP_ER_NOENT:
        return kFileNotFound;
    case ZIP_ER_EXISTS:
        return kFileExists;
    case ZIP_ER_CRC:
        return kCrcError;
    case ZIP_ER_WRONGPASSWD:
    case ZIP_ER_NOPASSWD:
        return kZipWrongPassword;
    case ZIP_ER_CANCELLED:
        return kCancelled;
    case ZIP_ER_RDONLY:
        return kAccessDenied;
    case ZIP_ER_INVAL:
        return kInvalidParameter;
    case ZIP_ER_NOZIP:
    case ZIP_ER_INCONS:
    case ZIP_ER_ZLIB:
    case ZIP_ER_COMPNOTSUPP:
    case ZIP_ER_ENCRNOTSUPP:
    case ZIP_ER_EOF:
    case ZIP_ER_MULTIDISK:
        return kBadFormat;
    default:
        break;
    }
    if (zip_error_system_type(error) == ZIP_ET_SYS && zip_error_code_system(error) != 0)
        return ErrorFromErrno(zip_error_code_system(error));
    return kGeneralFailure;
}

std::uint32_t ReadLe32(const zip_uint8_t* p) {
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
}

// The extended-timestamp field: a flags byte (bit 0: modification time follows) and signed 32-bit Unix seconds.
std::optional<FileTime> ExtendedModTime(zip_t* za, zip_uint64_t index) {
    for (const zip_flags_t where : {zip_flags_t(ZIP_FL_CENTRAL), zip_flags_t(ZIP_FL_LOCAL)}) {
        zip_uint16_t length = 0;
        const zip_uint8_t* data = zip_file_extra_field_get_by_id(za, index, kExtendedTimestampId, 0, &length, where);
        if (data != nullptr && length >= 5 && (data[0] & 1) != 0) {
            const auto seconds = std::int32_t(ReadLe32(data + 1));
            return FileTimeFromTimespec(timespec{seconds, 0});
        }
    }
    return std::nullopt;
}

int WriteAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            return ErrorFromErrno(errno);
        }
        data += n;
        size -= std::size_t(n);
    }
    return kSuccess;
}

struct OpenedEntry {
    zip_file_t* file = nullptr;
    ~OpenedEntry() {
        if (file != nullptr) zip_fclose(file);
    }
};

bool IsKnownEncryption(zip_uint16_t method) {
    return method == ZIP_EM_TRAD_PKWARE || method == ZIP_EM_AES_128 || method == ZIP_EM_AES_192 ||
           method == ZIP_EM_AES_256;
}

int OpenEntry(zip_t* za, std::uint64_t index, const std::string& password, OpenedEntry& entry) {
    zip_stat_t st;
    zip_stat_init(&st);
    if (zip_stat_index(za, index, 0, &st) != 0) return FromZipError(zip_get_error(za));
    const zip_uint16_t method = (st.valid & ZIP_STAT_ENCRYPTION_METHOD) != 0 ? st.encryption_method : ZIP_EM_NONE;
    // libzip loses memory when it is handed a password for an entry in an encryption it does not know.
    if (method != ZIP_EM_NONE && !IsKnownEncryption(method)) return kBadFormat;
    const bool withPassword = method != ZIP_EM_NONE && !password.empty();
    entry.file =
        withPassword ? zip_fopen_index_encrypted(za, index, 0, password.c_str()) : zip_fopen_index(za, index, 0);
    return entry.file != nullptr ? kSuccess : FromZipError(zip_get_error(za));
}

std::string ArchiveName(std::string_view name) {
    std::string result(name);
    for (char& c : result)
        if (c == '\\') c = '/';
    return result;
}

} // namespace

std::optional<std::string> SafeEntryName(std::string_view raw) {
    if (raw.empty() || raw.find('\0') != std::string_view::npos) return std::nullopt;
    if (raw.front() == '/' || raw.front() == '\\') return std::nullopt;
    if (raw.size() >= 2 && raw[1] == ':') return std::nullopt;
    std::string result;
    std::size_t start = 0;
    while (start <= raw.size()) {
        std::size_t end = raw.find_first_of("/\\", start);
        if (end == std::string_view::npos) end = raw.size();
        const std::string_view part = raw.substr(start, end - start);
        if (part == "..") return std::nullopt;
        if (!part.empty() && part != ".") {
            if (!result.empty()) result += '/';
            result += part;
        }
        start = end + 1;
    }
    if (result.empty()) return std::nullopt;
    return result;
}

bool SymlinkStaysInside(std::string_view entryName, std::string_view target) {
    if (target.empty() || target.front() == '/' || target.front() == '\\') return false;
    if (target.size() >= 2 && target[1] == ':') return false;
    // Depth below the root of the directory holding the link, then walk the target from there.
    long depth = 0;
    for (char c : entryName)
        if (c == '/') ++depth;
    std::size_t start = 0;
    while (start <= target.size()) {
        std::size_t end = target.find_first_of("/\\", start);
        if (end == std::string_view::npos) end = target.size();
        const std::string_view part = target.substr(start, end - start);
        if (part == "..") {
            if (--depth < 0) return false;
        } else if (!part.empty() && part != ".") {
            ++depth;
        }
        start = end + 1;
    }
    return true;
}

namespace {

std::string DirectoryOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? std::string("/") : path.substr(0, slash);
}

// Copies the file at from into the open file to (from its start), with from's permission bits, and flushes it.
int CopyInto(const std::string& from, int to) {
    const UniqueFd in(::open(from.c_str(), O_RDONLY | O_CLOEXEC));
    if (!in) return ErrorFromErrno(errno);
    struct stat st {};
    if (::fstat(in.get(), &st) != 0) return ErrorFromErrno(errno);
    std::vector<char> buffer(1 << 20);
    for (;;) {
        const ssize_t n = ::read(in.get(), buffer.data(), buffer.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return ErrorFromErrno(errno);
        }
        if (n == 0) break;
        if (const int rc = WriteAll(to, buffer.data(), std::size_t(n))) return rc;
    }
    if (::fchmod(to, st.st_mode & 0777) != 0) return ErrorFromErrno(errno);
    if (::fsync(to) != 0) return ErrorFromErrno(errno);
    return kSuccess;
}

// The zip engine's file beside a work copy: a temporary name, ".", six letters or digits.
std::optional<std::string> WorkCopyOfEngineFile(std::string_view name) {
    const std::size_t base = kTemporaryPrefix.size() + kTemporaryRandomLength;
    if (name.size() != base + 7 || name[base] != '.' || !IsTemporaryName(name.substr(0, base))) return std::nullopt;
    const std::string_view tail = name.substr(base + 1);
    if (!std::all_of(tail.begin(), tail.end(), [](char c) { return std::isalnum(static_cast<unsigned char>(c)); }))
        return std::nullopt;
    return std::string(name.substr(0, base));
}

} // namespace

void RemoveArchiveLeftovers(const std::string& nativeDirectory, std::vector<std::string>& removed) {
    DIR* listing = ::opendir(nativeDirectory.c_str());
    if (listing == nullptr) return;
    std::vector<std::string> temporary;
    std::vector<std::string> engineFiles;
    while (const dirent* entry = ::readdir(listing)) {
        const std::string_view name = entry->d_name;
        if (IsTemporaryName(name)) temporary.emplace_back(name);
        if (WorkCopyOfEngineFile(name)) engineFiles.emplace_back(name);
    }
    ::closedir(listing);
    const std::string prefix = nativeDirectory.ends_with('/') ? nativeDirectory : nativeDirectory + "/";
    std::vector<std::string> names;
    if (!temporary.empty()) (void)RemoveLeftoverTemporaryFiles(nativeDirectory, temporary, names);
    for (const std::string& name : names)
        removed.push_back(prefix + name);
    // The engine's file belongs to a writer as long as that writer's work copy is there.
    for (const std::string& name : engineFiles) {
        struct stat st {};
        const std::string work = prefix + *WorkCopyOfEngineFile(name);
        if (::lstat(work.c_str(), &st) == 0) continue;
        const std::string path = prefix + name;
        if (::lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::unlink(path.c_str()) == 0)
            removed.push_back(path);
    }
}

ZipArchive::~ZipArchive() {
    Discard();
}

int ZipArchive::LastError() const {
    return FromZipError(zip_get_error(m_zip));
}

int ZipArchive::Open(const std::string& path, bool create) {
    Discard();
    int code = 0;
    m_zip = zip_open(path.c_str(), create ? ZIP_CREATE : 0, &code);
    if (m_zip != nullptr) return kSuccess;
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    const int result = FromZipError(&error);
    zip_error_fini(&error);
    return result;
}

int ZipArchive::OpenToChange(const std::string& path, const std::string& buildDirectory) {
    Discard();
    const std::string archiveDirectory = DirectoryOf(path);
    const std::string build = buildDirectory.empty() ? archiveDirectory : buildDirectory;
    int fd = -1;
    std::string work;
    if (const int rc = CreateTemporaryFile(build, 0600, fd, work)) return rc;
    UniqueFd lock(fd);
    struct stat st {};
    const bool exists = ::stat(path.c_str(), &st) == 0;
    int code = kSuccess;
    if (!exists) {
        // libzip creates the archive at the work name when it closes; until then the name stays free.
        ::unlink(work.c_str());
        lock.reset();
    } else if (const std::string linked = archiveDirectory + "/" + MakeTemporaryName();
               build == archiveDirectory && ::link(path.c_str(), linked.c_str()) == 0) {
        // A second name of the old archive: libzip writes the new one beside it and renames it over that name.
        ::unlink(work.c_str());
        work = linked;
        lock.reset(::open(work.c_str(), O_RDONLY | O_CLOEXEC));
        if (lock) (void)LockTemporaryFile(lock.get());
    } else {
        code = CopyInto(path, lock.get());
    }
    if (code == kSuccess) {
        int error = 0;
        m_zip = zip_open(work.c_str(), exists ? 0 : ZIP_CREATE, &error);
        if (m_zip == nullptr) {
            zip_error_t zipError;
            zip_error_init_with_code(&zipError, error);
            code = FromZipError(&zipError);
            zip_error_fini(&zipError);
        }
    }
    if (code != kSuccess) {
        ::unlink(work.c_str());
        return code;
    }
    m_target = path;
    m_work = work;
    m_workLock = lock.release();
    return kSuccess;
}

int ZipArchive::Place() {
    const std::string target = m_target;
    const std::string work = m_work;
    struct stat built {};
    if (::lstat(work.c_str(), &built) != 0) {
        // libzip removes an archive left without entries: so goes the old one.
        DropWork();
        if (::unlink(target.c_str()) != 0 && errno != ENOENT) return ErrorFromErrno(errno);
        return kSuccess;
    }
    struct stat old {};
    if (::stat(target.c_str(), &old) == 0 && old.st_dev == built.st_dev && old.st_ino == built.st_ino) {
        DropWork(); // nothing was written: the work name is still the old archive's second name
        return kSuccess;
    }
    if (::rename(work.c_str(), target.c_str()) == 0) {
        m_work.clear();
        DropWork();
        return kSuccess;
    }
    if (errno != EXDEV) {
        const int code = ErrorFromErrno(errno);
        DropWork();
        return code;
    }
    // Another file system: a copy beside the archive, then the rename.
    int fd = -1;
    std::string beside;
    int code = CreateTemporaryFile(DirectoryOf(target), 0600, fd, beside);
    if (code == kSuccess) {
        const UniqueFd held(fd);
        code = CopyInto(work, held.get());
        if (code == kSuccess && ::rename(beside.c_str(), target.c_str()) != 0) code = ErrorFromErrno(errno);
        if (code != kSuccess) ::unlink(beside.c_str());
    }
    DropWork();
    return code;
}

void ZipArchive::DropWork() {
    if (!m_work.empty()) ::unlink(m_work.c_str());
    if (m_workLock >= 0) ::close(m_workLock);
    m_work.clear();
    m_target.clear();
    m_workLock = -1;
}

int ZipArchive::List(std::vector<ZipEntry>& entries) const {
    entries.clear();
    if (m_zip == nullptr) return kInvalidParameter;
    const zip_int64_t count = zip_get_num_entries(m_zip, 0);
    if (count < 0) return LastError();
    for (zip_int64_t i = 0; i < count; ++i) {
        const auto index = zip_uint64_t(i);
        zip_stat_t st;
        zip_stat_init(&st);
        if (zip_stat_index(m_zip, index, 0, &st) != 0) return LastError();
        if ((st.valid & ZIP_STAT_NAME) == 0 || st.name == nullptr) return kBadFormat;
        ZipEntry entry;
        entry.index = index;
        entry.name = ArchiveName(st.name);
        entry.isDirectory = !entry.name.empty() && entry.name.back() == '/';
        while (!entry.name.empty() && entry.name.back() == '/')
            entry.name.pop_back();
        entry.size = (st.valid & ZIP_STAT_SIZE) != 0 ? st.size : 0;
        entry.compressedSize = (st.valid & ZIP_STAT_COMP_SIZE) != 0 ? st.comp_size : 0;
        entry.crc = (st.valid & ZIP_STAT_CRC) != 0 ? st.crc : 0;
        entry.encrypted = (st.valid & ZIP_STAT_ENCRYPTION_METHOD) != 0 && st.encryption_method != ZIP_EM_NONE;
        if (const auto exact = ExtendedModTime(m_zip, index)) {
            entry.modified = *exact;
            entry.exactTime = true;
        } else if ((st.valid & ZIP_STAT_MTIME) != 0) {
            entry.modified = FileTimeFromTimespec(timespec{st.mtime, 0});
        }
        zip_uint8_t system = 0;
        zip_uint32_t attributes = 0;
        if (zip_file_get_external_attributes(m_zip, index, 0, &system, &attributes) == 0) {
            entry.readOnly = (attributes & kDosReadOnly) != 0;
            if (system == ZIP_OPSYS_UNIX) {
                const mode_t mode = attributes >> 16;
                entry.isSymlink = S_ISLNK(mode);
                if (S_ISDIR(mode)) entry.isDirectory = true;
                entry.mode = mode & 07777;
                if (entry.mode != 0 && !entry.isSymlink && (entry.mode & S_IWUSR) == 0) entry.readOnly = true;
            }
        }
        entries.push_back(std::move(entry));
    }
    return kSuccess;
}

namespace {

int SetTimes(zip_t* za, zip_uint64_t index, FileTime modified) {
    const timespec ts = TimespecFromFileTime(modified);
    if (zip_file_set_mtime(za, index, ts.tv_sec, 0) != 0) return FromZipError(zip_get_error(za));
    const auto seconds = std::uint32_t(std::int32_t(ts.tv_sec));
    const std::array<zip_uint8_t, 5> field{1, zip_uint8_t(seconds), zip_uint8_t(seconds >> 8),
                                           zip_uint8_t(seconds >> 16), zip_uint8_t(seconds >> 24)};
    // A replaced entry keeps its old fields; the old time must not survive beside the new one.
    zip_file_extra_field_delete_by_id(za, index, kExtendedTimestampId, ZIP_EXTRA_FIELD_ALL,
                                      ZIP_FL_LOCAL | ZIP_FL_CENTRAL);
    if (zip_file_extra_field_set(za, index, kExtendedTimestampId, ZIP_EXTRA_FIELD_NEW, field.data(), field.size(),
                                 ZIP_FL_LOCAL | ZIP_FL_CENTRAL) != 0)
        return FromZipError(zip_get_error(za));
    return kSuccess;
}

} // namespace

int ZipArchive::AddFile(std::string_view name, const std::string& sourcePath, FileTime modified,
                        const ZipAddOptions& options) {
    if (m_zip == nullptr) return kInvalidParameter;
    const auto safe = SafeEntryName(name);
    if (!safe) return kInvalidName;
    // libzip reads the file only in Close(), where one file it cannot open would fail the whole archive.
    if (const UniqueFd readable(::open(sourcePath.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC)); !readable)
        return ErrorFromErrno(errno);
    const bool replacing = zip_name_locate(m_zip, safe->c_str(), 0) >= 0;
    zip_source_t* source = zip_source_file(m_zip, sourcePath.c_str(), 0, -1);
    if (source == nullptr) return LastError();
    const zip_int64_t index = zip_file_add(m_zip, safe->c_str(), source, ZIP_FL_OVERWRITE | ZIP_FL_ENC_UTF_8);
    if (index < 0) {
        zip_source_free(source);
        return LastError();
    }
    const auto at = zip_uint64_t(index);
    if (const int rc = SetAddedEntry(at, modified, options)) {
        Revert(at, replacing);
        return rc;
    }
    return kSuccess;
}

int ZipArchive::SetAddedEntry(std::uint64_t at, FileTime modified, const ZipAddOptions& options) {
    const int method = options.level <= 0 ? ZIP_CM_STORE : ZIP_CM_DEFLATE;
    const zip_uint32_t level = options.level <= 0 ? 0 : zip_uint32_t(options.level > 9 ? 9 : options.level);
    if (zip_set_file_compression(m_zip, at, method, level) != 0) return LastError();
    if (const int rc = SetTimes(m_zip, at, modified)) return rc;
    const zip_uint16_t encryption = options.password.empty() ? ZIP_EM_NONE : ZIP_EM_AES_256;
    if (zip_file_set_encryption(m_zip, at, encryption, options.password.empty() ? nullptr : options.password.c_str()) !=
        0)
        return LastError();
    if (zip_file_set_external_attributes(m_zip, at, 0, ZIP_OPSYS_UNIX, ExternalAttributes(S_IFREG, options.mode)) != 0)
        return LastError();
    return kSuccess;
}

void ZipArchive::Revert(std::uint64_t at, bool replacing) {
    // A half-made entry is not written: a replaced one gets its old state back, a new one goes.
    if (replacing)
        (void)zip_unchange(m_zip, at);
    else
        (void)zip_delete(m_zip, at);
}

int ZipArchive::AddSymlink(std::string_view name, const std::string& target, FileTime modified) {
    if (m_zip == nullptr) return kInvalidParameter;
    const auto safe = SafeEntryName(name);
    if (!safe) return kInvalidName;
    const bool replacing = zip_name_locate(m_zip, safe->c_str(), 0) >= 0;
    // libzip reads the buffer in Close(): it stays here until then.
    const std::string& kept = *m_kept.emplace_back(std::make_unique<std::string>(target));
    zip_source_t* source = zip_source_buffer(m_zip, kept.data(), kept.size(), 0);
    if (source == nullptr) return LastError();
    const zip_int64_t index = zip_file_add(m_zip, safe->c_str(), source, ZIP_FL_OVERWRITE | ZIP_FL_ENC_UTF_8);
    if (index < 0) {
        zip_source_free(source);
        return LastError();
    }
    const auto at = zip_uint64_t(index);
    int code = kSuccess;
    if (zip_set_file_compression(m_zip, at, ZIP_CM_STORE, 0) != 0 ||
        zip_file_set_encryption(m_zip, at, ZIP_EM_NONE, nullptr) != 0 ||
        zip_file_set_external_attributes(m_zip, at, 0, ZIP_OPSYS_UNIX, ExternalAttributes(S_IFLNK, 0777)) != 0)
        code = LastError();
    if (code == kSuccess) code = SetTimes(m_zip, at, modified);
    if (code != kSuccess) Revert(at, replacing);
    return code;
}

int ZipArchive::AddDirectory(std::string_view name, FileTime modified) {
    if (m_zip == nullptr) return kInvalidParameter;
    const auto safe = SafeEntryName(name);
    if (!safe) return kInvalidName;
    zip_int64_t index = zip_name_locate(m_zip, (*safe + "/").c_str(), 0);
    if (index < 0) index = zip_dir_add(m_zip, safe->c_str(), ZIP_FL_ENC_UTF_8);
    if (index < 0) return LastError();
    return SetTimes(m_zip, zip_uint64_t(index), modified);
}

int ZipArchive::Delete(std::uint64_t index) {
    if (m_zip == nullptr) return kInvalidParameter;
    return zip_delete(m_zip, index) == 0 ? kSuccess : LastError();
}

namespace {

// The traditional encryption checks a password by one byte: a wrong password passes that check once in 256
// tries and then shows as data that does not inflate or whose checksum fails. For such an entry that is the
// wrong password, not a damaged archive.
int ReadFailure(zip_t* zip, std::uint64_t index, zip_error_t* error) {
    const int code = FromZipError(error);
    if (code != kCrcError && code != kBadFormat) return code;
    zip_stat_t st;
    zip_stat_init(&st);
    if (zip_stat_index(zip, index, 0, &st) == 0 && (st.valid & ZIP_STAT_ENCRYPTION_METHOD) != 0 &&
        st.encryption_method == ZIP_EM_TRAD_PKWARE)
        return kZipWrongPassword;
    return code;
}

} // namespace

int ZipArchive::Extract(std::uint64_t index, int fd, std::uint64_t limit, const std::string& password) const {
    if (m_zip == nullptr) return kInvalidParameter;
    OpenedEntry entry;
    if (const int rc = OpenEntry(m_zip, index, password, entry)) return rc;
    std::array<char, 64 * 1024> buffer{};
    std::uint64_t written = 0;
    for (;;) {
        const zip_int64_t n = zip_fread(entry.file, buffer.data(), buffer.size());
        if (n < 0) return ReadFailure(m_zip, index, zip_file_get_error(entry.file));
        if (n == 0) break;
        if (written + std::uint64_t(n) > limit) return kDiskFull;
        if (const int rc = WriteAll(fd, buffer.data(), std::size_t(n))) return rc;
        written += std::uint64_t(n);
    }
    return kSuccess;
}

int ZipArchive::ReadSymlink(std::uint64_t index, std::string& target) const {
    target.clear();
    if (m_zip == nullptr) return kInvalidParameter;
    OpenedEntry entry;
    if (const int rc = OpenEntry(m_zip, index, {}, entry)) return rc;
    std::array<char, 4097> buffer{};
    std::size_t used = 0;
    for (;;) {
        const zip_int64_t n = zip_fread(entry.file, buffer.data() + used, buffer.size() - used);
        if (n < 0) return FromZipError(zip_file_get_error(entry.file));
        if (n == 0) break;
        used += std::size_t(n);
        if (used == buffer.size()) return kBadFormat;
    }
    target.assign(buffer.data(), used);
    return kSuccess;
}

namespace {

void OnProgress(zip_t*, double fraction, void* state) {
    const auto* watch = static_cast<const ZipCloseWatch*>(state);
    if (watch->progress) watch->progress(fraction);
}

int OnCancel(zip_t*, void* state) {
    const auto* watch = static_cast<const ZipCloseWatch*>(state);
    const bool stop =
        (watch->stop != nullptr && watch->stop->load()) || (watch->stop2 != nullptr && watch->stop2->load());
    return stop ? 1 : 0;
}

} // namespace

int ZipArchive::Close(const ZipCloseWatch& watch) {
    if (m_zip == nullptr) return kInvalidParameter;
    zip_register_progress_callback_with_state(m_zip, 0.01, OnProgress, nullptr, const_cast<ZipCloseWatch*>(&watch));
    zip_register_cancel_callback_with_state(m_zip, OnCancel, nullptr, const_cast<ZipCloseWatch*>(&watch));
    if (zip_close(m_zip) == 0) {
        m_zip = nullptr;
        m_kept.clear();
        return m_target.empty() ? kSuccess : Place();
    }
    const int rc = LastError();
    Discard();
    return rc;
}

void ZipArchive::Discard() {
    if (m_zip != nullptr) zip_discard(m_zip);
    m_zip = nullptr;
    m_kept.clear();
    DropWork();
}

} // namespace platform
