// Files and folders dropped onto the main window.
#include "ui/MainWnd.h"

#include "profile/Parameters.h"
#include "shell/DroppedFiles.h"
#include "ui/DialogGuard.h"
#include "ui/MessageDialog.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QMimeData>
#include <QTimer>
#include <QUrl>

namespace ui {

namespace {

bool HoldsLocalFiles(const QMimeData* data) {
    if (data == nullptr || !data->hasUrls()) return false;
    for (const QUrl& url : data->urls())
        if (url.isLocalFile()) return true;
    return false;
}

} // namespace

void TMainWnd::dragEnterEvent(QDragEnterEvent* event) {
    if (m_params.DocumentKind != kNoDocument && DialogDepth == 0 && !RunActive && HoldsLocalFiles(event->mimeData()))
        event->acceptProposedAction();
}

void TMainWnd::dropEvent(QDropEvent* event) {
    if (m_params.DocumentKind == kNoDocument || DialogDepth != 0 || RunActive || !HoldsLocalFiles(event->mimeData()))
        return;
    std::vector<cDroppedItem> items;
    for (const QUrl& url : event->mimeData()->urls()) {
        if (!url.isLocalFile()) continue;
        const QString path = url.toLocalFile();
        items.push_back({QFile::encodeName(path).toStdString(), QFileInfo(path).isDir()});
    }
    const Qt::KeyboardModifiers keys = event->modifiers();
    const cDropOutcome outcome =
        AddDroppedFiles(m_params, items, {keys.testFlag(Qt::ControlModifier), keys.testFlag(Qt::ShiftModifier)});
    event->acceptProposedAction();
    if (outcome.Added > 0) UpdateSaveState();
    if (!outcome.OutsideSource.empty()) {
        QStringList folders;
        for (const std::string& folder : outcome.OutsideSource)
            folders << QFile::decodeName(QByteArray::fromStdString(folder));
        // The desktop waits for the drop to finish; the message comes after it.
        QTimer::singleShot(0, this, [this, folders] { ReportFoldersOutsideSource(folders); });
    }
}

void TMainWnd::ReportFoldersOutsideSource(const QStringList& folders) {
    cDialogGuard guard(DialogDepth);
    ShowMessageDialog(
        this, ApplicationTitle(), 0, eMessageKind::Information, eMessageButtons::Ok,
        QStringLiteral("Diese Ordner liegen nicht in der Quelle %1 und wurden nicht aufgenommen:\n\n%2")
            .arg(QFile::decodeName(QByteArray::fromStdString(m_params.SourceDrive)), folders.join(QLatin1Char('\n'))));
}

} // namespace ui
