#include "ui/ViewWindow.h"

#include "profile/Description.h"
#include "profile/Parameters.h"
#include "ui/WindowPlacement.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace ui {

namespace {

constexpr auto kPlace = static_cast<std::size_t>(eWindowPlace::ViewWindow);

void AddNodes(QTreeWidgetItem* parent, const std::vector<cDescriptionNode>& nodes, QTreeWidget* tree) {
    for (const cDescriptionNode& node : nodes) {
        auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(tree);
        item->setText(0, QString::fromStdString(node.Text));
        if (node.Style != DescriptionStyle::Normal) {
            QFont font = tree->font();
            font.setBold(node.Style == DescriptionStyle::Bold);
            font.setUnderline(node.Style == DescriptionStyle::Underlined);
            item->setFont(0, font);
        }
        AddNodes(item, node.Children, tree);
    }
}

} // namespace

TViewWnd::TViewWnd(const cParameters& params, QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("ViewWnd"));
    m_tree = new QTreeWidget(this);
    m_tree->setObjectName(QStringLiteral("DescriptionTree"));
    m_tree->setHeaderHidden(true);
    m_tree->setColumnCount(1);
    m_tree->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_tree->header()->setStretchLastSection(false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_tree);
    resize(480, 560);
    RestorePlacement(*this, params.WindowPositions[kPlace], true);
    Refresh(params);
}

TViewWnd::TViewWnd(cParameters& params, QWidget* parent) : TViewWnd(std::as_const(params), parent) {
    m_placeOwner = &params;
}

TViewWnd::~TViewWnd() {
    if (isVisible()) StorePlacement();
}

void TViewWnd::Refresh(const cParameters& params) {
    setWindowTitle(QString::fromStdString(params.DocumentFile));
    m_tree->setUpdatesEnabled(false);
    m_tree->clear();
    const std::vector<cDescriptionNode> nodes = DescribeDocument(params);
    AddNodes(nullptr, nodes, m_tree);
    for (int i = 0; i < m_tree->topLevelItemCount(); ++i)
        if (nodes[std::size_t(i)].Expanded) m_tree->expandRecursively(m_tree->model()->index(i, 0));
    m_tree->setUpdatesEnabled(true);
}

void TViewWnd::closeEvent(QCloseEvent* event) {
    StorePlacement();
    QWidget::closeEvent(event);
}

void TViewWnd::StorePlacement() {
    if (!m_placeOwner) return;
    m_placeOwner->WindowPositions[kPlace] = PlacementOf(*this);
    m_placeOwner->WriteSettings(kFirstWindowPosGroup + int(kPlace));
}

} // namespace ui
