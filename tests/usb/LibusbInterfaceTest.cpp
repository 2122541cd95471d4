// One printer interface on libusb against a fake printer: control requests,
// claiming it from a kernel driver, alternate settings and bulk transfers.
#include "LibusbFixture.h"
#include "USBDescriptorBytes.h"

#include <algorithm>
#include <chrono>
#include <string>

namespace {

std::vector<std::uint8_t> Bytes(const std::string& text) {
    return {text.begin(), text.end()};
}

const char kInfoId[] = "\x1b%-12345X@PJL INFO ID\r\n\x1b%-12345X";
const char kInfoIdEcho[] = "@PJL INFO ID\r\n\"MODEL\"\r\n\x0c";

std::vector<std::uint8_t> Request(USBInterface& interface, std::uint8_t requestType,
                                  std::uint8_t request, std::uint16_t value, std::uint16_t index,
                                  std::uint16_t length, USBStatus* status) {
    std::vector<std::uint8_t> buffer(length);
    USBDevRequest devRequest{requestType, request, value, index, length, buffer.data()};
    *status = interface.DeviceRequest(devRequest);
    buffer.resize(devRequest.length);
    return buffer;
}

// The calls that take the interface from a driver, claim it or set it.
std::vector<std::string> InterfaceCalls(const FakeUsbfs& usbfs) {
    std::vector<std::string> kept;
    for (const std::string& call : usbfs.Calls())
        if (call.rfind("getdriver", 0) != 0 && call != "capabilities")
            kept.push_back(call);
    return kept;
}

USBStatus Write(USBInterface& interface, std::uint8_t endpoint, const std::string& data) {
    return interface.WritePipe(endpoint, data.data(), data.size(), USBInterface::kNoDataTimeoutMs,
                               USBInterface::kCompletionTimeoutMs);
}

std::string Read(USBInterface& interface, std::uint8_t endpoint, unsigned noDataTimeoutMs,
                 USBStatus* status) {
    std::string buffer(512, '\0');
    std::size_t length = buffer.size();
    *status = interface.ReadPipe(endpoint, buffer.data(), &length, noDataTimeoutMs,
                                 USBInterface::kCompletionTimeoutMs);
    buffer.resize(length);
    return buffer;
}

} // namespace

using LibusbControl = LibusbFixture;

// Before Open: the device opens at the first request, the interface unclaimed.
TEST_F(LibusbControl, ReadsDescriptorsOnTheDefaultPipe) {
    FakeUsbfs& usbfs = m_Testbed.Add(VelmarkPrinter());
    USBInterface& interface = OnlyInterface();
    USBStatus status = kUSBError;

    EXPECT_EQ(Request(interface, 0x80, 6, 0x0100, 0, 64, &status),
              DeviceDescriptor(usbfs.Device()));
    EXPECT_EQ(status, kUSBSuccess);
    const std::vector<std::uint8_t> product = {30,  3, 'C', 0, 'L', 0, '-', 0, '5', 0,
                                               '4', 0, '0', 0, '0', 0, ' ', 0, 'S', 0,
                                               'e', 0, 'r', 0, 'i', 0, 'e', 0, 's', 0};
    EXPECT_EQ(Request(interface, 0x80, 6, 0x0302, 0x0409, 255, &status), product);
    EXPECT_EQ(status, kUSBSuccess);

    const std::vector<FakeUsbfs::Setup> setups = usbfs.ControlRequests();
    ASSERT_EQ(setups.size(), 2u);
    EXPECT_EQ(setups[1].requestType, 0x80);
    EXPECT_EQ(setups[1].request, 6);
    EXPECT_EQ(setups[1].value, 0x0302);
    EXPECT_EQ(setups[1].index, 0x0409);
    EXPECT_EQ(setups[1].length, 255);
}

// GET_DEVICE_ID names the interface in the high byte of wIndex and its
// alternate setting in the low one; wValue is the configuration's index.
TEST_F(LibusbControl, ReadsDeviceIdOfInterfaceAndSetting) {
    FakeDevice printer = VelmarkPrinter();
    printer.interfaceNumber = 1;
    FakeUsbfs& usbfs = m_Testbed.Add(printer);
    USBInterface& interface = OnlyInterface();
    ASSERT_EQ(interface.Open(), kUSBSuccess);
    ASSERT_EQ(interface.SelectAlternateSetting(1), kUSBSuccess);
    USBStatus status = kUSBError;

    const std::uint16_t index = interface.Description().interfaceNumber << 8 | 1;
    EXPECT_EQ(Request(interface, 0xa1, 0, 0, index, 1024, &status),
              Bytes(DeviceIDReply(printer.deviceId)));
    EXPECT_EQ(status, kUSBSuccess);

    const std::vector<FakeUsbfs::Setup> setups = usbfs.ControlRequests();
    ASSERT_EQ(setups.size(), 1u);
    EXPECT_EQ(setups[0].requestType, 0xa1);
    EXPECT_EQ(setups[0].request, 0);
    EXPECT_EQ(setups[0].value, 0);
    EXPECT_EQ(setups[0].index, 0x0101);
    EXPECT_EQ(setups[0].length, 1024);
}

