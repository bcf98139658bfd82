#include "profile/BatchParameters.h"

std::string_view ContinuationText(int code) {
    switch (code) {
    case kContinueAlways:
        return "Immer weitermachen";
    case kContinueOnSuccess:
        return "Weitermachen bei Erfolg";
    case kContinueOnFailure:
        return "Weitermachen bei Misserfolg";
    default:
        return {};
    }
}

BatchEntry cBatchParameters::Entry(std::size_t index) const {
    return {ProfileDrives.Text(index), ProfileDirectories.Text(index), ProfileNames.Text(index),
            ProfileNames.Tag(index)};
}

void cBatchParameters::AddEntry(BatchEntry entry) {
    ProfileDrives.Add(std::move(entry.Drive));
    ProfileDirectories.Add(std::move(entry.Directory));
    ProfileNames.Add(std::move(entry.Name), entry.Continuation);
}
