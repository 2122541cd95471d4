#include "Class/ReplyBuffer.h"

#include <algorithm>

ReplyBuffer::ReplyBuffer() {
    m_Text.reserve(kCapacity);
}

bool ReplyBuffer::Append(std::string_view text) {
    const std::size_t room = kCapacity - std::min(m_Text.size(), kCapacity);
    const std::size_t taken = std::min(room, text.size());
    m_Text.append(text.substr(0, taken));
    return taken == text.size();
}
