// Reading and writing the open document, a profile or a batch file: DocumentFile.cpp defines the ReadDocument
// and WriteDocument operations of cParameters (Parameters.h) on top of the profile and batch formats.
#pragma once

#include "platform/FileMode.h"

// Profiles hold passwords, so document files are written readable by their owner only.
inline constexpr platform::FileMode kDocumentFileMode = 0600;
