#include "Platform/LibusbInterface.h"

#include "Platform/LibusbBus.h"

#include <climits>
#include <libusb.h>
#include <utility>

namespace {

// bmRequestType bits 0-4: who a control request is for.
constexpr std::uint8_t kRecipientMask = 0x1f;

} // namespace

LibusbInterface::LibusbInterface(libusb_device* device, USBInterfaceDescription description)
    : m_Device(libusb_ref_device(device)), m_Description(std::move(description)) {
    if (!m_Description.settings.empty())
        m_CurrentSetting = m_Description.settings.front().alternateSetting;
}

LibusbInterface::~LibusbInterface() {
    Close();
    if (m_Handle)
        libusb_close(m_Handle);
    libusb_unref_device(m_Device);
}

USBStatus LibusbInterface::openDevice() {
    if (m_Handle)
        return kUSBSuccess;
    libusb_device_handle* handle = nullptr;
    const int error = libusb_open(m_Device, &handle);
    if (error != LIBUSB_SUCCESS)
        return LibusbBus::StatusFromLibusb(error);
    m_Handle = handle;
    return kUSBSuccess;
}

USBStatus LibusbInterface::Open() {
    if (m_Claimed)
        return kUSBSuccess;
    USBStatus status = openDevice();
    if (status != kUSBSuccess)
        return status;
    status = detachKernelDriver();
    if (status != kUSBSuccess)
        return status;
    const int error = libusb_claim_interface(m_Handle, m_Description.interfaceNumber);
    if (error != LIBUSB_SUCCESS) {
        reattachKernelDriver();
        return LibusbBus::StatusFromLibusb(error);
    }
    m_Claimed = true;
    status = selectCurrentSetting();
    if (status != kUSBSuccess)
        Close();
    return status;
}

USBStatus LibusbInterface::detachKernelDriver() {
    const int active = libusb_kernel_driver_active(m_Handle, m_Description.interfaceNumber);
    // Where libusb cannot tell, it cannot detach either: the claim decides.
    if (active == 0 || active == LIBUSB_ERROR_NOT_SUPPORTED)
        return kUSBSuccess;
    if (active < 0)
        return LibusbBus::StatusFromLibusb(active);
    const int error = libusb_detach_kernel_driver(m_Handle, m_Description.interfaceNumber);
    // The driver let go between the two calls: there is nothing to give back.
    if (error == LIBUSB_ERROR_NOT_FOUND)
        return kUSBSuccess;
    if (error != LIBUSB_SUCCESS)
        return LibusbBus::StatusFromLibusb(error);
    m_DetachedDriver = true;
    return kUSBSuccess;
}

void LibusbInterface::reattachKernelDriver() {
    if (!m_DetachedDriver)
        return;
    m_DetachedDriver = false;
    // Nobody to report to: Close() has no status, and in Open() the failure
    // that brought us here is the one to give.
    (void)libusb_attach_kernel_driver(m_Handle, m_Description.interfaceNumber);
}

// An interface with a choice of settings is always set to the current one on
// claiming: a kernel printer driver that held it may have left it in another
// (usblp picks the bidirectional one).
USBStatus LibusbInterface::selectCurrentSetting() {
    if (m_Description.settings.size() < 2)
        return kUSBSuccess;
    return LibusbBus::StatusFromLibusb(libusb_set_interface_alt_setting(
        m_Handle, m_Description.interfaceNumber, m_CurrentSetting));
}

void LibusbInterface::Close() {
    if (!m_Claimed)
        return;
    m_Claimed = false;
    // A failed release means the device went away: nothing is left to undo.
    (void)libusb_release_interface(m_Handle, m_Description.interfaceNumber);
    reattachKernelDriver();
}

USBStatus LibusbInterface::SelectAlternateSetting(std::uint8_t setting) {
    if (!m_Claimed)
        return kUSBNotOpen;
    if (!m_Description.Setting(setting))
        return kUSBNotFound;
    const int error =
        libusb_set_interface_alt_setting(m_Handle, m_Description.interfaceNumber, setting);
    if (error != LIBUSB_SUCCESS)
        return LibusbBus::StatusFromLibusb(error);
    m_CurrentSetting = setting;
    return kUSBSuccess;
}

