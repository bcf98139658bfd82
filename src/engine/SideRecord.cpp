// Side records from the platform's file information.
#include "engine/SideRecord.h"

cSideRecord SideRecordFromFileInfo(const platform::FileInfo& info, bool useUtc) {
    cSideRecord record;
    record.Attributes = info.attributes;
    record.Time = useUtc ? info.lastWrite : platform::UtcToLocal(info.lastWrite);
    if (record.Time == 0) record.Time = 1;
    record.Size = info.size;
    return record;
}
