// The copy phase: every planned copy and property transfer in the order of the candidate list, with the
// progress display and the handling of a failed copy.
#include "engine/CopyPhase.h"

#include "engine/ActionSupport.h"
#include "engine/Candidate.h"
#include "engine/RunContext.h"
#include "messages/PlaySignal.h"
#include "messages/UserInterface.h"
#include "platform/ErrorCodes.h"
#include "platform/FileCopy.h"
#include "platform/FileInfo.h"
#include "platform/FileProperties.h"
#include "platform/Roots.h"
#include "profile/Parameters.h"

namespace {

// One candidate's copy: which way it goes and both sides' paths and texts.
struct cTransfer {
    bool Forward = true;
    cSideTexts From;
    cSideTexts To;
    std::uint32_t FromAttributes = 0;
    std::uint32_t ToAttributes = 0;
    std::int64_t Size = 0; // the bytes the copy moves
};

// The bytes a candidate's copy moves: the destination's file for a backward copy, else the source's.
std::int64_t TransferSize(const cCandidate& c) {
    return c.Action() == kActionBackward ? c.DestSize : c.SourceSize;
}

cTransfer TransferOf(const cRun& run, const cCandidate& c) {
    const cRunState& s = run.State;
    const cSideTexts source = SideTexts(c, true, s.NativeSourceRoot, s.SourceDirList);
    const cSideTexts dest = SideTexts(c, false, s.NativeDestRoot, s.DestDirList);
    if (c.Action() == kActionBackward)
        return {false, dest, source, c.DestAttributes, c.SourceAttributes, TransferSize(c)};
    return {true, source, dest, c.SourceAttributes, c.DestAttributes, TransferSize(c)};
}

cLogEventData TransferData(const cTransfer& t, int code = 0) {
    return {.Path = t.From.Path,
            .PathSize = t.From.Size,
            .PathDate = t.From.Date,
            .PathTime = t.From.Time,
            .OtherPath = t.To.Path,
            .OtherSize = t.To.Size,
            .OtherDate = t.To.Date,
            .OtherTime = t.To.Time,
            .Code = code};
}

class cCopyPhase {
public:
    explicit cCopyPhase(cRun& run) : m_run(run), m_p(run.Params), m_s(run.State) {}

    void Run() {
        m_s.BytesCopied = 0;
        m_run.Ui.BeginProgress(m_s.BytesToCopy);
        std::size_t i = 0;
        while (i < m_s.Candidates.size() && !m_run.Stopping()) {
            if (Process(*m_s.Candidates[i], i)) ++i;
        }
        m_run.Ui.EndProgress();
    }

private:
    // Carries out one candidate; false when it is to be processed again (after an answer of the interruption
    // dialog).
    bool Process(cCandidate& c, std::size_t index) {
        if ((c.Flags & kFlagDone) != 0) return true;
        switch (c.Action()) {
        case kActionSkip:
            Skip(c);
            return true;
        case kActionDelete:
            DeleteBoth(c);
            return true;
        case kActionForward:
        case kActionBackward:
            break;
        default:
            return true;
        }
        const cTransfer t = TransferOf(m_run, c);
        m_run.Ui.ShowCopiedFile(
            {t.From.Path, t.From.Size, t.From.Date, t.From.Time, t.To.Path, t.To.Size, t.To.Date, t.To.Time, 0});
        PrepareDirectory(c, t.Forward);
        if (m_reach != 0) {
            Unreachable(c, t, m_reach);
            return true;
        }
        const bool prepared = PrepareTarget(t);
        if ((c.Flags & kFlagCopyContent) == 0) {
            TransferProperties(c, t);
            return true;
        }
        m_copied = false;
        m_modeComplete = false;
        const bool done = Copy(c, t, index);
        // A copy that did not replace the target gives it back its attributes.
        if (prepared && !m_copied) (void)platform::SetAttributes(t.To.Path, t.ToAttributes);
        return done;
    }

    // A directory of the pair is reached through a symlink: nothing is read or written there.
    void Unreachable(cCandidate& c, const cTransfer& t, int code) {
        m_run.Event((c.Flags & kFlagCopyContent) != 0 ? kLogCopyFailed : kLogPropsFailed, TransferData(t, code));
        ++m_s.Counters.ErrorCount;
        m_s.BytesToCopy -= t.Size;
        c.Flags |= kFlagDone;
    }

    void Skip(cCandidate& c) {
        const cSideTexts source = SideTexts(c, true, m_s.NativeSourceRoot, m_s.SourceDirList);
        const cSideTexts dest = SideTexts(c, false, m_s.NativeDestRoot, m_s.DestDirList);
        m_run.Event(kLogSkipped, TransferData({true, source, dest}));
        ++m_s.Counters.SkippedCount;
        c.Flags |= kFlagDone;
    }

    void DeleteBoth(cCandidate& c) {
        // A failure is logged and counted there; the other side is deleted all the same.
        if (c.SourceTime != 0) (void)DeleteSide(m_run, c, eSide::Source);
        if (c.DestTime != 0) (void)DeleteSide(m_run, c, eSide::Dest);
        c.Flags |= kFlagDone;
    }

