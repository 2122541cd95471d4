// The SNMP channel of network ports: one GetRequest datagram to UDP port 161
// and one answer within 3 seconds, decoded by position.
#include "Class/PrinterPort.h"

#include "Class/Error.h"
#include "Class/ReplyBuffer.h"
#include "Class/SnmpReplyDecoder.h"

#include <arpa/inet.h>
#include <cerrno>
#include <chrono>
#include <netinet/in.h>
#include <new>

namespace {

constexpr in_port_t kSnmpPort = 161;
constexpr int kWaitMs = 3000;
constexpr std::size_t kReceiveBufferSize = 10000;

bool SameEndpoint(const sockaddr_in& from, const sockaddr_in& server) {
    return from.sin_family == AF_INET && from.sin_port == server.sin_port &&
           from.sin_addr.s_addr == server.sin_addr.s_addr;
}

} // namespace

std::optional<std::string> PrinterPort::CreateUDPReplyCopy(const char* request,
                                                           unsigned long length) {
    const std::optional<std::string> addressText = copyAddressText();
    if (!addressText)
        return std::nullopt;
    try {
        ReplyBuffer reply;
        int lastIndex = 0;
        if (Read_Setting_UDP(request, length, &reply, &lastIndex, addressText->c_str()) != 0)
            return std::nullopt;
        return reply.Release();
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

short PrinterPort::Read_Setting_UDP(const char* request, unsigned long length, ReplyBuffer* reply,
                                    int* lastIndex, const char* address) {
    if (request == nullptr || reply == nullptr || lastIndex == nullptr || address == nullptr)
        return 0;
    m_AddressText = address;
    const short status = main_udp(request, length, reply, lastIndex);
    m_AddressText.clear();
    return status;
}

short PrinterPort::main_udp(const char* request, unsigned long length, ReplyBuffer* reply,
                            int* lastIndex) {
    if (m_AddressText.empty())
        return -1;
    sockaddr_in server;
    if (!printerAddress(kSnmpPort, &server))
        return -1;

    const int fd = m_Sockets.Socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return -1;
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_port = 0;
    local.sin_addr.s_addr = htonl(INADDR_ANY);
    short status = -1;
    if (m_Sockets.Bind(fd, reinterpret_cast<const sockaddr*>(&local), sizeof(local)) == 0)
        status = static_cast<short>(dg_cli_mib(request, length, reply, lastIndex, fd,
                                               reinterpret_cast<const sockaddr*>(&server),
                                               sizeof(server)));
    // Closed here, so a datagram that comes late lands nowhere.
    m_Sockets.Close(fd);
    return status;
}

int PrinterPort::dg_cli_mib(const char* request, unsigned long length, ReplyBuffer* reply,
                            int* lastIndex, int fd, const sockaddr* server,
                            socklen_t serverLength) {
    const ssize_t sent = m_Sockets.SendTo(fd, request, length, server, serverLength);
    if (sent < 0 || static_cast<unsigned long>(sent) < length)
        return -1;

    unsigned char datagram[kReceiveBufferSize];
    const int received =
        receiveFromPrinter(fd, server, reinterpret_cast<char*>(datagram), sizeof(datagram));
    if (received < 0)
        return -1;
    reply->Append(DecodeSnmpValue(datagram, static_cast<std::size_t>(received), length, lastIndex));
    return 0;
}

// One datagram from the printer's address and port within the wait; anything
// from elsewhere is not an answer and is dropped. The count, or -1.
int PrinterPort::receiveFromPrinter(int fd, const sockaddr* server, char* buffer,
                                    std::size_t size) {
    const sockaddr_in& printer = *reinterpret_cast<const sockaddr_in*>(server);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kWaitMs);
    for (;;) {
        short revents = 0;
        if (m_Sockets.PollUntil(fd, POLLIN, deadline, &revents) != 1)
            return -1;
        sockaddr_in from{};
        socklen_t fromLength = sizeof(from);
        const ssize_t count = m_Sockets.ReceiveFrom(
            fd, buffer, size, reinterpret_cast<sockaddr*>(&from), &fromLength);
        if (count >= 0 && SameEndpoint(from, printer))
            return static_cast<int>(count);
        if (count < 0 && !SocketCalls::IsTransient(errno))
            return -1;
        // A stream of foreign datagrams must not stretch the wait.
        if (std::chrono::steady_clock::now() >= deadline)
            return -1;
    }
}
