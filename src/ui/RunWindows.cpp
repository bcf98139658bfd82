#include "ui/RunWindows.h"

#include "engine/RunControl.h"
#include "profile/Parameters.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

namespace ui {

namespace {

QMessageBox::Icon IconOf(eMessageKind kind) {
    switch (kind) {
    case eMessageKind::Error:
        return QMessageBox::Critical;
    case eMessageKind::Warning:
        return QMessageBox::Warning;
    case eMessageKind::Information:
        return QMessageBox::Information;
    case eMessageKind::Confirmation:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons ButtonsOf(eMessageButtons buttons) {
    switch (buttons) {
    case eMessageButtons::Ok:
    case eMessageButtons::OkHelp:
        return QMessageBox::Ok;
    case eMessageButtons::OkCancelHelp:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case eMessageButtons::YesNo:
    case eMessageButtons::YesNoHelp:
        return QMessageBox::Yes | QMessageBox::No;
    }
    return QMessageBox::Ok;
}

eAnswer AnswerOf(int button) {
    switch (button) {
    case QMessageBox::Ok:
        return eAnswer::Ok;
    case QMessageBox::Cancel:
        return eAnswer::Cancel;
    case QMessageBox::Yes:
        return eAnswer::Yes;
    case QMessageBox::No:
        return eAnswer::No;
    default:
        return eAnswer::Cancel;
    }
}

} // namespace

cRunWindows::cRunWindows(QWidget* parent, cParameters& document, cRunControl& control)
    : m_parent(parent), m_document(document), m_control(control) {}

cRunWindows::~cRunWindows() = default;

void cRunWindows::ShowTimedMessage(const std::string& line1, const std::string& fileName, const std::string& line3) {
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Tolvan 6"),
                    QString::fromStdString(line1 + "\n\n" + fileName + "\n\n" + line3), QMessageBox::Ok, m_parent);
    QTimer::singleShot(30000, &box, &QMessageBox::accept);
    box.exec();
}

eAnswer cRunWindows::ShowMessageBox(int /*code*/, eMessageKind kind, eMessageButtons buttons, const std::string& text,
                                    eAnswer /*preset*/) {
    QMessageBox box(IconOf(kind), QStringLiteral("Tolvan 6"), QString::fromStdString(text), ButtonsOf(buttons),
                    m_parent);
    return AnswerOf(box.exec());
}

bool cRunWindows::ShowCheckDialog(cCheckDialogModel& /*model*/) {
    return true;
}

bool cRunWindows::ShowPreview(cRunState& /*run*/) {
    return true;
}

std::optional<eInterruptionAnswer> cRunWindows::AskInterruption(const cInterruptionInfo& /*info*/) {
    return std::nullopt;
}

void cRunWindows::ShowStatus(const std::string& /*text*/, int /*count*/) {}
void cRunWindows::StepStatus(int /*position*/) {}
void cRunWindows::HideStatus() {}
void cRunWindows::ShowRunEvent(eRunEvent /*event*/, bool /*centered*/, const std::string& /*messageFile*/) {}

void cRunWindows::Beep() {
    QApplication::beep();
}

void cRunWindows::BeginProgress(std::int64_t /*bytesToCopy*/) {}
void cRunWindows::ReportProgress(std::int64_t /*deltaBytes*/, std::int64_t /*fileBytes*/,
                                 const std::string& /*fileName*/) {}
void cRunWindows::SetProgressPaused(bool /*paused*/) {}
void cRunWindows::EndProgress() {}

} // namespace ui
