// The action phases of a run on an FTP server: deletions, copies (uploads and downloads), verify, empty
// directories and all directories, with the log events, counters and dialogs of the directory destination.
#include "engine/ActionSupport.h"
#include "engine/Candidate.h"
#include "engine/FtpRun.h"
#include "engine/RunContext.h"
#include "messages/PlaySignal.h"
#include "messages/UserInterface.h"
#include "platform/BelowRoot.h"
#include "platform/DirectoryOps.h"
#include "platform/ErrorCodes.h"
#include "platform/FileContents.h"
#include "platform/FileInfo.h"
#include "platform/FileRemoval.h"
#include "platform/FileStream.h"
#include "platform/Roots.h"
#include "profile/Parameters.h"

#include <set>
#include <thread>

namespace {

class cFtpPhases {
public:
    cFtpPhases(cRun& run, cFtpRun& ftp) : m_run(run), m_p(run.Params), m_s(run.State), m_ftp(ftp) {}

    void Run() {
        if (!m_s.NoFiles) {
            FlushLog(m_run.Log);
            if (!m_run.Stopping()) DeletePhase();
            FlushLog(m_run.Log);
            if (!m_run.Stopping()) CopyPhase();
            FlushLog(m_run.Log);
            if (m_p.Verify && !m_run.Stopping()) VerifyPhase();
        }
        FlushLog(m_run.Log);
        if (!m_run.Stopping()) EmptyDirectoriesPhase();
        FlushLog(m_run.Log);
        if (!m_run.Stopping()) CreateDirectoriesPhase();
        FlushLog(m_run.Log);
    }

private:
    // ---- Names and texts ----

    std::string FileName(const cCandidate& c) const { return c.BaseName + c.Extension; }
    const std::string& DestDir(const cCandidate& c) const { return m_s.DestDirList[Index(c)]; }
    const std::string& SourceDir(const cCandidate& c) const { return m_s.SourceDirList[Index(c)]; }
    static std::size_t Index(const cCandidate& c) { return static_cast<std::size_t>(c.DirIndex); }
    std::string LocalPath(const cCandidate& c) const {
        return platform::NativePath(m_s.NativeSourceRoot, SourceDir(c) + FileName(c));
    }
    cSideTexts SourceTexts(const cCandidate& c) const {
        return SideTexts(c, true, m_s.NativeSourceRoot, m_s.SourceDirList);
    }
    // The server's side: its size, date and time, and the path as the user sees it.
    cSideTexts DestTexts(const cCandidate& c) const {
        cSideTexts texts = SideTexts(c, false, m_s.NativeSourceRoot, m_s.DestDirList);
        texts.Path = m_ftp.TreeView.ShownPath(DestDir(c) + FileName(c));
        return texts;
    }
    std::string ShownDirectory(const std::string& relative) const { return m_ftp.TreeView.ShownPath(relative); }

    // ---- Deletions ----

    void DeletePhase() {
        m_run.Ui.ShowStatus("Suche zu löschende Dateien...", static_cast<int>(m_s.Candidates.size()));
        int position = 0;
        for (const auto& c : m_s.Candidates) {
            if (m_run.Stopping()) break;
            m_run.Ui.StepStatus(++position);
            if (c->Action() == kActionDelete && (c->Flags & kFlagDone) == 0) DeleteBoth(*c);
        }
        m_run.Ui.HideStatus();
    }

    void DeleteBoth(cCandidate& c) {
        // A failure is logged and counted; the other side is deleted all the same.
        if (c.SourceTime != 0) (void)DeleteSide(m_run, c, eSide::Source);
        if (c.DestTime != 0) DeleteRemote(c);
        c.Flags |= kFlagDone;
    }

    void DeleteRemote(const cCandidate& c) {
        const cSideTexts texts = DestTexts(c);
        cLogEventData data{.Path = texts.Path, .PathSize = texts.Size, .PathDate = texts.Date, .PathTime = texts.Time};
        const int code = m_ftp.Model.Delete(DestDir(c), FileName(c));
        if (code == 0) {
            m_run.Event(kLogDeleted, data);
            ++m_s.Counters.DeletedCount;
            return;
        }
        data.Code = code;
        data.ServerReply = m_ftp.Model.LastErrorMessage;
        m_run.Event(kLogDeleteFailed, data);
        ++m_s.Counters.ErrorCount;
    }

    // ---- Copies ----

    struct cTransfer {
        bool Forward = true;
        cSideTexts From;
        cSideTexts To;
        std::int64_t Size = 0;
    };

