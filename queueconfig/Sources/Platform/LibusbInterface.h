// One printer-class interface of a device on libusb-1.0. The device is opened
// at the first control request or Open(), and stays open until the object
// goes; Open() claims the interface, Close() gives it back.
#pragma once

#include "Platform/USBBus.h"

struct libusb_device;
struct libusb_device_handle;

class LibusbInterface : public USBInterface {
public:
    // Keeps a reference on `device`; the object must go before the libusb
    // context that the device belongs to.
    LibusbInterface(libusb_device* device, USBInterfaceDescription description);
    ~LibusbInterface() override;
    LibusbInterface(const LibusbInterface&) = delete;
    LibusbInterface& operator=(const LibusbInterface&) = delete;

    const USBInterfaceDescription& Description() const override { return m_Description; }
    std::uint8_t CurrentAlternateSetting() const override { return m_CurrentSetting; }

    USBStatus Open() override;
    void Close() override;
    USBStatus SelectAlternateSetting(std::uint8_t setting) override;

    USBStatus DeviceRequest(USBDevRequest& request) override;

    USBStatus WritePipe(std::uint8_t endpoint, const void* data, std::size_t length,
                        unsigned noDataTimeoutMs, unsigned completionTimeoutMs) override;
    USBStatus ReadPipe(std::uint8_t endpoint, void* data, std::size_t* length,
                       unsigned noDataTimeoutMs, unsigned completionTimeoutMs) override;

    // The time-out of a control request on the default pipe.
    static constexpr unsigned kControlTimeoutMs = 5000;

private:
    USBStatus openDevice();
    USBStatus detachKernelDriver();
    void reattachKernelDriver();
    USBStatus selectCurrentSetting();
    USBStatus checkPipe(std::uint8_t endpoint, bool in, std::size_t length) const;

    libusb_device* m_Device;
    libusb_device_handle* m_Handle = nullptr;
    USBInterfaceDescription m_Description;
    std::uint8_t m_CurrentSetting = 0;
    bool m_Claimed = false;
    // A kernel driver held the interface before Open(); Close() gives it back.
    bool m_DetachedDriver = false;
};
