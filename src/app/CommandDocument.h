// Documents named on the command line.
#pragma once

#include <string>

class cParameters;
class cUserInterface;

// The name made absolute, so that the log, the snapshot beside the profile and the settings keys name the
// same file whatever the working directory.
std::string AbsolutePath(const char* fileName);

// Reads the profile fileName into params for a headless command. False when it cannot be read (the error
// box went to ui) or is no profile (said on stderr).
bool ReadProfileForCommand(cUserInterface& ui, cParameters& params, const char* fileName);
// The same for a profile or a batch file.
bool ReadDocumentForRun(cUserInterface& ui, cParameters& params, const char* fileName);
