// The phases of a run into a zip archive, in their order: task lists, the archive's directories, the password
// for adding, deletions, extraction and additions (written back in one step), the empty archive, verify, and
// the source's empty and missing directories.
#include "engine/ZipRun.h"

#include "engine/ActionSupport.h"
#include "engine/Candidate.h"
#include "engine/CheckDialogs.h"
#include "engine/DirectoryPass.h"
#include "engine/RunContext.h"
#include "messages/ErrorText.h"
#include "messages/PlaySignal.h"
#include "messages/UserInterface.h"
#include "platform/DirectoryOps.h"
#include "platform/ErrorCodes.h"
#include "platform/FileContents.h"
#include "platform/FileInfo.h"
#include "platform/FileRemoval.h"
#include "platform/Roots.h"
#include "profile/Parameters.h"

#include <algorithm>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace {

constexpr int kPasswordNeeded = 30109;
constexpr int kDeleteReadOnly = 30209;
constexpr int kDeletePartial = 30210;
constexpr int kExtractReadOnly = 30211;
constexpr int kExtractNoDirectory = 30212;
constexpr int kExtractPartial = 30213;
constexpr int kAddReadOnly = 30214;
constexpr int kAddNoDirectory = 30215;
constexpr int kAddPartial = 30216;
constexpr int kEmptyArchiveDeleted = 30217;
constexpr int kEmptyArchiveKept = 30218;
constexpr int kZipError = 30220;
constexpr int kPasswordRequestsPerFile = 3;

// One file of a batch: its candidate and its name in the archive.
struct cZipTask {
    cCandidate* Candidate = nullptr;
    std::string Entry;
    std::optional<platform::FileVersion> Version; // an addition's source as it was queued
};

std::string Caption(const cParameters& p) {
    const std::size_t slash = p.ProfileFile.rfind('/');
    return (slash == std::string::npos ? p.ProfileFile : p.ProfileFile.substr(slash + 1)) + " - Tolvan 6";
}

class cZipPhases {
public:
    cZipPhases(cRun& run, TZipMdl& mdl) : m_run(run), m_p(run.Params), m_s(run.State), m_mdl(mdl) {}

    void Execute() {
        if (!m_s.NoFiles && !m_run.Stopping()) {
            using Phase = void (cZipPhases::*)();
            constexpr Phase phases[] = {
                &cZipPhases::TaskLists, &cZipPhases::ArchiveDirectories, &cZipPhases::Password, &cZipPhases::Deletions,
                &cZipPhases::Copies,    &cZipPhases::EmptyArchive,       &cZipPhases::Verify};
            for (Phase phase : phases) {
                if (m_run.Stopping()) break;
                FlushLog(m_run.Log);
                (this->*phase)();
            }
        }
        // Whatever was queued and not written (a stop before the archive was written back) is dropped.
        m_mdl.Discard();
        if (m_run.Stopping()) return;
        FlushLog(m_run.Log);
        EmptySourceDirectories();
        if (m_run.Stopping()) return;
        CreateSourceDirectories();
        FlushLog(m_run.Log);
    }

private:
    cSideTexts Source(const cCandidate& c) const { return SideTexts(c, true, m_s.NativeSourceRoot, m_s.SourceDirList); }
    cSideTexts Dest(const cCandidate& c) const { return RunSideTexts(m_s, c, false); }
    static cLogEventData Pair(const cSideTexts& from, const cSideTexts& to, int code = 0) {
        return {.Path = from.Path,
                .PathSize = from.Size,
                .PathDate = from.Date,
                .PathTime = from.Time,
                .OtherPath = to.Path,
                .OtherSize = to.Size,
                .OtherDate = to.Date,
                .OtherTime = to.Time,
                .Code = code};
    }
    bool AllowsReadOnly() const { return AllowsChange(m_p.Attributes, eAttributeChange::ReadOnly); }
    std::string FileName(const cCandidate& c) const { return c.BaseName + c.Extension; }

