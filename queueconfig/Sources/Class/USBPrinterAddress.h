// The identity that one USB printer reports, in UTF-8: from its string
// descriptors, or else from its IEEE 1284 device ID. Each none when the
// printer does not say. It lives for one candidate of a search.
#pragma once

#include <optional>
#include <string>

struct USBPrinterAddress {
    std::optional<std::string> manufacturer;
    std::optional<std::string> product;
    std::optional<std::string> serialNumber;
};
