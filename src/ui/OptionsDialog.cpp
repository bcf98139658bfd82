#include "ui/OptionsDialog.h"

#include "profile/Parameters.h"
#include "profile/SettingsGroups.h"
#include "ui/DialogParts.h"
#include "ui/OptionsPages.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace ui {

namespace {

constexpr int kOptionsHelp = 4240;

} // namespace

TOptionsDlg::TOptionsDlg(cParameters& params, bool automationPage, QWidget* parent)
    : QDialog(parent), m_params(params) {
    setObjectName(QStringLiteral("OptionsDlg"));
    setWindowTitle(QStringLiteral("Optionen"));

    m_pageList = new QListWidget(this);
    m_pageList->setObjectName(QStringLiteral("PagesLst"));
    m_pageList->setSpacing(2);
    m_stack = new QStackedWidget(this);
    m_stack->setObjectName(QStringLiteral("PagesStk"));
    BuildPages(params);
    int widest = 0;
    for (int i = 0; i < m_pageList->count(); ++i)
        widest = qMax(widest, m_pageList->fontMetrics().horizontalAdvance(m_pageList->item(i)->text()));
    m_pageList->setFixedWidth(widest + m_pageList->fontMetrics().height() * 2);
    connect(m_pageList, &QListWidget::currentRowChanged, m_stack, &QStackedWidget::setCurrentIndex);

    int first = params.OptionsPage >= 0 && params.OptionsPage < m_pageList->count() ? params.OptionsPage : 0;
    m_pageList->setCurrentRow(first);
    if (automationPage) ShowPage(QStringLiteral("AutomationPage"));

    // The stack is as big as its biggest page, so switching pages does not resize the window.
    int width = 0;
    int height = 0;
    for (const cOptionsPage* page : m_pages) {
        width = qMax(width, page->sizeHint().width());
        height = qMax(height, page->sizeHint().height());
    }
    m_stack->setMinimumWidth(width + m_stack->fontMetrics().height());
    m_stack->setMinimumHeight(qMin(height, 640));

    auto* body = new QHBoxLayout;
    body->addWidget(m_pageList);
    body->addWidget(m_stack, 1);
    // The defaults for new profiles, kept in the settings file.
    QPushButton* read = NamedButton("ReadDefaultsBtn", QStringLiteral("Standard lesen"), this);
    read->setToolTip(QStringLiteral("Zeigt die Voreinstellungen für neue Profile; das Profil behält seine "
                                    "Optionen, bis Sie OK wählen."));
    connect(read, &QPushButton::clicked, this, &TOptionsDlg::ReadDefaults);
    QPushButton* write = NamedButton("WriteDefaultsBtn", QStringLiteral("Als Standard speichern"), this);
    write->setToolTip(QStringLiteral("Speichert die gezeigten Optionen als Voreinstellungen für neue Profile."));
    connect(write, &QPushButton::clicked, this, [this] { (void)WriteDefaults(); });
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(read);
    bottom->addWidget(write);
    bottom->addStretch(1);
    bottom->addWidget(OkCancelHelp(this, kOptionsHelp));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body, 1);
    layout->addLayout(bottom);

    if (!params.Programm.Tooltips)
        for (QWidget* child : findChildren<QWidget*>())
            child->setToolTip({});
}

bool TOptionsDlg::ShowPage(const QString& name) {
    for (std::size_t i = 0; i < m_pages.size(); ++i)
        if (m_pages[i]->objectName() == name) {
            m_pageList->setCurrentRow(static_cast<int>(i));
            return true;
        }
    return false;
}

void TOptionsDlg::BuildPages(const cParameters& source) {
    const int shown = m_pageList->currentRow();
    for (cOptionsPage* page : m_pages)
        page->deleteLater();
    m_pages.clear();
    while (m_stack->count() > 0) {
        QWidget* scroll = m_stack->widget(0);
        m_stack->removeWidget(scroll);
        scroll->deleteLater();
    }
    const QSignalBlocker blocker(m_pageList);
    m_pageList->clear();
    for (auto make : {MakeScopePage, MakeFilterPage, MakeClocksPage, MakeDirectoriesPage, MakeCopyPage, MakeChecksPage,
                      MakeWarningsPage, MakeEventsPage, MakeAutomationPage, MakeCommandsPage, MakeZipPage, MakeFtpPage,
                      MakeOtherPage}) {
        cOptionsPage* page = make(source, m_stack);
        m_pages.push_back(page);
        // A page taller than the screen scrolls instead of squeezing its fields.
        auto* scroll = new QScrollArea(m_stack);
        scroll->setWidget(page);
        scroll->setWidgetResizable(true);
        scroll->setFrameShape(QFrame::NoFrame);
        m_stack->addWidget(scroll);
        m_pageList->addItem(page->Title());
    }
    if (shown >= 0) {
        m_pageList->setCurrentRow(shown);
        m_stack->setCurrentIndex(shown);
    }
    if (!m_params.Programm.Tooltips)
        for (QWidget* child : m_stack->findChildren<QWidget*>())
            child->setToolTip({});
}

bool TOptionsDlg::CheckPages() {
    // Every page says what it refuses; the first such page is shown.
    int firstProblem = -1;
    for (std::size_t i = 0; i < m_pages.size(); ++i)
        if (!m_pages[i]->Check() && firstProblem < 0) firstProblem = static_cast<int>(i);
    if (firstProblem >= 0) m_pageList->setCurrentRow(firstProblem);
    return firstProblem < 0;
}

void TOptionsDlg::ReadDefaults() {
    cParameters defaults = m_params;
    defaults.ReadSettings(kOptionsGroup);
    BuildPages(defaults);
}

bool TOptionsDlg::WriteDefaults() {
    if (!CheckPages()) return false;
    cParameters defaults = m_params;
    for (const cOptionsPage* page : m_pages)
        page->Store(defaults);
    defaults.WriteSettings(kOptionsGroup);
    return true;
}

void TOptionsDlg::accept() {
    if (!CheckPages()) return;
    for (const cOptionsPage* page : m_pages)
        page->Store(m_params);
    m_params.OptionsPage = m_pageList->currentRow();
    QDialog::accept();
}

bool EditOptions(QWidget* parent, cParameters& params, bool automationPage) {
    TOptionsDlg dialog(params, automationPage, parent);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace ui
