// Writes the copy progress to a stream without ever waiting for input.
#include "shell/HeadlessProgress.h"

#include "platform/Clock.h"
#include "platform/Text.h"

namespace {

constexpr int kBarWidth = 30;

std::string FiguresText(const cProgressFigures& figures) {
    std::string text = std::to_string(figures.Percent) + " %, Verstrichene Zeit: " + FormatDuration(figures.Elapsed);
    if (figures.HasRate) text += ", Übertragungsrate: " + FormatRate(figures.BytesPerSecond);
    if (figures.HasRemaining) text += ", Verbleibende Zeit: " + FormatDuration(figures.Remaining);
    return text;
}

} // namespace

cHeadlessProgress::cHeadlessProgress(std::FILE* out, bool terminal) : m_out(out), m_terminal(terminal) {}

void cHeadlessProgress::Begin(std::int64_t bytesToCopy) {
    m_model.Begin(bytesToCopy);
    m_open = true;
    m_fileName.clear();
    // The bar appears with the first report; plain lines come every interval from the start.
    m_lastOutput = m_terminal ? 0 : platform::NowUtc();
}

void cHeadlessProgress::Report(std::int64_t deltaBytes, std::int64_t fileBytes, const std::string& fileName) {
    if (!m_open) return;
    m_model.ReportProgress(deltaBytes, fileBytes);
    m_model.Tick();
    m_fileName = platform::EscapeInvalidUtf8(fileName);
    // Output is rate-limited, not per file: a run of many small files would otherwise spend its time writing
    // to the terminal.
    const platform::FileTime now = platform::NowUtc();
    if (now - m_lastOutput < (m_terminal ? kBarRedrawInterval : kPlainFiguresInterval)) return;
    m_lastOutput = now;
    if (m_terminal)
        DrawBar();
    else
        std::fprintf(m_out, "Kopiere %s: %s\n", m_fileName.c_str(), FiguresText(m_model.Figures()).c_str());
}

void cHeadlessProgress::SetPaused(bool paused) {
    if (m_open) m_model.SetPaused(paused);
}

void cHeadlessProgress::End() {
    if (!m_open) return;
    m_model.Tick();
    if (m_terminal) {
        DrawBar();
        std::fputc('\n', m_out);
    } else {
        PrintFiguresLine();
    }
    std::fflush(m_out);
    m_open = false;
}

void cHeadlessProgress::DrawBar() {
    const cProgressFigures figures = m_model.Figures();
    const int filled = figures.Percent * kBarWidth / 100;
    std::string bar(static_cast<std::size_t>(filled), '#');
    bar.append(static_cast<std::size_t>(kBarWidth - filled), '-');
    // "\r" returns to the line start, "\x1b[K" erases what a longer previous line left behind.
    std::fprintf(m_out, "\r[%s] %s\x1b[K", bar.c_str(), FiguresText(figures).c_str());
    std::fflush(m_out);
}

void cHeadlessProgress::PrintFiguresLine() {
    std::fprintf(m_out, "%s\n", FiguresText(m_model.Figures()).c_str());
    std::fflush(m_out);
}
