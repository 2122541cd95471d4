#include "Class/PrinterPort.h"

#include "Class/Error.h"
#include "Class/ReplyBuffer.h"
#include "Class/Utility.h"

#include <arpa/inet.h>
#include <cstring>
#include <new>

PrinterPort::PrinterPort(SocketCalls& sockets) : m_Sockets(sockets) {}

std::optional<std::string> PrinterPort::GetIPv4Address() {
    return std::nullopt;
}

std::optional<std::string> PrinterPort::CreateReplyCopy(const char* request, unsigned long length,
                                                        _CommandLanguage language) {
    if (language == CommandLanguagePJL || language == CommandLanguagePS) {
        // Text requests end at their NUL, or at `length` in a buffer without one.
        const std::optional<std::string> text =
            request ? std::optional<std::string>(std::in_place, request, strnlen(request, length))
                    : std::nullopt;
        return CreateTCPReplyCopy(text ? text->c_str() : nullptr,
                                  language == CommandLanguagePJL ? kReplyEndPJL : kReplyEndPS);
    }
    if (language == CommandLanguageMIB)
        return CreateUDPReplyCopy(request, length);
    return std::nullopt;
}

std::optional<std::string> PrinterPort::copyAddressText() {
    const std::optional<std::string> address = GetIPv4Address();
    if (!address)
        return std::nullopt;
    m_ReplyBufferSize = static_cast<int>(ReplyBuffer::kReplyBufferSize);
    return CopyCString(*address, kTextBufferSize);
}

bool PrinterPort::printerAddress(in_port_t port, sockaddr_in* server) const {
    *server = sockaddr_in{};
    server->sin_family = AF_INET;
    server->sin_port = htons(port);
    return inet_pton(AF_INET, m_AddressText.c_str(), &server->sin_addr) == 1;
}

namespace {

std::size_t FindMarker(std::string_view source, std::string_view marker, unsigned long options) {
    if (options & PrinterPort::kCompareBackwards)
        return source.rfind(marker);
    return source.find(marker);
}

} // namespace

std::optional<std::string> PrinterPort::CreateCFStringMid(std::string_view source,
                                                          std::string_view start,
                                                          std::string_view end,
                                                          unsigned long startOptions,
                                                          unsigned long endOptions) {
    std::size_t from = 0;
    if (!start.empty()) {
        const std::size_t found = FindMarker(source, start, startOptions);
        if (found == std::string_view::npos)
            return std::nullopt;
        from = found + start.size();
    }
    // The end is searched over the whole source, not from the start onwards.
    std::size_t to = source.size();
    if (!end.empty()) {
        to = FindMarker(source, end, endOptions);
        if (to == std::string_view::npos)
            return std::nullopt;
    }
    if (to < from)
        return std::nullopt;
    return std::string(source.substr(from, to - from));
}

void PrinterPort::SetPrinterDuplexName(const char* data, unsigned long length) {
    if (data == nullptr)
        return;
    // Only whether the printer named a duplex unit counts, not what it called it.
    m_DuplexName = length != 0 ? "DUPLEX" : "";
}

const char* PrinterPort::GetPrinterDuplexName() const {
    return m_DuplexName ? m_DuplexName->c_str() : nullptr;
}

void PrinterPort::SetPrinterVelUserName(const char* data, unsigned long length) {
    if (data == nullptr)
        return;
    try {
        m_UserName = std::string(data, length);
    } catch (const std::bad_alloc&) {
        // The old name stays.
        SetLastErrorType(kErrorOutOfMemory);
    }
}

const char* PrinterPort::GetPrinterVelUserName() const {
    return m_UserName ? m_UserName->c_str() : nullptr;
}
