// Answers one SNMP datagram from the printer's description: what to log and,
// unless the request is to be ignored, the response datagram.
#pragma once

#include "PrinterDescription.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct SnmpGetRequest;

struct SnmpExchange {
    std::vector<std::string> logLines;
    std::optional<std::string> response;
};

class SnmpResponder {
public:
    explicit SnmpResponder(const PrinterDescription& printer) : m_Printer(printer) {}
    SnmpExchange Respond(std::string_view datagram) const;

private:
    std::string Answer(const SnmpGetRequest& request) const;

    const PrinterDescription& m_Printer;
};
