// The tick boxes of the source dialog's directory tree and the search and exclude entries they stand for.
#pragma once

#include <set>
#include <string>
#include <vector>

// What a directory's tick box says.
enum class eTick {
    Off,            // not searched
    Alone,          // this directory only: "\dir\"
    WithSubfolders, // this directory and all below it: "\dir\*", or below such an entry
};

// What the tree shows for one directory.
struct cTickView {
    eTick Tick = eTick::Off;
    bool Explicit = false;  // an entry of its own names this directory (a search or an exclude entry)
    bool Inherited = false; // ticked because a directory above it is searched with all its subfolders
    bool Changeable = true; // false below an excluded "\dir\*": a tick there could not take effect
    bool operator==(const cTickView&) const = default;
};

// The search and exclude entries as ticks on directories. Entries in the forms "\dir\" and "\dir\*" are ticks;
// every other entry (a pattern such as "\Projekte\A*", one with variables, one the tree cannot name) is kept
// exactly as written and passed through unchanged. Directories are relative ("\" at both ends, "\" alone is the
// root) and compare exactly, as names on disk do.
class cSourceTicks {
public:
    void Read(const std::vector<std::string>& search, const std::vector<std::string>& exclude);

    // The entries in the profile's forms; kept entries included, in no particular order (the profile's lists
    // sort them).
    std::vector<std::string> SearchEntries() const;
    std::vector<std::string> ExcludeEntries() const;

    cTickView View(const std::string& dir) const;
    // Sets the tick a user gave the directory. With all subfolders, whatever was ticked or excluded below is
    // dropped; unticking a directory that is searched from above excludes it with everything below
    // ("\dir\*"); an exclude entry below a directory that no longer searches its subfolders is dropped, since
    // it would exclude nothing. Alone is not possible below a directory searched with all subfolders (it would
    // need one exclude entry per subfolder). False, with nothing changed, when the tick cannot be given.
    bool Set(const std::string& dir, eTick tick);
    // The tick a click gives: Off, with subfolders, alone, Off again; below a directory searched with all
    // subfolders only on and off.
    eTick NextTick(const std::string& dir) const;

    // The directories that an entry of their own names (ticks and exclusions), so a tree can open their
    // branches.
    std::vector<std::string> NamedDirectories() const;

    // A directory entry that is a tick: "\dir\" or "\dir\*" with no other "*" and no variable; dir receives the
    // directory ("\dir\") and withSubfolders the form.
    static bool IsTick(const std::string& entry, std::string& dir, bool& withSubfolders);

private:
    bool SearchedFromAbove(const std::string& dir) const;
    // Drops the entries strictly below dir; which sets is said by the flags.
    void DropBelow(const std::string& dir, bool searches, bool excludes);
    void DropDanglingExcludesBelow(const std::string& dir);

    std::set<std::string> m_alone;
    std::set<std::string> m_withSubfolders;
    std::set<std::string> m_excludeAlone;
    std::set<std::string> m_excludeWithSubfolders;
    std::vector<std::string> m_keptSearch;
    std::vector<std::string> m_keptExclude;
};
