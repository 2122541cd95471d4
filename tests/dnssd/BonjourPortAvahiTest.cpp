// The DNS-SD port on the tool's event loop against a real Avahi daemon: the
// address comes while the loop runs, stays when the service goes, and never
// comes for a service that has no IPv4 address.
#include <gtest/gtest.h>

#include "Class/BonjourPort.h"
#include "DnssdPeer.h"

#include <fcntl.h>
#include <unistd.h>

using namespace std::chrono_literals;

namespace {

// Standard error, diverted into a pipe that the event loop watches, so a test
// can run the loop until a diagnostic line appears.
class StderrPipe {
public:
    StderrPipe() {
        std::fflush(stderr);
        EXPECT_EQ(pipe2(m_Fds, O_CLOEXEC | O_NONBLOCK), 0);
        m_Saved = dup(STDERR_FILENO);
        dup2(m_Fds[1], STDERR_FILENO);
    }
    ~StderrPipe() {
        std::fflush(stderr);
        dup2(m_Saved, STDERR_FILENO);
        close(m_Saved);
        close(m_Fds[0]);
        close(m_Fds[1]);
    }
    // Runs `loop` until the text written so far holds `wanted`, at most `bound`.
    const std::string& RunUntil(EventLoop& loop, const std::string& wanted,
                                std::chrono::milliseconds bound) {
        const auto watch = loop.InstallWatch(m_Fds[0], POLLIN, [&](EventLoop& l, auto, short) {
            char buffer[512];
            for (ssize_t n; (n = read(m_Fds[0], buffer, sizeof buffer)) > 0;)
                m_Text.append(buffer, static_cast<std::size_t>(n));
            if (m_Text.find(wanted) != std::string::npos)
                l.Quit();
        });
        const auto limit = loop.InstallTimer(bound, 0s, [](EventLoop& l, auto) { l.Quit(); });
        loop.Run();
        loop.RemoveWatch(watch);
        loop.RemoveTimer(limit);
        return m_Text;
    }

private:
    int m_Fds[2] = {-1, -1};
    int m_Saved = -1;
    std::string m_Text;
};

// Runs `loop` until the port has an address, at most `bound`.
void runUntilAddressed(EventLoop& loop, BonjourPort& port, std::chrono::milliseconds bound) {
    const auto check = loop.InstallTimer(10ms, 10ms, [&port](EventLoop& l, auto) {
        if (port.GetIPv4Address())
            l.Quit();
    });
    const auto limit = loop.InstallTimer(bound, 0s, [](EventLoop& l, auto) { l.Quit(); });
    loop.Run();
    loop.RemoveTimer(check);
    loop.RemoveTimer(limit);
}

TEST(BonjourPortAvahiTest, TheAddressComesWhileTheLoopRunsAndStaysWhenTheServiceGoes) {
    std::string whyNot;
    ASSERT_TRUE(DnssdPeer().Publish("VelmarkLoop", "loop-printer.local", "127.0.0.21", &whyNot))
        << whyNot;
    EventLoop loop;
    StderrPipe err;
    BonjourPort port("Queue", "ID", "dnssd://VelmarkLoop._pdl-datastream._tcp.local./", loop);
    EXPECT_EQ(port.GetIPv4Address(), std::nullopt) << "nothing is resolved before the loop runs";

    const auto start = std::chrono::steady_clock::now();
    runUntilAddressed(loop, port, 5s);
    EXPECT_EQ(port.GetIPv4Address(), "127.0.0.21");
    EXPECT_LT(std::chrono::steady_clock::now() - start, 2s);

    DnssdPeer().Withdraw("VelmarkLoop");
    EXPECT_EQ(err.RunUntil(loop, "\n", 5s), "MyBrowseCallBack returned (domain = 0, flags = 8)\n");
    EXPECT_EQ(port.GetIPv4Address(), "127.0.0.21");
}

TEST(BonjourPortAvahiTest, AServiceOnAHostWithOnlyAnIPv6AddressGivesNoAddressWithinFiveSeconds) {
    std::string whyNot;
    ASSERT_TRUE(DnssdPeer().Publish("VelmarkSix", "six-printer.local", "::1", &whyNot)) << whyNot;
    EventLoop loop;
    StderrPipe err;
    BonjourPort port("Queue", "ID", "dnssd://VelmarkSix._pdl-datastream._tcp.local./", loop);

    int ticks = 0;
    loop.InstallTimer(100ms, 100ms, [&ticks](EventLoop&, auto) { ++ticks; });
    const auto start = std::chrono::steady_clock::now();
    // AVAHI_ERR_TIMEOUT: the resolution gave up.
    EXPECT_EQ(err.RunUntil(loop, "\n", 8s),
              "MyBrowseCallBack returned (domain = 10, error = -15)\n");
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_LT(took, 5500ms);
    EXPECT_GE(ticks, took / 100ms - 2) << "the loop's timers kept firing meanwhile";
    EXPECT_EQ(port.GetIPv4Address(), std::nullopt);
}

} // namespace
