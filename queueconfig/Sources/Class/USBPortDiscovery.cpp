// Finding the queue's printer on the USB bus: the printer-class interfaces,
// the identity each one reports, and the bulk pipes of the one that matches.
#include "Class/USBPort.h"

#include "Class/TextConversion.h"
#include "Class/Utility.h"

#include <algorithm>
#include <cctype>

namespace {

constexpr std::uint8_t kPrinterClass = 7;
constexpr std::uint8_t kPrinterSubClass = 1;
constexpr std::uint8_t kProtocolUnidirectional = 1;
constexpr std::uint8_t kProtocolBidirectional = 2;

constexpr std::uint8_t kRequestTypeStandardDeviceIn = 0x80;
constexpr std::uint8_t kRequestGetDescriptor = 6;
constexpr std::uint8_t kRequestTypeClassInterfaceIn = 0xA1;
constexpr std::uint8_t kRequestGetDeviceID = 0;

constexpr unsigned char kDescriptorDevice = 1;
constexpr unsigned char kDescriptorString = 3;
constexpr unsigned short kDeviceDescriptorSize = 18;
constexpr std::size_t kManufacturerIndexOffset = 14;
constexpr std::size_t kProductIndexOffset = 15;
constexpr std::size_t kSerialNumberIndexOffset = 16;
constexpr unsigned short kControlBufferSize = 256;

// The text of a string descriptor: the UTF-16 units behind its 2-byte header.
std::optional<std::string> DescriptorText(const std::optional<std::string>& descriptor) {
    if (!descriptor || descriptor->size() <= 2)
        return std::nullopt;
    return UTF16LEToUTF8(std::string_view(*descriptor).substr(2));
}

std::optional<std::string> DeviceIDValue(std::string_view id, std::string_view key,
                                         std::string_view otherKey) {
    std::optional<std::string> value = USBPort::create_1284_substring(id, key);
    if (!value && !otherKey.empty())
        value = USBPort::create_1284_substring(id, otherKey);
    return value;
}

void FillFromDeviceID(std::optional<std::string>* field, const std::optional<std::string>& value) {
    if (!*field && value)
        *field = MacRomanToUTF8(CText(*value));
}

} // namespace

USBStatus USBPort::open_pipes(USBIOContext& context) {
    close_usb(context);
    context.bulkOutPipe = 0;
    context.bulkInPipe = 0;
    const USBStatus status = open_usb(context);
    if (status != kUSBSuccess || !context.interface)
        return status;
    USBInterface& interface = *context.interface;
    if (const USBStatus opened = interface.Open(); opened != kUSBSuccess)
        return opened;
    const USBAlternateSetting* setting = interface.CurrentSetting();
    if (!setting)
        return kUSBNotFound;
    // The last pipe of each direction wins.
    for (const USBEndpoint& endpoint : setting->endpoints) {
        if (endpoint.IsBulk())
            (endpoint.IsIn() ? context.bulkInPipe : context.bulkOutPipe) = endpoint.address;
    }
    return kUSBSuccess;
}

USBStatus USBPort::open_usb(USBIOContext& context) {
    // Every search starts unmatched: flags left matched by the last query's
    // search would make the first printer on the bus match, whoever it is.
    resetMatchFlags();
    std::vector<std::unique_ptr<USBInterface>> found;
    if (const USBStatus status = m_Bus->PrinterInterfaces(&found); status != kUSBSuccess)
        return status;
    for (std::unique_ptr<USBInterface>& interface : found) {
        const USBAlternateSetting* setting = interface->CurrentSetting();
        if (!setting || setting->interfaceClass != kPrinterClass ||
            setting->interfaceSubClass != kPrinterSubClass)
            continue;
        if (setting->interfaceProtocol != kProtocolBidirectional)
            selectBidirectionalSetting(*interface);
        USBPrinterAddress address;
        usb_create_persistent_printer_address(*interface, &address);
        usb_dispose_persistent_printer_address(&address);
        if (allMatched()) {
            context.interface = std::move(interface);
            return kUSBSuccess;
        }
        resetMatchFlags();
    }
    return kUSBSuccess;
}

