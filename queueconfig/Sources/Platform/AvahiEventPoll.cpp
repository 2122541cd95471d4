#include "Platform/AvahiEventPoll.h"

#include <avahi-common/timeval.h>
#include <optional>
#include <poll.h>

// Avahi's event bits are poll()'s, so they pass through unchanged.
static_assert(AVAHI_WATCH_IN == POLLIN && AVAHI_WATCH_OUT == POLLOUT &&
              AVAHI_WATCH_ERR == POLLERR && AVAHI_WATCH_HUP == POLLHUP);

struct AvahiWatch {
    AvahiEventPoll* owner;
    EventLoop::WatchId id;
    AvahiWatchCallback callback;
    void* userdata;
    // What poll() reported for the callback that is running, as Avahi asks it.
    AvahiWatchEvent happened;
};

struct AvahiTimeout {
    AvahiEventPoll* owner;
    std::optional<EventLoop::TimerId> id; // none while disabled
    AvahiTimeoutCallback callback;
    void* userdata;
};

AvahiEventPoll::AvahiEventPoll(EventLoop& loop) : m_Loop(loop) {
    m_Poll.userdata = this;
    m_Poll.watch_new = watchNew;
    m_Poll.watch_update = watchUpdate;
    m_Poll.watch_get_events = watchGetEvents;
    m_Poll.watch_free = watchFree;
    m_Poll.timeout_new = timeoutNew;
    m_Poll.timeout_update = timeoutUpdate;
    m_Poll.timeout_free = timeoutFree;
}

AvahiEventPoll::~AvahiEventPoll() {
    for (AvahiWatch* watch : m_Watches) {
        m_Loop.RemoveWatch(watch->id);
        delete watch;
    }
    for (AvahiTimeout* timeout : m_Timeouts) {
        if (timeout->id)
            m_Loop.RemoveTimer(*timeout->id);
        delete timeout;
    }
}

AvahiWatch* AvahiEventPoll::watchNew(const AvahiPoll* api, int fd, AvahiWatchEvent events,
                                     AvahiWatchCallback callback, void* userdata) {
    auto* self = static_cast<AvahiEventPoll*>(api->userdata);
    auto* watch = new AvahiWatch{self, 0, callback, userdata, static_cast<AvahiWatchEvent>(0)};
    // The callback may free the watch: nothing of it is touched afterwards.
    watch->id = self->m_Loop.InstallWatch(
        fd, static_cast<short>(events), [watch, fd](EventLoop&, EventLoop::WatchId, short revents) {
            watch->happened = static_cast<AvahiWatchEvent>(revents);
            watch->callback(watch, fd, watch->happened, watch->userdata);
        });
    self->m_Watches.insert(watch);
    return watch;
}

void AvahiEventPoll::watchUpdate(AvahiWatch* watch, AvahiWatchEvent events) {
    watch->owner->m_Loop.UpdateWatch(watch->id, static_cast<short>(events));
}

AvahiWatchEvent AvahiEventPoll::watchGetEvents(AvahiWatch* watch) {
    return watch->happened;
}

void AvahiEventPoll::watchFree(AvahiWatch* watch) {
    watch->owner->m_Loop.RemoveWatch(watch->id);
    watch->owner->m_Watches.erase(watch);
    delete watch;
}

AvahiTimeout* AvahiEventPoll::timeoutNew(const AvahiPoll* api, const struct timeval* tv,
                                         AvahiTimeoutCallback callback, void* userdata) {
    auto* self = static_cast<AvahiEventPoll*>(api->userdata);
    auto* timeout = new AvahiTimeout{self, std::nullopt, callback, userdata};
    self->m_Timeouts.insert(timeout);
    self->arm(timeout, tv);
    return timeout;
}

void AvahiEventPoll::timeoutUpdate(AvahiTimeout* timeout, const struct timeval* tv) {
    timeout->owner->arm(timeout, tv);
}

void AvahiEventPoll::timeoutFree(AvahiTimeout* timeout) {
    if (timeout->id)
        timeout->owner->m_Loop.RemoveTimer(*timeout->id);
    timeout->owner->m_Timeouts.erase(timeout);
    delete timeout;
}

// A null time disables the timeout; otherwise it fires once at that moment of
// the wall clock (Avahi's times are gettimeofday() times), or at once when the
// moment has passed. It stays disabled after firing until it is updated.
void AvahiEventPoll::arm(AvahiTimeout* timeout, const struct timeval* tv) {
    if (timeout->id) {
        m_Loop.RemoveTimer(*timeout->id);
        timeout->id.reset();
    }
    if (!tv)
        return;
    const AvahiUsec late = avahi_age(tv);
    const auto delay = std::chrono::microseconds(late < 0 ? -late : 0);
    timeout->id = m_Loop.InstallTimer(delay, EventLoop::Duration::zero(),
                                      [timeout](EventLoop&, EventLoop::TimerId) {
                                          timeout->id.reset();
                                          timeout->callback(timeout, timeout->userdata);
                                      });
}
