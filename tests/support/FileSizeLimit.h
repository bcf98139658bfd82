// A file-size limit for the test process while the object lives: a write beyond it fails with EFBIG, as a
// write onto a full disk fails, instead of ending the process with SIGXFSZ.
#pragma once

#include <csignal>
#include <sys/resource.h>

namespace testsupport {

class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldAction = std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{bytes, m_old.rlim_max};
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldAction);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_old{};
    void (*m_oldAction)(int) = SIG_DFL;
};

} // namespace testsupport
