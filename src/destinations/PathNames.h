// Normalising and checking the drives, directories, file, archive, server and profile names the user types.
#pragma once

#include <string>
#include <string_view>

// True when the text holds a "%" followed by another "%" within the 260 characters after it: the text then
// names variables that are replaced only when it is used. Characters are counted, not bytes.
bool HasVariables(std::string_view text);

// Normalisers: what the dialogs store when they are closed with OK. A text with variables is returned
// unchanged, and so is an empty text unless said otherwise.

// A single letter A..Z (either case) gets ":" ("d" → "D:"). A text beginning with "/" is a POSIX root: its
// case is kept, repeated and trailing "/" go ("/home/anna/" → "/home/anna", "/" stays "/"). Any other text
// of more than two characters is a UNC name: "\" is put in front until it begins with "\\" and one trailing
// "\" is removed. Everything but a POSIX root is then upper-cased ("server\share\" → "\\SERVER\SHARE").
std::string NormalizeDrive(std::string_view text);
// An empty text becomes "\". Otherwise a missing leading "\" is added and, when the text holds no "*", a
// missing trailing "\" ("Daten" → "\Daten\", "Daten\*" → "\Daten\*").
std::string NormalizeDirectory(std::string_view text);
// Keeps the name after the last "\", "/" or ":" and gives it the extension ".zip" in place of its own
// ("C:\Daten\sicher.rar" → "sicher.zip", "Woche" → "Woche.zip"). A text that ends in a separator holds no
// name and gives the empty text.
std::string NormalizeArchiveName(std::string_view text);
// A leading "ftp://" (exactly so, lower case) is removed and the rest lower-cased.
std::string NormalizeServer(std::string_view text);

// Validators: they check a text after its variables were expanded and never change it. No valid text holds
// a control character (below U+0020 or U+007F): such a name cannot live in the program's line files.

// "D:" (a letter A..Z, either case, and ":"), a UNC name "\\Computer\Freigabename" (more than four
// characters, exactly one "\" after the leading two, none at the end, none of / * ? < | > "), or an absolute
// POSIX directory ("/" or "/home/anna", a trailing "/" allowed; no "\", no "//", no "." or ".." component).
bool IsValidDrive(std::string_view text);
// A directory below a root: begins and ends with "\" ("\" alone is valid), no "\\" inside, none of
// / : * ? < | > ".
bool IsValidDirectory(std::string_view text);
// A drive part that passes IsValidDrive followed by a rest that passes IsValidDirectory ("D:\Daten\",
// "\\NAS\BACKUP\Daten\"), or an absolute POSIX directory by the rules of IsValidDrive.
bool IsValidPath(std::string_view text);
// Not empty, not "." or "..", none of \ / : * ? < > | ".
bool IsValidFileName(std::string_view text);
// A valid file name whose extension, in any case, is ".zip".
bool IsValidArchiveName(std::string_view text);
// A host name, in any case: a letter a..z first, then letters, digits, "-" and "."; no ".." and no "." at
// the end.
bool IsValidServerName(std::string_view text);
// A valid file name whose extension, in any case, is ".tvp".
bool IsValidProfileName(std::string_view text);

// Makes a text fit for one directory name (a variation name such as a long date): removes \ / : * ? < > |,
// the double quote and control characters. A result that is "." or ".." would name the directory itself or
// its parent and becomes empty.
std::string RemoveUnsafeChars(std::string_view text);
