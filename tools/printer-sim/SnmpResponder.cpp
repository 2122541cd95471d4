#include "SnmpResponder.h"

#include "BerEncoding.h"
#include "SnmpMessage.h"

namespace {

constexpr int kNoSuchName = 2;
constexpr std::string_view kNull("\x05\x00", 2);

} // namespace

SnmpExchange SnmpResponder::Respond(std::string_view datagram) const {
    SnmpExchange exchange;
    const auto request = DecodeGetRequest(datagram);
    if (!request) {
        exchange.logLines.push_back("snmp bad " + request.error);
        return exchange;
    }
    for (const auto& binding : request.value->bindings)
        exchange.logLines.push_back("snmp get " + FormatOid(binding.oid));
    // Like net-snmp, an agent stays quiet towards a community it does not know.
    if (request.value->community != m_Printer.community ||
        m_Printer.snmpBehaviour == SnmpBehaviour::Silent)
        return exchange;
    std::string response = Answer(*request.value);
    if (m_Printer.snmpBehaviour == SnmpBehaviour::Truncate)
        response.resize(std::min(response.size(), m_Printer.snmpTruncateBytes));
    exchange.response = std::move(response);
    return exchange;
}

// An SNMPv1 agent answers all or nothing: one unknown name turns the whole
// response into noSuchName with every binding set to NULL.
std::string SnmpResponder::Answer(const SnmpGetRequest& request) const {
    std::vector<std::string> values;
    for (std::size_t i = 0; i < request.bindings.size(); ++i) {
        const auto known = m_Printer.snmp.find(request.bindings[i].oid);
        if (known == m_Printer.snmp.end()) {
            const std::vector<std::string> nulls(request.bindings.size(), std::string(kNull));
            return EncodeGetResponse(request, kNoSuchName, static_cast<int>(i + 1), nulls);
        }
        values.push_back(EncodeBerElement(known->second.tag, known->second.contents));
    }
    return EncodeGetResponse(request, 0, 0, values);
}
