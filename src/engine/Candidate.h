// The candidate: one file that a run acts on or lists as skipped, with the records of both sides.
#pragma once

#include "engine/ActionFlags.h"
#include "engine/SideRecord.h"
#include "platform/FileTime.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// Kinds of the objects that the preview list holds side by side.
inline constexpr char kKindCandidate = 'C';
inline constexpr char kKindFolder = 'F';
inline constexpr char kKindFtpStamp = 0;

// The common base of candidates, folders and FTP time-stamp entries. Lists that mix them tell them apart by
// Kind. Objects are owned and freed through their own type, never through this base.
struct cGeneric {
    char Kind;

    explicit cGeneric(char kind) : Kind(kind) {}
};

struct cCandidate : cGeneric {
    cCandidate() : cGeneric(kKindCandidate) {}

    int DirIndex = 0;      // index into the run's parallel source / destination directory lists
    std::string BaseName;  // file name without extension
    std::string Extension; // from the last "." on, dot included; may be empty
    std::int64_t SortSize = 0;
    platform::FileTime SortTime = 0;
    std::uint32_t SourceAttributes = 0;
    platform::FileTime SourceTime = 0; // 0 when the file is not in the source
    std::int64_t SourceSize = 0;
    double SourceDateTime = 0; // SourceTime in days since 30 December 1899, for display
    std::uint32_t DestAttributes = 0;
    platform::FileTime DestTime = 0; // 0 when the file is not in the destination
    std::int64_t DestSize = 0;
    double DestDateTime = 0;
    ActionFlags Flags = 0;

    ActionFlags Action() const { return Flags & kActionMask; }
    cSideRecord Source() const { return {SourceAttributes, SourceTime, SourceSize}; }
    cSideRecord Dest() const { return {DestAttributes, DestTime, DestSize}; }
};

// A time stamp that could not be shown as a date-time and was replaced (the file is then only skipped).
struct cStampCorrection {
    platform::DateTime Original;  // calendar fields of the stamp; all zero when it has none
    platform::DateTime Corrected; // the fields after correction
    std::string Text;             // the corrected value as "ddddd tt", for the log
};

struct cCreatedCandidate {
    std::unique_ptr<cCandidate> Candidate;
    std::optional<cStampCorrection> SourceCorrection;
    std::optional<cStampCorrection> DestCorrection;

    bool Corrected() const { return SourceCorrection || DestCorrection; }
};

// Builds a candidate from the outcome of a comparison rule. Sort size and time come from the side the action
// concerns (forward: source, backward: destination, skip and delete: the source when it exists, else the
// destination). A side whose time has no valid calendar date between the years 1 and 9999 gets a corrected
// display value and turns the action into skip; the caller reports each correction (event and message 30122)
// and counts one error per correction.
cCreatedCandidate CreateCandidate(int dirIndex, ActionFlags flags, const cSideRecord& source, const cSideRecord& dest,
                                  std::string baseName, std::string extension);

// Calendar fields as a date-time value in days since 30 December 1899 (the fraction is the time of day, taken
// away from negative days); std::nullopt unless year 1..9999, a valid day of the month, hour 0..23, minute and
// second 0..59, millisecond 0..999.
std::optional<double> EncodeDateTimeValue(const platform::DateTime& fields);
// The inverse: the time a date-time value stands for, to the millisecond.
platform::FileTime DecodeDateTimeValue(double value);

// What the user and the log see of one side of a candidate: its native path, and its size ("%.0n"), date
// ("ddddd") and time ("tt"), which are empty when the file does not exist on that side.
struct cSideTexts {
    std::string Path;
    std::string Size;
    std::string Date;
    std::string Time;
};

// The texts of the source (fromSource) or destination side; nativeRoot and dirList are that side's root and
// directory list.
cSideTexts SideTexts(const cCandidate& candidate, bool fromSource, const std::string& nativeRoot,
                     const std::vector<std::string>& dirList);
