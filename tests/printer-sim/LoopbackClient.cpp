#include "LoopbackClient.h"

#include <arpa/inet.h>
#include <cerrno>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

// None for anything but 127.0.0.0/8: test traffic stays on this machine.
std::optional<sockaddr_in> LoopbackAddress(const std::string& address, int port) {
    sockaddr_in where{};
    where.sin_family = AF_INET;
    where.sin_port = htons(static_cast<std::uint16_t>(port));
    if (inet_pton(AF_INET, address.c_str(), &where.sin_addr) != 1 ||
        ntohl(where.sin_addr.s_addr) >> 24 != 127)
        return std::nullopt;
    return where;
}

// False when `until` passes before `fd` is readable.
bool WaitReadable(int fd, Clock::time_point until) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(until - Clock::now());
    pollfd watch{fd, POLLIN, 0};
    return poll(&watch, 1, static_cast<int>(std::max<long>(left.count(), 0))) > 0;
}

} // namespace

TcpClient::TcpClient(const std::string& address, int port) {
    const auto where = LoopbackAddress(address, port);
    if (!where) {
        m_Error = EADDRNOTAVAIL;
        return;
    }
    m_Fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (m_Fd >= 0 && connect(m_Fd, reinterpret_cast<const sockaddr*>(&*where), sizeof *where) == 0)
        return;
    m_Error = errno;
    Close();
}

TcpClient::~TcpClient() {
    Close();
}

bool TcpClient::Send(std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t sent = send(m_Fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (sent <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(sent));
    }
    return true;
}

std::string TcpClient::Receive(std::size_t atMost, std::chrono::milliseconds bound) {
    const auto until = Clock::now() + bound;
    std::string got;
    while (got.size() < atMost && WaitReadable(m_Fd, until)) {
        char buffer[65536];
        const ssize_t n = recv(m_Fd, buffer, std::min(sizeof buffer, atMost - got.size()), 0);
        if (n <= 0) {
            m_PeerClosed = true;
            break;
        }
        got.append(buffer, static_cast<std::size_t>(n));
    }
    return got;
}

void TcpClient::Close() {
    if (m_Fd >= 0)
        close(m_Fd);
    m_Fd = -1;
}

std::optional<std::string> SnmpExchange(const std::string& address, std::string_view request,
                                        std::chrono::milliseconds bound) {
    const auto where = LoopbackAddress(address, 161);
    if (!where)
        return std::nullopt;
    const int fd = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    std::optional<std::string> answer;
    if (fd >= 0 &&
        sendto(fd, request.data(), request.size(), 0, reinterpret_cast<const sockaddr*>(&*where),
               sizeof *where) >= 0 &&
        WaitReadable(fd, Clock::now() + bound)) {
        std::string buffer(65536, '\0');
        const ssize_t n = recv(fd, buffer.data(), buffer.size(), 0);
        if (n >= 0)
            answer = buffer.substr(0, static_cast<std::size_t>(n));
    }
    if (fd >= 0)
        close(fd);
    return answer;
}
