// The name fields of the destination dialog: a row with its check button, what the check button says, and why
// OK refuses a name.
#pragma once

#include <QString>

#include <string>
#include <string_view>

class QDialog;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;
class QWidget;
struct cWarningSettings;

namespace ui {

// The destination's names, each with its validator and the message pair of its check button.
enum class eDestinationName { Drive, Directory, Archive, Server };

// Runs the name's validator on the text after its variables and shows the valid or the invalid message with the
// checked text, as the check buttons do.
void CheckDestinationName(QWidget* parent, const cWarningSettings& warnings, eDestinationName name,
                          const std::string& text);

// What OK stores for the name typed: the name after its normaliser.
std::string NormalizedName(eDestinationName name, const std::string& typed);

// Why OK cannot store the name typed, or empty: normalised is what OK would store, and it is checked after its
// variables are expanded. An empty name is refused for every name but the directory, which normalising never
// leaves empty. The message quotes the name as typed (its variables expanded), which the user recognises.
QString DestinationNameProblem(eDestinationName name, const std::string& typed);

// The widgets of one name row: caption, field, an optional browse button, the check button and the line that says
// what OK refuses.
struct cNameRow {
    QLabel* Caption = nullptr;
    QLineEdit* Edit = nullptr;     // null when the row's field is another widget (the server's list)
    QToolButton* Browse = nullptr; // "...": choose the name from what there is
    QPushButton* Check = nullptr;
    QLabel* Problem = nullptr;
};

// Adds caption, field, browse (when browseName is given), check and problem line to grid at row and row + 1.
// The caller connects the buttons and enables the check button only while the field is not empty.
cNameRow AddNameRow(QGridLayout* grid, int row, const QString& caption, QWidget* field, const char* browseName,
                    const char* checkName, const char* problemName);

} // namespace ui
