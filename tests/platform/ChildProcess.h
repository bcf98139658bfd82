// Test helpers: running a piece of a test in a forked child, optionally as another user or with system calls
// that behave as on another file system.
#pragma once

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstddef>
#include <cstdint>
#include <fcntl.h>
#include <functional>
#include <grp.h>
#include <iterator>
#include <linux/audit.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <optional>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace testsupport {

// The exit status of a child that could not switch to the user it was to run as.
inline constexpr int kCannotSwitchUser = 251;
// The exit status of a child that could not install its system-call filter.
inline constexpr int kCannotFilter = 252;

// Runs body in a forked child and returns its wait status; std::nullopt when it did not end within the time
// (the child is then killed).
inline std::optional<int> RunInChild(const std::function<int()>& body,
                                     std::chrono::seconds limit = std::chrono::seconds(20)) {
    pid_t child = fork();
    if (child == 0) _exit(std::min(body(), 255));
    auto deadline = std::chrono::steady_clock::now() + limit;
    int status = 0;
    while (waitpid(child, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            kill(child, SIGKILL);
            waitpid(child, &status, 0);
            return std::nullopt;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return status;
}

// Runs body in a forked child as uid and gid without supplementary groups (the caller must be root); the
// child exits with kCannotSwitchUser when the system does not let it switch.
inline std::optional<int> RunAsUser(uid_t uid, gid_t gid, const std::function<int()>& body) {
    return RunInChild([&] {
        if (setgroups(0, nullptr) != 0 || setgid(gid) != 0 || setuid(uid) != 0) return kCannotSwitchUser;
        return body();
    });
}

// The exit code of a child that ended normally, or -1.
inline int ExitCode(const std::optional<int>& status) {
    return status && WIFEXITED(*status) ? WEXITSTATUS(*status) : -1;
}

#if defined(__x86_64__)
inline constexpr unsigned kAuditArch = AUDIT_ARCH_X86_64;
#elif defined(__aarch64__)
inline constexpr unsigned kAuditArch = AUDIT_ARCH_AARCH64;
#else
inline constexpr unsigned kAuditArch = 0;
#endif

// Installs a seccomp filter in this process (call it in a forked child) that gives `action` to the system call
// `number` when its argument `argument` has any of the bits `bits` (bits 0: always) and lets everything else
// through. False when the architecture or the kernel does not allow it.
inline bool FilterSystemCall(long number, unsigned argument, unsigned bits, unsigned action) {
    if (kAuditArch == 0) return false;
    const auto argumentOffset = static_cast<unsigned>(offsetof(seccomp_data, args) + argument * sizeof(std::uint64_t));
    sock_filter filter[] = {
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, arch)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, kAuditArch, 1, 0),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, static_cast<unsigned>(number), 0, 3),
        // The low half of the argument (both architectures are little-endian).
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, argumentOffset),
        BPF_JUMP(BPF_JMP | BPF_JSET | BPF_K, bits, 0, 1),
        BPF_STMT(BPF_RET | BPF_K, action),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
    };
    if (bits == 0) filter[6] = BPF_STMT(BPF_JMP | BPF_JA, 0); // always on to the action
    sock_fprog program{static_cast<unsigned short>(std::size(filter)), filter};
    return prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0 && prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program) == 0;
}

// Makes this process see file systems as vfat, NFS or FUSE show themselves: open with O_TMPFILE fails with
// EOPNOTSUPP.
inline bool RefuseTmpfile() {
    return FilterSystemCall(SYS_openat, 2, O_TMPFILE & ~O_DIRECTORY, SECCOMP_RET_ERRNO | EOPNOTSUPP);
}

// Makes this process die at its first fsync, as if killed at that moment.
inline bool DieAtFsync() {
    return FilterSystemCall(SYS_fsync, 0, 0, SECCOMP_RET_KILL_PROCESS);
}

} // namespace testsupport
