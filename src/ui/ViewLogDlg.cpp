#include "ui/ViewLogDlg.h"

#include "messages/ErrorText.h"
#include "platform/AtomicFile.h"
#include "platform/Clock.h"
#include "platform/ErrorCodes.h"
#include "platform/FileInfo.h"
#include "platform/GermanFormat.h"
#include "platform/Text.h"
#include "profile/Parameters.h"
#include "ui/HelpWindow.h"
#include "ui/LogText.h"
#include "ui/MessageDialog.h"
#include "ui/PrintLog.h"
#include "ui/TimedBox.h"
#include "ui/WindowPlacement.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace ui {

namespace {

constexpr auto kPlace = static_cast<std::size_t>(eWindowPlace::ViewLog);
constexpr int kLogHelp = 4130;
constexpr auto kFilters = "Text-Dateien (*.txt);;Log-Dateien (*.log);;Alle Dateien (*)";

// Font style bits of the settings: 1 bold, 2 italic, 4 underline, 8 strike-out.
QFont ViewerFont(const cParameters& params) {
    QFont font(QString::fromStdString(params.ViewLogFontName));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    if (params.ViewLogFontSize > 0) font.setPointSize(params.ViewLogFontSize);
    font.setBold(params.ViewLogFontStyle & 1);
    font.setItalic(params.ViewLogFontStyle & 2);
    font.setUnderline(params.ViewLogFontStyle & 4);
    font.setStrikeOut(params.ViewLogFontStyle & 8);
    return font;
}

void StoreFont(const QFont& font, cParameters& params) {
    params.ViewLogFontName = font.family().toStdString();
    params.ViewLogFontSize = font.pointSize() > 0 ? font.pointSize() : params.ViewLogFontSize;
    params.ViewLogFontStyle = static_cast<std::uint8_t>((font.bold() ? 1 : 0) | (font.italic() ? 2 : 0) |
                                                        (font.underline() ? 4 : 0) | (font.strikeOut() ? 8 : 0));
}

QPushButton* Button(const QString& caption, const char* name, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}

} // namespace

