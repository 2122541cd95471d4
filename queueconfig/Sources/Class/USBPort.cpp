// The USB port's identity from the device URI, and its queries: one PJL or
// PostScript query per call, on a printer searched and opened afresh.
#include "Class/USBPort.h"

#include "Class/Error.h"
#include "Class/TextConversion.h"
#include "Class/Utility.h"
#include "Platform/LibusbBus.h"

#include <cstring>
#include <new>

namespace {

// Switches the printer's unsolicited status messages off, so that they do not
// stand between a query and its answer; nothing is read back.
constexpr char kStatusOffRequest[] = "\x1b%-12345X@PJL USTATUS DEVICE=OFF\r\n"
                                     "@PJL USTATUS VELDEVICE=OFF\r\n\x1b%-12345X";
// Asks for the status settings; the answer is read until its echo leads the
// reply, which drains whatever the printer sent before.
constexpr char kStatusInfoRequest[] = "\x1b%-12345X@PJL INFO USTATUS\r\n\x1b%-12345X";

} // namespace

USBPort::USBPort(const std::string& uriString, std::unique_ptr<USBBus> bus)
    : m_Bus(bus ? std::move(bus) : std::make_unique<LibusbBus>()) {
    CreateManufactureModelSerial(uriString);
}

void USBPort::CreateManufactureModelSerial(const std::string& uriString) {
    // "usb://" is found inside "velusb://" as well.
    std::optional<std::string> manufacturer =
        CreateCFStringMid(uriString, "usb://", ":", 0, kCompareBackwards);
    std::optional<std::string> model, serial;
    if (manufacturer && !manufacturer->empty()) {
        model = CreateCFStringMid(uriString, ":", "/", kCompareBackwards, kCompareBackwards);
        serial = CreateCFStringMid(uriString, "/", "", kCompareBackwards, 0);
    } else {
        manufacturer = CreateCFStringMid(uriString, "usb://", "/", 0, kCompareBackwards);
        model = CreateCFStringMid(uriString, "/", "?serial=", kCompareBackwards, kCompareBackwards);
        serial = CreateCFStringMid(uriString, "?serial=", "", kCompareBackwards, 0);
    }
    if (manufacturer)
        manufacturer = PercentDecode(*manufacturer);
    if (model)
        model = PercentDecode(*model);
    // A queue without its whole identity matches no printer.
    if (!manufacturer || !model || !serial)
        return;
    m_Manufacturer = std::string(CText(*manufacturer));
    m_Model = std::string(CText(*model));
    m_SerialNumber = std::string(CText(*serial));
}

std::optional<std::string> USBPort::CreateReplyCopy(const char* request, unsigned long length,
                                                    _CommandLanguage language) {
    if (language != CommandLanguagePJL && language != CommandLanguagePS)
        return std::nullopt;
    std::unique_ptr<ReplyBuffer> reply;
    try {
        reply = std::make_unique<ReplyBuffer>();
    } catch (const std::bad_alloc&) {
        SetLastErrorType(kErrorOutOfMemory);
        return std::nullopt;
    }
    // Text requests end at their NUL, or at `length` in a buffer without one.
    const std::string text = request ? std::string(request, strnlen(request, length)) : "";
    // A request that does not fit the work buffer would go out cut, without
    // its closing universal exit; it is not sent at all.
    if (text.size() >= kWorkBufferSize)
        return reply->Release();
    if (language == CommandLanguagePJL)
        Read_Setting_PJL(text.c_str(), *reply);
    else
        Read_Setting_PS(text.c_str(), *reply);
    return reply->Release();
}

short USBPort::Read_Setting_PJL(const char* request, ReplyBuffer& reply) {
    USBIOContext context;
    unsigned char alreadyOpen = 0;
    if (!m_StatusOff) {
        if (main_usb(context, reply, kStatusOffRequest, 0, 0, kReadModeNone) == kUSBSuccess &&
            main_usb(context, reply, kStatusInfoRequest, 1, 1, kReadModeReply) == kUSBSuccess) {
            m_StatusOff = 1;
            alreadyOpen = 1;
        } else {
            close_usb(context);
            return 0;
        }
    }
    reply.Clear();
    main_usb(context, reply, request, alreadyOpen, 1, kReadModeReply);
    close_usb(context);
    return 0;
}

short USBPort::Read_Setting_PS(const char* request, ReplyBuffer& reply) {
    USBIOContext context;
    reply.Clear();
    m_Deadline = std::chrono::steady_clock::now() + kExchangeDeadline;
    write_file_ps(context, reply, request, 0, 1, kReadModeReply);
    close_usb(context);
    return 0;
}
