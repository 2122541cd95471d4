// Object identifiers as lists of arcs: parsed from the description's dotted
// text, decoded from the BER contents of a request, and written back as text.
#pragma once

#include "Outcome.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

using Oid = std::vector<std::uint32_t>;

// "1.3.6.1..." with at least two arcs, the first 0..2 (and the second below 40
// unless the first is 2), each arc within 32 bits.
Outcome<Oid> ParseDottedOid(std::string_view text);
// The contents octets of an OBJECT IDENTIFIER, bounded by `contents`.
Outcome<Oid> DecodeOid(std::string_view contents);
std::string FormatOid(const Oid& oid);
