#include "Class/BonjourPort.h"

#include <arpa/inet.h>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr const char* kPrinterServiceType = "_pdl-datastream._tcp";

// A broken promise of the code itself (not of the printer or the network):
// the tool stops, naming the expression, the function and the unit.
[[noreturn]] void assertionFailed(const char* expression, const char* function, int line) {
    std::fprintf(stderr, "Assertion failed: (%s), function %s, file %s, line %d.\n", expression,
                 function, "Sources/Class/PrinterPort", line);
    std::abort();
}

// Browsing and resolving report their errors alike.
void reportBrowseError(const StreamError& error) {
    std::fprintf(stderr, "MyBrowseCallBack returned (domain = %ld, error = %ld)\n", error.domain,
                 error.error);
}

} // namespace

// The expressions are written as the messages name them, NULL included.
#define BONJOUR_ASSERT(expression)                                                                 \
    ((expression) ? static_cast<void>(0) : assertionFailed(#expression, __func__, __LINE__))

BonjourPort::BonjourPort(const std::string&, const std::string&, const std::string& uriString,
                         EventLoop& loop, SocketCalls& sockets)
    : PrinterPort(sockets), m_EventLoop(loop), m_ServiceName(CreateDeviceName(uriString)) {
    // A port whose search did not start answers every query with none.
    StartBrowsingForServices(kPrinterServiceType, "");
}

std::optional<std::string> BonjourPort::GetIPv4Address() {
    return m_IPv4Address;
}

bool BonjourPort::StartBrowsingForServices(const char* type, const char* domain) {
    BONJOUR_ASSERT(type != NULL);
    BONJOUR_ASSERT(domain != NULL);
    m_ServiceBrowserRef =
        std::make_unique<NetServiceBrowser>(m_EventLoop, NetServiceBrowserClientCallBack, this);
    BONJOUR_ASSERT(m_ServiceBrowserRef != NULL);
    StreamError error;
    if (!m_ServiceBrowserRef->SearchForServices(type, domain, &error)) {
        m_ServiceBrowserRef.reset();
        std::fprintf(stderr,
                     "CFNetServiceBrowserSearchForServices returned (domain = %ld, error = %ld)\n",
                     error.domain, error.error);
        return false;
    }
    return true;
}

void BonjourPort::NetServiceBrowserClientCallBack(NetServiceBrowser* browser, unsigned long flags,
                                                  const NetService* service,
                                                  const StreamError* error, void* info) {
    auto* port = static_cast<BonjourPort*>(info);
    if (error->error != 0) {
        reportBrowseError(*error);
        return;
    }
    if (flags == NetServiceBrowser::kFlagRemove) {
        std::fprintf(stderr, "MyBrowseCallBack returned (domain = %ld, flags = %ld)\n",
                     error->domain, static_cast<long>(flags));
        return;
    }
    // Exactly as announced, letter case included: a look-alike is another printer.
    if (!service || !port->m_ServiceName || service->name != *port->m_ServiceName)
        return;
    // Resolved in the background, so the loop and its timers go on meanwhile.
    NetService wanted{service->name,           service->type,     service->domain,
                      service->interfaceIndex, service->protocol, std::nullopt};
    StreamError resolveError;
    if (!browser->ResolveWithTimeout(
            wanted, kResolveTimeout,
            [port](const NetService& found, const StreamError& status) {
                port->resolved(found, status);
            },
            &resolveError))
        port->resolved(wanted, resolveError);
}

void BonjourPort::resolved(const NetService& service, const StreamError& error) {
    if (error.error != 0) {
        reportBrowseError(error);
        return;
    }
    std::string address;
    std::string port;
    if (copyFirstIPv4Address(&service, &address, &port))
        SetIPv4Address(address);
}

bool BonjourPort::copyFirstIPv4Address(const NetService* service, std::string* addressString,
                                       std::string* portString) {
    BONJOUR_ASSERT(service != NULL);
    BONJOUR_ASSERT(addressString != NULL);
    BONJOUR_ASSERT(portString != NULL);
    const auto& addresses = service->addressing;
    if (!addresses || addresses->empty())
        return false;
    for (const sockaddr_storage& entry : *addresses) {
        if (entry.ss_family != AF_INET)
            continue; // IPv6 and others: the channels speak IPv4 only
        const auto& in = reinterpret_cast<const sockaddr_in&>(entry);
        char text[256];
        if (!inet_ntop(AF_INET, &in.sin_addr, text, sizeof text))
            return false;
        *addressString = text;
        *portString = std::to_string(ntohs(in.sin_port));
        return true;
    }
    return false;
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
