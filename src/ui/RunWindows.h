// The windows of one run, on the GUI thread: message boxes, the status and progress windows, the check and
// interruption dialogs, the run-event windows. cQtUserInterface calls them for the run's worker thread.
#pragma once

#include "messages/UserInterface.h"

#include <cstdint>
#include <optional>
#include <string>

class QWidget;
class cParameters;
struct cRunControl;

namespace ui {

class cRunWindows {
public:
    // document is the GUI thread's document (captions, saved window places); control's flags are what the
    // windows' buttons set. Both and parent outlive this object.
    cRunWindows(QWidget* parent, cParameters& document, cRunControl& control);
    ~cRunWindows();
    cRunWindows(const cRunWindows&) = delete;
    cRunWindows& operator=(const cRunWindows&) = delete;

    // Questions: modal, return the answer.
    void ShowTimedMessage(const std::string& line1, const std::string& fileName, const std::string& line3);
    eAnswer ShowMessageBox(int code, eMessageKind kind, eMessageButtons buttons, const std::string& text,
                           eAnswer preset);
    bool ShowCheckDialog(cCheckDialogModel& model);
    bool ShowPreview(cRunState& run);
    std::optional<eInterruptionAnswer> AskInterruption(const cInterruptionInfo& info);

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

private:
    QWidget* m_parent;
    cParameters& m_document;
    cRunControl& m_control;
};

} // namespace ui
