// "FTP-Log" (TFtpCommWnd): every line exchanged with the FTP server, as it goes, coloured by direction and
// reply; it can be saved as rich text.
#pragma once

#include <QString>
#include <QWidget>

#include <string>
#include <vector>

class QTextEdit;

namespace ui {

struct cCommLine {
    bool Sent = false; // sent to the server, else received from it
    QString Text;
};

// A sent line as the window shows it: after "PASS " (any case) every character is "*".
QString MaskedCommandLine(const QString& line);
// The lines as a rich-text (RTF) document: sent lines blue, received ones red for a 4xx or 5xx reply, else green.
std::string CommunicationRtf(const std::vector<cCommLine>& lines);

class TFtpCommWnd : public QWidget {
public:
    explicit TFtpCommWnd(QWidget* parent = nullptr);

    void AddSent(const QString& line);
    void AddReceived(const QString& line);
    const std::vector<cCommLine>& Lines() const { return m_lines; }
    // Writes the lines as rich text; false when the file cannot be written.
    bool SaveAs(const QString& path) const;

private:
    void Add(cCommLine line);
    void SaveWithDialog();

    QTextEdit* m_text;
    std::vector<cCommLine> m_lines;
};

} // namespace ui