    cTransfer TransferOf(const cCandidate& c) const {
        if (c.Action() == kActionBackward) return {false, DestTexts(c), SourceTexts(c), c.DestSize};
        return {true, SourceTexts(c), DestTexts(c), c.SourceSize};
    }

    static cLogEventData TransferData(const cTransfer& t, int code = 0, const std::string& reply = {}) {
        return {.Path = t.From.Path,
                .PathSize = t.From.Size,
                .PathDate = t.From.Date,
                .PathTime = t.From.Time,
                .OtherPath = t.To.Path,
                .OtherSize = t.To.Size,
                .OtherDate = t.To.Date,
                .OtherTime = t.To.Time,
                .Code = code,
                .ServerReply = code == platform::kFtpCommandFailed ? reply : std::string()};
    }

    static cInterruptionInfo InfoOf(const cTransfer& t, int code) {
        return {t.From.Path, t.From.Size, t.From.Date, t.From.Time, t.To.Path, t.To.Size, t.To.Date, t.To.Time, code};
    }

    void CopyPhase() {
        m_s.BytesCopied = 0;
        m_run.Ui.BeginProgress(m_s.BytesToCopy);
        std::size_t i = 0;
        while (i < m_s.Candidates.size() && !m_run.Stopping()) {
            if (Process(*m_s.Candidates[i], i)) ++i;
        }
        m_run.Ui.EndProgress();
    }

    // Carries out one candidate; false when it is to be processed again (after an answer of the interruption
    // dialog).
    bool Process(cCandidate& c, std::size_t index) {
        if ((c.Flags & kFlagDone) != 0) return true;
        switch (c.Action()) {
        case kActionSkip: {
            const cTransfer t{true, SourceTexts(c), DestTexts(c)};
            m_run.Event(kLogSkipped, TransferData(t));
            ++m_s.Counters.SkippedCount;
            c.Flags |= kFlagDone;
            return true;
        }
        case kActionDelete:
            DeleteBoth(c);
            return true;
        case kActionForward:
        case kActionBackward:
            break;
        default:
            return true;
        }
        const cTransfer t = TransferOf(c);
        m_run.Ui.ShowCopiedFile(InfoOf(t, 0));
        PrepareDirectory(c, t.Forward);
        // A server cannot take the properties alone: a pair that differs only in them is skipped.
        if ((c.Flags & kFlagCopyContent) == 0) {
            m_run.Event(kLogSkipped, TransferData(t));
            ++m_s.Counters.SkippedCount;
            c.Flags |= kFlagDone;
            return true;
        }
        const int code = t.Forward ? Upload(c) : Download(c);
        if (code == 0) {
            m_run.Event(t.Forward ? kLogCopiedForward : kLogCopiedBackward, TransferData(t));
            m_s.BytesCopied += t.Size;
            ++(t.Forward ? m_s.Counters.ForwardCount : m_s.Counters.BackwardCount);
            c.Flags |= kFlagDone;
            if (m_p.Verify) c.Flags |= kFlagVerifyPending;
            return true;
        }
        // Stopped by the window's button or Ctrl+C: what arrived was removed, and the run ends without an error.
        if (code == platform::kCancelled && m_s.AbortRequested) return true;
        return Failed(t, code, index);
    }

    // Once per directory pair: the target's directory is created when the profile allows it.
    void PrepareDirectory(const cCandidate& c, bool forward) {
        if (c.DirIndex == m_lastDirIndex) return;
        m_lastDirIndex = c.DirIndex;
        if (forward && m_p.CreateDestDirs) CreateRemoteDirectory(DestDir(c));
        if (!forward && m_p.CreateSrcDirs) CreateDirectoryPath(m_run, eSide::Source, SourceDir(c), {});
    }

    void CreateRemoteDirectory(const std::string& directory) {
        if (m_ftp.TreeView.Exists(directory)) return;
        m_ftp.Model.CreateRemoteDirectory(directory, [this](const std::string& level, int code) {
            if (code == 0) {
                m_run.Event(kLogDirCreated, {.Path = ShownDirectory(level)});
                ++m_s.Counters.DirsCreatedCount;
            } else {
                m_run.Event(kLogDirCreateFailed,
                            {.Path = ShownDirectory(level), .Code = code, .ServerReply = m_ftp.Model.LastErrorMessage});
                ++m_s.Counters.ErrorCount;
            }
        });
        m_ftp.TreeView.NoteDirectoryCreated(directory);
    }

    // Whether the run's transfer is to end now (the window's buttons, Ctrl+C).
    bool Interrupted() { return m_run.Stopping() || m_s.InterruptRequested; }

