// Files and folders dropped onto the main window: what they add to the open profile or batch file.
#pragma once

#include <string>
#include <vector>

class cParameters;

// One dropped name as the desktop hands it over: an absolute native path, and whether it is a directory.
struct cDroppedItem {
    std::string NativePath;
    bool IsDirectory = false;
};

// The keys held at the drop: Ctrl makes a profile's entries exclusions, Shift a directory entry without its
// subdirectories.
struct cDropKeys {
    bool Ctrl = false;
    bool Shift = false;
};

struct cDropOutcome {
    int Added = 0; // entries that were not there before
    // Directories that are not below the profile's source root (or whose root is not ready): a search or
    // exclude directory is a path below that root, so they cannot become one and are left out.
    std::vector<std::string> OutsideSource;
};

// Adds each item in turn to the current document:
// - a profile: a directory below the source root becomes "\dir\sub\*" ("\dir\sub\" with Shift) in
//   SearchDirectories (with Ctrl ExcludeDirectories), unless the list holds either form already; a file adds
//   its name to CompareFiles (with Ctrl ExcludeFiles) unless it is there already;
// - a batch file: each file whose name ends in ".tvp", exactly so, is appended as an entry (root "/", its
//   folder and name, continuation 0); directories and other files add nothing;
// - no document: nothing.
// A name holding "\" cannot be carried by the program's paths and is left out. Modified is set when anything
// was added.
cDropOutcome AddDroppedFiles(cParameters& params, const std::vector<cDroppedItem>& items, cDropKeys keys);
