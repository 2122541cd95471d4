// Avahi's poll interface on the tool's event loop: watches report what poll()
// saw, timeouts fire once at their wall-clock time, and either may be freed
// from its own callback.
#include "Platform/AvahiEventPoll.h"

#include <gtest/gtest.h>

#include <avahi-common/timeval.h>
#include <sys/time.h>
#include <unistd.h>

using namespace std::chrono_literals;

namespace {

struct Pipe {
    int fds[2] = {-1, -1};
    Pipe() { EXPECT_EQ(pipe(fds), 0); }
    ~Pipe() {
        close(fds[0]);
        close(fds[1]);
    }
};

struct WatchSeen {
    const AvahiPoll* api = nullptr;
    EventLoop* loop = nullptr;
    int calls = 0;
    AvahiWatchEvent event{};
    AvahiWatchEvent asked{};
    bool freeInCallback = false;
};

void onWatch(AvahiWatch* watch, int fd, AvahiWatchEvent event, void* userdata) {
    auto* seen = static_cast<WatchSeen*>(userdata);
    ++seen->calls;
    seen->event = event;
    seen->asked = seen->api->watch_get_events(watch);
    char byte;
    EXPECT_EQ(read(fd, &byte, 1), 1);
    if (seen->freeInCallback)
        seen->api->watch_free(watch);
    seen->loop->Quit();
}

TEST(AvahiEventPollTest, WatchReportsReadableDataAndCanBeFreedFromItsCallback) {
    EventLoop loop;
    AvahiEventPoll poll(loop);
    Pipe p;
    WatchSeen seen{poll.Get(), &loop};
    seen.freeInCallback = true;
    poll.Get()->watch_new(poll.Get(), p.fds[0], AVAHI_WATCH_IN, onWatch, &seen);
    loop.InstallTimer(2s, 0s, [](EventLoop& l, auto) { l.Quit(); }); // a bound, not a wait
    ASSERT_EQ(write(p.fds[1], "x", 1), 1);
    loop.Run();
    EXPECT_EQ(seen.calls, 1);
    EXPECT_EQ(seen.event, AVAHI_WATCH_IN);
    EXPECT_EQ(seen.asked, AVAHI_WATCH_IN);
    EXPECT_EQ(poll.WatchCount(), 0u);
    EXPECT_EQ(loop.WatchCount(), 0u);
}

TEST(AvahiEventPollTest, WatchUpdatedToNoEventsStaysQuiet) {
    EventLoop loop;
    AvahiEventPoll poll(loop);
    Pipe p;
    WatchSeen seen{poll.Get(), &loop};
    AvahiWatch* watch = poll.Get()->watch_new(poll.Get(), p.fds[0], AVAHI_WATCH_IN, onWatch, &seen);
    poll.Get()->watch_update(watch, static_cast<AvahiWatchEvent>(0));
    ASSERT_EQ(write(p.fds[1], "x", 1), 1);
    loop.InstallTimer(100ms, 0s, [](EventLoop& l, auto) { l.Quit(); });
    loop.Run();
    EXPECT_EQ(seen.calls, 0);
    poll.Get()->watch_free(watch);
    EXPECT_EQ(loop.WatchCount(), 0u);
}

struct TimeoutSeen {
    std::vector<int> fired;
};

struct TimeoutProbe {
    TimeoutSeen* seen;
    int id;
};

void onTimeout(AvahiTimeout*, void* userdata) {
    auto* probe = static_cast<TimeoutProbe*>(userdata);
    probe->seen->fired.push_back(probe->id);
}

timeval fromNow(AvahiUsec usec) {
    timeval tv;
    gettimeofday(&tv, nullptr);
    avahi_timeval_add(&tv, usec);
    return tv;
}

TEST(AvahiEventPollTest, TimeoutsFireOnceInTimeOrderAndNullDisables) {
    EventLoop loop;
    AvahiEventPoll poll(loop);
    const AvahiPoll* api = poll.Get();
    TimeoutSeen seen;
    TimeoutProbe late{&seen, 2}, early{&seen, 1}, past{&seen, 0}, disabled{&seen, 9},
        moved{&seen, 3};
    timeval t60 = fromNow(60000), t20 = fromNow(20000), before = fromNow(-5000000),
            t10 = fromNow(10000);
    api->timeout_new(api, &t60, onTimeout, &late);
    api->timeout_new(api, &t20, onTimeout, &early);
    api->timeout_new(api, &before, onTimeout, &past);
    api->timeout_new(api, nullptr, onTimeout, &disabled);
    AvahiTimeout* m = api->timeout_new(api, &t10, onTimeout, &moved);
    timeval t90 = fromNow(90000);
    api->timeout_update(m, &t90);
    loop.InstallTimer(300ms, 0s, [](EventLoop& l, auto) { l.Quit(); });
    loop.Run();
    EXPECT_EQ(seen.fired, (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(poll.TimeoutCount(), 5u) << "fired timeouts stay until Avahi frees them";
    EXPECT_EQ(loop.TimerCount(), 0u);
}

TEST(AvahiEventPollTest, LeftoversLeaveTheLoopWithThePoll) {
    EventLoop loop;
    Pipe p;
    {
        AvahiEventPoll poll(loop);
        WatchSeen seen{poll.Get(), &loop};
        TimeoutSeen tseen;
        TimeoutProbe probe{&tseen, 1};
        timeval soon = fromNow(1000000);
        poll.Get()->watch_new(poll.Get(), p.fds[0], AVAHI_WATCH_IN, onWatch, &seen);
        poll.Get()->timeout_new(poll.Get(), &soon, onTimeout, &probe);
        EXPECT_EQ(loop.WatchCount(), 1u);
        EXPECT_EQ(loop.TimerCount(), 1u);
    }
    EXPECT_EQ(loop.WatchCount(), 0u);
    EXPECT_EQ(loop.TimerCount(), 0u);
}

} // namespace
