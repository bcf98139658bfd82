#include "ui/AppsDialog.h"

#include "platform/ProcessList.h"
#include "ui/DialogParts.h"
#include "ui/WindowTitles.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

namespace ui {

namespace {

constexpr int kAppsHelp = 4261;

} // namespace

TAppsDlg::TAppsDlg(const QString& current, QStringList available, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AppsDlg"));
    setWindowTitle(QStringLiteral("Anwendungen"));
    m_selected = NamedEdit("AppEdt", current, this);
    m_available = new QListWidget(this);
    m_available->setObjectName(QStringLiteral("AppsLst"));
    available.removeDuplicates();
    available.sort(Qt::CaseInsensitive);
    m_available->addItems(available);
    m_available->setMinimumSize(fontMetrics().averageCharWidth() * 50, fontMetrics().height() * 14);
    connect(m_available, &QListWidget::itemClicked, this,
            [this](const QListWidgetItem* item) { m_selected->setText(item->text()); });
    auto* availableLabel = new QLabel(QStringLiteral("&Verfügbare Anwendungen:"), this);
    availableLabel->setBuddy(m_available);
    auto* selectedLabel = new QLabel(QStringLiteral("Ausgewählte &Anwendung:"), this);
    selectedLabel->setBuddy(m_selected);
    auto* hint = new QLabel(QStringLiteral("Klicken Sie auf eine Anwendung. Entfernen Sie dann aus Ihrer Auswahl die "
                                           "Teile, die nicht zum Namen der Anwendung gehören."),
                            this);
    hint->setWordWrap(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(availableLabel);
    layout->addWidget(m_available, 1);
    layout->addWidget(hint);
    layout->addWidget(selectedLabel);
    layout->addWidget(m_selected);
    layout->addWidget(OkCancelHelp(this, kAppsHelp));
}

QString TAppsDlg::Selected() const {
    return m_selected->text();
}

QStringList RunningApplications() {
    QStringList names;
    for (const std::string& title : TopLevelWindowTitles(true))
        names.push_back(QString::fromStdString(title));
    for (const platform::RunningProcess& process : platform::RunningProcesses())
        names.push_back(QString::fromStdString(process.Name));
    return names;
}

std::optional<QString> PickApplication(QWidget* parent, const QString& current) {
    TAppsDlg dialog(current, RunningApplications(), parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.Selected();
}

} // namespace ui
