// libFuzzer target: any bytes as a profile or batch file of an earlier version, read as the document reader
// does (the first line chooses the layout, the rest goes to ReadLegacyDocument). The readers must not crash,
// leak or allocate from a count; a failure leaves its code in the line reader; an accepted document is a
// profile or a batch marked as an earlier format, and it survives the current format: written, read by the
// current reader and written again, it gives the same text.
#include "FuzzSupport.h"

#include "platform/Text.h"
#include "profile/BatchFormat.h"
#include "profile/LegacyFormats.h"
#include "profile/LineReader.h"
#include "profile/LineWriter.h"
#include "profile/Parameters.h"
#include "profile/ProfileFormat.h"

#include <string>
#include <string_view>

using fuzz::Fail;

namespace {

constexpr const char* kTarget = "LegacyReadFuzz";

std::string CurrentFormatText(const cParameters& params) {
    cLineWriter lines;
    if (params.DocumentKind == kProfileDocument)
        WriteProfile(params, lines);
    else
        WriteBatch(params, lines);
    return lines.Text();
}

// Reads the text as the document reader reads a current file: encoded as the writer encodes it, then the rows
// behind the first line.
bool ReadCurrentFormat(const std::string& text, cParameters& params) {
    const std::string bytes = platform::EncodeFileText(text);
    cLineReader lines;
    lines.OpenBytes(bytes);
    std::string firstLine;
    if (!lines.ReadText(firstLine)) return false;
    if (firstLine == kProfileMagic) return ReadProfile(lines, params);
    if (firstLine == kBatchMagic) return ReadBatch(lines, params);
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    cLineReader lines;
    lines.OpenBytes(bytes);
    std::string firstLine;
    // Other first lines belong to the current formats or to none: read_document_fuzz takes those.
    if (!lines.ReadText(firstLine) || !IsLegacyFormat(firstLine)) return 0;

    cParameters params;
    if (!ReadLegacyDocument(firstLine, lines, params)) {
        if (lines.Error() == 0) Fail(kTarget, "a failed read left no error code");
        return 0;
    }
    if (!params.LegacyFormat) Fail(kTarget, "a document of an earlier format is not marked as one");
    if (params.DocumentKind != kProfileDocument && params.DocumentKind != kBatchDocument)
        Fail(kTarget, "no document kind");

    const std::string first = CurrentFormatText(params);
    cParameters again;
    if (!ReadCurrentFormat(first, again)) Fail(kTarget, "the current reader refuses the converted document");
    if (CurrentFormatText(again) != first) Fail(kTarget, "converted, read and written again, the text changed");
    return 0;
}
