// The bus on libusb: which interfaces it lists and what it says of them, and
// the statuses of libusb's errors.
#include "LibusbFixture.h"

#include <libusb.h>

#include <cstdio>
#include <string>

namespace {

// "config 2 interface 1: [0 7/1/1 01:02] [1 7/1/2 01:02 82:02]"
std::string Render(const USBInterfaceDescription& description) {
    char text[64];
    std::snprintf(text, sizeof text, "config %u interface %u:", description.configurationValue,
                  description.interfaceNumber);
    std::string rendered = text;
    for (const USBAlternateSetting& setting : description.settings) {
        std::snprintf(text, sizeof text, " [%u %u/%u/%u", setting.alternateSetting,
                      setting.interfaceClass, setting.interfaceSubClass, setting.interfaceProtocol);
        rendered += text;
        for (const USBEndpoint& endpoint : setting.endpoints) {
            std::snprintf(text, sizeof text, " %02x:%02x", endpoint.address, endpoint.attributes);
            rendered += text;
        }
        rendered += "]";
    }
    return rendered;
}

FakeDevice Keyboard(int address) {
    FakeDevice device;
    device.deviceAddress = address;
    device.settings = {{0, 3, 1, 1, {{0x81, 3}}}};
    return device;
}

FakeDevice PlainPrinter(int address) {
    FakeDevice device;
    device.deviceAddress = address;
    device.settings = {{0, 7, 1, 2, {{0x02, 2}, {0x81, 2}}}};
    return device;
}

} // namespace

using LibusbBusListing = LibusbFixture;

// The printers are plugged in out of address order, with a keyboard between
// them; the Velmark is in configuration 2 on interface 1, so that neither
// number is what a default would give.
TEST_F(LibusbBusListing, ListsPrinterInterfacesInBusOrderWithoutTouchingDevices) {
    FakeDevice velmark = VelmarkPrinter();
    velmark.deviceAddress = 5;
    velmark.configurationValue = 2;
    velmark.interfaceNumber = 1;
    const FakeUsbfs& late = m_Testbed.Add(velmark);
    const FakeUsbfs& keyboard = m_Testbed.Add(Keyboard(3));
    const FakeUsbfs& early = m_Testbed.Add(PlainPrinter(4));

    const auto& found = List();

    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(Render(found[0]->Description()), "config 1 interface 0: [0 7/1/2 02:02 81:02]");
    EXPECT_EQ(Render(found[1]->Description()),
              "config 2 interface 1: [0 7/1/1 01:02] [1 7/1/2 01:02 82:02]");
    EXPECT_EQ(found[1]->CurrentAlternateSetting(), 0);
    // Listing opens no device: no usbdevfs call reached any of them.
    EXPECT_TRUE(late.Calls().empty());
    EXPECT_TRUE(keyboard.Calls().empty());
    EXPECT_TRUE(early.Calls().empty());
}

// libusb built with udev, as Debian's is, starts without /dev/bus/usb, so an
// empty bus is a success with nothing on it; and libusb says nothing.
TEST_F(LibusbBusListing, EmptyBusListsNothingQuietly) {
    std::vector<std::unique_ptr<USBInterface>> found;
    testing::internal::CaptureStderr();
    const USBStatus status = m_Bus.PrinterInterfaces(&found);
    const std::string messages = testing::internal::GetCapturedStderr();

    EXPECT_EQ(status, kUSBSuccess);
    EXPECT_TRUE(found.empty());
    EXPECT_EQ(messages, "");
}

TEST(LibusbStatus, MapsEachLibusbError) {
    const struct {
        int error;
        USBStatus status;
    } cases[] = {
        {LIBUSB_SUCCESS, kUSBSuccess},
        {LIBUSB_ERROR_IO, kUSBIOError},
        {LIBUSB_ERROR_INVALID_PARAM, kUSBBadArgument},
        {LIBUSB_ERROR_ACCESS, kUSBNotPermitted},
        {LIBUSB_ERROR_NO_DEVICE, kUSBNoDevice},
        {LIBUSB_ERROR_NOT_FOUND, kUSBNotFound},
        {LIBUSB_ERROR_BUSY, kUSBExclusiveAccess},
        {LIBUSB_ERROR_TIMEOUT, kUSBTransactionTimeout},
        {LIBUSB_ERROR_OVERFLOW, kUSBOverrun},
        {LIBUSB_ERROR_PIPE, kUSBPipeStalled},
        {LIBUSB_ERROR_INTERRUPTED, kUSBAborted},
        {LIBUSB_ERROR_NO_MEM, kUSBNoMemory},
        {LIBUSB_ERROR_NOT_SUPPORTED, kUSBUnsupported},
        {LIBUSB_ERROR_OTHER, kUSBError},
        {-13, kUSBError}, // between NOT_SUPPORTED (-12) and OTHER (-99)
        {1, kUSBError},   // a byte count is no error code
    };
    for (const auto& c : cases)
        EXPECT_EQ(LibusbBus::StatusFromLibusb(c.error), c.status)
            << libusb_error_name(c.error) << " (" << c.error << ")";
}
