// Desktop entries and the shared-mime-info package, with values quoted the way desktop environments read them.
#include "platform/DesktopEntry.h"

#include "platform/AtomicFile.h"
#include "platform/Environment.h"
#include "platform/ErrorCodes.h"
#include "platform/Process.h"
#include "platform/ProgramFolders.h"
#include "platform/ReadRegularFile.h"

#include <filesystem>
#include <string_view>
#include <system_error>

namespace platform {

namespace {

constexpr std::string_view kApplicationName = "Tolvan 6";
constexpr std::string_view kApplicationComment = "Dateien sichern und synchronisieren";
constexpr std::string_view kPackageName = "tolvan.xml";
constexpr std::string_view kEntryName = "tolvan.desktop";
constexpr std::size_t kMaxEntryBytes = 1 << 20;

// A control character other than the tab: no entry value can carry it (a line break would end the line).
bool HasControlCharacter(std::string_view text) {
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte < 0x20 && byte != '\t') || byte == 0x7F) return true;
    }
    return false;
}

// A value of type string or localestring: "\" is written "\\", a tab "\t", a leading blank "\s" (readers
// strip blanks around the "=").
std::optional<std::string> StringValue(std::string_view text) {
    if (HasControlCharacter(text)) return std::nullopt;
    std::string value;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\\')
            value += "\\\\";
        else if (c == '\t')
            value += "\\t";
        else if (c == ' ' && i == 0)
            value += "\\s";
        else
            value += c;
    }
    return value;
}

// Characters that make an argument of Exec need quotes.
bool NeedsQuotes(std::string_view argument) {
    return argument.empty() || argument.find_first_of(" \t\"'\\><~|&;$*?#()`") != std::string_view::npos;
}

// One argument of Exec before the string escaping of the whole value: in double quotes when needed (or
// always), with '"', '`', '$' and '\' escaped by a backslash inside them; a literal "%" is "%%" (a single one
// would start a field code).
std::string ExecArgument(std::string_view argument, bool alwaysQuoted) {
    const bool quoted = alwaysQuoted || NeedsQuotes(argument);
    std::string text;
    if (quoted) text += '"';
    for (const char c : argument) {
        if (quoted && (c == '"' || c == '`' || c == '$' || c == '\\')) text += '\\';
        text += c;
        if (c == '%') text += '%';
    }
    if (quoted) text += '"';
    return text;
}

// The program's command-line form: a quoted document (up to the last quote) and further words.
std::vector<std::pair<std::string, bool>> SplitArguments(std::string_view arguments) {
    std::vector<std::pair<std::string, bool>> result; // argument, was quoted
    std::string_view rest = arguments;
    if (rest.starts_with('"')) {
        const std::size_t last = rest.rfind('"');
        if (last == 0) {
            result.emplace_back(std::string(rest.substr(1)), true);
            rest = {};
        } else {
            result.emplace_back(std::string(rest.substr(1, last - 1)), true);
            rest = rest.substr(last + 1);
        }
    }
    while (!rest.empty()) {
        const std::size_t start = rest.find_first_not_of(' ');
        if (start == std::string_view::npos) break;
        rest = rest.substr(start);
        const std::size_t end = rest.find(' ');
        result.emplace_back(std::string(rest.substr(0, end)), false);
        rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end);
    }
    return result;
}

std::string XmlText(std::string_view text) {
    std::string escaped;
    for (const char c : text) {
        switch (c) {
        case '&':
            escaped += "&amp;";
            break;
        case '<':
            escaped += "&lt;";
            break;
        case '>':
            escaped += "&gt;";
            break;
        case '"':
            escaped += "&quot;";
            break;
        case '\'':
            escaped += "&apos;";
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

// A magic string value: the reader takes "\" as the start of an escape.
std::string MagicValue(std::string_view text) {
    std::string value;
    for (const char c : text) {
        if (c == '\\') value += '\\';
        value += c;
    }
    return XmlText(value);
}

std::string DataHome() {
    const std::optional<std::string> value = GetEnvironment("XDG_DATA_HOME");
    if (value && !value->empty() && value->front() == '/') return *value;
    return HomeFolder() + (HomeFolder() == "/" ? "" : "/") + ".local/share";
}

struct cWriteResult {
    int Error = kSuccess;
    bool Changed = false;
};

// Writes text to path unless the file there holds it already; creates the folder when missing.
cWriteResult WriteWhenDifferent(const std::string& path, const std::string& text, FileMode mode) {
    const FileBytes old = ReadRegularFile(path, kMaxEntryBytes);
    if (old && old.bytes == text) return {};
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), error);
    if (error) return {ErrorFromErrno(error.value()), false};
    const int written = WriteFileAtomically(WriteTargetOf(path), text, mode);
    return {written, written == kSuccess};
}

void StartInBackground(std::string_view program, const std::string& folder) {
    if (const std::optional<std::string> path = FindProgram(program)) StartProgram({*path, folder}, false, true);
}

} // namespace

