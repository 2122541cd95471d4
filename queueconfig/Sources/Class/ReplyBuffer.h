// A printer's reply as it builds up. The reply block of a query is 100000
// bytes with a NUL at its end, so at most 99999 bytes of text fit; what comes
// behind them is cut, never written past the block.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

class ReplyBuffer {
public:
    static constexpr std::size_t kReplyBufferSize = 100000;
    static constexpr std::size_t kCapacity = kReplyBufferSize - 1;

    ReplyBuffer();

    // Appends as much of `text` as fits; false when some of it was cut.
    bool Append(std::string_view text);
    void Clear() { m_Text.clear(); }
    bool IsFull() const { return m_Text.size() >= kCapacity; }
    const std::string& Text() const { return m_Text; }
    std::string Release() { return std::move(m_Text); }

private:
    std::string m_Text;
};
