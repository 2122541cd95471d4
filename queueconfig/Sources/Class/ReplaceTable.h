// One Find/Replace table of the option-mapping property list: the arrays
// "<code> Find <kind>" and "<code> Replace <kind>", read once and then asked
// for the replacement of many texts.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "../Platform/PropertyList.h"

class ReplaceTable {
public:
    // None without a property list or when the keys do not fit their
    // 2048-byte buffers; a table without entries when the Find array is missing.
    static std::optional<ReplaceTable> Load(const PropertyList* plist, const char* code,
                                            const char* kind);

    // The replacement of the first Find entry that `text` begins with (an
    // empty entry matches every text). A Find entry without its Replace entry
    // (a short Replace array) answers no replacement, and so does an entry
    // too long for the 2048-byte buffers.
    std::optional<std::string_view> Find(std::string_view text) const;

private:
    // One Find entry and its Replace entry; none where the entry is unusable.
    std::vector<std::pair<std::optional<std::string>, std::optional<std::string>>> m_Entries;
};
