// The log settings of a profile: file, detail, delivery by viewer, mail and printer, and the resolved name.
#pragma once

#include "profile/ProfileEnums.h"

#include <string>

struct cLogParameters {
    // The defaults of a new profile; FileName is the data folder's "Log.txt".
    cLogParameters();

    bool Active = true;
    std::string FileName; // may hold variables (ExpandVariables)
    eLogDateTime DateTimeMode = eLogDateTime::StartAndEnd;
    eLogFileInfo FileInfoMode = eLogFileInfo::WithOldFile;
    bool Daily = false; // add the date to the file name
    bool Append = true;
    bool NoNormal = false;
    bool ViewOnSuccess = false;
    bool MailOnSuccess = false;
    bool PrintOnSuccess = false;
    bool ViewOnError = false;
    bool MailOnError = false;
    bool PrintOnError = false;
    eLogViewer ViewerKind = eLogViewer::BuiltIn; // Program: ViewerPath
    std::string ViewerPath;
    std::string ViewerSwitches;
    std::string SenderName;
    std::string SenderAddress;
    std::string Recipient1Name;
    std::string Recipient1Address;
    std::string Recipient2Name;
    std::string Recipient2Address;
    std::string Recipient3Name;
    std::string Recipient3Address;
    std::string SubjectPrefix;
    std::string SmtpServer;
    bool AsAttachment = false;
    // Empty: no printer is looked up yet, so a new profile names none.
    std::string PrinterName;
    std::string PrintFontName = "Courier New";
    int PrintFontSize = 9;

    // Run time only.
    std::string ActualFileName;
    bool IsOpen = false;

    // Sets ActualFileName: FileName, with " vom " and today's long date ("Mittwoch, 9. Dezember 2026") put
    // before its extension when Daily is set, then expanded with ExpandVariables(name, dateOffset).
    void ResolveLogFile(double dateOffset);

    bool operator==(const cLogParameters&) const = default;
};
