// Shortcuts and file types as desktop entries: hostile names reach the program intact through a real launcher
// (gio launch), the entries pass desktop-file-validate, and the MIME package lets the desktop recognise
// profiles and batch files by name and by first line.
#include "platform/DesktopEntry.h"
#include "platform/Process.h"
#include "support/EnvironmentOverride.h"
#include "support/TempDir.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

struct ToolResult {
    int status = -1;
    std::string output; // stdout and stderr
};

ToolResult RunTool(const std::string& commandLine) {
    ToolResult result;
    FILE* pipe = ::popen((commandLine + " 2>&1").c_str(), "r");
    if (!pipe) return result;
    char buffer[4096];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        result.output.append(buffer, n);
    const int status = ::pclose(pipe);
    if (status != -1 && WIFEXITED(status)) result.status = WEXITSTATUS(status);
    return result;
}

// The desktop tools these tests check against; scripts/deps installs them.
::testing::AssertionResult ToolsPresent() {
    for (const char* tool : {"desktop-file-validate", "gio", "update-mime-database"}) {
        if (!platform::FindProgram(tool))
            return ::testing::AssertionFailure()
                   << tool << " is missing: install desktop-file-utils, libglib2.0-bin and shared-mime-info "
                   << "(scripts/deps)";
    }
    return ::testing::AssertionSuccess();
}

void ExpectValid(const fs::path& entry) {
    const ToolResult result = RunTool("desktop-file-validate " + platform::ShellQuoted(entry.string()));
    EXPECT_EQ(result.status, 0) << result.output;
    EXPECT_EQ(result.output.find("error"), std::string::npos) << result.output;
    EXPECT_EQ(result.output.find("warning"), std::string::npos) << result.output;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find('\n', start);
        lines.push_back(text.substr(start, end - start));
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return lines;
}

// A program that writes its working directory and its arguments, one a line, to args.txt beside itself.
fs::path WriteRecorder(const testsupport::TempDir& dir, const std::string& relative) {
    const fs::path path = dir.WriteFile(relative, "#!/bin/sh\n"
                                                  "out=\"$(dirname \"$0\")/args.txt\"\n"
                                                  "pwd > \"$out.tmp\"\n"
                                                  "for a in \"$@\"; do printf '%s\\n' \"$a\" >> \"$out.tmp\"; done\n"
                                                  "mv \"$out.tmp\" \"$out\"\n");
    fs::permissions(path, fs::perms::owner_all);
    return path;
}

// Starts entry through GLib's launcher with the files and returns what the recorder wrote (empty after 10 s).
std::vector<std::string> Launch(const fs::path& entry, const fs::path& recorder,
                                const std::vector<std::string>& files = {}) {
    const fs::path args = recorder.parent_path() / "args.txt";
    fs::remove(args);
    std::string command = "gio launch " + platform::ShellQuoted(entry.string());
    for (const std::string& file : files)
        command += " " + platform::ShellQuoted(file);
    const ToolResult launched = RunTool(command);
    EXPECT_EQ(launched.status, 0) << launched.output;
    for (int i = 0; i < 200 && !fs::exists(args); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    std::FILE* in = std::fopen(args.c_str(), "rb");
    if (!in) return {};
    std::string text;
    char buffer[4096];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, in)) > 0)
        text.append(buffer, n);
    std::fclose(in);
    return Lines(text);
}

ino_t InodeOf(const fs::path& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? st.st_ino : 0;
}

TEST(DesktopEntryTest, ShortcutTextQuotesEveryLevelOfTheEntry) {
    const std::optional<std::string> text = platform::ShortcutText(
        "/opt/Tol van/tolvan", "/home/anna/Mein Ordner", "\"/home/anna/a $b\\c\"d`e`%.tvp\" /mute", "Sicherung Ä");
    ASSERT_TRUE(text);
    EXPECT_EQ(*text, "[Desktop Entry]\n"
                     "Type=Application\n"
                     "Name=Sicherung Ä\n"
                     R"(Exec="/opt/Tol van/tolvan" "/home/anna/a \\$b\\\\c\\"d\\`e\\`%%.tvp" /mute)"
                     "\n"
                     "Path=/home/anna/Mein Ordner\n"
                     "Icon=drive-harddisk\n"
                     "Terminal=false\n");
}

