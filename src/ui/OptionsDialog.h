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

protected:
    void accept() override;

private:
    cParameters& m_params;
    QListWidget* m_pageList = nullptr;
    QStackedWidget* m_stack = nullptr;
    std::vector<cOptionsPage*> m_pages;
};

// Shows the dialog modally; true on OK.
bool EditOptions(QWidget* parent, cParameters& params, bool automationPage);

} // namespace ui
