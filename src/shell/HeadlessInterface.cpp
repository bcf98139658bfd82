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

void cHeadlessInterface::Beep() {
    if (platform::IsStderrTerminal()) std::fputs("\a", stderr);
}

void cHeadlessInterface::ShowStatus(const std::string& text, int) {
    std::fprintf(stderr, "%s\n", text.c_str());
}

bool cHeadlessInterface::IsStderrTerminal() {
    return platform::IsStderrTerminal();
}
