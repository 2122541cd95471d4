// The port of "mdns" and "dnssd" queues: the printer is the DNS-SD service
// that the URI names, and its address arrives once the service is resolved.
// Until DNS-SD browsing is in place the address stays unknown.
#pragma once

#include "Class/PrinterPort.h"

class BonjourPort : public PrinterPort {
public:
    BonjourPort(const std::string& queueName, const std::string& queueID,
                const std::string& uriString, SocketCalls& sockets = SocketCalls::System());

    std::optional<std::string> GetIPv4Address() override;

    // The service name as the URI writes it: between "://" and the first "."
    // behind it, percent escapes and all; none without either marker.
    static std::optional<std::string> CreateDeviceName(const std::string& uriString);
    const std::optional<std::string>& GetPrinterDeviceName() const { return m_ServiceName; }
    // A resolved address replaces the old one; none leaves it as it is.
    void SetIPv4Address(const std::optional<std::string>& address);

private:
    std::optional<std::string> m_ServiceName;
    std::optional<std::string> m_IPv4Address;
};
