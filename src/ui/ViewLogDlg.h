// The built-in log viewer: the log file's text, read-only, with a search field.
#pragma once

#include "platform/FileInfo.h"

#include <QDialog>

#include <optional>
#include <string>

class QLineEdit;
class QPlainTextEdit;
class cParameters;

namespace ui {

class TViewLogDlg : public QDialog {
public:
    // params gives the viewer font and the saved place ("View Log Dialog") and receives both when the window
    // closes; it must outlive the window.
    TViewLogDlg(cParameters& params, QWidget* parent);

    // Shows the text of the file (scrolled to its end) with its name, size and time in the caption. A file that
    // cannot be read gives the read error's message; then false, and the window keeps what it showed.
    bool LoadFile(const std::string& nativePath);

    // Selects the next occurrence of the search field's text after the cursor, from the start again after the
    // end; false when the text does not occur.
    bool FindNext();

protected:
    void done(int result) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ChooseFont();
    void ReadOtherFile();
    void WriteCopy();
    // The text on a printer the user chooses; without any printer a message says so.
    void Print();
    // "Datei: " + path, size and time of the file shown; "Datei ... nicht gefunden" without a version.
    void UpdateCaption(const std::optional<platform::FileVersion>& version);
    void StoreSettings();

    cParameters& m_params;
    QPlainTextEdit* m_text = nullptr;
    QLineEdit* m_find = nullptr;
    std::string m_file;
};

} // namespace ui
