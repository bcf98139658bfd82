#include "ui/WizardFolders.h"

#include "destinations/PathNames.h"

#include <QDir>
#include <QFileInfo>

namespace ui {

namespace {

QString Expanded(const QString& text) {
    const QString trimmed = text.trimmed();
    if (trimmed == QLatin1String("~")) return QDir::homePath();
    if (trimmed.startsWith(QLatin1String("~/"))) return QDir::homePath() + trimmed.mid(1);
    return trimmed;
}

// The path with its symlinks resolved as far as it exists, the missing rest appended; so that a folder reached
// through a link is recognised as the folder it is.
QString Resolved(const QString& path) {
    QString existing = path;
    QString rest;
    while (!QFileInfo::exists(existing)) {
        const qsizetype slash = existing.lastIndexOf(QLatin1Char('/'));
        if (slash <= 0) return path;
        rest = existing.mid(slash) + rest;
        existing = existing.left(slash);
    }
    const QString canonical = QFileInfo(existing).canonicalFilePath();
    return canonical.isEmpty() ? path : QDir::cleanPath(canonical + rest);
}

// Whether inner is folder itself or lies below it.
bool Contains(const QString& folder, const QString& inner) {
    if (inner == folder) return true;
    const QString prefix = folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
    return inner.startsWith(prefix);
}

// The nearest folder above path that exists.
QString ExistingAncestor(const QString& path) {
    QString folder = path;
    while (!QFileInfo::exists(folder)) {
        const qsizetype slash = folder.lastIndexOf(QLatin1Char('/'));
        if (slash < 0) return {};
        folder = slash == 0 ? QStringLiteral("/") : folder.left(slash);
    }
    return folder;
}

// Why the folder cannot be written to, or will not be creatable; empty when it can.
QString WritableFolderProblem(const QString& folder) {
    const QFileInfo info(folder);
    if (info.exists()) {
        if (!info.isDir()) return QStringLiteral("%1 ist eine Datei, kein Ordner.").arg(folder);
        if (!info.isWritable()) return QStringLiteral("Im Ordner %1 dürfen Sie nicht schreiben.").arg(folder);
        return {};
    }
    const QString ancestor = ExistingAncestor(folder);
    const QFileInfo above(ancestor);
    if (ancestor.isEmpty() || !above.isDir() || !above.isWritable())
        return QStringLiteral("Der Ordner %1 kann nicht angelegt werden: in %2 dürfen Sie keinen Ordner anlegen.")
            .arg(folder, ancestor);
    return {};
}

} // namespace

QString FolderRoot(const QString& text) {
    const QString expanded = Expanded(text);
    if (!expanded.startsWith(QLatin1Char('/'))) return {};
    return QDir::cleanPath(expanded);
}

QString SourceFolderProblem(const QString& text) {
    if (text.trimmed().isEmpty())
        return QStringLiteral("Bitte geben Sie den Ordner an, dessen Dateien kopiert werden.");
    const QString root = FolderRoot(text);
    if (root.isEmpty() || !IsValidDrive(root.toStdString()))
        return QStringLiteral("\"%1\" ist kein vollständiger Pfad: bitte geben Sie einen Ordner an, der mit / beginnt.")
            .arg(text.trimmed());
    const QFileInfo info(root);
    if (!info.exists()) return QStringLiteral("Den Ordner %1 gibt es nicht.").arg(root);
    if (!info.isDir()) return QStringLiteral("%1 ist eine Datei, kein Ordner.").arg(root);
    return {};
}

QString DestinationFolderProblem(const QList<cSourceFolder>& sources, const QString& destText) {
    if (destText.trimmed().isEmpty()) return QStringLiteral("Bitte geben Sie den Ordner an, in den kopiert wird.");
    const QString root = FolderRoot(destText);
    if (root.isEmpty() || !IsValidDrive(root.toStdString()))
        return QStringLiteral("\"%1\" ist kein vollständiger Pfad: bitte geben Sie einen Ordner an, der mit / beginnt.")
            .arg(destText.trimmed());
    if (QString problem = WritableFolderProblem(root); !problem.isEmpty()) return problem;
    const QString dest = Resolved(root);
    for (const cSourceFolder& source : sources) {
        const QString folder = Resolved(QDir::cleanPath(source.Path));
        if (dest == folder) return QStringLiteral("Quelle und Ziel sind derselbe Ordner.");
        if (source.WithSubfolders && Contains(folder, dest))
            return QStringLiteral("Das Ziel liegt im Quellordner %1: jeder Lauf würde die Kopien noch einmal "
                                  "kopieren. Bitte wählen Sie einen Ordner außerhalb der Quelle.")
                .arg(source.Path);
        if (Contains(dest, folder))
            return QStringLiteral("Der Quellordner %1 liegt im Ziel: bitte wählen Sie ein Ziel, das die Quelle "
                                  "nicht enthält.")
                .arg(source.Path);
    }
    return {};
}

QString DestinationFolderProblem(const QString& sourceText, const QString& destText) {
    return DestinationFolderProblem({cSourceFolder{FolderRoot(sourceText), true}}, destText);
}

QString ProfileFilePath(const QString& text) {
    QString path = Expanded(text);
    if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty() && !path.endsWith(QLatin1Char('/')))
        path += QStringLiteral(".tvp");
    return path;
}

QString ProfileFileProblem(const QString& text) {
    if (text.trimmed().isEmpty())
        return QStringLiteral("Bitte geben Sie an, unter welchem Namen das Profil gespeichert wird.");
    const QString path = ProfileFilePath(text);
    if (!path.startsWith(QLatin1Char('/')))
        return QStringLiteral("\"%1\" ist kein vollständiger Pfad: bitte geben Sie eine Datei an, deren Pfad mit / "
                              "beginnt.")
            .arg(text.trimmed());
    const QFileInfo info(path);
    if (!IsValidProfileName(info.fileName().toStdString()))
        return QStringLiteral("\"%1\" ist kein gültiger Name für ein Profil: der Name endet auf \".tvp\" und "
                              "enthält keines der Zeichen \\ / : * ? < > | \".")
            .arg(info.fileName());
    if (info.isDir()) return QStringLiteral("%1 ist ein Ordner.").arg(path);
    return WritableFolderProblem(QDir::cleanPath(info.absolutePath()));
}

bool CreateFolder(const QString& path) {
    return QDir().mkpath(path);
}

} // namespace ui
