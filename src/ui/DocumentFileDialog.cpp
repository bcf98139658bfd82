#include "ui/DocumentFileDialog.h"

#include "profile/Parameters.h"
#include "ui/QuestionBox.h"

#include <QFile>
#include <QFileDialog>
#include <QFileInfo>

namespace ui {

namespace {

const QString kProfiles = QStringLiteral("Profile (*.tvp)");
const QString kBatchFiles = QStringLiteral("Batch-Dateien (*.tvb)");
const QString kTolvanBatchFiles = QStringLiteral("Tolvan Batch-Dateien (*.tvb)");
// "*" and not "*.*": on Linux a name needs no dot.
const QString kAllFiles = QStringLiteral("Alle Dateien (*)");

QString FromNative(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

// Asks before the chosen name replaces an existing file; the dialog stays open when the user says no.
class cDocumentFileDialog : public QFileDialog {
public:
    using QFileDialog::QFileDialog;

    void accept() override {
        if (acceptMode() == QFileDialog::AcceptSave) {
            const QStringList files = selectedFiles();
            if (!files.isEmpty() && QFileInfo(files.first()).isFile() &&
                AskQuestion(this, windowTitle(),
                            QStringLiteral("%1 existiert bereits.\nMöchten Sie die Datei ersetzen?")
                                .arg(QDir::toNativeSeparators(files.first())),
                            false) != eAnswer::Yes)
                return;
        }
        QFileDialog::accept();
    }
};

void Prepare(QFileDialog& dialog, const cParameters& params, const QStringList& filters) {
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setNameFilters(filters);
    dialog.setLabelText(QFileDialog::LookIn, QStringLiteral("Suchen in:"));
    dialog.setLabelText(QFileDialog::FileName, QStringLiteral("Dateiname:"));
    dialog.setLabelText(QFileDialog::FileType, QStringLiteral("Dateityp:"));
    dialog.setLabelText(QFileDialog::Reject, QStringLiteral("Abbrechen"));
    if (IsUsableDocumentPath(params.DocumentFile)) {
        const QFileInfo document(FromNative(params.DocumentFile));
        dialog.setDirectory(document.absolutePath());
        dialog.selectFile(document.fileName());
    }
}

std::optional<std::string> Chosen(QFileDialog& dialog) {
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return QFile::encodeName(dialog.selectedFiles().first()).toStdString();
}

} // namespace

QStringList OpenDocumentFilters() {
    return {kProfiles, kBatchFiles, kAllFiles};
}

QStringList ProfileSaveFilters() {
    return {kProfiles, kAllFiles};
}

QStringList BatchSaveFilters() {
    return {kTolvanBatchFiles, kAllFiles};
}

bool IsUsableDocumentPath(const std::string& documentFile) {
    return documentFile.starts_with('/') && documentFile.find_first_of("\"<>|") == std::string::npos;
}

std::optional<std::string> ChooseDocumentToOpen(QWidget* parent, const cParameters& params) {
    cDocumentFileDialog dialog(parent, QStringLiteral("Datei öffnen"));
    dialog.setObjectName(QStringLiteral("OpenDlg"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(QStringLiteral("tvp"));
    Prepare(dialog, params, OpenDocumentFilters());
    dialog.setLabelText(QFileDialog::Accept, QStringLiteral("Öffnen"));
    if (params.DocumentKind == kBatchDocument) dialog.selectNameFilter(kBatchFiles);
    return Chosen(dialog);
}

std::optional<std::string> ChooseDocumentToSave(QWidget* parent, const cParameters& params,
                                                const QStringList& filters) {
    cDocumentFileDialog dialog(parent, QStringLiteral("Datei speichern"));
    dialog.setObjectName(QStringLiteral("SaveDlg"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(filters.value(0).contains(QStringLiteral("*.tvb")) ? QStringLiteral("tvb")
                                                                               : QStringLiteral("tvp"));
    Prepare(dialog, params, filters);
    dialog.setLabelText(QFileDialog::Accept, QStringLiteral("Speichern"));
    return Chosen(dialog);
}

} // namespace ui
