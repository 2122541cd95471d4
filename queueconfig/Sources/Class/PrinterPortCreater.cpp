#include "Class/PrinterPortCreater.h"

#include "Class/BonjourPort.h"
#include "Class/LPDPort.h"
#include "Class/USBPort.h"

std::unique_ptr<PrinterPort> PrinterPortCreater::CreatePort(const std::optional<URL>& uri,
                                                            const std::string& queueName,
                                                            const std::string& queueID,
                                                            EventLoop& loop, SocketCalls& sockets) {
    if (!uri || uri->GetString().empty() || !uri->GetScheme())
        return nullptr;
    const std::string& scheme = *uri->GetScheme();
    if (scheme == "usb" || scheme == "velusb")
        return std::make_unique<USBPort>(uri->GetString());
    if (scheme == "mdns" || scheme == "dnssd")
        return std::make_unique<BonjourPort>(queueName, queueID, uri->GetString(), loop, sockets);
    if (scheme == "lpd" || scheme == "socket" || scheme == "ipp")
        return std::make_unique<LPDPort>(*uri, sockets);
    return nullptr;
}
