// The login name as `whoami` prints it: the first word of its first line.

#include "FakeWhoami.h"
#include "UserAuthUtils.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <string_view>

namespace {

struct LoginCase {
    const char* name;
    std::string_view printed;
    int32_t size;
    int length;
    const char* text; // null when the output's content does not matter
};

// Test names say enough; the bytes of a row do not.
void PrintTo(const LoginCase& row, std::ostream* out) {
    *out << row.name;
}

class GetLoginNameTest : public testing::TestWithParam<LoginCase> {};

TEST_P(GetLoginNameTest, TakesTheFirstWordWithinTheBuffer) {
    const LoginCase& row = GetParam();
    FakeWhoami whoami(row.printed);
    std::string buffer(64, '#');
    EXPECT_EQ(GetLoginName(buffer.data(), row.size), row.length);
    if (row.text != nullptr) {
        EXPECT_STREQ(buffer.c_str(), row.text);
    }
    EXPECT_EQ(buffer.substr(static_cast<size_t>(row.size)), std::string(64 - row.size, '#'))
        << "written beyond the buffer's size";
}

INSTANTIATE_TEST_SUITE_P(
    Printed, GetLoginNameTest,
    testing::Values(LoginCase{"LineFeedEndsTheName", "name\n", 64, 4, "name"},
                    LoginCase{"OnlyTheFirstLine", "first\nsecond\n", 64, 5, "first"},
                    LoginCase{"SpaceEndsTheName", "name with space\n", 64, 4, "name"},
                    LoginCase{"CarriageReturnEndsTheName", "name\r\n", 64, 4, "name"},
                    LoginCase{"NulEndsTheName", std::string_view("ab\0cd\n", 6), 64, 2, "ab"},
                    LoginCase{"NoLineFeedAtAll", "name", 64, 4, "name"},
                    LoginCase{"LeadingSpaceGivesAnEmptyName", " user\n", 64, 0, ""},
                    LoginCase{"NothingPrinted", "", 64, -1, nullptr},
                    LoginCase{"SmallBufferTakesSizeLessTwo", "abcdef\n", 4, 2, "ab"},
                    LoginCase{"BufferTooSmallForAnything", "abc\n", 1, -1, nullptr}),
    [](const testing::TestParamInfo<LoginCase>& info) { return std::string(info.param.name); });

} // namespace
