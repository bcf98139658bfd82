#include "profile/DocumentFile.h"

#include "platform/ErrorCodes.h"
#include "profile/BatchFormat.h"
#include "profile/LegacyFormats.h"
#include "profile/LineReader.h"
#include "profile/LineWriter.h"
#include "profile/Parameters.h"
#include "profile/ProfileFormat.h"

#include <string>
#include <string_view>

namespace {

// After a failed read no document is open. While a batch runs the main window keeps showing the batch file,
// so only the profile's name changes then.
void EmptyDocument(cParameters& params) {
    params.DocumentKind = kNoDocument;
    params.LegacyFormat = false;
    params.ProfileFile = kNoFile;
    if (!params.BatchRunning) {
        params.BatchFile.clear();
        params.DocumentFile = params.ProfileFile;
    }
    params.Untitled = true;
    params.Modified = false;
}

// Reads the rest of a document by its first line, compared exactly: a current profile, a current batch file
// or one of the earlier formats. Returns 0 or the error code: 2002 for an unknown first line, otherwise the
// reader's code (2002 when it has none).
[[nodiscard]] int ReadDocumentContents(std::string_view firstLine, cLineReader& lines, cParameters& params) {
    bool read = false;
    if (firstLine == kProfileMagic)
        read = ReadProfile(lines, params);
    else if (firstLine == kBatchMagic)
        read = ReadBatch(lines, params);
    else if (IsLegacyFormat(firstLine))
        read = ReadLegacyDocument(firstLine, lines, params);
    else
        return platform::kBadFormat;
    if (read) return platform::kSuccess;
    return lines.Error() != 0 ? lines.Error() : platform::kBadFormat;
}

} // namespace

int cParameters::ReadDocument(const std::string& fileName) {
    int error = platform::kSuccess;
    {
        cLineReader lines;
        std::string firstLine;
        if (lines.Open(fileName) && lines.ReadText(firstLine))
            error = ReadDocumentContents(firstLine, lines, *this);
        else
            error = lines.Error() != 0 ? lines.Error() : platform::kBadFormat;
    }
    if (error != platform::kSuccess) {
        EmptyDocument(*this);
        return error;
    }

    if (DocumentKind == kBatchDocument) {
        ProfileFile.clear();
        BatchFile = fileName;
        DocumentFile = fileName;
        Programm.LastFile = fileName;
    } else {
        ReadLastRun(fileName);
        ProfileFile = fileName;
        if (!BatchRunning) {
            BatchFile.clear();
            DocumentFile = fileName;
            Programm.LastFile = fileName;
        }
    }
    Untitled = false;
    Modified = false;
    return platform::kSuccess;
}

int cParameters::WriteDocument(const std::string& fileName) {
    cLineWriter lines;
    int error = platform::kSuccess;
    if (DocumentKind == kProfileDocument)
        WriteProfile(*this, lines);
    else if (DocumentKind == kBatchDocument)
        WriteBatch(*this, lines);
    else
        error = platform::kBadFormat; // no document is open: there is nothing that could be written
    // The new text goes to a temporary file that replaces the old one only when complete, so a failed write
    // leaves the old file as it was.
    if (error == platform::kSuccess) error = lines.Commit(fileName, kDocumentFileMode);
    if (error != platform::kSuccess) return error;

    LegacyFormat = false;
    if (DocumentKind == kProfileDocument) {
        ReadLastRun(fileName);
        ProfileFile = fileName;
        BatchFile.clear();
    } else {
        ProfileFile.clear();
        BatchFile = fileName;
    }
    DocumentFile = fileName;
    Programm.LastFile = fileName;
    Untitled = false;
    Modified = false;
    return platform::kSuccess;
}
