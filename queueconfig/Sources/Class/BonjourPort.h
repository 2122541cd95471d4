// The port of "mdns" and "dnssd" queues: the printer is the DNS-SD service of
// type "_pdl-datastream._tcp" that the URI names. Browsing starts when the port
// is made and runs on the event loop, so the address arrives while the loop
// runs and a later query finds it.
#pragma once

#include "Class/PrinterPort.h"
#include "Platform/EventLoop.h"
#include "Platform/NetServiceBrowser.h"

#include <memory>

class BonjourPort : public PrinterPort {
public:
    // How long one announcement of the service may take to resolve.
    static constexpr std::chrono::seconds kResolveTimeout{5};

    BonjourPort(const std::string& queueName, const std::string& queueID,
                const std::string& uriString, EventLoop& loop,
                SocketCalls& sockets = SocketCalls::System());

    std::optional<std::string> GetIPv4Address() override;

    // True when the search started; otherwise one line on standard error says
    // why, and the port never gets an address.
    bool StartBrowsingForServices(const char* type, const char* domain);
    static void NetServiceBrowserClientCallBack(NetServiceBrowser* browser, unsigned long flags,
                                                const NetService* service, const StreamError* error,
                                                void* info);
    // The first IPv4 address of a resolved service, and its port in decimal.
    static bool copyFirstIPv4Address(const NetService* service, std::string* addressString,
                                     std::string* portString);

    // The service name as the URI writes it: between "://" and the first "."
    // behind it, percent escapes and all; none without either marker.
    static std::optional<std::string> CreateDeviceName(const std::string& uriString);
    const std::optional<std::string>& GetPrinterDeviceName() const { return m_ServiceName; }
    // A resolved address replaces the old one; none leaves it as it is.
    void SetIPv4Address(const std::optional<std::string>& address);

private:
    void resolved(const NetService& service, const StreamError& error);

    EventLoop& m_EventLoop;
    std::unique_ptr<NetServiceBrowser> m_ServiceBrowserRef;
    std::optional<std::string> m_ServiceName;
    std::optional<std::string> m_IPv4Address;
};
