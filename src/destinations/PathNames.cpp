// Normalising and checking the names the user types for roots, directories, archives, servers and profiles.
#include "destinations/PathNames.h"

#include "platform/Roots.h"
#include "platform/Text.h"

#include <cstddef>
#include <optional>

namespace {

constexpr std::size_t kVariableSpan = 260;
// Characters that no file or directory name may hold, here or in the program's Windows form.
constexpr std::string_view kNameForbidden = "\\/:*?<>|\"";

bool IsContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

std::size_t CharCount(std::string_view text) {
    std::size_t count = 0;
    for (char c : text)
        if (!IsContinuationByte(c)) ++count;
    return count;
}

bool IsAsciiLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool IsControlChar(char c) {
    auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7F;
}

bool HasControlChar(std::string_view text) {
    for (char c : text)
        if (IsControlChar(c)) return true;
    return false;
}

bool Contains(std::string_view text, std::string_view characters) {
    return text.find_first_of(characters) != std::string_view::npos;
}

// The extension from the last "." on, or the empty text.
std::string_view Extension(std::string_view name) {
    std::size_t dot = name.rfind('.');
    return dot == std::string_view::npos ? std::string_view() : name.substr(dot);
}

bool HasExtension(std::string_view name, std::string_view lowerExtension) {
    return platform::LowerCase(Extension(name)) == lowerExtension;
}

// An absolute POSIX directory as a root or path: no "\" (the internal separator), no "//", no "." or ".."
// component; a trailing "/" is allowed.
bool IsValidPosixDirectory(std::string_view text) {
    if (text.empty() || text.front() != '/') return false;
    if (HasControlChar(text) || Contains(text, "\\") || text.find("//") != std::string_view::npos) return false;
    std::size_t start = 1;
    while (start <= text.size()) {
        std::size_t end = text.find('/', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view component = text.substr(start, end - start);
        if (component == "." || component == "..") return false;
        start = end + 1;
    }
    return true;
}

// Length of the drive part of a Windows path: "D:" or "\\Computer\Freigabename"; 0 when there is none.
std::size_t WindowsDriveLength(std::string_view path) {
    if (path.starts_with("\\\\")) {
        std::size_t shareStart = path.find('\\', 2);
        if (shareStart == std::string_view::npos) return path.size();
        std::size_t shareEnd = path.find('\\', shareStart + 1);
        return shareEnd == std::string_view::npos ? path.size() : shareEnd;
    }
    if (path.size() >= 2 && path[1] == ':') return 2;
    return 0;
}

} // namespace

bool HasVariables(std::string_view text) {
    std::optional<std::size_t> lastPercent;
    std::size_t index = 0;
    for (char c : text) {
        if (IsContinuationByte(c)) continue;
        if (c == '%') {
            if (lastPercent && index - *lastPercent <= kVariableSpan) return true;
            lastPercent = index;
        }
        ++index;
    }
    return false;
}

std::string NormalizeDrive(std::string_view text) {
    if (text.empty() || HasVariables(text)) return std::string(text);
    if (text.front() == '/') return platform::NormalizeRoot(text);
    std::string drive(text);
    if (drive.size() == 1 && IsAsciiLetter(drive.front())) {
        drive += ':';
    } else if (CharCount(drive) > 2) {
        if (drive[0] != '\\') drive.insert(0, 1, '\\');
        if (drive[1] != '\\') drive.insert(0, 1, '\\');
        if (drive.back() == '\\') drive.pop_back();
    }
    return platform::UpperCase(drive);
}

std::string NormalizeDirectory(std::string_view text) {
    if (text.empty()) return "\\";
    if (HasVariables(text)) return std::string(text);
    std::string directory(text);
    if (directory.front() != '\\') directory.insert(0, 1, '\\');
    if (!Contains(directory, "*") && directory.back() != '\\') directory += '\\';
    return directory;
}

std::string NormalizeArchiveName(std::string_view text) {
    if (text.empty() || HasVariables(text)) return std::string(text);
    std::string_view name = text;
    if (std::size_t separator = text.find_last_of("\\/:"); separator != std::string_view::npos)
        name = text.substr(separator + 1);
    if (name.empty()) return {};
    return std::string(name.substr(0, name.rfind('.'))) + ".zip";
}

std::string NormalizeServer(std::string_view text) {
    if (text.empty() || HasVariables(text)) return std::string(text);
    if (text.starts_with("ftp://")) text.remove_prefix(6);
    return platform::LowerCase(text);
}

bool IsValidDrive(std::string_view text) {
    if (!text.empty() && text.front() == '/') return IsValidPosixDirectory(text);
    if (HasControlChar(text)) return false;
    std::string drive = platform::UpperCase(text);
    if (Contains(drive, "/*?<|>\"")) return false;
    if (drive.size() == 2) return drive[0] >= 'A' && drive[0] <= 'Z' && drive[1] == ':';
    if (CharCount(drive) <= 4 || !drive.starts_with("\\\\") || drive.back() == '\\') return false;
    std::string_view afterPrefix = std::string_view(drive).substr(2);
    std::size_t separator = afterPrefix.find('\\');
    return separator != std::string_view::npos && afterPrefix.find('\\', separator + 1) == std::string_view::npos;
}

bool IsValidDirectory(std::string_view text) {
    if (text.empty() || HasControlChar(text) || Contains(text, "/:*?<|>\"")) return false;
    if (text.front() != '\\' || text.back() != '\\') return false;
    return text.find("\\\\") == std::string_view::npos;
}

bool IsValidPath(std::string_view text) {
    if (!text.empty() && text.front() == '/') return IsValidPosixDirectory(text);
    std::size_t driveLength = WindowsDriveLength(text);
    return IsValidDrive(text.substr(0, driveLength)) && IsValidDirectory(text.substr(driveLength));
}

bool IsValidFileName(std::string_view text) {
    if (text.empty() || text == "." || text == "..") return false;
    return !HasControlChar(text) && !Contains(text, kNameForbidden);
}

bool IsValidArchiveName(std::string_view text) {
    return IsValidFileName(text) && HasExtension(text, ".zip");
}

bool IsValidProfileName(std::string_view text) {
    return IsValidFileName(text) && HasExtension(text, ".tvp");
}

bool IsValidServerName(std::string_view text) {
    std::string name = platform::LowerCase(text);
    if (name.empty() || name.front() < 'a' || name.front() > 'z') return false;
    for (char c : name) {
        bool allowed = (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.';
        if (!allowed) return false;
    }
    return name.find("..") == std::string::npos && name.back() != '.';
}

std::string RemoveUnsafeChars(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    for (char c : text)
        if (!IsControlChar(c) && kNameForbidden.find(c) == std::string_view::npos) result += c;
    if (result == "." || result == "..") result.clear();
    return result;
}
