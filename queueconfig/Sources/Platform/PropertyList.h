// A read-only property list whose root is a dictionary (libplist underneath).
#pragma once

#include <cstddef>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

class PropertyList {
public:
    // Parses XML or binary property-list bytes; none unless the root is a dictionary.
    static std::optional<PropertyList> Parse(std::string_view bytes);
    // Reads and parses a file; none when it is missing, unreadable or does not parse.
    static std::optional<PropertyList> Load(const std::filesystem::path& path);

    // The string under `key`; none when the key is missing or holds another type.
    std::optional<std::string> GetString(std::string_view key) const;
    // The number of elements of the array under `key`; 0 when there is no such array.
    std::size_t GetArrayCount(std::string_view key) const;
    // Element `index` of the array under `key` when it is a string. Past the
    // array's end, or for an element of another type, the answer is none.
    std::optional<std::string> GetArrayString(std::string_view key, std::size_t index) const;

private:
    explicit PropertyList(std::shared_ptr<void> root) : m_Root(std::move(root)) {}
    void* item(std::string_view key) const;

    std::shared_ptr<void> m_Root; // plist_t, freed with plist_free
};
