// Printing the log: after a run as the profile's log options ask, and from the log viewer.
#pragma once

#include <string>

class QFont;
class QPrinter;
class QString;
class QWidget;
class cParameters;
struct cLogParameters;

namespace ui {

// Prints the log file (Log.ActualFileName) on the printer named Log.PrinterName, or on the system's default
// printer when no printer has that name, in Log.PrintFontName at Log.PrintFontSize points, titled with the
// file's name. Does nothing when the system has no printer. While it prints, a note says so (not in mute mode)
// and parent is disabled; a failure shows the timed error box. Returns whether the log was printed.
bool PrintLog(QWidget* parent, const cParameters& params, bool mute);

// The same for a run without windows (tolvan --run): no note, no box; an application object for the printing
// is made (without a display) when there is none. Returns 0 or the error code, kNotReady when the system has
// no printer; printerName is the printer chosen.
int PrintLogWithoutWindows(const cLogParameters& log, std::string& printerName);

// Lays out text in font on the printer's pages (long lines wrap at the page's width) and prints it as a
// document with title. Returns false when the printer cannot be opened.
bool PrintText(QPrinter& printer, const QString& text, const QFont& font, const QString& title);

} // namespace ui
