#include "LoopbackAddress.h"

#include <arpa/inet.h>

Outcome<std::uint32_t> ParseLoopbackAddress(std::string_view text) {
    const std::string copy(text);
    in_addr parsed{};
    if (inet_pton(AF_INET, copy.c_str(), &parsed) != 1)
        return Outcome<std::uint32_t>::Fail("'" + copy + "' is not an IPv4 address");
    const std::uint32_t address = ntohl(parsed.s_addr);
    if (address >> 24 != 127)
        return Outcome<std::uint32_t>::Fail(copy + " is outside 127.0.0.0/8");
    return Outcome<std::uint32_t>::Ok(address);
}

Outcome<AddressRange> ParseAddressRange(std::string_view text) {
    const auto dash = text.find('-');
    if (dash == std::string_view::npos)
        return Outcome<AddressRange>::Fail("an address range is FIRST-LAST");
    const auto first = ParseLoopbackAddress(text.substr(0, dash));
    if (!first)
        return Outcome<AddressRange>::Fail(first.error);
    const auto last = ParseLoopbackAddress(text.substr(dash + 1));
    if (!last)
        return Outcome<AddressRange>::Fail(last.error);
    if (*first.value > *last.value)
        return Outcome<AddressRange>::Fail("the range " + std::string(text) + " runs backwards");
    return Outcome<AddressRange>::Ok({*first.value, *last.value});
}

std::string FormatAddress(std::uint32_t address) {
    in_addr raw{};
    raw.s_addr = htonl(address);
    char text[INET_ADDRSTRLEN] = {};
    inet_ntop(AF_INET, &raw, text, sizeof text);
    return text;
}
