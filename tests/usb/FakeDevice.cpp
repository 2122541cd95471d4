#include "FakeDevice.h"

#include <initializer_list>

namespace {

// Byte by byte: GCC 12 warns wrongly about inserting a range into a short
// vector.
void Append(std::vector<std::uint8_t>* bytes, std::initializer_list<std::uint8_t> more) {
    for (std::uint8_t byte : more)
        bytes->push_back(byte);
}

void AppendWord(std::vector<std::uint8_t>* bytes, std::uint16_t word) {
    bytes->push_back(static_cast<std::uint8_t>(word & 0xff));
    bytes->push_back(static_cast<std::uint8_t>(word >> 8));
}

void AppendSetting(std::vector<std::uint8_t>* bytes, std::uint8_t interfaceNumber,
                   const FakeSetting& setting) {
    Append(bytes, {9, 4, interfaceNumber, setting.alternateSetting,
                   static_cast<std::uint8_t>(setting.endpoints.size()), setting.interfaceClass,
                   setting.interfaceSubClass, setting.interfaceProtocol, 0});
    for (const FakeEndpoint& endpoint : setting.endpoints) {
        Append(bytes, {7, 5, endpoint.address, endpoint.attributes});
        AppendWord(bytes, 512);
        bytes->push_back(0);
    }
}

} // namespace

FakeDevice VelmarkPrinter() {
    FakeDevice device;
    device.settings = {{0, 7, 1, 1, {{0x01, 2}}}, {1, 7, 1, 2, {{0x01, 2}, {0x82, 2}}}};
    device.manufacturer = "Velmark";
    device.product = "CL-5400 Series";
    device.serialNumber = "VM123";
    device.deviceId = "MFG:Velmark;MDL:CL-5400;CMD:PJL,POSTSCRIPT;SERN:VM123;";
    return device;
}

std::vector<std::uint8_t> DeviceDescriptor(const FakeDevice& device) {
    std::vector<std::uint8_t> bytes = {18, 1};
    AppendWord(&bytes, 0x0200);    // USB 2.0
    Append(&bytes, {0, 0, 0, 64}); // class in the interfaces; ep0 64 bytes
    AppendWord(&bytes, device.vendorId);
    AppendWord(&bytes, device.productId);
    AppendWord(&bytes, 0x0100);   // device release
    Append(&bytes, {1, 2, 3, 1}); // strings 1 to 3; one configuration
    return bytes;
}

std::vector<std::uint8_t> ConfigurationDescriptor(const FakeDevice& device) {
    std::vector<std::uint8_t> interfaces;
    for (const FakeSetting& setting : device.settings)
        AppendSetting(&interfaces, device.interfaceNumber, setting);
    std::vector<std::uint8_t> bytes = {9, 2};
    AppendWord(&bytes, static_cast<std::uint16_t>(9 + interfaces.size()));
    Append(&bytes, {1, device.configurationValue, 0, 0xc0, 1}); // self-powered, 2 mA
    for (std::uint8_t byte : interfaces)
        bytes.push_back(byte);
    return bytes;
}