    // Removes the tasks refused before a batch, each named with its code so that no file is left out without a
    // line; then their sum as one report and one question (No stops the run). The sum counts the errors.
    template <typename Predicate> void Refuse(std::vector<cZipTask>& tasks, int event, int code, Predicate refused) {
        int count = 0;
        std::erase_if(tasks, [&](const cZipTask& t) {
            if (!refused(t)) return false;
            ++count;
            const cCandidate& c = *t.Candidate;
            if (c.Action() == kActionDelete) {
                const cSideTexts dest = Dest(c);
                m_run.Event(kLogDeleteFailed, {.Path = dest.Path,
                                               .PathSize = dest.Size,
                                               .PathDate = dest.Date,
                                               .PathTime = dest.Time,
                                               .Code = code});
            } else if (c.Action() == kActionBackward) {
                m_run.Event(kLogCopyFailed, Pair(Dest(c), Source(c), code));
            } else {
                m_run.Event(kLogCopyFailed, Pair(Source(c), Dest(c), code));
            }
            return true;
        });
        Refused(event, count);
    }
    void Refused(int event, int count) {
        if (count == 0) return;
        m_run.Event(event, {.Number1 = count});
        m_s.Counters.ErrorCount += count;
        if (m_run.Ask(event, {.Number1 = count}) == eAnswer::No) m_s.AbortRequested = true;
    }
    // A batch the engine did not finish: the difference is one report and counts as errors.
    void Partial(int event, int done, int asked) {
        if (done == asked) return;
        m_run.Event(event, {.Number1 = done, .Number2 = asked});
        m_s.Counters.ErrorCount += asked - done;
        if (m_run.Ask(event, {.Number1 = done, .Number2 = asked}) == eAnswer::No) m_s.AbortRequested = true;
    }
    // After every file: an interruption stops a zip run.
    bool Interrupted() {
        if (m_s.InterruptRequested) {
            m_s.InterruptRequested = false;
            m_s.AbortRequested = true;
        }
        return m_run.Stopping();
    }

    void TaskLists() {
        m_run.Ui.ShowStatus("Baue die Aufgabenliste für das Zip-Archiv...", static_cast<int>(m_s.Candidates.size()));
        int position = 0;
        for (const auto& candidate : m_s.Candidates) {
            cCandidate& c = *candidate;
            m_run.Ui.StepStatus(++position);
            if ((c.Flags & kFlagDone) != 0) continue;
            const std::optional<std::string> entry = m_mdl.EntryName(SideDirectory(m_run, c, eSide::Dest), FileName(c));
            // The preview and the check dialogs never give a side the profile keeps untouched an action; should
            // one come here all the same, it is refused with a line rather than carried out.
            if (!KeepsUntouchedSides(c, c.Action(), m_s.Touched)) {
                Untouchable(c);
                continue;
            }
            switch (c.Action()) {
            case kActionForward:
                if (entry) m_add.push_back({&c, *entry, std::nullopt});
                break;
            case kActionBackward:
                if (entry) m_extract.push_back({&c, *entry, std::nullopt});
                break;
            case kActionSkip:
                m_run.Event(kLogSkipped, Pair(Source(c), Dest(c)));
                ++m_s.Counters.SkippedCount;
                c.Flags |= kFlagDone;
                break;
            case kActionDelete:
                if (c.SourceTime != 0) (void)DeleteSide(m_run, c, eSide::Source);
                if (c.DestTime != 0 && entry && m_mdl.Find(*entry) != nullptr)
                    m_delete.push_back({&c, *entry, std::nullopt});
                c.Flags |= kFlagDone;
                break;
            default:
                break;
            }
        }
        m_run.Ui.HideStatus();
    }

    void Untouchable(cCandidate& c) {
        if (c.Action() == kActionDelete) {
            // Nothing of the pair is deleted: a line for each side that has the file.
            for (const bool source : {true, false}) {
                if ((source ? c.SourceTime : c.DestTime) == 0) continue;
                const cSideTexts side = source ? Source(c) : Dest(c);
                m_run.Event(kLogDeleteFailed, {.Path = side.Path,
                                               .PathSize = side.Size,
                                               .PathDate = side.Date,
                                               .PathTime = side.Time,
                                               .Code = platform::kAccessDenied});
                ++m_s.Counters.ErrorCount;
            }
        } else {
            const bool backward = c.Action() == kActionBackward;
            m_run.Event(kLogCopyFailed, backward ? Pair(Dest(c), Source(c), platform::kAccessDenied)
                                                 : Pair(Source(c), Dest(c), platform::kAccessDenied));
            ++m_s.Counters.ErrorCount;
        }
        c.Flags |= kFlagDone;
    }

