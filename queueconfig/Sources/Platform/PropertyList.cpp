#include "PropertyList.h"

#include "FileContents.h"

#include <limits>
#include <plist/plist.h>

namespace {

std::optional<std::string> stringValue(plist_t node) {
    if (!node || plist_get_node_type(node) != PLIST_STRING)
        return std::nullopt;
    std::uint64_t length = 0;
    const char* text = plist_get_string_ptr(node, &length);
    if (!text)
        return std::nullopt;
    return std::string(text, length);
}

} // namespace

std::optional<PropertyList> PropertyList::Parse(std::string_view bytes) {
    if (bytes.empty() || bytes.size() > std::numeric_limits<std::uint32_t>::max())
        return std::nullopt;
    plist_t root = nullptr;
    plist_from_memory(bytes.data(), static_cast<std::uint32_t>(bytes.size()), &root);
    if (!root)
        return std::nullopt;
    std::shared_ptr<void> owned(root, [](void* p) { plist_free(static_cast<plist_t>(p)); });
    if (plist_get_node_type(root) != PLIST_DICT)
        return std::nullopt;
    return PropertyList(std::move(owned));
}

std::optional<PropertyList> PropertyList::Load(const std::filesystem::path& path) {
    const auto bytes = ReadFileContents(path);
    if (!bytes)
        return std::nullopt;
    return Parse(*bytes);
}

void* PropertyList::item(std::string_view key) const {
    return plist_dict_get_item(static_cast<plist_t>(m_Root.get()), std::string(key).c_str());
}

std::optional<std::string> PropertyList::GetString(std::string_view key) const {
    return stringValue(item(key));
}

std::size_t PropertyList::GetArrayCount(std::string_view key) const {
    plist_t array = item(key);
    if (!array || plist_get_node_type(array) != PLIST_ARRAY)
        return 0;
    return plist_array_get_size(array);
}

std::optional<std::string> PropertyList::GetArrayString(std::string_view key,
                                                        std::size_t index) const {
    if (index >= GetArrayCount(key))
        return std::nullopt;
    return stringValue(plist_array_get_item(item(key), static_cast<std::uint32_t>(index)));
}