void USBPort::selectBidirectionalSetting(USBInterface& interface) {
    const std::uint8_t start = interface.CurrentAlternateSetting();
    if (interface.Open() != kUSBSuccess)
        return;
    std::optional<std::uint8_t> unidirectional;
    bool bidirectional = false;
    while (!bidirectional) {
        const unsigned next = interface.CurrentAlternateSetting() + 1u;
        if (next > 0xFF ||
            interface.SelectAlternateSetting(static_cast<std::uint8_t>(next)) != kUSBSuccess)
            break;
        const USBAlternateSetting* setting = interface.CurrentSetting();
        if (!setting)
            break;
        bidirectional = setting->interfaceProtocol == kProtocolBidirectional;
        if (setting->interfaceProtocol == kProtocolUnidirectional)
            unidirectional = setting->alternateSetting;
    }
    // Without a bidirectional setting the printer is spoken to one-way: in the
    // last unidirectional setting, or else in the one it started in, never in
    // a setting of some other protocol that the walk stopped at.
    const std::uint8_t target = unidirectional.value_or(start);
    if (!bidirectional && interface.CurrentAlternateSetting() != target)
        interface.SelectAlternateSetting(target);
    interface.Close();
}

void USBPort::close_usb(USBIOContext& context) {
    if (!context.interface)
        return;
    context.interface->Close();
    context.interface.reset();
}

void USBPort::usb_create_persistent_printer_address(USBInterface& interface,
                                                    USBPrinterAddress* address) {
    *address = USBPrinterAddress{};
    unsigned char device[kDeviceDescriptorSize] = {};
    unsigned short length = kDeviceDescriptorSize;
    if (GetDescriptor(interface, kDescriptorDevice, 0, device, &length) != kUSBSuccess)
        return;
    // Indexes that a short descriptor did not deliver are 0: no string.
    auto stringIndex = [&](std::size_t offset) -> unsigned char {
        return offset < length ? device[offset] : 0;
    };
    std::optional<std::string> descriptor;
    if (usb_create_string(interface, stringIndex(kProductIndexOffset), &descriptor) == kUSBSuccess)
        address->product = DescriptorText(descriptor);
    if (usb_create_string(interface, stringIndex(kManufacturerIndexOffset), &descriptor) ==
        kUSBSuccess)
        address->manufacturer = DescriptorText(descriptor);
    if (usb_create_string(interface, stringIndex(kSerialNumberIndexOffset), &descriptor) ==
        kUSBSuccess)
        address->serialNumber = DescriptorText(descriptor);

    std::optional<std::string> id;
    std::optional<std::string> idModel;
    if (usb_create_1284_device_id(interface, &id) == kUSBSuccess && id && !id->empty()) {
        FillFromDeviceID(&address->manufacturer, DeviceIDValue(*id, "MFG:", "MANUFACTURER:"));
        idModel = DeviceIDValue(*id, "MDL:", "MODEL:");
        FillFromDeviceID(&address->product, idModel);
        FillFromDeviceID(&address->serialNumber, DeviceIDValue(*id, "SERN:", ""));
    }
    matchIdentity(*address, idModel);
}

void USBPort::matchIdentity(const USBPrinterAddress& address,
                            const std::optional<std::string>& idModel) {
    if (address.manufacturer && m_Manufacturer && *address.manufacturer == *m_Manufacturer)
        m_ManufacturerMatch = kMatched;
    // The device ID's model may be the queue's model cut short: it is compared
    // over its own length. An empty value names no model and matches none.
    if (idModel && m_Model) {
        const std::string_view model = CText(*idModel);
        if (!model.empty() && std::string_view(*m_Model).starts_with(model))
            m_ModelMatch = kMatched;
    }
    if (address.serialNumber && m_SerialNumber && *address.serialNumber == *m_SerialNumber)
        m_SerialMatch = kMatched;
}

void USBPort::resetMatchFlags() {
    m_ManufacturerMatch = kNotMatched;
    m_ModelMatch = kNotMatched;
    m_SerialMatch = kNotMatched;
}

bool USBPort::allMatched() const {
    return m_ManufacturerMatch == kMatched && m_ModelMatch == kMatched && m_SerialMatch == kMatched;
}

void USBPort::usb_dispose_persistent_printer_address(USBPrinterAddress* address) {
    address->manufacturer.reset();
    address->product.reset();
    address->serialNumber.reset();
}

