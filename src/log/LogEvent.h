// The numbers of the run's log events and the data an event carries.
#pragma once

#include <cstdint>
#include <string>

// Event numbers; each names the same situation as the user message of that number.
enum LogEventCode : int {
    kLogRunHeader = 30103,
    kLogTimeBase = 30104,
    kLogCopiedForward = 30201,
    kLogCopiedBackward = 30202,
    kLogSkipped = 30203,
    kLogDeleted = 30204,
    kLogDeleteFailed = 30205,
    kLogDirCreated = 30206,
    kLogDirCreateFailed = 30207,
    kLogDirDeleted = 30208,
    kLogCompared = 30301,
    kLogCompareFailed = 30302,
    kLogPropsForward = 30303,
    kLogPropsBackward = 30304,
    kLogPropsFailed = 30305,
    kLogSummary = 30306,
    kLogSnapshotRead = 30307,
    kLogSnapshotWritten = 30308,
    kLogStampListRead = 30309,
    kLogStampListWritten = 30310,
    kLogEmptySide = 30130,       // a side is empty while files would be deleted on the other
    kLogPathRefused = 30131,     // an expanded directory or name leaves its root
    kLogSnapshotRemoved = 30132, // an outdated snapshot was removed after a failed write
    kLogLeftoverRemoved = 30133, // a temporary file of a killed run was removed
    kLogProfileBusy = 30134,     // another run of the same profile is going on
    kLogSpecialSkipped = 30992,  // a FIFO, socket or device node, which is never copied
    kLogScanProblem = 30994,
    kLogCopyFailed = 30995,
    kLogAborted = 30997,
    kLogRunFooter = 30999,
};

// The counters of one run, as the summary shows them.
struct cRunCounters {
    int ForwardCount = 0;
    int BackwardCount = 0;
    int SkippedCount = 0;
    int DeletedCount = 0;
    int DirsDeletedCount = 0;
    int DirsCreatedCount = 0;
    int VerifiedCount = 0;
    int PropsForwardCount = 0;
    int PropsBackwardCount = 0;
    int ErrorCount = 0;
};

// What an event reports; each event reads only the fields it needs. Paths are native paths. Size, date and
// time texts are prepared by the caller ("1.234.567", "09.12.2026", "02:46:23") and empty for a missing file.
struct cLogEventData {
    std::string Path{};
    std::string PathSize{};
    std::string PathDate{};
    std::string PathTime{};
    std::string OtherPath{};
    std::string OtherSize{};
    std::string OtherDate{};
    std::string OtherTime{};
    int Code = 0; // error code, 0 = success
    int Number1 = 0;
    int Number2 = 0;
    std::string Text1{};
    std::string Text2{};
    cRunCounters Counters{};
    // The header's start kind (0 by hand .. 5 scheduler) or the footer's batch continuation condition.
    std::uint8_t Kind = 0;
    // The server's reply to a failed FTP command: the text of Code -302.
    std::string ServerReply{};
};
