// libFuzzer target: any bytes as a profile's snapshot file (".lst"). cSnapshot::Read must not crash, leak or
// allocate from a count; a failed read leaves the snapshot empty; an accepted one holds equal item lists of
// relative directories, answers its lookups from the first item of each directory, and written and read again
// gives the same items, less the names and pairs the writer leaves out because they hold a line break.
#include "FuzzSupport.h"

#include "engine/Snapshot.h"
#include "platform/ErrorCodes.h"

#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

using fuzz::Fail;

namespace {

constexpr const char* kTarget = "SnapshotReadFuzz";

bool HoldsLineBreak(std::string_view text) {
    return text.find_first_of("\r\n") != std::string_view::npos;
}

bool IsRelativeDirectory(std::string_view directory) {
    return !directory.empty() && directory.front() == '\\' && directory.back() == '\\';
}

void CheckSide(const std::vector<cSnapItem>& items, bool source, const cSnapshot& snapshot) {
    std::unordered_set<std::string> seen;
    for (const cSnapItem& item : items) {
        if (!IsRelativeDirectory(item.Directory)) Fail(kTarget, "a directory without \\ at both ends was accepted");
        const bool first = seen.insert(item.Directory).second;
        for (const std::string& name : item.Names) {
            if (name.empty()) Fail(kTarget, "an empty name was kept");
            const bool listed = source ? snapshot.InSourceSnapshot(item.Directory, name)
                                       : snapshot.InDestSnapshot(item.Directory, name);
            if (first && !listed) Fail(kTarget, "a name of the first item of its directory is not found");
        }
    }
}

// The items as the writer puts them into the file.
std::vector<cSnapItem> Writable(const std::vector<cSnapItem>& items, const std::vector<cSnapItem>& partners) {
    std::vector<cSnapItem> kept;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (HoldsLineBreak(items[i].Directory) || HoldsLineBreak(partners[i].Directory)) continue;
        cSnapItem item{items[i].Directory, {}};
        for (const std::string& name : items[i].Names)
            if (!HoldsLineBreak(name)) item.Names.push_back(name);
        kept.push_back(std::move(item));
    }
    return kept;
}

bool SameItems(const std::vector<cSnapItem>& a, const std::vector<cSnapItem>& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i].Directory != b[i].Directory || a[i].Names != b[i].Names) return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input = fuzz::WriteScratchFile("input.lst", data, size);
    cSnapshot snapshot;
    const int code = snapshot.Read(input);
    if (code != 0) {
        // The file is there and readable: anything wrong with it is damage.
        if (code != platform::kBadFormat) Fail(kTarget, "a damaged file gave another code than 2002");
        if (!snapshot.SourceItems().empty() || !snapshot.DestItems().empty()) Fail(kTarget, "a failed read kept items");
        return 0;
    }
    const std::vector<cSnapItem>& source = snapshot.SourceItems();
    const std::vector<cSnapItem>& dest = snapshot.DestItems();
    if (source.size() != dest.size()) Fail(kTarget, "the two sides have different lengths");
    CheckSide(source, true, snapshot);
    CheckSide(dest, false, snapshot);

    const std::string output = (fuzz::ScratchFolder() / "output.lst").string();
    if (snapshot.Write(output) != 0) Fail(kTarget, "cannot write what was read");
    cSnapshot again;
    if (again.Read(output) != 0) Fail(kTarget, "cannot read what was written");
    if (!SameItems(again.SourceItems(), Writable(source, dest)) ||
        !SameItems(again.DestItems(), Writable(dest, source)))
        Fail(kTarget, "written and read again, the items changed");
    return 0;
}