USBStatus USBPort::GetDescriptor(USBInterface& interface, unsigned char type, unsigned char index,
                                 void* buffer, unsigned short* length) {
    return DeviceRequest(interface, kRequestTypeStandardDeviceIn, kRequestGetDescriptor,
                         static_cast<std::uint16_t>(type << 8 | index), 0, buffer, length);
}

USBStatus USBPort::usb_create_string(USBInterface& interface, unsigned char index,
                                     std::optional<std::string>* descriptor) {
    descriptor->reset();
    if (index == 0)
        return kUSBSuccess;
    unsigned char buffer[kControlBufferSize] = {};
    unsigned short length = kControlBufferSize;
    if (const USBStatus status =
            GetDescriptor(interface, kDescriptorString, index, buffer, &length);
        status != kUSBSuccess)
        return status;
    if (length == 0)
        return kUSBSuccess;
    // The descriptor says its own length; no more is taken than arrived.
    const std::size_t size = std::min<std::size_t>(buffer[0], length);
    descriptor->emplace(reinterpret_cast<const char*>(buffer), size);
    return kUSBSuccess;
}

USBStatus USBPort::usb_create_1284_device_id(USBInterface& interface,
                                             std::optional<std::string>* id) {
    id->reset();
    const USBAlternateSetting* setting = interface.CurrentSetting();
    if (!setting)
        return kUSBNotFound;
    const USBInterfaceDescription& description = interface.Description();
    const auto value = static_cast<std::uint16_t>(description.configurationValue - 1);
    const auto index =
        static_cast<std::uint16_t>(description.interfaceNumber << 8 | setting->alternateSetting);
    unsigned char buffer[kControlBufferSize] = {};
    unsigned short length = kControlBufferSize;
    if (const USBStatus status = DeviceRequest(interface, kRequestTypeClassInterfaceIn,
                                               kRequestGetDeviceID, value, index, buffer, &length);
        status != kUSBSuccess)
        return status;
    // The ID counts its two big-endian length bytes; an ID too short to say
    // its length, or saying less than them, is no ID.
    if (length < 2)
        return kUSBSuccess;
    const unsigned short declared = static_cast<unsigned short>(buffer[0] << 8 | buffer[1]);
    if (declared < 2)
        return kUSBSuccess;
    if (declared <= kControlBufferSize) {
        id->emplace(reinterpret_cast<const char*>(buffer), std::min(declared, length));
        return kUSBSuccess;
    }
    std::string whole(declared, '\0');
    unsigned short wholeLength = declared;
    if (const USBStatus status =
            DeviceRequest(interface, kRequestTypeClassInterfaceIn, kRequestGetDeviceID, value,
                          index, whole.data(), &wholeLength);
        status != kUSBSuccess)
        return status;
    whole.resize(std::min(wholeLength, declared));
    *id = std::move(whole);
    return kUSBSuccess;
}

USBStatus USBPort::DeviceRequest(USBInterface& interface, std::uint8_t requestType,
                                 std::uint8_t request, std::uint16_t value, std::uint16_t index,
                                 void* buffer, unsigned short* length) {
    USBDevRequest deviceRequest;
    deviceRequest.requestType = requestType;
    deviceRequest.request = request;
    deviceRequest.value = value;
    deviceRequest.index = index;
    deviceRequest.length = *length;
    deviceRequest.data = buffer;
    const USBStatus status = interface.DeviceRequest(deviceRequest);
    // Never more than the buffer holds, whatever the device claims.
    *length = std::min(deviceRequest.length, *length);
    return status;
}

std::optional<std::string> USBPort::create_1284_substring(std::string_view id,
                                                          std::string_view key) {
    if (key.empty() || id.size() <= key.size())
        return std::nullopt;
    // A key needs at least one byte behind it: one at the very end is not found.
    for (std::size_t position = 0; position + key.size() < id.size(); ++position) {
        if (!match_1284_key(id.data() + position, key))
            continue;
        const std::size_t start = position + key.size();
        const std::size_t end = std::min(id.find(';', start), id.size());
        return std::string(id.substr(start, end - start));
    }
    return std::nullopt;
}

bool USBPort::match_1284_key(const char* text, std::string_view key) {
    for (std::size_t i = 0; i < key.size(); ++i) {
        if (std::toupper(static_cast<unsigned char>(key[i])) !=
            std::toupper(static_cast<unsigned char>(text[i])))
            return false;
    }
    return true;
}
