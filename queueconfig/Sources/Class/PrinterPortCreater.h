// Makes the port of a print queue from its device URI's scheme.
#pragma once

#include "Class/PrinterPort.h"
#include "Platform/EventLoop.h"
#include "Platform/URL.h"

#include <memory>
#include <optional>
#include <string>

class PrinterPortCreater {
public:
    // None for a missing URI or a scheme that names no port; schemes compare
    // exactly, letter case included. A port is given also when it found no
    // printer (its queries then give no reply). DNS-SD ports browse on `loop`.
    std::unique_ptr<PrinterPort> CreatePort(const std::optional<URL>& uri,
                                            const std::string& queueName,
                                            const std::string& queueID, EventLoop& loop,
                                            SocketCalls& sockets = SocketCalls::System());
};
