// dnssd_bench [RUNS [DECOYS]]
//
// How long a DNS-SD queue's port takes to find its printer: from making the
// port (browsing starts) to its IPv4 address, in this process, on the tool's
// event loop, against a real avahi-daemon that announces the printer and
// DECOYS (8) other "_pdl-datastream._tcp" services. Prints the median, the
// minimum and the maximum of RUNS (21) ports, each made afresh (so each
// connects to the daemon anew), and how long the daemon took to start and the
// services to be announced. Runs in a network of its own (new network and
// mount namespaces, a user namespace when not root). Exits 0 when every port
// found its address, 1 otherwise, 2 on bad usage.
#include "AvahiPeer.h"
#include "Class/BonjourPort.h"
#include "PrivateNetwork.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

namespace {

double ms(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

// None when the address did not come within 10 s.
std::optional<Clock::duration> timeToAddress(const std::string& uri) {
    EventLoop loop;
    const auto start = Clock::now();
    BonjourPort port("Queue", "ID", uri, loop);
    std::optional<Clock::duration> took;
    loop.InstallTimer(0ms, 1ms, [&](EventLoop& l, auto) {
        if (port.GetIPv4Address()) {
            took = Clock::now() - start;
            l.Quit();
        }
    });
    loop.InstallTimer(10s, 0s, [](EventLoop& l, auto) { l.Quit(); });
    loop.Run();
    return took;
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 3) {
        std::fprintf(stderr, "usage: dnssd_bench [RUNS [DECOYS]]\n");
        return 2;
    }
    const int runs = argc > 1 ? std::atoi(argv[1]) : 21;
    const int decoys = argc > 2 ? std::atoi(argv[2]) : 8;
    if (runs < 1 || decoys < 0) {
        std::fprintf(stderr, "usage: dnssd_bench [RUNS [DECOYS]]\n");
        return 2;
    }
    TempDir runFolder;
    std::string whyNot;
    if (!EnterPrivateNetwork(runFolder.Path(), &whyNot)) {
        std::fprintf(stderr, "dnssd_bench: %s\n", whyNot.c_str());
        return 1;
    }
    auto started = Clock::now();
    auto peer = AvahiPeer::Start(&whyNot);
    if (!peer) {
        std::fprintf(stderr, "dnssd_bench: %s\n", whyNot.c_str());
        return 1;
    }
    setenv("DBUS_SYSTEM_BUS_ADDRESS", peer->BusAddress().c_str(), 1);
    std::printf("daemon start          %8.1f ms\n", ms(Clock::now() - started));
    started = Clock::now();
    for (int i = 0; i < decoys; ++i)
        if (!peer->Publish("Decoy " + std::to_string(i), "decoys.local", "127.0.0.30", &whyNot)) {
            std::fprintf(stderr, "dnssd_bench: %s\n", whyNot.c_str());
            return 1;
        }
    if (!peer->Publish("VelmarkBench", "bench-printer.local", "127.0.0.31", &whyNot)) {
        std::fprintf(stderr, "dnssd_bench: %s\n", whyNot.c_str());
        return 1;
    }
    std::printf("announcing %2d services %8.1f ms\n", decoys + 1, ms(Clock::now() - started));

    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const auto took = timeToAddress("dnssd://VelmarkBench._pdl-datastream._tcp.local./");
        if (!took) {
            std::fprintf(stderr, "dnssd_bench: run %d found no address\n", i + 1);
            return 1;
        }
        times.push_back(ms(*took));
    }
    std::sort(times.begin(), times.end());
    std::printf("port to address       %8.1f ms median, %.1f min, %.1f max (%d runs)\n",
                times[times.size() / 2], times.front(), times.back(), runs);
    return 0;
}
