#include "CEscapes.h"

#include "CaseName.h"

#include <gtest/gtest.h>

namespace {

struct EscapeCase {
    std::string name;
    std::string written;
    std::string meant;
    friend void PrintTo(const EscapeCase& c, std::ostream* out) { *out << c.name; }
};

class ExpandEscapesTest : public testing::TestWithParam<EscapeCase> {};

TEST_P(ExpandEscapesTest, ExpandsToTheMeantBytes) {
    const auto expanded = ExpandEscapes(GetParam().written);
    ASSERT_TRUE(expanded) << expanded.error;
    EXPECT_EQ(*expanded.value, GetParam().meant);
}

INSTANTIATE_TEST_SUITE_P(
    Escapes, ExpandEscapesTest,
    testing::Values(EscapeCase{"Plain", "plain text", "plain text"},
                    EscapeCase{"LineFeed", R"(first\nsecond)", "first\nsecond"},
                    EscapeCase{"Controls", R"(\r\n\f\t)", "\r\n\f\t"},
                    EscapeCase{"Quote", R"(say \"hi\")", "say \"hi\""},
                    EscapeCase{"Backslash", R"(C:\\dir)", "C:\\dir"},
                    EscapeCase{"Hex", R"(\x1B%\x00\xff)", std::string("\x1b%\0\xff", 4)}),
    CaseName());

TEST(EscapeForLogTest, KeepsEveryByteOfARequestVisibleOnOneLine) {
    const std::string request("\x1b%-12345X@PJL INFO ID\r\n\f\t\\ \"x\"\x00\x04\x7f\xc3", 34);
    EXPECT_EQ(EscapeForLog(request), R"(\e%-12345X@PJL INFO ID\r\n\f\t\\ "x"\x00\x04\x7F\xC3)");
}

} // namespace
