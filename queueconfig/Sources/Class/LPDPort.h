// The port of "lpd", "socket" and "ipp" queues: the URI's host, looked up
// once when the port is made. The URI's port number plays no part; queries
// always go to TCP 9100 and UDP 161.
#pragma once

#include "Class/PrinterPort.h"
#include "Platform/URL.h"

class LPDPort : public PrinterPort {
public:
    explicit LPDPort(const URL& uri, SocketCalls& sockets = SocketCalls::System());

    std::optional<std::string> GetIPv4Address() override;

    void CreateIPv4Address(const URL& uri);
    // 0 with the host's first IPv4 address in *address, -1 when it has none.
    int getIPAddressString(const std::string& host, std::string* address);

private:
    std::optional<std::string> m_IPv4Address;
};
