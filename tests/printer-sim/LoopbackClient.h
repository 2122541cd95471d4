// Plain socket clients of a simulated printer for the process tests. Every wait
// is bounded, so a simulator that stays quiet fails a test instead of hanging it.
#pragma once

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

class TcpClient {
public:
    // Connects at once; on failure Connected() is false and Error() the errno.
    explicit TcpClient(const std::string& address, int port = 9100);
    ~TcpClient();
    TcpClient(const TcpClient&) = delete;
    TcpClient& operator=(const TcpClient&) = delete;

    bool Connected() const { return m_Fd >= 0; }
    int Error() const { return m_Error; }
    bool Send(std::string_view bytes);
    // Reads until `atMost` bytes came, the printer closed, or `bound` passed.
    std::string Receive(std::size_t atMost,
                        std::chrono::milliseconds bound = std::chrono::seconds(5));
    bool PeerClosed() const { return m_PeerClosed; }
    void Close();

private:
    int m_Fd = -1;
    int m_Error = 0;
    bool m_PeerClosed = false;
};

// Sends one datagram to address:161; the answer, none when `bound` passes first.
std::optional<std::string> SnmpExchange(const std::string& address, std::string_view request,
                                        std::chrono::milliseconds bound = std::chrono::seconds(5));
