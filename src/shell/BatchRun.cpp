#include "shell/BatchRun.h"

#include "engine/RunState.h"
#include "messages/UserMessage.h"
#include "profile/BatchEdit.h"
#include "profile/Parameters.h"
#include "profile/Variables.h"
#include "shell/DocumentBoxes.h"

#include <algorithm>

namespace {

constexpr int kAbandonBatchMessage = 30998;

// What the batch restores when it ends: the document is the batch file again.
struct cBatchDocument {
    explicit cBatchDocument(const cParameters& params)
        : DocumentFile(params.DocumentFile), BatchFile(params.BatchFile), Untitled(params.Untitled),
          Modified(params.Modified), LegacyFormat(params.LegacyFormat), Batch(params.Batch) {}

    void Restore(cParameters& params) const {
        params.DocumentFile = DocumentFile;
        params.BatchFile = BatchFile;
        params.Untitled = Untitled;
        params.Modified = Modified;
        params.LegacyFormat = LegacyFormat;
        params.Batch = Batch;
        params.DocumentKind = kBatchDocument;
    }

    std::string DocumentFile;
    std::string BatchFile;
    bool Untitled;
    bool Modified;
    bool LegacyFormat;
    cBatchParameters Batch;
};

// Reads the entry's profile. A batch file in a batch would replace the batch being run: it is refused.
bool ReadEntryProfile(cParameters& params, const cBatchSteps& steps, const cBatchDocument& batch,
                      const std::string& path) {
    if (ReadDocumentShowingError(steps.Ui, params, path) != 0) return false;
    if (params.DocumentKind == kProfileDocument) return true;
    batch.Restore(params);
    steps.Ui.ShowTimedMessage("Fehler beim Lesen von...", path, "Die Datei ist keine Profildatei.");
    return false;
}

void ApplyOverrides(cParameters& params, const cBatchParameters& batch) {
    if (batch.ChecksOverride) params.ShowPreview = batch.ShowPreview;
    if (!batch.WarningsOverride) return;
    params.Warning1Message = batch.Warning1Message;
    params.Warning1Sound = batch.Warning1Sound;
    params.Warning2Message = batch.Warning2Message;
    params.Warning2Sound = batch.Warning2Sound;
    params.Warning3Message = batch.Warning3Message;
    params.Warning3Sound = batch.Warning3Sound;
    params.Warning4Message = batch.Warning4Message;
    params.Warning4Sound = batch.Warning4Sound;
}

bool GoesOn(int continuation, bool succeeded) {
    if (continuation == kContinueOnSuccess) return succeeded;
    if (continuation == kContinueOnFailure) return !succeeded;
    return true;
}

} // namespace

std::uint8_t RunBatch(cParameters& params, const cBatchSteps& steps) {
    const cBatchDocument batch(params);
    params.BatchRunning = true;
    std::uint8_t worst = kRunSucceeded;
    bool stopped = false;
    for (const BatchEntry& entry : BatchEntries(batch.Batch)) {
        if (steps.EndRequested()) {
            worst = std::max(worst, kRunStopped);
            break;
        }
        if (stopped) {
            // The warnings are those of the profile run last, with the batch's overrides.
            if (UserMessage(steps.Ui, params.Warnings(), kAbandonBatchMessage) == eAnswer::Yes) {
                worst = std::max(worst, kRunStopped);
                break;
            }
            stopped = false;
        }
        const std::string path = ExpandVariables(BatchEntryPath(entry));
        if (!ReadEntryProfile(params, steps, batch, path)) {
            worst = kRunFailed;
            if (entry.Continuation == kContinueOnSuccess) break;
            continue;
        }
        ApplyOverrides(params, batch.Batch);
        const cBatchRunEnd end = steps.RunProfile(static_cast<std::uint8_t>(entry.Continuation));
        worst = std::max(worst, end.Result);
        stopped = end.Stopped;
        if (!GoesOn(entry.Continuation, end.Result == kRunSucceeded)) break;
    }
    batch.Restore(params);
    params.BatchRunning = false;
    return worst;
}
