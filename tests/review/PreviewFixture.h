// A run state built by hand for the preview list: candidates in a few directories, sorted and grouped as the
// run hands them to the preview.
#pragma once

#include "engine/CandidateSort.h"
#include "engine/RunState.h"
#include "messages/UserInterface.h"
#include "platform/FileTime.h"
#include "review/PreviewList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace previewtest {

inline constexpr platform::FileTime kTime = 133'800'000'000'000'000LL;

// The four actions, short, for the tables.
inline constexpr ActionFlags F = kActionForward;
inline constexpr ActionFlags S = kActionSkip;
inline constexpr ActionFlags D = kActionDelete;
inline constexpr ActionFlags B = kActionBackward;

// Which sides hold the file.
enum class eSides { Both, SourceOnly, DestOnly };

struct cFile {
    int Dir;
    std::string Name; // base name
    std::string Extension;
    eSides Sides;
    ActionFlags Flags; // action and findings
    std::int64_t SourceSize = 100;
    std::int64_t DestSize = 50;
};

class cNoInterface : public cUserInterface {
public:
    void ShowTimedMessage(const std::string&, const std::string&, const std::string&) override {}
};

inline std::unique_ptr<cCandidate> MakeCandidate(const cFile& f) {
    const cSideRecord source = f.Sides == eSides::DestOnly ? cSideRecord{} : cSideRecord{0, kTime, f.SourceSize};
    const cSideRecord dest = f.Sides == eSides::SourceOnly ? cSideRecord{} : cSideRecord{0, kTime - 1, f.DestSize};
    return CreateCandidate(f.Dir, f.Flags, source, dest, f.Name, f.Extension).Candidate;
}

class PreviewFixture : public ::testing::Test {
protected:
    // Fills the run with files in the order given, sorts and groups them by path as a run does.
    void Fill(const std::vector<cFile>& files, bool openFolders = true) {
        run.SourceDirList = {"\\", "\\Briefe\\", "\\Bilder\\"};
        run.DestDirList = run.SourceDirList;
        run.NativeSourceRoot = "/nirgends/quelle"; // not on disk: the free-space figures stay as set
        run.NativeDestRoot = "/nirgends/ziel";
        run.SourceFree = 1000;
        run.DestFree = 1000;
        run.RunPreview.OpenFolders = openFolders;
        run.Candidates.clear();
        for (const cFile& f : files)
            run.Candidates.push_back(MakeCandidate(f));
        SortCandidates(run.Candidates, run.RunSortMode, run.RunReverseOrder);
        run.Folders = BuildFolders(run.Candidates, {run.RunSortMode, &run.SourceDirList, run.CutPath, openFolders});
    }

    // The lines as text: "F caption" and "C name" (name with extension), in order.
    static std::vector<std::string> LineTexts(const cPreviewList& list) {
        std::vector<std::string> texts;
        for (std::size_t i = 0; i < list.Lines().size(); ++i) {
            if (list.Lines()[i].IsFolder())
                texts.push_back("F " + list.FolderAt(i).Caption);
            else
                texts.push_back("C " + list.CandidateAt(i).BaseName + list.CandidateAt(i).Extension);
        }
        return texts;
    }

    // The action of the candidate with that base name.
    ActionFlags ActionOf(const std::string& name) const {
        for (const auto& c : run.Candidates)
            if (c->BaseName == name) return c->Action();
        ADD_FAILURE() << "no candidate " << name;
        return 0;
    }

    // The line of the folder with that caption, or of the candidate with that base name.
    static std::size_t LineOf(const cPreviewList& list, const std::string& text) {
        for (std::size_t i = 0; i < list.Lines().size(); ++i) {
            const bool folder = list.Lines()[i].IsFolder();
            if ((folder && list.FolderAt(i).Caption == text) || (!folder && list.CandidateAt(i).BaseName == text))
                return i;
        }
        ADD_FAILURE() << "no line " << text;
        return 0;
    }

    cNoInterface ui;
    cRunControl control{ui};
    cRunState run{control};
};

} // namespace previewtest
