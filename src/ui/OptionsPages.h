// The pages of a profile's options dialog (TOptionsDlg): each page shows its share of the option fields, says
// beside a field why a value cannot be taken, and stores its fields on OK.
#pragma once

#include <QString>
#include <QWidget>

#include <utility>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class cParameters;

namespace ui {

class cOptionsPage : public QWidget {
public:
    cOptionsPage(const char* name, QString title, QWidget* parent);

    const QString& Title() const { return m_title; }
    // Whether every field holds a value the page can store; shows the reasons beside the fields.
    virtual bool Check() { return true; }
    // Stores the page's fields. Called only after every page's Check passed.
    virtual void Store(cParameters& params) const = 0;

private:
    QString m_title;
};

// A whole number typed into a field, with the range it must lie in and a line below that says why not. Owned
// by parent, like its two widgets.
class cNumberField : public QObject {
public:
    cNumberField(const char* name, int value, int low, int high, QWidget* parent, int step = 1);

    QLineEdit* Edit() const { return m_edit; }
    QLabel* Problem() const { return m_problem; }
    // Shows the reason when the text is no number in the range (or off the step); true when it is one.
    bool Check();
    int Value() const;
    // The typed number when it is one in the range, else fallback: a field that is not in use now does not stop
    // OK, and what it cannot hold keeps the value it had.
    int ValueOr(int fallback) const;

private:
    QLineEdit* m_edit;
    QLabel* m_problem;
    int m_low;
    int m_high;
    int m_step;
};

// A drop-down list of (text, code). A code that the list does not offer (a damaged or newer file) is shown as
// "Unbekannt (code)" and stored back unchanged unless the user picks another entry.
QComboBox* CodeCombo(const char* name, const std::vector<std::pair<QString, int>>& choices, int code, QWidget* parent);
int ComboCode(const QComboBox* combo);

// A label for a field, with the field as buddy so that its accelerator reaches it.
QLabel* BuddyLabel(const QString& text, QWidget* buddy, QWidget* parent);
// A label that wraps, for explanations on a page.
QLabel* NoteLabel(const QString& text, QWidget* parent);

// The pages in the order the dialog lists them.
cOptionsPage* MakeScopePage(const cParameters& params, QWidget* parent);       // "Bereich": touch mode, orphans
cOptionsPage* MakeFilterPage(const cParameters& params, QWidget* parent);      // "Filter": age, attributes
cOptionsPage* MakeClocksPage(const cParameters& params, QWidget* parent);      // "Uhren": time tolerance
cOptionsPage* MakeDirectoriesPage(const cParameters& params, QWidget* parent); // "Verzeichnisse"
cOptionsPage* MakeCopyPage(const cParameters& params, QWidget* parent);        // "Kopieren"
cOptionsPage* MakeChecksPage(const cParameters& params, QWidget* parent);      // "Kontrollen"
cOptionsPage* MakeWarningsPage(const cParameters& params, QWidget* parent);    // "Warnungen"
cOptionsPage* MakeEventsPage(const cParameters& params, QWidget* parent);      // "Ereignisse"
cOptionsPage* MakeAutomationPage(const cParameters& params, QWidget* parent);  // "Automatik"
cOptionsPage* MakeCommandsPage(const cParameters& params, QWidget* parent);    // "Vorher & nachher"
cOptionsPage* MakeZipPage(const cParameters& params, QWidget* parent);         // "Zip"
cOptionsPage* MakeFtpPage(const cParameters& params, QWidget* parent);         // "FTP"
cOptionsPage* MakeOtherPage(const cParameters& params, QWidget* parent);       // "Verschiedenes"

} // namespace ui
