// The run-event windows: a message file shown when a run starts and when it ends. They outlive the run; the
// run-finished window replaces the run-started one.
#pragma once

#include "messages/UserInterface.h"
#include "ui/WindowPlacement.h"

#include <QPointer>
#include <QWidget>

#include <string>

class cParameters;

namespace ui {

class cRichTextBrowser;

// A resizable window whose whole client is a read-only rich-text box ("MessageMmo"). Centred: it takes the size
// of its saved place and stands in the middle of the screen, and never writes its place back. Otherwise it opens
// at its saved place and stores that place in document when it is hidden. Esc closes it; a closed window is
// deleted.
class TRunEventWnd : public QWidget {
    Q_OBJECT

public:
    TRunEventWnd(cParameters& document, eWindowPlace place, bool centered, const std::string& messageFile);

    bool Centered() const { return m_centered; }
    const std::string& MessageFile() const { return m_messageFile; }
    // Whether the message file could be read (an unreadable one leaves the box empty).
    bool Loaded() const { return m_loaded; }

protected:
    void hideEvent(QHideEvent* event) override;

private:
    cParameters& m_document;
    eWindowPlace m_place;
    bool m_centered;
    std::string m_messageFile;
    cRichTextBrowser* m_message;
    bool m_loaded = false;
};

// The message file to show for messageFile: messageFile itself, or, when it is one of the default messages of
// the program's data folder and missing there, the copy shipped with the program.
std::string RunEventMessageFile(const std::string& messageFile);

// The two run-event windows of the main window (GUI thread only).
class cRunEventWindows {
public:
    // document gives the caption and the saved places, and receives the places; it outlives this object.
    explicit cRunEventWindows(cParameters& document);
    ~cRunEventWindows();
    cRunEventWindows(const cRunEventWindows&) = delete;
    cRunEventWindows& operator=(const cRunEventWindows&) = delete;

    // Shows the window of event with messageFile (a native path), without waiting. A run-started window replaces
    // the one of an earlier run; the run-finished window replaces both earlier windows.
    void Show(eRunEvent event, bool centered, const std::string& messageFile);
    // Closes both windows; their places are stored as on every hide.
    void ReleaseAll();

    TRunEventWnd* Started() const { return m_started.data(); }
    TRunEventWnd* Finished() const { return m_finished.data(); }

private:
    cParameters& m_document;
    QPointer<TRunEventWnd> m_started;
    QPointer<TRunEventWnd> m_finished;
};

} // namespace ui
