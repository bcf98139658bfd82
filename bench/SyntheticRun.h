// The synthetic run of the preview benchmarks: 100 000 candidates, half of them in one folder, with mixed
// sizes, times, names, actions and findings, and the timing helpers both benchmarks print with.
#pragma once

#include "engine/RunState.h"
#include "messages/UserInterface.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace bench {

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
inline void FillRun(cRunState& run) {
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

inline double Milliseconds(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

inline void Report(const char* what, std::vector<double> times) {
    std::sort(times.begin(), times.end());
    std::printf("%-52s median %8.2f ms   min %8.2f   max %8.2f\n", what, times[times.size() / 2], times.front(),
                times.back());
}

} // namespace bench
