// The error box that closes itself.
#include "ui/TimedBox.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace ui {

namespace {

QLabel* Line(QWidget* parent, const QString& text, const char* name) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

} // namespace

TTimedBox::TTimedBox(QWidget* parent, const QString& caption, const QString& line1, const QString& fileName,
                     const QString& line3, int seconds)
    : QDialog(parent), m_timer(new QTimer(this)), m_secondsLeft(std::max(seconds, 1)) {
    setObjectName(QStringLiteral("TimedBox"));
    setWindowTitle(caption);

    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("KindImg"));
    const int iconSize = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxCritical, nullptr, this).pixmap(iconSize, iconSize));
    icon->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    auto* lines = new QVBoxLayout;
    lines->setSpacing(10);
    lines->addWidget(Line(this, line1, "Line1Lbl"));
    QLabel* file = Line(this, fileName, "FileNameLbl");
    QFont bold = file->font();
    bold.setBold(true);
    file->setFont(bold);
    lines->addWidget(file);
    lines->addWidget(Line(this, line3, "Line3Lbl"));

    m_ok = new QPushButton(this);
    m_ok->setObjectName(QStringLiteral("OkBtn"));
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(m_ok);
    row->addStretch(1);

    auto* grid = new QGridLayout(this);
    grid->setSizeConstraint(QLayout::SetFixedSize);
    grid->setHorizontalSpacing(16);
    grid->addWidget(icon, 0, 0);
    grid->addLayout(lines, 0, 1);
    grid->addLayout(row, 1, 0, 1, 2);

    ShowSecondsLeft();
    // The button keeps the width of its longest count, so that the box does not shrink while it counts down.
    m_ok->setMinimumWidth(m_ok->sizeHint().width());
    m_timer->setInterval(1000);
    connect(m_timer, &QTimer::timeout, this, &TTimedBox::Tick);
    m_ok->setFocus();
}

void TTimedBox::showEvent(QShowEvent* event) {
    // The count starts when the box opens, not when it is built.
    if (!m_timer->isActive() && m_secondsLeft > 0) m_timer->start();
    QDialog::showEvent(event);
}

void TTimedBox::Tick() {
    --m_secondsLeft;
    ShowSecondsLeft();
    if (m_secondsLeft <= 0) {
        m_timer->stop();
        accept();
    }
}

void TTimedBox::ShowSecondsLeft() {
    m_ok->setText(QStringLiteral("OK (%1)").arg(m_secondsLeft));
}

void ShowTimedBox(QWidget* parent, const QString& caption, const QString& line1, const QString& fileName,
                  const QString& line3, int seconds) {
    TTimedBox box(parent, caption, line1, fileName, line3, seconds);
    box.exec();
}

} // namespace ui
