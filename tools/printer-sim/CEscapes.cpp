#include "CEscapes.h"

#include <cstdint>
#include <optional>

namespace {

std::optional<char> SimpleEscape(char letter) {
    switch (letter) {
    case 'r':
        return '\r';
    case 'n':
        return '\n';
    case 'f':
        return '\f';
    case 't':
        return '\t';
    case '\\':
        return '\\';
    case '"':
        return '"';
    default:
        return std::nullopt;
    }
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// The byte of the two hex digits at `at`, none when they are not both there.
std::optional<char> HexByte(std::string_view text, std::size_t at) {
    if (at + 2 > text.size())
        return std::nullopt;
    const int high = HexDigit(text[at]);
    const int low = HexDigit(text[at + 1]);
    if (high < 0 || low < 0)
        return std::nullopt;
    return static_cast<char>(high * 16 + low);
}

const char* LogEscape(char c) {
    switch (c) {
    case '\r':
        return "\\r";
    case '\n':
        return "\\n";
    case '\f':
        return "\\f";
    case '\t':
        return "\\t";
    case '\\':
        return "\\\\";
    case '\x1b':
        return "\\e";
    default:
        return nullptr;
    }
}

} // namespace

Outcome<std::string> ExpandEscapes(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            out += text[i];
            continue;
        }
        if (i + 1 == text.size())
            return Outcome<std::string>::Fail("backslash at the end of the value");
        const char letter = text[++i];
        if (const auto simple = SimpleEscape(letter)) {
            out += *simple;
        } else if (letter == 'x') {
            const auto byte = HexByte(text, i + 1);
            if (!byte)
                return Outcome<std::string>::Fail("\\x needs two hex digits");
            out += *byte;
            i += 2;
        } else {
            return Outcome<std::string>::Fail(std::string("unknown escape \\") + letter);
        }
    }
    return Outcome<std::string>::Ok(std::move(out));
}

std::string EscapeForLog(std::string_view bytes) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (const char c : bytes) {
        const auto byte = static_cast<std::uint8_t>(c);
        if (const char* named = LogEscape(c)) {
            out += named;
        } else if (byte < 0x20 || byte >= 0x7f) {
            out += "\\x";
            out += kHex[byte >> 4];
            out += kHex[byte & 0x0f];
        } else {
            out += c;
        }
    }
    return out;
}
