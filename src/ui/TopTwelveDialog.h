// "Top 12": the twelve favourite profiles that F1..F12 open (and run), each with the text its menu item shows.
#pragma once

#include "profile/Parameters.h"

#include <QDialog>

#include <array>

class QLabel;
class QLineEdit;

namespace ui {

class TTopTwelveDlg : public QDialog {
public:
    // Works on a copy of params.TopTwelve. OK stores the copy into params and writes it to the settings file;
    // "Abbrechen" changes neither.
    TTopTwelveDlg(cParameters& params, QWidget* parent);

protected:
    void accept() override;

private:
    void Browse(std::size_t row);
    // Takes the fields into m_entries; why OK must wait, or empty.
    QString Collect();

    cParameters& m_params;
    cTopTwelve m_entries;
    std::array<QLineEdit*, 12> m_descriptions{};
    std::array<QLineEdit*, 12> m_profiles{};
    QLabel* m_problem = nullptr;
};

// Shows the dialog modally on params; true when it was closed with OK (params.TopTwelve may have changed).
bool EditTopTwelve(QWidget* parent, cParameters& params);

} // namespace ui
