#include "Oid.h"

#include <charconv>
#include <cstdint>
#include <limits>

namespace {

bool ParseArc(std::string_view text, std::uint32_t& arc) {
    if (text.empty())
        return false;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), arc);
    return error == std::errc() && end == text.data() + text.size();
}

bool ValidFirstArcs(const Oid& oid) {
    return oid.size() >= 2 && oid[0] <= 2 && (oid[0] == 2 || oid[1] < 40);
}

// BER packs the first two arcs into one sub-identifier.
void AppendFirstArcs(Oid& oid, std::uint64_t packed) {
    const std::uint64_t first = packed < 80 ? packed / 40 : 2;
    oid.push_back(static_cast<std::uint32_t>(first));
    oid.push_back(static_cast<std::uint32_t>(packed - first * 40));
}

} // namespace

Outcome<Oid> ParseDottedOid(std::string_view text) {
    Oid oid;
    for (std::size_t start = 0;;) {
        const auto dot = text.find('.', start);
        std::uint32_t arc = 0;
        if (!ParseArc(text.substr(start, dot - start), arc))
            return Outcome<Oid>::Fail("'" + std::string(text) + "' is not a dotted OID");
        oid.push_back(arc);
        if (dot == std::string_view::npos)
            break;
        start = dot + 1;
    }
    if (!ValidFirstArcs(oid))
        return Outcome<Oid>::Fail("'" + std::string(text) + "' does not start with a valid arc");
    return Outcome<Oid>::Ok(std::move(oid));
}

Outcome<Oid> DecodeOid(std::string_view contents) {
    if (contents.empty())
        return Outcome<Oid>::Fail("empty OID");
    Oid oid;
    std::uint64_t value = 0;
    bool inArc = false;
    for (const char c : contents) {
        const auto byte = static_cast<std::uint8_t>(c);
        value = value << 7 | (byte & 0x7f);
        inArc = (byte & 0x80) != 0;
        if (value > std::numeric_limits<std::uint32_t>::max() + std::uint64_t{80})
            return Outcome<Oid>::Fail("OID arc too large");
        if (inArc)
            continue;
        if (oid.empty())
            AppendFirstArcs(oid, value);
        else if (value > std::numeric_limits<std::uint32_t>::max())
            return Outcome<Oid>::Fail("OID arc too large");
        else
            oid.push_back(static_cast<std::uint32_t>(value));
        value = 0;
    }
    if (inArc)
        return Outcome<Oid>::Fail("OID ends inside an arc");
    return Outcome<Oid>::Ok(std::move(oid));
}

std::string FormatOid(const Oid& oid) {
    std::string text;
    for (const auto arc : oid) {
        if (!text.empty())
            text += '.';
        text += std::to_string(arc);
    }
    return text;
}
