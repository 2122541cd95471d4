// The SNMP version 1 GetRequest for the printer's user code, object
// 1.3.6.1.4.1.3172.1.1.1.1.1.3000.0, complete and fixed: every length fits in
// one byte, so the answer's value stands at a known place (see
// SnmpReplyDecoder.h).
#pragma once

#include <array>

// The read community the printers' agents accept.
inline constexpr char kSnmpReadCommunity[] = "public";

inline constexpr std::array<unsigned char, 50> kSnmpUserCodeRequest = {
    0x30, 0x30,                                     // message, 48 bytes
    0x02, 0x01, 0x00,                               // version 0: SNMPv1
    0x04, 0x06, 'p',  'u',  'b',  'l',  'i',  'c',  // community
    0xA0, 0x23,                                     // GetRequest-PDU, 35 bytes
    0x02, 0x04, 0x57, 0xDA, 0xB9, 0x28,             // request ID
    0x02, 0x01, 0x00,                               // error status
    0x02, 0x01, 0x00,                               // error index
    0x30, 0x15,                                     // variable bindings
    0x30, 0x13,                                     // the one binding
    0x06, 0x0F, 0x2B, 0x06, 0x01, 0x04, 0x01, 0x98, // object identifier
    0x64, 0x01, 0x01, 0x01, 0x01, 0x01, 0x97, 0x38, //
    0x00,                                           //
    0x05, 0x00,                                     // NULL: the value's place
};

static_assert(
    [] {
        for (int i = 0; i < 6; ++i)
            if (kSnmpUserCodeRequest[7 + i] != static_cast<unsigned char>(kSnmpReadCommunity[i]))
                return false;
        return sizeof(kSnmpReadCommunity) == 7;
    }(),
    "the request carries the six-byte read community");
