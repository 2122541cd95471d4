// A main-thread event loop: periodic and one-shot timers plus file-descriptor
// watches, all driven by one poll(). Nothing here starts a thread.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <poll.h>

class EventLoop {
public:
    using Clock = std::chrono::steady_clock;
    using Duration = std::chrono::nanoseconds;
    using TimerId = std::uint64_t;
    using WatchId = std::uint64_t;
    using TimerCallback = std::function<void(EventLoop&, TimerId)>;
    // Given the poll() events that occurred (POLLIN, POLLOUT, POLLERR, POLLHUP).
    using WatchCallback = std::function<void(EventLoop&, WatchId, short revents)>;

    EventLoop() = default;
    EventLoop(const EventLoop&) = delete;
    EventLoop& operator=(const EventLoop&) = delete;

    // First fires `delay` from now, then every `interval`; an interval of zero
    // makes a one-shot timer that is removed once it has fired.
    TimerId InstallTimer(Duration delay, Duration interval, TimerCallback callback);
    // Moves a timer's next firing to `delay` from now (keeping its interval).
    bool RescheduleTimer(TimerId id, Duration delay);
    bool RemoveTimer(TimerId id);

    WatchId InstallWatch(int fd, short events, WatchCallback callback);
    bool UpdateWatch(WatchId id, short events);
    bool RemoveWatch(WatchId id);

    // Runs until Quit() is called from a callback. Returns 0, or -1 when
    // poll() failed for a reason other than an interrupted call.
    int Run();
    void Quit() { m_QuitRequested = true; }

    std::size_t TimerCount() const { return m_Timers.size(); }
    std::size_t WatchCount() const { return m_Watches.size(); }

private:
    struct Timer {
        Clock::time_point due;
        Duration interval;
        TimerCallback callback;
    };
    struct Watch {
        int fd;
        short events;
        WatchCallback callback;
    };

    const Timer* nextDueTimer() const;
    int pollTimeoutMs(Clock::time_point now) const;
    void fireDueTimers();
    bool dispatchWatches(int timeoutMs);

    // Ids grow with each installation, so walking the map in key order breaks
    // ties between equal due times by installation order.
    std::map<TimerId, Timer> m_Timers;
    std::map<WatchId, Watch> m_Watches;
    std::uint64_t m_NextId = 1;
    bool m_QuitRequested = false;
};
