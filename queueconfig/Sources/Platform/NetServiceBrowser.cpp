#include "Platform/NetServiceBrowser.h"

#include <avahi-client/client.h>
#include <avahi-client/lookup.h>
#include <avahi-common/error.h>
#include <cstring>
#include <netinet/in.h>

namespace {

StreamError avahiError(int code) {
    return StreamError{NetServiceBrowser::kErrorDomainNetServices, code};
}

// The socket address of a resolved service, with the port it announced.
sockaddr_storage socketAddress(const AvahiAddress& address, std::uint16_t port) {
    sockaddr_storage storage{};
    if (address.proto == AVAHI_PROTO_INET) {
        auto* in = reinterpret_cast<sockaddr_in*>(&storage);
        in->sin_family = AF_INET;
        in->sin_port = htons(port);
        in->sin_addr.s_addr = address.data.ipv4.address; // already in network order
    } else if (address.proto == AVAHI_PROTO_INET6) {
        auto* in6 = reinterpret_cast<sockaddr_in6*>(&storage);
        in6->sin6_family = AF_INET6;
        in6->sin6_port = htons(port);
        static_assert(sizeof in6->sin6_addr == sizeof address.data.ipv6.address);
        std::memcpy(&in6->sin6_addr, address.data.ipv6.address, sizeof in6->sin6_addr);
    } else {
        storage.ss_family = AF_UNSPEC;
    }
    return storage;
}

} // namespace

struct NetServiceBrowser::Glue {
    static void client(AvahiClient* client, AvahiClientState state, void* userdata) {
        if (state == AVAHI_CLIENT_FAILURE)
            static_cast<NetServiceBrowser*>(userdata)->failed(avahi_client_errno(client));
    }

    static void browse(AvahiServiceBrowser* browser, AvahiIfIndex interfaceIndex,
                       AvahiProtocol protocol, AvahiBrowserEvent event, const char* name,
                       const char* type, const char* domain, AvahiLookupResultFlags,
                       void* userdata) {
        auto* self = static_cast<NetServiceBrowser*>(userdata);
        switch (event) {
        case AVAHI_BROWSER_NEW:
        case AVAHI_BROWSER_REMOVE:
            self->found(event == AVAHI_BROWSER_REMOVE ? kFlagRemove : 0,
                        NetService{name ? name : "", type ? type : "", domain ? domain : "",
                                   interfaceIndex, protocol, std::nullopt});
            break;
        case AVAHI_BROWSER_FAILURE:
            self->failed(avahi_client_errno(avahi_service_browser_get_client(browser)));
            break;
        case AVAHI_BROWSER_CACHE_EXHAUSTED:
        case AVAHI_BROWSER_ALL_FOR_NOW:
            break; // progress notes; services may still come later
        }
    }

    static void resolve(AvahiServiceResolver* resolver, AvahiIfIndex, AvahiProtocol,
                        AvahiResolverEvent event, const char*, const char*, const char*,
                        const char*, const AvahiAddress* address, std::uint16_t port,
                        AvahiStringList*, AvahiLookupResultFlags, void* userdata) {
        auto* resolution = static_cast<Resolution*>(userdata);
        if (event == AVAHI_RESOLVER_FOUND && address) {
            resolution->service.addressing = {socketAddress(*address, port)};
            resolution->owner->finish(resolution, StreamError{});
            return;
        }
        const int code = event == AVAHI_RESOLVER_FOUND
                             ? AVAHI_ERR_INVALID_ADDRESS
                             : avahi_client_errno(avahi_service_resolver_get_client(resolver));
        resolution->owner->finish(resolution, avahiError(code));
    }
};

NetServiceBrowser::NetServiceBrowser(EventLoop& loop, ClientCallBack callback, void* info)
    : m_Loop(loop), m_CallBack(callback), m_Info(info), m_Poll(loop) {}

NetServiceBrowser::~NetServiceBrowser() {
    stop();
}

bool NetServiceBrowser::SearchForServices(const char* type, const char* domain,
                                          StreamError* error) {
    stop();
    int code = 0;
    m_Client =
        avahi_client_new(m_Poll.Get(), static_cast<AvahiClientFlags>(0), Glue::client, this, &code);
    if (!m_Client) {
        *error = avahiError(code);
        return false;
    }
    m_Browser = avahi_service_browser_new(m_Client, AVAHI_IF_UNSPEC, AVAHI_PROTO_UNSPEC, type,
                                          *domain ? domain : nullptr,
                                          static_cast<AvahiLookupFlags>(0), Glue::browse, this);
    if (!m_Browser) {
        *error = avahiError(avahi_client_errno(m_Client));
        stop();
        return false;
    }
    return true;
}

bool NetServiceBrowser::ResolveWithTimeout(const NetService& service, EventLoop::Duration timeout,
                                           ResolveCallBack done, StreamError* error) {
    if (!m_Client || m_Failed) {
        *error = avahiError(m_Client ? avahi_client_errno(m_Client) : AVAHI_ERR_BAD_STATE);
        return false;
    }
    Resolution& resolution = m_Resolutions.emplace_back(Resolution{this, service, std::move(done)});
    // Only the IPv4 address is asked for: a service whose host has none fails
    // to resolve. Results arrive from the event loop, never from in here.
    resolution.resolver = avahi_service_resolver_new(
        m_Client, service.interfaceIndex, service.protocol, service.name.c_str(),
        service.type.c_str(), service.domain.empty() ? nullptr : service.domain.c_str(),
        AVAHI_PROTO_INET, static_cast<AvahiLookupFlags>(0), Glue::resolve, &resolution);
    if (!resolution.resolver) {
        *error = avahiError(avahi_client_errno(m_Client));
        m_Resolutions.pop_back();
        return false;
    }
    Resolution* pending = &resolution;
    resolution.timer = m_Loop.InstallTimer(
        timeout, EventLoop::Duration::zero(), [this, pending](EventLoop&, EventLoop::TimerId) {
            pending->timer = 0; // a one-shot timer is gone once it fired
            finish(pending, avahiError(AVAHI_ERR_TIMEOUT));
        });
    return true;
}

void NetServiceBrowser::found(unsigned long flags, const NetService& service) {
    const StreamError none;
    m_CallBack(this, flags, &service, &none, m_Info);
}

// Reported once; what is pending ends at its own time-out.
void NetServiceBrowser::failed(int avahiErrorCode) {
    if (!m_Browser || m_Failed)
        return; // a failed start is SearchForServices' own result
    m_Failed = true;
    const StreamError error = avahiError(avahiErrorCode);
    m_CallBack(this, 0, nullptr, &error, m_Info);
}

void NetServiceBrowser::release(Resolution& resolution) {
    avahi_service_resolver_free(resolution.resolver);
    if (resolution.timer)
        m_Loop.RemoveTimer(resolution.timer);
}

void NetServiceBrowser::finish(Resolution* resolution, const StreamError& error) {
    release(*resolution);
    ResolveCallBack done = std::move(resolution->done);
    NetService service = std::move(resolution->service);
    m_Resolutions.remove_if([resolution](const Resolution& r) { return &r == resolution; });
    done(service, error);
}

void NetServiceBrowser::stop() {
    for (Resolution& resolution : m_Resolutions)
        release(resolution);
    m_Resolutions.clear();
    if (m_Browser)
        avahi_service_browser_free(m_Browser);
    m_Browser = nullptr;
    if (m_Client)
        avahi_client_free(m_Client);
    m_Client = nullptr;
    m_Failed = false;
}
