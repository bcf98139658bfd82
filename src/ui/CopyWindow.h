// The progress window of a copy phase (TCopyWnd): the file being copied from where to where, a bar over the
// bytes of the phase, the transfer rate, the elapsed and the remaining time, and the buttons that interrupt
// the copy ("Unterbrechung", also Esc) or stop the run ("Abbrechen").
#pragma once

#include "engine/ProgressModel.h"
#include "messages/UserInterface.h"
#include "ui/FileSideLabels.h"

#include <QDialog>

#include <cstdint>
#include <string>

class QLabel;
class QPushButton;
class QTimer;
class cParameters;

namespace ui {

class cCopyBar;

class TCopyWnd : public QDialog {
    Q_OBJECT

public:
    // A window for a phase that copies bytesToCopy bytes; its clock starts now. params gives the caption.
    TCopyWnd(const cParameters& params, std::int64_t bytesToCopy, QWidget* parent = nullptr);

    // The file whose copy starts: both sides (Code is not used). Enables "Unterbrechung" again and gives it
    // the focus.
    void ShowFile(const cInterruptionInfo& sides);
    // deltaBytes more were copied; fileBytes of the current file so far. A fileName (native) other than the
    // one shown replaces the "from" side, for copies that announce no file.
    void ReportProgress(std::int64_t deltaBytes, std::int64_t fileBytes, const std::string& fileName);
    // Stops the clock while a message or the interruption dialog is shown, and starts it again.
    void SetPaused(bool paused);
    bool Paused() const { return m_model.Paused(); }

    const cProgressModel& Model() const { return m_model; }

signals:
    void InterruptPressed();
    void AbortPressed();

public slots:
    // Once a second: adds the time since the last tick unless paused and shows the figures.
    void Tick();
    // Esc (and the close button) interrupt the copy, as "Unterbrechung" does.
    void reject() override;

private:
    void Interrupt();
    void ShowFigures();

    cProgressModel m_model;
    cFileSideLabels m_from;
    cFileSideLabels m_to;
    std::string m_fromPath;
    cCopyBar* m_bar;
    QPushButton* m_interrupt;
    QPushButton* m_abort;
    QLabel* m_rate;
    QLabel* m_elapsed;
    QLabel* m_remaining;
    QTimer* m_clock;
};

} // namespace ui
