// The port of "usb" and "velusb" queues. The device URI names the printer by
// manufacturer, model and serial number; before every query the port walks
// the machine's printer-class interfaces, takes the first whose identity
// matches the queue's, opens it, writes the request to its bulk-out pipe and
// reads the reply from its bulk-in pipe. PJL replies are synchronised on the
// printer's echo of the command line. A USB port never has an IPv4 address,
// so SNMP does not reach its printer.
#pragma once

#include "Class/PrinterPort.h"
#include "Class/ReplyBuffer.h"
#include "Class/USBIOContext.h"
#include "Class/USBPrinterAddress.h"
#include "Platform/USBBus.h"

#include <chrono>
#include <memory>

class USBPort : public PrinterPort {
public:
    // The work buffer of a request (so at most 1023 bytes go out) and the
    // sizes of the pieces written and read.
    static constexpr std::size_t kWorkBufferSize = 1024;
    static constexpr std::size_t kWritePieceSize = 64;
    static constexpr std::size_t kReadPieceSize = 512;
    // How long one exchange may go on reading past unsolicited status
    // messages and empty replies before it gives up waiting for the echo.
    static constexpr std::chrono::seconds kExchangeDeadline{5};

    // Read modes of one exchange.
    static constexpr short kReadModeReply = 2;
    static constexpr short kReadModeNone = 3;

    // Match flags of the queue's identity.
    static constexpr short kNotMatched = -1;
    static constexpr short kMatched = 0;

    // `bus` is the machine's USB bus; null takes the real one (libusb).
    explicit USBPort(const std::string& uriString, std::unique_ptr<USBBus> bus = nullptr);

    std::optional<std::string> CreateReplyCopy(const char* request, unsigned long length,
                                               _CommandLanguage language) override;

    // The queue's identity from its device URI; each none when the URI does
    // not give all three.
    const std::optional<std::string>& Manufacturer() const { return m_Manufacturer; }
    const std::optional<std::string>& Model() const { return m_Model; }
    const std::optional<std::string>& SerialNumber() const { return m_SerialNumber; }
    bool StatusSwitchedOff() const { return m_StatusOff != 0; }

    // The value of `key` in an IEEE 1284 device ID (the ID's bytes including
    // its two length bytes): from behind the first case-insensitive match of
    // the key up to the next ";" or the end. None when the key is not found
    // with at least one byte behind it.
    static std::optional<std::string> create_1284_substring(std::string_view id,
                                                            std::string_view key);
    // Whether `text` begins with `key`, letter case ignored; `text` holds at
    // least as many bytes as `key`.
    static bool match_1284_key(const char* text, std::string_view key);

private:
    void CreateManufactureModelSerial(const std::string& uriString);

    // Discovery: find, open and inspect the queue's printer interface.
    USBStatus open_pipes(USBIOContext& context);
    USBStatus open_usb(USBIOContext& context);
    void close_usb(USBIOContext& context);
    void selectBidirectionalSetting(USBInterface& interface);
    void usb_create_persistent_printer_address(USBInterface& interface, USBPrinterAddress* address);
    void matchIdentity(const USBPrinterAddress& address, const std::optional<std::string>& model);
    void resetMatchFlags();
    bool allMatched() const;
    static void usb_dispose_persistent_printer_address(USBPrinterAddress* address);
    static USBStatus GetDescriptor(USBInterface& interface, unsigned char type, unsigned char index,
                                   void* buffer, unsigned short* length);
    static USBStatus usb_create_string(USBInterface& interface, unsigned char index,
                                       std::optional<std::string>* utf16);
    static USBStatus usb_create_1284_device_id(USBInterface& interface,
                                               std::optional<std::string>* id);
    static USBStatus DeviceRequest(USBInterface& interface, std::uint8_t requestType,
                                   std::uint8_t request, std::uint16_t value, std::uint16_t index,
                                   void* buffer, unsigned short* length);

    // The exchange.
    // One query into `reply`, the reply block of the running query.
    short Read_Setting_PJL(const char* request, ReplyBuffer& reply);
    short Read_Setting_PS(const char* request, ReplyBuffer& reply);
    USBStatus main_usb(USBIOContext& context, ReplyBuffer& reply, const char* request,
                       unsigned char alreadyOpen, short groups, short mode);
    USBStatus write_file(USBIOContext& context, ReplyBuffer& reply, const char* request,
                         unsigned char alreadyOpen, short groups, short mode);
    USBStatus write_file_ps(USBIOContext& context, ReplyBuffer& reply, const char* request,
                            unsigned char alreadyOpen, short groups, short mode);
    USBStatus exchange(USBIOContext& context, ReplyBuffer& reply, const char* request,
                       unsigned char alreadyOpen, short groups, short mode, bool postScript);
    USBStatus openPrinter(USBIOContext& context);
    USBStatus writeRequest(USBIOContext& context, const char* request, bool postScript);
    USBStatus readGroups(USBIOContext& context, ReplyBuffer& reply, short groups, bool postScript);
    USBStatus failRead(USBStatus status);
    bool pastDeadline() const;

    std::unique_ptr<USBBus> m_Bus;
    short m_ManufacturerMatch = kNotMatched;
    short m_ModelMatch = kNotMatched;
    short m_SerialMatch = kNotMatched;
    std::optional<std::string> m_Manufacturer;
    std::optional<std::string> m_Model;
    std::optional<std::string> m_SerialNumber;
    unsigned char m_StatusOff = 0;
    // The end of the running exchange's time.
    std::chrono::steady_clock::time_point m_Deadline{};
};