    // Every directory the archive holds, "/"-separated without a leading separator ("" for its root).
    void ArchiveDirectories() {
        const bool needed = !m_p.CreateDestDirs || (m_p.CreateAllSrcDirs && m_p.TouchSrc);
        if (!needed || m_haveDirectories) return;
        m_run.Ui.ShowStatus("Lese Verzeichnisse im Zip-Archiv...", static_cast<int>(m_mdl.Entries().size()));
        CollectArchiveDirectories();
        m_run.Ui.HideStatus();
    }
    void CollectArchiveDirectories() {
        m_haveDirectories = true;
        m_directories.insert("");
        int position = 0;
        for (const platform::ZipEntry& entry : m_mdl.Entries()) {
            m_run.Ui.StepStatus(++position);
            if (!platform::SafeEntryName(entry.name)) continue;
            std::string directory = entry.isDirectory ? entry.name : entry.name.substr(0, entry.name.rfind('/') + 1);
            while (!directory.empty() && directory.back() == '/')
                directory.pop_back();
            while (!directory.empty() && m_directories.insert(directory).second)
                directory.erase(directory.rfind('/') == std::string::npos ? 0 : directory.rfind('/'));
        }
    }
    bool ArchiveHolds(const std::string& entry) const {
        const std::size_t slash = entry.rfind('/');
        return m_directories.contains(slash == std::string::npos ? std::string() : entry.substr(0, slash));
    }

    void Password() {
        if (m_add.empty() || !m_p.ZipEncrypt || !m_mdl.Password().empty()) return;
        m_run.Event(kPasswordNeeded);
        PlaySignal(m_run.Ui, m_p.Warning3Sound, m_p.Warning3Beep, m_p.Warning3File, m_p.SyncSounds);
        std::optional<std::string> password;
        if (m_p.Warning3Message) password = m_run.Ui.AskZipAddPassword(Caption(m_p));
        if (password && !password->empty())
            m_mdl.SetPassword(*password);
        else
            m_s.AbortRequested = true;
    }

    void Deletions() {
        if (m_delete.empty()) return;
        m_run.Ui.ShowStatus("Lösche Dateien aus dem Zip-Archiv...", 0);
        if (!AllowsReadOnly()) {
            Refuse(m_delete, kDeleteReadOnly, platform::kFileReadOnly,
                   [this](const cZipTask& t) { return m_mdl.Find(t.Entry)->readOnly; });
        }
        m_deleteAsked = static_cast<int>(m_delete.size());
        std::erase_if(m_delete, [this](const cZipTask& t) {
            const int code = m_mdl.QueueDelete(t.Entry);
            if (code == 0) return false;
            const cSideTexts dest = Dest(*t.Candidate);
            m_run.Event(
                kLogDeleteFailed,
                {.Path = dest.Path, .PathSize = dest.Size, .PathDate = dest.Date, .PathTime = dest.Time, .Code = code});
            return true;
        });
        m_run.Ui.HideStatus();
    }

    void Copies() {
        const bool copies = !m_extract.empty() || !m_add.empty();
        if (copies) {
            m_s.BytesCopied = 0;
            m_run.Ui.BeginProgress(m_s.BytesToCopy);
            Extraction();
            if (!m_run.Stopping()) QueueAdditions();
        }
        if (!m_run.Stopping()) Write();
        if (copies) m_run.Ui.EndProgress();
    }

    void Extraction() {
        if (m_extract.empty()) return;
        if (!AllowsReadOnly()) {
            Refuse(m_extract, kExtractReadOnly, platform::kFileReadOnly, [](const cZipTask& t) {
                return t.Candidate->SourceTime != 0 &&
                       (t.Candidate->SourceAttributes & platform::kAttributeReadOnly) != 0;
            });
            if (m_run.Stopping()) return;
        }
        if (m_p.CreateSrcDirs) {
            int lastIndex = -1;
            for (const cZipTask& t : m_extract) {
                if (t.Candidate->DirIndex == lastIndex) continue;
                lastIndex = t.Candidate->DirIndex;
                CreateDirectoryPath(m_run, eSide::Source, SideDirectory(m_run, *t.Candidate, eSide::Source),
                                    SideDirectory(m_run, *t.Candidate, eSide::Dest));
            }
        } else {
            Refuse(m_extract, kExtractNoDirectory, platform::kPathNotFound, [this](const cZipTask& t) {
                return !IsDirectoryBelow(m_run, eSide::Source, SideDirectory(m_run, *t.Candidate, eSide::Source));
            });
            if (m_run.Stopping()) return;
        }
        int extracted = 0;
        int asked = 0;
        for (const cZipTask& t : m_extract) {
            if (Interrupted()) return;
            ++asked;
            if (ExtractOne(*t.Candidate, t.Entry)) ++extracted;
        }
        if (!m_run.Stopping()) Partial(kExtractPartial, extracted, asked);
    }

