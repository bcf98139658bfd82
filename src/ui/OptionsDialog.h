// The options of a profile (TOptionsDlg): every option field of the profile that the source, destination,
// preview and log dialogs do not show, on pages chosen from a list.
#pragma once

#include <QDialog>

#include <vector>

class QListWidget;
class QStackedWidget;
class cParameters;

namespace ui {

class cOptionsPage;

class TOptionsDlg : public QDialog {
public:
    // Shows params' options; automationPage opens the page "Automatik", else the page shown last (OptionsPage).
    // OK stores every page into params (the caller marks the document modified); Cancel changes nothing.
    TOptionsDlg(cParameters& params, bool automationPage, QWidget* parent);

    // Shows the page with this objectName ("AutomationPage", "ZipPage", ...); false when there is none.
    bool ShowPage(const QString& name);

    // "Lesen": the pages show the defaults for new profiles from the settings file (the profile keeps its
    // options until OK). "Schreiben": the pages' options become those defaults, written to the settings file at
    // once; false (and nothing written) when a page refuses a value.
    void ReadDefaults();
    bool WriteDefaults();

protected:
    void accept() override;

private:
    // (Re)builds the pages from the options of source, keeping the page shown.
    void BuildPages(const cParameters& source);
    bool CheckPages();

    cParameters& m_params;
    QListWidget* m_pageList = nullptr;
    QStackedWidget* m_stack = nullptr;
    std::vector<cOptionsPage*> m_pages;
};

// Shows the dialog modally; true on OK.
bool EditOptions(QWidget* parent, cParameters& params, bool automationPage);

} // namespace ui
