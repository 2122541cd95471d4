#include "TcpConnection.h"

#include "CEscapes.h"
#include "QueryResponder.h"
#include "ReplyDelivery.h"
#include "RequestFraming.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <poll.h>
#include <sys/socket.h>

namespace {

// A client that sends more than this without ending its request is cut off.
constexpr std::size_t kMaxRequestBytes = 1 << 20;

bool Transient(int error) {
    return error == EAGAIN || error == EWOULDBLOCK || error == EINTR;
}

// A client may go away at any moment; that ends the connection but is no fault.
bool ClientGone(int error) {
    return error == ECONNRESET || error == EPIPE;
}

} // namespace

TcpConnection::TcpConnection(UniqueFd socket, const PrinterDescription& printer,
                             const RequestLog& log, Clock::time_point now)
    : m_Socket(std::move(socket)), m_Printer(printer), m_Log(log), m_LastByteAt(now),
      m_NextByteAt(now) {}

short TcpConnection::WantedEvents(Clock::time_point now) const {
    short events = m_PeerDone ? 0 : POLLIN;
    if (HasOutput() && (!Slow() || now >= m_NextByteAt))
        events |= POLLOUT;
    return events;
}

std::optional<TcpConnection::Clock::time_point> TcpConnection::NextDeadline() const {
    std::optional<Clock::time_point> deadline;
    if (!m_Received.empty())
        deadline = m_LastByteAt + kQuietEndsRequest;
    if (HasOutput() && Slow() && (!deadline || m_NextByteAt < *deadline))
        deadline = m_NextByteAt;
    return deadline;
}

void TcpConnection::OnEvents(short revents, Clock::time_point now) {
    if (!m_PeerDone && (revents & (POLLIN | POLLHUP | POLLERR)))
        Receive(now);
    else if (revents & (POLLHUP | POLLERR))
        m_Socket.Reset();
    if (!IsClosed() && (revents & POLLOUT))
        Send(now);
}

void TcpConnection::OnTime(Clock::time_point now) {
    if (IsClosed())
        return;
    if (!m_Received.empty() && now >= m_LastByteAt + kQuietEndsRequest)
        FinishRequest(now);
    if (!IsClosed() && HasOutput() && Slow() && now >= m_NextByteAt)
        Send(now);
}

void TcpConnection::Receive(Clock::time_point now) {
    char buffer[65536];
    const ssize_t got = recv(m_Socket.Get(), buffer, sizeof buffer, 0);
    if (Failed(got, "receive"))
        return;
    if (got == 0) {
        m_PeerDone = true;
        if (!m_Received.empty())
            FinishRequest(now);
        CloseWhenDone();
        return;
    }
    m_Received.append(buffer, static_cast<std::size_t>(got));
    m_LastByteAt = now;
    if (m_Received.size() > kMaxRequestBytes) {
        std::fprintf(stderr, "printer-sim: request over %zu bytes, connection closed\n",
                     kMaxRequestBytes);
        m_Socket.Reset();
    } else if (IsCompleteRequest(m_Received)) {
        FinishRequest(now);
    }
}

void TcpConnection::FinishRequest(Clock::time_point now) {
    m_Log.Write("tcp " + EscapeForLog(m_Received));
    auto delivery = PlanDelivery(AnswerRequest(m_Received, m_Printer), m_Printer);
    m_Received.clear();
    if (m_CloseAfterOutput)
        return; // the reply being cut short is the last this client gets
    m_Output += delivery.bytes;
    m_CloseAfterOutput = delivery.closeAfter;
    if (!Slow() || now >= m_NextByteAt)
        Send(now);
    CloseWhenDone();
}

void TcpConnection::Send(Clock::time_point now) {
    if (!HasOutput())
        return;
    const std::size_t count = Slow() ? 1 : m_Output.size() - m_Sent;
    const ssize_t sent = send(m_Socket.Get(), m_Output.data() + m_Sent, count, MSG_NOSIGNAL);
    if (Failed(sent, "send"))
        return;
    m_Sent += static_cast<std::size_t>(sent);
    if (Slow())
        m_NextByteAt = now + m_Printer.slowInterval;
    if (!HasOutput()) {
        m_Output.clear();
        m_Sent = 0;
    }
    CloseWhenDone();
}

bool TcpConnection::Failed(ssize_t result, const char* call) {
    if (result >= 0)
        return false;
    if (Transient(errno))
        return true;
    if (!ClientGone(errno))
        std::fprintf(stderr, "printer-sim: %s failed: %s\n", call, std::strerror(errno));
    m_Socket.Reset();
    return true;
}

void TcpConnection::CloseWhenDone() {
    if (!IsClosed() && !HasOutput() && (m_PeerDone || m_CloseAfterOutput))
        m_Socket.Reset();
}
