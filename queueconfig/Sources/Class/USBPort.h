// The port of "usb" and "velusb" queues. USB printers are not reached yet:
// every query gives no reply, and a USB port never has an IPv4 address.
#pragma once

#include "Class/PrinterPort.h"

class USBPort : public PrinterPort {
public:
    explicit USBPort(const std::string& uriString);

    std::optional<std::string> CreateReplyCopy(const char* request, unsigned long length,
                                               _CommandLanguage language) override;

private:
    std::string m_URIString;
};
