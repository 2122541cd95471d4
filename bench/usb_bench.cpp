// usb_bench [RUNS [DECOYS]]
//
// How long one query of a USB queue takes in the tool's own code and libusb:
// the port walks the bus afresh for every query, reads the identity of each
// printer interface until it finds the queue's, claims it, writes the PJL
// request and reads the reply. The printers are faked in an umockdev testbed
// (tests/usb), so the figures leave out the printer's own time and the USB
// wire and show what the tool adds: the queue's printer comes last on a bus
// with DECOYS (8) other printers of the same model. Prints the first query of
// the port (status messages switched off first: three exchanges) and the
// median, minimum and maximum of RUNS (101) later queries. Must run under
// umockdev-wrapper. Exits 0 when every query got its reply, 1 otherwise, 2 on
// bad usage.
#include "Class/USBPort.h"
#include "Platform/LibusbBus.h"
#include "UsbTestbed.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

using Clock = std::chrono::steady_clock;

namespace {

const char kStatusInfo[] = "\x1b%-12345X@PJL INFO USTATUS\r\n\x1b%-12345X";
const char kInfoConfig[] = "\x1b%-12345X@PJL INFO CONFIG\r\n\x1b%-12345X";
const char kConfigReply[] = "@PJL INFO CONFIG\r\nDUPLEX\r\n\x0c";

double ms(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

FakeDevice Printer(int address, const std::string& serial) {
    FakeDevice device = VelmarkPrinter();
    device.deviceAddress = address;
    device.serialNumber = serial;
    device.deviceId = "MFG:Velmark;CMD:PJL,POSTSCRIPT;MDL:CL-5400;SERN:" + serial + ";";
    return device;
}

bool Query(USBPort& port, Clock::duration* took) {
    const auto start = Clock::now();
    const auto reply =
        port.CreateReplyCopy(kInfoConfig, std::strlen(kInfoConfig), CommandLanguagePJL);
    *took = Clock::now() - start;
    return reply == kConfigReply;
}

} // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::atoi(argv[1]) : 101;
    const int decoys = argc > 2 ? std::atoi(argv[2]) : 8;
    if (argc > 3 || runs < 1 || decoys < 0 || decoys > 100) {
        std::fprintf(stderr, "usage: usb_bench [RUNS [DECOYS (0-100)]]\n");
        return 2;
    }
    UsbTestbed testbed;
    for (int i = 0; i < decoys; ++i)
        testbed.Add(Printer(2 + i, "DECOY" + std::to_string(i)));
    FakeUsbfs& printer = testbed.Add(Printer(2 + decoys, "VM123"));
    printer.ScriptReplyTo(kStatusInfo, "@PJL INFO USTATUS\r\nDEVICE=OFF\r\n\x0c");
    for (int i = 0; i <= runs; ++i)
        printer.ScriptReplyTo(kInfoConfig, kConfigReply);

    USBPort port("usb://Velmark/CL-5400?serial=VM123", std::make_unique<LibusbBus>());
    Clock::duration first{};
    bool ok = Query(port, &first);
    std::vector<Clock::duration> times(static_cast<std::size_t>(runs));
    for (Clock::duration& took : times)
        ok = Query(port, &took) && ok;
    std::sort(times.begin(), times.end());

    std::printf("USB query through libusb, queue's printer behind %d others of its model\n",
                decoys);
    std::printf("  first query (3 exchanges)  %8.3f ms\n", ms(first));
    std::printf("  later queries (%d)         median %.3f ms  min %.3f ms  max %.3f ms\n", runs,
                ms(times[times.size() / 2]), ms(times.front()), ms(times.back()));
    if (!ok)
        std::fprintf(stderr, "usb_bench: a query did not get its reply\n");
    return ok ? 0 : 1;
}
