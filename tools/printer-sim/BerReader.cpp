#include "BerReader.h"

#include <cstdio>

std::nullopt_t BerReader::Fail(std::string why) {
    m_Error = std::move(why);
    m_Position = m_Data.size();
    return std::nullopt;
}

std::optional<std::size_t> BerReader::ReadLength() {
    if (m_Position == m_Data.size())
        return Fail("length missing");
    const auto first = static_cast<std::uint8_t>(m_Data[m_Position++]);
    if (first < 0x80)
        return first;
    const std::size_t octets = first & 0x7f;
    if (octets == 0)
        return Fail("indefinite length");
    if (octets > 4)
        return Fail("length of " + std::to_string(octets) + " octets");
    if (octets > m_Data.size() - m_Position)
        return Fail("length runs past the end");
    std::size_t length = 0;
    for (std::size_t i = 0; i < octets; ++i)
        length = length << 8 | static_cast<std::uint8_t>(m_Data[m_Position++]);
    return length;
}

std::optional<BerElement> BerReader::Next() {
    if (m_Position == m_Data.size())
        return Fail("element missing");
    BerElement element;
    element.tag = static_cast<std::uint8_t>(m_Data[m_Position++]);
    if ((element.tag & 0x1f) == 0x1f)
        return Fail("multi-octet tag");
    const auto length = ReadLength();
    if (!length)
        return std::nullopt;
    if (*length > m_Data.size() - m_Position)
        return Fail("contents run past the end");
    element.contents = m_Data.substr(m_Position, *length);
    m_Position += *length;
    return element;
}

std::optional<BerElement> BerReader::Expect(std::uint8_t tag, std::string_view what) {
    const auto element = Next();
    if (!element) {
        m_Error = std::string(what) + ": " + m_Error;
        return std::nullopt;
    }
    if (element->tag != tag)
        return Fail(std::string(what) + ": tag " + BerTagName(element->tag) + " where " +
                    BerTagName(tag) + " belongs");
    return element;
}

std::optional<std::int64_t> DecodeBerInteger(std::string_view contents) {
    if (contents.empty() || contents.size() > 8)
        return std::nullopt;
    // Sign-extend from the first octet, then shift the rest in.
    std::uint64_t value = static_cast<std::uint8_t>(contents[0]) & 0x80 ? ~std::uint64_t{0} : 0;
    for (const char c : contents)
        value = value << 8 | static_cast<std::uint8_t>(c);
    return static_cast<std::int64_t>(value);
}

std::string BerTagName(std::uint8_t tag) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", tag);
    return text;
}
