// Avahi's poll interface served by the tool's event loop, so that the DNS-SD
// client's D-Bus traffic is handled between queries like every other source
// of the loop, on the main thread.
#pragma once

#include "Platform/EventLoop.h"

#include <avahi-common/watch.h>
#include <set>

class AvahiEventPoll {
public:
    explicit AvahiEventPoll(EventLoop& loop);
    // Removes from the loop whatever watches and timeouts the client left.
    ~AvahiEventPoll();
    AvahiEventPoll(const AvahiEventPoll&) = delete;
    AvahiEventPoll& operator=(const AvahiEventPoll&) = delete;

    const AvahiPoll* Get() const { return &m_Poll; }

    std::size_t WatchCount() const { return m_Watches.size(); }
    std::size_t TimeoutCount() const { return m_Timeouts.size(); }

private:
    static AvahiWatch* watchNew(const AvahiPoll* api, int fd, AvahiWatchEvent events,
                                AvahiWatchCallback callback, void* userdata);
    static void watchUpdate(AvahiWatch* watch, AvahiWatchEvent events);
    static AvahiWatchEvent watchGetEvents(AvahiWatch* watch);
    static void watchFree(AvahiWatch* watch);
    static AvahiTimeout* timeoutNew(const AvahiPoll* api, const struct timeval* tv,
                                    AvahiTimeoutCallback callback, void* userdata);
    static void timeoutUpdate(AvahiTimeout* timeout, const struct timeval* tv);
    static void timeoutFree(AvahiTimeout* timeout);

    void arm(AvahiTimeout* timeout, const struct timeval* tv);

    EventLoop& m_Loop;
    AvahiPoll m_Poll{};
    std::set<AvahiWatch*> m_Watches;
    std::set<AvahiTimeout*> m_Timeouts;
};
