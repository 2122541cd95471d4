// IPv4 loopback addresses (127.0.0.0/8) in host byte order. The simulator
// answers on nothing else, so test traffic never leaves the machine.
#pragma once

#include "Outcome.h"

#include <cstdint>
#include <string>
#include <string_view>

struct AddressRange {
    std::uint32_t first = 0;
    std::uint32_t last = 0;
};

// A dotted IPv4 address; anything outside 127.0.0.0/8 is an error.
Outcome<std::uint32_t> ParseLoopbackAddress(std::string_view text);
// "FIRST-LAST", both loopback, FIRST not above LAST.
Outcome<AddressRange> ParseAddressRange(std::string_view text);
std::string FormatAddress(std::uint32_t address);
