// The run-event windows.
#include "ui/RunEventWindow.h"

#include "platform/FileInfo.h"
#include "platform/ProgramFolders.h"
#include "profile/Parameters.h"
#include "ui/RichText.h"

#include <QGuiApplication>
#include <QHideEvent>
#include <QKeySequence>
#include <QScreen>
#include <QShortcut>
#include <QVBoxLayout>

namespace ui {

namespace {

constexpr const char* kMessagesFolder = "Nachrichten/";

// The size of a saved place, or the default size of that window when the place holds none.
QSize SavedSize(const cWindowPos& saved, eWindowPlace place) {
    if (saved.Right > saved.Left && saved.Bottom > saved.Top)
        return {saved.Right - saved.Left, saved.Bottom - saved.Top};
    const cWindowPos& fallback = kWindowPosGroups[static_cast<std::size_t>(place)].Default;
    return {fallback.Right - fallback.Left, fallback.Bottom - fallback.Top};
}

QString CaptionOf(const cParameters& document) {
    const std::string& file = document.ProfileFile.empty() ? document.DocumentFile : document.ProfileFile;
    return QString::fromStdString(file) + QStringLiteral(" - Tolvan 6");
}

bool IsMissing(const std::string& nativePath) {
    platform::FileInfo info;
    return platform::GetFileInfo(nativePath, info) == platform::kFileNotFound;
}

void CloseWindow(QPointer<TRunEventWnd>& window) {
    if (window) window->close();
    window = nullptr;
}

} // namespace

TRunEventWnd::TRunEventWnd(cParameters& document, eWindowPlace place, bool centered, const std::string& messageFile)
    : QWidget(nullptr, Qt::Window), m_document(document), m_place(place), m_centered(centered),
      m_messageFile(messageFile) {
    setObjectName(QStringLiteral("RunEventWnd"));
    setAttribute(Qt::WA_DeleteOnClose);
    // An open message window does not keep the program running once the main window has closed.
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowTitle(CaptionOf(document));

    m_message = new cRichTextBrowser(this);
    m_message->setObjectName(QStringLiteral("MessageMmo"));
    m_message->setFrameShape(QFrame::NoFrame);
    m_message->document()->setDocumentMargin(8);
    m_message->setOpenExternalLinks(true);
    m_message->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_message->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    QPalette colours = m_message->palette();
    colours.setColor(QPalette::Base, Qt::white);
    colours.setColor(QPalette::Text, Qt::black);
    m_message->setPalette(colours);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_message);

    auto* close = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(close, &QShortcut::activated, this, &QWidget::close);

    const cWindowPos& saved = document.WindowPositions[static_cast<std::size_t>(place)];
    if (centered) {
        // Centred windows keep the saved size but never go to the saved place.
        const QSize size = SavedSize(saved, place);
        resize(size);
        const QScreen* screen = QGuiApplication::primaryScreen();
        if (screen) move(screen->availableGeometry().center() - QPoint(size.width() / 2, size.height() / 2));
    } else {
        resize(SavedSize(saved, place));
        RestorePlacement(*this, saved, true);
    }
    m_loaded = m_message->LoadFile(messageFile);
}

void TRunEventWnd::hideEvent(QHideEvent* event) {
    // A window the user minimises reports a hide of its own; only a real close or hide stores the place.
    if (!m_centered && !event->spontaneous() && !isMinimized())
        m_document.WindowPositions[static_cast<std::size_t>(m_place)] = PlacementOf(*this);
    QWidget::hideEvent(event);
}

std::string RunEventMessageFile(const std::string& messageFile) {
    const std::string defaults = platform::DataFolder() + kMessagesFolder;
    if (!messageFile.starts_with(defaults)) return messageFile;
    const std::string name = messageFile.substr(defaults.size());
    if (name.empty() || name.find('/') != std::string::npos || !IsMissing(messageFile)) return messageFile;
    const std::string shipped = platform::ShippedFolder() + kMessagesFolder + name;
    return IsMissing(shipped) ? messageFile : shipped;
}

cRunEventWindows::cRunEventWindows(cParameters& document) : m_document(document) {}

cRunEventWindows::~cRunEventWindows() {
    ReleaseAll();
}

void cRunEventWindows::Show(eRunEvent event, bool centered, const std::string& messageFile) {
    const bool started = event == eRunEvent::Started;
    if (!started) CloseWindow(m_started);
    QPointer<TRunEventWnd>& slot = started ? m_started : m_finished;
    CloseWindow(slot);
    slot = new TRunEventWnd(m_document, started ? eWindowPlace::RunStarted : eWindowPlace::RunFinished, centered,
                            RunEventMessageFile(messageFile));
    slot->show();
}

void cRunEventWindows::ReleaseAll() {
    CloseWindow(m_started);
    CloseWindow(m_finished);
}

} // namespace ui
