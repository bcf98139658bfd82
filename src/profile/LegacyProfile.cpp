// Reads the profiles of the earlier versions: the 4.x/5.0 layout with its optional extra-data blocks, the
// 3.00 workfile and the oldest layout without a magic line.
#include "profile/LegacyReaders.h"

#include "platform/Clock.h"
#include "platform/FileTime.h"
#include "profile/DocumentRows.h"
#include "profile/LegacyRows.h"
#include "profile/Parameters.h"

namespace legacy {

namespace {

// A row that the earlier versions wrote but that means nothing any more.
void IgnoredRow(cRowReader& rows) {
    rows.Header({});
}

// A section header, skipped unchecked, and a counted list of texts.
void ReadHeaderAndList(cRowReader& rows, cTextList& list) {
    rows.Header({});
    rows.TextList(list);
}

std::array<bool*, 8> ProfileWarnings(cParameters& p) {
    return {&p.Warning1Message, &p.Warning1Sound, &p.Warning2Message, &p.Warning2Sound,
            &p.Warning3Message, &p.Warning3Sound, &p.Warning4Message, &p.Warning4Sound};
}

void SetSizesFactor(int factor, cParameters& p) {
    p.SizesFactor = factor;
    p.SizesCompare = factor > 1;
}

void ReadLog4(cRowReader& rows, cLogParameters& log) {
    rows.Bool(log.Active);
    rows.Text(log.FileName);
    rows.Code(log.DateTimeMode);
    rows.Code(log.FileInfoMode);
    rows.Bool(log.Daily);
    rows.Bool(log.Append);
    rows.Bool(log.NoNormal);
    if (auto view = TextRow(rows); view && *view == "1") log.ViewOnSuccess = log.ViewOnError = true;
    rows.Code(log.ViewerKind);
    rows.Text(log.ViewerPath);
    rows.Text(log.ViewerSwitches);
}

void ReadExtra503(cRowReader& rows, cParameters& p) {
    cLogParameters& log = p.Log;
    rows.Bool(p.AutoApp);
    rows.Text(p.AppName);
    for (bool* flag : {&p.MyCopy, &p.TransferOwner, &log.ViewOnSuccess, &log.MailOnSuccess, &log.PrintOnSuccess,
                       &log.ViewOnError, &log.MailOnError, &log.PrintOnError})
        rows.Bool(*flag);
    for (std::string* text :
         {&log.SenderName, &log.SenderAddress, &log.Recipient1Name, &log.Recipient1Address, &log.Recipient2Name,
          &log.Recipient2Address, &log.Recipient3Name, &log.Recipient3Address, &log.SubjectPrefix, &log.SmtpServer})
        rows.Text(*text);
    rows.Bool(log.AsAttachment);
    rows.Text(log.PrinterName);
    rows.Text(log.PrintFontName);
    rows.Number(log.PrintFontSize);
}

// Rows 75 to 80, in file order.
constexpr std::array<std::string_view, 6> kProfileMarkers = {kExtra403, kExtra420, kExtra501,
                                                             kExtra502, kExtra503, kExtra504};

// Rows 75 to 80: each block is present only in files of the version that introduced it or later.
void ReadExtraBlocks4(cRowReader& rows, cMarkerReader& markers, cParameters& p) {
    if (markers.Next(kExtra403))
        for (bool* flag : {&p.EightThree, &p.CreateAllSrcDirs, &p.CreateAllDestDirs, &p.TrayIcon})
            rows.Bool(*flag);
    if (markers.Next(kExtra420)) {
        rows.Text(p.CheckLabel);
        rows.Bool(p.OfferFormat);
        rows.Bool(p.EjectDisk);
    }
    if (markers.Next(kExtra501)) {
        rows.Bool(p.TransferPermissions);
        rows.Number(p.MidnightHours);
        rows.Bool(p.CompareProperties);
        rows.Bool(p.Preview.PropertiesFilter);
    }
    if (markers.Next(kExtra502)) {
        rows.Text(p.Preview.FontName);
        rows.Number(p.Preview.FontSize);
        for (bool* flag : {&p.Recycle, &p.Verify, &p.IgnoreDST, &p.AutoSense1})
            rows.Bool(*flag);
    }
    if (markers.Next(kExtra503)) ReadExtra503(rows, p);
    if (markers.Next(kExtra504)) rows.Bool(p.AutoSense2);
}

// 3.00 stored one orphan choice o for all five orphan modes: 1 skip, 2 delete, anything else copy.
void SetOrphanModes3(int o, cParameters& p) {
    using enum eOrphanMode;
    const bool skip = o == 1;
    const bool deletes = o == 2;
    p.OrphanModeD1 = skip ? Skip : Forward;
    p.OrphanModeD2 = deletes ? Delete : Skip;
    p.OrphanModeB = deletes ? Delete : skip ? Skip : ForwardBackward;
    p.OrphanModeS1 = skip ? Skip : Backward;
    p.OrphanModeS2 = deletes ? Delete : Skip;
}

// The oldest layout packed the orphan choice (bits 0 and 1) and the attributes (bits 2 to 4) into one number.
// The attributes come from the file alone, so a default from the settings cannot mix into them.
void SetOrphansAndAttributes(int f, cParameters& p) {
    using enum eOrphanMode;
    p.OrphanModeD1 = Forward;
    if (f & 1) {
        p.OrphanModeD2 = p.OrphanModeB = p.OrphanModeS1 = p.OrphanModeS2 = Skip;
    } else if (f & 2) {
        p.OrphanModeD2 = Delete;
        p.OrphanModeB = Delete;
        p.OrphanModeS1 = Backward;
        p.OrphanModeS2 = Delete;
    } else {
        p.OrphanModeD2 = Skip;
        p.OrphanModeB = ForwardBackward;
        p.OrphanModeS1 = Backward;
        p.OrphanModeS2 = Skip;
    }
    using enum eAttributeChange;
    p.Attributes = (f & 4 ? AttributeBits(Hidden) : 0) | (f & 8 ? AttributeBits(System) : 0) |
                   (f & 16 ? AttributeBits(ReadOnly) : 0);
}

// The oldest layout's age: 32767 meant no limit, any other value a limit of that many days.
void SetOldestAge(int age, cParameters& p) {
    if (age == 32767) {
        p.AgeMode = AgeModeValue(eAgeMode::None);
    } else {
        p.AgeMode = AgeModeValue(eAgeMode::RelativeAge);
        p.RelativeAge = age;
    }
}

} // namespace

void ReadProfile4(cLineReader& lines, cParameters& p) {
    cRowReader rows(lines);
    cMarkerReader markers(lines, kProfileMarkers);
    rows.Text(p.SourceDrive);
    for (cTextList* list : {&p.SearchDirectories, &p.ExcludeDirectories, &p.CompareFiles, &p.EnforceFiles,
                            &p.DeleteFiles, &p.ExcludeFiles})
        ReadHeaderAndList(rows, *list);
    rows.Text(p.DestDrive);
    rows.Text(p.DestDirectory);
    rows.Number(p.Variation);
    rows.Bool(p.TouchSrc);
    rows.Bool(p.TouchDest);
    rows.Number(p.Attributes);
    rows.Code(p.ShortenPaths);
    for (bool* flag :
         {&p.CreateSrcDirs, &p.CreateDestDirs, &p.DeleteEmptySrcDirs, &p.DeleteEmptyDestDirs, &p.TransferDirProperties})
        rows.Bool(*flag);
    rows.Number(p.AgeMode);
    rows.Number(p.RelativeAge);
    rows.Number(p.AbsoluteAge);
    for (eOrphanMode* mode : {&p.OrphanModeD1, &p.OrphanModeD2, &p.OrphanModeB, &p.OrphanModeS1, &p.OrphanModeS2})
        rows.Code(*mode);
    rows.Bool(p.ListSkip);
    rows.Bool(p.EnforceBackward);
    rows.Number(p.SortMode);
    rows.Bool(p.ReverseOrder);
    rows.Bool(p.ShowPreview);
    if (auto factor = NumberRow(rows)) SetSizesFactor(*factor, p);
    rows.Bool(p.BrowseNetwork);
    rows.Bool(p.DiskInfo);
    rows.Number(p.TimeDifference);
    rows.Bool(p.UseUTC);
    if (auto bits = NumberRow(rows)) SetWarningBits(*bits, ProfileWarnings(p));
    rows.Bool(p.AutoOpen);
    if (auto beep = NumberRow(rows)) SetRunEndBeep(*beep, p);
    rows.Bool(p.AutoExit);
    rows.Number(p.AutoShutdown);
    rows.Bool(p.AutoHook);
    rows.Number(p.OptionsPage);
    for (bool* flag : {&p.Preview.OpenFolders, &p.Preview.OneLine, &p.Preview.SizesFilter, &p.Preview.DoubleFilter})
        rows.Bool(*flag);
    PreviewColorRows(rows, p.Preview); // rows 50 to 61
    rows.Bool(p.Preview.ForcePaths);
    ReadLog4(rows, p.Log);
    rows.Schedule(p.Schedule);
    ReadExtraBlocks4(rows, markers, p);
}

void ReadWorkfile3(cLineReader& lines, cParameters& p) {
    cRowReader rows(lines);
    FullPathList(rows, p.SearchDirectories, &p.SourceDrive, false);
    FullPathList(rows, p.ExcludeDirectories, nullptr, false);
    ReadHeaderAndList(rows, p.CompareFiles);
    ReadHeaderAndList(rows, p.ExcludeFiles);
    IgnoredRow(rows);
    rows.Number(p.Variation);
    if (auto preview = NumberRow(rows)) p.ShowPreview = *preview > 0;
    rows.Number(p.SortMode);
    rows.Bool(p.ReverseOrder);
    if (auto shorten = NumberRow(rows)) p.ShortenPaths = ShortenPathsFromOld(*shorten);
    rows.Number(p.Attributes);
    if (auto direction = NumberRow(rows)) SetOldDirection(*direction, p);
    rows.Number(p.AgeMode);
    rows.Number(p.RelativeAge);
    rows.Number(p.AbsoluteAge);
    if (auto orphans = NumberRow(rows)) SetOrphanModes3(*orphans, p);
    if (auto bits = NumberRow(rows)) SetWarningBits(*bits, ProfileWarnings(p));
    rows.Bool(p.AutoOpen);
    rows.Bool(p.AutoExit);
    rows.Number(p.AutoShutdown);
    if (auto beep = NumberRow(rows)) SetRunEndBeep(*beep, p);
    for (bool* flag : {&p.CreateSrcDirs, &p.CreateDestDirs, &p.DeleteEmptySrcDirs, &p.DeleteEmptyDestDirs})
        rows.Bool(*flag);
    if (auto factor = NumberRow(rows)) SetSizesFactor(*factor, p);
    rows.Bool(p.Log.Active);
    rows.Code(p.Log.DateTimeMode);
    rows.Code(p.Log.FileInfoMode);
    rows.Text(p.Log.FileName);
    rows.Bool(p.Log.Append);
    bool view = false;
    rows.Bool(view);
    if (rows.Ok()) p.Log.ViewOnSuccess = p.Log.ViewOnError = view;
    if (auto oneLine = NumberRow(rows)) p.Preview.OneLine = *oneLine == 1;
    rows.Bool(p.Preview.SizesFilter);
    rows.Bool(p.Preview.DoubleFilter);
    rows.Color(p.Preview.Block1Color);
    rows.Color(p.Preview.Block2Color);
}

void ReadOldestProfile(cLineReader& lines, cParameters& p) {
    cRowReader rows(lines);
    IgnoredRow(rows);
    IgnoredRow(rows);
    rows.Number(p.Variation);
    if (auto preview = NumberRow(rows)) p.ShowPreview = *preview > 0;
    rows.Number(p.SortMode);
    if (auto shorten = NumberRow(rows)) p.ShortenPaths = ShortenPathsFromOld(*shorten);
    if (auto age = NumberRow(rows)) {
        SetOldestAge(*age, p);
        p.AbsoluteAge = platform::DayNumberFromFileTime(platform::NowLocal());
    }
    if (auto dirs = NumberRow(rows)) {
        p.CreateSrcDirs = p.CreateDestDirs = (*dirs & 1) != 0;
        p.DeleteEmptySrcDirs = p.DeleteEmptyDestDirs = (*dirs & 2) != 0;
    }
    if (auto sizes = NumberRow(rows)) SetSizesFactor(*sizes != 0 ? 5 : 0, p);
    if (auto direction = NumberRow(rows)) {
        SetOldDirection(*direction, p);
        // Empty directories are deleted only on a side the run may change.
        if (!p.TouchSrc) p.DeleteEmptySrcDirs = false;
        if (!p.TouchDest) p.DeleteEmptyDestDirs = false;
    }
    if (auto packed = NumberRow(rows)) SetOrphansAndAttributes(*packed, p);
    FullPathList(rows, p.SearchDirectories, &p.SourceDrive, true);
    FullPathList(rows, p.ExcludeDirectories, nullptr, true);
    ReadHeaderAndList(rows, p.CompareFiles);
    ReadHeaderAndList(rows, p.ExcludeFiles);
}

} // namespace legacy
