// Reading the values of a description's lines; each takes the value text as
// written (escapes not yet expanded).
#pragma once

#include "Outcome.h"
#include "PrinterDescription.h"

#include <cstdint>
#include <string_view>

// Plain text: an OCTET STRING of its (expanded) bytes; "int:N": an INTEGER;
// "hex:HEX": an OCTET STRING of those raw bytes.
Outcome<SnmpValue> ParseSnmpValue(std::string_view text);
Outcome<TcpBehaviour> ParseTcpBehaviour(std::string_view text);

struct SnmpBehaviourSetting {
    SnmpBehaviour behaviour = SnmpBehaviour::Normal;
    std::size_t truncateBytes = 0;
};
// "normal", "silent" or "truncate:N".
Outcome<SnmpBehaviourSetting> ParseSnmpBehaviour(std::string_view text);

// A decimal count from `least` to `most`.
Outcome<std::uint64_t> ParseCount(std::string_view text, std::uint64_t least, std::uint64_t most);
