// The USB port on the libusb bus against a fake printer: one whole PJL query
// as the printer sees it, through real libusb calls. The printer answers each
// command only once it has received it.
#include "LibusbFixture.h"

#include "Class/USBPort.h"

#include <cstring>
#include <optional>
#include <string>

namespace {

const char kStatusOff[] = "\x1b%-12345X@PJL USTATUS DEVICE=OFF\r\n"
                          "@PJL USTATUS VELDEVICE=OFF\r\n\x1b%-12345X";
const char kInfoUstatus[] = "\x1b%-12345X@PJL INFO USTATUS\r\n\x1b%-12345X";
const char kInfoConfig[] = "\x1b%-12345X@PJL INFO CONFIG\r\n\x1b%-12345X";
const char kConfigReply[] = "@PJL INFO CONFIG\r\nDUPLEX\r\n\x0c";

} // namespace

using USBPortOnLibusb = LibusbFixture;

// The port switches unsolicited status off (nothing to read), reads the
// status echo, and only then sends the request.
TEST_F(USBPortOnLibusb, QueriesTheMatchingPrinter) {
    FakeUsbfs& usbfs = m_Testbed.Add(VelmarkPrinter());
    usbfs.ScriptReplyTo(kInfoUstatus, "@PJL INFO USTATUS\r\nDEVICE=OFF\r\n\x0c");
    usbfs.ScriptReplyTo(kInfoConfig, kConfigReply);
    USBPort port("usb://Velmark/CL-5400?serial=VM123", std::make_unique<LibusbBus>());

    const std::optional<std::string> reply =
        port.CreateReplyCopy(kInfoConfig, std::strlen(kInfoConfig), CommandLanguagePJL);

    ASSERT_TRUE(reply.has_value());
    EXPECT_EQ(*reply, kConfigReply);
    EXPECT_EQ(usbfs.Written(), std::string(kStatusOff) + kInfoUstatus + kInfoConfig);
}
