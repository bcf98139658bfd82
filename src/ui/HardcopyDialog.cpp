#include "ui/HardcopyDialog.h"

#include "ui/DialogParts.h"
#include "ui/HelpWindow.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace ui {

namespace {

constexpr int kHardcopyHelp = 4920;

} // namespace

THardcopyDlg::THardcopyDlg(const cPreviewList& list, QString title, QWidget* parent)
    : QDialog(parent), m_list(list), m_title(std::move(title)), m_printer(std::make_unique<QPrinter>()) {
    setObjectName(QStringLiteral("HardcopyDlg"));
    setWindowTitle(QStringLiteral("Drucken"));
    m_printer->setDocName(m_title);
    auto* lines = new QGroupBox(QStringLiteral("Was drucken?"), this);
    m_visible =
        NamedRadio("VisibleRbt", QStringLiteral("Nur die &sichtbaren Zeilen (Filter und geschlossene Ordner gelten)"),
                   true, lines);
    m_all = NamedRadio("AllRbt", QStringLiteral("&Alle Zeilen des Laufs"), false, lines);
    m_folders = NamedCheck("FoldersChk", QStringLiteral("&Ordnerzeilen mitdrucken"), true, lines);
    auto* column = new QVBoxLayout(lines);
    column->addWidget(m_visible);
    column->addWidget(m_all);
    column->addWidget(m_folders);

    QPushButton* setup = NamedButton("PageSetupBtn", QStringLiteral("Seite &einrichten..."), this);
    QPushButton* preview = NamedButton("PreviewBtn", QStringLiteral("&Vorschau..."), this);
    QPushButton* print = NamedButton("PrintBtn", QStringLiteral("&Drucken..."), this);
    print->setDefault(true);
    connect(setup, &QPushButton::clicked, this, &THardcopyDlg::SetUpPage);
    connect(preview, &QPushButton::clicked, this, &THardcopyDlg::Preview);
    connect(print, &QPushButton::clicked, this, &THardcopyDlg::Print);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(setup, QDialogButtonBox::ActionRole);
    buttons->addButton(preview, QDialogButtonBox::ActionRole);
    buttons->addButton(print, QDialogButtonBox::AcceptRole);
    QPushButton* close = buttons->addButton(QStringLiteral("Schließen"), QDialogButtonBox::RejectRole);
    close->setObjectName(QStringLiteral("CloseBtn"));
    QPushButton* help = buttons->addButton(QStringLiteral("&Hilfe"), QDialogButtonBox::HelpRole);
    help->setObjectName(QStringLiteral("HelpBtn"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons, &QDialogButtonBox::helpRequested, this, [this] { ShowHelp(this, kHardcopyHelp); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lines);
    layout->addWidget(buttons);
}

THardcopyDlg::~THardcopyDlg() = default;

cPrintChoice THardcopyDlg::Choice() const {
    return {m_visible->isChecked(), m_folders->isChecked()};
}

bool THardcopyDlg::PrintNow() {
    return PrintLayout(*m_printer, PrintLines(m_list, Choice()), m_title);
}

void THardcopyDlg::SetUpPage() {
    QPageSetupDialog dialog(m_printer.get(), this);
    dialog.exec();
}

void THardcopyDlg::Preview() {
    QPrintPreviewDialog dialog(m_printer.get(), this);
    dialog.setObjectName(QStringLiteral("PrintPreviewDlg"));
    dialog.setWindowTitle(QStringLiteral("Druckvorschau"));
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter*) { (void)PrintNow(); });
    dialog.exec();
}

void THardcopyDlg::Print() {
    // Qt's dialog offers the system's printers and printing into a PDF file, which needs no printer.
    QPrintDialog dialog(m_printer.get(), this);
    if (dialog.exec() != QDialog::Accepted) return;
    if (PrintNow()) accept();
}

} // namespace ui
