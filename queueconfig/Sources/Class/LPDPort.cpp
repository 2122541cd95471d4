#include "Class/LPDPort.h"

#include "Class/Utility.h"

#include <arpa/inet.h>
#include <netinet/in.h>

LPDPort::LPDPort(const URL& uri, SocketCalls& sockets) : PrinterPort(sockets) {
    CreateIPv4Address(uri);
}

std::optional<std::string> LPDPort::GetIPv4Address() {
    return m_IPv4Address;
}

void LPDPort::CreateIPv4Address(const URL& uri) {
    const std::optional<std::string>& host = uri.GetHost();
    if (!host)
        return;
    const std::optional<std::string> hostText = CopyCString(*host, kTextBufferSize);
    if (!hostText)
        return;
    std::string address;
    if (getIPAddressString(*hostText, &address) == 0)
        m_IPv4Address = address;
}

int LPDPort::getIPAddressString(const std::string& host, std::string* address) {
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (host.empty() || m_Sockets.GetAddrInfo(host.c_str(), &hints, &found) != 0 ||
        found == nullptr)
        return -1;
    int status = -1;
    if (found->ai_family == AF_INET && found->ai_addrlen >= sizeof(sockaddr_in)) {
        const auto* ipv4 = reinterpret_cast<const sockaddr_in*>(found->ai_addr);
        char text[INET_ADDRSTRLEN] = {};
        if (inet_ntop(AF_INET, &ipv4->sin_addr, text, sizeof(text)) != nullptr) {
            *address = text;
            status = 0;
        }
    }
    m_Sockets.FreeAddrInfo(found);
    return status;
}
