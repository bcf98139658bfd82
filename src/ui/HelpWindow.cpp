// The help window over the shipped HTML pages.
#include "ui/HelpWindow.h"

#include "platform/ProgramFolders.h"
#include "ui/RichText.h"

#include <QApplication>
#include <QEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

namespace ui {

namespace {

// Message codes without a page of their own are explained on the page of their group.
struct cHelpGroup {
    int First;
    int Last;
    int Page;
};

constexpr cHelpGroup kHelpGroups[] = {
    {30001, 30099, 30000}, // checking names typed into the dialogs
    {30100, 30199, 30100}, // messages of a run
    {30200, 30399, 30200}, // zip, FTP and verify
    {30900, 30999, 30900}, // batch files
};

QPointer<THelpWnd>& TheHelpWindow() {
    static QPointer<THelpWnd> window;
    return window;
}

QString HelpFolder() {
    return QString::fromStdString(platform::ShippedFolder()) + QStringLiteral("help/");
}

QString PageName(int context) {
    return QString::number(context) + QStringLiteral(".html");
}

} // namespace

std::vector<QString> HelpPageCandidates(int context) {
    std::vector<QString> pages;
    if (context > 0 && context != kHelpContents) {
        pages.push_back(PageName(context));
        for (const cHelpGroup& group : kHelpGroups)
            if (context >= group.First && context <= group.Last)
                pages.push_back(PageName(group.Page) + QStringLiteral("#c") + QString::number(context));
    }
    pages.push_back(PageName(kHelpContents));
    return pages;
}

THelpWnd::THelpWnd(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("HelpWnd"));
    setAttribute(Qt::WA_QuitOnClose, false);
    resize(720, 560);

    m_back = new QPushButton(QStringLiteral("Zurück"), this);
    m_back->setObjectName(QStringLiteral("BackBtn"));
    m_forward = new QPushButton(QStringLiteral("Vorwärts"), this);
    m_forward->setObjectName(QStringLiteral("ForwardBtn"));
    auto* contents = new QPushButton(QStringLiteral("Inhalt"), this);
    contents->setObjectName(QStringLiteral("ContentsBtn"));

    m_browser = new cRichTextBrowser(this);
    m_browser->setObjectName(QStringLiteral("HelpBrowser"));
    m_browser->setOpenExternalLinks(true);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_back);
    buttons->addWidget(m_forward);
    buttons->addWidget(contents);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(m_browser, 1);

    m_back->setEnabled(false);
    m_forward->setEnabled(false);
    connect(m_back, &QPushButton::clicked, m_browser, &QTextBrowser::backward);
    connect(m_forward, &QPushButton::clicked, m_browser, &QTextBrowser::forward);
    connect(contents, &QPushButton::clicked, this, [this] { ShowTopic(kHelpContents); });
    connect(m_browser, &QTextBrowser::backwardAvailable, m_back, &QWidget::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, m_forward, &QWidget::setEnabled);
    connect(m_browser, &QTextBrowser::sourceChanged, this, &THelpWnd::UpdateCaption);
    auto* close = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(close, &QShortcut::activated, this, &QWidget::close);
    UpdateCaption();
}

void THelpWnd::ShowTopic(int context) {
    const QString folder = HelpFolder();
    for (const QString& page : HelpPageCandidates(context)) {
        const QString name = page.section(u'#', 0, 0);
        if (!QFileInfo(folder + name).isFile()) continue;
        QUrl url = QUrl::fromLocalFile(folder + name);
        if (page.contains(u'#')) url.setFragment(page.section(u'#', 1));
        m_browser->setSource(url);
        return;
    }
    m_browser->setHtml(
        QStringLiteral("<p>Die Hilfe ist nicht installiert: der Ordner %1 fehlt.</p>").arg(folder.toHtmlEscaped()));
    UpdateCaption();
}

QUrl THelpWnd::Page() const {
    return m_browser->source();
}

void THelpWnd::FollowModalDialog() {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == this) modal = nullptr;
    if (modal != m_owner || parentWidget() != modal) MoveUnder(modal);
}

void THelpWnd::MoveUnder(QWidget* owner) {
    if (m_owner) m_owner->removeEventFilter(this);
    m_owner = owner;
    if (owner) owner->installEventFilter(this);
    if (parentWidget() == owner) return;
    const QRect place = geometry();
    const bool visible = isVisible();
    setParent(owner, Qt::Window);
    setGeometry(place);
    if (visible) show();
}

bool THelpWnd::eventFilter(QObject* watched, QEvent* event) {
    // A closing dialog takes its child windows with it: the help window moves on before that happens.
    if (watched == m_owner && event->type() == QEvent::Hide) {
        QWidget* next = QApplication::activeModalWidget();
        MoveUnder(next == m_owner ? nullptr : next);
    }
    return QWidget::eventFilter(watched, event);
}

void THelpWnd::UpdateCaption() {
    const QString title = m_browser->documentTitle();
    setWindowTitle(title.isEmpty() ? QStringLiteral("Tolvan 6 Hilfe") : title + QStringLiteral(" - Tolvan 6 Hilfe"));
}

void ShowHelp(QWidget* /*parent*/, int context) {
    QPointer<THelpWnd>& window = TheHelpWindow();
    if (!window) {
        window = new THelpWnd;
        window->setAttribute(Qt::WA_DeleteOnClose);
    }
    window->FollowModalDialog();
    window->ShowTopic(context);
    window->show();
    window->raise();
    window->activateWindow();
}

THelpWnd* OpenHelpWindow() {
    return TheHelpWindow().data();
}

} // namespace ui
