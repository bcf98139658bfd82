// A run whose destination is a directory tree on an FTP server: the login before the scan and the end after
// the actions.
#include "engine/FtpRun.h"

#include "destinations/Variation.h"
#include "engine/RunContext.h"
#include "messages/PlaySignal.h"
#include "messages/UserInterface.h"
#include "platform/Clock.h"
#include "platform/FileStream.h"
#include "profile/IniFile.h"
#include "profile/Parameters.h"
#include "profile/SettingsFile.h"
#include "profile/Variables.h"

namespace {

constexpr int kLogConnecting = 30110;
constexpr int kLogAccountMissing = 30111;
constexpr int kLoginFailed = 30112;
constexpr int kLogoutFailed = 30113;

// "ftp://host" (with ":port" when it is not the usual one): where the log and the messages show a server path.
std::string ShownRoot(const std::string& host, std::uint16_t port) {
    std::string root = "ftp://" + host;
    if (port != 21) root += ":" + std::to_string(port);
    return root;
}

// The caption of the run's windows: the profile's file name, " - ", the program.
std::string Caption(const std::string& profileFile) {
    const std::size_t slash = profileFile.find_last_of('/');
    return (slash == std::string::npos ? profileFile : profileFile.substr(slash + 1)) + " - Tolvan 6";
}

std::string ServerName(const cParameters& p) {
    std::string host = ExpandVariables(p.DestServer, p.DateOffset);
    while (!host.empty() && host.back() == ' ')
        host.pop_back();
    while (!host.empty() && host.front() == ' ')
        host.erase(host.begin());
    return host;
}

// Passive data connections when the settings file asks for them ("[FTP]", "Passive=1"): behind NAT and
// firewalls the server cannot reach the client. Without the key the client starts active and falls back to
// passive by itself when PORT is refused or its connection does not come.
bool PassiveFromSettings() {
    const std::unique_ptr<cIniFile> settings = OpenSettingsFileWithoutTakeover();
    return settings && settings->Read("FTP", "Passive").value_or("0") == "1";
}

} // namespace

void cFtpRun::Start(cRun& run) {
    const cParameters& p = run.Params;
    cRunState& s = run.State;
    Model.Options = {.UseList = p.FtpUseList, .UseMdtm = p.FtpUseMdtm, .ServerLocal = p.FtpServerLocal};
    Model.CurrentRemoteDir = "*";
    Model.RemoveLeftovers = !run.PlanOnly && p.TouchDest;
    if (p.FtpUseList) {
        const int code = ReadFtpStampList(Model.StampList, p.ProfileFile);
        run.Event(kLogStampListRead, {.Path = FtpStampFileName(p.ProfileFile), .Code = code});
    }
    TmsFTPClient& client = Model.msFTPClient;
    if (p.FtpLogComm) {
        run.Ui.ShowFtpLog();
        cUserInterface& ui = run.Ui;
        client.Events.OnLineSent = [&ui](const std::string& line) { ui.FtpLine(true, line); };
        client.Events.OnLineReceived = [&ui, this](const std::string& line) { ui.FtpLine(false, Model.Masked(line)); };
    }
    const std::string host = ServerName(p);
    run.Event(kLogConnecting, {.Text1 = host});
    client.Host = host;
    client.Port = p.FtpPort != 0 ? p.FtpPort : 21;
    client.TimeOut = p.FtpTimeOut > 0 ? p.FtpTimeOut : 30;
    client.UserName = p.FtpUserName;
    client.Password = p.FtpPassword;
    client.TransferType = ttBinary;
    client.PassiveMode = PassiveFromSettings();
    client.Stop = {&s.AbortRequested, nullptr};
    if (client.UserName.empty() || client.Password.empty()) {
        run.Event(kLogAccountMissing);
        PlaySignal(run.Ui, p.Warning3Sound, p.Warning3Beep, p.Warning3File, p.SyncSounds);
        if (p.Warning3Message) {
            if (const std::optional<cFtpLogin> login =
                    run.Ui.AskFtpLogin(Caption(p.ProfileFile), client.UserName, client.Password)) {
                client.UserName = login->UserName;
                client.Password = login->Password;
            }
        }
        if (client.UserName.empty() || client.Password.empty()) {
            s.AbortRequested = true;
            return;
        }
    }
    if (const int code = Model.Login(); code != 0) {
        run.Event(kLoginFailed, {.Code = code, .ServerReply = Model.LastErrorMessage});
        (void)run.Ask(kLoginFailed, {.Error = code, .ServerReply = Model.LastErrorMessage});
        s.LastErrorMessage = Model.LastErrorMessage;
        ++s.Counters.ErrorCount;
        s.AbortRequested = true;
        return;
    }
    Connected = true;
}

void cFtpRun::Finish(cRun& run) {
    const cParameters& p = run.Params;
    cRunState& s = run.State;
    // The list names what arrived on the server, also after a stop; a run that found nothing, or only planned,
    // leaves it as it was.
    if (Connected && !s.NoFiles && p.FtpUseList && !run.PlanOnly) {
        const int code = WriteFtpStampList(Model.StampList, p.ProfileFile);
        run.Event(kLogStampListWritten, {.Path = FtpStampFileName(p.ProfileFile), .Code = code});
        if (code != 0) ++s.Counters.ErrorCount;
    }
    if (!Connected) return;
    if (const int code = Model.Logout(); code != 0) {
        run.Event(kLogoutFailed, {.Code = code, .ServerReply = Model.LastErrorMessage});
        ++s.Counters.ErrorCount;
    }
    Connected = false;
}

void cFtpRun::DestinationResolved(cRun& run) {
    cParameters& p = run.Params;
    if (p.Variation != kVariationGenerations || !Connected) return;
    std::string base = ExpandVariables(p.DestDirectory, p.DateOffset);
    if (base.empty() || base.front() != '\\') base.insert(base.begin(), '\\');
    if (base.back() != '\\') base += '\\';
    if (run.PlanOnly) {
        p.ResolvedDestDirectory = base + "Vater\\";
        return;
    }
    Model.RotateGenerations(base, p.EightThree);
    TreeView.Forget();
}

std::unique_ptr<cDestinationRun> StartFtpRun(cRun& run) {
    const std::uint16_t port = run.Params.FtpPort != 0 ? run.Params.FtpPort : 21;
    auto ftp = std::make_unique<cFtpRun>(ShownRoot(ServerName(run.Params), port));
    ftp->Start(run);
    return ftp;
}

int cFtpRun::FetchFile(const std::string& directory, const std::string& name, const std::string& localFile,
                       std::string& reason) {
    if (!Connected) return platform::kNotReady;
    platform::ReplacementFile out;
    if (const int code = out.Create(localFile); code != 0) return code;
    const FtpDataSink sink = [&out](std::string_view bytes) { return out.Write(bytes); };
    int code = Model.Download(directory, name, sink, kTransferNone);
    if (code == 0) code = out.Publish(platform::NowUtc());
    if (code != 0) reason = Model.LastErrorMessage;
    return code;
}
