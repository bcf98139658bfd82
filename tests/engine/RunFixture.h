// Whole runs on temporary trees: a profile in memory over a source and a destination directory, a fixed clock,
// a recording user interface, the plan as the preview sees it, and the log file's text.
#pragma once

#include "PlanCrossCheck.h"
#include "engine/RunDriver.h"
#include "engine/RunState.h"
#include "messages/UserInterface.h"
#include "platform/Clock.h"
#include "platform/FileTime.h"
#include "platform/Roots.h"
#include "platform/Text.h"
#include "profile/Parameters.h"
#include "support/RecordingInterface.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>

namespace runtest {

namespace fs = std::filesystem;

// The planned action of each file: native path of the source side (or of the destination side for a file that
// only it has) relative to the test directory -> "vorwärts", "rückwärts", "überspringen" or "löschen", a copy
// with " Inhalt" when it copies the content (not only the properties).
using Plan = std::map<std::string, std::string>;

// The plan's texts of the four actions, copies with their content.
inline const std::string kPlanForward = "vorwärts Inhalt";
inline const std::string kPlanBackward = "rückwärts Inhalt";
inline const std::string kPlanSkip = "überspringen";
inline const std::string kPlanDelete = "löschen";

// A list-file line of the log (snapshot read or written): the label in 35 columns and the path, after a failure
// followed by "  ! " and the error text.
inline std::string ListFileLine(const std::string& label, const std::string& path, const std::string& error = {}) {
    std::string line = "  " + label + std::string(label.size() < 35 ? 35 - label.size() : 0, ' ') + " " + path;
    if (!error.empty()) line += "  ! " + error;
    return line;
}

// "Now" for every run: Wednesday, 9 December 2026, 14:00:00 in Berlin.
inline platform::FileTime Now() {
    return platform::LocalToUtc(platform::JoinFileTime(2026, 12, 9, 14, 0, 0));
}

// A local calendar time as the UTC file time a file on disk carries.
inline platform::FileTime Local(int year, int month, int day, int hour = 12, int minute = 0, int second = 0) {
    return platform::LocalToUtc(platform::JoinFileTime(year, month, day, hour, minute, second));
}

// Two file times before the fixture's LastRun (1 December 08:00), so that no pair counts as changed on both
// sides.
inline const platform::FileTime kOlder = Local(2026, 11, 20);
inline const platform::FileTime kNewer = Local(2026, 11, 25);
// The side of a cTreeFile.
inline constexpr bool kSrc = true;
inline constexpr bool kDst = false;

using Lines = std::vector<std::string>;

class RunFixture : public ::testing::Test {
protected:
    RunFixture() {
        platform::SetTimeZone("Europe/Berlin");
        platform::SetClock(Now());
        ui.Answer = eAnswer::Yes;
        ui.OnPreview = [this](cRunState& run) {
            planned = PlanOf(run);
            plannedAtDest = PlanOf(run, true);
        };
        ui.AfterPreview = [this](const cRunState& run, bool accepted) {
            if (accepted) handedToRun = PlannedActions(run);
        };
        fs::create_directories(Source());
        fs::create_directories(Dest());
        p.SourceDrive = Source().string();
        p.DestDrive = Dest().string();
        p.SearchDirectories.Add("\\*");
        p.CompareFiles.Add("*.*");
        p.DestDirectory = "\\";
        p.ShowPreview = true;
        p.ProfileFile = (dir.Path() / "Profil.tvp").string();
        p.Log.FileName = (dir.Path() / "Log.txt").string();
        p.Log.Append = false;
        p.LastRun = platform::JoinFileTime(2026, 12, 1, 8, 0, 0); // a local time, stored as it is
        p.Recycle = false; // deletions never reach the trash of the user running the tests
    }
    ~RunFixture() override { platform::SetClock(std::nullopt); }

    fs::path Source() const { return dir.Path() / "Quelle"; }
    fs::path Dest() const { return dir.Path() / "Ziel"; }

    // Empties both trees, for the next case of a table whose run has acted on them.
    void ClearTrees() const {
        for (const fs::path& root : {Source(), Dest()}) {
            fs::remove_all(root);
            fs::create_directories(root);
        }
    }

    // One file of a test tree, in the source or in the destination.
    struct cTreeFile {
        bool InSource;
        std::string Path; // relative, with "/"
        std::string Content;
        platform::FileTime Time;
    };
    // Empties both trees and writes the files.
    void BuildTrees(const std::vector<cTreeFile>& files) const {
        ClearTrees();
        for (const cTreeFile& file : files)
            Write(file.InSource ? Source() : Dest(), file.Path, file.Content, file.Time);
    }

