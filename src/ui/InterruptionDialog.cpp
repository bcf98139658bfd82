#include "ui/InterruptionDialog.h"

#include "messages/ErrorText.h"
#include "ui/FileSideLabels.h"
#include "ui/FitLabel.h"
#include "ui/HelpWindow.h"
#include "ui/MessageDialog.h"
#include "ui/RunCaption.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace ui {

namespace {

constexpr int kArmDelay = 1000;
// The help topic of a failed copy is its log event.
constexpr int kHelpContext = 30995;

QFont Bold(QFont font) {
    font.setBold(true);
    return font;
}

} // namespace

TInterruptionDlg::TInterruptionDlg(const cParameters& params, const cInterruptionInfo& info, QWidget* parent)
    : QDialog(parent), m_deleteQuestion(DeleteQuestion(info)), m_armTimer(new QTimer(this)) {
    setObjectName(QStringLiteral("InterruptionDlg"));
    setWindowTitle(RunCaption(params));

    auto* frame = new QFrame;
    frame->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    auto* grid = new QGridLayout(frame);
    grid->addWidget(new QLabel(QStringLiteral("Kopieren von")), 0, 0, 1, 4);
    cFileSideLabels from = cFileSideLabels::AddTo(*grid, 1, QStringLiteral("From"));
    from.Name->setFont(Bold(from.Name->font()));
    grid->addWidget(new QLabel(QStringLiteral("nach")), 3, 0, 1, 4);
    cFileSideLabels to = cFileSideLabels::AddTo(*grid, 4, QStringLiteral("To"));
    grid->addWidget(new QLabel(QStringLiteral("unterbrochen:")), 6, 0, 1, 4);
    auto* error = new QLabel(QString::fromStdString(ErrorText(info.Code)).toUpper());
    error->setObjectName(QStringLiteral("ErrorLbl"));
    error->setTextFormat(Qt::PlainText);
    error->setWordWrap(true);
    error->setFont(Bold(error->font()));
    grid->addWidget(error, 7, 0, 1, 4);
    from.Show(info.FromPath, info.FromSize, info.FromDate, info.FromTime);
    to.Show(info.ToPath, info.ToSize, info.ToDate, info.ToTime);

    auto* buttons = new QHBoxLayout;
    const auto add = [&](const char* name, const QString& text, const std::function<void()>& action) {
        auto* button = new QPushButton(text);
        button->setObjectName(QLatin1String(name));
        button->setEnabled(false);
        connect(button, &QPushButton::clicked, this, action);
        buttons->addWidget(button);
        m_buttons.push_back(button);
        return button;
    };
    m_retry = add("RetryBtn", QStringLiteral("Nochmal"), [this] { Finish(eInterruptionAnswer::Retry); });
    m_retry->setDefault(true);
    add("NextFileBtn", QStringLiteral("Nächste Datei"), [this] { Finish(eInterruptionAnswer::NextFile); });
    add("NextFolderBtn", QStringLiteral("Nächster Ordner"), [this] { Finish(eInterruptionAnswer::NextFolder); });
    add("DeleteBtn", QStringLiteral("Löschen"), [this] { AskDelete(); });
    add("StopBtn", QStringLiteral("Beenden"), [this] { Finish(eInterruptionAnswer::Stop); });
    add("HelpBtn", QStringLiteral("Hilfe"), [this] { ShowHelp(this, kHelpContext); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addLayout(buttons);
    resize(qMax(560, sizeHint().width()), sizeHint().height());

    ConfirmDelete = [this](const QString& question) {
        return ShowMessageDialog(this, windowTitle(), 0, eMessageKind::Confirmation, eMessageButtons::YesNo,
                                 question) == eAnswer::Yes;
    };
    m_armTimer->setSingleShot(true);
    connect(m_armTimer, &QTimer::timeout, this, &TInterruptionDlg::Arm);
}

QString TInterruptionDlg::DeleteQuestion(const cInterruptionInfo& info) {
    const bool pair = !info.FromDate.empty() && !info.ToDate.empty();
    return pair ? QStringLiteral("Dateipaar löschen?") : QStringLiteral("Datei löschen?");
}

void TInterruptionDlg::reject() {
    if (m_armed) Finish(eInterruptionAnswer::Stop);
}

void TInterruptionDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!m_armed && !m_armTimer->isActive()) m_armTimer->start(kArmDelay);
}

void TInterruptionDlg::Arm() {
    m_armed = true;
    for (QPushButton* button : m_buttons)
        button->setEnabled(true);
    m_retry->setFocus();
}

void TInterruptionDlg::Finish(eInterruptionAnswer answer) {
    m_answer = answer;
    accept();
}

void TInterruptionDlg::AskDelete() {
    if (ConfirmDelete && ConfirmDelete(m_deleteQuestion)) Finish(eInterruptionAnswer::Delete);
}

} // namespace ui
