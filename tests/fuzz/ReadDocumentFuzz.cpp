// libFuzzer target: any bytes as a profile or batch file. ReadDocument must not crash, leak or allocate
// beyond the input, and a document it accepts must survive its own format: write, read, write gives the
// same bytes twice.
#include "FuzzSupport.h"

#include "profile/Parameters.h"

#include <string>

using fuzz::Fail;

namespace {

constexpr const char* kTarget = "ReadDocumentFuzz";

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input = fuzz::WriteScratchFile("input", data, size);

    cParameters params;
    if (params.ReadDocument(input) != 0) {
        if (params.DocumentKind != kNoDocument) Fail(kTarget, "failure without its state");
        return 0;
    }
    if (params.DocumentKind != kProfileDocument && params.DocumentKind != kBatchDocument)
        Fail(kTarget, "no document kind");

    const std::string first = (fuzz::ScratchFolder() / "first").string();
    const std::string second = (fuzz::ScratchFolder() / "second").string();
    if (params.WriteDocument(first) != 0) Fail(kTarget, "cannot write what was read");
    cParameters again;
    if (again.ReadDocument(first) != 0) Fail(kTarget, "cannot read what was written");
    if (again.WriteDocument(second) != 0) Fail(kTarget, "cannot write again");
    if (fuzz::ReadAll(first) != fuzz::ReadAll(second)) Fail(kTarget, "write, read, write changed the file");
    return 0;
}
