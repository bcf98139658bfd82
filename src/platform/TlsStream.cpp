// TLS for the program's own connections (mail after STARTTLS), by OpenSSL on the non-blocking socket: every
// step that wants to read or write waits with the connection's time-out and stop flags.
#include "platform/ErrorCodes.h"
#include "platform/SocketWait.h"

#include <algorithm>
#include <memory>
#include <openssl/err.h>
#include <openssl/ssl.h>
#include <openssl/x509v3.h>

namespace platform {

struct TlsSession {
    SSL_CTX* Context = nullptr;
    SSL* Connection = nullptr;
    ~TlsSession() {
        if (Connection) SSL_free(Connection);
        if (Context) SSL_CTX_free(Context);
    }
};

void TlsSessionDeleter::operator()(TlsSession* session) const {
    delete session;
}

namespace {

std::string LastSslError() {
    const unsigned long code = ERR_get_error();
    ERR_clear_error();
    if (code == 0) return {};
    char text[256];
    ERR_error_string_n(code, text, sizeof text);
    return text;
}

// Repeats step (an SSL call) until it makes progress: it returns its positive result, 0 when the peer closed
// the connection, or the error code.
template <class Step>
int Drive(SSL* ssl, int fd, const WaitLimits& limits, Step step, int& result) {
    const SocketClock::time_point deadline = DeadlineOf(limits);
    for (;;) {
        if (limits.Stop.Raised()) return kCancelled;
        ERR_clear_error();
        result = step();
        if (result > 0) return 0;
        const int error = SSL_get_error(ssl, result);
        short events = 0;
        if (error == SSL_ERROR_WANT_READ)
            events = POLLIN;
        else if (error == SSL_ERROR_WANT_WRITE)
            events = POLLOUT;
        else if (error == SSL_ERROR_ZERO_RETURN)
            return kSocketClosed;
        else
            return kTlsFailed;
        pollfd p{fd, events, 0};
        if (const int rc = PollUntil(&p, 1, deadline, limits.Stop)) return rc;
    }
}

} // namespace

int TlsHandshake(int fd, const std::string& host, const WaitLimits& limits,
                 std::unique_ptr<TlsSession, TlsSessionDeleter>& out, std::string& reason) {
    std::unique_ptr<TlsSession, TlsSessionDeleter> session(new TlsSession);
    session->Context = SSL_CTX_new(TLS_client_method());
    if (!session->Context) return kTlsFailed;
    SSL_CTX_set_min_proto_version(session->Context, TLS1_2_VERSION);
    SSL_CTX_set_default_verify_paths(session->Context);
    SSL_CTX_set_verify(session->Context, SSL_VERIFY_PEER, nullptr);
    session->Connection = SSL_new(session->Context);
    if (!session->Connection || SSL_set_fd(session->Connection, fd) != 1) return kTlsFailed;
    // The certificate must name the host the user gave: its name, or its address.
    X509_VERIFY_PARAM* check = SSL_get0_param(session->Connection);
    if (IsNumericAddress(host)) {
        X509_VERIFY_PARAM_set1_ip_asc(check, host.c_str());
    } else {
        SSL_set_tlsext_host_name(session->Connection, host.c_str());
        X509_VERIFY_PARAM_set1_host(check, host.c_str(), 0);
    }
    int result = 0;
    const int rc = Drive(session->Connection, fd, limits, [&] { return SSL_connect(session->Connection); }, result);
    if (rc != 0) {
        const long verified = SSL_get_verify_result(session->Connection);
        reason = verified != X509_V_OK ? X509_verify_cert_error_string(verified) : LastSslError();
        return rc == kSocketClosed ? kTlsFailed : rc;
    }
    out = std::move(session);
    return 0;
}

int TlsSendAll(TlsSession& session, int fd, std::string_view data, const WaitLimits& limits) {
    while (!data.empty()) {
        int written = 0;
        const int rc = Drive(
            session.Connection, fd, limits,
            [&] { return SSL_write(session.Connection, data.data(), static_cast<int>(std::min<std::size_t>(data.size(), 1 << 20))); },
            written);
        if (rc != 0) return rc == kTlsFailed ? kSocketClosed : rc;
        data.remove_prefix(static_cast<std::size_t>(written));
    }
    return 0;
}

int TlsReceive(TlsSession& session, int fd, char* buffer, std::size_t capacity, std::size_t& got,
               const WaitLimits& limits) {
    got = 0;
    int read = 0;
    const int rc = Drive(
        session.Connection, fd, limits,
        [&] { return SSL_read(session.Connection, buffer, static_cast<int>(std::min<std::size_t>(capacity, 1 << 20))); },
        read);
    if (rc == kSocketClosed) return 0; // the peer ended the encrypted stream: like a closed connection
    if (rc != 0) return rc == kTlsFailed ? kSocketClosed : rc;
    got = static_cast<std::size_t>(read);
    return 0;
}

} // namespace platform
