// TFtpMdl: the FTP destination's adapter. One client (one control connection for the whole run), the time-stamp
// list, and the operations a run needs on the server, each on relative directories ("\" at both ends) and file
// names as the run's lists hold them.
#pragma once

#include "destinations/FtpClient.h"
#include "destinations/FtpStampList.h"
#include "platform/FileTime.h"

#include <functional>
#include <string>

// What a transfer is for; progress is reported for uploads and downloads only.
enum eFtpTransferKind { kTransferNone = 0, kTransferUpload = 1, kTransferDownload = 2, kTransferVerify = 3 };

// The options of a profile that the adapter follows.
struct cFtpOptions {
    bool UseList = false;     // keep the time-stamp list and take remote times from it
    bool UseMdtm = false;     // ask remote times with MDTM and set them after an upload
    bool ServerLocal = false; // the server lists its local time
};

class TFtpMdl {
public:
    TmsFTPClient msFTPClient;
    cFtpOptions Options;
    std::string CurrentRemoteDir = "*"; // the server directory of the last listing; "*" lists again
    std::string LastErrorMessage;       // the server's reply to the last failure (shown for -302)
    cFtpStampList StampList;
    eFtpTransferKind TransferKind = kTransferNone;

    // A line from the server with the account's password, should the server repeat it, replaced by "*".
    [[nodiscard]] std::string Masked(std::string line) const;
    // "\a\b\" + "c.txt" -> "/a/b/c.txt"; a directory alone keeps its trailing "/" ("/a/b/").
    static std::string RemotePath(const std::string& relativeDirectory, const std::string& fileName = {});

    // Connects and logs in, then asks the working directory. Returns 0 or the code (LastErrorMessage set).
    [[nodiscard]] int Login();
    // Logs out and closes the connection. Returns 0 or the code (LastErrorMessage set).
    [[nodiscard]] int Logout();

    // Makes DirList() describe the relative directory: changes into it (unless it is the one listed last) and
    // lists it. Returns 0 (also when the listing held names that could lead elsewhere: they stay unparsed
    // entries), or the code of the failed change or listing, after which DirList() is empty.
    [[nodiscard]] int ListRemoteDirectory(const std::string& relativeDirectory);
    [[nodiscard]] const TmsFTPDirList& DirList() const { return msFTPClient.DirList(); }
    // The time of a file of the last listing in UTC: listed, MDTM, time-stamp list, as the options say.
    platform::FileTime RemoteFileTime(const std::string& relativeDirectory, const TmsFTPDirEntry& entry);

    // MKD for every level of the relative directory, from the top. report is called for each level that was
    // created (code 0) or that failed for another reason than being there already (its code). Returns the
    // number of failed levels.
    int CreateRemoteDirectory(const std::string& relativeDirectory,
                              const std::function<void(const std::string& level, int code)>& report);
    // RMD of the relative directory; 0 when it was removed.
    [[nodiscard]] int RemoveRemoteDirectory(const std::string& relativeDirectory);

    // STOR of the data source under a temporary name in the directory, renamed to the file's name once complete;
    // then its time on the server (MDTM) and its entry in the time-stamp list as the options say. A transfer
    // that did not complete deletes what arrived of it and leaves the old file and its entry alone. Returns 0 or
    // the code.
    [[nodiscard]] int Upload(const FtpDataSource& source, const std::string& relativeDirectory,
                             const std::string& fileName, platform::FileTime sourceTime);
    // RETR of the file into the sink. Returns 0 or the code.
    [[nodiscard]] int Download(const std::string& relativeDirectory, const std::string& fileName,
                               const FtpDataSink& sink, eFtpTransferKind kind);
    // The three generations below the relative directory base, shifted by renames on the server: Vater to
    // Grossvater, Sohn to Vater, Enkel to Sohn, Grossvater to Enkel (Grossvtr with eightThree). A step whose
    // source is missing or whose target exists is left out, as on a local disk; the time-stamp entries move
    // with their directories.
    void RotateGenerations(const std::string& base, bool eightThree);
    // DELE of the file and removal of its time-stamp entry. Returns 0 or the code.
    [[nodiscard]] int Delete(const std::string& relativeDirectory, const std::string& fileName);

    // Files with the program's temporary names that a listing finds are leftovers of a broken upload: with
    // this set, the tree deletes them (a plan leaves them).
    bool RemoveLeftovers = false;

private:
    [[nodiscard]] int Rename(const std::string& from, const std::string& to);
    // Moves the time-stamp entries below the relative directory from to below to; entries below to go first.
    void MoveStamps(const std::string& from, const std::string& to);
    // Keeps the server's reply of a failed command and hands the code back.
    int Failed(int code);
};
