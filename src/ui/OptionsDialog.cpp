#include "ui/OptionsDialog.h"

#include "profile/Parameters.h"
#include "ui/DialogParts.h"
#include "ui/OptionsPages.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QScrollArea>
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
    for (auto make : {MakeScopePage, MakeFilterPage, MakeClocksPage, MakeDirectoriesPage, MakeCopyPage, MakeChecksPage,
                      MakeWarningsPage, MakeEventsPage, MakeAutomationPage, MakeCommandsPage, MakeZipPage, MakeFtpPage,
                      MakeOtherPage}) {
        cOptionsPage* page = make(params, m_stack);
        m_pages.push_back(page);
        // A page taller than the screen scrolls instead of squeezing its fields.
        auto* scroll = new QScrollArea(m_stack);
        scroll->setWidget(page);
        scroll->setWidgetResizable(true);
        scroll->setFrameShape(QFrame::NoFrame);
        m_stack->addWidget(scroll);
        m_pageList->addItem(page->Title());
    }
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
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body, 1);
    layout->addWidget(OkCancelHelp(this, kOptionsHelp));

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

void TOptionsDlg::accept() {
    // Every page says what it refuses; the first such page is shown.
    int firstProblem = -1;
    for (std::size_t i = 0; i < m_pages.size(); ++i)
        if (!m_pages[i]->Check() && firstProblem < 0) firstProblem = static_cast<int>(i);
    if (firstProblem >= 0) {
        m_pageList->setCurrentRow(firstProblem);
        return;
    }
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