std::string MimePackageText(const std::vector<cDocumentType>& types) {
    std::string text = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                       "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n";
    for (const cDocumentType& type : types) {
        text += "  <mime-type type=\"" + XmlText(type.MimeType) + "\">\n";
        text += "    <comment>" + XmlText(type.Comment) + "</comment>\n";
        text += "    <sub-class-of type=\"text/plain\"/>\n";
        text += "    <glob pattern=\"*." + XmlText(type.Extension) + "\"/>\n";
        text += "    <magic priority=\"60\">\n";
        text += "      <match type=\"string\" offset=\"0\" value=\"" + MagicValue(type.FirstLine) + "\"/>\n";
        text += "    </magic>\n";
        text += "  </mime-type>\n";
    }
    text += "</mime-info>\n";
    return text;
}

std::optional<std::string> ApplicationEntryText(const std::string& executable, const std::vector<cDocumentType>& types,
                                                std::string_view icon) {
    const std::optional<std::string> exec = StringValue(ExecArgument(executable, false) + " %f");
    if (!exec) return std::nullopt;
    std::string mimeTypes;
    for (const cDocumentType& type : types)
        mimeTypes += type.MimeType + ";";
    std::string text = "[Desktop Entry]\n"
                       "Type=Application\n";
    text += "Name=" + std::string(kApplicationName) + "\n";
    text += "Comment=" + std::string(kApplicationComment) + "\n";
    text += "Exec=" + *exec + "\n";
    text += "Icon=" + std::string(icon) + "\n";
    text += "Terminal=false\n"
            "Categories=Utility;Archiving;\n";
    text += "MimeType=" + mimeTypes + "\n";
    return text;
}

int InstallFileTypes(const std::string& executable, const std::vector<cDocumentType>& types) {
    const std::string dataHome = DataHome();
    const std::string mimeFolder = dataHome + "/mime";
    const std::string applicationsFolder = dataHome + "/applications";
    int firstError = kSuccess;

    const cWriteResult package =
        WriteWhenDifferent(mimeFolder + "/packages/" + std::string(kPackageName), MimePackageText(types), 0644);
    firstError = package.Error;
    std::error_code error;
    if (package.Changed || (package.Error == kSuccess && !std::filesystem::exists(mimeFolder + "/mime.cache", error)))
        StartInBackground("update-mime-database", mimeFolder);

    const std::optional<std::string> entryText = ApplicationEntryText(executable, types, kGenericIcon);
    if (!entryText) return firstError != kSuccess ? firstError : kInvalidName;
    const cWriteResult entry = WriteWhenDifferent(applicationsFolder + "/" + std::string(kEntryName), *entryText, 0644);
    if (firstError == kSuccess) firstError = entry.Error;
    if (entry.Changed) StartInBackground("update-desktop-database", applicationsFolder);
    return firstError;
}

std::optional<std::string> ShortcutText(const std::string& target, const std::string& workingDirectory,
                                        const std::string& arguments, const std::string& title) {
    std::string command = ExecArgument(target, false);
    for (const auto& [argument, quoted] : SplitArguments(arguments))
        command += " " + ExecArgument(argument, quoted);
    const std::optional<std::string> exec = StringValue(command);
    const std::optional<std::string> name = StringValue(title);
    const std::optional<std::string> path = StringValue(workingDirectory);
    if (!exec || !name || !path) return std::nullopt;
    std::string text = "[Desktop Entry]\n"
                       "Type=Application\n";
    text += "Name=" + *name + "\n";
    text += "Exec=" + *exec + "\n";
    if (!workingDirectory.empty()) text += "Path=" + *path + "\n";
    text += "Icon=" + std::string(kGenericIcon) + "\n";
    text += "Terminal=false\n";
    return text;
}

int CreateShortcut(const std::string& target, const std::string& workingDirectory, const std::string& arguments,
                   const std::string& description, const std::string& linkPath) {
    std::string title = description;
    if (title.empty()) {
        title = std::filesystem::path(linkPath).filename().string();
        if (title.ends_with(".desktop")) title.resize(title.size() - std::string_view(".desktop").size());
    }
    const std::optional<std::string> text = ShortcutText(target, workingDirectory, arguments, title);
    if (!text || HasControlCharacter(linkPath)) return kInvalidName;
    // Desktops start a launcher on the desktop only when it is executable.
    return WriteFileAtomically(WriteTargetOf(linkPath), *text, 0755);
}

} // namespace platform
