// printer-sim: one simulated network printer on one loopback address, for the
// tests and the demo. See CommandLine.h for the arguments and
// PrinterDescription.h for what a description file sets.
#include "AddressBinder.h"
#include "CommandLine.h"
#include "PrinterDescription.h"
#include "RequestLog.h"
#include "SimServer.h"
#include "TerminationSignals.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>

namespace {

constexpr int kFatal = 2;

int Fatal(const std::string& why) {
    std::fprintf(stderr, "printer-sim: %s\n", why.c_str());
    return kFatal;
}

Outcome<PrinterDescription> LoadDescription(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return Outcome<PrinterDescription>::Fail("cannot read " + path + ": " +
                                                 std::strerror(errno));
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad())
        return Outcome<PrinterDescription>::Fail("cannot read " + path);
    return ParsePrinterDescription(text, path);
}

// The one line on stdout: whoever started the simulator waits for it.
bool AnnounceReady(std::uint32_t address) {
    const std::string line = "ready " + FormatAddress(address) + "\n";
    return std::fputs(line.c_str(), stdout) >= 0 && std::fflush(stdout) == 0;
}

} // namespace

int main(int argc, char** argv) {
    // A client that goes away must not take the simulator with it.
    std::signal(SIGPIPE, SIG_IGN);
    auto signals = WatchTerminationSignals();
    if (!signals)
        return Fatal(signals.error);
    const auto options = ParseCommandLine(std::vector<std::string_view>(argv + 1, argv + argc));
    if (!options)
        return Fatal(options.error + "; " + std::string(kUsage));
    const auto printer = LoadDescription(options.value->descriptionPath);
    if (!printer)
        return Fatal(printer.error);
    RequestLog log;
    std::string why;
    if (!options.value->logPath.empty() && !log.Open(options.value->logPath, &why))
        return Fatal(why);
    auto sockets = BindFirstFree(options.value->addresses,
                                 printer.value->tcpBehaviour != TcpBehaviour::Refuse);
    if (!sockets)
        return Fatal(sockets.error);
    const auto address = sockets.value->address;
    SimServer server(*printer.value, std::move(*sockets.value), log);
    if (!AnnounceReady(address))
        return Fatal("cannot write the ready line");
    return server.Run(signals.value->Get(), options.value->lifelineFd);
}
