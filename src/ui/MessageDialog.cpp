// The program's message box.
#include "ui/MessageDialog.h"

#include "ui/HelpWindow.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

#include <algorithm>

namespace ui {

namespace {

// A line of text wider than this many average characters is wrapped.
constexpr int kMaxLineCharacters = 70;

QString KindCaption(eMessageKind kind) {
    switch (kind) {
    case eMessageKind::Error:
        return QStringLiteral("Fehler");
    case eMessageKind::Warning:
        return QStringLiteral("Warnung");
    case eMessageKind::Information:
        return QStringLiteral("Information");
    case eMessageKind::Confirmation:
        return QStringLiteral("Bestätigung");
    }
    return {};
}

QStyle::StandardPixmap KindIcon(eMessageKind kind) {
    switch (kind) {
    case eMessageKind::Error:
        return QStyle::SP_MessageBoxCritical;
    case eMessageKind::Warning:
        return QStyle::SP_MessageBoxWarning;
    case eMessageKind::Information:
        return QStyle::SP_MessageBoxInformation;
    case eMessageKind::Confirmation:
        return QStyle::SP_MessageBoxQuestion;
    }
    return QStyle::SP_MessageBoxInformation;
}

struct cButtonLook {
    const char* Text;
    const char* Name;
};

cButtonLook LookOf(eAnswer answer) {
    switch (answer) {
    case eAnswer::Cancel:
        return {"Abbrechen", "CancelBtn"};
    case eAnswer::Yes:
        return {"Ja", "YesBtn"};
    case eAnswer::No:
        return {"Nein", "NoBtn"};
    default:
        return {"OK", "OkBtn"};
    }
}

eAnswer EscapeAnswer(const std::vector<eAnswer>& answers) {
    for (eAnswer preferred : {eAnswer::Cancel, eAnswer::No})
        if (std::find(answers.begin(), answers.end(), preferred) != answers.end()) return preferred;
    return answers.empty() ? eAnswer::Ok : answers.front();
}

// The width of the widest line, but no wider than kMaxLineCharacters average characters.
int TextWidth(const QFontMetrics& metrics, const QString& text) {
    int widest = 0;
    for (const QString& line : text.split(u'\n'))
        widest = std::max(widest, metrics.horizontalAdvance(line));
    return std::min(widest, metrics.averageCharWidth() * kMaxLineCharacters) + 1;
}

} // namespace

std::vector<eAnswer> AnswersOf(eMessageButtons buttons) {
    switch (buttons) {
    case eMessageButtons::Ok:
    case eMessageButtons::OkHelp:
        return {eAnswer::Ok};
    case eMessageButtons::OkCancelHelp:
        return {eAnswer::Ok, eAnswer::Cancel};
    case eMessageButtons::YesNo:
    case eMessageButtons::YesNoHelp:
        return {eAnswer::Yes, eAnswer::No};
    }
    return {eAnswer::Ok};
}

bool HasHelp(eMessageButtons buttons) {
    return buttons == eMessageButtons::OkHelp || buttons == eMessageButtons::OkCancelHelp ||
           buttons == eMessageButtons::YesNoHelp;
}

TMessageDlg::TMessageDlg(QWidget* parent, const QString& caption, eMessageKind kind, const QString& text,
                         std::vector<eAnswer> answers, bool help, int helpContext, const QString& checkText)
    : QDialog(parent), m_answers(answers.empty() ? std::vector<eAnswer>{eAnswer::Ok} : std::move(answers)),
      m_escapeAnswer(EscapeAnswer(m_answers)), m_answer(m_escapeAnswer), m_helpContext(helpContext) {
    setObjectName(QStringLiteral("MessageDlg"));
    setWindowTitle(caption.isEmpty() ? KindCaption(kind) : caption);

    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("KindImg"));
    const int iconSize = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    icon->setPixmap(style()->standardIcon(KindIcon(kind), nullptr, this).pixmap(iconSize, iconSize));
    icon->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    auto* message = new QLabel(text, this);
    message->setObjectName(QStringLiteral("MessageLbl"));
    message->setTextFormat(Qt::PlainText);
    message->setWordWrap(true);
    message->setTextInteractionFlags(Qt::TextSelectableByMouse);
    message->setMinimumWidth(TextWidth(message->fontMetrics(), text));

    auto* grid = new QGridLayout(this);
    grid->setSizeConstraint(QLayout::SetFixedSize);
    grid->setHorizontalSpacing(16);
    grid->addWidget(icon, 0, 0);
    grid->addWidget(message, 0, 1);
    if (!checkText.isEmpty()) {
        m_check = new QCheckBox(checkText, this);
        m_check->setObjectName(QStringLiteral("OptionChk"));
        grid->addWidget(m_check, 1, 1);
    }

    auto* row = new QHBoxLayout;
    row->addStretch(1);
    QPushButton* first = nullptr;
    for (eAnswer answer : m_answers) {
        const cButtonLook look = LookOf(answer);
        auto* button = new QPushButton(QString::fromUtf8(look.Text), this);
        button->setObjectName(QString::fromLatin1(look.Name));
        connect(button, &QPushButton::clicked, this, [this, answer] { Choose(answer); });
        row->addWidget(button);
        if (!first) first = button;
    }
    if (help) {
        auto* button = new QPushButton(QStringLiteral("Hilfe"), this);
        button->setObjectName(QStringLiteral("HelpBtn"));
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [this] { ShowHelp(this, m_helpContext); });
        row->addWidget(button);
    }
    row->addStretch(1);
    grid->addLayout(row, 2, 0, 1, 2);

    first->setDefault(true);
    first->setFocus();
}

bool TMessageDlg::Checked() const {
    return m_check && m_check->isChecked();
}

void TMessageDlg::SetChecked(bool checked) {
    if (m_check) m_check->setChecked(checked);
}

void TMessageDlg::reject() {
    m_answer = m_escapeAnswer;
    QDialog::reject();
}

void TMessageDlg::Choose(eAnswer answer) {
    m_answer = answer;
    done(static_cast<int>(answer));
}

eAnswer ShowMessageDialog(QWidget* parent, const QString& caption, int helpContext, eMessageKind kind,
                          eMessageButtons buttons, const QString& text) {
    TMessageDlg box(parent, caption, kind, text, AnswersOf(buttons), HasHelp(buttons), helpContext);
    box.exec();
    return box.Answer();
}

eAnswer ShowMessageDialog(QWidget* parent, const QString& caption, int helpContext, eMessageKind kind,
                          eMessageButtons buttons, const QString& text, const QString& checkText, bool& checked) {
    TMessageDlg box(parent, caption, kind, text, AnswersOf(buttons), HasHelp(buttons), helpContext, checkText);
    box.SetChecked(checked);
    box.exec();
    checked = box.Checked();
    return box.Answer();
}

} // namespace ui
