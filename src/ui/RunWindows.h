// The windows of one run, on the GUI thread: message boxes, the status and progress windows, the check and
// interruption dialogs, the run-event windows. cQtUserInterface calls them for the run's worker thread.
#pragma once

#include "messages/UserInterface.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class QWidget;
class cParameters;
struct cRunControl;

namespace ui {

class TCopyWnd;
class TInfoWnd;

class TFtpCommWnd;

// The one "FTP-Log" window of the program, on the GUI thread only: it keeps the dialogue of every run.
TFtpCommWnd& FtpCommunicationWindow();

class cRunWindows {
public:
    // document is the GUI thread's document (captions, saved window places); control's flags are what the
    // windows' buttons set. Both and parent outlive this object. Under a main window in mute mode the status
    // and progress windows stay hidden.
    cRunWindows(QWidget* parent, cParameters& document, cRunControl& control);
    ~cRunWindows();
    cRunWindows(const cRunWindows&) = delete;
    cRunWindows& operator=(const cRunWindows&) = delete;

    // Questions: modal, return the answer. The progress clock stands still while one is shown.
    void ShowTimedMessage(const std::string& line1, const std::string& fileName, const std::string& line3);
    eAnswer ShowMessageBox(int code, eMessageKind kind, eMessageButtons buttons, const std::string& text,
                           eAnswer preset);
    bool ShowCheckDialog(cCheckDialogModel& model);
    bool ShowPreview(cRunState& run);
    std::optional<eInterruptionAnswer> AskInterruption(const cInterruptionInfo& info);
    std::optional<std::string> AskZipAddPassword(const std::string& caption);
    cZipPasswordReply AskZipExtractPassword(const std::string& caption, const std::string& fileName);
    std::optional<cFtpLogin> AskFtpLogin(const std::string& caption, const cFtpLogin& preset);

    // Notifications.
    void ShowStatus(const std::string& text, int count);
    void StepStatus(int position);
    void HideStatus();
    void ShowRunEvent(eRunEvent event, bool centered, const std::string& messageFile);
    void Beep();
    void BeginProgress(std::int64_t bytesToCopy);
    void ReportProgress(std::int64_t deltaBytes, std::int64_t fileBytes, const std::string& fileName);
    void SetProgressPaused(bool paused);
    void EndProgress();
    void ShowCopiedFile(const cInterruptionInfo& sides);
    // Shows the "FTP-Log" window, at its saved place when it was hidden; its place is saved when this object
    // goes.
    void ShowFtpLog();

    // Shows the run-event windows; set by whoever owns them (empty: none are shown).
    std::function<void(eRunEvent event, bool centered, const std::string& messageFile)> OnRunEvent;

    // The open status and progress windows (null when none is open).
    TInfoWnd* InfoWindow() const { return m_info.get(); }
    TCopyWnd* CopyWindow() const { return m_copy.get(); }

private:
    // Runs a modal question with the progress clock stopped, then lets it run on as before.
    template <class F> auto WithClockStopped(F&& question);
    void StoreInfoPlace();

    QWidget* m_parent;
    cParameters& m_document;
    cRunControl& m_control;
    bool m_mute = false;
    std::unique_ptr<TInfoWnd> m_info;
    bool m_infoShown = false; // m_info has been on the screen, so its place is worth keeping
    std::unique_ptr<TCopyWnd> m_copy;
    bool m_ftpLogShown = false;
};

} // namespace ui
