// Times the preview list's model over 100 000 synthetic candidates: building the lines, changing the action
// of a folder of 50 000 files, switching a filter, and re-sorting. Prints the median of several rounds.
#include "engine/RunState.h"
#include "messages/UserInterface.h"
#include "review/PreviewList.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr int kCandidates = 100'000;
constexpr int kBigFolder = 50'000; // candidates of directory 0
constexpr int kFilesPerDirectory = 25;
constexpr int kRounds = 7;

class cSilentInterface : public cUserInterface {
public:
    void ShowTimedMessage(const std::string&, const std::string&, const std::string&) override {}
};

// Source-and-destination pairs of mixed sizes, times, names and actions; every seventh file exists only in the
// source, every eleventh only in the destination.
void FillRun(cRunState& run) {
    const int directories = 1 + (kCandidates - kBigFolder) / kFilesPerDirectory;
    run.SourceDirList.push_back("\\Groß\\");
    for (int d = 1; d < directories; ++d)
        run.SourceDirList.push_back("\\Ordner " + std::to_string(d) + "\\");
    run.DestDirList = run.SourceDirList;
    const char* extensions[] = {".txt", ".doc", ".JPG", "", ".tar.gz"};
    const ActionFlags actions[] = {kActionForward, kActionSkip, kActionDelete, kActionBackward};
    unsigned seed = 12345;
    const auto next = [&seed] { return seed = seed * 1103515245u + 12345u; };
    for (int i = 0; i < kCandidates; ++i) {
        const int dir = i < kBigFolder ? 0 : 1 + (i - kBigFolder) / kFilesPerDirectory;
        const bool onlySource = i % 7 == 0;
        const bool onlyDest = !onlySource && i % 11 == 0;
        const auto size = static_cast<std::int64_t>(next() % 5'000'000);
        const platform::FileTime time =
            133'000'000'000'000'000LL + static_cast<platform::FileTime>(next() % 1'000'000) * 10'000'000LL;
        ActionFlags action = actions[next() % 4];
        if (onlySource && action == kActionBackward) action = kActionForward;
        if (onlyDest && action == kActionForward) action = kActionBackward;
        ActionFlags flags = static_cast<ActionFlags>(action | kFlagCopyContent);
        if (next() % 5 == 0) flags |= kFlagSizeDiffers;
        if (next() % 9 == 0) flags |= kFlagDoubleModified;
        const cSideRecord source = onlySource || !onlyDest ? cSideRecord{0, time, size} : cSideRecord{};
        const cSideRecord dest = onlyDest || !onlySource ? cSideRecord{0, time - 10'000'000, size / 2} : cSideRecord{};
        cCreatedCandidate created =
            CreateCandidate(dir, flags, source, dest, "Datei " + std::to_string(next() % 90'000), extensions[i % 5]);
        run.Candidates.push_back(std::move(created.Candidate));
    }
    run.SourceFree = 50'000'000'000LL;
    run.DestFree = 20'000'000'000LL;
    run.RunPreview.OpenFolders = true;
}

double Milliseconds(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

void Report(const char* what, std::vector<double> times) {
    std::sort(times.begin(), times.end());
    std::printf("%-52s median %8.2f ms   min %8.2f   max %8.2f\n", what, times[times.size() / 2], times.front(),
                times.back());
}

} // namespace

int main() {
    cSilentInterface ui;
    cRunControl control(ui);
    cRunState run(control);
    FillRun(run);
    std::printf("%d candidates, a folder of %d, %zu directories\n", kCandidates, kBigFolder, run.SourceDirList.size());

    std::optional<cPreviewList> list;
    Report("model created (lines and figures)", {Milliseconds([&] { list.emplace(run); })});
    Report("first resort by path, grouping and lines", {Milliseconds([&] { list->RebuildList(true); })});
    std::printf("  %zu lines, %zu folders\n", list->Lines().size(), run.Folders.size());

    std::vector<double> rebuild, actionBig, actionBigBack, filterOn, filterOff, cycle, toggleBig;
    std::vector<double> sorts[6];
    std::vector<double> reverse;
    for (int round = 0; round < kRounds; ++round) {
        rebuild.push_back(Milliseconds([&] { list->RebuildList(false); }));
        const std::size_t bigFolderLine = 0; // directory 0 sorts first by path
        const std::size_t lines[] = {bigFolderLine};
        actionBig.push_back(Milliseconds([&] { list->SetAction(lines, kActionSkip); }));
        actionBigBack.push_back(Milliseconds([&] { list->SetAction(lines, kActionDelete); }));
        cycle.push_back(Milliseconds([&] { list->CycleAction(1); }));
        toggleBig.push_back(Milliseconds([&] {
            list->ToggleFolder(bigFolderLine);
            list->ToggleFolder(bigFolderLine);
        }));
        filterOn.push_back(Milliseconds([&] { list->ToggleFilter(ePreviewFilter::SizeDiffers); }));
        filterOff.push_back(Milliseconds([&] { list->ToggleFilter(ePreviewFilter::SizeDiffers); }));
        for (int mode : {1, 2, 3, 4, 5, 0})
            sorts[mode].push_back(Milliseconds([&] { list->SetSortMode(mode); }));
        reverse.push_back(Milliseconds([&] {
            list->SetReverseOrder(true);
            list->SetReverseOrder(false);
        }));
    }
    Report("RebuildList without resort", rebuild);
    Report("set the action of the 50 000-file folder (skip)", actionBig);
    Report("set the action of the 50 000-file folder (delete)", actionBigBack);
    Report("cycle one line", cycle);
    Report("close and open the 50 000-file folder", toggleBig);
    Report("filter on (size differences)", filterOn);
    Report("filter off", filterOff);
    const char* names[] = {"path", "name", "type", "size", "date/time", "category"};
    for (int mode = 0; mode < 6; ++mode)
        Report(("resort by " + std::string(names[mode])).c_str(), sorts[mode]);
    Report("reverse order and back (two resorts)", reverse);
    return 0;
}