TEST_F(LibusbControl, StalledRequestGivesPipeStalled) {
    m_Testbed.Add(VelmarkPrinter());
    USBStatus status = kUSBSuccess;

    EXPECT_TRUE(Request(OnlyInterface(), 0xc0, 0x42, 0, 0, 16, &status).empty());
    EXPECT_EQ(status, kUSBPipeStalled);
}

using LibusbClaim = LibusbFixture;

// The fake's usblp holds the interface as the kernel's would: a claim
// without detaching it first fails.
TEST_F(LibusbClaim, OpenTakesInterfaceFromKernelDriverAndCloseGivesItBack) {
    FakeDevice printer = VelmarkPrinter();
    printer.kernelDriver = "usblp";
    const FakeUsbfs& usbfs = m_Testbed.Add(printer);
    USBInterface& interface = OnlyInterface();

    ASSERT_EQ(interface.Open(), kUSBSuccess);
    EXPECT_EQ(InterfaceCalls(usbfs),
              (std::vector<std::string>{"disconnect 0", "claim 0", "setinterface 0 0"}));
    interface.Close();
    EXPECT_EQ(InterfaceCalls(usbfs),
              (std::vector<std::string>{"disconnect 0", "claim 0", "setinterface 0 0", "release 0",
                                        "connect 0"}));
}

// Linux gives a request to an interface only to its holder: the device ID of
// a printer that usblp holds is read with the interface claimed for it.
TEST_F(LibusbClaim, DeviceIdRequestTakesTheInterfaceFromTheKernelDriverForItsTime) {
    FakeDevice printer = VelmarkPrinter();
    printer.kernelDriver = "usblp";
    const FakeUsbfs& usbfs = m_Testbed.Add(printer);
    USBInterface& interface = OnlyInterface();
    USBStatus status = kUSBError;

    EXPECT_EQ(Request(interface, 0xa1, 0, 0, 0, 256, &status),
              Bytes(DeviceIDReply(printer.deviceId)));
    EXPECT_EQ(status, kUSBSuccess);
    EXPECT_EQ(InterfaceCalls(usbfs),
              (std::vector<std::string>{"disconnect 0", "claim 0", "setinterface 0 0", "release 0",
                                        "connect 0"}));
}

TEST_F(LibusbClaim, OpenWithoutKernelDriverOnlyClaims) {
    const FakeUsbfs& usbfs = m_Testbed.Add(VelmarkPrinter());
    USBInterface& interface = OnlyInterface();

    ASSERT_EQ(interface.Open(), kUSBSuccess);
    EXPECT_EQ(InterfaceCalls(usbfs), (std::vector<std::string>{"claim 0", "setinterface 0 0"}));
    interface.Close();
    interface.Close(); // not open: nothing happens
    EXPECT_EQ(InterfaceCalls(usbfs),
              (std::vector<std::string>{"claim 0", "setinterface 0 0", "release 0"}));
}

// A setting the interface does not list never reaches the device; a selected
// one is kept, and set again whenever the interface is claimed, since a
// kernel driver that held it may have chosen another.
TEST_F(LibusbClaim, SelectsAlternateSettingsOfTheDescription) {
    const FakeUsbfs& usbfs = m_Testbed.Add(VelmarkPrinter());
    USBInterface& interface = OnlyInterface();

    EXPECT_EQ(interface.SelectAlternateSetting(1), kUSBNotOpen);
    ASSERT_EQ(interface.Open(), kUSBSuccess);
    EXPECT_EQ(interface.SelectAlternateSetting(7), kUSBNotFound);
    EXPECT_EQ(interface.CurrentAlternateSetting(), 0);
    EXPECT_EQ(InterfaceCalls(usbfs), (std::vector<std::string>{"claim 0", "setinterface 0 0"}));

    EXPECT_EQ(interface.SelectAlternateSetting(1), kUSBSuccess);
    EXPECT_EQ(interface.CurrentAlternateSetting(), 1);
    ASSERT_NE(interface.CurrentSetting(), nullptr);
    EXPECT_EQ(interface.CurrentSetting()->interfaceProtocol, 2);
    interface.Close();
    ASSERT_EQ(interface.Open(), kUSBSuccess);
    EXPECT_EQ(InterfaceCalls(usbfs),
              (std::vector<std::string>{"claim 0", "setinterface 0 0", "setinterface 0 1",
                                        "release 0", "claim 0", "setinterface 0 1"}));
}

