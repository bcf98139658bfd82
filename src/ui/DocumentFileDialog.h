// The open and save dialogs of the document commands ("Datei öffnen", "Datei speichern").
#pragma once

#include <QStringList>

#include <optional>
#include <string>

class QWidget;
class cParameters;

namespace ui {

// The name filters: the open dialog's, and the save dialog's for a profile and for a batch file.
QStringList OpenDocumentFilters();
QStringList ProfileSaveFilters();
QStringList BatchSaveFilters();

// True when the dialogs may start in the document's folder with its name preset: an absolute path holding
// none of " < > | (an untitled document's name "<unbenannt>.tvp" is none).
bool IsUsableDocumentPath(const std::string& documentFile);

// The file chosen to open (it exists), or std::nullopt when the user cancelled. Batch files are preselected
// while a batch file is the document.
std::optional<std::string> ChooseDocumentToOpen(QWidget* parent, const cParameters& params);
// The file chosen to save to, with the filters given (their first gives the default extension); the user
// was asked before an existing file is named. std::nullopt when the user cancelled.
std::optional<std::string> ChooseDocumentToSave(QWidget* parent, const cParameters& params, const QStringList& filters);

} // namespace ui
