// Writing one archive entry into a tree on disk the way every copy of the program writes a file.
#pragma once

#include "platform/ZipArchive.h"

#include <string>
#include <string_view>

namespace platform {

// Extracts entry as fileName into the internal relative directory below nativeRoot. The directory is reached
// without passing through a link; the data goes to a temporary file there (IsTemporaryName) that gets the
// entry's time and permission bits (read-only when the entry is) and is renamed over fileName only when
// complete, so an old file stays whole until then. No more than the entry's declared size is written, and an
// entry larger than the free space is not begun. A symbolic link entry becomes a link when its target stays
// below the archive's root (judged from entry.name), otherwise it is refused; nothing follows it.
// Returns 0; kPathNotFound when the directory is missing; kLinkInPath; kPathLeavesRoot for a link pointing out;
// kInvalidName for an entry name that would leave the root; kDiskFull; kZipWrongPassword; kCrcError or
// kBadFormat for damaged data; other codes from ErrorFromErrno. On failure no temporary file remains.
[[nodiscard]] int ExtractEntryBelow(const ZipArchive& zip, const ZipEntry& entry, std::string_view nativeRoot,
                                    std::string_view relativeDirectory, const std::string& fileName,
                                    const std::string& password);

// Extracts entry's data into a new temporary file in nativeDirectory (for comparing it); sets path. The caller
// removes the file. Bounded as ExtractEntryBelow.
[[nodiscard]] int ExtractEntryToTemporaryFile(const ZipArchive& zip, const ZipEntry& entry,
                                              const std::string& nativeDirectory, const std::string& password,
                                              std::string& path);

} // namespace platform
