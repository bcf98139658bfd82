// Copy progress on the terminal: a redrawn bar when the output is a terminal, plain lines otherwise.
#pragma once

#include "engine/ProgressModel.h"
#include "platform/FileTime.h"

#include <cstdint>
#include <cstdio>
#include <string>

class cHeadlessProgress {
public:
    // out is not owned. terminal chooses the bar (redrawn in place at most every kBarRedrawInterval) over plain
    // lines (the current file with the figures every kPlainFiguresInterval and the figures at the end, suited
    // to logs and pipes).
    cHeadlessProgress(std::FILE* out, bool terminal);

    void Begin(std::int64_t bytesToCopy);
    void Report(std::int64_t deltaBytes, std::int64_t fileBytes, const std::string& fileName);
    void SetPaused(bool paused);
    // Prints the final figures; a no-op when no display is open.
    void End();

    static constexpr platform::FileTime kPlainFiguresInterval = 10 * platform::kTicksPerSecond;
    static constexpr platform::FileTime kBarRedrawInterval = platform::kTicksPerSecond;

private:
    void DrawBar();
    void PrintFiguresLine();

    std::FILE* m_out;
    bool m_terminal;
    bool m_open = false;
    cProgressModel m_model;
    std::string m_fileName;
    platform::FileTime m_lastOutput = 0;
};
