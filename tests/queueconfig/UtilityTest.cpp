#include "Class/Utility.h"

#include <cstring>
#include <gtest/gtest.h>

#include "TestSupport.h"

TEST(UtilityTest, PathOfSizeMinusOneBytesFitsAndOfSizeBytesDoesNot) {
    char buffer[8];
    std::memset(buffer, '#', sizeof buffer);
    EXPECT_FALSE(CopyPathIntoBuffer("/abcdefg", buffer, sizeof buffer)) << "8 bytes in 8";
    EXPECT_EQ(std::string(buffer, sizeof buffer), "########") << "buffer left as it was";
    EXPECT_TRUE(CopyPathIntoBuffer("/abcdef", buffer, sizeof buffer)) << "7 bytes in 8";
    EXPECT_STREQ(buffer, "/abcdef");
    EXPECT_FALSE(CopyPathIntoBuffer("", buffer, 0));
    EXPECT_FALSE(CopyPathIntoBuffer("/a", nullptr, 8));
}

TEST(UtilityTest, ApplicationSupportFolderComesFromTheInstallationOrTheVariable) {
    char buffer[2048];
    {
        ScopedEnv moved("QUEUECONFIG_SUPPORT_DIR", "/tmp/support-here");
        ASSERT_TRUE(GetLocalApplicationSupportDirPath(buffer, sizeof buffer));
        EXPECT_STREQ(buffer, "/tmp/support-here");
        EXPECT_FALSE(GetLocalApplicationSupportDirPath(buffer, 17)) << "17 bytes do not fit 17";
        EXPECT_TRUE(GetLocalApplicationSupportDirPath(buffer, 18));
        EXPECT_FALSE(GetLocalApplicationSupportDirPath(nullptr, sizeof buffer));
    }
    ScopedEnv unset("QUEUECONFIG_SUPPORT_DIR", std::nullopt);
    ASSERT_TRUE(GetLocalApplicationSupportDirPath(buffer, sizeof buffer));
    // The test binary lives in the build tree, not in a bin/ folder, but the
    // answer is still share/ beside the folder that holds it.
    EXPECT_TRUE(std::string(buffer).ends_with("/share")) << buffer;
}

TEST(UtilityTest, CopyCStringKeepsToItsBuffer) {
    EXPECT_EQ(CopyCString("True", 5), "True");
    EXPECT_EQ(CopyCString("True", 4), std::nullopt);
    EXPECT_EQ(CopyCString(std::string(2047, 'x'), 2048)->size(), 2047u);
    EXPECT_EQ(CopyCString(std::string(2048, 'x'), 2048), std::nullopt);
    EXPECT_EQ(CopyCString(std::string("ab\0cd", 5), 3), "ab") << "cut at the NUL";
}

TEST(UtilityTest, ValidUTF8) {
    struct Case {
        const char* name;
        std::string bytes;
        bool valid;
    };
    const Case cases[] = {
        {"ascii", "socket://127.0.0.1", true}, {"two bytes", "caf\xc3\xa9", true},
        {"three bytes", "\xe3\x83\x97", true}, {"four bytes", "\xf0\x9f\x96\xa8", true},
        {"lone continuation", "\x80", false},  {"cut sequence", "\xe3\x83", false},
        {"overlong slash", "\xc0\xaf", false}, {"overlong three", "\xe0\x80\xaf", false},
        {"surrogate", "\xed\xa0\x80", false},  {"past U+10FFFF", "\xf4\x90\x80\x80", false},
        {"latin-1", "\xe9t\xe9", false},       {"five-byte lead", "\xf8\x88\x80\x80\x80", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsValidUTF8(c.bytes), c.valid) << c.name;
}

TEST(UtilityTest, PrintableTextIsWhatOnePPDLineCanHold) {
    struct Case {
        const char* name;
        std::string text;
        bool printable;
    };
    const Case cases[] = {
        {"empty", "", true},
        {"code", "HX2", true},
        {"blank", "Card 300g", true},
        {"UTF-8", "Pr\xc3\xa9", true},
        {"Latin-1", "Pr\xe9", true},
        {"LF", "HX2\nX", false},
        {"CR", "HX2\r", false},
        {"tab", "a\tb", false},
        {"NUL", std::string("a\0b", 3), false},
        {"DEL", "a\x7f", false},
        {"escape", "\x1b%-12345X", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsPrintableText(c.text), c.printable) << c.name;
}
