// The log after a run: shown in the chosen viewer, mailed and printed as the profile's log options ask for
// the run's result; and the viewer alone, for the menu command that shows the log.
#pragma once

#include <cstdint>
#include <string>

class QWidget;
class cParameters;
struct cLogParameters;

namespace ui {

// With result 2 (errors) the error options (ViewOnError, MailOnError, PrintOnError) apply, with 0 and 1 the
// success options; the deliveries happen in the order view, mail, print. mute: the program runs without its
// window, so mailing and printing show no note.
void DeliverLog(QWidget* parent, cParameters& params, std::uint8_t result, bool mute);

// Resolves the log file's name again and shows the log: in the built-in viewer, or in the chosen program,
// started without waiting. A viewer that cannot be started gives its error message.
void ShowLog(QWidget* parent, cParameters& params);

// The shell command that starts the external viewer on ActualFileName: the program ("xdg-open" for the
// three kinds named after Windows programs, ViewerPath for "Anderer:") and the file, each quoted for the
// shell, then a blank and ViewerSwitches. Variables in the program and the switches are expanded; the file
// name is taken as it is. Empty for the built-in viewer and for "Anderer:" without a program.
std::string ViewerCommandLine(const cLogParameters& log, double dateOffset);

} // namespace ui
