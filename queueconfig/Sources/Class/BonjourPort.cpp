#include "Class/BonjourPort.h"

BonjourPort::BonjourPort(const std::string&, const std::string&, const std::string& uriString,
                         SocketCalls& sockets)
    : PrinterPort(sockets), m_ServiceName(CreateDeviceName(uriString)) {}

std::optional<std::string> BonjourPort::GetIPv4Address() {
    return m_IPv4Address;
}

std::optional<std::string> BonjourPort::CreateDeviceName(const std::string& uriString) {
    // The end marker is searched over the whole URI, so a "." before "://"
    // leaves no name; device URIs of DNS-SD queues have none there.
    return CreateCFStringMid(uriString, "://", ".", 0, 0);
}

void BonjourPort::SetIPv4Address(const std::optional<std::string>& address) {
    if (address)
        m_IPv4Address = address;
}
