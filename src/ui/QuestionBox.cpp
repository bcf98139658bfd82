#include "ui/QuestionBox.h"

#include "ui/MessageDialog.h"

namespace ui {

eAnswer AskQuestion(QWidget* parent, const QString& caption, const QString& text, bool withCancel) {
    std::vector<eAnswer> answers = {eAnswer::Yes, eAnswer::No};
    if (withCancel) answers.push_back(eAnswer::Cancel);
    TMessageDlg box(parent, caption, eMessageKind::Confirmation, text, std::move(answers), false, 0);
    box.setObjectName(QStringLiteral("QuestionBox"));
    box.exec();
    return box.Answer();
}

} // namespace ui
