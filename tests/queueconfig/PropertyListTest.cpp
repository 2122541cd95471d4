#include "Platform/PropertyList.h"

#include <gtest/gtest.h>

#include "TestSupport.h"

namespace {

std::string plist(const std::string& body) {
    return R"(<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE plist PUBLIC "-//Apple//DTD PLIST 1.0//EN" "http://www.apple.com/DTDs/PropertyList-1.0.dtd">
<plist version="1.0">)" +
           body + "</plist>\n";
}

} // namespace

TEST(PropertyListTest, ReadsTheExampleOptionMapping) {
    const auto list = PropertyList::Load(std::string(QC_EXAMPLES_DIR) + "/queueconfig.plist");
    ASSERT_TRUE(list);
    EXPECT_EQ(list->GetString("OEM Name"), "Velmark");
    EXPECT_EQ(list->GetString("InstallOptionError Key"), "VLInstallOptionError");
    EXPECT_EQ(list->GetString("OptionDuplex Key"), "VLDuplexUnit");
    for (const char* code : {"HX2", "QRT", "ZUNB", "WKS"}) {
        for (const char* kind : {"Key", "Line"}) {
            const std::string find = std::string(code) + " Find " + kind;
            const std::string replace = std::string(code) + " Replace " + kind;
            EXPECT_GT(list->GetArrayCount(find), 0u) << find;
            EXPECT_EQ(list->GetArrayCount(find), list->GetArrayCount(replace)) << replace;
        }
    }
    EXPECT_EQ(list->GetArrayString("HX2 Replace Line", 0), "*VLRegion: NorthAmerica");
}

TEST(PropertyListTest, MissingKeysWrongTypesAndShortArraysGiveNothing) {
    const auto list = PropertyList::Parse(plist(R"(<dict>
        <key>OEM Name</key><array><string>not a string</string></array>
        <key>X Find Key</key><array><string>Page</string><string>Duplex</string><integer>7</integer></array>
        <key>X Replace Key</key><array><string>A4</string></array>
        <key>Text</key><string>with&#10;newline</string>
    </dict>)"));
    ASSERT_TRUE(list);
    EXPECT_EQ(list->GetString("OEM Name"), std::nullopt);
    EXPECT_EQ(list->GetString("No Such Key"), std::nullopt);
    EXPECT_EQ(list->GetString("Text"), "with\nnewline");
    EXPECT_EQ(list->GetArrayCount("X Find Key"), 3u);
    EXPECT_EQ(list->GetArrayString("X Find Key", 2), std::nullopt) << "an integer element";
    EXPECT_EQ(list->GetArrayCount("X Replace Key"), 1u);
    EXPECT_EQ(list->GetArrayString("X Replace Key", 0), "A4");
    EXPECT_EQ(list->GetArrayString("X Replace Key", 1), std::nullopt) << "past the end";
    EXPECT_EQ(list->GetArrayString("X Replace Key", static_cast<std::size_t>(-1)), std::nullopt);
    EXPECT_EQ(list->GetArrayCount("Text"), 0u) << "a string is no array";
    EXPECT_EQ(list->GetArrayString("Text", 0), std::nullopt);
}

TEST(PropertyListTest, UnparsableOrNonDictionaryInputGivesNoList) {
    struct Case {
        const char* name;
        std::string bytes;
    };
    const Case cases[] = {
        {"empty", ""},
        {"not xml", "OEM Name = Velmark\n"},
        {"cut short", plist("<dict><key>OEM Name</key><string>Vel").substr(0, 200)},
        {"array root", plist("<array><string>a</string></array>")},
        {"string root", plist("<string>a</string>")},
    };
    for (const auto& c : cases)
        EXPECT_FALSE(PropertyList::Parse(c.bytes)) << c.name;

    TempDir dir;
    EXPECT_FALSE(PropertyList::Load(dir.Path() / "missing.plist"));
    EXPECT_FALSE(PropertyList::Load(dir.Path())) << "a folder";
}

TEST(PropertyListTest, ReadsBinaryPropertyListsToo) {
    // bplist00 of {"OEM Name": "Velmark"}, as plistlib writes it.
    const unsigned char bytes[] = {0x62, 0x70, 0x6c, 0x69, 0x73, 0x74, 0x30, 0x30, 0xd1, 0x01, 0x02,
                                   0x58, 0x4f, 0x45, 0x4d, 0x20, 0x4e, 0x61, 0x6d, 0x65, 0x57, 0x56,
                                   0x65, 0x6c, 0x6d, 0x61, 0x72, 0x6b, 0x08, 0x0b, 0x14, 0x00, 0x00,
                                   0x00, 0x00, 0x00, 0x00, 0x01, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00,
                                   0x00, 0x00, 0x03, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
                                   0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x1c};
    const auto list =
        PropertyList::Parse(std::string_view(reinterpret_cast<const char*>(bytes), sizeof bytes));
    ASSERT_TRUE(list);
    EXPECT_EQ(list->GetString("OEM Name"), "Velmark");
}
