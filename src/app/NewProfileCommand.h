// `tolvan --new-profile FILE SOURCE DEST [--one-way | --mirror]`: writes a profile for a whole directory tree.
#pragma once

// Writes a new profile with the program's option defaults that compares every file ("*.*") of the source
// directory and all its subdirectories with the destination directory; --one-way makes it a backup that never
// changes the source, --mirror one that also deletes what the source no longer has. Refuses to overwrite an existing
// file. Returns 0, or 2 with a message on stderr.
[[nodiscard]] int NewProfileCommand(int argc, char** argv);
