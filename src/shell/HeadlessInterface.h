// The user interface without windows: presets for every question, messages and progress on the terminal.
#pragma once

#include "messages/UserInterface.h"
#include "shell/HeadlessProgress.h"

class cHeadlessInterface : public cUserInterface {
public:
    void ShowTimedMessage(const std::string& line1, const std::string& fileName, const std::string& line3) override;
    // Prints the text to stderr and answers the preset.
    eAnswer ShowMessageBox(int code, eMessageKind kind, eMessageButtons buttons, const std::string& text,
                           eAnswer preset) override;
    // Nobody can type a password: both say so on stderr and give the default answer (none, skip the file).
    std::optional<std::string> AskZipAddPassword(const std::string& caption) override;
    cZipPasswordReply AskZipExtractPassword(const std::string& caption, const std::string& fileName) override;
    void Beep() override;
    void ShowStatus(const std::string& text, int count) override;

    // Progress on stderr: a bar when stderr is a terminal, plain lines otherwise.
    void BeginProgress(std::int64_t bytesToCopy) override { m_progress.Begin(bytesToCopy); }
    void ReportProgress(std::int64_t deltaBytes, std::int64_t fileBytes, const std::string& fileName) override {
        m_progress.Report(deltaBytes, fileBytes, fileName);
    }
    void SetProgressPaused(bool paused) override { m_progress.SetPaused(paused); }
    void EndProgress() override { m_progress.End(); }

private:
    cHeadlessProgress m_progress{stderr, IsStderrTerminal()};
    static bool IsStderrTerminal();
};
