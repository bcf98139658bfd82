// "Log: Drucker": the printer and the font the log is printed with.
#pragma once

#include <QDialog>
#include <QFont>

class QComboBox;
class QLabel;
struct cLogParameters;

namespace ui {

class TLogPrinterDlg : public QDialog {
public:
    // Edits log (PrinterName, PrintFontName, PrintFontSize) when closed with OK. printers: the system's printer
    // names (the caller asks the system; a test gives its own).
    TLogPrinterDlg(cLogParameters& log, const QStringList& printers, QWidget* parent);

protected:
    void accept() override;

private:
    void ChooseFont();
    void ShowFont();

    cLogParameters& m_log;
    QComboBox* m_printer = nullptr;
    QLabel* m_fontName = nullptr;
    QFont m_font;
};

// Opens the dialog with the system's printers; true on OK.
bool EditLogPrinter(QWidget* parent, cLogParameters& log);

} // namespace ui