class LibusbPipes : public LibusbFixture {
protected:
    // The Velmark, open in its bidirectional setting.
    USBInterface& OpenPrinter() {
        USBInterface& interface = OnlyInterface();
        EXPECT_EQ(interface.Open(), kUSBSuccess);
        EXPECT_EQ(interface.SelectAlternateSetting(1), kUSBSuccess);
        return interface;
    }
};

TEST_F(LibusbPipes, PjlExchangeGoesThroughByteForByte) {
    FakeUsbfs& usbfs = m_Testbed.Add(VelmarkPrinter());
    USBInterface& interface = OpenPrinter();
    const std::string request = kInfoId;

    usbfs.ScriptReplyTo(request, kInfoIdEcho);

    for (std::size_t at = 0; at < request.size(); at += 64)
        ASSERT_EQ(Write(interface, 0x01, request.substr(at, 64)), kUSBSuccess);
    EXPECT_EQ(usbfs.Written(), request);
    USBStatus status = kUSBError;
    EXPECT_EQ(Read(interface, 0x82, USBInterface::kNoDataTimeoutMs, &status), kInfoIdEcho);
    EXPECT_EQ(status, kUSBSuccess);
}

// None of these reaches the device. libusb takes a transfer's direction from
// the endpoint's address, so a write to an in endpoint would read.
TEST_F(LibusbPipes, RefusesEndpointsOutsideTheCurrentSetting) {
    const FakeUsbfs& usbfs = m_Testbed.Add(VelmarkPrinter());
    USBInterface& interface = OnlyInterface();
    const int kClosed = -1;
    const struct {
        const char* what;
        int setting;
        bool write;
        std::uint8_t endpoint;
        USBStatus status;
    } cases[] = {
        {"write before Open", kClosed, true, 0x01, kUSBNotOpen},
        {"read before Open", kClosed, false, 0x82, kUSBNotOpen},
        {"read in the unidirectional setting", 0, false, 0x82, kUSBNotFound},
        {"write to the in endpoint", 1, true, 0x82, kUSBNotFound},
        {"read from the out endpoint", 1, false, 0x01, kUSBNotFound},
        {"write to an endpoint of no setting", 1, true, 0x03, kUSBNotFound},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.setting == kClosed) {
            interface.Close();
        } else {
            ASSERT_EQ(interface.Open(), kUSBSuccess);
            ASSERT_EQ(interface.SelectAlternateSetting(static_cast<std::uint8_t>(c.setting)),
                      kUSBSuccess);
        }
        USBStatus status = kUSBSuccess;
        if (c.write)
            status = Write(interface, c.endpoint, "@PJL\r\n");
        else
            EXPECT_EQ(Read(interface, c.endpoint, 100, &status), "");
        EXPECT_EQ(status, c.status);
    }
    EXPECT_EQ(usbfs.Written(), "");
    for (const std::string& call : usbfs.Calls())
        EXPECT_NE(call.rfind("discard", 0), 0u) << call;
}

// The one test of the real time-out: libusb discards the pending transfer
// after the 2 s without data, and the pipe works on afterwards.
TEST_F(LibusbPipes, ReadWithoutReplyTimesOut) {
    FakeUsbfs& usbfs = m_Testbed.Add(VelmarkPrinter());
    USBInterface& interface = OpenPrinter();
    USBStatus status = kUSBSuccess;

    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(Read(interface, 0x82, USBInterface::kNoDataTimeoutMs, &status), "");
    const std::chrono::duration<double> waited = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(status, kUSBTransactionTimeout);
    EXPECT_GE(waited.count(), 1.5);
    EXPECT_LE(waited.count(), 6.0);
    const std::vector<std::string> calls = usbfs.Calls();
    EXPECT_NE(std::find(calls.begin(), calls.end(), "discard 82"), calls.end());

    usbfs.ScriptReply(kInfoIdEcho);
    EXPECT_EQ(Read(interface, 0x82, USBInterface::kNoDataTimeoutMs, &status), kInfoIdEcho);
    EXPECT_EQ(status, kUSBSuccess);
}

// The device sends part of a reply and stops: what came is the reply.
TEST_F(LibusbPipes, ReadCutShortByTimeOutKeepsItsBytes) {
    FakeUsbfs& usbfs = m_Testbed.Add(VelmarkPrinter());
    USBInterface& interface = OpenPrinter();
    usbfs.ScriptStalledReply("@PJL INFO ID\r\n");
    USBStatus status = kUSBError;

    EXPECT_EQ(Read(interface, 0x82, 200, &status), "@PJL INFO ID\r\n");
    EXPECT_EQ(status, kUSBSuccess);
}
