#include "destinations/FtpMdl.h"

#include "destinations/FtpRemoteTime.h"
#include "platform/ErrorCodes.h"
#include "platform/TemporaryFiles.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <optional>
#include <utility>
#include <vector>

namespace {

std::string LowerCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// "yyyymmddhhnnss" of a UTC file time.
std::string MdtmStamp(platform::FileTime utc) {
    const platform::DateTime t = platform::SplitFileTime(utc);
    char text[16];
    std::snprintf(text, sizeof text, "%04d%02d%02d%02d%02d%02d", t.year, t.month, t.day, t.hour, t.minute, t.second);
    return text;
}

// Clears the interruption flag of the client for the clean-up after a stopped transfer, and restores it.
class cStopPause {
public:
    explicit cStopPause(TmsFTPClient& client) : m_client(client), m_saved(client.Stop) { client.Stop = {}; }
    ~cStopPause() { m_client.Stop = m_saved; }
    cStopPause(const cStopPause&) = delete;
    cStopPause& operator=(const cStopPause&) = delete;

private:
    TmsFTPClient& m_client;
    platform::StopFlags m_saved;
};

} // namespace

std::string TFtpMdl::RemotePath(const std::string& relativeDirectory, const std::string& fileName) {
    std::string path = relativeDirectory.empty() ? "\\" : relativeDirectory;
    if (path.front() != '\\') path.insert(path.begin(), '\\');
    if (path.back() != '\\') path += '\\';
    std::replace(path.begin(), path.end(), '\\', '/');
    return path + fileName;
}

std::string TFtpMdl::Masked(std::string line) const {
    const std::string& password = msFTPClient.Password;
    if (password.empty()) return line;
    for (std::size_t at = line.find(password); at != std::string::npos; at = line.find(password, at))
        line.replace(at, password.size(), std::string(password.size(), '*'));
    return line;
}

int TFtpMdl::Failed(int code) {
    if (code == platform::kFtpCommandFailed) LastErrorMessage = Masked(msFTPClient.ReplyText());
    return code;
}

int TFtpMdl::Login() {
    CurrentRemoteDir = "*";
    if (const int rc = msFTPClient.Login()) {
        const int code = Failed(rc);
        (void)msFTPClient.Quit();
        return code;
    }
    std::string working;
    (void)msFTPClient.PrintWorkingDirectory(working); // only asked; the run names directories from the root
    return 0;
}

int TFtpMdl::Logout() {
    if (!msFTPClient.Connected()) return 0;
    cStopPause pause(msFTPClient);
    return Failed(msFTPClient.Quit());
}

int TFtpMdl::ListRemoteDirectory(const std::string& relativeDirectory) {
    std::string path = relativeDirectory;
    if (path.size() > 1 && path.back() == '\\') path.pop_back();
    if (path.empty()) path = "\\";
    std::replace(path.begin(), path.end(), '\\', '/');
    if (path == CurrentRemoteDir) return 0;
    CurrentRemoteDir = "*"; // a failure below leaves nothing listed, so the next call tries again
    if (const int rc = msFTPClient.ChangeDirectory(path)) return Failed(rc);
    const int rc = msFTPClient.ListDirectory();
    if (rc != 0 && rc != platform::kFtpUnsafeName) return Failed(rc);
    CurrentRemoteDir = path;
    return 0;
}

platform::FileTime TFtpMdl::RemoteFileTime(const std::string& relativeDirectory, const TmsFTPDirEntry& entry) {
    std::optional<std::string> mdtm;
    if (Options.UseMdtm) {
        std::string stamp;
        if (msFTPClient.ReadModificationTime(entry.Name, stamp) == 0) mdtm = "213 " + stamp;
    }
    std::optional<platform::FileTime> listed;
    if (Options.UseList) {
        if (const cFtpStamp* found = StampList.Find(relativeDirectory, entry.Name)) listed = found->Stamp;
    }
    return ::RemoteFileTime(entry.Date, Options.ServerLocal,
                            mdtm ? std::optional<std::string_view>(*mdtm) : std::nullopt, listed, true);
}

int TFtpMdl::CreateRemoteDirectory(const std::string& relativeDirectory,
                                   const std::function<void(const std::string&, int)>& report) {
    int failed = 0;
    std::string level = "\\";
    for (std::size_t start = 1; start < relativeDirectory.size();) {
        std::size_t end = relativeDirectory.find('\\', start);
        if (end == std::string::npos) end = relativeDirectory.size();
        if (end > start) {
            level.append(relativeDirectory, start, end - start);
            level += '\\';
            const int rc = msFTPClient.MakeDirectory(RemotePath(level));
            if (rc == 0) {
                report(level, 0);
            } else {
                Failed(rc);
                const std::string reply = LowerCase(msFTPClient.ReplyText());
                // Servers say in many words that the directory is there already.
                const bool there = rc == platform::kFtpCommandFailed && (reply.find("exist") != std::string::npos ||
                                                                         reply.find("fail") != std::string::npos);
                if (!there) {
                    report(level, rc);
                    ++failed;
                }
            }
        }
        start = end + 1;
    }
    return failed;
}

