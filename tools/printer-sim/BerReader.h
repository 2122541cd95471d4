// Walks BER elements (tag, length, contents) inside one buffer. Every length is
// checked against the end of the buffer before anything behind it is read.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

struct BerElement {
    std::uint8_t tag = 0;
    std::string_view contents; // a view into the walked buffer
};

class BerReader {
public:
    explicit BerReader(std::string_view data) : m_Data(data) {}

    bool AtEnd() const { return m_Position == m_Data.size(); }
    // The next element; none at the end or when it is malformed, with Error() saying why.
    std::optional<BerElement> Next();
    // Next(), which must carry `tag`; `what` names it in the error.
    std::optional<BerElement> Expect(std::uint8_t tag, std::string_view what);
    const std::string& Error() const { return m_Error; }

private:
    std::optional<std::size_t> ReadLength();
    std::nullopt_t Fail(std::string why);

    std::string_view m_Data;
    std::size_t m_Position = 0;
    std::string m_Error;
};

// The value of INTEGER contents (two's complement, 1 to 8 octets).
std::optional<std::int64_t> DecodeBerInteger(std::string_view contents);
// "0xA0" and the like, for error texts.
std::string BerTagName(std::uint8_t tag);
