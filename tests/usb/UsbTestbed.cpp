#include "UsbTestbed.h"

#include <cstdint>
#include <cstdio>
#include <stdexcept>
#include <string>

namespace {

std::string Hex(const std::vector<std::uint8_t>& bytes) {
    std::string text;
    char digits[3];
    for (std::uint8_t byte : bytes) {
        std::snprintf(digits, sizeof digits, "%02x", byte);
        text += digits;
    }
    return text;
}

std::string ThreeDigits(int number) {
    char text[4];
    std::snprintf(text, sizeof text, "%03d", number);
    return text;
}

std::string Attribute(const std::string& name, const std::string& value) {
    return value.empty() ? std::string() : "A: " + name + "=" + value + "\\n\n";
}

// The device in umockdev's text form. "\\n" ends an attribute's value with a
// newline, as sysfs does.
std::string SysfsEntry(const FakeDevice& device) {
    const std::string address = std::to_string(device.deviceAddress);
    const std::string node = "bus/usb/001/" + ThreeDigits(device.deviceAddress);
    std::vector<std::uint8_t> descriptors = DeviceDescriptor(device);
    const std::vector<std::uint8_t> config = ConfigurationDescriptor(device);
    descriptors.insert(descriptors.end(), config.begin(), config.end());
    return "P: /devices/pci0000:00/0000:00:14.0/usb1/1-" + address + "\n" + "N: " + node + "\n" +
           "E: SUBSYSTEM=usb\n"
           "E: DEVTYPE=usb_device\n"
           "E: DEVNAME=/dev/" +
           node + "\n" +
           "E: BUSNUM=001\n"
           "E: DEVNUM=" +
           ThreeDigits(device.deviceAddress) + "\n" +
           "A: busnum=1\\n\n"
           "A: devnum=" +
           address + "\\n\n" +
           "A: speed=480\\n\n"
           "A: bConfigurationValue=" +
           std::to_string(device.configurationValue) + "\\n\n" +
           Attribute("manufacturer", device.manufacturer) + Attribute("product", device.product) +
           Attribute("serial", device.serialNumber) + "H: descriptors=" + Hex(descriptors) + "\n";
}

} // namespace

UsbTestbed::UsbTestbed() : m_Testbed(umockdev_testbed_new()) {}

// The testbed goes first: it stops the thread that calls the handlers.
UsbTestbed::~UsbTestbed() {
    g_object_unref(m_Testbed);
    m_Devices.clear();
}

FakeUsbfs& UsbTestbed::Add(const FakeDevice& device) {
    auto usbfs = std::make_unique<FakeUsbfs>(device);
    const std::string node = "/dev/bus/usb/001/" + ThreeDigits(device.deviceAddress);
    // The handler first, so the node is an emulated one from the start.
    if (!umockdev_testbed_attach_ioctl(m_Testbed, node.c_str(), usbfs->Handler(), nullptr))
        throw std::runtime_error("umockdev cannot emulate " + node);
    if (!umockdev_testbed_add_from_string(m_Testbed, SysfsEntry(device).c_str(), nullptr))
        throw std::runtime_error("umockdev cannot add " + node);
    m_Devices.push_back(std::move(usbfs));
    return *m_Devices.back();
}
