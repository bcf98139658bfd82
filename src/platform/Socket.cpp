#include "platform/Socket.h"

#include "platform/ErrorCodes.h"
#include "platform/SocketWait.h"

#include <arpa/inet.h>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace platform {

namespace {

int SetNonBlocking(int fd) {
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags < 0 || ::fcntl(fd, F_SETFL, flags | O_NONBLOCK) < 0) return ErrorFromErrno(errno);
    return 0;
}

int AddressOf(const sockaddr_storage& storage, SocketAddress& out) {
    char text[INET6_ADDRSTRLEN] = {};
    if (storage.ss_family == AF_INET) {
        const auto* in = reinterpret_cast<const sockaddr_in*>(&storage);
        ::inet_ntop(AF_INET, &in->sin_addr, text, sizeof text);
        out = {text, ntohs(in->sin_port), false};
        return 0;
    }
    if (storage.ss_family == AF_INET6) {
        const auto* in6 = reinterpret_cast<const sockaddr_in6*>(&storage);
        ::inet_ntop(AF_INET6, &in6->sin6_addr, text, sizeof text);
        out = {text, ntohs(in6->sin6_port), true};
        return 0;
    }
    return kSocketConnectFailed;
}

// Connects one resolved address, waiting at most until the deadline.
int ConnectOne(const addrinfo& ai, UniqueFd& out, SocketClock::time_point deadline, const StopFlags& stop) {
    UniqueFd fd(::socket(ai.ai_family, ai.ai_socktype | SOCK_CLOEXEC | SOCK_NONBLOCK, ai.ai_protocol));
    if (!fd) return ErrorFromErrno(errno);
    if (::connect(fd.get(), ai.ai_addr, ai.ai_addrlen) != 0) {
        if (errno != EINPROGRESS) return kSocketConnectFailed;
        pollfd p{fd.get(), POLLOUT, 0};
        if (const int rc = PollUntil(&p, 1, deadline, stop)) return rc;
        int err = 0;
        socklen_t len = sizeof err;
        if (::getsockopt(fd.get(), SOL_SOCKET, SO_ERROR, &err, &len) != 0 || err != 0) return kSocketConnectFailed;
    }
    const int one = 1;
    ::setsockopt(fd.get(), IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    out = std::move(fd);
    return 0;
}

} // namespace

// A wait looks at the stop flags at least this often.
constexpr int kSliceMilliseconds = 50;

SocketClock::time_point DeadlineOf(const WaitLimits& limits) {
    return SocketClock::now() + std::chrono::seconds(limits.TimeOutSeconds < 1 ? 1 : limits.TimeOutSeconds);
}

int PollUntil(pollfd* fds, nfds_t count, SocketClock::time_point deadline, const StopFlags& stop) {
    for (;;) {
        if (stop.Raised()) return kCancelled;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - SocketClock::now()).count();
        if (left <= 0) return kSocketTimeOut;
        const int slice = left < kSliceMilliseconds ? static_cast<int>(left) : kSliceMilliseconds;
        const int n = ::poll(fds, count, slice);
        if (n > 0) return 0;
        if (n < 0 && errno != EINTR) return ErrorFromErrno(errno);
    }
}

bool IsNumericAddress(std::string_view host) {
    const std::string text(host);
    unsigned char buffer[16];
    return ::inet_pton(AF_INET, text.c_str(), buffer) == 1 || ::inet_pton(AF_INET6, text.c_str(), buffer) == 1;
}

bool StopFlags::Raised() const {
    return (Abort != nullptr && Abort->load()) || (Interrupt != nullptr && Interrupt->load());
}

int Socket::Connect(const std::string& host, std::uint16_t port, const WaitLimits& limits) {
    Close();
    if (limits.Stop.Raised()) return kCancelled;
    // A numeric IPv6 address may come in brackets as users write it in addresses.
    std::string name = host;
    if (name.size() > 2 && name.front() == '[' && name.back() == ']') name = name.substr(1, name.size() - 2);
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_ADDRCONFIG;
    addrinfo* found = nullptr;
    const std::string service = std::to_string(port);
    if (::getaddrinfo(name.c_str(), service.c_str(), &hints, &found) != 0 || found == nullptr)
        return kSocketConnectFailed;
    const SocketClock::time_point deadline = DeadlineOf(limits);
    int result = kSocketConnectFailed;
    for (const addrinfo* ai = found; ai != nullptr; ai = ai->ai_next) {
        result = ConnectOne(*ai, m_fd, deadline, limits.Stop);
        if (result == 0 || result == kCancelled || result == kSocketTimeOut) break;
    }
    ::freeaddrinfo(found);
    return result;
}

