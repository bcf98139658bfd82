// Where the program keeps its settings file, default log, sounds and messages.
#pragma once

#include <string>

namespace platform {

// The folder of the running executable, with a trailing "/".
std::string ExecutableFolder();

// The folder of "Tolvan6.ini", with a trailing "/": the executable's folder when it holds a Tolvan6.ini
// (portable use), otherwise $XDG_CONFIG_HOME/tolvan/ (default ~/.config/tolvan/).
std::string SettingsFolder();

// The folder of the default log file, "Klänge/" and "Nachrichten/", with a trailing "/": the executable's
// folder in portable use, otherwise $XDG_DATA_HOME/tolvan/ (default ~/.local/share/tolvan/).
std::string DataFolder();

// The folder of the files that come with the program (help pages, default messages), with a trailing "/":
// the first of these that holds a "help/" folder: the executable's folder in portable use; prefix/share/tolvan/
// for an executable installed as prefix/bin/tolvan; the source tree's data/ for a program run from its build
// folder. When none holds one, the installed place.
std::string ShippedFolder();
// The same for an executable in executableFolder (with a trailing "/").
std::string ShippedFolderFor(const std::string& executableFolder);

// Whether the program runs installed for all users: its executable is prefix/bin/tolvan and prefix/share holds
// its desktop entry (applications/tolvan.desktop), as the package installs them.
bool InstalledForAllUsers();
// The same for an executable in executableFolder (with a trailing "/").
bool InstalledForAllUsersFrom(const std::string& executableFolder);

// The user's home directory, without a trailing "/" (unless it is "/").
std::string HomeFolder();

// Creates a folder for the program's own files, and its missing parents, readable by the owner only (0700);
// an existing folder is left as it is. Returns 0 or the error code of the first folder that failed.
[[nodiscard]] int CreatePrivateFolder(const std::string& folder);

} // namespace platform