    // Once per directory pair: the target's directory is created when the profile allows it, and both
    // directories are checked to be reached without a symlink (m_reach).
    void PrepareDirectory(const cCandidate& c, bool forward) {
        if (c.DirIndex == m_lastDirIndex) return;
        m_lastDirIndex = c.DirIndex;
        m_session.ForgetDirectories(); // the copies go through the pair's directories as checked below
        const eSide side = forward ? eSide::Dest : eSide::Source;
        const std::string directory = SideDirectory(m_run, c, side);
        if (forward ? m_p.CreateDestDirs : m_p.CreateSrcDirs)
            CreateDirectoryPath(m_run, side, directory, SideDirectory(m_run, c, forward ? eSide::Source : eSide::Dest));
        m_reach = ReachCandidate(m_run, c, &m_session);
    }

    // Clears the target's read-only, hidden and system attributes as far as the profile allows changing them;
    // true when that changed them.
    bool PrepareTarget(const cTransfer& t) {
        if (t.To.Size.empty()) return false;
        std::uint32_t attributes = t.ToAttributes;
        if (AllowsChange(m_p.Attributes, eAttributeChange::ReadOnly)) attributes &= ~platform::kAttributeReadOnly;
        if (AllowsChange(m_p.Attributes, eAttributeChange::Hidden)) attributes &= ~platform::kAttributeHidden;
        if (AllowsChange(m_p.Attributes, eAttributeChange::System)) attributes &= ~platform::kAttributeSystem;
        return attributes != t.ToAttributes && platform::SetAttributes(t.To.Path, attributes) == 0;
    }

    // The mode is the Linux form of the attributes and always goes over; the access list and the owner go as
    // the profile's options say, exactly as the comparison that found the difference looked at them.
    platform::PropertyParts PropertyParts() const {
        return {.mode = true, .accessList = m_p.TransferPermissions, .owner = m_p.TransferOwner};
    }

    void TransferProperties(cCandidate& c, const cTransfer& t) {
        const int code = platform::TransferProperties(t.From.Path, t.To.Path, PropertyParts());
        if (code != 0) {
            m_run.Event(kLogPropsFailed, TransferData(t, code));
            ++m_s.Counters.ErrorCount;
        } else if (t.Forward) {
            m_run.Event(kLogPropsForward, TransferData(t));
            ++m_s.Counters.PropsForwardCount;
        } else {
            m_run.Event(kLogPropsBackward, TransferData(t));
            ++m_s.Counters.PropsBackwardCount;
        }
        c.Flags |= kFlagDone;
    }

    bool Copy(cCandidate& c, const cTransfer& t, std::size_t index) {
        std::int64_t reported = 0;
        platform::CopyOptions options;
        options.ownCopy = m_p.MyCopy;
        options.session = &m_session;
        options.modeComplete = &m_modeComplete;
        options.progress = [&](std::int64_t bytesSoFar) {
            // A copy whose source changed starts over: the bar waits until it passes what it showed before.
            const std::int64_t delta = bytesSoFar > reported ? bytesSoFar - reported : 0;
            m_run.Ui.ReportProgress(delta, bytesSoFar, t.From.Path);
            reported += delta;
            return !m_run.Stopping() && !m_s.InterruptRequested;
        };
        const int code = platform::CopyFileSafely(t.From.Path, t.To.Path, options);
        if (code == 0) {
            Copied(c, t);
            return true;
        }
        // Stopped (Ctrl+C, the window's button): the copy was rolled back and the run ends; no error.
        if (code == platform::kCancelled && m_run.Stopping()) return true;
        return Failed(t, code, index);
    }

    void Copied(cCandidate& c, const cTransfer& t) {
        m_copied = true;
        // The copy has the source's mode where the file system takes it whole; FAT takes only a read-only bit,
        // which this sets. Failures are no failure of the copy.
        if (!m_modeComplete || m_p.TransferPermissions || m_p.TransferOwner)
            (void)platform::TransferProperties(t.From.Path, t.To.Path, PropertyParts());
        m_run.Event(t.Forward ? kLogCopiedForward : kLogCopiedBackward, TransferData(t));
        m_s.BytesCopied += t.Size;
        ++(t.Forward ? m_s.Counters.ForwardCount : m_s.Counters.BackwardCount);
        c.Flags |= kFlagDone;
        if (m_p.Verify) c.Flags |= kFlagVerifyPending;
    }

    // Logs the failure and asks what to do; false when the candidate is to be processed again.
    bool Failed(const cTransfer& t, int code, std::size_t index) {
        m_run.Ui.SetProgressPaused(true);
        m_run.Event(kLogCopyFailed, TransferData(t, code));
        ++m_s.Counters.ErrorCount;
        PlaySignal(m_run.Ui, m_p.Warning4Sound, m_p.Warning4Beep, m_p.Warning4File, m_p.SyncSounds);
        std::optional<eInterruptionAnswer> answer;
        if (m_p.Warning4Message || m_s.InterruptRequested)
            answer = m_run.Ui.AskInterruption(
                {t.From.Path, t.From.Size, t.From.Date, t.From.Time, t.To.Path, t.To.Size, t.To.Date, t.To.Time, code});
        m_s.InterruptRequested = false;
        m_run.Ui.SetProgressPaused(false);
        if (answer) m_lastDirIndex = -1; // processing again repeats the directory check
        return AfterCopyFailure(m_s, index, t.Size, answer);
    }

    cRun& m_run;
    const cParameters& m_p;
    cRunState& m_s;
    int m_lastDirIndex = -1;
    int m_reach = 0;             // ReachCandidate of the directory pair m_lastDirIndex
    bool m_copied = false;       // the last copy replaced its target
    bool m_modeComplete = false; // the last copy took the source's whole mode (CopyOptions::modeComplete)
    platform::CopySession m_session;
};

} // namespace

void RunCopyPhase(cRun& run) {
    cCopyPhase(run).Run();
}
