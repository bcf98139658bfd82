// A small window that says what the program is busy with (mailing or printing the log) while the main window
// waits; it closes when the note goes out of scope.
#pragma once

#include <QString>

#include <memory>

class QWidget;

namespace ui {

class cBusyNote {
public:
    // Shows text over parent at once; shows nothing when hidden (the mute mode).
    cBusyNote(QWidget* parent, const QString& caption, const QString& text, bool hidden);
    ~cBusyNote();
    cBusyNote(const cBusyNote&) = delete;
    cBusyNote& operator=(const cBusyNote&) = delete;

private:
    std::unique_ptr<QWidget> m_window;
    QWidget* m_disabled = nullptr; // the parent, disabled while the note shows
};

} // namespace ui