    bool ExtractOne(cCandidate& c, const std::string& entryName) {
        const cSideTexts from = Dest(c);
        const cSideTexts to = Source(c);
        m_run.Ui.ShowCopiedFile({from.Path, from.Size, from.Date, from.Time, to.Path, to.Size, to.Date, to.Time, 0});
        const platform::ZipEntry* entry = m_mdl.Find(entryName);
        int code = platform::kFtpFileNotFound;
        if (entry != nullptr) {
            std::string password = m_mdl.Password();
            code = m_mdl.Extract(*entry, m_s.NativeSourceRoot, SideDirectory(m_run, c, eSide::Source), FileName(c),
                                 password);
            for (int request = 0; code == platform::kZipWrongPassword && request < kPasswordRequestsPerFile;
                 ++request) {
                const std::optional<std::string> retry = AskExtractPassword(from.Path);
                if (!retry) break;
                password = *retry;
                code = m_mdl.Extract(*entry, m_s.NativeSourceRoot, SideDirectory(m_run, c, eSide::Source), FileName(c),
                                     password);
            }
            if (code == 0) m_extractPasswords[&c] = password;
        }
        if (code != 0) {
            if (m_run.Stopping()) return false; // cancelled at the password question: no failure of this file
            m_run.Event(kLogCopyFailed, Pair(from, to, code));
            return false;
        }
        m_run.Event(kLogCopiedBackward, Pair(from, to));
        m_run.Ui.ReportProgress(c.DestSize, c.DestSize, to.Path);
        m_s.BytesCopied += c.DestSize;
        ++m_s.Counters.BackwardCount;
        c.Flags |= kFlagDone;
        if (m_p.Verify) c.Flags |= kFlagVerifyPending;
        return true;
    }

    // The password for an encrypted entry that could not be unpacked: a new one to try, or none (skip the file;
    // Abbruch also stops the run).
    std::optional<std::string> AskExtractPassword(const std::string& shownName) {
        m_run.Event(kPasswordNeeded, {.Path = shownName});
        PlaySignal(m_run.Ui, m_p.Warning4Sound, m_p.Warning4Beep, m_p.Warning4File, m_p.SyncSounds);
        if (!m_p.Warning4Message) return std::nullopt;
        m_run.Ui.SetProgressPaused(true);
        const cZipPasswordReply reply = m_run.Ui.AskZipExtractPassword(Caption(m_p), shownName);
        m_run.Ui.SetProgressPaused(false);
        switch (reply.answer) {
        case eZipPasswordAnswer::Retry:
            // An empty password would mean "none": the bell character stands for it.
            return reply.password.empty() ? std::string(1, '\a') : reply.password;
        case eZipPasswordAnswer::Cancel:
            m_s.AbortRequested = true;
            return std::nullopt;
        case eZipPasswordAnswer::NextFile:
        default:
            return std::nullopt;
        }
    }

    void QueueAdditions() {
        if (m_add.empty()) return;
        if (!AllowsReadOnly()) {
            Refuse(m_add, kAddReadOnly, platform::kFileReadOnly, [this](const cZipTask& t) {
                const platform::ZipEntry* entry = m_mdl.Find(t.Entry);
                return entry != nullptr && entry->readOnly;
            });
            if (m_run.Stopping()) return;
        }
        if (!m_p.CreateDestDirs) {
            if (!m_haveDirectories) CollectArchiveDirectories();
            Refuse(m_add, kAddNoDirectory, platform::kPathNotFound,
                   [this](const cZipTask& t) { return !ArchiveHolds(t.Entry); });
            if (m_run.Stopping()) return;
        }
        m_addAsked = static_cast<int>(m_add.size());
        std::erase_if(m_add, [this](cZipTask& t) {
            if (Interrupted()) return true;
            cCandidate& c = *t.Candidate;
            const std::string source = Source(c).Path;
            int code = IsDirectoryBelow(m_run, eSide::Source, SideDirectory(m_run, c, eSide::Source))
                           ? platform::kSuccess
                           : platform::kLinkInPath;
            if (code == 0) {
                t.Version = platform::VersionOf(source);
                code = m_mdl.QueueAdd(t.Entry, source);
            }
            if (code == 0) {
                m_addBytes += c.SourceSize;
                return false;
            }
            m_run.Event(kLogCopyFailed, Pair(Source(c), Dest(c), code));
            return true;
        });
    }

