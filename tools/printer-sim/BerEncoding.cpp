#include "BerEncoding.h"

std::string EncodeBerLength(std::size_t length) {
    if (length < 0x80)
        return std::string(1, static_cast<char>(length));
    std::string octets;
    for (; length > 0; length >>= 8)
        octets.insert(octets.begin(), static_cast<char>(length & 0xff));
    return static_cast<char>(0x80 | octets.size()) + octets;
}

std::string EncodeBerElement(std::uint8_t tag, std::string_view contents) {
    return static_cast<char>(tag) + EncodeBerLength(contents.size()) + std::string(contents);
}

std::string EncodeBerIntegerContents(std::int64_t value) {
    std::string octets;
    auto bits = static_cast<std::uint64_t>(value);
    for (int i = 0; i < 8; ++i, bits >>= 8)
        octets.insert(octets.begin(), static_cast<char>(bits & 0xff));
    // Drop leading octets that only repeat the sign of the next one.
    while (octets.size() > 1) {
        const auto lead = static_cast<std::uint8_t>(octets[0]);
        const bool nextNegative = (static_cast<std::uint8_t>(octets[1]) & 0x80) != 0;
        if (!((lead == 0x00 && !nextNegative) || (lead == 0xff && nextNegative)))
            break;
        octets.erase(octets.begin());
    }
    return octets;
}

std::string EncodeBerInteger(std::int64_t value) {
    return EncodeBerElement(0x02, EncodeBerIntegerContents(value));
}
