// Reading and writing the open document, a profile or a batch file: DocumentFile.cpp defines the ReadDocument
// and WriteDocument operations of cParameters (Parameters.h) on top of the profile and batch formats.
#pragma once

#include <sys/types.h>

// Profiles hold passwords, so document files are written readable by their owner only.
inline constexpr mode_t kDocumentFileMode = 0600;
