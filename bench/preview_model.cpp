// Times the preview list's model over 100 000 synthetic candidates: building the lines, changing the action
// of a folder of 50 000 files, switching a filter, and re-sorting. Prints the median of several rounds.
#include "SyntheticRun.h"
#include "review/PreviewList.h"

#include <optional>

using namespace bench;

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