USBStatus LibusbInterface::DeviceRequest(USBDevRequest& request) {
    const std::uint16_t capacity = request.length;
    request.length = 0;
    if (capacity > 0 && !request.data)
        return kUSBBadArgument;
    USBStatus status = openDevice();
    if (status != kUSBSuccess)
        return status;
    // Linux lets only the holder of an interface send it requests (the device
    // ID among them): one that is not claimed yet is claimed for the request,
    // from a kernel printer driver too, and given back after it.
    const bool claimForRequest =
        (request.requestType & kRecipientMask) == LIBUSB_RECIPIENT_INTERFACE && !m_Claimed;
    if (claimForRequest && (status = Open()) != kUSBSuccess)
        return status;
    const int result = libusb_control_transfer(
        m_Handle, request.requestType, request.request, request.value, request.index,
        static_cast<unsigned char*>(request.data), capacity, kControlTimeoutMs);
    if (claimForRequest)
        Close();
    if (result < 0)
        return LibusbBus::StatusFromLibusb(result);
    request.length = static_cast<std::uint16_t>(result);
    return kUSBSuccess;
}

// Transfers go only through bulk endpoints of the current setting, in the
// endpoint's own direction: libusb takes the direction from the address, so a
// write to an in endpoint would read into the caller's data.
USBStatus LibusbInterface::checkPipe(std::uint8_t endpoint, bool in, std::size_t length) const {
    if (!m_Claimed)
        return kUSBNotOpen;
    if (length > static_cast<std::size_t>(INT_MAX))
        return kUSBBadArgument;
    const USBAlternateSetting* setting = CurrentSetting();
    if (!setting)
        return kUSBNotFound;
    for (const USBEndpoint& candidate : setting->endpoints)
        if (candidate.address == endpoint && candidate.IsBulk() && candidate.IsIn() == in)
            return kUSBSuccess;
    return kUSBNotFound;
}

// libusb has one time-out per transfer. A piece through here is at most 64
// bytes out or 512 in, a packet or a few, so the transfer is done as soon as
// the device moves data at all: what can run out is the wait for data, and
// that is the time libusb is given. 0 means no time-out, here as in libusb.
USBStatus LibusbInterface::WritePipe(std::uint8_t endpoint, const void* data, std::size_t length,
                                     unsigned noDataTimeoutMs, unsigned completionTimeoutMs) {
    (void)completionTimeoutMs;
    const USBStatus status = checkPipe(endpoint, false, length);
    if (status != kUSBSuccess)
        return status;
    if (length > 0 && !data)
        return kUSBBadArgument;
    int transferred = 0;
    // libusb only reads the buffer of an out transfer.
    const int error = libusb_bulk_transfer(m_Handle, endpoint,
                                           static_cast<unsigned char*>(const_cast<void*>(data)),
                                           static_cast<int>(length), &transferred, noDataTimeoutMs);
    if (error != LIBUSB_SUCCESS)
        return LibusbBus::StatusFromLibusb(error);
    // The caller learns no count: a short write is a lost piece.
    if (static_cast<std::size_t>(transferred) != length)
        return kUSBIOError;
    return kUSBSuccess;
}

USBStatus LibusbInterface::ReadPipe(std::uint8_t endpoint, void* data, std::size_t* length,
                                    unsigned noDataTimeoutMs, unsigned completionTimeoutMs) {
    (void)completionTimeoutMs;
    if (!length)
        return kUSBBadArgument;
    const std::size_t capacity = *length;
    *length = 0;
    const USBStatus status = checkPipe(endpoint, true, capacity);
    if (status != kUSBSuccess)
        return status;
    if (capacity > 0 && !data)
        return kUSBBadArgument;
    int transferred = 0;
    const int error =
        libusb_bulk_transfer(m_Handle, endpoint, static_cast<unsigned char*>(data),
                             static_cast<int>(capacity), &transferred, noDataTimeoutMs);
    *length = static_cast<std::size_t>(transferred);
    // Bytes that came before the time ran out are a reply all the same.
    if (error == LIBUSB_ERROR_TIMEOUT && transferred > 0)
        return kUSBSuccess;
    return LibusbBus::StatusFromLibusb(error);
}
