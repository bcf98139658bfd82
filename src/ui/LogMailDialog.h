// "Log: E-Mail": the server, sender, up to three recipients and the subject of the mailed log.
#pragma once

#include <QDialog>

#include <array>

class QCheckBox;
class QLabel;
class QLineEdit;
struct cLogParameters;

namespace ui {

class TLogMailDlg : public QDialog {
public:
    // Edits log's mail fields when closed with OK.
    TLogMailDlg(cLogParameters& log, QWidget* parent);

protected:
    void accept() override;

private:
    // Why OK cannot store the fields; empty when they are fine.
    QString Problem() const;

    cLogParameters& m_log;
    QLineEdit* m_server = nullptr;
    QLineEdit* m_senderName = nullptr;
    QLineEdit* m_senderAddress = nullptr;
    std::array<QLineEdit*, 3> m_names{};
    std::array<QLineEdit*, 3> m_addresses{};
    QLineEdit* m_subject = nullptr;
    QCheckBox* m_attachment = nullptr;
    QLabel* m_problem = nullptr;
};

} // namespace ui
