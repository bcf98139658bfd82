// Message files (rich text, HTML or plain text) in the program's read-only text boxes.
#pragma once

#include <QString>
#include <QTextBrowser>

#include <cstddef>
#include <string>
#include <string_view>

namespace ui {

// The largest message file, and the largest picture or style sheet such a file refers to, that is read.
inline constexpr std::size_t kMaxMessageFileBytes = std::size_t{16} << 20;

// What a text box shows of a file: HTML or plain text.
struct cRichText {
    bool IsHtml = false;
    QString Text;
};

// The file's bytes as a text box shows them, chosen by the name's extension (any case): ".html" and ".htm" as
// HTML, ".rtf" through the program's RTF reader (a file that does not start like RTF as plain text), anything
// else as plain text. Text is UTF-8 when it is valid UTF-8, else Windows-1252.
cRichText RichTextFromBytes(std::string_view bytes, std::string_view fileName);

// A read-only rich-text box that reads pictures and linked pages only from regular local files of bounded size,
// so that a message file cannot make it read a device or an endless stream. Relative names are found beside the
// file last loaded.
class cRichTextBrowser : public QTextBrowser {
    Q_OBJECT

public:
    explicit cRichTextBrowser(QWidget* parent = nullptr);

    // Shows the message file at nativeFile; a file that cannot be read leaves the box empty. Returns whether
    // the file was read; error, when given, receives the read error's code.
    bool LoadFile(const std::string& nativeFile, int* error = nullptr);

    QVariant loadResource(int type, const QUrl& name) override;

private:
    QString m_folder; // of the file last loaded, for relative names
};

} // namespace ui
