#include "SimServer.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// UDP carries at most this much in one datagram.
constexpr std::size_t kMaxDatagram = 65536;

// Where each descriptor stands in the poll set.
constexpr std::size_t kSignals = 0;
constexpr std::size_t kLifeline = 1;
constexpr std::size_t kSnmp = 2;
constexpr std::size_t kListener = 3;
constexpr std::size_t kFirstConnection = 4;

} // namespace

SimServer::SimServer(const PrinterDescription& printer, PrinterSockets sockets,
                     const RequestLog& log)
    : m_Printer(printer), m_Sockets(std::move(sockets)), m_Log(log), m_Snmp(printer) {}

int SimServer::Run(int signals, int lifeline) {
    for (;;) {
        auto fds = PollSet(signals, lifeline, Clock::now());
        if (poll(fds.data(), fds.size(), PollTimeout(Clock::now())) < 0) {
            if (errno == EINTR)
                continue;
            std::fprintf(stderr, "printer-sim: poll failed: %s\n", std::strerror(errno));
            return 2;
        }
        if (fds[kSignals].revents)
            return 0;
        if (fds[kLifeline].revents && LifelineEnded(lifeline))
            return 0;
        Dispatch(fds, Clock::now());
    }
}

// Whatever the starter writes is of no interest; only its going away counts.
bool SimServer::LifelineEnded(int lifeline) {
    char buffer[64];
    const ssize_t got = read(lifeline, buffer, sizeof buffer);
    return got == 0 || (got < 0 && errno != EAGAIN && errno != EINTR);
}

std::vector<pollfd> SimServer::PollSet(int signals, int lifeline, Clock::time_point now) const {
    // A refusing printer's socket never listens, so it is left out (fd -1).
    std::vector<pollfd> fds{{signals, POLLIN, 0},
                            {lifeline, POLLIN, 0},
                            {m_Sockets.udp.Get(), POLLIN, 0},
                            {m_Sockets.listening ? m_Sockets.tcp.Get() : -1, POLLIN, 0}};
    for (const auto& connection : m_Connections)
        fds.push_back({connection->Fd(), connection->WantedEvents(now), 0});
    return fds;
}

void SimServer::Dispatch(const std::vector<pollfd>& fds, Clock::time_point now) {
    if (fds[kSnmp].revents)
        ServeDatagram();
    for (std::size_t i = 0; i < m_Connections.size(); ++i) {
        m_Connections[i]->OnEvents(fds[kFirstConnection + i].revents, now);
        m_Connections[i]->OnTime(now);
    }
    std::erase_if(m_Connections, [](const auto& c) { return c->IsClosed(); });
    // Accepted last, so the poll set's order still matched m_Connections above.
    if (fds[kListener].revents)
        AcceptConnections(now);
}

int SimServer::PollTimeout(Clock::time_point now) const {
    std::optional<Clock::time_point> soonest;
    for (const auto& connection : m_Connections)
        if (const auto deadline = connection->NextDeadline();
            deadline && (!soonest || *deadline < *soonest))
            soonest = deadline;
    if (!soonest)
        return -1;
    if (*soonest <= now)
        return 0;
    // Round up, so the loop never wakes just before a deadline and spins.
    const auto wait = std::chrono::ceil<std::chrono::milliseconds>(*soonest - now);
    return static_cast<int>(std::min<std::chrono::milliseconds::rep>(wait.count(), 60'000));
}

void SimServer::ServeDatagram() {
    std::string datagram(kMaxDatagram, '\0');
    sockaddr_in from{};
    socklen_t fromLength = sizeof from;
    const ssize_t got = recvfrom(m_Sockets.udp.Get(), datagram.data(), datagram.size(), 0,
                                 reinterpret_cast<sockaddr*>(&from), &fromLength);
    if (got < 0) {
        if (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR)
            std::fprintf(stderr, "printer-sim: SNMP receive failed: %s\n", std::strerror(errno));
        return;
    }
    datagram.resize(static_cast<std::size_t>(got));
    const auto exchange = m_Snmp.Respond(datagram);
    for (const auto& line : exchange.logLines)
        m_Log.Write(line);
    if (!exchange.response)
        return;
    if (sendto(m_Sockets.udp.Get(), exchange.response->data(), exchange.response->size(),
               MSG_NOSIGNAL, reinterpret_cast<const sockaddr*>(&from), fromLength) < 0)
        std::fprintf(stderr, "printer-sim: SNMP send failed: %s\n", std::strerror(errno));
}

void SimServer::AcceptConnections(Clock::time_point now) {
    for (;;) {
        UniqueFd socket(
            accept4(m_Sockets.tcp.Get(), nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC));
        if (socket.Valid()) {
            m_Connections.push_back(
                std::make_unique<TcpConnection>(std::move(socket), m_Printer, m_Log, now));
            continue;
        }
        if (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR && errno != ECONNABORTED)
            std::fprintf(stderr, "printer-sim: accept failed: %s\n", std::strerror(errno));
        return;
    }
}
