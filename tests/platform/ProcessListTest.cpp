// The running processes from /proc, and whether a root answers.
#include "platform/ProcessList.h"
#include "platform/RootProbe.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

using namespace std::chrono_literals;

// A made-up /proc: a process with arguments, a kernel thread without a command line, one that ended while it
// was listed (no files), and entries that are no processes.
TEST(ProcessListTest, NamesAndCommandLinesFromProc) {
    testsupport::TempDir dir;
    dir.WriteFile("proc/17/comm", "soffice.bin\n");
    dir.WriteFile("proc/17/cmdline",
                  std::string("/usr/lib/libreoffice/program/soffice.bin\0--writer\0Brief.odt\0", 59));
    dir.WriteFile("proc/2/comm", "kthreadd\n");
    dir.WriteFile("proc/2/cmdline", "");
    dir.WriteFile("proc/99/status", "");
    dir.WriteFile("proc/self/comm", "nicht\n");
    dir.WriteFile("proc/uptime", "1.0 2.0\n");
    std::vector<platform::RunningProcess> processes = platform::RunningProcessesIn((dir.Path() / "proc").string());
    std::sort(processes.begin(), processes.end(), [](const auto& a, const auto& b) { return a.Name < b.Name; });
    ASSERT_EQ(processes.size(), 2u);
    EXPECT_EQ(processes[0].Name, "kthreadd");
    EXPECT_EQ(processes[0].CommandLine, "");
    EXPECT_EQ(processes[1].Name, "soffice.bin");
    EXPECT_EQ(processes[1].CommandLine, "/usr/lib/libreoffice/program/soffice.bin --writer Brief.odt");
}

TEST(ProcessListTest, TheRealListHoldsThisTest) {
    const std::vector<platform::RunningProcess> processes = platform::RunningProcesses();
    EXPECT_TRUE(std::any_of(processes.begin(), processes.end(), [](const platform::RunningProcess& p) {
        return p.CommandLine.find("platform_tests") != std::string::npos;
    }));
}

TEST(ProcessListTest, RootReachableOnlyForADirectory) {
    testsupport::TempDir dir;
    dir.WriteFile("Datei", "x");
    EXPECT_TRUE(platform::RootReachable(dir.Path().string(), 2s));
    EXPECT_FALSE(platform::RootReachable((dir.Path() / "fehlt").string(), 2s));
    EXPECT_FALSE(platform::RootReachable((dir.Path() / "Datei").string(), 2s));
    EXPECT_TRUE(platform::RootReachable(dir.Path().string(), 2s)) << "asked again";
}

} // namespace
