#include "EventLoop.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <poll.h>
#include <vector>

EventLoop::TimerId EventLoop::InstallTimer(Duration delay, Duration interval,
                                           TimerCallback callback) {
    const TimerId id = m_NextId++;
    if (delay < Duration::zero())
        delay = Duration::zero();
    if (interval < Duration::zero())
        interval = Duration::zero();
    m_Timers.emplace(id, Timer{Clock::now() + delay, interval, std::move(callback)});
    return id;
}

bool EventLoop::RescheduleTimer(TimerId id, Duration delay) {
    auto it = m_Timers.find(id);
    if (it == m_Timers.end())
        return false;
    it->second.due = Clock::now() + (delay < Duration::zero() ? Duration::zero() : delay);
    return true;
}

bool EventLoop::RemoveTimer(TimerId id) {
    return m_Timers.erase(id) != 0;
}

EventLoop::WatchId EventLoop::InstallWatch(int fd, short events, WatchCallback callback) {
    const WatchId id = m_NextId++;
    m_Watches.emplace(id, Watch{fd, events, std::move(callback)});
    return id;
}

bool EventLoop::UpdateWatch(WatchId id, short events) {
    auto it = m_Watches.find(id);
    if (it == m_Watches.end())
        return false;
    it->second.events = events;
    return true;
}

bool EventLoop::RemoveWatch(WatchId id) {
    return m_Watches.erase(id) != 0;
}

const EventLoop::Timer* EventLoop::nextDueTimer() const {
    const Timer* best = nullptr;
    for (const auto& entry : m_Timers)
        if (!best || entry.second.due < best->due)
            best = &entry.second;
    return best;
}

int EventLoop::pollTimeoutMs(Clock::time_point now) const {
    const Timer* next = nextDueTimer();
    if (!next)
        return -1; // only watches can wake the loop
    const auto due = next->due;
    if (due <= now)
        return 0;
    // Round up so that poll() never returns just before the timer is due.
    const auto ms = std::chrono::ceil<std::chrono::milliseconds>(due - now).count();
    return ms > INT_MAX ? INT_MAX : static_cast<int>(ms);
}

// Fires every timer that is due now, earliest first. A periodic timer that fell
// behind (the loop was blocked in a callback) fires once and then keeps to its
// schedule, skipping the intervals it missed rather than firing in a burst.
void EventLoop::fireDueTimers() {
    const auto now = Clock::now();
    std::vector<TimerId> due;
    for (const auto& [id, timer] : m_Timers)
        if (timer.due <= now)
            due.push_back(id);
    std::stable_sort(due.begin(), due.end(), [this](TimerId a, TimerId b) {
        return m_Timers.at(a).due < m_Timers.at(b).due;
    });
    for (TimerId id : due) {
        if (m_QuitRequested)
            return;
        auto it = m_Timers.find(id); // an earlier callback may have removed it
        if (it == m_Timers.end())
            continue;
        TimerCallback callback = it->second.callback;
        if (it->second.interval == Duration::zero()) {
            m_Timers.erase(it);
        } else {
            Timer& timer = it->second;
            const auto late = Clock::now() - timer.due;
            const auto missed = late / timer.interval;
            timer.due += timer.interval * (missed + 1);
        }
        callback(*this, id);
    }
}

bool EventLoop::dispatchWatches(int timeoutMs) {
    std::vector<pollfd> fds;
    std::vector<WatchId> ids;
    for (const auto& [id, watch] : m_Watches) {
        fds.push_back(pollfd{watch.fd, watch.events, 0});
        ids.push_back(id);
    }
    const int n = ::poll(fds.data(), fds.size(), timeoutMs);
    if (n < 0)
        return errno == EINTR;
    for (std::size_t i = 0; i < fds.size() && !m_QuitRequested; ++i) {
        if (fds[i].revents == 0)
            continue;
        auto it = m_Watches.find(ids[i]); // removed by an earlier callback?
        if (it == m_Watches.end())
            continue;
        WatchCallback callback = it->second.callback;
        callback(*this, ids[i], fds[i].revents);
    }
    return true;
}

int EventLoop::Run() {
    m_QuitRequested = false;
    while (!m_QuitRequested) {
        if (m_Timers.empty() && m_Watches.empty())
            return 0; // nothing could ever wake the loop again
        if (!dispatchWatches(pollTimeoutMs(Clock::now())))
            return -1;
        if (!m_QuitRequested)
            fireDueTimers();
    }
    return 0;
}
