// "Drucken" of the preview list (THardcopyDlg): which lines, the page set-up, a print preview, and printing on
// a printer of the system or into a PDF file.
#pragma once

#include "ui/PreviewPrint.h"

#include <QDialog>

#include <memory>

class QCheckBox;
class QPrinter;
class QRadioButton;
class cPreviewList;

namespace ui {

class THardcopyDlg : public QDialog {
public:
    // title: the profile's name and the date, printed at the head of every page.
    THardcopyDlg(const cPreviewList& list, QString title, QWidget* parent);
    ~THardcopyDlg() override;

    cPrintChoice Choice() const;
    QPrinter& Printer() { return *m_printer; }
    // Prints the chosen lines on Printer() as it is set up; false when it cannot be opened.
    bool PrintNow();

private:
    void SetUpPage();
    void Preview();
    void Print();

    const cPreviewList& m_list;
    QString m_title;
    std::unique_ptr<QPrinter> m_printer;
    QRadioButton* m_visible = nullptr;
    QRadioButton* m_all = nullptr;
    QCheckBox* m_folders = nullptr;
};

} // namespace ui