TViewLogDlg::TViewLogDlg(cParameters& params, QWidget* parent) : QDialog(parent), m_params(params) {
    setObjectName(QStringLiteral("ViewLogDlg"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Log ansehen"));
    setSizeGripEnabled(true);
    setMinimumSize(620, 460);

    m_text = new QPlainTextEdit(this);
    m_text->setObjectName(QStringLiteral("LogMmo"));
    m_text->setReadOnly(true);
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_text->setUndoRedoEnabled(false);
    m_text->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_text->setFont(ViewerFont(params));

    auto* findLabel = new QLabel(QStringLiteral("S&uchen:"), this);
    m_find = new QLineEdit(this);
    m_find->setObjectName(QStringLiteral("FindEdt"));
    m_find->setClearButtonEnabled(true);
    m_find->installEventFilter(this);
    findLabel->setBuddy(m_find);
    QPushButton* findButton = Button(QStringLiteral("&Weitersuchen"), "FindBtn", this);
    connect(findButton, &QPushButton::clicked, this, [this] { FindNext(); });
    connect(m_find, &QLineEdit::textChanged, this, [this] { m_find->setPalette(QPalette()); });

    QPushButton* fontButton = Button(QStringLiteral("Schrift&art..."), "FontBtn", this);
    QPushButton* readButton = Button(QStringLiteral("&Lesen..."), "ReadBtn", this);
    QPushButton* writeButton = Button(QStringLiteral("S&chreiben..."), "WriteBtn", this);
    QPushButton* printButton = Button(QStringLiteral("&Drucken..."), "PrintBtn", this);
    QPushButton* closeButton = Button(QStringLiteral("Schließen"), "CloseBtn", this);
    QPushButton* helpButton = Button(QStringLiteral("&Hilfe"), "HelpBtn", this);
    connect(fontButton, &QPushButton::clicked, this, &TViewLogDlg::ChooseFont);
    connect(readButton, &QPushButton::clicked, this, &TViewLogDlg::ReadOtherFile);
    connect(writeButton, &QPushButton::clicked, this, &TViewLogDlg::WriteCopy);
    connect(printButton, &QPushButton::clicked, this, &TViewLogDlg::Print);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(helpButton, &QPushButton::clicked, this, [this] { ShowHelp(this, kLogHelp); });

    auto* findRow = new QHBoxLayout;
    findRow->addWidget(findLabel);
    findRow->addWidget(m_find, 1);
    findRow->addWidget(findButton);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(fontButton);
    buttons->addWidget(readButton);
    buttons->addWidget(writeButton);
    buttons->addWidget(printButton);
    buttons->addStretch();
    buttons->addWidget(closeButton);
    buttons->addWidget(helpButton);
    auto* column = new QVBoxLayout(this);
    column->addWidget(m_text, 1);
    column->addLayout(findRow);
    column->addLayout(buttons);

    resize(800, 600);
    RestorePlacement(*this, params.WindowPositions[kPlace], true);
}

bool TViewLogDlg::LoadFile(const std::string& nativePath) {
    cLogText log = ReadLogText(nativePath);
    if (log.Error != 0) {
        ShowTimedBox(isVisible() ? this : parentWidget(), QStringLiteral("Tolvan 6"),
                     QStringLiteral("Fehler beim Lesen von..."), QString::fromStdString(nativePath),
                     QString::fromStdString(ErrorText(log.Error)));
        return false;
    }
    m_text->setPlainText(log.Text);
    log.Text.clear();
    m_text->moveCursor(QTextCursor::End);
    m_text->verticalScrollBar()->setValue(m_text->verticalScrollBar()->maximum());
    m_file = nativePath;
    UpdateCaption(log.Version);
    return true;
}

bool TViewLogDlg::FindNext() {
    const QString wanted = m_find->text();
    if (wanted.isEmpty()) return false;
    bool found = m_text->find(wanted);
    if (!found) {
        const QTextCursor before = m_text->textCursor();
        m_text->moveCursor(QTextCursor::Start);
        found = m_text->find(wanted);
        if (!found) m_text->setTextCursor(before);
    }
    QPalette colors;
    if (!found) colors.setColor(QPalette::Text, Qt::red);
    m_find->setPalette(colors);
    return found;
}

void TViewLogDlg::done(int result) {
    StoreSettings();
    QDialog::done(result);
}

void TViewLogDlg::keyPressEvent(QKeyEvent* event) {
    // Enter closes like Esc (no button is the default: Enter in the search field searches).
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool TViewLogDlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_find && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            FindNext();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TViewLogDlg::ChooseFont() {
    bool chosen = false;
    const QFont font = QFontDialog::getFont(&chosen, m_text->font(), this, QStringLiteral("Schriftart"));
    if (chosen) m_text->setFont(font);
}

void TViewLogDlg::ReadOtherFile() {
    const QString folder = QFileInfo(QString::fromStdString(m_file)).absolutePath();
    const QString chosen =
        QFileDialog::getOpenFileName(this, QStringLiteral("Log lesen"), folder, QString::fromLatin1(kFilters));
    if (!chosen.isEmpty()) LoadFile(chosen.toStdString());
}

void TViewLogDlg::Print() {
    if (QPrinterInfo::availablePrinterNames().isEmpty()) {
        ShowMessageDialog(this, QStringLiteral("Tolvan 6"), 0, eMessageKind::Error, eMessageButtons::Ok,
                          QStringLiteral("Kein Drucker installiert."));
        return;
    }
    QPrinter printer;
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted) return;
    if (!PrintText(printer, m_text->toPlainText(), m_text->font(), QStringLiteral("Tolvan 6")))
        ShowTimedBox(this, QStringLiteral("Tolvan 6"), QStringLiteral("Fehler beim Drucken..."), printer.printerName(),
                     QString::fromStdString(ErrorText(platform::kNotReady)));
}

void TViewLogDlg::WriteCopy() {
    QFileDialog dialog(this, QStringLiteral("Log schreiben"), QString::fromStdString(m_file),
                       QString::fromLatin1(kFilters));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    const std::string path = dialog.selectedFiles().first().toStdString();
    // The program's text files: CR LF, Windows-1252 where the text allows.
    QString text = m_text->toPlainText();
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    const int error = platform::WriteFileAtomically(platform::WriteTargetOf(path),
                                                    platform::EncodeFileText(text.toStdString()), 0644);
    if (error != 0) {
        ShowTimedBox(this, QStringLiteral("Tolvan 6"), QStringLiteral("Fehler beim Schreiben von..."),
                     QString::fromStdString(path), QString::fromStdString(ErrorText(error)));
        return;
    }
    m_file = path;
    UpdateCaption(platform::VersionOf(path));
}

void TViewLogDlg::UpdateCaption(const std::optional<platform::FileVersion>& version) {
    const QString path = QString::fromStdString(m_file);
    if (!version) {
        setWindowTitle(QStringLiteral("Datei ") + path + QStringLiteral(" nicht gefunden"));
        return;
    }
    const platform::FileTime written = platform::UtcToLocal(platform::FileTimeFromTimespec(version->modified));
    setWindowTitle(QStringLiteral("Datei: %1   Größe: %2   Erstellt: %3")
                       .arg(path, QString::fromStdString(platform::FormatNumber(double(version->size), 0)),
                            QString::fromStdString(platform::FormatDateTime("ddddd t", written))));
}

void TViewLogDlg::StoreSettings() {
    StoreFont(m_text->font(), m_params);
    m_params.WindowPositions[kPlace] = PlacementOf(*this);
    m_params.WriteSettings(kFirstWindowPosGroup + int(kPlace));
}

} // namespace ui
