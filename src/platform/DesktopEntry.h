// The desktop's side of the program: file types for profiles and batch files, and shortcuts that start the
// program with a document (freedesktop .desktop files and a shared-mime-info package).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// A document type the program opens: recognised by its extension or by its first line.
struct cDocumentType {
    std::string MimeType;  // "application/x-tolvan-profile"
    std::string Comment;   // "Tolvan Profile"
    std::string Extension; // without the dot: "tvp"
    std::string FirstLine; // the text a file of the type begins with
};

// The shared-mime-info package (mime/packages/tolvan.xml) that declares the types.
std::string MimePackageText(const std::vector<cDocumentType>& types);
// The application entry (applications/tolvan.desktop) that opens one document of the types with executable
// (a full path, or a name the desktop looks up on PATH), shown with the theme's icon of that name;
// std::nullopt when the path holds a line break or another control character, which an entry cannot carry.
std::optional<std::string> ApplicationEntryText(const std::string& executable, const std::vector<cDocumentType>& types,
                                                std::string_view icon);

// The icon of the program installed for all users (icons/hicolor/*/apps/tolvan.*), and the theme's generic one
// that a per-user registration of a program run from its build or a portable folder uses.
inline constexpr std::string_view kProgramIcon = "tolvan";
inline constexpr std::string_view kGenericIcon = "drive-harddisk";

// Registers the types for the user: writes the two files above (with the generic icon) below $XDG_DATA_HOME
// (default ~/.local/share), each only when its content differs from what is there, then refreshes the desktop's caches
// (update-mime-database, update-desktop-database, when installed) without waiting for them. Returns 0 or the
// first error code; nothing is left half written.
[[nodiscard]] int InstallFileTypes(const std::string& executable, const std::vector<cDocumentType>& types);

// Writes a shortcut: a .desktop file at linkPath (a native path ending in ".desktop") that starts target in
// workingDirectory with arguments, titled description (or the link's file name without ".desktop" when
// empty). arguments has the program's command-line form: a document in double quotes (the quotes enclose
// everything up to the last one, so the name itself may hold a quote), optionally followed by words such as
// "/mute"; without a leading quote it is split at blanks. Returns 0 or the error code (123 for a value with a
// line break or another control character); an existing file is replaced whole.
[[nodiscard]] int CreateShortcut(const std::string& target, const std::string& workingDirectory,
                                 const std::string& arguments, const std::string& description,
                                 const std::string& linkPath);

// The text of such a shortcut; std::nullopt for a value that an entry cannot carry.
std::optional<std::string> ShortcutText(const std::string& target, const std::string& workingDirectory,
                                        const std::string& arguments, const std::string& title);

} // namespace platform
