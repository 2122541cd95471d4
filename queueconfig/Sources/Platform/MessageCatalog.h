// A compiled gettext message catalogue (.mo file), decoded into memory.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

class MessageCatalog {
public:
    // Decodes the bytes of a .mo file. Every table entry and string must lie
    // inside the bytes; anything else makes the whole catalogue invalid.
    static std::optional<MessageCatalog> Decode(std::string_view bytes);
    // Reads and decodes a file; a missing, unreadable or invalid file gives none.
    static std::optional<MessageCatalog> Load(const std::filesystem::path& path);

    // The translation of `key`, or null when the catalogue has none.
    const std::string* Find(std::string_view key) const;
    std::size_t Size() const { return m_Messages.size(); }

private:
    std::unordered_map<std::string, std::string> m_Messages;
};
