// Browsing for DNS-SD services and resolving them, on the Avahi daemon through
// its client library. Everything runs from the tool's event loop: the callback
// is called from it, and a resolution never blocks it.
#pragma once

#include "Platform/AvahiEventPoll.h"
#include "Platform/EventLoop.h"
#include "Platform/NetService.h"

#include <functional>
#include <list>
#include <memory>

struct AvahiClient;
struct AvahiServiceBrowser;
struct AvahiServiceResolver;

class NetServiceBrowser {
public:
    // The error domain of every error here; the codes are Avahi's
    // (avahi-common/error.h), AVAHI_ERR_NO_DAEMON (-26) when no daemon runs.
    static constexpr long kErrorDomainNetServices = 10;
    // Browse flags: the service went away.
    static constexpr unsigned long kFlagRemove = 8;

    // Called for each service found (flags 0) or gone (kFlagRemove), and once
    // with an error when browsing fails; the service is null with an error.
    using ClientCallBack = void (*)(NetServiceBrowser* browser, unsigned long flags,
                                    const NetService* service, const StreamError* error,
                                    void* info);
    // Called once per resolution: the service with its addresses, or an error
    // (a resolution that takes longer than its time-out fails with
    // AVAHI_ERR_TIMEOUT).
    using ResolveCallBack =
        std::function<void(const NetService& service, const StreamError& error)>;

    NetServiceBrowser(EventLoop& loop, ClientCallBack callback, void* info);
    ~NetServiceBrowser();
    NetServiceBrowser(const NetServiceBrowser&) = delete;
    NetServiceBrowser& operator=(const NetServiceBrowser&) = delete;

    // Connects to the daemon and starts browsing for `type` in `domain` (the
    // empty domain: the default ones). False with *error set when that fails.
    bool SearchForServices(const char* type, const char* domain, StreamError* error);
    // Starts resolving `service` to its IPv4 address. False with *error set
    // when the resolution cannot start; otherwise `done` is called later.
    bool ResolveWithTimeout(const NetService& service, EventLoop::Duration timeout,
                            ResolveCallBack done, StreamError* error);

    std::size_t PendingResolutions() const { return m_Resolutions.size(); }

private:
    // Avahi's callbacks, with its own signatures, live beside the code.
    struct Glue;
    friend struct Glue;

    struct Resolution {
        NetServiceBrowser* owner;
        NetService service;
        ResolveCallBack done;
        AvahiServiceResolver* resolver = nullptr;
        EventLoop::TimerId timer = 0;
    };

    void found(unsigned long flags, const NetService& service);
    void failed(int avahiError);
    // Frees a resolution's resolver and removes its timer.
    void release(Resolution& resolution);
    // Ends a resolution: it is released and leaves the list, then `done` runs.
    void finish(Resolution* resolution, const StreamError& error);
    void stop();

    EventLoop& m_Loop;
    ClientCallBack m_CallBack;
    void* m_Info;
    AvahiEventPoll m_Poll;
    AvahiClient* m_Client = nullptr;
    AvahiServiceBrowser* m_Browser = nullptr;
    bool m_Failed = false;
    std::list<Resolution> m_Resolutions;
};
