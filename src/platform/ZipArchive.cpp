#include "platform/ZipArchive.h"

#include "platform/ErrorCodes.h"

#include <array>
#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>
#include <zip.h>

namespace platform {
namespace {

constexpr zip_uint16_t kExtendedTimestampId = 0x5455;

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
        if (zip_file_get_external_attributes(m_zip, index, 0, &system, &attributes) == 0 && system == ZIP_OPSYS_UNIX) {
            const mode_t mode = attributes >> 16;
            entry.isSymlink = S_ISLNK(mode);
            if (S_ISDIR(mode)) entry.isDirectory = true;
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
    zip_source_t* source = zip_source_file(m_zip, sourcePath.c_str(), 0, -1);
    if (source == nullptr) return LastError();
    const zip_int64_t index = zip_file_add(m_zip, safe->c_str(), source, ZIP_FL_OVERWRITE | ZIP_FL_ENC_UTF_8);
    if (index < 0) {
        zip_source_free(source);
        return LastError();
    }
    const auto at = zip_uint64_t(index);
    const int method = options.level <= 0 ? ZIP_CM_STORE : ZIP_CM_DEFLATE;
    const zip_uint32_t level = options.level <= 0 ? 0 : zip_uint32_t(options.level > 9 ? 9 : options.level);
    if (zip_set_file_compression(m_zip, at, method, level) != 0) return LastError();
    if (const int rc = SetTimes(m_zip, at, modified)) return rc;
    const zip_uint16_t encryption = options.password.empty() ? ZIP_EM_NONE : ZIP_EM_AES_256;
    if (zip_file_set_encryption(m_zip, at, encryption, options.password.empty() ? nullptr : options.password.c_str()) !=
        0)
        return LastError();
    return kSuccess;
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

int ZipArchive::Extract(std::uint64_t index, int fd, std::uint64_t limit, const std::string& password) const {
    if (m_zip == nullptr) return kInvalidParameter;
    OpenedEntry entry;
    if (const int rc = OpenEntry(m_zip, index, password, entry)) return rc;
    std::array<char, 64 * 1024> buffer{};
    std::uint64_t written = 0;
    for (;;) {
        const zip_int64_t n = zip_fread(entry.file, buffer.data(), buffer.size());
        if (n < 0) return FromZipError(zip_file_get_error(entry.file));
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
        return kSuccess;
    }
    const int rc = LastError();
    Discard();
    return rc;
}

void ZipArchive::Discard() {
    if (m_zip != nullptr) zip_discard(m_zip);
    m_zip = nullptr;
}

} // namespace platform
