#include "shell/HeadlessInterface.h"

#include "platform/Terminal.h"

#include <cstdio>

void cHeadlessInterface::ShowTimedMessage(const std::string& line1, const std::string& fileName,
                                          const std::string& line3) {
    std::fprintf(stderr, "%s\n%s\n%s\n", line1.c_str(), fileName.c_str(), line3.c_str());
}

eAnswer cHeadlessInterface::ShowMessageBox(int code, eMessageKind, eMessageButtons, const std::string& text,
                                           eAnswer preset) {
    std::fprintf(stderr, "[%d] %s\n", code, text.c_str());
    return preset;
}

std::optional<std::string> cHeadlessInterface::AskZipAddPassword(const std::string& caption) {
    std::fprintf(stderr, "%s: Kennwort zum Verschlüsseln nötig, ohne Fenster nicht abfragbar\n", caption.c_str());
    return std::nullopt;
}

cZipPasswordReply cHeadlessInterface::AskZipExtractPassword(const std::string& caption, const std::string& fileName) {
    std::fprintf(stderr, "%s: Kennwort zum Entpacken von %s nötig, ohne Fenster nicht abfragbar\n", caption.c_str(),
                 fileName.c_str());
    return {};
}

void cHeadlessInterface::Beep() {
    if (platform::IsStderrTerminal()) std::fputs("\a", stderr);
}

void cHeadlessInterface::ShowStatus(const std::string& text, int) {
    std::fprintf(stderr, "%s\n", text.c_str());
}

bool cHeadlessInterface::IsStderrTerminal() {
    return platform::IsStderrTerminal();
}
