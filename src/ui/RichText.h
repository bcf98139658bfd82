// Message files (rich text) as HTML for Qt's text widgets.
#pragma once

#include <QString>

#include <string>

namespace ui {

// The message file at nativePath (an .rtf file) as HTML that a QTextBrowser shows.
QString MessageFileToHtml(const std::string& nativePath);

} // namespace ui
