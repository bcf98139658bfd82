#include "support/DescribeFixtures.h"

#include "platform/FileTime.h"
#include "profile/Parameters.h"
#include "profile/ScheduleEntry.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace testsupport {

std::string ReadDescribeFixture(const std::string& name) {
    std::ifstream in(std::string(TOLVAN_DESCRIBE_FIXTURES) + "/" + name, std::ios::binary);
    EXPECT_TRUE(in.good()) << "missing fixture " << name;
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

namespace {

void FillSource(cParameters& p) {
    p.SourceDrive = "/home/anna";
    p.SearchDirectories.Add("\\Daten\\Briefe\\*");
    p.SearchDirectories.Add("\\Daten\\Bilder\\");
    p.ExcludeDirectories.Add("\\Daten\\Briefe\\Alt\\");
    p.CompareFiles.Add("*.doc");
    p.CompareFiles.Add("*.*");
    p.EnforceFiles.Add("Wichtig.txt");
    p.DeleteFiles.Add("*.tmp");
    p.ExcludeFiles.Add("~*.*");
    p.ExcludeFiles.Add("*.bak");

    p.DestType = eDestType::Zip;
    p.DestDrive = "/media/usb";
    p.DestDirectory = "\\Sicherung\\";
    p.DestArchive = "Daten.zip";
    p.DestServer = "ftp.example.org";
    p.Variation = 4;
    p.EightThree = true;
    p.CheckLabel = "BACKUP";
    p.OfferFormat = true;
    p.EjectDisk = true;
}

void FillRunOptions(cParameters& p) {
    p.SetTouchMode(eTouchMode::SourceOnly);
    p.Attributes = AttributeBits(eAttributeChange::ReadOnly, eAttributeChange::Hidden, eAttributeChange::System);
    p.ShortenPaths = eShortenPaths::ByPathOffset;
    p.PathOffset = "\\Daten";
    p.CreateSrcDirs = p.CreateDestDirs = true;
    p.DeleteEmptySrcDirs = p.DeleteEmptyDestDirs = true;
    p.CreateAllSrcDirs = p.CreateAllDestDirs = true;
    p.TransferDirProperties = true;
    p.AgeMode = AgeModeValue(eAgeMode::AbsoluteAge, true);
    p.RelativeAge = 10;
    p.AbsoluteAge = platform::DayNumberFromFileTime(platform::JoinFileTime(2026, 12, 1));
    p.OrphanModeD1 = eOrphanMode::OrphansOnly;
    p.OrphanModeD2 = eOrphanMode::Delete;
    p.OrphanModeB = eOrphanMode::LookInSnapshot;
    p.OrphanModeS1 = eOrphanMode::OrphansOnly;
    p.OrphanModeS2 = eOrphanMode::Delete;
    p.ListSkip = true;
    p.EnforceBackward = true;
    p.SortMode = 4;
    p.ReverseOrder = true;
    p.MidnightHours = 5;
    p.Percentage = true;
    p.PercentageThreshold = 25;
    p.PercentageCount = 100;
    p.DoubleWarn = true;
    p.DoubleDefault = 3;
    p.SizesCompare = true;
    p.SizesFactor = 10;
    p.SizesWarn = true;
    p.SizesDefault = 4;
    p.CompareProperties = true;
    p.ShowPreview = true;
    p.Verify = true;
    p.ZipCompression = 9;
    p.ZipEncrypt = true;
    p.ZipPassword = "geheim";
    p.ZipTempMode = eZipTempMode::TempLocation;
    p.ZipTempLocation = "/var/tmp/tolvan";
    p.ZipAddVariation = true;
    p.FtpPort = 2121;
    p.FtpTimeOut = 60;
    p.FtpUserName = "anna";
    p.FtpPassword = "kennwort";
    p.FtpUseList = p.FtpUseMdtm = p.FtpServerLocal = p.FtpLogComm = true;
}

void FillNotices(cParameters& p) {
    p.Warning1Message = p.Warning2Message = p.Warning3Message = p.Warning4Message = true;
    p.Warning1Sound = p.Warning2Sound = p.Warning3Sound = p.Warning4Sound = true;
    p.Warning1Beep = p.Warning3Beep = true;
    p.Warning2Beep = p.Warning4Beep = false;
    p.Warning1File = "/home/anna/Klänge/Leer.wav";
    p.Warning2File = "/home/anna/Klänge/Platz.wav";
    p.Warning3File = "/home/anna/Klänge/Problem.wav";
    p.Warning4File = "/home/anna/Klänge/Halt.wav";
    p.Event1Sound = p.Event2Sound = true;
    p.Event1Beep = true;
    p.Event2Beep = false;
    p.Event1File1 = "/home/anna/Klänge/Start.wav";
    p.Event2File1 = "/home/anna/Klänge/Ende.wav";
    p.Event1Message = p.Event2Message = true;
    p.Event1Centered = true;
    p.Event2Centered = false;
    p.Event1File2 = "/home/anna/Nachrichten/Start.rtf";
    p.Event2File2 = "/home/anna/Nachrichten/Ende.rtf";
    p.Event3Sound = p.Event4Sound = p.Event5Sound = true;
    p.Event3Beep = p.Event5Beep = true;
    p.Event4Beep = false;
    p.Event3File = "/home/anna/Klänge/Doppelt.wav";
    p.Event4File = "/home/anna/Klänge/Größe.wav";
    p.Event5File = "/home/anna/Klänge/Vorschau.wav";
    p.AutoOpen = p.AutoApp = p.AutoSense1 = p.AutoSense2 = p.AutoHook = p.AutoExit = true;
    p.AppName = "Microsoft Word";
    p.AutoShutdown = 3;
    p.BeforeCommands.Add("mount /media/usb");
    p.BeforeCommands.Add("", 1);
    p.BeforeCommands.Add("sync");
    p.AfterCommands.Add("", 15);
    p.AfterCommands.Add("umount /media/usb");
    p.BrowseNetwork = p.DiskInfo = true;
    p.TimeDifference = 3;
    p.IgnoreDST = p.UseUTC = p.MyCopy = p.TransferPermissions = p.TransferOwner = true;
    p.Recycle = p.TrayIcon = p.SyncSounds = true;
}

void FillPreviewAndLog(cParameters& p) {
    cPreviewParameters& v = p.Preview;
    v.OpenFolders = false;
    v.OneLine = true;
    v.DoubleFilter = v.SizesFilter = v.PropertiesFilter = true;
    v.ForwardFilter = v.SkipFilter = v.DeleteFilter = v.BackwardFilter = true;
    v.Block1System = v.ForwardSystem = v.DeleteSystem = true;
    v.Block2System = v.SkipSystem = v.BackwardSystem = false;
    v.Block2Color = 0x030201;
    v.SkipColor = 0x1EC80A;
    v.BackwardColor = 0xFF0000;
    v.ForcePaths = true;
    v.FontName = "DejaVu Sans";
    v.FontSize = 10;

    cLogParameters& l = p.Log;
    l.Active = true;
    l.FileName = "/home/anna/Logs/Sicherung.txt";
    l.DateTimeMode = eLogDateTime::EveryFile;
    l.FileInfoMode = eLogFileInfo::WithDateTime;
    l.Daily = l.Append = l.NoNormal = true;
    l.ViewOnSuccess = l.MailOnSuccess = l.PrintOnSuccess = true;
    l.ViewOnError = l.MailOnError = l.PrintOnError = true;
    l.ViewerKind = eLogViewer::Program;
    l.ViewerPath = "/usr/bin/less";
    l.ViewerSwitches = "-N";
    l.Recipient1Name = "Anna Muster";
    l.Recipient1Address = "anna@example.org";
    l.Recipient3Name = "Bert";
    l.Recipient3Address = "bert@example.org";
    l.AsAttachment = true;
    l.PrinterName = "Laser";

    p.Schedule = {
        MakeScheduleEntry(true, ScheduleWeekdayBit(1) | ScheduleWeekdayBit(3) | ScheduleWeekdayBit(5), 8 * 60 + 30),
        MakeScheduleEntry(false, ScheduleWeekdayBit(6) | ScheduleWeekdayBit(0), 23 * 60 + 5),
    };
}

} // namespace

void FillFullProfile(cParameters& params) {
    params.ResetProfile();
    FillSource(params);
    FillRunOptions(params);
    FillNotices(params);
    FillPreviewAndLog(params);
}

void FillBatch(cParameters& params) {
    params.ResetBatch();
    cBatchParameters& b = params.Batch;
    b.AddEntry({"/home/anna", "\\Profile\\", "Sicherung.tvp", kContinueAlways});
    b.AddEntry({"/media/usb", "\\%DAY%\\", "Abgleich.tvp", kContinueOnSuccess});
    b.AddEntry({"D:", "\\Profile\\", "Letzter.tvp", kContinueOnFailure});
    b.ChecksOverride = true;
    b.ShowPreview = true;
    b.WarningsOverride = true;
    b.Warning1Message = b.Warning1Sound = true;
    b.Warning2Message = true;
    b.Warning2Sound = false;
    b.Warning3Message = false;
    b.Warning3Sound = true;
    b.Warning4Message = b.Warning4Sound = false;
    b.AutoOpen = b.AutoHook = b.AutoExit = true;
    b.AutoShutdown = 4;
    b.TrayIcon = true;
    b.Schedule = {MakeScheduleEntry(true, 0x7F00'0000u, 12 * 60)};
}

} // namespace testsupport
