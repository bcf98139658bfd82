#include "ui/RunWindows.h"

#include "engine/RunControl.h"
#include "profile/Parameters.h"
#include "ui/CheckDialog.h"
#include "ui/CopyWindow.h"
#include "ui/FtpCommWindow.h"
#include "ui/FtpPasswordDialog.h"
#include "ui/InfoWindow.h"
#include "ui/InterruptionDialog.h"
#include "ui/ListDialog.h"
#include "ui/MainWnd.h"
#include "ui/MessageDialog.h"
#include "ui/RunCaption.h"
#include "ui/TimedBox.h"
#include "ui/WindowPlacement.h"
#include "ui/ZipPasswordDialogs.h"

#include <QApplication>
#include <QPointer>

namespace ui {

namespace {

cWindowPos& PlaceOf(cParameters& document, eWindowPlace place) {
    return document.WindowPositions[static_cast<std::size_t>(place)];
}

bool PlaceHasSize(eWindowPlace place) {
    return kWindowPosGroups[static_cast<std::size_t>(place)].HasSize;
}

void RestorePlace(QWidget& window, cParameters& document, eWindowPlace place) {
    RestorePlacement(window, PlaceOf(document, place), PlaceHasSize(place));
}

} // namespace

cRunWindows::cRunWindows(QWidget* parent, cParameters& document, cRunControl& control)
    : m_parent(parent), m_document(document), m_control(control) {
    if (const auto* main = qobject_cast<const TMainWnd*>(parent)) m_mute = main->MuteMode();
}

cRunWindows::~cRunWindows() {
    StoreInfoPlace();
    EndProgress();
    if (m_ftpLogShown) PlaceOf(m_document, eWindowPlace::FtpCommunications) = PlacementOf(FtpCommunicationWindow());
}

TFtpCommWnd& FtpCommunicationWindow() {
    static QPointer<TFtpCommWnd> window;
    if (window.isNull()) window = new TFtpCommWnd();
    return *window;
}

void cRunWindows::ShowFtpLog() {
    TFtpCommWnd& window = FtpCommunicationWindow();
    if (!window.isVisible()) RestorePlace(window, m_document, eWindowPlace::FtpCommunications);
    window.show();
    window.raise();
    m_ftpLogShown = true;
}

template <class F> auto cRunWindows::WithClockStopped(F&& question) {
    const bool wasPaused = m_copy && m_copy->Paused();
    if (m_copy) m_copy->SetPaused(true);
    auto answer = question();
    if (m_copy) m_copy->SetPaused(wasPaused);
    return answer;
}

void cRunWindows::ShowTimedMessage(const std::string& line1, const std::string& fileName, const std::string& line3) {
    WithClockStopped([&] {
        ShowTimedBox(m_parent, RunCaption(m_document), QString::fromStdString(line1), QString::fromStdString(fileName),
                     QString::fromStdString(line3));
        return true;
    });
}

eAnswer cRunWindows::ShowMessageBox(int code, eMessageKind kind, eMessageButtons buttons, const std::string& text,
                                    eAnswer /*preset*/) {
    return WithClockStopped([&] {
        return ShowMessageDialog(m_parent, RunCaption(m_document), HasHelp(buttons) ? code : 0, kind, buttons,
                                 QString::fromStdString(text));
    });
}

bool cRunWindows::ShowCheckDialog(cCheckDialogModel& model) {
    TCheckDlg dialog(m_document, model, m_parent);
    return dialog.exec() == QDialog::Accepted;
}

bool cRunWindows::ShowPreview(cRunState& run) {
    TListDlg dialog(m_document, run, m_parent);
    RestorePlace(dialog, m_document, eWindowPlace::ListDialog);
    const bool goOn = dialog.exec() == QDialog::Accepted;
    PlaceOf(m_document, eWindowPlace::ListDialog) = PlacementOf(dialog);
    return goOn;
}

std::optional<eInterruptionAnswer> cRunWindows::AskInterruption(const cInterruptionInfo& info) {
    return WithClockStopped([&] {
        TInterruptionDlg dialog(m_document, info, m_parent);
        dialog.exec();
        return std::optional<eInterruptionAnswer>(dialog.Answer());
    });
}

std::optional<std::string> cRunWindows::AskZipAddPassword(const std::string& caption) {
    return WithClockStopped([&] { return ui::AskZipAddPassword(m_parent, QString::fromStdString(caption)); });
}

cZipPasswordReply cRunWindows::AskZipExtractPassword(const std::string& caption, const std::string& fileName) {
    return WithClockStopped([&] {
        return ui::AskZipExtractPassword(m_parent, QString::fromStdString(caption), QString::fromStdString(fileName));
    });
}

std::optional<cFtpLogin> cRunWindows::AskFtpLogin(const std::string& caption, const cFtpLogin& preset) {
    return WithClockStopped([&] { return ui::AskFtpLogin(m_parent, QString::fromStdString(caption), preset); });
}

void cRunWindows::ShowStatus(const std::string& text, int count) {
    if (m_mute) return;
    if (!m_info) {
        m_info = std::make_unique<TInfoWnd>(m_document, m_parent);
        QObject::connect(m_info.get(), &TInfoWnd::AbortPressed,
                         [control = &m_control] { control->AbortRequested = true; });
        RestorePlace(*m_info, m_document, eWindowPlace::InfoWindow);
    }
    m_info->ShowPhase(QString::fromStdString(text), count);
    m_info->show();
    m_infoShown = true;
}

void cRunWindows::StepStatus(int position) {
    if (m_info) m_info->Step(position);
}

void cRunWindows::HideStatus() {
    if (!m_info || m_info->isHidden()) return;
    StoreInfoPlace();
    m_info->hide();
}

void cRunWindows::StoreInfoPlace() {
    if (m_info && m_infoShown) PlaceOf(m_document, eWindowPlace::InfoWindow) = PlacementOf(*m_info);
}

void cRunWindows::ShowRunEvent(eRunEvent event, bool centered, const std::string& messageFile) {
    if (OnRunEvent) OnRunEvent(event, centered, messageFile);
}

void cRunWindows::Beep() {
    QApplication::beep();
}

void cRunWindows::BeginProgress(std::int64_t bytesToCopy) {
    EndProgress();
    if (m_mute) return;
    m_copy = std::make_unique<TCopyWnd>(m_document, bytesToCopy, m_parent);
    QObject::connect(m_copy.get(), &TCopyWnd::InterruptPressed,
                     [control = &m_control] { control->InterruptRequested = true; });
    QObject::connect(m_copy.get(), &TCopyWnd::AbortPressed, [control = &m_control] { control->AbortRequested = true; });
    RestorePlace(*m_copy, m_document, eWindowPlace::CopyWindow);
    m_copy->show();
}

void cRunWindows::ReportProgress(std::int64_t deltaBytes, std::int64_t fileBytes, const std::string& fileName) {
    if (m_copy) m_copy->ReportProgress(deltaBytes, fileBytes, fileName);
}

void cRunWindows::SetProgressPaused(bool paused) {
    if (m_copy) m_copy->SetPaused(paused);
}

void cRunWindows::EndProgress() {
    if (!m_copy) return;
    PlaceOf(m_document, eWindowPlace::CopyWindow) = PlacementOf(*m_copy);
    m_copy.reset();
}

void cRunWindows::ShowCopiedFile(const cInterruptionInfo& sides) {
    if (m_copy) m_copy->ShowFile(sides);
}

} // namespace ui
