// A USB bus of fake devices in an umockdev testbed: sysfs entries that libusb
// enumerates, and for each device a node /dev/bus/usb/001/NNN whose ioctls a
// FakeUsbfs answers. The process must run under umockdev-wrapper for libusb
// to see the testbed instead of the machine.
#pragma once

#include "FakeDevice.h"
#include "FakeUsbfs.h"

#include <umockdev.h>

#include <memory>
#include <vector>

class UsbTestbed {
public:
    UsbTestbed();
    ~UsbTestbed();
    UsbTestbed(const UsbTestbed&) = delete;
    UsbTestbed& operator=(const UsbTestbed&) = delete;

    // Plugs the device in; the answer stays valid for the testbed's life.
    FakeUsbfs& Add(const FakeDevice& device);

private:
    UMockdevTestbed* m_Testbed;
    std::vector<std::unique_ptr<FakeUsbfs>> m_Devices;
};
