// Showing a log file in the built-in viewer.
#pragma once

#include <string>

class QWidget;
class cParameters;

namespace ui {

// Opens the built-in viewer (non-modal) with the log file, or shows the file in the viewer already open under
// parent. A file that cannot be read gives its error message and no viewer.
void ShowLogFile(QWidget* parent, cParameters& params, const std::string& nativeLogFile);

} // namespace ui
