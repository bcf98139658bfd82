// The processes running on this machine, as the application watch and its picker see them.
#pragma once

#include <string>
#include <vector>

namespace platform {

struct RunningProcess {
    std::string Name;        // the kernel's short name (/proc/PID/comm), e.g. "soffice.bin"
    std::string CommandLine; // the arguments joined by blanks, e.g. "/usr/lib/libreoffice/program/soffice.bin
                             // --writer"; empty for kernel threads and processes of others that hide it
};

// Every process whose /proc entry can be read now (of every user, as far as /proc shows them), in no order.
std::vector<RunningProcess> RunningProcesses();
// The same below procRoot instead of /proc (for tests).
std::vector<RunningProcess> RunningProcessesIn(const std::string& procRoot);

} // namespace platform
