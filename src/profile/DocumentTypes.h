// The program's two document types as the desktop knows them: profiles (.tvp) and batch files (.tvb).
#pragma once

#include "platform/DesktopEntry.h"

#include <vector>

// Both types, recognised by extension and by their first line.
std::vector<platform::cDocumentType> DocumentTypes();