TEST(DesktopEntryTest, HostileDocumentNamesReachTheProgramIntact) {
    ASSERT_TRUE(ToolsPresent());
    testsupport::TempDir dir;
    const fs::path recorder = WriteRecorder(dir, "Pro gramm ä $x/rec 'o'.sh");
    const fs::path workingDirectory = dir.Path() / "Arbeits ordner `ü`";
    fs::create_directories(workingDirectory);
    const char* names[] = {
        "Profil.tvp",     "Mein Profil.tvp",     "Müller Übersicht.tvp", "Sa\"m's.tvp",
        "$HOME `id`.tvp", "back\\slash\\\\.tvp", "%YEAR% 100%.tvp",      "mit\tTab.tvp",
    };
    for (const char* name : names) {
        SCOPED_TRACE(name);
        const std::string document = (dir.Path() / "Dokumente" / name).string();
        const fs::path link = dir.Path() / "Kurz.desktop";
        ASSERT_EQ(platform::CreateShortcut(recorder.string(), workingDirectory.string(), "\"" + document + "\" /mute",
                                           "", link.string()),
                  0);
        ExpectValid(link);
        EXPECT_EQ(Launch(link, recorder), (std::vector<std::string>{workingDirectory.string(), document, "/mute"}));
    }
}

TEST(DesktopEntryTest, ShortcutTitleIsTheLinkNameUnlessDescribed) {
    testsupport::TempDir dir;
    const fs::path link = dir.Path() / "Müller Übersicht.desktop";
    ASSERT_EQ(platform::CreateShortcut("/usr/bin/tolvan", "/usr/bin", "\"/x/M.tvp\"", "", link.string()), 0);
    EXPECT_NE(dir.ReadFile("Müller Übersicht.desktop").find("\nName=Müller Übersicht\n"), std::string::npos);
    EXPECT_TRUE((fs::status(link).permissions() & fs::perms::owner_exec) != fs::perms::none);
    ASSERT_EQ(platform::CreateShortcut("/usr/bin/tolvan", "/usr/bin", "", " Vorne\\hinten", link.string()), 0);
    EXPECT_NE(dir.ReadFile("Müller Übersicht.desktop").find("\nName=\\sVorne\\\\hinten\n"), std::string::npos);
    EXPECT_NE(dir.ReadFile("Müller Übersicht.desktop").find("\nExec=/usr/bin/tolvan\n"), std::string::npos);
}

