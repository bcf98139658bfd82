#include "shell/DocumentBoxes.h"

#include "messages/ErrorText.h"
#include "messages/UserInterface.h"
#include "profile/Parameters.h"

int ReadDocumentShowingError(cUserInterface& ui, cParameters& params, const std::string& fileName) {
    const int error = params.ReadDocument(fileName);
    if (error != 0) ui.ShowTimedMessage("Fehler beim Lesen von...", fileName, ErrorText(error));
    return error;
}

int WriteDocumentShowingError(cUserInterface& ui, cParameters& params, const std::string& fileName) {
    const int error = params.WriteDocument(fileName);
    if (error != 0) ui.ShowTimedMessage("Fehler beim Schreiben von...", fileName, ErrorText(error));
    return error;
}
