#include "Platform/LibusbBus.h"

#include "Platform/LibusbInterface.h"

#include <algorithm>
#include <libusb.h>
#include <utility>
#include <vector>

namespace {

USBAlternateSetting DescribeSetting(const libusb_interface_descriptor& descriptor) {
    USBAlternateSetting setting;
    setting.alternateSetting = descriptor.bAlternateSetting;
    setting.interfaceClass = descriptor.bInterfaceClass;
    setting.interfaceSubClass = descriptor.bInterfaceSubClass;
    setting.interfaceProtocol = descriptor.bInterfaceProtocol;
    for (int i = 0; i < descriptor.bNumEndpoints; ++i)
        setting.endpoints.push_back(
            {descriptor.endpoint[i].bEndpointAddress, descriptor.endpoint[i].bmAttributes});
    return setting;
}

bool IsPrinterInterface(const libusb_interface& interface) {
    return interface.num_altsetting > 0 &&
           interface.altsetting[0].bInterfaceClass == LIBUSB_CLASS_PRINTER;
}

USBInterfaceDescription DescribeInterface(const libusb_config_descriptor& config,
                                          const libusb_interface& interface) {
    USBInterfaceDescription description;
    description.configurationValue = config.bConfigurationValue;
    description.interfaceNumber = interface.altsetting[0].bInterfaceNumber;
    for (int i = 0; i < interface.num_altsetting; ++i)
        description.settings.push_back(DescribeSetting(interface.altsetting[i]));
    return description;
}

// Only the active configuration counts, with no fallback to another one: an
// unconfigured device, or one whose descriptors libusb cannot give, has no
// interface that could be claimed as described, so it offers none.
void AddPrinterInterfaces(libusb_device* device,
                          std::vector<std::unique_ptr<USBInterface>>* found) {
    libusb_config_descriptor* config = nullptr;
    if (libusb_get_active_config_descriptor(device, &config) != LIBUSB_SUCCESS)
        return;
    for (int i = 0; i < config->bNumInterfaces; ++i)
        if (IsPrinterInterface(config->interface[i]))
            found->push_back(std::make_unique<LibusbInterface>(
                device, DescribeInterface(*config, config->interface[i])));
    libusb_free_config_descriptor(config);
}

// Bus order: by bus number, then by device address. libusb lists devices in
// the order it happened to learn of them.
bool BusOrder(libusb_device* first, libusb_device* second) {
    const auto key = [](libusb_device* device) {
        return std::make_pair(libusb_get_bus_number(device), libusb_get_device_address(device));
    };
    return key(first) < key(second);
}

} // namespace

LibusbBus::LibusbBus() = default;

LibusbBus::~LibusbBus() {
    if (m_Context)
        libusb_exit(m_Context);
}

USBStatus LibusbBus::openContext() {
    if (m_Context)
        return kUSBSuccess;
    libusb_context* context = nullptr;
    const int error = libusb_init(&context);
    if (error != LIBUSB_SUCCESS)
        return StatusFromLibusb(error);
    // The tool reports failures by status; libusb keeps quiet, unless
    // LIBUSB_DEBUG in the environment asks for its messages. Setting a valid
    // level cannot fail.
    (void)libusb_set_option(context, LIBUSB_OPTION_LOG_LEVEL, LIBUSB_LOG_LEVEL_NONE);
    m_Context = context;
    return kUSBSuccess;
}

USBStatus LibusbBus::PrinterInterfaces(std::vector<std::unique_ptr<USBInterface>>* found) {
    found->clear();
    const USBStatus status = openContext();
    if (status != kUSBSuccess)
        return status;
    libusb_device** list = nullptr;
    const ssize_t count = libusb_get_device_list(m_Context, &list);
    if (count < 0)
        return StatusFromLibusb(static_cast<int>(count));
    std::vector<libusb_device*> devices(list, list + count);
    std::sort(devices.begin(), devices.end(), BusOrder);
    for (libusb_device* device : devices)
        AddPrinterInterfaces(device, found);
    // The interfaces hold references of their own on their devices.
    libusb_free_device_list(list, 1);
    return kUSBSuccess;
}

USBStatus LibusbBus::StatusFromLibusb(int error) {
    switch (error) {
    case LIBUSB_SUCCESS:
        return kUSBSuccess;
    case LIBUSB_ERROR_IO:
        return kUSBIOError;
    case LIBUSB_ERROR_INVALID_PARAM:
        return kUSBBadArgument;
    case LIBUSB_ERROR_ACCESS:
        return kUSBNotPermitted;
    case LIBUSB_ERROR_NO_DEVICE:
        return kUSBNoDevice;
    case LIBUSB_ERROR_NOT_FOUND:
        return kUSBNotFound;
    case LIBUSB_ERROR_BUSY:
        return kUSBExclusiveAccess;
    case LIBUSB_ERROR_TIMEOUT:
        return kUSBTransactionTimeout;
    case LIBUSB_ERROR_OVERFLOW:
        return kUSBOverrun;
    case LIBUSB_ERROR_PIPE:
        return kUSBPipeStalled;
    case LIBUSB_ERROR_INTERRUPTED:
        return kUSBAborted;
    case LIBUSB_ERROR_NO_MEM:
        return kUSBNoMemory;
    case LIBUSB_ERROR_NOT_SUPPORTED:
        return kUSBUnsupported;
    default:
        return kUSBError;
    }
}
