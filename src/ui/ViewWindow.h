// The non-modal view window: the description tree of a profile or batch file.
#pragma once

#include <QWidget>

class QTreeWidget;
class cParameters;

namespace ui {

class TViewWnd : public QWidget {
public:
    // Describes the document of params; the window takes its saved place ("View Window").
    TViewWnd(const cParameters& params, QWidget* parent);
    // The same for the process's settings object, which also receives the window's place when it closes.
    TViewWnd(cParameters& params, QWidget* parent);
    ~TViewWnd() override;

    // Describes the document of params again (the caption too).
    void Refresh(const cParameters& params);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void StorePlacement();

    QTreeWidget* m_tree = nullptr;
    cParameters* m_placeOwner = nullptr; // where the place is stored; none for a const document
};

} // namespace ui