    int Upload(const cCandidate& c) {
        if (const int reach = platform::CheckDirectoryBelow(m_s.NativeSourceRoot, SourceDir(c)); reach != 0)
            return reach;
        const std::string local = LocalPath(c);
        platform::FileInfo before;
        if (const int code = platform::GetFileInfo(local, before); code != 0) return code;
        if (before.IsSymlink()) return platform::kNotRegularFile; // a server cannot hold a link as a link
        platform::InputFile in;
        if (const int code = in.Open(local); code != 0) return code;
        std::int64_t sent = 0;
        const FtpDataSource source = [&](std::span<char> buffer, std::size_t& got) -> int {
            if (Interrupted()) return platform::kCancelled;
            if (const int code = in.Read(buffer, got); code != 0) return code;
            if (got == 0) {
                // A source that changed while it was sent is no good copy: the transfer fails and goes.
                platform::FileInfo after;
                if (platform::GetFileInfo(local, after) != 0 || after.size != before.size ||
                    after.lastWrite != before.lastWrite || sent != before.size)
                    return platform::kSourceChanged;
                return 0;
            }
            sent += static_cast<std::int64_t>(got);
            m_run.Ui.ReportProgress(static_cast<std::int64_t>(got), sent, local);
            return 0;
        };
        m_ftp.Model.msFTPClient.Stop.Interrupt = &m_s.InterruptRequested;
        const int code = m_ftp.Model.Upload(source, DestDir(c), FileName(c), before.lastWrite);
        m_ftp.Model.msFTPClient.Stop.Interrupt = nullptr;
        return code;
    }

    // Downloads a remote file into a temporary file that becomes nativeTarget once complete, with the given
    // time. Returns 0 or the code; nothing is left behind on failure.
    int Fetch(const cCandidate& c, const std::string& nativeTarget, platform::FileTime lastWrite,
              eFtpTransferKind kind) {
        platform::ReplacementFile out;
        if (const int code = out.Create(nativeTarget); code != 0) return code;
        std::int64_t received = 0;
        const FtpDataSink sink = [&](std::string_view bytes) -> int {
            if (Interrupted()) return platform::kCancelled;
            if (const int code = out.Write(bytes); code != 0) return code;
            received += static_cast<std::int64_t>(bytes.size());
            if (kind == kTransferDownload)
                m_run.Ui.ReportProgress(static_cast<std::int64_t>(bytes.size()), received, nativeTarget);
            return 0;
        };
        m_ftp.Model.msFTPClient.Stop.Interrupt = &m_s.InterruptRequested;
        int code = m_ftp.Model.Download(DestDir(c), FileName(c), sink, kind);
        m_ftp.Model.msFTPClient.Stop.Interrupt = nullptr;
        if (code == 0) code = out.Publish(lastWrite);
        return code;
    }

    int Download(const cCandidate& c) {
        // The name came from the server: it must stand for one entry of the source directory, reached without
        // a link, so that nothing is ever written outside the source root.
        if (!IsRemoteEntryName(FileName(c))) return platform::kInvalidName;
        if (const int reach = platform::CheckDirectoryBelow(m_s.NativeSourceRoot, SourceDir(c)); reach != 0)
            return reach;
        const platform::FileTime remote = m_p.UseUTC ? c.DestTime : platform::LocalToUtc(c.DestTime);
        return Fetch(c, LocalPath(c), remote, kTransferDownload);
    }

    // Logs the failure and asks what to do; false when the candidate is to be processed again.
    bool Failed(const cTransfer& t, int code, std::size_t index) {
        m_run.Ui.SetProgressPaused(true);
        m_s.LastErrorMessage = m_ftp.Model.LastErrorMessage;
        m_run.Event(kLogCopyFailed, TransferData(t, code, m_ftp.Model.LastErrorMessage));
        ++m_s.Counters.ErrorCount;
        PlaySignal(m_run.Ui, m_p.Warning4Sound, m_p.Warning4Beep, m_p.Warning4File, m_p.SyncSounds);
        std::optional<eInterruptionAnswer> answer;
        if (m_p.Warning4Message || m_s.InterruptRequested) answer = m_run.Ui.AskInterruption(InfoOf(t, code));
        m_s.InterruptRequested = false;
        m_run.Ui.SetProgressPaused(false);
        if (answer) m_lastDirIndex = -1; // processing again repeats the directory check
        return AfterCopyFailure(m_s, index, t.Size, answer);
    }

    // ---- Verify ----

    void VerifyPhase() {
        m_run.Ui.ShowStatus("Vergleiche Dateien (Verify)...", static_cast<int>(m_s.Candidates.size()));
        // The server may still be settling the last upload.
        for (int waited = 0; waited < 10 && !m_run.Stopping(); ++waited)
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        VerifyFetchedCopies(m_run, [this](cCandidate& c, const std::string& folder, int folderCode) {
            VerifyPair(c, folder, folderCode);
        });
    }

