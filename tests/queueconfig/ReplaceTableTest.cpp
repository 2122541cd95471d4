// Look-ups in the Find and Replace tables of the option mapping.
#include "Class/AutoConfigUtility.h"

#include <gtest/gtest.h>

namespace {

PropertyList plistWith(const std::string& entries) {
    auto plist = PropertyList::Parse("<plist version=\"1.0\"><dict>" + entries + "</dict></plist>");
    EXPECT_TRUE(plist.has_value());
    return *plist;
}

std::string array(const std::string& key, const std::vector<std::string>& items) {
    std::string text = "<key>" + key + "</key><array>";
    for (const auto& item : items)
        text += "<string>" + item + "</string>";
    return text + "</array>";
}

class ReplaceTableTest : public testing::Test {
protected:
    std::optional<std::string> lookUp(const PropertyList* plist, const char* text,
                                      const char* code = "HX2", const char* kind = "Key",
                                      int size = 2048) {
        std::vector<char> out(static_cast<std::size_t>(size), '\x7f');
        if (!utility.isReplacePPD(text, out.data(), size, plist, code, kind))
            return std::nullopt;
        return std::string(out.data());
    }

    EventLoop loop;
    AutoConfigUtility utility{loop};
};

TEST_F(ReplaceTableTest, TheFirstFindEntryThatBeginsTheTextWins) {
    const auto plist = plistWith(array("HX2 Find Key", {"Page", "PageSize", "Input"}) +
                                 array("HX2 Replace Key", {"short", "long", "slot"}) +
                                 array("HX2 Find Line", {"*VLRegion: "}) +
                                 array("HX2 Replace Line", {"*VLRegion: NorthAmerica"}));
    struct Case {
        const char* name;
        const char* text;
        const char* kind;
        std::optional<std::string> replacement;
    };
    const Case cases[] = {
        {"earlier prefix first", "PageSize", "Key", "short"},
        {"exact entry", "Page", "Key", "short"},
        {"later entry", "InputSlot", "Key", "slot"},
        {"no entry begins it", "Duplex", "Key", std::nullopt},
        {"letter case counts", "pagesize", "Key", std::nullopt},
        {"entry longer than the text", "Pag", "Key", std::nullopt},
        {"line table", "*VLRegion: Default\n", "Line", "*VLRegion: NorthAmerica"},
        {"kind picks the table", "PageSize", "Line", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(lookUp(&plist, c.text, "HX2", c.kind), c.replacement) << c.name;
}

TEST_F(ReplaceTableTest, MissingOrUnusableTablesGiveNoReplacement) {
    struct Case {
        const char* name;
        std::string entries;
        std::optional<std::string> replacement;
    };
    const Case cases[] = {
        {"no Find array", array("HX2 Replace Key", {"x"}), std::nullopt},
        {"no Replace array", array("HX2 Find Key", {"Page"}), std::nullopt},
        {"empty entry matches every text",
         array("HX2 Find Key", {"", "Page"}) + array("HX2 Replace Key", {"any", "x"}), "any"},
        {"short Replace array",
         array("HX2 Find Key", {"Input", "Page"}) + array("HX2 Replace Key", {"slot"}),
         std::nullopt},
        {"entry too long for its buffer",
         array("HX2 Find Key", {std::string(2048, 'P'), "Page"}) +
             array("HX2 Replace Key", {"long", "short"}),
         "short"},
        {"replacement too long for its buffer",
         array("HX2 Find Key", {"Page"}) + array("HX2 Replace Key", {std::string(2048, 'R')}),
         std::nullopt},
        {"an element that is no string",
         "<key>HX2 Find Key</key><array><integer>1</integer><string>Page</string></array>" +
             array("HX2 Replace Key", {"one", "page"}),
         "page"},
    };
    for (const auto& c : cases) {
        const auto plist = plistWith(c.entries);
        EXPECT_EQ(lookUp(&plist, "PageSize"), c.replacement) << c.name;
    }
    EXPECT_EQ(lookUp(nullptr, "PageSize"), std::nullopt) << "no property list";
}

TEST_F(ReplaceTableTest, TheReplacementIsCutToTheCallersBuffer) {
    const auto plist =
        plistWith(array("HX2 Find Key", {"Page"}) + array("HX2 Replace Key", {"0123456789"}));
    EXPECT_EQ(lookUp(&plist, "Page", "HX2", "Key", 5), "0123");
    // A user code that would cut the key names no table at all.
    const std::string longCode(2040, 'C');
    EXPECT_EQ(lookUp(&plist, "Page", longCode.c_str()), std::nullopt);
}

} // namespace
