// The tick boxes of the source dialog's directory tree and the search and exclude entries they stand for.
#include "engine/SourceTicks.h"

#include "destinations/PathNames.h"
#include "platform/Roots.h"

namespace {

// Strictly below: both end in "\", so a prefix is a whole directory.
bool IsBelow(const std::string& path, const std::string& dir) {
    return path.size() > dir.size() && path.starts_with(dir);
}

// The directories above dir, the root first ("\a\b\" gives "\" and "\a\").
std::vector<std::string> Above(const std::string& dir) {
    std::vector<std::string> above;
    for (std::size_t i = 0; i + 1 < dir.size(); ++i)
        if (dir[i] == '\\') above.push_back(dir.substr(0, i + 1));
    return above;
}

void EraseBelow(std::set<std::string>& set, const std::string& dir) {
    for (auto it = set.upper_bound(dir); it != set.end() && it->starts_with(dir);)
        it = set.erase(it);
}

} // namespace

bool cSourceTicks::IsTick(const std::string& entry, std::string& dir, bool& withSubfolders) {
    if (entry.ends_with("\\*")) {
        dir = entry.substr(0, entry.size() - 1);
        withSubfolders = true;
    } else if (entry.ends_with('\\')) {
        dir = entry;
        withSubfolders = false;
    } else {
        return false;
    }
    return dir.starts_with('\\') && dir.find('*') == std::string::npos && !HasVariables(dir) && IsValidDirectory(dir) &&
           platform::StaysBelowRoot(dir);
}

void cSourceTicks::Read(const std::vector<std::string>& search, const std::vector<std::string>& exclude) {
    *this = {};
    std::string dir;
    bool withSubfolders = false;
    for (const std::string& entry : search) {
        if (!IsTick(entry, dir, withSubfolders))
            m_keptSearch.push_back(entry);
        else
            (withSubfolders ? m_withSubfolders : m_alone).insert(dir);
    }
    for (const std::string& entry : exclude) {
        if (!IsTick(entry, dir, withSubfolders))
            m_keptExclude.push_back(entry);
        else
            (withSubfolders ? m_excludeWithSubfolders : m_excludeAlone).insert(dir);
    }
}

std::vector<std::string> cSourceTicks::SearchEntries() const {
    std::vector<std::string> entries = m_keptSearch;
    entries.insert(entries.end(), m_alone.begin(), m_alone.end());
    for (const std::string& dir : m_withSubfolders)
        entries.push_back(dir + "*");
    return entries;
}

std::vector<std::string> cSourceTicks::ExcludeEntries() const {
    std::vector<std::string> entries = m_keptExclude;
    entries.insert(entries.end(), m_excludeAlone.begin(), m_excludeAlone.end());
    for (const std::string& dir : m_excludeWithSubfolders)
        entries.push_back(dir + "*");
    return entries;
}

bool cSourceTicks::SearchedFromAbove(const std::string& dir) const {
    for (const std::string& above : Above(dir))
        if (m_withSubfolders.contains(above)) return true;
    return false;
}

cTickView cSourceTicks::View(const std::string& dir) const {
    for (const std::string& above : Above(dir))
        if (m_excludeWithSubfolders.contains(above)) return {.Changeable = false};
    cTickView view;
    view.Explicit = m_alone.contains(dir) || m_withSubfolders.contains(dir) || m_excludeAlone.contains(dir) ||
                    m_excludeWithSubfolders.contains(dir);
    if (m_excludeWithSubfolders.contains(dir) || m_excludeAlone.contains(dir)) return view;
    view.Inherited = SearchedFromAbove(dir);
    if (view.Inherited || m_withSubfolders.contains(dir))
        view.Tick = eTick::WithSubfolders;
    else if (m_alone.contains(dir))
        view.Tick = eTick::Alone;
    return view;
}

void cSourceTicks::DropBelow(const std::string& dir, bool searches, bool excludes) {
    if (searches) {
        EraseBelow(m_alone, dir);
        EraseBelow(m_withSubfolders, dir);
    }
    if (excludes) {
        EraseBelow(m_excludeAlone, dir);
        EraseBelow(m_excludeWithSubfolders, dir);
    }
}

void cSourceTicks::DropDanglingExcludesBelow(const std::string& dir) {
    for (std::set<std::string>* set : {&m_excludeAlone, &m_excludeWithSubfolders}) {
        for (auto it = set->upper_bound(dir); it != set->end() && IsBelow(*it, dir);)
            it = SearchedFromAbove(*it) ? std::next(it) : set->erase(it);
    }
}

bool cSourceTicks::Set(const std::string& dir, eTick tick) {
    if (!View(dir).Changeable) return false;
    const bool fromAbove = SearchedFromAbove(dir);
    if (tick == eTick::Alone && fromAbove) return false;
    m_alone.erase(dir);
    m_withSubfolders.erase(dir);
    m_excludeAlone.erase(dir);
    m_excludeWithSubfolders.erase(dir);
    switch (tick) {
    case eTick::WithSubfolders:
        DropBelow(dir, true, true);
        if (!fromAbove) m_withSubfolders.insert(dir);
        break;
    case eTick::Alone:
        m_alone.insert(dir);
        DropDanglingExcludesBelow(dir);
        break;
    case eTick::Off:
        if (fromAbove) {
            m_excludeWithSubfolders.insert(dir);
            DropBelow(dir, true, true);
        } else {
            DropDanglingExcludesBelow(dir);
        }
        break;
    }
    return true;
}

eTick cSourceTicks::NextTick(const std::string& dir) const {
    const eTick now = View(dir).Tick;
    if (SearchedFromAbove(dir)) return now == eTick::Off ? eTick::WithSubfolders : eTick::Off;
    switch (now) {
    case eTick::Off:
        return eTick::WithSubfolders;
    case eTick::WithSubfolders:
        return eTick::Alone;
    case eTick::Alone:
        break;
    }
    return eTick::Off;
}

std::vector<std::string> cSourceTicks::NamedDirectories() const {
    std::set<std::string> named = m_alone;
    named.insert(m_withSubfolders.begin(), m_withSubfolders.end());
    named.insert(m_excludeAlone.begin(), m_excludeAlone.end());
    named.insert(m_excludeWithSubfolders.begin(), m_excludeWithSubfolders.end());
    return {named.begin(), named.end()};
}