    // Writes deletions and additions back in one step, then reports them.
    void Write() {
        if (!m_mdl.HasChanges()) {
            Partial(kDeletePartial, 0, m_deleteAsked);
            Partial(kAddPartial, 0, m_addAsked);
            return;
        }
        const std::string shown = m_mdl.ArchivePath();
        std::int64_t reported = 0;
        platform::ZipCloseWatch watch;
        watch.progress = [&](double fraction) {
            const auto bytes = static_cast<std::int64_t>(fraction * static_cast<double>(m_addBytes));
            if (bytes > reported) m_run.Ui.ReportProgress(bytes - reported, bytes, shown);
            reported = std::max(reported, bytes);
        };
        watch.stop = &m_s.AbortRequested;
        watch.stop2 = &m_s.InterruptRequested;
        m_existedBefore = m_mdl.Exists();
        const int code = m_mdl.Commit(watch);
        if (m_mdl.Exists()) m_s.OwnFiles.Add(shown); // a new archive inside the source tree is no data either
        if (code != 0) {
            if (Interrupted()) return; // stopped: the old archive stands as it was
            m_run.Event(kZipError, {.Code = code, .Text1 = shown + ": " + ErrorText(code)});
            ++m_s.Counters.ErrorCount;
            Partial(kDeletePartial, 0, m_deleteAsked);
            if (!m_run.Stopping()) Partial(kAddPartial, 0, m_addAsked);
            return;
        }
        m_written = true;
        for (const cZipTask& t : m_delete) {
            const cSideTexts dest = Dest(*t.Candidate);
            m_run.Event(kLogDeleted,
                        {.Path = dest.Path, .PathSize = dest.Size, .PathDate = dest.Date, .PathTime = dest.Time});
            ++m_s.Counters.DeletedCount;
        }
        int added = 0;
        for (const cZipTask& t : m_add) {
            cCandidate& c = *t.Candidate;
            // A source that changed while it was read is not reported as a good copy; the next run sees it
            // newer than its entry and adds it again.
            const std::string source = Source(c).Path;
            if (!t.Version || platform::VersionOf(source) != t.Version) {
                m_run.Event(kLogCopyFailed, Pair(Source(c), Dest(c), platform::kSourceChanged));
                continue;
            }
            m_run.Event(kLogCopiedForward, Pair(Source(c), Dest(c)));
            m_s.BytesCopied += c.SourceSize;
            ++m_s.Counters.ForwardCount;
            ++added;
            c.Flags |= kFlagDone;
            if (m_p.Verify) c.Flags |= kFlagVerifyPending;
        }
        Partial(kDeletePartial, static_cast<int>(m_delete.size()), m_deleteAsked);
        if (!m_run.Stopping()) Partial(kAddPartial, added, m_addAsked);
    }

    // An archive left without entries is no archive: it is deleted.
    void EmptyArchive() {
        const std::string& archive = m_mdl.ArchivePath();
        if (!m_mdl.Exists()) {
            // Writing back an archive without entries removes its file.
            if (m_written && m_existedBefore) m_run.Event(kEmptyArchiveDeleted, {.Path = archive});
            return;
        }
        if (!m_mdl.Entries().empty()) return;
        if (platform::RemoveFile(archive) == 0) {
            m_run.Event(kEmptyArchiveDeleted, {.Path = archive});
            (void)m_mdl.Open();
        } else {
            m_run.Event(kEmptyArchiveKept, {.Path = archive});
            ++m_s.Counters.ErrorCount;
        }
    }

    void Verify() {
        if (!m_p.Verify) return;
        VerifyFetchedCopies(m_run, [this](cCandidate& c, const std::string& folder, int folderCode) {
            VerifyPair(c, folder, folderCode);
        });
    }