int Socket::Listen(const std::string& localHost) {
    Close();
    sockaddr_storage storage{};
    socklen_t length = 0;
    auto* in = reinterpret_cast<sockaddr_in*>(&storage);
    auto* in6 = reinterpret_cast<sockaddr_in6*>(&storage);
    if (::inet_pton(AF_INET, localHost.c_str(), &in->sin_addr) == 1) {
        in->sin_family = AF_INET;
        length = sizeof(sockaddr_in);
    } else if (::inet_pton(AF_INET6, localHost.c_str(), &in6->sin6_addr) == 1) {
        in6->sin6_family = AF_INET6;
        length = sizeof(sockaddr_in6);
    } else {
        return kInvalidParameter;
    }
    UniqueFd fd(::socket(storage.ss_family, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
    if (!fd) return ErrorFromErrno(errno);
    if (::bind(fd.get(), reinterpret_cast<sockaddr*>(&storage), length) != 0 || ::listen(fd.get(), 1) != 0)
        return ErrorFromErrno(errno);
    m_fd = std::move(fd);
    return 0;
}

int Socket::Accept(Socket& out, const WaitLimits& limits) {
    pollfd p{m_fd.get(), POLLIN, 0};
    if (const int rc = PollUntil(&p, 1, DeadlineOf(limits), limits.Stop)) return rc;
    UniqueFd fd(::accept4(m_fd.get(), nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK));
    if (!fd) return ErrorFromErrno(errno);
    if (const int rc = SetNonBlocking(fd.get())) return rc;
    out.m_fd = std::move(fd);
    return 0;
}

int Socket::SendAll(std::string_view data, const WaitLimits& limits) {
    if (m_tls) return TlsSendAll(*m_tls, m_fd.get(), data, limits);
    SocketClock::time_point deadline = DeadlineOf(limits);
    while (!data.empty()) {
        if (limits.Stop.Raised()) return kCancelled;
        const ssize_t n = ::send(m_fd.get(), data.data(), data.size(), MSG_NOSIGNAL);
        if (n > 0) {
            data.remove_prefix(static_cast<std::size_t>(n));
            deadline = DeadlineOf(limits); // the time-out bounds a wait without progress
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            pollfd p{m_fd.get(), POLLOUT, 0};
            if (const int rc = PollUntil(&p, 1, deadline, limits.Stop)) return rc;
            continue;
        }
        return kSocketClosed;
    }
    return 0;
}

int Socket::SendUrgent(char byte) {
    if (::send(m_fd.get(), &byte, 1, MSG_OOB | MSG_NOSIGNAL) != 1) return kSocketClosed;
    return 0;
}

int Socket::Receive(char* buffer, std::size_t capacity, std::size_t& got, const WaitLimits& limits) {
    got = 0;
    if (m_tls) return TlsReceive(*m_tls, m_fd.get(), buffer, capacity, got, limits);
    const SocketClock::time_point deadline = DeadlineOf(limits);
    for (;;) {
        if (limits.Stop.Raised()) return kCancelled;
        const ssize_t n = ::recv(m_fd.get(), buffer, capacity, 0);
        if (n >= 0) {
            got = static_cast<std::size_t>(n);
            return 0;
        }
        if (errno == EINTR) continue;
        if (errno != EAGAIN && errno != EWOULDBLOCK) return kSocketClosed;
        pollfd p{m_fd.get(), POLLIN, 0};
        if (const int rc = PollUntil(&p, 1, deadline, limits.Stop)) return rc;
    }
}

int Socket::WaitReadable(const Socket& other, bool& readyOther, const WaitLimits& limits) const {
    readyOther = false;
    pollfd p[2] = {{m_fd.get(), POLLIN, 0}, {other.m_fd.get(), POLLIN, 0}};
    const nfds_t count = other.IsOpen() ? 2 : 1;
    if (const int rc = PollUntil(p, count, DeadlineOf(limits), limits.Stop)) return rc;
    readyOther = count == 2 && p[1].revents != 0 && p[0].revents == 0;
    return 0;
}

int Socket::StartTls(const std::string& host, const WaitLimits& limits, std::string& reason) {
    if (!m_fd) return kSocketClosed;
    return TlsHandshake(m_fd.get(), host, limits, m_tls, reason);
}

int Socket::LocalAddress(SocketAddress& out) const {
    sockaddr_storage storage{};
    socklen_t length = sizeof storage;
    if (::getsockname(m_fd.get(), reinterpret_cast<sockaddr*>(&storage), &length) != 0) return ErrorFromErrno(errno);
    return AddressOf(storage, out);
}

int Socket::PeerAddress(SocketAddress& out) const {
    sockaddr_storage storage{};
    socklen_t length = sizeof storage;
    if (::getpeername(m_fd.get(), reinterpret_cast<sockaddr*>(&storage), &length) != 0) return ErrorFromErrno(errno);
    return AddressOf(storage, out);
}

std::string Socket::LocalHostName() {
    char name[256] = {};
    if (::gethostname(name, sizeof name - 1) != 0 || name[0] == '\0') return "localhost";
    return name;
}

} // namespace platform
