// One accepted connection on the print port: gathers a request until it is
// whole, answers it as the description says, and paces or cuts the reply when
// the printer is meant to misbehave. The connection stays open after a reply,
// as a real printer's does; the client decides when it ends.
#pragma once

#include "PrinterDescription.h"
#include "RequestLog.h"
#include "UniqueFd.h"

#include <chrono>
#include <optional>
#include <string>
#include <sys/types.h>

class TcpConnection {
public:
    using Clock = std::chrono::steady_clock;

    TcpConnection(UniqueFd socket, const PrinterDescription& printer, const RequestLog& log,
                  Clock::time_point now);

    int Fd() const { return m_Socket.Get(); }
    bool IsClosed() const { return !m_Socket.Valid(); }
    short WantedEvents(Clock::time_point now) const;
    // When OnTime has something to do next: a quiet request ending, a slow byte.
    std::optional<Clock::time_point> NextDeadline() const;
    void OnEvents(short revents, Clock::time_point now);
    void OnTime(Clock::time_point now);

private:
    void Receive(Clock::time_point now);
    void FinishRequest(Clock::time_point now);
    void Send(Clock::time_point now);
    // True when a recv/send `result` moved nothing; a real error also closes.
    bool Failed(ssize_t result, const char* call);
    void CloseWhenDone();
    bool HasOutput() const { return m_Sent < m_Output.size(); }
    bool Slow() const { return m_Printer.tcpBehaviour == TcpBehaviour::Slow; }

    UniqueFd m_Socket;
    const PrinterDescription& m_Printer;
    const RequestLog& m_Log;
    std::string m_Received;
    Clock::time_point m_LastByteAt;
    std::string m_Output;
    std::size_t m_Sent = 0;
    Clock::time_point m_NextByteAt; // slow printers only
    bool m_PeerDone = false;        // the client sent its end
    bool m_CloseAfterOutput = false;
};
