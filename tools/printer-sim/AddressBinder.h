// Claims one loopback address for a simulated printer: UDP 161 and TCP 9100.
#pragma once

#include "LoopbackAddress.h"
#include "Outcome.h"
#include "UniqueFd.h"

#include <cstdint>

inline constexpr int kSnmpPort = 161;
inline constexpr int kPrintPort = 9100;

struct PrinterSockets {
    std::uint32_t address = 0;
    UniqueFd udp;
    UniqueFd tcp; // bound; listening unless the printer refuses connections
    bool listening = false;
};

// Tries the addresses of `range` in order and takes the first where both binds
// succeed. The UDP bind goes first and is exclusive (no SO_REUSEADDR), so
// simulators started side by side never share an address, even when their TCP
// sockets do not listen. Only "address in use" moves on to the next address.
Outcome<PrinterSockets> BindFirstFree(AddressRange range, bool listen);
