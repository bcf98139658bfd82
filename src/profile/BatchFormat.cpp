#include "profile/BatchFormat.h"

#include "profile/DocumentRows.h"
#include "profile/LineReader.h"
#include "profile/LineWriter.h"
#include "profile/Parameters.h"

#include <utility>

namespace {

// The options after the entries (rows 4 to 20), in file order, for cRowReader or cRowWriter.
template <class Rows, class Batch> void BatchOptionRows(Rows& rows, Batch& b) {
    rows.Bool(b.ChecksOverride);
    rows.Bool(b.ShowPreview);
    rows.Bool(b.WarningsOverride);
    rows.Bool(b.Warning1Message);
    rows.Bool(b.Warning1Sound);
    rows.Bool(b.Warning2Message);
    rows.Bool(b.Warning2Sound);
    rows.Bool(b.Warning3Message);
    rows.Bool(b.Warning3Sound);
    rows.Bool(b.Warning4Message);
    rows.Bool(b.Warning4Sound);
    rows.Bool(b.AutoOpen);
    rows.Bool(b.AutoHook);
    rows.Bool(b.AutoExit);
    rows.Number(b.AutoShutdown);
    rows.Bool(b.TrayIcon);
    rows.Schedule(b.Schedule);
}

} // namespace

bool ReadBatch(cLineReader& lines, cParameters& params) {
    params.ResetBatch();
    cRowReader rows(lines);
    int count = 0;
    if (rows.Count(count)) {
        for (int i = 0; i < count; ++i) {
            BatchEntry entry;
            rows.Text(entry.Drive);
            rows.Text(entry.Directory);
            rows.Text(entry.Name);
            rows.Number(entry.Continuation);
            if (!rows.Ok()) break;
            params.Batch.AddEntry(std::move(entry));
        }
    }
    BatchOptionRows(rows, params.Batch);
    if (!rows.Ok()) return false;
    params.DocumentKind = kBatchDocument;
    params.LegacyFormat = false;
    return true;
}

void WriteBatch(const cParameters& params, cLineWriter& lines) {
    lines.AddText(kBatchMagic);
    const cBatchParameters& batch = params.Batch;
    lines.AddNumber(static_cast<std::int64_t>(batch.EntryCount()));
    for (std::size_t i = 0; i < batch.EntryCount(); ++i) {
        BatchEntry entry = batch.Entry(i);
        lines.AddText(entry.Drive);
        lines.AddText(entry.Directory);
        lines.AddText(entry.Name);
        lines.AddNumber(entry.Continuation);
    }
    cRowWriter rows(lines);
    BatchOptionRows(rows, batch);
}
