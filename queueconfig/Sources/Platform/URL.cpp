#include "URL.h"

#include <string_view>

namespace {

bool isAlpha(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
bool isHex(char c) {
    return isDigit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

bool isURICharacter(char c) {
    static constexpr std::string_view kMarks = "-._~:/?#[]@!$&'()*+,;=";
    return isAlpha(c) || isDigit(c) || kMarks.find(c) != std::string_view::npos;
}

bool holdsOnlyURICharacters(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%') {
            if (i + 2 >= text.size() || !isHex(text[i + 1]) || !isHex(text[i + 2]))
                return false;
            i += 2;
        } else if (!isURICharacter(text[i])) {
            return false;
        }
    }
    return true;
}

// scheme = ALPHA *( ALPHA / DIGIT / "+" / "-" / "." ), followed by ":".
std::optional<std::size_t> schemeLength(std::string_view text) {
    if (text.empty() || !isAlpha(text[0]))
        return std::nullopt;
    for (std::size_t i = 1; i < text.size(); ++i) {
        const char c = text[i];
        if (c == ':')
            return i;
        if (!isAlpha(c) && !isDigit(c) && c != '+' && c != '-' && c != '.')
            return std::nullopt;
    }
    return std::nullopt;
}

std::optional<std::string> hostOf(std::string_view afterScheme) {
    if (afterScheme.substr(0, 2) != "//")
        return std::nullopt;
    std::string_view authority = afterScheme.substr(2);
    authority = authority.substr(0, authority.find_first_of("/?#"));
    if (auto at = authority.rfind('@'); at != std::string_view::npos)
        authority = authority.substr(at + 1);
    std::string_view host;
    if (!authority.empty() && authority[0] == '[') {
        const auto close = authority.find(']');
        if (close == std::string_view::npos)
            return std::nullopt;
        host = authority.substr(1, close - 1);
    } else {
        host = authority.substr(0, authority.find(':'));
    }
    if (host.empty())
        return std::nullopt;
    return std::string(host);
}

} // namespace

std::optional<URL> URL::CreateWithString(std::string_view text) {
    if (!holdsOnlyURICharacters(text))
        return std::nullopt;
    URL url;
    url.m_String = std::string(text);
    if (auto length = schemeLength(text)) {
        url.m_Scheme = std::string(text.substr(0, *length));
        url.m_Host = hostOf(text.substr(*length + 1));
    }
    return url;
}
