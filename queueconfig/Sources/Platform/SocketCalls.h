// The socket and resolver calls of the printer channels, behind one seam so
// that tests can make any single call fail or time out. The default members
// call the system.
#pragma once

#include <chrono>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/types.h>

class SocketCalls {
public:
    virtual ~SocketCalls() = default;

    virtual int Socket(int domain, int type, int protocol);
    virtual int Bind(int fd, const sockaddr* address, socklen_t length);
    virtual int Connect(int fd, const sockaddr* address, socklen_t length);
    virtual int GetSocketError(int fd, int* error);
    virtual int Poll(pollfd* fds, nfds_t count, int timeoutMs);
    virtual ssize_t Read(int fd, void* buffer, size_t length);
    // Never raises SIGPIPE: a printer that hung up gives an error, not a dead tool.
    virtual ssize_t Write(int fd, const void* data, size_t length);
    virtual ssize_t SendTo(int fd, const void* data, size_t length, const sockaddr* address,
                           socklen_t addressLength);
    virtual ssize_t ReceiveFrom(int fd, void* buffer, size_t length, sockaddr* address,
                                socklen_t* addressLength);
    virtual int Close(int fd);
    virtual int GetAddrInfo(const char* node, const addrinfo* hints, addrinfo** result);
    virtual void FreeAddrInfo(addrinfo* result);

    // Waits up to `timeoutMs` for `events` on one descriptor, across signals
    // that interrupt the wait: 1 ready (with what happened in *revents), 0 when
    // the time ran out, -1 on failure.
    int PollOne(int fd, short events, int timeoutMs, short* revents);
    // The same, waiting until `deadline` (at once when it has passed).
    int PollUntil(int fd, short events, std::chrono::steady_clock::time_point deadline,
                  short* revents);

    // Whether a failed call on a non-blocking socket may simply be tried again.
    static bool IsTransient(int error);

    // The calls of the system itself; it holds no state.
    static SocketCalls& System();
};
