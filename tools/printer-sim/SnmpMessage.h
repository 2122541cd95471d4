// SNMPv1 GetRequest and GetResponse messages:
//   SEQUENCE { INTEGER version, OCTET STRING community,
//              PDU { INTEGER request-id, INTEGER error-status, INTEGER error-index,
//                    SEQUENCE OF SEQUENCE { OBJECT IDENTIFIER, value } } }
#pragma once

#include "Oid.h"
#include "Outcome.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct SnmpBinding {
    Oid oid;
    std::string oidContents; // as received, so the response echoes it unchanged
};

struct SnmpGetRequest {
    std::int64_t version = 0;
    std::string community;
    std::string requestIdContents; // as received
    std::vector<SnmpBinding> bindings;
};

// Only version 0 GetRequests pass; the error names what is wrong.
Outcome<SnmpGetRequest> DecodeGetRequest(std::string_view datagram);

// `values` are whole BER elements, one for each binding of `request`.
std::string EncodeGetResponse(const SnmpGetRequest& request, int errorStatus, int errorIndex,
                              const std::vector<std::string>& values);
