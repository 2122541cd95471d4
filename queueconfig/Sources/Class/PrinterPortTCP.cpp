// The raw TCP channel of network ports: one connection to port 9100 per
// query. Sockets are non-blocking and every wait is bounded: the connect and
// each write slice and each reply byte get 5 seconds.
#include "Class/PrinterPort.h"

#include "Class/Error.h"
#include "Class/ReplyBuffer.h"

#include <cerrno>
#include <cstring>
#include <netinet/in.h>
#include <new>

namespace {

constexpr in_port_t kRawPort = 9100;
constexpr int kWaitMs = 5000;
// A write still pending after this many slices is given up, so that a
// printer that never drains its input cannot hold the tool for ever.
constexpr int kWriteSlices = 2;
// The work buffer of a request: longer requests are not sent cut.
constexpr std::size_t kWorkBufferSize = 1024;
// A reply line holds at most 9999 bytes and its NUL.
constexpr int kLineBufferSize = 10000;
constexpr char kFormFeed = '\f';

} // namespace

std::optional<std::string> PrinterPort::CreateTCPReplyCopy(const char* request, int mode) {
    const std::optional<std::string> addressText = copyAddressText();
    if (!addressText)
        return std::nullopt;
    try {
        ReplyBuffer reply;
        int count = 0;
        if (Read_Setting_TCP(request, &reply, &count, addressText->c_str(), mode) != 0)
            return std::nullopt;
        return reply.Release();
    } catch (const std::bad_alloc&) {
        SetLastErrorType(kErrorOutOfMemory);
        return std::nullopt;
    }
}

short PrinterPort::Read_Setting_TCP(const char* request, ReplyBuffer* reply, int* count,
                                    const char* address, int mode) {
    if (request == nullptr || reply == nullptr || count == nullptr || address == nullptr) {
        SetLastErrorType(kErrorOutOfMemory);
        return 0;
    }
    if (std::strlen(request) >= kWorkBufferSize)
        return -1;
    m_AddressText = address;
    const short status = main_tcp(reply, request, mode);
    m_AddressText.clear();
    return status;
}

short PrinterPort::main_tcp(ReplyBuffer* reply, const char* request, int mode) {
    if (m_AddressText.empty()) {
        SetLastErrorType(kErrorOutOfMemory);
        return -1;
    }
    sockaddr_in server;
    const bool parsed = printerAddress(kRawPort, &server);

    const int fd = m_Sockets.Socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        SetLastErrorType(kErrorConnection);
        return -1;
    }
    if (!parsed ||
        connectWithin(fd, reinterpret_cast<const sockaddr*>(&server), sizeof(server)) != 0) {
        SetLastErrorType(kErrorConnection);
        m_Sockets.Close(fd);
        return 100;
    }
    const int result = str_cli(reply, request, fd, mode);
    m_Sockets.Close(fd);
    return static_cast<unsigned char>(result);
}

int PrinterPort::connectWithin(int fd, const sockaddr* server, socklen_t serverLength) {
    if (m_Sockets.Connect(fd, server, serverLength) == 0)
        return 0;
    if (errno != EINPROGRESS)
        return -1;
    short revents = 0;
    if (m_Sockets.PollOne(fd, POLLOUT, kWaitMs, &revents) != 1)
        return -1;
    int error = 0;
    if (m_Sockets.GetSocketError(fd, &error) != 0 || error != 0)
        return -1;
    return 0;
}

int PrinterPort::str_cli(ReplyBuffer* reply, const char* request, int fd, int mode) {
    const std::size_t length = std::strlen(request);
    if (writen(fd, request, length) != static_cast<long>(length))
        return -1;

    char line[kLineBufferSize];
    while (!reply->IsFull()) {
        if (readline(fd, line, kLineBufferSize) <= 0)
            break;
        reply->Append(line);
        if (mode == kReplyEndPS)
            break;
    }
    return 0;
}

long PrinterPort::writen(int fd, const char* data, std::size_t length) {
    std::size_t written = 0;
    while (written < length) {
        const long result = MP_write(fd, data + written, length - written);
        if (result <= 0)
            return result;
        written += static_cast<std::size_t>(result);
    }
    return static_cast<long>(written);
}

long PrinterPort::MP_write(int fd, const char* data, std::size_t length) {
    for (int slice = 0; slice < kWriteSlices; ++slice) {
        short revents = 0;
        const int ready = m_Sockets.PollOne(fd, POLLOUT, kWaitMs, &revents);
        if (ready < 0)
            return -1;
        if (ready == 0) {
            // The printer takes no data: busy or offline.
            SetLastErrorType(kErrorBusyOffline);
            continue;
        }
        const ssize_t result = m_Sockets.Write(fd, data, length);
        if (result < 0 && SocketCalls::IsTransient(errno))
            continue;
        return result;
    }
    return -1;
}

// Waits for one byte: 1 with the byte, 0 at the end of the stream, -2 on a
// read error or when no byte came in time.
int PrinterPort::readByte(int fd, char* byte) {
    for (;;) {
        short revents = 0;
        const int ready = m_Sockets.PollOne(fd, POLLIN, kWaitMs, &revents);
        if (ready == 0)
            SetLastErrorType(kErrorBusyOffline);
        if (ready <= 0)
            return -2;
        const ssize_t result = m_Sockets.Read(fd, byte, 1);
        if (result >= 0)
            return static_cast<int>(result);
        if (!SocketCalls::IsTransient(errno))
            return -2;
    }
}

int PrinterPort::readline(int fd, char* line, int maxLength) {
    int n = 1;
    int stored = 0;
    while (n < maxLength) {
        char byte = 0;
        const int result = readByte(fd, &byte);
        if (result == 1) {
            line[stored++] = byte;
            if (byte == '\n')
                break;
            if (byte == kFormFeed) {
                n = -1;
                break;
            }
            ++n;
        } else if (result == 0) {
            if (stored == 0)
                n = 0;
            break;
        } else {
            n = -2;
            break;
        }
    }
    line[stored] = '\0';
    return n;
}
