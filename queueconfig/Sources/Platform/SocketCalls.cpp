#include "Platform/SocketCalls.h"

#include <cerrno>
#include <chrono>
#include <unistd.h>

int SocketCalls::Socket(int domain, int type, int protocol) {
    return ::socket(domain, type, protocol);
}

int SocketCalls::Bind(int fd, const sockaddr* address, socklen_t length) {
    return ::bind(fd, address, length);
}

int SocketCalls::Connect(int fd, const sockaddr* address, socklen_t length) {
    return ::connect(fd, address, length);
}

int SocketCalls::GetSocketError(int fd, int* error) {
    socklen_t length = sizeof(*error);
    return ::getsockopt(fd, SOL_SOCKET, SO_ERROR, error, &length);
}

int SocketCalls::Poll(pollfd* fds, nfds_t count, int timeoutMs) {
    return ::poll(fds, count, timeoutMs);
}

ssize_t SocketCalls::Read(int fd, void* buffer, size_t length) {
    return ::read(fd, buffer, length);
}

ssize_t SocketCalls::Write(int fd, const void* data, size_t length) {
    return ::send(fd, data, length, MSG_NOSIGNAL);
}

ssize_t SocketCalls::SendTo(int fd, const void* data, size_t length, const sockaddr* address,
                            socklen_t addressLength) {
    return ::sendto(fd, data, length, MSG_NOSIGNAL, address, addressLength);
}

ssize_t SocketCalls::ReceiveFrom(int fd, void* buffer, size_t length, sockaddr* address,
                                 socklen_t* addressLength) {
    return ::recvfrom(fd, buffer, length, 0, address, addressLength);
}

int SocketCalls::Close(int fd) {
    return ::close(fd);
}

int SocketCalls::GetAddrInfo(const char* node, const addrinfo* hints, addrinfo** result) {
    return ::getaddrinfo(node, nullptr, hints, result);
}

void SocketCalls::FreeAddrInfo(addrinfo* result) {
    ::freeaddrinfo(result);
}

SocketCalls& SocketCalls::System() {
    static SocketCalls system;
    return system;
}

int SocketCalls::PollOne(int fd, short events, int timeoutMs, short* revents) {
    return PollUntil(fd, events,
                     std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs),
                     revents);
}

int SocketCalls::PollUntil(int fd, short events, std::chrono::steady_clock::time_point deadline,
                           short* revents) {
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd entry{fd, events, 0};
        const int ready = Poll(&entry, 1, left.count() > 0 ? static_cast<int>(left.count()) : 0);
        if (ready > 0) {
            *revents = entry.revents;
            return 1;
        }
        if (ready == 0)
            return 0;
        if (errno != EINTR)
            return -1;
    }
}

bool SocketCalls::IsTransient(int error) {
    return error == EAGAIN || error == EWOULDBLOCK || error == EINTR;
}
