// A user interface for tests: records every message box, beep, check dialog, status text and preview, and
// answers with chosen buttons.
#pragma once

#include "messages/UserInterface.h"

#include "engine/CheckDialogs.h"

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

struct cShownBox {
    int Code;
    eMessageKind Kind;
    eMessageButtons Buttons;
    std::string Text;
    eAnswer Preset;
};

class cRecordingInterface : public cUserInterface {
public:
    void ShowTimedMessage(const std::string&, const std::string&, const std::string&) override {}
    eAnswer ShowMessageBox(int code, eMessageKind kind, eMessageButtons buttons, const std::string& text,
                           eAnswer preset) override {
        Shown.push_back({code, kind, buttons, text, preset});
        if (OnMessage) OnMessage(code);
        const auto answer = Answers.find(code);
        return answer != Answers.end() ? answer->second : Answer;
    }
    void Beep() override { ++Beeps; }
    void PlaySound(const std::string& nativeFile, bool toEnd) override { Played.emplace_back(nativeFile, toEnd); }
    bool ShowCheckDialog(cCheckDialogModel& model) override {
        Dialogs.push_back(model);
        if (DialogChoice) model.DefaultAction = *DialogChoice;
        return DialogOk;
    }
    void ShowStatus(const std::string& text, int) override { Status.push_back(text); }
    bool ShowPreview(cRunState& run) override {
        ++Previews;
        if (OnPreview) OnPreview(run);
        if (AfterPreview) AfterPreview(run, PreviewOk);
        return PreviewOk;
    }
    std::optional<eInterruptionAnswer> AskInterruption(const cInterruptionInfo& info) override {
        Interruptions.push_back(info);
        if (InterruptionAnswers.empty()) return std::nullopt;
        const eInterruptionAnswer answer = InterruptionAnswers.front();
        InterruptionAnswers.erase(InterruptionAnswers.begin());
        return answer;
    }
    void ReportProgress(std::int64_t, std::int64_t fileBytes, const std::string& fileName) override {
        if (OnProgress) OnProgress(fileBytes, fileName);
    }
    void ShowFtpLog() override { ++FtpLogShown; }
    void FtpLine(bool sent, const std::string& line) override { FtpLines.emplace_back(sent, line); }

    // The answer to every box, unless Answers names one for its code.
    eAnswer Answer = eAnswer::Cancel;
    std::map<int, eAnswer> Answers;
    std::vector<cShownBox> Shown;
    std::function<void(int code)> OnMessage; // called for every box before it is answered
    int Beeps = 0;
    std::vector<std::pair<std::string, bool>> Played; // sound files with their toEnd, instead of playing them
    std::vector<cCheckDialogModel> Dialogs;
    std::optional<int> DialogChoice; // the default action chosen in a check dialog; none keeps the preset
    bool DialogOk = true;
    std::vector<std::string> Status;
    int Previews = 0;
    std::function<void(cRunState&)> OnPreview; // sees (and may change) the planned run
    // Sees the plan as the preview hands it back (after OnPreview), and whether it is accepted.
    std::function<void(const cRunState&, bool accepted)> AfterPreview;
    bool PreviewOk = true;
    std::vector<cInterruptionInfo> Interruptions;
    // The answers of the interruption dialog, taken in order; when none is left no dialog can be shown.
    std::vector<eInterruptionAnswer> InterruptionAnswers;
    // Called for every copied block with the current file's bytes so far and its native path.
    std::function<void(std::int64_t fileBytes, const std::string& fileName)> OnProgress;
    int FtpLogShown = 0;
    std::vector<std::pair<bool, std::string>> FtpLines; // the lines exchanged with an FTP server: sent?, line
};
