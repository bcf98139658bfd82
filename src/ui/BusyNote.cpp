#include "ui/BusyNote.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QWidget>

namespace ui {

cBusyNote::cBusyNote(QWidget* parent, const QString& caption, const QString& text, bool hidden) {
    if (parent) {
        parent->setEnabled(false);
        m_disabled = parent;
    }
    if (hidden) return;
    m_window = std::make_unique<QWidget>(parent, Qt::Dialog);
    m_window->setObjectName(QStringLiteral("BusyNote"));
    m_window->setWindowTitle(caption);
    auto* label = new QLabel(text, m_window.get());
    label->setObjectName(QStringLiteral("BusyLbl"));
    auto* layout = new QHBoxLayout(m_window.get());
    layout->setContentsMargins(24, 18, 24, 18);
    layout->addWidget(label);
    m_window->show();
    // The note is drawn before the work blocks this thread.
    QApplication::processEvents();
}

cBusyNote::~cBusyNote() {
    m_window.reset();
    if (m_disabled) m_disabled->setEnabled(true);
}

} // namespace ui
