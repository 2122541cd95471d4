#include "Class/USBPort.h"

USBPort::USBPort(const std::string& uriString) : m_URIString(uriString) {}

std::optional<std::string> USBPort::CreateReplyCopy(const char*, unsigned long, _CommandLanguage) {
    return std::nullopt;
}
