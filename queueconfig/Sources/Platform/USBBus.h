// The machine's USB printers, behind a narrow interface of the tool's own: the
// bus lists printer-class interfaces, and one interface answers control
// requests on the default pipe and bulk transfers on its endpoints. The
// libusb implementation (LibusbBus) talks to the real bus; tests give the
// port a scripted device instead.
//
// Statuses are 32-bit codes in the style of the printer channels' USB
// diagnostics ("write err:e0004051"): 0 is success, anything else a failure.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

using USBStatus = std::uint32_t;

constexpr USBStatus kUSBSuccess = 0;
constexpr USBStatus kUSBError = 0xE00002BC;              // general failure
constexpr USBStatus kUSBNoMemory = 0xE00002BD;           // allocation failed
constexpr USBStatus kUSBBadArgument = 0xE00002C2;        // bad argument
constexpr USBStatus kUSBNoDevice = 0xE00002C0;           // the device went away
constexpr USBStatus kUSBExclusiveAccess = 0xE00002C5;    // claimed by someone else
constexpr USBStatus kUSBUnsupported = 0xE00002C7;        // not supported here
constexpr USBStatus kUSBIOError = 0xE00002CA;            // transfer failed
constexpr USBStatus kUSBNotOpen = 0xE00002CD;            // interface not claimed
constexpr USBStatus kUSBTimeout = 0xE00002D6;            // the tool's own deadline passed
constexpr USBStatus kUSBNotPermitted = 0xE00002E2;       // no access to the device file
constexpr USBStatus kUSBOverrun = 0xE00002E8;            // the device sent more than asked
constexpr USBStatus kUSBAborted = 0xE00002EB;            // interrupted
constexpr USBStatus kUSBNotFound = 0xE00002F0;           // no such setting or device
constexpr USBStatus kUSBPipeStalled = 0xE000404F;        // the endpoint stalled
constexpr USBStatus kUSBTransactionTimeout = 0xE0004051; // a transfer timed out

// A control request on the default pipe. `length` is the size of `data` on
// the way in and the number of bytes transferred on the way out.
struct USBDevRequest {
    std::uint8_t requestType = 0;
    std::uint8_t request = 0;
    std::uint16_t value = 0;
    std::uint16_t index = 0;
    std::uint16_t length = 0;
    void* data = nullptr;
};

struct USBEndpoint {
    std::uint8_t address = 0;    // bit 7 set: in (device to host)
    std::uint8_t attributes = 0; // bits 0-1: transfer type, 2 = bulk

    bool IsBulk() const { return (attributes & 0x03) == 2; }
    bool IsIn() const { return (address & 0x80) != 0; }
};

struct USBAlternateSetting {
    std::uint8_t alternateSetting = 0;
    std::uint8_t interfaceClass = 0;
    std::uint8_t interfaceSubClass = 0;
    std::uint8_t interfaceProtocol = 0; // printers: 1 unidirectional, 2 bidirectional
    std::vector<USBEndpoint> endpoints;
};

// One interface as the device's active configuration describes it.
struct USBInterfaceDescription {
    std::uint8_t configurationValue = 0;
    std::uint8_t interfaceNumber = 0;
    std::vector<USBAlternateSetting> settings; // in the order the device lists them

    // The alternate setting of that number; null when the interface has none.
    const USBAlternateSetting* Setting(std::uint8_t alternateSetting) const {
        for (const USBAlternateSetting& setting : settings)
            if (setting.alternateSetting == alternateSetting)
                return &setting;
        return nullptr;
    }
};

// One printer-class interface of one device. It starts in the device's first
// alternate setting; a selected setting is kept for the life of the object.
class USBInterface {
public:
    // Transfer time-outs of the printer channel, in milliseconds: no data for
    // 2 seconds, or the whole transfer not done in 5.
    static constexpr unsigned kNoDataTimeoutMs = 2000;
    static constexpr unsigned kCompletionTimeoutMs = 5000;

    virtual ~USBInterface() = default;

    virtual const USBInterfaceDescription& Description() const = 0;
    // The alternate setting currently selected; null when the description
    // lists none.
    const USBAlternateSetting* CurrentSetting() const {
        return Description().Setting(CurrentAlternateSetting());
    }
    virtual std::uint8_t CurrentAlternateSetting() const = 0;

    // Claims the interface for this process (taking it from a kernel driver
    // that holds it) and selects the current alternate setting on the device.
    virtual USBStatus Open() = 0;
    // Releases the interface and gives it back to a kernel driver that held
    // it. Nothing happens when it is not open.
    virtual void Close() = 0;
    // Selects an alternate setting of the description; the interface must be
    // open.
    virtual USBStatus SelectAlternateSetting(std::uint8_t setting) = 0;

    // A control request on the default pipe (device, standard or class).
    virtual USBStatus DeviceRequest(USBDevRequest& request) = 0;

    // Bulk transfers on a bulk endpoint of the current setting, in its own
    // direction (any other endpoint fails with kUSBNotFound); the interface
    // must be open. A read takes the buffer's size in *length and gives back
    // the number of bytes received, also when it fails. A time-out of 0
    // means none.
    virtual USBStatus WritePipe(std::uint8_t endpoint, const void* data, std::size_t length,
                                unsigned noDataTimeoutMs, unsigned completionTimeoutMs) = 0;
    virtual USBStatus ReadPipe(std::uint8_t endpoint, void* data, std::size_t* length,
                               unsigned noDataTimeoutMs, unsigned completionTimeoutMs) = 0;
};

class USBBus {
public:
    virtual ~USBBus() = default;

    // Every interface of every device on the bus whose first alternate
    // setting is of the printer class (7), by bus number and then device
    // address. A bus that cannot be reached at all gives its failure status
    // and no interfaces. The interfaces must go before the bus.
    virtual USBStatus PrinterInterfaces(std::vector<std::unique_ptr<USBInterface>>* found) = 0;
};
