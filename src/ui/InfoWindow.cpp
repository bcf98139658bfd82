#include "ui/InfoWindow.h"

#include "ui/RunCaption.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace ui {

namespace {

constexpr int kStartWidth = 408; // the width the window opens with when its contents need less

} // namespace

TInfoWnd::TInfoWnd(const cParameters& params, QWidget* parent)
    : QDialog(parent), m_text(new QLabel(this)), m_bar(new QProgressBar(this)),
      m_abort(new QPushButton(QStringLiteral("Abbrechen"), this)) {
    setObjectName(QStringLiteral("InfoWnd"));
    setWindowTitle(RunCaption(params));
    m_text->setObjectName(QStringLiteral("StatusLbl"));
    m_bar->setObjectName(QStringLiteral("StatusBar"));
    m_bar->setTextVisible(false);
    m_bar->hide();
    m_abort->setObjectName(QStringLiteral("AbortBtn"));
    m_abort->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_abort);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_text);
    layout->addWidget(m_bar);
    layout->addStretch();
    layout->addLayout(buttons);

    connect(m_abort, &QPushButton::clicked, this, [this] {
        m_abort->setEnabled(false);
        emit AbortPressed();
    });
    // Room for the longest phase text; a bar that appears later does not make the window jump.
    m_text->setText(QStringLiteral("Baue die Aufgabenliste für das Zip-Archiv..."));
    m_bar->show();
    resize(qMax(kStartWidth, sizeHint().width()), sizeHint().height());
    m_bar->hide();
    m_text->clear();
}

void TInfoWnd::ShowPhase(const QString& text, int count) {
    m_text->setText(text);
    m_bar->setVisible(count > 0);
    if (count > 0) {
        m_bar->setRange(0, count);
        m_bar->setValue(0);
    }
}

void TInfoWnd::Step(int position) {
    if (!m_bar->isHidden()) m_bar->setValue(qBound(m_bar->minimum(), position, m_bar->maximum()));
}

} // namespace ui
