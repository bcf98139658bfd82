// POSIX access lists for tests: set one from its short text, read one back as text.
#pragma once

#include <acl/libacl.h>
#include <cerrno>
#include <filesystem>
#include <string>
#include <sys/acl.h>

namespace testsupport {

// Sets an access list given in its short text form; false with errno set when the file system refuses it.
inline bool SetAcl(const std::filesystem::path& path, acl_type_t type, const char* text) {
    acl_t acl = acl_from_text(text);
    if (!acl) return false;
    const bool set = acl_set_file(path.c_str(), type, acl) == 0;
    const int saved = errno;
    acl_free(acl);
    errno = saved;
    return set;
}

// The access list in its numeric short text form; "<unreadable>" when it cannot be read.
inline std::string AclText(const std::filesystem::path& path, acl_type_t type) {
    acl_t acl = acl_get_file(path.c_str(), type);
    if (!acl) return "<unreadable>";
    char* text = acl_to_any_text(acl, nullptr, ',', TEXT_NUMERIC_IDS);
    std::string result = text ? text : "<none>";
    acl_free(text);
    acl_free(acl);
    return result;
}

} // namespace testsupport
