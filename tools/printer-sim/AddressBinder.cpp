#include "AddressBinder.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <netinet/in.h>
#include <sys/socket.h>

namespace {

struct Attempt {
    UniqueFd socket;
    int error = 0;
};

sockaddr_in SocketAddress(std::uint32_t address, int port) {
    sockaddr_in where{};
    where.sin_family = AF_INET;
    where.sin_port = htons(static_cast<std::uint16_t>(port));
    where.sin_addr.s_addr = htonl(address);
    return where;
}

Attempt BoundSocket(int type, std::uint32_t address, int port, bool reuse) {
    UniqueFd socket(::socket(AF_INET, type | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
    if (!socket.Valid())
        return {UniqueFd(), errno};
    const int on = 1;
    if (reuse && setsockopt(socket.Get(), SOL_SOCKET, SO_REUSEADDR, &on, sizeof on) != 0)
        return {UniqueFd(), errno};
    const auto where = SocketAddress(address, port);
    if (bind(socket.Get(), reinterpret_cast<const sockaddr*>(&where), sizeof where) != 0)
        return {UniqueFd(), errno};
    return {std::move(socket), 0};
}

std::string BindError(std::uint32_t address, int port, int error) {
    return "cannot bind " + FormatAddress(address) + ":" + std::to_string(port) + ": " +
           std::strerror(error);
}

// Both sockets on `address`. An empty reason means the address is in use and
// the next one may be tried; any other reason ends the search.
Outcome<PrinterSockets> TryAddress(std::uint32_t address, bool listen) {
    auto udp = BoundSocket(SOCK_DGRAM, address, kSnmpPort, false);
    if (udp.error == EADDRINUSE)
        return Outcome<PrinterSockets>::Fail({});
    if (udp.error != 0)
        return Outcome<PrinterSockets>::Fail(BindError(address, kSnmpPort, udp.error));
    auto tcp = BoundSocket(SOCK_STREAM, address, kPrintPort, true);
    if (tcp.error == 0 && listen && ::listen(tcp.socket.Get(), SOMAXCONN) != 0)
        tcp = {UniqueFd(), errno};
    if (tcp.error == EADDRINUSE)
        return Outcome<PrinterSockets>::Fail({});
    if (tcp.error != 0)
        return Outcome<PrinterSockets>::Fail(BindError(address, kPrintPort, tcp.error));
    return Outcome<PrinterSockets>::Ok(
        {address, std::move(udp.socket), std::move(tcp.socket), listen});
}

} // namespace

Outcome<PrinterSockets> BindFirstFree(AddressRange range, bool listen) {
    for (std::uint64_t address = range.first; address <= range.last; ++address) {
        auto sockets = TryAddress(static_cast<std::uint32_t>(address), listen);
        if (sockets || !sockets.error.empty())
            return sockets;
    }
    return Outcome<PrinterSockets>::Fail("no free address in " + FormatAddress(range.first) + "-" +
                                         FormatAddress(range.last));
}
