// Roots and native paths: what a profile calls a drive, the "Drives" mapping of Windows roots, and the
// conversion between internal "\"-separated paths and native POSIX paths.
#pragma once

#include "platform/ErrorCodes.h"

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace platform {

// The mapping of Windows roots ("D:", "\\NAS\BACKUP") to POSIX directories, filled from the settings
// section "Drives" and carried by each document. Keys match without regard to case and with or without one
// trailing "\".
class cDriveMap {
public:
    // Maps a Windows root to an absolute POSIX directory (normalised with NormalizeRoot). Returns false and
    // changes nothing when the key is no Windows root or the directory is not absolute.
    bool Set(std::string_view windowsRoot, std::string_view posixDirectory);
    // The mapped directory; std::nullopt when the root is not mapped.
    std::optional<std::string> Lookup(std::string_view windowsRoot) const;
    void Clear();

private:
    std::unordered_map<std::string, std::string> m_directories; // key: folded root
};

// True for a drive letter with colon ("D:", "d:\") and for a UNC name (begins with "\\").
bool IsWindowsRoot(std::string_view root);

// A POSIX root as stored: repeated "/" become one and trailing "/" are removed, except for "/" itself; case
// is kept. Any other text is returned unchanged.
std::string NormalizeRoot(std::string_view root);

// The POSIX directory of a root: a POSIX root normalised, a Windows root through the drive map. std::nullopt
// for an unmapped Windows root and for a text that is no root at all (empty, relative): such a root is not
// ready.
std::optional<std::string> NativeRoot(std::string_view root, const cDriveMap& drives);

// Joins a native root and an internal relative path ("\Briefe\Brief.doc", "\Briefe\", "\"), turning every
// "\" into "/", with exactly one "/" at the join: ("/", "\a\b.txt") → "/a/b.txt",
// ("/home/anna", "\Briefe\") → "/home/anna/Briefe/".
std::string NativePath(std::string_view nativeRoot, std::string_view internalRelative);

// The internal relative path of a native path at or below a native root ("/home/anna/Briefe/x.doc" below
// "/home/anna" → "\Briefe\x.doc"; the root itself → "\"). std::nullopt when the path is not below the root
// or holds a "\", which the internal form cannot carry.
std::optional<std::string> InternalRelative(std::string_view nativeRoot, std::string_view nativePath);

// False when a component of an internal relative path is "..": such a path would leave its root. "/" separates
// components as "\" does, since the native path turns both into "/".
bool StaysBelowRoot(std::string_view internalRelative);

// The real form of an absolute native path: symlinks, ".", ".." and repeated "/" resolved, no trailing "/".
// A part of the path that does not exist (yet) is resolved as far as it exists and the rest is appended
// lexically. Returns 0, 87 for a path that is not absolute, 5 when a directory on the way cannot be searched,
// 3 when a component on the way is no directory, 161 for a symlink loop, 206 for a path too long.
[[nodiscard]] int RealPath(std::string_view nativePath, std::string& realPath);

// True when the real path inner is outer itself or lies below it. Both must come from RealPath, so two
// spellings of one directory compare equal; "/home/annabel" is not inside "/home/anna".
bool IsSameOrInside(std::string_view inner, std::string_view outer);

} // namespace platform
