// The file operations that several action phases share, each with its log event and counter.
#pragma once

#include <string>

struct cRun;
struct cCandidate;

enum class eSide { Source, Dest };

// The native root and directory entry of one side of a candidate.
std::string SideRoot(const cRun& run, eSide side);
std::string SideDirectory(const cRun& run, const cCandidate& candidate, eSide side);

// True when the native path is a directory (a symlink to one included).
bool IsDirectory(const std::string& nativePath);

// Deletes one side's file of a candidate (into the trash when Recycle is set) and logs it (30204, or 30205
// with one error). A read-only file is deleted only when Attributes allows changing read-only files (bit 1);
// otherwise -102. Returns the code.
int DeleteSide(cRun& run, const cCandidate& candidate, eSide side);

// Creates every missing level of the relative directory below the native root (never the root itself),
// logging each level (30206, or 30207 with one error); a failed level does not stop the walk. Returns the
// number of levels created.
int CreateDirectoryPath(cRun& run, const std::string& nativeRoot, const std::string& relativeDirectory);
