// The status window of a run (TInfoWnd): the phase that works now, a bar over its items where it counts them,
// and "Abbrechen", which asks the run to stop.
#pragma once

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;
class cParameters;

namespace ui {

class TInfoWnd : public QDialog {
    Q_OBJECT

public:
    // params gives the caption.
    explicit TInfoWnd(const cParameters& params, QWidget* parent = nullptr);

    // A new phase: its text and, when count is above 0, a bar from 0 to count; else no bar.
    void ShowPhase(const QString& text, int count);
    // The items of the phase done so far.
    void Step(int position);

signals:
    // "Abbrechen" was pressed (once; the button then stays disabled).
    void AbortPressed();

public slots:
    // The window belongs to the run: Esc and the close button leave it open.
    void reject() override {}

private:
    QLabel* m_text;
    QProgressBar* m_bar;
    QPushButton* m_abort;
};

} // namespace ui
