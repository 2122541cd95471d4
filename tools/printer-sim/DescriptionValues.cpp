#include "DescriptionValues.h"

#include "BerEncoding.h"
#include "CEscapes.h"

#include <charconv>
#include <utility>

namespace {

constexpr std::uint8_t kInteger = 0x02;
constexpr std::uint8_t kOctetString = 0x04;

Outcome<SnmpValue> IntegerValue(std::string_view digits) {
    std::int64_t number = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size())
        return Outcome<SnmpValue>::Fail("int: needs a whole number, not '" + std::string(digits) +
                                        "'");
    return Outcome<SnmpValue>::Ok({kInteger, EncodeBerIntegerContents(number)});
}

Outcome<SnmpValue> HexValue(std::string_view hex) {
    std::string bytes;
    if (hex.size() % 2 != 0)
        return Outcome<SnmpValue>::Fail("hex: needs pairs of hex digits");
    for (std::size_t i = 0; i < hex.size(); i += 2) {
        unsigned byte = 0;
        const auto [end, error] = std::from_chars(hex.data() + i, hex.data() + i + 2, byte, 16);
        if (error != std::errc() || end != hex.data() + i + 2)
            return Outcome<SnmpValue>::Fail("hex: needs pairs of hex digits");
        bytes += static_cast<char>(byte);
    }
    return Outcome<SnmpValue>::Ok({kOctetString, std::move(bytes)});
}

} // namespace

Outcome<SnmpValue> ParseSnmpValue(std::string_view text) {
    if (text.starts_with("int:"))
        return IntegerValue(text.substr(4));
    if (text.starts_with("hex:"))
        return HexValue(text.substr(4));
    auto expanded = ExpandEscapes(text);
    if (!expanded)
        return Outcome<SnmpValue>::Fail(expanded.error);
    return Outcome<SnmpValue>::Ok({kOctetString, std::move(*expanded.value)});
}

Outcome<TcpBehaviour> ParseTcpBehaviour(std::string_view text) {
    static constexpr std::pair<std::string_view, TcpBehaviour> kNames[] = {
        {"normal", TcpBehaviour::Normal},
        {"silent", TcpBehaviour::Silent},
        {"slow", TcpBehaviour::Slow},
        {"refuse", TcpBehaviour::Refuse},
        {"close-mid-reply", TcpBehaviour::CloseMidReply},
        {"status-first", TcpBehaviour::StatusFirst},
        {"oversized", TcpBehaviour::Oversized},
    };
    for (const auto& [name, behaviour] : kNames)
        if (name == text)
            return Outcome<TcpBehaviour>::Ok(behaviour);
    return Outcome<TcpBehaviour>::Fail("unknown tcp-behaviour '" + std::string(text) + "'");
}

Outcome<SnmpBehaviourSetting> ParseSnmpBehaviour(std::string_view text) {
    if (text == "normal")
        return Outcome<SnmpBehaviourSetting>::Ok({SnmpBehaviour::Normal, 0});
    if (text == "silent")
        return Outcome<SnmpBehaviourSetting>::Ok({SnmpBehaviour::Silent, 0});
    if (!text.starts_with("truncate:"))
        return Outcome<SnmpBehaviourSetting>::Fail("unknown snmp-behaviour '" + std::string(text) +
                                                   "'");
    const auto bytes = ParseCount(text.substr(9), 0, 65535);
    if (!bytes)
        return Outcome<SnmpBehaviourSetting>::Fail("truncate: " + bytes.error);
    return Outcome<SnmpBehaviourSetting>::Ok({SnmpBehaviour::Truncate, *bytes.value});
}

Outcome<std::uint64_t> ParseCount(std::string_view text, std::uint64_t least, std::uint64_t most) {
    std::uint64_t count = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), count);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || count < least ||
        count > most)
        return Outcome<std::uint64_t>::Fail("'" + std::string(text) + "' is not a number from " +
                                            std::to_string(least) + " to " + std::to_string(most));
    return Outcome<std::uint64_t>::Ok(count);
}