int TFtpMdl::RemoveRemoteDirectory(const std::string& relativeDirectory) {
    return Failed(msFTPClient.RemoveDirectory(RemotePath(relativeDirectory)));
}

int TFtpMdl::Rename(const std::string& from, const std::string& to) {
    if (const int rc = msFTPClient.Command("RNFR " + from)) return rc;
    if (msFTPClient.ReplyCode() / 100 != 3) return platform::kFtpCommandFailed;
    if (const int rc = msFTPClient.Command("RNTO " + to)) return rc;
    return msFTPClient.ReplyCode() / 100 == 2 ? 0 : platform::kFtpCommandFailed;
}

int TFtpMdl::Upload(const FtpDataSource& source, const std::string& relativeDirectory, const std::string& fileName,
                    platform::FileTime sourceTime) {
    const std::string path = RemotePath(relativeDirectory, fileName);
    // The file arrives under a temporary name and takes its own only when complete: a transfer that breaks off
    // leaves the old file as it was, never a torn one under its name.
    const std::string temporary = RemotePath(relativeDirectory, platform::MakeTemporaryName());
    TransferKind = kTransferUpload;
    int rc = msFTPClient.StoreFile(source, temporary);
    TransferKind = kTransferNone;
    if (rc == 0) {
        rc = Rename(temporary, path);
        // A server that renames onto no existing file gets the old one deleted first.
        if (rc == platform::kFtpCommandFailed && msFTPClient.DeleteRemoteFile(path) == 0) {
            StampList.Remove(relativeDirectory, fileName);
            rc = Rename(temporary, path);
        }
    }
    if (rc != 0) {
        const int code = Failed(rc);
        if (msFTPClient.Connected()) {
            const cStopPause pause(msFTPClient);
            (void)msFTPClient.DeleteRemoteFile(temporary);
        }
        return code;
    }
    if (Options.UseMdtm) (void)msFTPClient.SetModificationTime(path, MdtmStamp(sourceTime));
    if (Options.UseList) StampList.Record(relativeDirectory, fileName, sourceTime);
    return 0;
}

int TFtpMdl::Download(const std::string& relativeDirectory, const std::string& fileName, const FtpDataSink& sink,
                      eFtpTransferKind kind) {
    TransferKind = kind;
    const int rc = msFTPClient.RetrieveFile(RemotePath(relativeDirectory, fileName), sink);
    TransferKind = kTransferNone;
    return Failed(rc);
}

int TFtpMdl::Delete(const std::string& relativeDirectory, const std::string& fileName) {
    if (const int rc = msFTPClient.DeleteRemoteFile(RemotePath(relativeDirectory, fileName))) return Failed(rc);
    StampList.Remove(relativeDirectory, fileName);
    return 0;
}

void TFtpMdl::MoveStamps(const std::string& from, const std::string& to) {
    const std::vector<cFtpStamp> entries = StampList.Entries();
    StampList.Clear();
    for (cFtpStamp entry : entries) {
        if (entry.Directory.starts_with(to)) continue; // what the target held is gone
        if (entry.Directory.starts_with(from)) entry.Directory = to + entry.Directory.substr(from.size());
        (void)StampList.Record(entry.Directory, entry.BaseName + entry.Extension, entry.Stamp);
    }
}

void TFtpMdl::RotateGenerations(const std::string& base, bool eightThree) {
    const std::string passing = eightThree ? "Grossvtr" : "Grossvater";
    const std::pair<std::string, std::string> steps[] = {
        {"Vater", passing}, {"Sohn", "Vater"}, {"Enkel", "Sohn"}, {passing, "Enkel"}};
    for (const auto& [from, to] : steps) {
        if (ListRemoteDirectory(base) != 0) return;
        const TmsFTPDirList& listed = DirList();
        const auto there = [&listed](const std::string& name) {
            return std::any_of(listed.begin(), listed.end(),
                               [&name](const TmsFTPDirEntry& entry) { return entry.Name == name; });
        };
        if (!there(from) || there(to)) continue;
        CurrentRemoteDir = "*"; // the listing no longer holds
        if (Rename(RemotePath(base, from), RemotePath(base, to)) == 0) MoveStamps(base + from + "\\", base + to + "\\");
    }
    CurrentRemoteDir = "*";
}