    // Writes a file below root with the given content and modification time.
    static void Write(const fs::path& root, const std::string& relative, const std::string& content,
                      platform::FileTime time) {
        const fs::path path = root / relative;
        fs::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << content;
        SetTime(path, time);
    }
    static void SetTime(const fs::path& path, platform::FileTime time) {
        const timespec stamp = platform::TimespecFromFileTime(time);
        const timespec times[2] = {stamp, stamp};
        ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, AT_SYMLINK_NOFOLLOW), 0) << path;
    }

    // One run; planned holds what the preview was shown (empty when it was not reached). What the run changed
    // comes back into p, as for a run started from the window.
    std::uint8_t Run() {
        planned.clear();
        plannedAtDest.clear();
        ui.Shown.clear();
        ui.Dialogs.clear();
        ui.Previews = 0;
        control.Reset();
        handedToRun.reset();
        const std::size_t interruptions = ui.Interruptions.size();
        const cRunOutcome outcome = ExecuteRun(p, control, kSingleProfile, 0);
        ApplyRunOutcome(p, outcome);
        // The interruption dialog changes actions while the run goes on; otherwise the log must follow the plan.
        if (handedToRun && ui.Interruptions.size() == interruptions && LogHoldsThisRunOnly())
            ExpectLogFollowsPlan(*handedToRun, LogLines(), control.AbortRequested);
        return outcome.Result;
    }

    // The fixture's log file holds this run's lines, all of them.
    bool LogHoldsThisRunOnly() const {
        return p.Log.Active && !p.Log.Append && !p.Log.NoNormal && p.Log.FileName == (dir.Path() / "Log.txt").string();
    }

    // Keyed by the source path (the destination path for a file only the destination has), or with atDest by
    // the destination path of every candidate.
    Plan PlanOf(const cRunState& run, bool atDest = false) const {
        Plan plan;
        for (const auto& c : run.Candidates) {
            const bool onlyDest = atDest || c->SourceTime == 0;
            const cSideTexts side = SideTexts(*c, !onlyDest, onlyDest ? run.NativeDestRoot : run.NativeSourceRoot,
                                              onlyDest ? run.DestDirList : run.SourceDirList);
            const std::string key = fs::path(side.Path).lexically_relative(dir.Path()).string();
            EXPECT_FALSE(plan.contains(key)) << "two candidates for " << key;
            const bool copies = c->Action() == kActionForward || c->Action() == kActionBackward;
            plan[key] = ActionName(c->Action()) + (copies && (c->Flags & kFlagCopyContent) != 0 ? " Inhalt" : "");
        }
        return plan;
    }

    // The plan that copies each of files (relative to the test directory after prefix) forward.
    static Plan ForwardPlan(const std::string& prefix, const std::vector<std::string>& files) {
        Plan plan;
        for (const std::string& file : files)
            plan[prefix + file] = kPlanForward;
        return plan;
    }

    static std::string ActionName(ActionFlags action) {
        switch (action) {
        case kActionForward:
            return "vorwärts";
        case kActionBackward:
            return "rückwärts";
        case kActionSkip:
            return "überspringen";
        case kActionDelete:
            return "löschen";
        default:
            return "?";
        }
    }

    // The log file's lines, without line ends.
    std::vector<std::string> LogLines() const {
        std::ifstream in(dir.Path() / "Log.txt", std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        std::vector<std::string> lines;
        const std::string text = platform::DecodeFileText(bytes);
        std::size_t start = 0;
        while (start < text.size()) {
            const std::size_t end = text.find("\r\n", start);
            if (end == std::string::npos) {
                lines.push_back(text.substr(start));
                break;
            }
            lines.push_back(text.substr(start, end - start));
            start = end + 2;
        }
        return lines;
    }

    // The lines between the time base line and the summary: what the run reported.
    std::vector<std::string> LogEvents() const {
        const std::vector<std::string> lines = LogLines();
        std::vector<std::string> events;
        bool inside = false;
        for (const std::string& line : lines) {
            if (line == "Zusammenfassung") break;
            if (inside) events.push_back(line);
            if (line.starts_with("Datum-Zeit-Stempel von Dateien")) inside = true;
        }
        return events;
    }

    // The count in the summary line that ends with label ("Fehler", "Dateien vorwärts kopiert" ...).
    int SummaryCount(const std::string& label) const {
        for (const std::string& line : LogLines())
            if (line.size() > 7 && line.substr(7) == label) return std::stoi(line.substr(0, 6));
        return -1;
    }

    // The codes of the message boxes shown, in order.
    std::vector<int> Messages() const {
        std::vector<int> codes;
        for (const cShownBox& box : ui.Shown)
            codes.push_back(box.Code);
        return codes;
    }

    testsupport::TempDir dir;
    cRecordingInterface ui;
    cRunControl control{ui}; // the stop flags, set by the tests as the window's buttons or Ctrl+C would
    cParameters p;
    Plan planned;
    Plan plannedAtDest;                                     // the same plan keyed by the destination paths
    std::optional<std::vector<cPlannedAction>> handedToRun; // the plan as the accepted preview handed it over
};

} // namespace runtest
