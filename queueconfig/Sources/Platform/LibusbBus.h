// The machine's USB bus on libusb-1.0. The libusb context is made at the
// first listing and kept; when it cannot be made, the listing gives libusb's
// failure and the next one tries again. Interfaces listed must go before the
// bus: they hold references on devices of its context.
#pragma once

#include "Platform/USBBus.h"

struct libusb_context;

class LibusbBus : public USBBus {
public:
    LibusbBus();
    ~LibusbBus() override;
    LibusbBus(const LibusbBus&) = delete;
    LibusbBus& operator=(const LibusbBus&) = delete;

    USBStatus PrinterInterfaces(std::vector<std::unique_ptr<USBInterface>>* found) override;

    // The status of a libusb error code (LIBUSB_SUCCESS gives kUSBSuccess).
    static USBStatus StatusFromLibusb(int error);

private:
    USBStatus openContext();

    libusb_context* m_Context = nullptr;
};
