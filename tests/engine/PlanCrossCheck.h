// The cross-check of every whole run: what the preview handed to the run is what the log says the run did.
#pragma once

#include "engine/ActionFlags.h"
#include "engine/Candidate.h"
#include "engine/RunState.h"
#include "log/LogEvent.h"
#include "log/LogLines.h"
#include "platform/Text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace runtest {

// One planned action as the run receives it from the preview: the action, whether it copies the content, and
// the native paths of the sides that exist.
struct cPlannedAction {
    ActionFlags Action;
    bool Content;
    std::string SourcePath; // empty when the source side does not exist
    std::string DestPath;   // empty when the destination side does not exist
};

inline std::vector<cPlannedAction> PlannedActions(const cRunState& run) {
    std::vector<cPlannedAction> actions;
    for (const auto& c : run.Candidates) {
        const bool hasSource = c->SourceTime != 0;
        const bool hasDest = c->DestTime != 0;
        actions.push_back({c->Action(), (c->Flags & kFlagCopyContent) != 0,
                           hasSource ? RunSideTexts(run, *c, true).Path : std::string(),
                           hasDest ? RunSideTexts(run, *c, false).Path : std::string()});
    }
    return actions;
}

// The first line of a file event without size, date and time: the start of the log's line for that event.
// The log shows bytes that are no UTF-8 escaped and control characters as "?": so does this line.
inline std::string EventStart(int event, const std::string& path) {
    std::vector<std::string> lines;
    AppendFileEventLines(lines, event, {.Path = path}, eLogFileInfo::NameOnly);
    if (lines.empty()) return {};
    std::string line = platform::EscapeInvalidUtf8(lines.front());
    for (char& c : line)
        if (static_cast<unsigned char>(c) < 0x20) c = '?';
    return line;
}

// What one planned action must leave in the log: the line of its success, and the line of its failure.
struct cExpectedLine {
    std::string Done;
    std::string Failed;
};

inline std::vector<cExpectedLine> ExpectedLines(const std::vector<cPlannedAction>& plan) {
    std::vector<cExpectedLine> expected;
    for (const cPlannedAction& a : plan) {
        switch (a.Action) {
        case kActionForward:
            if (a.Content)
                expected.push_back(
                    {EventStart(kLogCopiedForward, a.SourcePath), EventStart(kLogCopyFailed, a.SourcePath)});
            else
                expected.push_back(
                    {EventStart(kLogPropsForward, a.SourcePath), EventStart(kLogPropsFailed, a.SourcePath)});
            break;
        case kActionBackward:
            if (a.Content)
                expected.push_back(
                    {EventStart(kLogCopiedBackward, a.DestPath), EventStart(kLogCopyFailed, a.DestPath)});
            else
                expected.push_back(
                    {EventStart(kLogPropsBackward, a.DestPath), EventStart(kLogPropsFailed, a.DestPath)});
            break;
        case kActionDelete:
            for (const std::string& path : {a.SourcePath, a.DestPath})
                if (!path.empty())
                    expected.push_back({EventStart(kLogDeleted, path), EventStart(kLogDeleteFailed, path)});
            break;
        default:
            break;
        }
    }
    return expected;
}

// The log's lines of carried-out or failed actions on files.
inline std::vector<std::string> ActionLines(const std::vector<std::string>& logLines) {
    static const int kActionEvents[] = {kLogCopiedForward, kLogCopiedBackward, kLogPropsForward, kLogPropsBackward,
                                        kLogDeleted,       kLogCopyFailed,     kLogPropsFailed,  kLogDeleteFailed};
    std::vector<std::string> labels;
    for (int event : kActionEvents) {
        const std::string start = EventStart(event, "");
        labels.push_back(start.substr(0, start.find(':') + 1));
    }
    std::vector<std::string> actions;
    for (const std::string& line : logLines)
        if (std::any_of(labels.begin(), labels.end(), [&](const std::string& l) { return line.starts_with(l); }))
            actions.push_back(line);
    return actions;
}

// Every action line of the log belongs to one planned action (its success or its failure), and, unless the run
// stopped early, every planned action has its line.
inline void ExpectLogFollowsPlan(const std::vector<cPlannedAction>& plan, const std::vector<std::string>& logLines,
                                 bool stopped) {
    std::vector<cExpectedLine> expected = ExpectedLines(plan);
    for (const std::string& line : ActionLines(logLines)) {
        const auto match = std::find_if(expected.begin(), expected.end(), [&](const cExpectedLine& e) {
            return line.starts_with(e.Done) || line.starts_with(e.Failed);
        });
        if (match == expected.end()) {
            ADD_FAILURE() << "the log shows an action the preview did not plan:\n" << line;
            continue;
        }
        expected.erase(match);
    }
    if (stopped) return;
    for (const cExpectedLine& missing : expected)
        ADD_FAILURE() << "the preview planned an action the log does not show:\n" << missing.Done;
}

} // namespace runtest
