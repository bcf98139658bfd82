// libFuzzer target: any bytes as a profile's FTP time-stamp list (".ftp"). cFtpStampList::Read must not crash,
// leak or allocate from a count; a failed read gives 2002 or -301 and leaves the list empty; an accepted list
// holds only entries that can live on the server, no key twice, finds each entry, and written and read again
// gives the same entries.
#include "FuzzSupport.h"

#include "destinations/FtpStampList.h"
#include "platform/ErrorCodes.h"

#include <set>
#include <string>
#include <utility>
#include <vector>

using fuzz::Fail;

namespace {

constexpr const char* kTarget = "FtpStampsFuzz";

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input = fuzz::WriteScratchFile("input.ftp", data, size);
    cFtpStampList list;
    const int code = list.Read(input);
    if (code != 0) {
        // The file is there and readable: anything wrong with it is damage or an early end.
        if (code != platform::kBadFormat && code != platform::kListIncomplete)
            Fail(kTarget, "a damaged file gave another code than 2002 or -301");
        if (list.Size() != 0 || !list.Entries().empty()) Fail(kTarget, "a failed read kept entries");
        return 0;
    }
    const std::vector<cFtpStamp> entries = list.Entries();
    if (entries.size() != list.Size()) Fail(kTarget, "the size does not count the entries");
    std::set<std::pair<std::string, std::string>> keys;
    for (const cFtpStamp& entry : entries) {
        if (!IsValidFtpStamp(entry)) Fail(kTarget, "an entry that cannot be held was accepted");
        const std::string name = entry.BaseName + entry.Extension;
        if (!keys.emplace(entry.Directory, name).second) Fail(kTarget, "a key was kept twice");
        const cFtpStamp* found = list.Find(entry.Directory, name);
        if (found == nullptr || !(*found == entry)) Fail(kTarget, "an entry is not found by its key");
    }

    const std::string output = (fuzz::ScratchFolder() / "output.ftp").string();
    if (list.Write(output) != 0) Fail(kTarget, "cannot write what was read");
    cFtpStampList again;
    if (again.Read(output) != 0) Fail(kTarget, "cannot read what was written");
    if (again.Entries() != entries) Fail(kTarget, "written and read again, the entries changed");
    return 0;
}
