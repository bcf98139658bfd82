// libFuzzer target: any bytes as a profile or batch file. ReadDocument must not crash, leak or allocate
// beyond the input, and a document it accepts must survive its own format: write, read, write gives the
// same bytes twice.
#include "profile/Parameters.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

std::filesystem::path g_folder;

void RemoveFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(g_folder, ignored);
}

std::string ReadAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void Fail(const char* what) {
    std::fprintf(stderr, "ReadDocumentFuzz: %s\n", what);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    std::string pattern = (std::filesystem::temp_directory_path() / "tolvan-fuzz-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) Fail("no temporary folder");
    g_folder = pattern;
    std::atexit(RemoveFolder);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input = (g_folder / "input").string();
    {
        std::ofstream out(input, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }

    cParameters params;
    if (params.ReadDocument(input) != 0) {
        if (params.DocumentKind != kNoDocument) Fail("failure without its state");
        return 0;
    }
    if (params.DocumentKind != kProfileDocument && params.DocumentKind != kBatchDocument) Fail("no document kind");

    const std::string first = (g_folder / "first").string();
    const std::string second = (g_folder / "second").string();
    if (params.WriteDocument(first) != 0) Fail("cannot write what was read");
    cParameters again;
    if (again.ReadDocument(first) != 0) Fail("cannot read what was written");
    if (again.WriteDocument(second) != 0) Fail("cannot write again");
    if (ReadAll(first) != ReadAll(second)) Fail("write, read, write changed the file");
    return 0;
}
