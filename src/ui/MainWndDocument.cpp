// The main window's document commands: new, open, recent files, save, save as, Top 12, view, log, shortcut.
#include "ui/MainWnd.h"

#include "profile/Parameters.h"
#include "profile/Variables.h"
#include "shell/DocumentBoxes.h"
#include "ui/DialogGuard.h"
#include "ui/DocumentFileDialog.h"
#include "ui/LogViewer.h"
#include "ui/NewFileDialog.h"
#include "ui/QuestionBox.h"
#include "ui/ShortcutDialog.h"
#include "ui/ViewWindow.h"

#include <QFile>

namespace ui {

namespace {

constexpr int kAnswerProfile = 6;
constexpr int kAnswerBatch = 7;

QString FromNative(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

} // namespace

bool TMainWnd::QuerySaveChanges() {
    if (!m_params.Modified) return true;
    const QString text = m_params.Untitled
                             ? QStringLiteral("Änderungen sichern?")
                             : QStringLiteral("Änderungen an %1 sichern?").arg(FromNative(m_params.DocumentFile));
    eAnswer answer = eAnswer::Cancel;
    {
        cDialogGuard guard(DialogDepth);
        answer = AskQuestion(this, ApplicationTitle(), text, true);
    }
    if (answer == eAnswer::Cancel) return false;
    // Whatever the save does, the command goes on: the user has decided about the changes.
    if (answer == eAnswer::Yes) (void)(m_params.Untitled ? SaveAsCommand() : SaveCommand());
    return true;
}

void TMainWnd::NewCommand() {
    if (!QuerySaveChanges()) return;
    int answer = 0;
    {
        cDialogGuard guard(DialogDepth);
        answer = AskNewFileKind(this);
    }
    if (answer == kAnswerProfile) {
        m_params.ResetProfile();
        m_params.AddDefaultMask();
    } else if (answer == kAnswerBatch) {
        m_params.ResetBatch();
    } else {
        return;
    }
    ShowNewDocument();
}

void TMainWnd::OpenCommand() {
    if (!QuerySaveChanges()) return;
    cDialogGuard guard(DialogDepth);
    const std::optional<std::string> file = ChooseDocumentToOpen(this, m_params);
    if (!file) return;
    if (ReadDocumentShowingError(*m_boxes, m_params, *file) == 0) {
        m_params.PushOldFile();
        UpdateRecentMenu();
    }
    ShowNewDocument();
}

void TMainWnd::OpenRecentCommand(int n) {
    // A copy: the list itself stays as it is, whatever reading does.
    const std::string file = m_params.OldFiles[n - 1];
    if (file.empty() || !QuerySaveChanges()) return;
    {
        cDialogGuard guard(DialogDepth);
        (void)ReadDocumentShowingError(*m_boxes, m_params, file);
    }
    ShowNewDocument();
}

bool TMainWnd::ConfirmLegacySave() {
    if (!m_params.LegacyFormat) return true;
    cDialogGuard guard(DialogDepth);
    const QString text = QStringLiteral("%1 wird im Format Tolvan 6 gespeichert und ist danach für ältere Versionen "
                                        "von Tolvan unlesbar. Fortfahren?")
                             .arg(FromNative(m_params.DocumentFile));
    return AskQuestion(this, ApplicationTitle(), text, false) == eAnswer::Yes;
}

bool TMainWnd::SaveCommand() {
    if (!ConfirmLegacySave()) return false;
    int error = 0;
    {
        cDialogGuard guard(DialogDepth);
        error = WriteDocumentShowingError(*m_boxes, m_params, m_params.DocumentFile);
    }
    if (error != 0) return false;
    UpdateSaveState();
    return true;
}

bool TMainWnd::SaveAsCommand() {
    if (!ConfirmLegacySave()) return false;
    {
        cDialogGuard guard(DialogDepth);
        const std::optional<std::string> file = ChooseDocumentToSave(this, m_params, m_saveFilters);
        if (!file || WriteDocumentShowingError(*m_boxes, m_params, *file) != 0) return false;
    }
    UpdateCaption();
    UpdateSaveState();
    m_params.PushOldFile();
    UpdateRecentMenu();
    return true;
}

void TMainWnd::TopTwelveCommand(int n, bool run) {
    if (m_params.TopTwelve.Profiles[n - 1].empty() || !QuerySaveChanges()) return;
    const std::string file = ExpandVariables(m_params.TopTwelve.Profiles[n - 1], m_params.DateOffset);
    int error = 0;
    {
        cDialogGuard guard(DialogDepth);
        error = ReadDocumentShowingError(*m_boxes, m_params, file);
    }
    ShowNewDocument();
    if (error == 0 && run) LaunchRun(0);
}

void TMainWnd::ViewCommand() {
    if (m_viewWnd)
        m_viewWnd->Refresh(m_params);
    else
        m_viewWnd = new TViewWnd(m_params, this);
    m_viewWnd->show();
    m_viewWnd->raise();
    m_viewWnd->activateWindow();
}

void TMainWnd::LogViewCommand() {
    m_params.Log.ResolveLogFile(m_params.DateOffset);
    ShowLogFile(this, m_params, m_params.Log.ActualFileName);
}

void TMainWnd::ShortcutCommand() {
    cDialogGuard guard(DialogDepth);
    ShowShortcutDialog(this, m_params, [this] { OptionsCommand(true); });
}

} // namespace ui
