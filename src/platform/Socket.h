// TCP connections for the program's own protocols: non-blocking connect, read, write and accept, each wait bounded
// by a time-out and ended early by the run's stop flags; IPv4 and IPv6.
#pragma once

#include "platform/UniqueFd.h"

#include <atomic>
#include <memory>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

// The run's stop flags as a socket wait sees them; either may be absent. A raised flag ends a wait with kCancelled.
struct StopFlags {
    const std::atomic<bool>* Abort = nullptr;
    const std::atomic<bool>* Interrupt = nullptr;
    [[nodiscard]] bool Raised() const;
};

// What a wait may take: the time-out (seconds, at least 1) and the flags that end it early.
struct WaitLimits {
    int TimeOutSeconds = 30;
    StopFlags Stop;
};

// A numeric address and port (IPv6 without brackets).
struct SocketAddress {
    std::string Host;
    std::uint16_t Port = 0;
    bool IPv6 = false;
};

struct TlsSession;
struct TlsSessionDeleter {
    void operator()(TlsSession* session) const;
};

// Whether host is a numeric IPv4 or IPv6 address (without brackets), not a name.
[[nodiscard]] bool IsNumericAddress(std::string_view host);

// One TCP socket. Every call returns 0 or the program's error code: kSocketTimeOut, kCancelled,
// kSocketConnectFailed, kSocketClosed or a code from errno.
class Socket {
public:
    [[nodiscard]] bool IsOpen() const { return static_cast<bool>(m_fd); }
    void Close() {
        m_tls.reset();
        m_fd.reset();
    }

    // Resolves host (a name or a numeric address) and connects to the first address that answers.
    [[nodiscard]] int Connect(const std::string& host, std::uint16_t port, const WaitLimits& limits);
    // Listens on a free port of the given numeric local address.
    [[nodiscard]] int Listen(const std::string& localHost);
    // Takes the first incoming connection of a listening socket into out.
    [[nodiscard]] int Accept(Socket& out, const WaitLimits& limits);

    // Encrypts the connection from here on (TLS 1.2 or later, as after STARTTLS): the server's certificate must
    // be trusted by the system's authorities (SSL_CERT_FILE and SSL_CERT_DIR name others) and name host.
    // Afterwards SendAll and Receive go through the encryption. kTlsFailed with reason set when the handshake
    // or the certificate fails.
    [[nodiscard]] int StartTls(const std::string& host, const WaitLimits& limits, std::string& reason);
    [[nodiscard]] bool IsEncrypted() const { return static_cast<bool>(m_tls); }

    // Sends all of data.
    [[nodiscard]] int SendAll(std::string_view data, const WaitLimits& limits);
    // Sends one byte as urgent (out-of-band) data.
    [[nodiscard]] int SendUrgent(char byte);
    // Receives at most capacity bytes into buffer; got is 0 when the peer has closed the connection.
    [[nodiscard]] int Receive(char* buffer, std::size_t capacity, std::size_t& got, const WaitLimits& limits);
    // Waits until data (or the peer's close) can be read, or the other socket can be read or accepted first:
    // readyOther tells which. other may be closed, then only this socket counts.
    [[nodiscard]] int WaitReadable(const Socket& other, bool& readyOther, const WaitLimits& limits) const;

    [[nodiscard]] int LocalAddress(SocketAddress& out) const;
    // This machine's host name, as HELO announces it; "localhost" when the system has none.
    [[nodiscard]] static std::string LocalHostName();
    [[nodiscard]] int PeerAddress(SocketAddress& out) const;

private:
    UniqueFd m_fd;
    std::unique_ptr<TlsSession, TlsSessionDeleter> m_tls;
};

} // namespace platform
