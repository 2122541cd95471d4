#include "SnmpMessage.h"

#include "BerEncoding.h"
#include "BerReader.h"

namespace {

constexpr std::uint8_t kInteger = 0x02;
constexpr std::uint8_t kOctetString = 0x04;
constexpr std::uint8_t kOid = 0x06;
constexpr std::uint8_t kSequence = 0x30;
constexpr std::uint8_t kGetRequest = 0xA0;
constexpr std::uint8_t kGetResponse = 0xA2;

using Decoded = Outcome<SnmpGetRequest>;

// The contents of the single element that fills `data`, tagged `tag`.
Outcome<std::string_view> Only(std::string_view data, std::uint8_t tag, std::string_view what) {
    BerReader reader(data);
    const auto element = reader.Expect(tag, what);
    if (!element)
        return Outcome<std::string_view>::Fail(reader.Error());
    if (!reader.AtEnd())
        return Outcome<std::string_view>::Fail(std::string(what) + ": trailing bytes");
    return Outcome<std::string_view>::Ok(element->contents);
}

std::optional<std::string> ReadInteger(BerReader& reader, std::string_view what,
                                       std::int64_t* value) {
    const auto element = reader.Expect(kInteger, what);
    if (!element)
        return reader.Error();
    const auto decoded = DecodeBerInteger(element->contents);
    if (!decoded)
        return std::string(what) + ": integer of " + std::to_string(element->contents.size()) +
               " octets";
    if (value)
        *value = *decoded;
    return std::nullopt;
}

Outcome<SnmpBinding> DecodeBinding(std::string_view contents) {
    BerReader reader(contents);
    const auto oid = reader.Expect(kOid, "binding name");
    if (!oid)
        return Outcome<SnmpBinding>::Fail(reader.Error());
    if (!reader.Next())
        return Outcome<SnmpBinding>::Fail("binding value: " + reader.Error());
    if (!reader.AtEnd())
        return Outcome<SnmpBinding>::Fail("binding: trailing bytes");
    auto decoded = DecodeOid(oid->contents);
    if (!decoded)
        return Outcome<SnmpBinding>::Fail(decoded.error);
    return Outcome<SnmpBinding>::Ok({std::move(*decoded.value), std::string(oid->contents)});
}

std::optional<std::string> DecodeBindings(std::string_view list, SnmpGetRequest& request) {
    BerReader reader(list);
    while (!reader.AtEnd()) {
        const auto binding = reader.Expect(kSequence, "binding");
        if (!binding)
            return reader.Error();
        auto decoded = DecodeBinding(binding->contents);
        if (!decoded)
            return decoded.error;
        request.bindings.push_back(std::move(*decoded.value));
    }
    return std::nullopt;
}

std::optional<std::string> DecodePdu(std::string_view pdu, SnmpGetRequest& request) {
    BerReader reader(pdu);
    const auto requestId = reader.Expect(kInteger, "request-id");
    if (!requestId)
        return reader.Error();
    if (!DecodeBerInteger(requestId->contents))
        return "request-id: integer of " + std::to_string(requestId->contents.size()) + " octets";
    request.requestIdContents = requestId->contents;
    if (auto error = ReadInteger(reader, "error-status", nullptr))
        return error;
    if (auto error = ReadInteger(reader, "error-index", nullptr))
        return error;
    const auto list = reader.Expect(kSequence, "binding list");
    if (!list)
        return reader.Error();
    if (!reader.AtEnd())
        return "PDU: trailing bytes";
    return DecodeBindings(list->contents, request);
}

} // namespace

Outcome<SnmpGetRequest> DecodeGetRequest(std::string_view datagram) {
    const auto message = Only(datagram, kSequence, "message");
    if (!message)
        return Decoded::Fail(message.error);
    BerReader reader(*message.value);
    SnmpGetRequest request;
    if (auto error = ReadInteger(reader, "version", &request.version))
        return Decoded::Fail(*error);
    if (request.version != 0)
        return Decoded::Fail("version " + std::to_string(request.version) + " is not SNMPv1");
    const auto community = reader.Expect(kOctetString, "community");
    if (!community)
        return Decoded::Fail(reader.Error());
    request.community = community->contents;
    const auto pdu = reader.Next();
    if (!pdu)
        return Decoded::Fail("PDU: " + reader.Error());
    if (pdu->tag != kGetRequest)
        return Decoded::Fail("PDU type " + BerTagName(pdu->tag) + " is not a GetRequest");
    if (!reader.AtEnd())
        return Decoded::Fail("message: trailing bytes");
    if (auto error = DecodePdu(pdu->contents, request))
        return Decoded::Fail(*error);
    return Decoded::Ok(std::move(request));
}

std::string EncodeGetResponse(const SnmpGetRequest& request, int errorStatus, int errorIndex,
                              const std::vector<std::string>& values) {
    std::string list;
    for (std::size_t i = 0; i < request.bindings.size() && i < values.size(); ++i)
        list += EncodeBerElement(
            kSequence, EncodeBerElement(kOid, request.bindings[i].oidContents) + values[i]);
    const std::string pdu = EncodeBerElement(kInteger, request.requestIdContents) +
                            EncodeBerInteger(errorStatus) + EncodeBerInteger(errorIndex) +
                            EncodeBerElement(kSequence, list);
    return EncodeBerElement(kSequence, EncodeBerInteger(request.version) +
                                           EncodeBerElement(kOctetString, request.community) +
                                           EncodeBerElement(kGetResponse, pdu));
}
