// The one owner of an open file descriptor: closes it when it goes, hands it on by moving.
#pragma once

namespace platform {

// Holds -1 or an open descriptor. Moving leaves the source empty, so every descriptor is closed exactly once.
// Closing on destruction and by reset() ignores the result and keeps errno; a writer that must know whether
// its file was written uses close().
class UniqueFd {
public:
    UniqueFd() noexcept = default;
    explicit UniqueFd(int fd) noexcept : m_fd(fd) {}
    ~UniqueFd() { reset(); }
    UniqueFd(UniqueFd&& other) noexcept : m_fd(other.release()) {}
    UniqueFd& operator=(UniqueFd&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;

    int get() const noexcept { return m_fd; }
    explicit operator bool() const noexcept { return m_fd >= 0; }
    // Gives the descriptor up without closing it; the holder is empty afterwards.
    [[nodiscard]] int release() noexcept {
        const int fd = m_fd;
        m_fd = -1;
        return fd;
    }
    // Closes the descriptor held (unless it is fd itself) and holds fd instead; errno stays as it was, so
    // `reset(::open(...))` may be followed by a look at the open's errno.
    void reset(int fd = -1) noexcept;
    // Closes now and returns 0 or the program's error code (a network file system may report a failed write
    // only here); the holder is empty afterwards either way.
    [[nodiscard]] int close() noexcept;

private:
    int m_fd = -1;
};

} // namespace platform
