#include "ui/CheckDialog.h"

#include "engine/CheckDialogs.h"
#include "ui/RunCaption.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace ui {

namespace {

// The drop-down's entries in the order of the default action codes 0..4.
const char* const kActions[] = {"Neuere Version behalten", "Vorwärts", "Überspringen", "Rückwärts", "Keine"};

QLabel* TextLabel(const QString& text) {
    auto* label = new QLabel(text);
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    return label;
}

} // namespace

TCheckDlg::TCheckDlg(const cParameters& params, cCheckDialogModel& model, QWidget* parent)
    : QDialog(parent), m_model(model), m_action(new QComboBox),
      m_preview(new QCheckBox(QStringLiteral("Vorschau zeigen"))),
      m_filter(new QCheckBox(QStringLiteral("Filter setzen"))) {
    setObjectName(model.Kind == eCheckDialog::DoubleModifications ? QStringLiteral("DoubleModsDlg")
                                                                  : QStringLiteral("SizesDlg"));
    setWindowTitle(RunCaption(params));

    QLabel* heading = TextLabel(QString::fromStdString(model.Heading));
    heading->setObjectName(QStringLiteral("HeadingLbl"));
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);

    auto* files = new QListWidget;
    files->setObjectName(QStringLiteral("FileList"));
    // The files are relative to the source root, in the program's internal form: shown with "/" as every path.
    for (const std::string& file : model.Files)
        files->addItem(QString::fromStdString(file).replace(QLatin1Char('\\'), QLatin1Char('/')));

    m_action->setObjectName(QStringLiteral("DefaultActionBox"));
    for (const char* action : kActions)
        m_action->addItem(QString::fromUtf8(action));
    m_action->setCurrentIndex(model.DefaultAction >= 0 && model.DefaultAction < m_action->count() ? model.DefaultAction
                                                                                                  : kDefaultNone);
    auto* actionRow = new QFormLayout;
    actionRow->addRow(QStringLiteral("Vorgegebene Aktion:"), m_action);

    m_preview->setObjectName(QStringLiteral("PreviewChk"));
    m_preview->setChecked(model.ShowPreview);
    m_filter->setObjectName(QStringLiteral("FilterChk"));
    m_filter->setChecked(model.FilterEnabled() && model.SetFilter);
    m_filter->setEnabled(model.FilterEnabled());
    connect(m_preview, &QCheckBox::toggled, this, [this](bool checked) {
        m_filter->setEnabled(checked);
        if (!checked) m_filter->setChecked(false);
    });

    auto* options = new QGridLayout;
    options->addWidget(m_preview, 0, 0, Qt::AlignTop);
    options->addWidget(TextLabel(QStringLiteral(
                           "In der Vorschau können Sie diese Dateien über das Menü der rechten Maustaste öffnen und "
                           "vergleichen.\n\nEntscheiden Sie dann für jede Datei, welche Aktion durchgeführt werden "
                           "soll: vorwärts kopieren, überspringen oder rückwärts kopieren.")),
                       0, 1);
    options->addWidget(m_filter, 1, 0, Qt::AlignTop);
    options->addWidget(TextLabel(QStringLiteral(
                           "Mit einem Filter können Sie die Vorschau auf die betroffenen Dateien eingrenzen, um sie "
                           "schneller zu finden.\n\nIn der Vorschau können Sie diesen Filter jederzeit ab- und "
                           "anschalten.")),
                       1, 1);
    options->setColumnStretch(1, 1);
    options->setVerticalSpacing(options->verticalSpacing() * 2);

    auto* buttons = new QDialogButtonBox;
    QPushButton* ok = buttons->addButton(QDialogButtonBox::Ok);
    ok->setObjectName(QStringLiteral("OkBtn"));
    ok->setDefault(true);
    QPushButton* cancel = buttons->addButton(QStringLiteral("Abbruch"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("CancelBtn"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(files, 1);
    layout->addLayout(actionRow);
    layout->addLayout(options);
    layout->addWidget(TextLabel(QStringLiteral("Drücken Sie OK, um fortzufahren. Abbruch beendet diesen Lauf.")));
    layout->addWidget(buttons);
    resize(qMax(560, sizeHint().width()), qMax(480, sizeHint().height()));
}

void TCheckDlg::accept() {
    m_model.DefaultAction = m_action->currentIndex();
    m_model.SetShowPreview(m_preview->isChecked());
    m_model.SetFilter = m_model.FilterEnabled() && m_filter->isChecked();
    QDialog::accept();
}

} // namespace ui