TEST(DesktopEntryTest, ALineBreakAnywhereIsRefusedAndTheOldShortcutStays) {
    testsupport::TempDir dir;
    const fs::path link = dir.WriteFile("Kurz.desktop", "alt");
    struct Case {
        const char* what;
        std::string target, workingDirectory, arguments, description;
    };
    const Case cases[] = {
        {"document", "/usr/bin/tolvan", "/tmp", "\"/tmp/a\nb.tvp\" /mute", ""},
        {"document CR", "/usr/bin/tolvan", "/tmp", "\"/tmp/a\rb.tvp\"", ""},
        {"target", "/usr/bin/tol\nvan", "/tmp", "\"/tmp/a.tvp\"", ""},
        {"working directory", "/usr/bin/tolvan", "/tmp/x\ny", "\"/tmp/a.tvp\"", ""},
        {"description", "/usr/bin/tolvan", "/tmp", "\"/tmp/a.tvp\"", "Zeile\nzwei"},
        {"other control character", "/usr/bin/tolvan", "/tmp", "\"/tmp/a\x1b.tvp\"", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(platform::CreateShortcut(c.target, c.workingDirectory, c.arguments, c.description, link.string()),
                  123);
        EXPECT_EQ(dir.ReadFile("Kurz.desktop"), "alt");
    }
    EXPECT_EQ(testsupport::NamesIn(dir.Path()), std::vector<std::string>{"Kurz.desktop"});
}

const std::vector<platform::cDocumentType> kTypes = {
    {"application/x-tolvan-profile", "Tolvan Profile", "tvp", "Tolvan 6 Profile"},
    {"application/x-tolvan-batch", "Tolvan Batch File", "tvb", "Tolvan 6 Batch File"},
};

TEST(DesktopEntryTest, FileTypesAreRegisteredAndRecognised) {
    ASSERT_TRUE(ToolsPresent());
    testsupport::TempDir dir;
    const fs::path data = dir.Path() / "da ta";
    testsupport::EnvironmentOverride dataHome("XDG_DATA_HOME", data.string());
    const fs::path recorder = WriteRecorder(dir, "Pro gramm/tol van");
    const fs::path package = data / "mime/packages/tolvan.xml";
    const fs::path entry = data / "applications/tolvan.desktop";

    ASSERT_EQ(platform::InstallFileTypes(recorder.string(), kTypes), 0);
    ExpectValid(entry);
    const std::string entryText = dir.ReadFile("da ta/applications/tolvan.desktop");
    EXPECT_NE(entryText.find("\nExec=\"" + recorder.string() + "\" %f\n"), std::string::npos) << entryText;
    EXPECT_NE(entryText.find("\nMimeType=application/x-tolvan-profile;application/x-tolvan-batch;\n"),
              std::string::npos);
    EXPECT_NE(entryText.find("\nCategories=Utility;Archiving;\n"), std::string::npos);
    const std::string opened = (dir.Path() / "Mein Profil $1.tvp").string();
    const std::vector<std::string> launched = Launch(entry, recorder, {opened});
    ASSERT_EQ(launched.size(), 2u);
    EXPECT_EQ(launched[1], opened);

    // The desktop's caches are refreshed in the background; then GIO recognises a profile by its first line
    // whatever its name, and a batch file by its extension.
    const fs::path unnamed = dir.WriteFile("ohne Endung.dat", "Tolvan 6 Profile\r\nC:\r\n");
    const fs::path batch = dir.WriteFile("Stapel.tvb", "irgendwas\r\n");
    auto contentType = [](const fs::path& file) {
        return RunTool("gio info -a standard::content-type " + platform::ShellQuoted(file.string())).output;
    };
    for (int i = 0; i < 200 && contentType(unnamed).find("application/x-tolvan-profile") == std::string::npos; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_NE(contentType(unnamed).find("application/x-tolvan-profile"), std::string::npos) << contentType(unnamed);
    EXPECT_NE(contentType(batch).find("application/x-tolvan-batch"), std::string::npos) << contentType(batch);

    // Unchanged content is not written again; a moved program rewrites only the entry.
    const ino_t packageInode = InodeOf(package);
    const ino_t entryInode = InodeOf(entry);
    ASSERT_EQ(platform::InstallFileTypes(recorder.string(), kTypes), 0);
    EXPECT_EQ(InodeOf(package), packageInode);
    EXPECT_EQ(InodeOf(entry), entryInode);
    ASSERT_EQ(platform::InstallFileTypes("/opt/tolvan/tolvan", kTypes), 0);
    EXPECT_EQ(InodeOf(package), packageInode);
    EXPECT_NE(dir.ReadFile("da ta/applications/tolvan.desktop").find("\nExec=/opt/tolvan/tolvan %f\n"),
              std::string::npos);
}

TEST(DesktopEntryTest, AnExecutableThatNoEntryCanNameStillRegistersTheTypes) {
    testsupport::TempDir dir;
    testsupport::EnvironmentOverride dataHome("XDG_DATA_HOME", (dir.Path() / "data").string());
    EXPECT_EQ(platform::InstallFileTypes("/opt/a\nb/tolvan", kTypes), 123);
    EXPECT_TRUE(fs::exists(dir.Path() / "data/mime/packages/tolvan.xml"));
    EXPECT_FALSE(fs::exists(dir.Path() / "data/applications/tolvan.desktop"));
}

} // namespace
