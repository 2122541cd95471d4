// A fake USB device as the tests describe it, and the descriptors it gives:
// in its sysfs "descriptors" file for libusb's enumeration, and on its
// default pipe for GET_DESCRIPTOR.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct FakeEndpoint {
    std::uint8_t address = 0;
    std::uint8_t attributes = 2; // bulk
};

struct FakeSetting {
    std::uint8_t alternateSetting = 0;
    std::uint8_t interfaceClass = 7;
    std::uint8_t interfaceSubClass = 1;
    std::uint8_t interfaceProtocol = 1;
    std::vector<FakeEndpoint> endpoints;
};

struct FakeDevice {
    // Its address on bus 1; also its node /dev/bus/usb/001/NNN.
    int deviceAddress = 2;
    std::uint16_t vendorId = 0x2a5c;
    std::uint16_t productId = 0x0540;
    std::uint8_t configurationValue = 1;
    // One interface, with these alternate settings.
    std::uint8_t interfaceNumber = 0;
    std::vector<FakeSetting> settings;
    // String descriptors 1, 2 and 3.
    std::string manufacturer;
    std::string product;
    std::string serialNumber;
    // The IEEE 1284 device ID without its two length bytes; empty: the
    // device stalls GET_DEVICE_ID.
    std::string deviceId;
    // The kernel driver that holds the interface until it is detached;
    // empty: none.
    std::string kernelDriver;
};

// A bidirectional printer "Velmark CL-5400" on interface 0: setting 0 is
// unidirectional (bulk out 0x01), setting 1 bidirectional (also bulk in 0x82).
FakeDevice VelmarkPrinter();

std::vector<std::uint8_t> DeviceDescriptor(const FakeDevice& device);
std::vector<std::uint8_t> ConfigurationDescriptor(const FakeDevice& device);
