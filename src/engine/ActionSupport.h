// The file operations that several action phases share, each with its log event and counter.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

struct cRun;
struct cCandidate;
namespace platform {
class CopySession;
}

enum class eSide { Source, Dest };
enum class eInterruptionAnswer;
struct cRunState;

// The native root and directory entry of one side of a candidate.
std::string SideRoot(const cRun& run, eSide side);
std::string SideDirectory(const cRun& run, const cCandidate& candidate, eSide side);

// True when the relative directory is a real directory below the side's root, reached through no symlink.
bool IsDirectoryBelow(const cRun& run, eSide side, const std::string& relativeDirectory);

// 0 when both directories of a candidate are reached without a symlink (or do not exist yet), else the code
// (kLinkInPath): no file is read, written or deleted through a link planted in a tree. With a session, the
// directories checked stay open in it, and its copies go through them.
[[nodiscard]] int ReachCandidate(const cRun& run, const cCandidate& candidate,
                                 platform::CopySession* session = nullptr);

// Deletes one side's file of a candidate (into the trash when Recycle is set) and logs it (30204, or 30205
// with one error). A read-only file is deleted only when Attributes allows changing read-only files
// (eAttributeChange::ReadOnly); otherwise -102. Returns the code, which the log and the error count hold already.
[[nodiscard]] int DeleteSide(cRun& run, const cCandidate& candidate, eSide side);

// Creates every missing level of the relative directory below the side's root (never the root itself), logging
// each level (30206, or 30207 with one error); a directory that exists already costs one check and creates
// nothing. A failed level does not stop the walk, a level that is a symlink does (30207 with kLinkInPath).
// A level whose counterpart on the other side is a directory grants no more access than that one; mirrored is
// the directory of the other side that relativeDirectory pairs with. Returns the number of levels created.
int CreateDirectoryPath(cRun& run, eSide side, const std::string& relativeDirectory, const std::string& mirrored);

// What a failed copy of the candidate at index does after the interruption dialog. size: the bytes its copy would
// have moved. Without an answer (nobody was asked) it is skipped and done; "Nochmal" processes it again;
// "Nächste Datei" skips it, "Nächster Ordner" its whole folder, "Löschen" turns it into a deletion, each then
// processed again under its new action; "Beenden" stops the run. Returns true when the candidate is done with.
bool AfterCopyFailure(cRunState& state, std::size_t index, std::int64_t size,
                      std::optional<eInterruptionAnswer> answer);

// Logs the outcome code of comparing a copied pair, a the copy's source and b its target as the user sees them:
// equal counts as verified and clears the candidate's pending verify; a difference or failure is an error
// (with the server's reply, when there is one) and asks message 30302. A comparison cut short by a stop is no
// finding. Returns true when the user wants it compared again.
bool ReportComparison(cRun& run, cCandidate& candidate, const std::string& a, const std::string& b, int code,
                      const std::string& serverReply = {});

// The verify of a destination whose files are compared as fetched copies (a zip archive, an FTP server), under
// the status "Vergleiche Dateien (Verify)...": verifyPair gets every candidate with a pending verify, the user's
// own temporary folder for the copies and folderCode 0, or the reason there is no such folder (then nothing may
// be fetched). The folder is removed afterwards when it is left empty.
void VerifyFetchedCopies(
    cRun& run, const std::function<void(cCandidate& candidate, const std::string& folder, int folderCode)>& verifyPair);
