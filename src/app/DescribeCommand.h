// `tolvan --describe FILE`: prints the description tree of a profile or batch file.
#pragma once

// Reads the file as the program opens a document (with the program's settings file, which holds the
// profile's last run) and prints its tree to stdout, one node per line indented by two blanks per level,
// in UTF-8. Returns 0; 1 when the file cannot be read (the read error went to stderr) or stdout fails.
[[nodiscard]] int DescribeCommand(const char* fileName);
