#include "profile/ProfileFormat.h"

#include "profile/DocumentRows.h"
#include "profile/LineReader.h"
#include "profile/LineWriter.h"
#include "profile/Parameters.h"

namespace {

// Rows 2 to 189 in file order. Rows is cRowReader (with a cParameters) or cRowWriter (with a const one).
// Note rows 55 to 57: SizesWarn comes before SizesCompare and SizesFactor in the file.
template <class Rows, class Params> void ProfileRows(Rows& rows, Params& p) {
    rows.Text(p.SourceDrive);
    rows.Header("Search directories:");
    rows.TextList(p.SearchDirectories);
    rows.Header("Exclude directories:");
    rows.TextList(p.ExcludeDirectories);
    rows.Header("Compare files:");
    rows.TextList(p.CompareFiles);
    rows.Header("Enforce files:");
    rows.TextList(p.EnforceFiles);
    rows.Header("Delete files:");
    rows.TextList(p.DeleteFiles);
    rows.Header("Exclude files:");
    rows.TextList(p.ExcludeFiles);

    rows.Code(p.DestType);
    rows.Text(p.DestDrive);
    rows.Text(p.DestDirectory);
    rows.Text(p.DestArchive);
    rows.Text(p.DestServer);
    rows.Number(p.Variation);
    rows.Bool(p.EightThree);
    rows.Text(p.CheckLabel);
    rows.Bool(p.OfferFormat);
    rows.Bool(p.EjectDisk);

    rows.Bool(p.TouchSrc);
    rows.Bool(p.TouchDest);
    rows.Number(p.Attributes);
    rows.Code(p.ShortenPaths);
    rows.Text(p.PathOffset);
    rows.Bool(p.CreateSrcDirs);
    rows.Bool(p.CreateDestDirs);
    rows.Bool(p.DeleteEmptySrcDirs);
    rows.Bool(p.DeleteEmptyDestDirs);
    rows.Bool(p.CreateAllSrcDirs);
    rows.Bool(p.CreateAllDestDirs);
    rows.Bool(p.TransferDirProperties);
    rows.Number(p.AgeMode);
    rows.Number(p.RelativeAge);
    rows.Number(p.AbsoluteAge);
    rows.Code(p.OrphanModeD1);
    rows.Code(p.OrphanModeD2);
    rows.Code(p.OrphanModeB);
    rows.Code(p.OrphanModeS1);
    rows.Code(p.OrphanModeS2);
    rows.Bool(p.ListSkip);
    rows.Bool(p.EnforceBackward);
    rows.Number(p.SortMode);
    rows.Bool(p.ReverseOrder);
    rows.Number(p.MidnightHours);
    rows.Bool(p.Percentage);
    rows.Number(p.PercentageThreshold);
    rows.Number(p.PercentageCount);
    rows.Bool(p.DoubleWarn);
    rows.Number(p.DoubleDefault);
    rows.Bool(p.SizesWarn);
    rows.Bool(p.SizesCompare);
    rows.Number(p.SizesFactor);
    rows.Number(p.SizesDefault);
    rows.Bool(p.CompareProperties);
    rows.Bool(p.ShowPreview);
    rows.Bool(p.Verify);

    rows.Number(p.ZipCompression);
    rows.Bool(p.ZipEncrypt);
    rows.Password(p.ZipPassword);
    rows.Code(p.ZipTempMode);
    rows.Text(p.ZipTempLocation);
    rows.Bool(p.ZipAddVariation);
    rows.Number(p.FtpPort);
    rows.Number(p.FtpTimeOut);
    rows.Text(p.FtpUserName);
    rows.Password(p.FtpPassword);
    rows.Bool(p.FtpUseList);
    rows.Bool(p.FtpUseMdtm);
    rows.Bool(p.FtpServerLocal);
    rows.Bool(p.FtpLogComm);

    rows.Bool(p.Warning1Message);
    rows.Bool(p.Warning1Sound);
    rows.Bool(p.Warning1Beep);
    rows.Text(p.Warning1File);
    rows.Bool(p.Warning2Message);
    rows.Bool(p.Warning2Sound);
    rows.Bool(p.Warning2Beep);
    rows.Text(p.Warning2File);
    rows.Bool(p.Warning3Message);
    rows.Bool(p.Warning3Sound);
    rows.Bool(p.Warning3Beep);
    rows.Text(p.Warning3File);
    rows.Bool(p.Warning4Message);
    rows.Bool(p.Warning4Sound);
    rows.Bool(p.Warning4Beep);
    rows.Text(p.Warning4File);

    rows.Bool(p.Event1Sound);
    rows.Bool(p.Event1Beep);
    rows.Text(p.Event1File1);
    rows.Bool(p.Event1Message);
    rows.Bool(p.Event1Centered);
    rows.Text(p.Event1File2);
    rows.Bool(p.Event2Sound);
    rows.Bool(p.Event2Beep);
    rows.Text(p.Event2File1);
    rows.Bool(p.Event2Message);
    rows.Bool(p.Event2Centered);
    rows.Text(p.Event2File2);
    rows.Bool(p.Event3Sound);
    rows.Bool(p.Event3Beep);
    rows.Text(p.Event3File);
    rows.Bool(p.Event4Sound);
    rows.Bool(p.Event4Beep);
    rows.Text(p.Event4File);
    rows.Bool(p.Event5Sound);
    rows.Bool(p.Event5Beep);
    rows.Text(p.Event5File);

    rows.Bool(p.AutoOpen);
    rows.Bool(p.AutoApp);
    rows.Text(p.AppName);
    rows.Bool(p.AutoSense1);
    rows.Bool(p.AutoSense2);
    rows.Bool(p.AutoHook);
    rows.Bool(p.AutoExit);
    rows.Number(p.AutoShutdown);
    rows.CommandList(p.BeforeCommands);
    rows.CommandList(p.AfterCommands);
    rows.Bool(p.BrowseNetwork);
    rows.Bool(p.DiskInfo);
    rows.Number(p.TimeDifference);
    rows.Bool(p.IgnoreDST);
    rows.Bool(p.UseUTC);
    rows.Bool(p.MyCopy);
    rows.Bool(p.TransferPermissions);
    rows.Bool(p.TransferOwner);
    rows.Bool(p.Recycle);
    rows.Bool(p.TrayIcon);
    rows.Bool(p.SyncSounds);
    rows.Number(p.OptionsPage);

    auto& preview = p.Preview;
    rows.Bool(preview.OpenFolders);
    rows.Bool(preview.OneLine);
    rows.Bool(preview.DoubleFilter);
    rows.Bool(preview.SizesFilter);
    rows.Bool(preview.PropertiesFilter);
    rows.Bool(preview.ForwardFilter);
    rows.Bool(preview.SkipFilter);
    rows.Bool(preview.DeleteFilter);
    rows.Bool(preview.BackwardFilter);
    PreviewColorRows(rows, preview);
    rows.Bool(preview.ForcePaths);
    rows.Text(preview.FontName);
    rows.Number(preview.FontSize);

    auto& log = p.Log;
    rows.Bool(log.Active);
    rows.Text(log.FileName);
    rows.Code(log.DateTimeMode);
    rows.Code(log.FileInfoMode);
    rows.Bool(log.Daily);
    rows.Bool(log.Append);
    rows.Bool(log.NoNormal);
    rows.Bool(log.ViewOnSuccess);
    rows.Bool(log.MailOnSuccess);
    rows.Bool(log.PrintOnSuccess);
    rows.Bool(log.ViewOnError);
    rows.Bool(log.MailOnError);
    rows.Bool(log.PrintOnError);
    rows.Code(log.ViewerKind);
    rows.Text(log.ViewerPath);
    rows.Text(log.ViewerSwitches);
    rows.Text(log.SenderName);
    rows.Text(log.SenderAddress);
    rows.Text(log.Recipient1Name);
    rows.Text(log.Recipient1Address);
    rows.Text(log.Recipient2Name);
    rows.Text(log.Recipient2Address);
    rows.Text(log.Recipient3Name);
    rows.Text(log.Recipient3Address);
    rows.Text(log.SubjectPrefix);
    rows.Text(log.SmtpServer);
    rows.Bool(log.AsAttachment);
    rows.Text(log.PrinterName);
    rows.Text(log.PrintFontName);
    rows.Number(log.PrintFontSize);

    rows.Schedule(p.Schedule);
}

} // namespace

bool ReadProfile(cLineReader& lines, cParameters& params) {
    params.ResetProfile();
    cRowReader rows(lines);
    ProfileRows(rows, params);
    if (!rows.Ok()) return false;
    params.DocumentKind = kProfileDocument;
    params.LegacyFormat = false;
    return true;
}

void WriteProfile(const cParameters& params, cLineWriter& lines) {
    lines.AddText(kProfileMagic);
    cRowWriter rows(lines);
    ProfileRows(rows, params);
}
