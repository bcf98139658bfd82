// A small reader of rich-text (RTF) files for the message windows: text, line breaks, tabs, bold, italic and
// underline; everything else (fonts, colours, pictures, tables) is dropped.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace ui {

// Groups nested deeper than this are read for their braces only; their text is dropped.
inline constexpr int kMaxRtfDepth = 200;

// The text of an RTF file as an HTML document (UTF-8, text escaped). Reads any input: unbalanced braces,
// unknown or overlong control words and wild numbers give some text, never a failure. The result grows at most
// linearly with the input. Bytes outside \'hh escapes are taken as UTF-8 when the whole input is valid UTF-8,
// else as Windows-1252.
std::string RtfToHtml(std::string_view rtf);
// The same without the document around it: the body's HTML only.
std::string RtfToHtmlFragment(std::string_view rtf);

// Whether bytes look like an RTF file: "{\rtf" at the start (after white space).
bool LooksLikeRtf(std::string_view bytes);

} // namespace ui
