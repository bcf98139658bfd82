// The folder and file checks of the wizards and the express setup: each says in German why a text cannot be
// used, or returns an empty text.
#pragma once

#include <QString>
#include <QStringList>

namespace ui {

// The typed folder as a root: "~" stands for the home folder; the path is cleaned and loses a trailing "/".
// Empty when the text is no absolute path.
QString FolderRoot(const QString& text);

// A source must be an existing folder.
QString SourceFolderProblem(const QString& text);

// A part of the source that a run reads: a folder, with or without the folders below it.
struct cSourceFolder {
    QString Path; // absolute
    bool WithSubfolders = true;
};

// The destination must exist as a folder one may write in, or be creatable; it must not lie inside a source
// folder that the run reads (the copies would be copied again at the next run), nor hold a source folder.
QString DestinationFolderProblem(const QList<cSourceFolder>& sources, const QString& destText);
// The same for one source folder with everything below it.
QString DestinationFolderProblem(const QString& sourceText, const QString& destText);

// Where a new profile may be saved: an absolute file name ending in ".tvp" (added when the name has no
// extension, see ProfileFilePath) in a folder that exists or can be created.
QString ProfileFileProblem(const QString& text);
// The typed file name with "~" expanded and ".tvp" added when the name has no extension.
QString ProfileFilePath(const QString& text);

// Creates the folder and the folders above it; false when that fails.
bool CreateFolder(const QString& path);

} // namespace ui
