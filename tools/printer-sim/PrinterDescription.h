// What one simulated printer answers, and how it misbehaves, as read from its
// description file. The file has one "key = value" a line ('#' starts a comment
// line); values take the escapes \r \n \f \t \\ \" \xHH.
//   snmp OID = text | int:N | hex:HEX    the value of a GetRequest for OID
//   pjl NAME = value                     @PJL DINQUIRE/INQUIRE/INFO NAME
//   ps TEXT = value                      a PostScript query holding TEXT (escapes too)
//   ps-default = value                   no ps entry matches (Unknown)
//   community = name                     others get no answer (public)
//   tcp-behaviour = normal | silent | slow | refuse | close-mid-reply
//                   | status-first | oversized
//   snmp-behaviour = normal | silent | truncate:N
//   slow-interval-ms = N                 slow: one byte every N ms (2000)
//   status-text = value                  status-first: sent before each reply
//   oversize-line-bytes = N, oversize-bytes = N    oversized: 12000, 150000
#pragma once

#include "Oid.h"
#include "Outcome.h"

#include <chrono>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

enum class TcpBehaviour { Normal, Silent, Slow, Refuse, CloseMidReply, StatusFirst, Oversized };
enum class SnmpBehaviour { Normal, Silent, Truncate };

// A variable binding's value as BER type and contents octets.
struct SnmpValue {
    std::uint8_t tag = 0;
    std::string contents;
};

struct PostScriptAnswer {
    std::string text; // answers every program that holds this text
    std::string value;
};

struct PrinterDescription {
    std::map<Oid, SnmpValue> snmp;
    std::map<std::string, std::string, std::less<>> pjl;
    std::vector<PostScriptAnswer> ps; // file order: the first match answers
    std::string psDefault = "Unknown";
    std::string community = "public";
    TcpBehaviour tcpBehaviour = TcpBehaviour::Normal;
    SnmpBehaviour snmpBehaviour = SnmpBehaviour::Normal;
    std::size_t snmpTruncateBytes = 0;
    std::chrono::milliseconds slowInterval{2000};
    std::string statusText =
        "@PJL USTATUS DEVICE\r\nCODE=10001\r\nDISPLAY=\"READY\"\r\nONLINE=TRUE\r\n\f";
    std::size_t oversizeLineBytes = 12000;
    std::size_t oversizeBytes = 150000;
};

// Errors read "FILE:LINE: what is wrong".
Outcome<PrinterDescription> ParsePrinterDescription(std::string_view text,
                                                    std::string_view fileName);
