#include "ui/QtUserInterface.h"

#include "ui/FtpCommWindow.h"
#include "ui/GuiThread.h"
#include "ui/RunWindows.h"

#include <QPointer>
#include <QString>

namespace ui {

namespace {

constexpr auto kHandOverInterval = std::chrono::milliseconds(100);

} // namespace

void cQtUserInterface::ShowTimedMessage(const std::string& line1, const std::string& fileName,
                                        const std::string& line3) {
    HandOver();
    CallOnGuiThread([&] { m_windows.ShowTimedMessage(line1, fileName, line3); });
}

eAnswer cQtUserInterface::ShowMessageBox(int code, eMessageKind kind, eMessageButtons buttons, const std::string& text,
                                         eAnswer preset) {
    HandOver();
    return CallOnGuiThread([&] { return m_windows.ShowMessageBox(code, kind, buttons, text, preset); });
}

bool cQtUserInterface::ShowCheckDialog(cCheckDialogModel& model) {
    HandOver();
    return CallOnGuiThread([&] { return m_windows.ShowCheckDialog(model); });
}

bool cQtUserInterface::ShowPreview(cRunState& run) {
    HandOver();
    return CallOnGuiThread([&] { return m_windows.ShowPreview(run); });
}

std::optional<std::string> cQtUserInterface::AskZipAddPassword(const std::string& caption) {
    HandOver();
    return CallOnGuiThread([&] { return m_windows.AskZipAddPassword(caption); });
}

cZipPasswordReply cQtUserInterface::AskZipExtractPassword(const std::string& caption, const std::string& fileName) {
    HandOver();
    return CallOnGuiThread([&] { return m_windows.AskZipExtractPassword(caption, fileName); });
}

std::optional<cFtpLogin> cQtUserInterface::AskFtpLogin(const std::string& caption, const std::string& user,
                                                       const std::string& password) {
    HandOver();
    return CallOnGuiThread([&] { return m_windows.AskFtpLogin(caption, {user, password}); });
}

std::optional<eInterruptionAnswer> cQtUserInterface::AskInterruption(const cInterruptionInfo& info) {
    HandOver();
    return CallOnGuiThread([&] { return m_windows.AskInterruption(info); });
}

void cQtUserInterface::ShowStatus(const std::string& text, int count) {
    HandOver();
    Notify([w = &m_windows, text, count] { w->ShowStatus(text, count); });
}

void cQtUserInterface::StepStatus(int position) {
    m_pending.HasStatus = true;
    m_pending.StatusPosition = position;
    HandOverWhenDue();
}

void cQtUserInterface::HideStatus() {
    HandOver();
    Notify([w = &m_windows] { w->HideStatus(); });
}

void cQtUserInterface::ShowRunEvent(eRunEvent event, bool centered, const std::string& messageFile) {
    HandOver();
    Notify([w = &m_windows, event, centered, messageFile] { w->ShowRunEvent(event, centered, messageFile); });
}

void cQtUserInterface::Beep() {
    HandOver();
    Notify([w = &m_windows] { w->Beep(); });
}

void cQtUserInterface::BeginProgress(std::int64_t bytesToCopy) {
    HandOver();
    Notify([w = &m_windows, bytesToCopy] { w->BeginProgress(bytesToCopy); });
}

void cQtUserInterface::ReportProgress(std::int64_t deltaBytes, std::int64_t fileBytes, const std::string& fileName) {
    m_pending.HasProgress = true;
    m_pending.DeltaBytes += deltaBytes;
    m_pending.FileBytes = fileBytes;
    if (m_pending.FileName != fileName) m_pending.FileName = fileName;
    HandOverWhenDue();
}

void cQtUserInterface::SetProgressPaused(bool paused) {
    HandOver();
    Notify([w = &m_windows, paused] { w->SetProgressPaused(paused); });
}

void cQtUserInterface::EndProgress() {
    HandOver();
    Notify([w = &m_windows] { w->EndProgress(); });
}

void cQtUserInterface::ShowCopiedFile(const cInterruptionInfo& sides) {
    // Small files start thousands of times a second: only the latest is handed over with the progress.
    m_pending.HasFile = true;
    m_pending.File = sides;
    HandOverWhenDue();
}

void cQtUserInterface::HandOverWhenDue() {
    const auto now = std::chrono::steady_clock::now();
    if (now - m_lastHandOver < kHandOverInterval) return;
    m_lastHandOver = now;
    HandOver();
}

void cQtUserInterface::HandOver() {
    if (!m_pending.HasStatus && !m_pending.HasFile && !m_pending.HasProgress) return;
    Notify([w = &m_windows, pending = m_pending] {
        if (pending.HasStatus) w->StepStatus(pending.StatusPosition);
        // The file shown last started after every progress gathered with it, whichever file that was of.
        if (pending.HasProgress) w->ReportProgress(pending.DeltaBytes, pending.FileBytes, pending.FileName);
        if (pending.HasFile) w->ShowCopiedFile(pending.File);
    });
    m_pending.HasStatus = false;
    m_pending.HasFile = false;
    m_pending.HasProgress = false;
    m_pending.DeltaBytes = 0;
}

// Once per run, and waited for: the run's windows are alive only while the run is.
void cQtUserInterface::ShowFtpLog() {
    HandOver();
    CallOnGuiThread([this] { m_windows.ShowFtpLog(); });
}

void cQtUserInterface::FtpLine(bool sent, const std::string& line) {
    HandOver();
    Notify([sent, text = QString::fromStdString(line)] {
        if (sent)
            FtpCommunicationWindow().AddSent(text);
        else
            FtpCommunicationWindow().AddReceived(text);
    });
}

} // namespace ui
