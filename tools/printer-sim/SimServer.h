// The simulator's single poll() loop over the termination signals, the SNMP
// socket, the print port and every accepted connection.
#pragma once

#include "AddressBinder.h"
#include "PrinterDescription.h"
#include "RequestLog.h"
#include "SnmpResponder.h"
#include "TcpConnection.h"

#include <memory>
#include <poll.h>
#include <vector>

class SimServer {
public:
    SimServer(const PrinterDescription& printer, PrinterSockets sockets, const RequestLog& log);
    // Serves until `signals` becomes readable or `lifeline` (none when -1)
    // reaches end of file; the exit status (0, or 2 when the loop itself fails).
    int Run(int signals, int lifeline);

private:
    using Clock = TcpConnection::Clock;

    std::vector<pollfd> PollSet(int signals, int lifeline, Clock::time_point now) const;
    static bool LifelineEnded(int lifeline);
    void Dispatch(const std::vector<pollfd>& fds, Clock::time_point now);
    int PollTimeout(Clock::time_point now) const;
    void ServeDatagram();
    void AcceptConnections(Clock::time_point now);

    const PrinterDescription& m_Printer;
    PrinterSockets m_Sockets;
    const RequestLog& m_Log;
    SnmpResponder m_Snmp;
    std::vector<std::unique_ptr<TcpConnection>> m_Connections;
};
