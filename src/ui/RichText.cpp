// Message files in read-only text boxes: HTML as it is, RTF through the program's reader, the rest as text.
#include "ui/RichText.h"

#include "platform/ReadRegularFile.h"
#include "platform/Text.h"
#include "ui/RtfReader.h"

#include <QByteArray>
#include <QUrl>

namespace ui {

namespace {

// The extension of the file name part, lower-cased ASCII; empty when there is none.
std::string ExtensionOf(std::string_view fileName) {
    const std::size_t slash = fileName.rfind('/');
    const std::string_view name = slash == std::string_view::npos ? fileName : fileName.substr(slash + 1);
    const std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos) return {};
    std::string extension(name.substr(dot + 1));
    for (char& c : extension)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return extension;
}

QString FolderOf(const std::string& nativeFile) {
    const std::size_t slash = nativeFile.rfind('/');
    return slash == std::string::npos ? QString() : QString::fromStdString(nativeFile.substr(0, slash));
}

} // namespace

cRichText RichTextFromBytes(std::string_view bytes, std::string_view fileName) {
    const std::string extension = ExtensionOf(fileName);
    if (extension == "rtf" && LooksLikeRtf(bytes)) return {true, QString::fromStdString(RtfToHtml(bytes))};
    const QString text = QString::fromStdString(platform::DecodeFileText(bytes));
    return {extension == "html" || extension == "htm", text};
}

cRichTextBrowser::cRichTextBrowser(QWidget* parent) : QTextBrowser(parent) {
    setReadOnly(true);
}

bool cRichTextBrowser::LoadFile(const std::string& nativeFile, int* error) {
    clear();
    m_folder = FolderOf(nativeFile);
    platform::FileBytes file = platform::ReadRegularFile(nativeFile, kMaxMessageFileBytes);
    if (error) *error = file.error;
    if (!file) return false;
    const cRichText text = RichTextFromBytes(file.bytes, nativeFile);
    if (text.IsHtml)
        setHtml(text.Text);
    else
        setPlainText(text.Text);
    return true;
}

QVariant cRichTextBrowser::loadResource(int /*type*/, const QUrl& name) {
    QString path;
    if (name.isLocalFile()) {
        path = name.toLocalFile();
    } else if (name.scheme().isEmpty() && !name.path().isEmpty()) {
        const QUrl resolved = source().resolved(name);
        if (resolved.isLocalFile())
            path = resolved.toLocalFile();
        else if (name.path().startsWith(u'/'))
            path = name.path();
        else if (!m_folder.isEmpty())
            path = m_folder + u'/' + name.path();
    }
    if (path.isEmpty()) return {};
    platform::FileBytes file = platform::ReadRegularFile(path.toStdString(), kMaxMessageFileBytes);
    if (!file) return {};
    return QByteArray(file.bytes.data(), static_cast<qsizetype>(file.bytes.size()));
}

} // namespace ui
