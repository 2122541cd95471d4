// A device URI, checked as strictly as a URL parser of the platform would:
// only characters that a URI may hold, percent signs followed by two hex digits.
#pragma once

#include <optional>
#include <string>
#include <string_view>

class URL {
public:
    // None when the text holds a character that no URI may hold.
    static std::optional<URL> CreateWithString(std::string_view text);

    const std::string& GetString() const { return m_String; }
    // The scheme as written (letter case kept); none for a relative reference.
    const std::optional<std::string>& GetScheme() const { return m_Scheme; }
    // The host of the authority part as written; none without one.
    const std::optional<std::string>& GetHost() const { return m_Host; }

    bool operator==(const URL&) const = default;

private:
    URL() = default;
    std::string m_String;
    std::optional<std::string> m_Scheme;
    std::optional<std::string> m_Host;
};
