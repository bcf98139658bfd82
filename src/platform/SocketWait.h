// Inside the socket layer: the bounded waits that plain and encrypted connections share.
#pragma once

#include "platform/Socket.h"

#include <chrono>
#include <poll.h>
#include <string>
#include <string_view>

namespace platform {

using SocketClock = std::chrono::steady_clock;

// Now plus the limits' time-out (at least a second).
SocketClock::time_point DeadlineOf(const WaitLimits& limits);
// Polls the descriptors until one reports an event, the deadline passes or a stop flag is raised. On 0 at least
// one entry has revents set; otherwise kSocketTimeOut, kCancelled or an errno code.
int PollUntil(pollfd* fds, nfds_t count, SocketClock::time_point deadline, const StopFlags& stop);

// The encryption of a connected non-blocking descriptor (TlsStream.cpp).
int TlsHandshake(int fd, const std::string& host, const WaitLimits& limits,
                 std::unique_ptr<TlsSession, TlsSessionDeleter>& out, std::string& reason);
int TlsSendAll(TlsSession& session, int fd, std::string_view data, const WaitLimits& limits);
int TlsReceive(TlsSession& session, int fd, char* buffer, std::size_t capacity, std::size_t& got,
               const WaitLimits& limits);

} // namespace platform
