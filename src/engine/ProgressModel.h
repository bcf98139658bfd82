// The figures of the copy progress: elapsed time without paused periods, transfer rate, remaining time.
#pragma once

#include "platform/FileTime.h"

#include <cstdint>
#include <string>

// What the progress display shows at one moment. Rate and remaining time are known only after
// kProgressSettleTime of copying, so that the first seconds' bursts do not give wild estimates.
struct cProgressFigures {
    platform::FileTime Elapsed = 0; // copying time without paused periods
    bool HasRate = false;
    double BytesPerSecond = 0;
    bool HasRemaining = false;        // false also while the rate is 0
    platform::FileTime Remaining = 0; // rounded to the nearest second
    int Percent = 0;                  // 0..100 of the bytes to copy
};

inline constexpr platform::FileTime kProgressSettleTime = 10 * platform::kTicksPerSecond;

// The state of one progress window. All time comes from platform::NowUtc, so tests set the clock.
class cProgressModel {
public:
    // Starts counting: nothing reported, the clock running from now.
    void Begin(std::int64_t bytesToCopy);
    // Adds delta to the bytes reported since Begin and stores the bytes of the current file so far.
    void ReportProgress(std::int64_t deltaBytes, std::int64_t fileBytes);
    // Adds the time since the last update to Elapsed unless paused. Call as often as convenient.
    void Tick();
    // A pause stops the clock at once (the time up to now still counts); resuming starts it from now.
    void SetPaused(bool paused);

    bool Paused() const { return m_paused; }
    std::int64_t BytesToCopy() const { return m_bytesToCopy; }
    std::int64_t WindowBytes() const { return m_windowBytes; }
    std::int64_t FileBytes() const { return m_fileBytes; }
    // The figures as of the last Tick (or pause).
    cProgressFigures Figures() const;

private:
    platform::FileTime m_lastTick = 0;
    platform::FileTime m_elapsed = 0;
    std::int64_t m_bytesToCopy = 0;
    std::int64_t m_windowBytes = 0;
    std::int64_t m_fileBytes = 0;
    bool m_paused = false;
};

// A duration as "hh:mm:ss"; hours go on past 23 ("27:46:40"), negative durations show as "00:00:00".
std::string FormatDuration(platform::FileTime duration);
// A rate as kilobytes per second with German separators: 10 MiB/s gives "10.240,0 kB/sec".
std::string FormatRate(double bytesPerSecond);
