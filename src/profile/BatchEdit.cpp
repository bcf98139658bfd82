#include "profile/BatchEdit.h"

#include "platform/Roots.h"

std::vector<BatchEntry> BatchEntries(const cBatchParameters& batch) {
    std::vector<BatchEntry> entries;
    for (std::size_t i = 0; i < batch.EntryCount(); ++i)
        entries.push_back(batch.Entry(i));
    return entries;
}

void SetBatchEntries(cBatchParameters& batch, const std::vector<BatchEntry>& entries) {
    batch.ProfileDrives.Clear();
    batch.ProfileDirectories.Clear();
    batch.ProfileNames.Clear();
    for (const BatchEntry& entry : entries)
        batch.AddEntry(entry);
}

BatchEntry BatchEntryFor(const std::string& nativeFile) {
    const std::size_t slash = nativeFile.rfind('/');
    if (slash == std::string::npos || slash + 1 >= nativeFile.size()) return {};
    std::string name = nativeFile.substr(slash + 1);
    const std::size_t dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0) name.erase(dot);
    name += ".tvp";
    std::string directory = nativeFile.substr(0, slash + 1);
    for (char& c : directory)
        if (c == '/') c = '\\';
    return {"/", directory, name, kContinueAlways};
}

std::string BatchEntryPath(const BatchEntry& entry) {
    return platform::NativePath(entry.Drive, entry.Directory + entry.Name);
}