    // folderCode: 0 when folder is the program's own temporary folder, else the reason it is not.
    void VerifyPair(cCandidate& c, const std::string& folder, int folderCode) {
        const std::string local = LocalPath(c);
        const std::string remote = DestTexts(c).Path;
        const std::string copy = folder + "/" + FileName(c);
        for (;;) {
            int code = folderCode != 0                  ? folderCode
                       : IsRemoteEntryName(FileName(c)) ? Fetch(c, copy, 0, kTransferVerify)
                                                        : platform::kInvalidName;
            if (code == 0) code = platform::CompareContents(local, copy, [this] { return !m_run.Stopping(); });
            (void)platform::RemoveFile(copy);
            if (!ReportComparison(m_run, c, local, remote, code, m_ftp.Model.LastErrorMessage)) return;
        }
    }

    // ---- Directories ----

    bool LocalDirectoryExists(const std::string& relative) const {
        return platform::CheckDirectoryBelow(m_s.NativeSourceRoot, relative) == 0;
    }

    void RemoveRemoteIfEmpty(const std::string& relative) {
        if (relative.find_first_not_of('\\') == std::string::npos) return; // never the server's root
        if (m_removed.contains(relative) || m_ftp.Model.RemoveRemoteDirectory(relative) != 0) return;
        m_removed.insert(relative);
        m_run.Event(kLogDirDeleted, {.Path = ShownDirectory(relative)});
        ++m_s.Counters.DirsDeletedCount;
    }

    void RemoveLocalIfEmpty(const std::string& relative) {
        if (relative.find_first_not_of('\\') == std::string::npos || !LocalDirectoryExists(relative)) return;
        const std::string path = platform::NativePath(m_s.NativeSourceRoot, relative);
        if (platform::RemoveEmptyDirectory(path) != 0) return;
        m_run.Event(kLogDirDeleted, {.Path = path});
        ++m_s.Counters.DirsDeletedCount;
    }

    void EmptyDirectoriesPhase() {
        const bool source = m_p.DeleteEmptySrcDirs && m_p.TouchSrc;
        const bool dest = m_p.DeleteEmptyDestDirs && m_p.TouchDest;
        if (!source && !dest) return;
        m_run.Ui.ShowStatus("Suche leere Verzeichnisse...", 0);
        // Deeper directories come later in the lists, so going backwards empties children first. A directory
        // that the other side has is mirrored, not empty: removing it would only have it created again.
        for (std::size_t i = m_s.SourceDirList.size(); i-- > 0 && !m_run.Stopping();) {
            const bool localThere = LocalDirectoryExists(m_s.SourceDirList[i]);
            if (source && !m_ftp.TreeView.Exists(m_s.DestDirList[i])) RemoveLocalIfEmpty(m_s.SourceDirList[i]);
            if (dest && !localThere) RemoveRemoteIfEmpty(m_s.DestDirList[i]);
        }
        if (dest) {
            RemoveRemoteIfEmpty(m_p.ResolvedDestDirectory);
            RemoveRemoteIfEmpty(m_p.DestDirectory);
        }
        m_run.Ui.HideStatus();
    }

    void CreateDirectoriesPhase() {
        const bool source = m_p.CreateAllSrcDirs && m_p.TouchSrc;
        const bool dest = m_p.CreateAllDestDirs && m_p.TouchDest;
        if (!source && !dest) return;
        m_run.Ui.ShowStatus("Erstelle Verzeichnisse...", 0);
        for (std::size_t i = 0; i < m_s.SourceDirList.size() && i < m_s.DestDirList.size(); ++i) {
            if (m_run.Stopping()) break;
            const bool localThere = LocalDirectoryExists(m_s.SourceDirList[i]);
            if (source && !localThere &&
                m_ftp.Model.msFTPClient.ChangeDirectory(TFtpMdl::RemotePath(m_s.DestDirList[i])) == 0)
                CreateDirectoryPath(m_run, eSide::Source, m_s.SourceDirList[i], {});
            if (dest && localThere) CreateRemoteDirectory(m_s.DestDirList[i]);
        }
        m_ftp.Model.CurrentRemoteDir = "*"; // the working directory moved
        m_run.Ui.HideStatus();
    }

    cRun& m_run;
    const cParameters& m_p;
    cRunState& m_s;
    cFtpRun& m_ftp;
    int m_lastDirIndex = -1;
    std::set<std::string> m_removed;
};

} // namespace

void cFtpRun::Execute(cRun& run) {
    cFtpPhases(run, *this).Run();
}
