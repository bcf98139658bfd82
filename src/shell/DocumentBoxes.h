// Reading and writing the document as the program's commands do it: a failure shows the timed error box.
#pragma once

#include <string>

class cParameters;
class cUserInterface;

// ReadDocument; on failure the timed box "Fehler beim Lesen von..." with the file and the error text.
// Returns 0 or the error code.
[[nodiscard]] int ReadDocumentShowingError(cUserInterface& ui, cParameters& params, const std::string& fileName);
// WriteDocument; on failure the timed box "Fehler beim Schreiben von...". Returns 0 or the error code.
[[nodiscard]] int WriteDocumentShowingError(cUserInterface& ui, cParameters& params, const std::string& fileName);
