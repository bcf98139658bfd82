// What the libFuzzer targets share: a scratch folder under $TMPDIR for the readers that take a path, and a
// broken invariant that stops the fuzzer (libFuzzer then keeps the input as a crash artifact).
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

namespace fuzz {

[[noreturn]] inline void Fail(const char* target, const char* what) {
    std::fprintf(stderr, "%s: %s\n", target, what);
    std::abort();
}

namespace detail {

inline std::filesystem::path& Folder() {
    static std::filesystem::path folder;
    return folder;
}

inline void RemoveFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(Folder(), ignored);
}

} // namespace detail

// The target's own folder below $TMPDIR, created on the first call and removed at exit.
inline const std::filesystem::path& ScratchFolder() {
    std::filesystem::path& folder = detail::Folder();
    if (folder.empty()) {
        std::string pattern = (std::filesystem::temp_directory_path() / "tolvan-fuzz-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) Fail("fuzz", "no temporary folder");
        folder = pattern;
        std::atexit(detail::RemoveFolder);
    }
    return folder;
}

// Writes the bytes as the file `name` in the scratch folder and returns its path.
inline std::string WriteScratchFile(const char* name, const std::uint8_t* data, std::size_t size) {
    const std::string path = (ScratchFolder() / name).string();
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    return path;
}

inline std::string ReadAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace fuzz
