// libFuzzer target: any bytes as a server's directory listing, read with the style detected and with each style
// fixed. The parser must not crash or allocate beyond the input; every line gives at most one entry, every
// name is valid UTF-8, and a detected style stays detected.
#include "FuzzSupport.h"

#include "destinations/FtpListing.h"
#include "platform/FileTime.h"
#include "platform/Text.h"

#include <algorithm>
#include <string_view>

using fuzz::Fail;

namespace {

constexpr const char* kTarget = "FtpListingFuzz";

void Check(std::string_view text, TmsServerType type) {
    const TmsServerType before = type;
    const TmsFTPDirList list = ParseFtpListing(text, type, platform::JoinFileTime(2026, 12, 10, 12, 0));
    const std::size_t lines = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1;
    if (list.size() > lines + 1) Fail(kTarget, "more entries than lines");
    if (before != stAuto && type != before && type != stUnix) Fail(kTarget, "a detected style changed");
    if (!text.empty() && type == stAuto && !list.empty()) Fail(kTarget, "entries without a style");
    for (const TmsFTPDirEntry& entry : list) {
        if (!platform::IsValidUtf8(entry.Name) || !platform::IsValidUtf8(entry.LinkTarget))
            Fail(kTarget, "a name is not UTF-8");
        if (entry.Kind > kFtpLink) Fail(kTarget, "unknown kind");
        if (entry.Kind != kFtpUnparsed && entry.Name.empty()) Fail(kTarget, "an entry without a name");
        if (entry.Size < 0) Fail(kTarget, "negative size");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (const TmsServerType type : {stAuto, stUnix, stDos, stHP3000, stAS400})
        Check(text, type);
    return 0;
}