    // folderCode: 0 when folder is the program's own temporary folder, else the reason it is not.
    void VerifyPair(cCandidate& c, const std::string& folder, int folderCode) {
        const bool forward = c.Action() != kActionBackward;
        const std::string source = Source(c).Path;
        const std::string dest = Dest(c).Path;
        const std::string& a = forward ? source : dest;
        const std::string& b = forward ? dest : source;
        const std::optional<std::string> entryName = m_mdl.EntryName(SideDirectory(m_run, c, eSide::Dest), FileName(c));
        const auto found = m_extractPasswords.find(&c);
        const std::string password = found != m_extractPasswords.end() ? found->second : m_mdl.Password();
        for (;;) {
            const platform::ZipEntry* entry = entryName ? m_mdl.Find(*entryName) : nullptr;
            int code = platform::kFtpFileNotFound;
            if (entry != nullptr && entry->isSymlink) {
                code = CompareLink(*entry, source);
            } else if (entry != nullptr && folderCode != 0) {
                code = folderCode;
            } else if (entry != nullptr) {
                std::string copy;
                code = m_mdl.ExtractForCompare(*entry, folder, password, copy);
                if (code == 0) {
                    code = platform::CompareContents(source, copy, [this] { return !m_run.Stopping(); });
                    (void)platform::RemoveFile(copy);
                }
            }
            if (!ReportComparison(m_run, c, a, b, code)) return;
        }
    }

    // A link entry is verified by its target.
    int CompareLink(const platform::ZipEntry& entry, const std::string& source) const {
        std::string stored;
        std::string onDisk;
        if (const int rc = m_mdl.ReadLinkTarget(entry, stored)) return rc;
        if (const int rc = platform::ReadSymlinkTarget(source, onDisk)) return rc;
        return stored == onDisk ? platform::kSuccess : platform::kContentsDiffer;
    }

    void EmptySourceDirectories() {
        if (!m_p.DeleteEmptySrcDirs || !m_p.TouchSrc) return;
        m_run.Ui.ShowStatus("Suche leere Verzeichnisse...", 0);
        for (std::size_t i = m_s.SourceDirList.size(); i-- > 0;) {
            const std::string& relative = m_s.SourceDirList[i];
            if (relative.find_first_not_of('\\') == std::string::npos) continue; // never the root
            if (!IsDirectoryBelow(m_run, eSide::Source, relative)) continue;
            const std::string path = platform::NativePath(m_s.NativeSourceRoot, relative);
            if (platform::RemoveEmptyDirectory(path) != 0) continue;
            m_run.Event(kLogDirDeleted, {.Path = path});
            ++m_s.Counters.DirsDeletedCount;
        }
        m_run.Ui.HideStatus();
    }

    // Every directory of the archive gets its source directory; nothing is added to the archive.
    void CreateSourceDirectories() {
        if (!m_p.CreateAllSrcDirs || !m_p.TouchSrc) return;
        m_run.Ui.ShowStatus("Erstelle Verzeichnisse...", 0);
        if (!m_haveDirectories) CollectArchiveDirectories();
        for (const std::string& directory : m_directories) {
            if (directory.empty()) continue;
            std::string dest = m_p.ResolvedDestDirectory + directory + "\\";
            std::replace(dest.begin(), dest.end(), '/', '\\');
            const std::string source = MapDirectory(dest, m_p.ResolvedDestDirectory, m_s.CutPath);
            if (!source.empty()) CreateDirectoryPath(m_run, eSide::Source, source, {});
        }
        m_run.Ui.HideStatus();
    }

    cRun& m_run;
    const cParameters& m_p;
    cRunState& m_s;
    TZipMdl& m_mdl;
    std::vector<cZipTask> m_add;
    std::vector<cZipTask> m_delete;
    std::vector<cZipTask> m_extract;
    int m_addAsked = 0;
    int m_deleteAsked = 0;
    std::int64_t m_addBytes = 0;
    bool m_haveDirectories = false;
    std::set<std::string> m_directories; // every directory of the archive, parents before children
    std::map<const cCandidate*, std::string> m_extractPasswords;
    bool m_existedBefore = false;
    bool m_written = false;
};

} // namespace

void ExecuteZipActions(cRun& run, TZipMdl& mdl) {
    cZipPhases(run, mdl).Execute();
}
