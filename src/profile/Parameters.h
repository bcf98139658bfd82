// cParameters: the one settings object of the program. It holds the open document (a profile or a batch
// file), every option of the profile, the batch contents, the program settings and a few values of the run in
// progress. Members are public and named as the profile's field dictionary names them.
#pragma once

#include "messages/WarningSettings.h"
#include "platform/FileTime.h"
#include "platform/Roots.h"
#include "profile/BatchParameters.h"
#include "profile/LogParameters.h"
#include "profile/PreviewParameters.h"
#include "profile/ProfileEnums.h"
#include "profile/ProgrammParameters.h"
#include "profile/ScheduleEntry.h"
#include "profile/TextList.h"
#include "profile/WindowPos.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class cSettingsStore;

inline constexpr std::string_view kUntitledProfile = "<unbenannt>.tvp";
inline constexpr std::string_view kUntitledBatch = "<unbenannt>.tvb";
// A profile that was never saved has no file: no snapshot and no lock file beside it.
inline bool IsUntitledProfile(std::string_view profileFile) {
    return profileFile.empty() || profileFile == kUntitledProfile;
}
inline constexpr std::string_view kNoFile = "<keine Datei>";

enum DocumentKindCode : std::uint8_t { kNoDocument = 0, kProfileDocument = 1, kBatchDocument = 2 };

struct cTopTwelve {
    std::array<std::string, 12> Profiles;     // profile file names
    std::array<std::string, 12> Descriptions; // their descriptions

    bool operator==(const cTopTwelve&) const = default;
};

class cParameters {
public:
    // Creates the object as start-up needs it: program presets, LastRun 1 January 1990, the system's
    // version and measurement units, then an untitled profile (ResetProfile). settings may be null (built-in
    // defaults) and must outlive the object.
    explicit cParameters(cSettingsStore* settings = nullptr);

    // Makes the document an untitled profile: option fields from the settings section "Options" (built-in
    // defaults for missing keys), both roots the user's home directory, empty lists. While BatchRunning only
    // ProfileFile changes among the document names.
    void ResetProfile();
    // Makes the document an untitled batch file with default batch options.
    void ResetBatch();
    // Adds "*.*" to CompareFiles (a new profile compares every file).
    void AddDefaultMask();
    // Puts DocumentFile first in OldFiles; an equal entry further down moves up, else the last one drops.
    void PushOldFile();
    // The leading directory common to all SearchDirectories, without a trailing "\" ("\Daten\Briefe\*" and
    // "\Daten\Bilder\" give "\Daten"); empty without search directories.
    std::string AutoPathOffset() const;
    // The same for a list of search directories, as a run takes them after expanding their variables.
    static std::string AutoPathOffset(const std::vector<std::string>& searchDirectories);

    // Reads a profile or batch file of any known format and makes it the current document; returns 0, or the
    // error code after emptying the document. The caller shows the error (shell/DocumentBoxes.h).
    [[nodiscard]] int ReadDocument(const std::string& fileName);
    // Writes the current document in the current format; returns 0 or the error code, the document unchanged.
    [[nodiscard]] int WriteDocument(const std::string& fileName);

    // The sides the run may change, from TouchSrc and TouchDest; SetTouchMode sets both.
    eTouchMode TouchMode() const;
    void SetTouchMode(eTouchMode mode);

    // The warning options as the message dispatcher takes them.
    cWarningSettings Warnings() const;

    // Settings-file groups 0..17; group 5 does not exist. Without a settings store they do nothing.
    void ReadSettings(int group);
    void WriteSettings(int group);
    // LastRun of a profile, stored under its file name without the folder.
    void ReadLastRun(const std::string& profileFile);
    void WriteLastRun(const std::string& profileFile);
    // RunCount in section "Use"; and "LastFile" of "Program Options" alone, as the program writes it at exit.
    void ReadRunCount();
    void WriteRunCount();
    void WriteLastFile();

    // The settings file, through which option defaults and settings groups are read; may be null.
    cSettingsStore* Settings = nullptr;

    // Document state.
    std::string DocumentFile;
    std::uint8_t DocumentKind = kNoDocument;
    bool LegacyFormat = false; // read from an older format; the next save asks first
    std::string ProfileFile;
    std::string BatchFile;

    // Source. Drives are POSIX directories here (the program's "root"); directory entries have the forms
    // "\dir\sub\" (that directory) and "\dir\sub\*" (with its subdirectories).
    std::string SourceDrive;
    cTextList SearchDirectories{TextListKind::SortedExact};
    cTextList ExcludeDirectories{TextListKind::SortedExact};
    cTextList CompareFiles{TextListKind::SortedNoCase};
    cTextList EnforceFiles{TextListKind::SortedNoCase};
    cTextList DeleteFiles{TextListKind::SortedNoCase};
    cTextList ExcludeFiles{TextListKind::SortedNoCase};

    // Destination.
    eDestType DestType = eDestType::Directory;
    std::string DestDrive;
    std::string DestDirectory;
    std::string DestArchive;
    std::string DestServer;
    std::uint8_t Variation = 0; // 0 fixed, 1 date, 2 weekday, 3 even/odd day, 4 three generations, 5 user
    bool EightThree = false;
    std::string CheckLabel;
    bool OfferFormat = false;
    bool EjectDisk = false;

