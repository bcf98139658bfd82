// A run whose destination is a zip archive.
#include "engine/ZipRun.h"

#include "engine/ActionSupport.h"
#include "engine/OwnFiles.h"
#include "engine/RunContext.h"
#include "platform/AtomicFile.h"
#include "platform/FileRemoval.h"
#include "platform/ProgramTempFolder.h"
#include "platform/RenameNoReplace.h"
#include "platform/Roots.h"
#include "platform/ZipArchive.h"
#include "profile/Parameters.h"

#include <memory>

namespace {

constexpr int kTempDirectoryInaccessible = 30107;
constexpr int kUsingArchive = 30108;
constexpr char kTempTestFile[] = "Tolvan Zip Temp Dir Test File";

// The directory the profile wants the new archive built in; empty for "beside the archive".
std::string BuildDirectory(const cParameters& p) {
    std::string directory;
    if (p.ZipTempMode == eZipTempMode::SystemTemp) directory = platform::SystemTempFolder();
    if (p.ZipTempMode == eZipTempMode::TempLocation) directory = p.ZipTempLocation;
    while (directory.size() > 1 && (directory.back() == '/' || directory.back() == '\\'))
        directory.pop_back();
    return directory;
}

// A file can be created, closed and deleted in directory.
bool TemporaryDirectoryUsable(const std::string& directory) {
    if (directory.empty()) return false;
    const std::string probe = platform::NativePath(directory, std::string("\\") + kTempTestFile);
    if (platform::WriteFileAtomically(probe, {}, 0600) != 0) return false;
    return platform::RemoveFile(probe) == 0;
}

} // namespace

std::unique_ptr<cDestinationRun> StartZipRun(cRun& run) {
    auto zip = std::make_unique<cZipRun>();
    const cParameters& p = run.Params;
    // The zip engine is libzip, linked into the program: there is no library to load or whose version to check.
    if (p.ZipTempMode != eZipTempMode::ArchivePath && !run.PlanOnly) {
        const std::string directory = BuildDirectory(p);
        if (!TemporaryDirectoryUsable(directory)) {
            run.FailCheck(kTempDirectoryInaccessible, {.Path = directory}, {.Text1 = directory});
            return zip;
        }
    }
    if (p.ZipTempMode != eZipTempMode::ArchivePath) zip->Mdl.SetBuildDirectory(BuildDirectory(p));
    zip->Mdl.SetCompression(p.ZipCompression);
    zip->Mdl.SetPassword(p.ZipPassword);
    zip->Mdl.SetEncrypt(p.ZipEncrypt);
    return zip;
}

void cZipRun::AddOwnFiles(cOwnFiles& own) const {
    if (!Mdl.ArchivePath().empty()) own.Add(Mdl.ArchivePath());
}

void cZipRun::DestinationResolved(cRun& run) {
    const cParameters& p = run.Params;
    const cRunState& s = run.State;
    if (s.NativeDestRoot.empty()) return; // not ready: the run stops at the destination's check
    const std::string directory = platform::NativePath(s.NativeDestRoot, p.ResolvedDestDirectory);
    const std::string archive = (directory.ends_with('/') ? directory : directory + "/") + p.ResolvedArchiveName;
    Mdl.SetArchive(archive, p.ResolvedDestDirectory);
    run.Event(kUsingArchive, {.Path = archive});
    if (!run.PlanOnly) {
        if (p.CreateDestDirs && p.TouchDest) CreateDirectoryPath(run, eSide::Dest, p.ResolvedDestDirectory, {});
        std::vector<std::string> removed;
        platform::RemoveArchiveLeftovers(directory, removed);
        if (!Mdl.BuildDirectory().empty()) platform::RemoveArchiveLeftovers(Mdl.BuildDirectory(), removed);
        for (const std::string& path : removed)
            run.Event(kLogLeftoverRemoved, {.Path = path});
    }
    // A failure shows in the scan: every directory of the archive lists as failed, so nothing is taken for
    // deleted, and no phase writes over an archive that cannot be read.
    (void)Mdl.Open();
}

void cZipRun::Execute(cRun& run) {
    ExecuteZipActions(run, Mdl);
}

void cZipRun::Finish(cRun& /*run*/) {
    Mdl.Discard();
}

int cZipRun::FetchFile(const std::string& directory, const std::string& name, const std::string& localFile,
                       std::string& /*reason*/) {
    const std::optional<std::string> entryName = Mdl.EntryName(directory, name);
    const platform::ZipEntry* entry = entryName ? Mdl.Find(*entryName) : nullptr;
    if (entry == nullptr) return platform::kFileNotFound;
    const std::string folder = localFile.substr(0, localFile.rfind('/') + 1);
    std::string extracted;
    if (const int code = Mdl.ExtractForCompare(*entry, folder, Mdl.Password(), extracted); code != 0) return code;
    const int code = platform::RenameNoReplace(extracted, localFile);
    if (code != 0) (void)platform::RemoveFile(extracted);
    return code;
}
