// The folders of src/ form layers: a folder includes only itself and the folders below it, log and destinations
// do not include each other, the system's own headers stay in platform, and Qt headers where Qt is used.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <regex>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// Bottom to top; folders on one level do not include each other.
const std::map<std::string, int> kLevel = {
    {"platform", 0}, {"messages", 1}, {"profile", 2}, {"log", 3}, {"destinations", 3},
    {"engine", 4},   {"shell", 5},    {"review", 6},  {"ui", 7},  {"app", 8},
};

// The folders whose code may name Qt.
bool MayUseQt(const std::string& folder) {
    return folder == "platform" || folder == "ui" || folder == "app";
}

struct cInclude {
    std::string File; // relative to the source folder
    int Line;
    std::string Target;
};

std::vector<cInclude> IncludesBelow(const fs::path& source) {
    static const std::regex include(R"(^\s*#\s*include\s*([<"])([^>"]+)[>"])");
    std::vector<cInclude> includes;
    for (const auto& entry : fs::recursive_directory_iterator(source / "src")) {
        const std::string extension = entry.path().extension().string();
        if (!entry.is_regular_file() || (extension != ".h" && extension != ".cpp")) continue;
        std::ifstream in(entry.path());
        std::string line;
        int number = 0;
        while (std::getline(in, line)) {
            ++number;
            std::smatch match;
            if (std::regex_search(line, match, include))
                includes.push_back(
                    {fs::relative(entry.path(), source).string(), number, match[1].str() + match[2].str()});
        }
    }
    return includes;
}

// Headers of the operating system's interface (as opposed to the C++ library's).
bool IsSystemInterface(const std::string& target) {
    return target.starts_with("<sys/") || target.starts_with("<linux/") || target == "<unistd.h" ||
           target == "<fcntl.h" || target == "<dirent.h" || target == "<poll.h" || target == "<netdb.h" ||
           target.starts_with("<netinet/") || target.starts_with("<arpa/");
}

// The first folder of a path below src/ ("engine" of "src/engine/Scan.cpp" or of "engine/Scan.h").
std::string FolderOf(const std::string& path) {
    const std::string rest = path.starts_with("src/") ? path.substr(4) : path;
    return rest.substr(0, rest.find('/'));
}

// Why an include breaks the layers, or nothing.
std::optional<std::string> Fault(const cInclude& include) {
    const std::string from = FolderOf(include.File);
    if (!kLevel.contains(from)) return "a folder outside the layers: " + from;
    if (include.Target.starts_with("<")) {
        const bool qt = include.Target.starts_with("<Q") || include.Target.starts_with("<qt");
        if (qt && !MayUseQt(from)) return "Qt outside platform, ui and app";
        if (IsSystemInterface(include.Target) && from != "platform") return "a system interface outside platform";
        return std::nullopt;
    }
    const std::string to = FolderOf(include.Target.substr(1));
    if (include.Target.find('/') == std::string::npos) return "an include without its folder";
    const auto level = kLevel.find(to);
    if (level == kLevel.end()) return "an include of no folder of src/";
    if (to == from) return std::nullopt;
    if (level->second > kLevel.at(from)) return "an include of a higher folder";
    if (level->second == kLevel.at(from)) return "an include between folders of one level";
    return std::nullopt;
}

TEST(IncludeOrder, EveryIncludeGoesDownTheLayers) {
    const std::vector<cInclude> includes = IncludesBelow(TOLVAN_SOURCE_DIR);
    ASSERT_GT(includes.size(), 100u) << "the sources were not found below " << TOLVAN_SOURCE_DIR;
    std::string faults;
    for (const cInclude& include : includes)
        if (std::optional<std::string> fault = Fault(include))
            faults += include.File + ":" + std::to_string(include.Line) + ": " + include.Target.substr(1) + ": " +
                      *fault + "\n";
    EXPECT_EQ(faults, "");
}

TEST(IncludeOrder, TheRuleSeesEveryKindOfFault) {
    const struct {
        cInclude Include;
        bool Faulty;
    } cases[] = {
        {{"src/engine/Scan.cpp", 1, "\"platform/Text.h"}, false},
        {{"src/engine/Scan.cpp", 1, "\"engine/Scan.h"}, false},
        {{"src/log/Log.cpp", 1, "\"messages/UserMessage.h"}, false},
        {{"src/profile/DocumentFile.cpp", 1, "\"shell/UserInterface.h"}, true},
        {{"src/log/Log.cpp", 1, "\"destinations/Variation.h"}, true},
        {{"src/destinations/Variation.cpp", 1, "\"log/Log.h"}, true},
        {{"src/engine/Scan.cpp", 1, "\"Scan.h"}, true},
        {{"src/engine/Scan.cpp", 1, "<QString>"}, true},
        {{"src/platform/Trash.cpp", 1, "<QFile>"}, false},
        {{"src/engine/Scan.cpp", 1, "<vector>"}, false},
        {{"src/profile/IniFile.cpp", 1, "<unistd.h"}, true},
        {{"src/log/LogFile.cpp", 1, "<sys/stat.h"}, true},
        {{"src/platform/FileCopy.cpp", 1, "<sys/stat.h"}, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Fault(c.Include).has_value(), c.Faulty) << c.Include.File << " " << c.Include.Target;
}

} // namespace
