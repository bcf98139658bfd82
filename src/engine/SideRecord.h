// The side record: attributes, time and size of one side's file of a pair, as the comparison rules see it.
#pragma once

#include "platform/FileInfo.h"
#include "platform/FileTime.h"

#include <cstdint>

// A missing file has an all-zero record; a present one never has time 0.
struct cSideRecord {
    std::uint32_t Attributes = 0;
    platform::FileTime Time = 0; // UTC or local, by the profile's UseUTC
    std::int64_t Size = 0;

    bool Exists() const { return Time != 0; }
    bool operator==(const cSideRecord&) const = default;
};

// The record of a file found on disk. Its UTC time is kept as it is when useUtc is set, otherwise converted to
// local time. A time that would come out as 0 is moved by one tick so that the file still counts as present.
cSideRecord SideRecordFromFileInfo(const platform::FileInfo& info, bool useUtc);
