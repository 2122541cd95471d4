#include "Platform/MessageCatalog.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <utility>
#include <vector>

namespace {

void putWord(std::string& out, std::size_t at, std::uint32_t v, bool bigEndian) {
    for (int i = 0; i < 4; ++i)
        out[at + i] = static_cast<char>(bigEndian ? v >> (8 * (3 - i)) : v >> (8 * i));
}

// A .mo file as msgfmt lays it out: header, both tables, then the strings.
std::string encode(const std::vector<std::pair<std::string, std::string>>& messages,
                   bool bigEndian = false) {
    const std::size_t n = messages.size();
    const std::size_t originals = 28;
    const std::size_t translations = originals + 8 * n;
    std::string out(translations + 8 * n, '\0');
    putWord(out, 0, 0x950412de, bigEndian);
    putWord(out, 8, static_cast<std::uint32_t>(n), bigEndian);
    putWord(out, 12, originals, bigEndian);
    putWord(out, 16, static_cast<std::uint32_t>(translations), bigEndian);
    for (std::size_t i = 0; i < n; ++i) {
        for (int t = 0; t < 2; ++t) {
            const std::string& s = t == 0 ? messages[i].first : messages[i].second;
            const std::size_t entry = (t == 0 ? originals : translations) + 8 * i;
            putWord(out, entry, static_cast<std::uint32_t>(s.size()), bigEndian);
            putWord(out, entry + 4, static_cast<std::uint32_t>(out.size()), bigEndian);
            out += s;
            out += '\0';
        }
    }
    return out;
}

} // namespace

TEST(MessageCatalogTest, DecodesBothByteOrdersAndSkipsTheHeaderEntry) {
    const std::vector<std::pair<std::string, std::string>> messages{
        {"", "Content-Type: text/plain; charset=UTF-8\n"},
        {"cannot_find_ip", "No answer"},
        {std::string("plural\0plurals", 14), std::string("one\0many", 8)},
    };
    for (bool bigEndian : {false, true}) {
        const auto catalog = MessageCatalog::Decode(encode(messages, bigEndian));
        ASSERT_TRUE(catalog) << "big endian " << bigEndian;
        EXPECT_EQ(catalog->Size(), 2u);
        ASSERT_NE(catalog->Find("cannot_find_ip"), nullptr);
        EXPECT_EQ(*catalog->Find("cannot_find_ip"), "No answer");
        EXPECT_EQ(catalog->Find(""), nullptr);
        EXPECT_EQ(catalog->Find("missing"), nullptr);
    }
}

TEST(MessageCatalogTest, RejectsEveryMalformedLayout) {
    const std::string good = encode({{"key", "text"}});
    struct Case {
        const char* name;
        std::string bytes;
    };
    std::vector<Case> cases;
    cases.push_back({"empty", ""});
    cases.push_back({"short header", good.substr(0, 19)});
    std::string magic = good;
    magic[0] = 'x';
    cases.push_back({"wrong magic", magic});
    std::string revision = good;
    putWord(revision, 4, 0x00010000, false);
    cases.push_back({"unknown major revision", revision});
    std::string count = good;
    putWord(count, 8, 2, false);
    cases.push_back({"count past the tables", count});
    std::string huge = good;
    putWord(huge, 8, 0xffffffff, false);
    cases.push_back({"absurd count", huge});
    std::string table = good;
    putWord(table, 12, 0xfffffff0, false);
    cases.push_back({"table offset past the end", table});
    std::string offset = good;
    putWord(offset, 28 + 4, static_cast<std::uint32_t>(good.size()) + 1, false);
    cases.push_back({"string offset past the end", offset});
    std::string length = good;
    putWord(length, 28, 0xffffffff, false);
    cases.push_back({"string length past the end", length});
    cases.push_back({"truncated strings", good.substr(0, good.size() - 3)});

    for (const auto& c : cases)
        EXPECT_FALSE(MessageCatalog::Decode(c.bytes)) << c.name;
}

TEST(MessageCatalogTest, LoadsTheToolsCompiledCatalogues) {
    for (const char* language : {"en", "ja"}) {
        const auto catalog = MessageCatalog::Load(std::string(QC_RESOURCE_DIR) + "/locale/" +
                                                  language + "/LC_MESSAGES/queueconfig.mo");
        ASSERT_TRUE(catalog) << language;
        for (const char* key :
             {"open_connection_err_usb", "conection_err", "cannot_find_ip",
              "printer_is_busy_offline", "IDS_FAIL_GETDEVICEOPTION", "unknown_err"})
            EXPECT_NE(catalog->Find(key), nullptr) << language << " " << key;
    }
    EXPECT_FALSE(MessageCatalog::Load("/nonexistent/queueconfig.mo"));
}
