// The check dialogs before the preview (TDoubleModsDlg for double modifications, TSizesDlg for size
// differences): the files concerned, the default action for them, whether to show the preview and filter it.
// One class serves both; the model says which one it is.
#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
class cParameters;
struct cCheckDialogModel;

namespace ui {

class TCheckDlg : public QDialog {
    Q_OBJECT

public:
    // Shows model (which must outlive the dialog); OK stores the choices into it, "Abbruch" leaves it as it
    // was and rejects. params gives the caption.
    TCheckDlg(const cParameters& params, cCheckDialogModel& model, QWidget* parent = nullptr);

public slots:
    void accept() override;

private:
    cCheckDialogModel& m_model;
    QComboBox* m_action;
    QCheckBox* m_preview;
    QCheckBox* m_filter;
};

} // namespace ui
