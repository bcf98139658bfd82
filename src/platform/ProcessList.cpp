#include "platform/ProcessList.h"

#include "platform/ReadRegularFile.h"

#include <dirent.h>

#include <algorithm>
#include <memory>

namespace platform {

namespace {

// /proc files are small; a command line beyond this is cut, which is enough to find a name in it.
constexpr std::size_t kMaxProcFile = 64 * 1024;

std::string ReadProcFile(const std::string& path) {
    FileBytes file = ReadRegularFile(path, kMaxProcFile);
    return file ? std::move(file.bytes) : std::string();
}

bool AllDigits(const char* name) {
    if (*name == '\0') return false;
    for (; *name != '\0'; ++name)
        if (*name < '0' || *name > '9') return false;
    return true;
}

} // namespace

std::vector<RunningProcess> RunningProcesses() {
    return RunningProcessesIn("/proc");
}

std::vector<RunningProcess> RunningProcessesIn(const std::string& procRoot) {
    std::vector<RunningProcess> processes;
    const std::unique_ptr<DIR, int (*)(DIR*)> directory(::opendir(procRoot.c_str()), ::closedir);
    if (!directory) return processes;
    while (const dirent* entry = ::readdir(directory.get())) {
        if (!AllDigits(entry->d_name)) continue;
        const std::string folder = procRoot + "/" + entry->d_name + "/";
        RunningProcess process;
        process.Name = ReadProcFile(folder + "comm");
        // A process that ended meanwhile has no files any more.
        if (process.Name.empty()) continue;
        if (process.Name.back() == '\n') process.Name.pop_back();
        process.CommandLine = ReadProcFile(folder + "cmdline");
        while (!process.CommandLine.empty() && process.CommandLine.back() == '\0')
            process.CommandLine.pop_back();
        std::replace(process.CommandLine.begin(), process.CommandLine.end(), '\0', ' ');
        processes.push_back(std::move(process));
    }
    return processes;
}

} // namespace platform
