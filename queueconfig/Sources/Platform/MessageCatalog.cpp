#include "MessageCatalog.h"

#include "FileContents.h"

#include <cstdint>

namespace {

constexpr std::uint32_t kMagic = 0x950412de;
constexpr std::uint32_t kMagicSwapped = 0xde120495;
constexpr std::size_t kHeaderSize = 20;
constexpr std::size_t kEntrySize = 8; // length, offset
// A catalogue of the tool holds a handful of messages; anything near this is garbage.
constexpr std::uint32_t kMaxEntries = 1u << 20;

std::uint32_t readWord(std::string_view bytes, std::size_t at, bool swapped) {
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i) {
        const auto byte = static_cast<std::uint8_t>(bytes[at + i]);
        v |= static_cast<std::uint32_t>(byte) << (swapped ? 8 * (3 - i) : 8 * i);
    }
    return v;
}

// The string of table entry `index`, or none when it does not lie inside the bytes.
std::optional<std::string_view> readEntry(std::string_view bytes, std::uint32_t table,
                                          std::uint32_t index, bool swapped) {
    const std::size_t at = table + std::size_t{index} * kEntrySize;
    if (at + kEntrySize > bytes.size())
        return std::nullopt;
    const std::uint32_t length = readWord(bytes, at, swapped);
    const std::uint32_t offset = readWord(bytes, at + 4, swapped);
    if (offset > bytes.size() || length > bytes.size() - offset)
        return std::nullopt;
    return bytes.substr(offset, length);
}

// A plural entry holds its forms separated by NUL; the key and text are the first.
std::string_view firstForm(std::string_view s) {
    return s.substr(0, s.find('\0'));
}

} // namespace

std::optional<MessageCatalog> MessageCatalog::Decode(std::string_view bytes) {
    if (bytes.size() < kHeaderSize)
        return std::nullopt;
    bool swapped;
    const std::uint32_t magic = readWord(bytes, 0, false);
    if (magic == kMagic)
        swapped = false;
    else if (magic == kMagicSwapped)
        swapped = true;
    else
        return std::nullopt;
    if (readWord(bytes, 4, swapped) >> 16 != 0) // only major revision 0 exists
        return std::nullopt;
    const std::uint32_t count = readWord(bytes, 8, swapped);
    const std::uint32_t originals = readWord(bytes, 12, swapped);
    const std::uint32_t translations = readWord(bytes, 16, swapped);
    if (count > kMaxEntries)
        return std::nullopt;

    MessageCatalog catalog;
    for (std::uint32_t i = 0; i < count; ++i) {
        const auto key = readEntry(bytes, originals, i, swapped);
        const auto text = readEntry(bytes, translations, i, swapped);
        if (!key || !text)
            return std::nullopt;
        if (key->empty())
            continue; // the catalogue header, not a message
        catalog.m_Messages.emplace(std::string(firstForm(*key)), std::string(firstForm(*text)));
    }
    return catalog;
}

std::optional<MessageCatalog> MessageCatalog::Load(const std::filesystem::path& path) {
    const auto bytes = ReadFileContents(path);
    if (!bytes)
        return std::nullopt;
    return Decode(*bytes);
}

const std::string* MessageCatalog::Find(std::string_view key) const {
    auto it = m_Messages.find(std::string(key));
    return it == m_Messages.end() ? nullptr : &it->second;
}
