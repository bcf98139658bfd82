// The user interface of a run in the windowed program: the run calls it on its worker thread, the windows
// (cRunWindows) live on the GUI thread. Questions wait for the GUI thread's answer; notifications are handed
// over in order without waiting, and progress (with the file being copied) is handed over at most ten times a
// second.
#pragma once

#include "messages/UserInterface.h"
#include "ui/GuiThread.h"

#include <chrono>
#include <cstdint>
#include <string>
#include <utility>

namespace ui {

class cRunWindows;

class cQtUserInterface : public cUserInterface {
public:
    // windows must outlive every call of this object and every notification it has handed over.
    explicit cQtUserInterface(cRunWindows& windows) : m_windows(windows) {}

    void ShowTimedMessage(const std::string& line1, const std::string& fileName, const std::string& line3) override;
    eAnswer ShowMessageBox(int code, eMessageKind kind, eMessageButtons buttons, const std::string& text,
                           eAnswer preset) override;
    bool ShowCheckDialog(cCheckDialogModel& model) override;
    bool ShowPreview(cRunState& run) override;
    std::optional<eInterruptionAnswer> AskInterruption(const cInterruptionInfo& info) override;
    // Stubs until the password windows exist: no password to add, skip the entry to unpack.
    std::optional<std::string> AskZipAddPassword(const std::string& caption) override;
    cZipPasswordReply AskZipExtractPassword(const std::string& caption, const std::string& fileName) override;
    std::optional<cFtpLogin> AskFtpLogin(const std::string& caption, const std::string& user,
                                         const std::string& password) override;

    void ShowStatus(const std::string& text, int count) override;
    void StepStatus(int position) override;
    void HideStatus() override;
    void ShowRunEvent(eRunEvent event, bool centered, const std::string& messageFile) override;
    void Beep() override;

    void BeginProgress(std::int64_t bytesToCopy) override;
    void ReportProgress(std::int64_t deltaBytes, std::int64_t fileBytes, const std::string& fileName) override;
    void SetProgressPaused(bool paused) override;
    void EndProgress() override;
    void ShowCopiedFile(const cInterruptionInfo& sides) override;
    // The program's one "FTP-Log" window, created on first use and kept between runs.
    void ShowFtpLog() override;
    void FtpLine(bool sent, const std::string& line) override;

private:
    // Progress gathered on the worker since it was last handed over.
    struct cPending {
        bool HasStatus = false;
        int StatusPosition = 0;
        bool HasFile = false;
        cInterruptionInfo File;
        bool HasProgress = false;
        std::int64_t DeltaBytes = 0;
        std::int64_t FileBytes = 0;
        std::string FileName;
    };

    // Hands the gathered progress over (before every other notification, so that the windows see the
    // calls in the order the run made them).
    void HandOver();
    void HandOverWhenDue();
    // A notification: from the worker handed to the GUI thread in order; on the GUI thread itself (the
    // messages around a run) carried out at once, so nothing is left queued for windows that are gone.
    template <class F> void Notify(F&& f) {
        if (OnGuiThread())
            f();
        else
            PostToGuiThread(std::forward<F>(f));
    }

    cRunWindows& m_windows;
    cPending m_pending;
    std::chrono::steady_clock::time_point m_lastHandOver{};
};

} // namespace ui
