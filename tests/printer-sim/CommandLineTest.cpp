#include "CommandLine.h"

#include "CaseName.h"

#include <gtest/gtest.h>

namespace {

TEST(CommandLineTest, ReadsARangeAndALog) {
    const auto options = ParseCommandLine(
        {"--log", "/tmp/l", "--address-range", "127.0.100.1-127.0.100.254", "--description", "d"});
    ASSERT_TRUE(options) << options.error;
    EXPECT_EQ(options.value->descriptionPath, "d");
    EXPECT_EQ(options.value->logPath, "/tmp/l");
    EXPECT_EQ(FormatAddress(options.value->addresses.first), "127.0.100.1");
    EXPECT_EQ(FormatAddress(options.value->addresses.last), "127.0.100.254");
}

TEST(CommandLineTest, OneAddressIsARangeOfOne) {
    const auto options = ParseCommandLine({"--description", "d", "--address", "127.1.2.3"});
    ASSERT_TRUE(options) << options.error;
    EXPECT_EQ(options.value->addresses.first, options.value->addresses.last);
    EXPECT_EQ(FormatAddress(options.value->addresses.first), "127.1.2.3");
    EXPECT_TRUE(options.value->logPath.empty());
}

struct BadCommandLine {
    std::string name;
    std::vector<std::string_view> args;
    std::string complaint;
    friend void PrintTo(const BadCommandLine& c, std::ostream* out) { *out << c.name; }
};

class BadCommandLineTest : public testing::TestWithParam<BadCommandLine> {};

TEST_P(BadCommandLineTest, IsRefusedWithItsReason) {
    const auto options = ParseCommandLine(GetParam().args);
    ASSERT_FALSE(options);
    EXPECT_NE(options.error.find(GetParam().complaint), std::string::npos) << options.error;
}

INSTANTIATE_TEST_SUITE_P(
    Refused, BadCommandLineTest,
    testing::Values(
        BadCommandLine{"Empty", {}, "--description is missing"},
        BadCommandLine{"NoAddress", {"--description", "d"}, "exactly one of"},
        BadCommandLine{"BothAddressKinds",
                       {"--description", "d", "--address", "127.0.0.1", "--address-range",
                        "127.0.0.1-127.0.0.2"},
                       "exactly one of"},
        BadCommandLine{"PrivateAddress",
                       {"--description", "d", "--address", "10.0.0.1"},
                       "outside 127.0.0.0/8"},
        BadCommandLine{"JustPastLoopback",
                       {"--description", "d", "--address", "128.0.0.1"},
                       "outside 127.0.0.0/8"},
        BadCommandLine{
            "HostName", {"--description", "d", "--address", "localhost"}, "not an IPv4 address"},
        BadCommandLine{"RangeLeavesLoopback",
                       {"--description", "d", "--address-range", "127.0.0.1-192.168.1.1"},
                       "outside 127.0.0.0/8"},
        BadCommandLine{"RangeBackwards",
                       {"--description", "d", "--address-range", "127.0.0.9-127.0.0.1"},
                       "runs backwards"},
        BadCommandLine{
            "RangeOfOneWord", {"--description", "d", "--address-range", "127.0.0.9"}, "FIRST-LAST"},
        BadCommandLine{
            "UnknownOption", {"--description", "d", "--port", "9100"}, "unknown argument '--port'"},
        BadCommandLine{"MissingValue",
                       {"--address", "127.0.0.1", "--description"},
                       "--description needs a value"},
        BadCommandLine{"Repeated", {"--description", "a", "--description", "b"}, "given twice"}),
    CaseName());

} // namespace
