#include "ReplaceTable.h"

#include <cstdio>

#include "Utility.h"

namespace {

std::optional<std::string> formatKey(const char* format, const char* code, const char* kind) {
    char key[kTextBufferSize];
    const int length = std::snprintf(key, sizeof key, format, code, kind);
    // A cut key could name another printer's table.
    if (length < 0 || static_cast<std::size_t>(length) >= sizeof key)
        return std::nullopt;
    return std::string(key, static_cast<std::size_t>(length));
}

} // namespace

std::optional<ReplaceTable> ReplaceTable::Load(const PropertyList* plist, const char* code,
                                               const char* kind) {
    if (!plist || !code || !kind)
        return std::nullopt;
    const auto findKey = formatKey("%s Find %s", code, kind);
    const auto replaceKey = formatKey("%s Replace %s", code, kind);
    if (!findKey || !replaceKey)
        return std::nullopt;
    // A missing Replace array reads as an empty one: no Find entry then has
    // its replacement, as when the arrays themselves were missing.
    const std::size_t count = plist->GetArrayCount(*findKey);
    ReplaceTable table;
    table.m_Entries.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const auto find = plist->GetArrayString(*findKey, i);
        const auto replace = plist->GetArrayString(*replaceKey, i);
        // An entry that cannot be read keeps its place and never matches.
        table.m_Entries.emplace_back(find ? CopyCString(*find, kTextBufferSize) : std::nullopt,
                                     replace ? CopyCString(*replace, kTextBufferSize)
                                             : std::nullopt);
    }
    return table;
}

std::optional<std::string_view> ReplaceTable::Find(std::string_view text) const {
    for (const auto& [find, replace] : m_Entries) {
        if (!find || !text.starts_with(*find))
            continue;
        if (!replace)
            return std::nullopt;
        return std::string_view(*replace);
    }
    return std::nullopt;
}