    // Options. Their built-in defaults are in the option table (OptionFields.cpp), which ResetProfile applies.
    // TouchSrc and TouchDest together are the touch mode (TouchMode, SetTouchMode).
    bool TouchSrc{};
    bool TouchDest{};
    int Attributes{}; // eAttributeChange bits: read-only, hidden, system files may be found / overwritten
    eShortenPaths ShortenPaths{};
    std::string PathOffset;
    bool CreateSrcDirs{};
    bool CreateDestDirs{};
    bool DeleteEmptySrcDirs{};
    bool DeleteEmptyDestDirs{};
    bool CreateAllSrcDirs{};
    bool CreateAllDestDirs{};
    bool TransferDirProperties{};
    std::uint8_t AgeMode{}; // bits 0-1 an eAgeMode, bit 2 kAgeModeReversed (AgeModeOf, AgeModeReversed)
    int RelativeAge{};
    int AbsoluteAge{}; // day number
    eOrphanMode OrphanModeD1{};
    eOrphanMode OrphanModeD2{};
    eOrphanMode OrphanModeB{};
    eOrphanMode OrphanModeS1{};
    eOrphanMode OrphanModeS2{};
    bool ListSkip{};
    bool EnforceBackward{};
    std::uint8_t SortMode{};
    bool ReverseOrder{};
    int MidnightHours{};
    bool Percentage{};
    int PercentageThreshold{};
    int PercentageCount{};
    bool DoubleWarn{};
    int DoubleDefault{};
    bool SizesCompare{};
    int SizesFactor{};
    bool SizesWarn{};
    int SizesDefault{};
    bool CompareProperties{};
    bool ShowPreview{};
    bool Verify{};
    int ZipCompression{};
    bool ZipEncrypt{};
    std::string ZipPassword;
    eZipTempMode ZipTempMode{};
    std::string ZipTempLocation;
    bool ZipAddVariation{};
    std::uint16_t FtpPort{};
    int FtpTimeOut{};
    std::string FtpUserName{};
    std::string FtpPassword{};
    bool FtpUseList{};
    bool FtpUseMdtm{};
    bool FtpServerLocal{};
    bool FtpLogComm{};
    // Warnings: 1 no files found, 2 not enough space, 3 other, 4 interruption on error.
    bool Warning1Message{};
    bool Warning2Message{};
    bool Warning3Message{};
    bool Warning4Message{};
    bool Warning1Sound{};
    bool Warning2Sound{};
    bool Warning3Sound{};
    bool Warning4Sound{};
    bool Warning1Beep{};
    bool Warning2Beep{};
    bool Warning3Beep{};
    bool Warning4Beep{};
    std::string Warning1File;
    std::string Warning2File;
    std::string Warning3File;
    std::string Warning4File;
    // Events: 1 run started, 2 run finished, 3 double changes, 4 size differences, 5 preview.
    bool Event1Sound{};
    bool Event2Sound{};
    bool Event1Beep{};
    bool Event2Beep{};
    std::string Event1File1;
    std::string Event2File1;
    bool Event1Message{};
    bool Event2Message{};
    bool Event1Centered{};
    bool Event2Centered{};
    std::string Event1File2;
    std::string Event2File2;
    bool Event3Sound{};
    bool Event4Sound{};
    bool Event5Sound{};
    bool Event3Beep{};
    bool Event4Beep{};
    bool Event5Beep{};
    std::string Event3File;
    std::string Event4File;
    std::string Event5File;
    bool AutoOpen{};
    bool AutoApp{};
    std::string AppName;
    bool AutoSense1{};
    bool AutoSense2{};
    bool AutoHook{};
    bool AutoExit{};
    int AutoShutdown{}; // 0 nothing, 1 shut down, 2 log off, 3 power off, 4 restart
    // Unsorted, duplicates allowed: a command line, or a delay (empty text, tag = seconds).
    cTextList BeforeCommands{TextListKind::Plain};
    cTextList AfterCommands{TextListKind::Plain};
    bool BrowseNetwork{};
    bool DiskInfo{};
    int TimeDifference{};
    bool IgnoreDST{};
    bool UseUTC{};
    bool MyCopy{};
    bool TransferPermissions{};
    bool TransferOwner{};
    bool Recycle{};
    bool TrayIcon{};
    bool SyncSounds{};
    int OptionsPage{};

    cPreviewParameters Preview;
    cLogParameters Log;
    std::vector<ScheduleEntry> Schedule;

    cBatchParameters Batch;
    cProgrammParameters Programm;
    cTextList LastUsedServers{TextListKind::SortedNoCase};
    std::string ViewLogFontName = "Courier New";
    int ViewLogFontSize = 9;
    std::uint8_t ViewLogFontStyle = 0; // bit 0 bold, 1 italic, 2 underline, 3 strike-out
    std::array<std::string, 9> OldFiles;
    cTopTwelve TopTwelve;
    platform::FileTime LastRun = 0; // of the profile; set at creation to 1 January 1990 00:00
    int RunCount = 0;               // runs that ended without error
    // 4 (the NT family from XP on): this system has every feature the program asks the version about.
    int WindowsVersion = 4;
    std::string WindowsVersionName; // the running system, e.g. "Linux 6.1.0-18-amd64"
    std::array<cWindowPos, kWindowPosCount> WindowPositions;
    // The primary screen in pixels, which centres the default positions of the info and copy windows. The GUI
    // sets it before it reads the window groups; without a display the size stays 1024 x 768.
    int ScreenWidth = 1024;
    int ScreenHeight = 768;
    bool Untitled = true;
    bool Modified = false;
    bool BatchRunning = false;
    // Windows roots of profiles made elsewhere, from the settings section "Drives".
    platform::cDriveMap Drives;

    // Run time.
    std::string ResolvedDestDirectory;
    std::string ResolvedArchiveName;
    double DateOffset = 0; // days subtracted from today for date variables, variations and the age limit
    bool MetricUnits = true;
};
