#include "ui/LogPrinterDialog.h"

#include "profile/LogParameters.h"
#include "ui/DialogParts.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPrinterInfo>
#include <QPushButton>
#include <QVBoxLayout>

namespace ui {

namespace {

constexpr int kLogHelp = 4130;

} // namespace

TLogPrinterDlg::TLogPrinterDlg(cLogParameters& log, const QStringList& printers, QWidget* parent)
    : QDialog(parent), m_log(log),
      m_font(QString::fromStdString(log.PrintFontName), log.PrintFontSize > 0 ? log.PrintFontSize : 9) {
    setObjectName(QStringLiteral("LogPrinterDlg"));
    setWindowTitle(QStringLiteral("Log: Drucker"));
    m_printer = new QComboBox(this);
    m_printer->setObjectName(QStringLiteral("PrinterCmb"));
    m_printer->addItems(printers);
    const int stored = m_printer->findText(QString::fromStdString(log.PrinterName));
    m_printer->setCurrentIndex(stored >= 0 ? stored : 0);
    if (printers.isEmpty()) {
        m_printer->addItem(QStringLiteral("(kein Drucker installiert)"));
        m_printer->setEnabled(false);
    }
    auto* printerLabel = new QLabel(QStringLiteral("&Drucker:"), this);
    printerLabel->setBuddy(m_printer);

    m_fontName = new QLabel(this);
    m_fontName->setObjectName(QStringLiteral("FontLbl"));
    QPushButton* font = NamedButton("FontBtn", QStringLiteral("Schrift&art..."), this);
    connect(font, &QPushButton::clicked, this, &TLogPrinterDlg::ChooseFont);
    auto* fontRow = new QHBoxLayout;
    fontRow->addWidget(m_fontName, 1);
    fontRow->addWidget(font);

    auto* form = new QFormLayout;
    form->addRow(printerLabel, m_printer);
    form->addRow(QStringLiteral("Schrift:"), fontRow);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(OkCancelHelp(this, kLogHelp));
    ShowFont();
}

void TLogPrinterDlg::ChooseFont() {
    bool chosen = false;
    const QFont font = QFontDialog::getFont(&chosen, m_font, this, QStringLiteral("Schriftart"));
    if (!chosen) return;
    m_font = font;
    ShowFont();
}

void TLogPrinterDlg::ShowFont() {
    m_fontName->setText(QStringLiteral("%1, %2 pt").arg(m_font.family()).arg(m_font.pointSize()));
}

void TLogPrinterDlg::accept() {
    // Without any printer the stored name stays: the profile may come from a machine that has it.
    if (m_printer->isEnabled()) m_log.PrinterName = m_printer->currentText().toStdString();
    // The family Qt found for the stored name may differ (no "Courier New" here): only a font the user chose
    // is stored.
    const QFont stored(QString::fromStdString(m_log.PrintFontName), m_log.PrintFontSize);
    if (m_font != stored) {
        m_log.PrintFontName = m_font.family().toStdString();
        m_log.PrintFontSize = m_font.pointSize();
    }
    QDialog::accept();
}

bool EditLogPrinter(QWidget* parent, cLogParameters& log) {
    TLogPrinterDlg dialog(log, QPrinterInfo::availablePrinterNames(), parent);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace ui
