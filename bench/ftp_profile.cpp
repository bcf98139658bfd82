// Writes the profile of an FTP mirror for bench/ftp: the tree SOURCE mirrored to the root of the FTP server
// HOST:PORT with the account USER / PASSWORD, the time-stamp list kept.
//   bench_ftp_profile FILE SOURCE HOST PORT USER PASSWORD
#include "profile/IniFile.h"
#include "profile/NewProfile.h"
#include "profile/Parameters.h"
#include "profile/SettingsFile.h"
#include "shell/DocumentBoxes.h"
#include "shell/HeadlessInterface.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

int main(int argc, char** argv) {
    if (argc != 7) {
        std::fputs("usage: bench_ftp_profile FILE SOURCE HOST PORT USER PASSWORD\n", stderr);
        return 2;
    }
    std::unique_ptr<cIniFile> settings = OpenSettingsFileWithoutTakeover();
    cParameters params(settings.get());
    MakeNewProfile(params, argv[2], argv[2], eProfileDirection::Mirror);
    params.DestType = eDestType::Ftp;
    params.DestServer = argv[3];
    params.FtpPort = static_cast<std::uint16_t>(std::atoi(argv[4]));
    params.FtpTimeOut = 30;
    params.FtpUserName = argv[5];
    params.FtpPassword = argv[6];
    params.FtpUseList = true;
    params.FtpUseMdtm = false;
    params.FtpLogComm = false;
    params.DestDirectory = "\\";
    cHeadlessInterface ui;
    return WriteDocumentShowingError(ui, params, argv[1]) == 0 ? 0 : 2;
}
