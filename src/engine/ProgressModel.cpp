// Progress figures computed from reported bytes and the program's clock.
#include "engine/ProgressModel.h"

#include "platform/Clock.h"
#include "platform/GermanFormat.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

void cProgressModel::Begin(std::int64_t bytesToCopy) {
    m_lastTick = platform::NowUtc();
    m_elapsed = 0;
    m_bytesToCopy = bytesToCopy;
    m_windowBytes = 0;
    m_fileBytes = 0;
    m_paused = false;
}

void cProgressModel::ReportProgress(std::int64_t deltaBytes, std::int64_t fileBytes) {
    m_windowBytes += deltaBytes;
    m_fileBytes = fileBytes;
}

void cProgressModel::Tick() {
    const platform::FileTime now = platform::NowUtc();
    // A clock set back (time sync, a changed system time) adds nothing rather than shrinking the elapsed time.
    if (!m_paused) m_elapsed += std::max<platform::FileTime>(0, now - m_lastTick);
    m_lastTick = now;
}

void cProgressModel::SetPaused(bool paused) {
    if (paused == m_paused) return;
    Tick();
    m_paused = paused;
}

cProgressFigures cProgressModel::Figures() const {
    cProgressFigures figures;
    figures.Elapsed = m_elapsed;
    const std::int64_t done = std::clamp<std::int64_t>(m_windowBytes, 0, std::max<std::int64_t>(m_bytesToCopy, 0));
    if (m_bytesToCopy > 0)
        figures.Percent = static_cast<int>(static_cast<double>(done) * 100.0 / static_cast<double>(m_bytesToCopy));
    if (m_elapsed >= kProgressSettleTime) {
        figures.HasRate = true;
        figures.BytesPerSecond = static_cast<double>(std::max<std::int64_t>(m_windowBytes, 0)) /
                                 (static_cast<double>(m_elapsed) / static_cast<double>(platform::kTicksPerSecond));
        if (figures.BytesPerSecond > 0) {
            figures.HasRemaining = true;
            const double seconds = static_cast<double>(m_bytesToCopy - done) / figures.BytesPerSecond;
            figures.Remaining = static_cast<platform::FileTime>(std::floor(seconds + 0.5)) * platform::kTicksPerSecond;
        }
    }
    return figures;
}

std::string FormatDuration(platform::FileTime duration) {
    const long long total = std::max<long long>(0, duration / platform::kTicksPerSecond);
    char text[32];
    std::snprintf(text, sizeof text, "%02lld:%02lld:%02lld", total / 3600, total / 60 % 60, total % 60);
    return text;
}

std::string FormatRate(double bytesPerSecond) {
    return platform::FormatNumber(bytesPerSecond / 1024.0, 1) + " kB/sec";
}
