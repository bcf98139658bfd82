#include "ui/OptionsPages.h"

#include "ui/DialogParts.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace ui {

cOptionsPage::cOptionsPage(const char* name, QString title, QWidget* parent)
    : QWidget(parent), m_title(std::move(title)) {
    setObjectName(QString::fromLatin1(name));
}

cNumberField::cNumberField(const char* name, int value, int low, int high, QWidget* parent, int step)
    : QObject(parent), m_edit(NamedEdit(name, QString::number(value), parent)),
      m_problem(ProblemLabel((QByteArray(name) + "Problem").constData(), parent)), m_low(low), m_high(high),
      m_step(step) {
    // Wide enough for the largest number and a little room, never so narrow that a digit is cut.
    const int digits = static_cast<int>(QString::number(high).size()) + 2;
    m_edit->setMaximumWidth(m_edit->fontMetrics().horizontalAdvance(QLatin1Char('0')) * digits +
                            m_edit->fontMetrics().height() * 2);
}

bool cNumberField::Check() {
    bool ok = false;
    const int value = m_edit->text().trimmed().toInt(&ok);
    QString problem;
    if (!ok || value < m_low || value > m_high)
        problem = QStringLiteral("Bitte eine ganze Zahl von %1 bis %2 eingeben.").arg(m_low).arg(m_high);
    else if (m_step > 1 && value % m_step != 0)
        problem = QStringLiteral("Bitte eine Zahl in Schritten von %1 eingeben.").arg(m_step);
    return ShowProblem(m_problem, problem);
}

int cNumberField::Value() const {
    return m_edit->text().trimmed().toInt();
}

int cNumberField::ValueOr(int fallback) const {
    bool ok = false;
    const int value = m_edit->text().trimmed().toInt(&ok);
    return ok && value >= m_low && value <= m_high && (m_step <= 1 || value % m_step == 0) ? value : fallback;
}

QComboBox* CodeCombo(const char* name, const std::vector<std::pair<QString, int>>& choices, int code, QWidget* parent) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QString::fromLatin1(name));
    for (const auto& [text, value] : choices)
        combo->addItem(text, value);
    int index = combo->findData(code);
    if (index < 0) {
        combo->addItem(QStringLiteral("Unbekannt (%1)").arg(code), code);
        index = combo->count() - 1;
    }
    combo->setCurrentIndex(index);
    return combo;
}

int ComboCode(const QComboBox* combo) {
    return combo->currentData().toInt();
}

QLabel* BuddyLabel(const QString& text, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

QLabel* NoteLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    return label;
}

} // namespace ui
