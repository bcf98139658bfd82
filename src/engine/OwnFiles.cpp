#include "engine/OwnFiles.h"

#include <algorithm>

namespace {

std::string_view NameOf(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

} // namespace

std::string RunLockFileName(const std::string& profileFile) {
    return profileFile + ".lock";
}

void cOwnFiles::Add(const std::string& nativePath) {
    const std::optional<platform::FileIdentity> identity = platform::IdentityOf(nativePath);
    if (!identity) return;
    m_identities.push_back(*identity);
    m_names.emplace_back(NameOf(nativePath));
}

bool cOwnFiles::Holds(const platform::FileInfo& entry) const {
    return std::find(m_identities.begin(), m_identities.end(), entry.identity) != m_identities.end();
}

bool cOwnFiles::Holds(const std::string& nativePath) const {
    // A snapshot collection hands over many thousands of names: only those of own files are looked up.
    if (std::find(m_names.begin(), m_names.end(), NameOf(nativePath)) == m_names.end()) return false;
    const std::optional<platform::FileIdentity> identity = platform::IdentityOf(nativePath);
    return identity && std::find(m_identities.begin(), m_identities.end(), *identity) != m_identities.end();
}
