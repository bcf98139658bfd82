// libFuzzer target: any bytes as a zip archive. Opening, listing and extracting every entry must not crash,
// leak or allocate from a size in the file; extraction writes no more than its limit; every name accepted for
// extraction stays below the root.
#include "FuzzSupport.h"

#include "platform/ErrorCodes.h"
#include "platform/ZipArchive.h"
#include "platform/ZipExtract.h"

#include <filesystem>

#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

using fuzz::Fail;

namespace {

constexpr const char* kTarget = "ZipReadFuzz";
constexpr std::uint64_t kLimit = 1 << 20;

void CheckSafeName(const std::string& safe) {
    if (safe.empty() || safe.front() == '/' || safe.find('\\') != std::string::npos)
        Fail(kTarget, "an accepted name is empty, absolute or holds a backslash");
    if (safe == ".." || safe.rfind("../", 0) == 0 || safe.find("/../") != std::string::npos ||
        (safe.size() >= 3 && safe.compare(safe.size() - 3, 3, "/..") == 0))
        Fail(kTarget, "an accepted name climbs out of the root");
    if (safe.size() >= 2 && safe[1] == ':') Fail(kTarget, "an accepted name starts with a drive letter");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input = fuzz::WriteScratchFile("input.zip", data, size);
    platform::ZipArchive zip;
    if (zip.Open(input, false) != 0) return 0;
    std::vector<platform::ZipEntry> entries;
    if (zip.List(entries) != 0) return 0;
    const std::string output = (fuzz::ScratchFolder() / "entry").string();
    for (const platform::ZipEntry& entry : entries) {
        if (const auto safe = platform::SafeEntryName(entry.name)) CheckSafeName(*safe);
        if (entry.isSymlink) {
            std::string target;
            if (zip.ReadSymlink(entry.index, target) == 0 && target.size() > 4096)
                Fail(kTarget, "a link target longer than its bound was read");
            continue;
        }
        const int fd = ::open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        if (fd < 0) Fail(kTarget, "cannot create the scratch file");
        (void)zip.Extract(entry.index, fd, kLimit, "passwort");
        struct stat st {};
        ::fstat(fd, &st);
        ::close(fd);
        if (std::uint64_t(st.st_size) > kLimit) Fail(kTarget, "extraction wrote more than its limit");
    }
    // The way a restore writes entries: into a tree, never outside it, no more than declared, nothing left over.
    const std::filesystem::path root = fuzz::ScratchFolder() / "baum";
    std::filesystem::create_directories(root);
    for (const platform::ZipEntry& entry : entries) {
        if (entry.isDirectory || entry.size > kLimit) continue;
        (void)platform::ExtractEntryBelow(zip, entry, root.string(), "\\", "datei", "passwort");
    }
    for (const auto& found : std::filesystem::directory_iterator(root)) {
        if (found.path().filename() != "datei") Fail(kTarget, "extraction left a file besides its target");
        if (!found.is_symlink() && found.is_regular_file() && found.file_size() > kLimit)
            Fail(kTarget, "extraction into the tree wrote more than its limit");
    }
    std::filesystem::remove_all(root);
    zip.Discard();
    return 0;
}
