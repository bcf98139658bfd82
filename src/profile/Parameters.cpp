#include "profile/Parameters.h"

#include "platform/ProgramFolders.h"
#include "platform/SystemInfo.h"
#include "profile/OptionFields.h"
#include "profile/Utf8Prefix.h"

#include <algorithm>

namespace {

// Longest common part of the search directories that AutoPathOffset considers, in characters.
constexpr std::size_t kMaxPathOffset = 261;

} // namespace

cParameters::cParameters(cSettingsStore* settings) : Settings(settings) {
    LastRun = platform::JoinFileTime(1990, 1, 1);
    WindowsVersionName = platform::SystemName();
    MetricUnits = platform::LocaleUsesMetricUnits();
    ResetProfile();
}

void cParameters::ResetProfile() {
    ProfileFile = kUntitledProfile;
    if (!BatchRunning) {
        BatchFile.clear();
        DocumentFile = ProfileFile;
        DocumentKind = kProfileDocument;
    }
    LegacyFormat = false;
    ReadOptions(*this, Settings);

    SourceDrive = platform::HomeFolder();
    for (cTextList* list :
         {&SearchDirectories, &ExcludeDirectories, &CompareFiles, &EnforceFiles, &DeleteFiles, &ExcludeFiles})
        list->Clear();

    DestType = eDestType::Directory;
    DestDrive = platform::HomeFolder();
    DestDirectory = "\\";
    DestArchive.clear();
    DestServer.clear();
    Variation = 0;
    EightThree = false;
    CheckLabel.clear();
    OfferFormat = false;
    EjectDisk = false;

    BeforeCommands.Clear();
    AfterCommands.Clear();
    Preview = cPreviewParameters();
    Log = cLogParameters();
    Schedule.clear();
    Untitled = true;
    Modified = false;
}

void cParameters::ResetBatch() {
    BatchFile = kUntitledBatch;
    ProfileFile.clear();
    DocumentFile = BatchFile;
    DocumentKind = kBatchDocument;
    LegacyFormat = false;
    Batch = cBatchParameters();
    Untitled = true;
    Modified = false;
}

eTouchMode cParameters::TouchMode() const {
    if (TouchSrc) return TouchDest ? eTouchMode::Both : eTouchMode::SourceOnly;
    return TouchDest ? eTouchMode::DestOnly : eTouchMode::Neither;
}

void cParameters::SetTouchMode(eTouchMode mode) {
    TouchSrc = mode == eTouchMode::Both || mode == eTouchMode::SourceOnly;
    TouchDest = mode == eTouchMode::Both || mode == eTouchMode::DestOnly;
}

cWarningSettings cParameters::Warnings() const {
    return {
        .NoFilesFound = {Warning1Message, Warning1Sound, Warning1Beep, Warning1File},
        .NotEnoughSpace = {Warning2Message, Warning2Sound, Warning2Beep, Warning2File},
        .Other = {Warning3Message, Warning3Sound, Warning3Beep, Warning3File},
        .Interruption = {Warning4Message, Warning4Sound, Warning4Beep, Warning4File},
        .BatchOtherMessage = Batch.Warning3Message,
        .BatchOtherSound = Batch.Warning3Sound,
        .SyncSounds = SyncSounds,
    };
}

void cParameters::AddDefaultMask() {
    CompareFiles.Add("*.*");
}

void cParameters::PushOldFile() {
    // File names are compared exactly: on Linux two names that differ in case are two files.
    auto first = OldFiles.begin();
    auto found = std::find(first, first + 8, DocumentFile);
    // With no match the last entry (index 8) is the one dropped.
    auto gap = found == first + 8 ? first + 8 : found;
    std::move_backward(first, gap, gap + 1);
    *first = DocumentFile;
}

std::string cParameters::AutoPathOffset() const {
    std::vector<std::string> directories;
    directories.reserve(SearchDirectories.Size());
    for (std::size_t i = 0; i < SearchDirectories.Size(); ++i)
        directories.emplace_back(SearchDirectories.Text(i));
    return AutoPathOffset(directories);
}

std::string cParameters::AutoPathOffset(const std::vector<std::string>& searchDirectories) {
    std::string_view common = "\\";
    if (!searchDirectories.empty()) common = searchDirectories.front();
    if (searchDirectories.size() > 1) {
        // Directories compare exactly: "\Daten\" and "\daten\" are two directories here, and treating them as
        // one would map both onto the same destination directory.
        common = Utf8Prefix(common, kMaxPathOffset);
        for (std::size_t i = 1; i < searchDirectories.size(); ++i) {
            std::string_view other = searchDirectories[i];
            auto end = std::mismatch(common.begin(), common.end(), other.begin(), other.end()).first;
            common = common.substr(0, static_cast<std::size_t>(end - common.begin()));
        }
    }
    std::size_t lastSeparator = common.rfind('\\');
    if (lastSeparator == std::string_view::npos) return {};
    return std::string(common.substr(0, lastSeparator));
}
