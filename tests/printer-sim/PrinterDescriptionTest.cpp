#include "PrinterDescription.h"

#include "CaseName.h"

#include <gtest/gtest.h>

namespace {

constexpr std::string_view kExample = R"(# Velmark CL5400, region HX2, duplex unit installed
snmp 1.3.6.1.4.1.3172.1.1.1.1.1.3000.0 = HX2
snmp 1.3.6.1.2.1.1.7.0 = int:72
snmp 1.3.6.1.2.1.1.9.0 = hex:00010203

pjl VELUSER = HX2
pjl VELUSER1MEDIATYPE =   Recycled Paper  
ps /Duplex = True
ps currentpagedevice /Duplex get == = false
ps /TwoLines = first\nsecond
ps-default = Nothing
tcp-behaviour = slow
snmp-behaviour = truncate:12
slow-interval-ms = 50
)";

PrinterDescription Parse(std::string_view text) {
    auto parsed = ParsePrinterDescription(text, "printer.desc");
    EXPECT_TRUE(parsed) << parsed.error;
    return parsed ? *parsed.value : PrinterDescription{};
}

TEST(PrinterDescriptionTest, ReadsEveryKindOfEntry) {
    const auto printer = Parse(kExample);
    ASSERT_EQ(printer.snmp.size(), 3u);
    const auto& user = printer.snmp.at({1, 3, 6, 1, 4, 1, 3172, 1, 1, 1, 1, 1, 3000, 0});
    EXPECT_EQ(user.tag, 0x04);
    EXPECT_EQ(user.contents, "HX2");
    EXPECT_EQ(printer.snmp.at({1, 3, 6, 1, 2, 1, 1, 7, 0}).tag, 0x02);
    EXPECT_EQ(printer.snmp.at({1, 3, 6, 1, 2, 1, 1, 7, 0}).contents, "\x48");
    EXPECT_EQ(printer.snmp.at({1, 3, 6, 1, 2, 1, 1, 9, 0}).contents, std::string("\0\1\2\3", 4));
    EXPECT_EQ(printer.pjl.at("VELUSER1MEDIATYPE"), "Recycled Paper");
    ASSERT_EQ(printer.ps.size(), 3u);
    EXPECT_EQ(printer.ps[1].text, "currentpagedevice /Duplex get ==");
    EXPECT_EQ(printer.ps[1].value, "false");
    EXPECT_EQ(printer.ps[2].value, "first\nsecond");
    EXPECT_EQ(printer.psDefault, "Nothing");
    EXPECT_EQ(printer.tcpBehaviour, TcpBehaviour::Slow);
    EXPECT_EQ(printer.snmpBehaviour, SnmpBehaviour::Truncate);
    EXPECT_EQ(printer.snmpTruncateBytes, 12u);
    EXPECT_EQ(printer.slowInterval, std::chrono::milliseconds(50));
}

TEST(PrinterDescriptionTest, LeavesUnsetBehaviourAsARealPrinterHasIt) {
    const auto printer = Parse("# nothing but a comment\r\n\r\npjl A = b\r\n");
    EXPECT_EQ(printer.pjl.at("A"), "b");
    EXPECT_EQ(printer.community, "public");
    EXPECT_EQ(printer.psDefault, "Unknown");
    EXPECT_EQ(printer.tcpBehaviour, TcpBehaviour::Normal);
    EXPECT_EQ(printer.snmpBehaviour, SnmpBehaviour::Normal);
    EXPECT_EQ(printer.slowInterval, std::chrono::milliseconds(2000));
    EXPECT_EQ(printer.oversizeLineBytes, 12000u);
    EXPECT_EQ(printer.oversizeBytes, 150000u);
}

struct IntegerCase {
    std::string name;
    std::string written;
    std::string contents;
    friend void PrintTo(const IntegerCase& c, std::ostream* out) { *out << c.name; }
};

class SnmpIntegerTest : public testing::TestWithParam<IntegerCase> {};

TEST_P(SnmpIntegerTest, IsMinimalTwosComplement) {
    const auto printer = Parse("snmp 1.3.6 = int:" + GetParam().written);
    EXPECT_EQ(printer.snmp.at({1, 3, 6}).contents, GetParam().contents);
}

INSTANTIATE_TEST_SUITE_P(
    Values, SnmpIntegerTest,
    testing::Values(IntegerCase{"Zero", "0", std::string(1, '\0')},
                    IntegerCase{"LargestOneOctet", "127", "\x7f"},
                    IntegerCase{"NeedsSignOctet", "128", std::string("\x00\x80", 2)},
                    IntegerCase{"MinusOne", "-1", "\xff"},
                    IntegerCase{"SmallestOneOctet", "-128", "\x80"},
                    IntegerCase{"NegativeTwoOctets", "-129", "\xff\x7f"},
                    IntegerCase{"LargestInteger32", "2147483647", "\x7f\xff\xff\xff"}),
    CaseName());

struct BadDescription {
    std::string name;
    std::string text;
    std::string complaint; // from the line number on
    friend void PrintTo(const BadDescription& c, std::ostream* out) { *out << c.name; }
};

class BadDescriptionTest : public testing::TestWithParam<BadDescription> {};

TEST_P(BadDescriptionTest, NamesTheFileAndTheLine) {
    const auto parsed = ParsePrinterDescription(GetParam().text, "printer.desc");
    ASSERT_FALSE(parsed);
    EXPECT_EQ(parsed.error.substr(0, parsed.error.find(':') + 1), "printer.desc:");
    EXPECT_NE(parsed.error.find(":" + GetParam().complaint), std::string::npos) << parsed.error;
}

INSTANTIATE_TEST_SUITE_P(
    Refused, BadDescriptionTest,
    testing::Values(
        BadDescription{"NoSeparator", "# comment\n\nno separator here\n",
                       "3: expected 'key = value'"},
        BadDescription{"EqualsWithoutBlanks", "pjl A=b\n", "1: expected 'key = value'"},
        BadDescription{"UnknownKey", "colour = red\n", "1: unknown key 'colour'"},
        BadDescription{"SnmpWithoutOid", "snmp = x\n", "1: snmp needs a name"},
        BadDescription{"OidNotDotted", "snmp 1.3.x = y\n", "1: '1.3.x' is not a dotted OID"},
        BadDescription{"OidEmptyArc", "snmp 1..3 = y\n", "1: '1..3' is not a dotted OID"},
        BadDescription{"OidFirstArc", "snmp 3.1 = y\n", "1: '3.1' does not start with a valid arc"},
        BadDescription{"OidArcTooLarge", "snmp 1.3.4294967296 = y\n",
                       "1: '1.3.4294967296' is not a dotted OID"},
        BadDescription{"IntNotNumber", "snmp 1.3 = int:12a\n", "1: int: needs a whole number"},
        BadDescription{"IntTooLarge", "snmp 1.3 = int:99999999999999999999\n",
                       "1: int: needs a whole number"},
        BadDescription{"HexOdd", "snmp 1.3 = hex:abc\n", "1: hex: needs pairs of hex digits"},
        BadDescription{"HexNotHex", "snmp 1.3 = hex:zz\n", "1: hex: needs pairs of hex digits"},
        BadDescription{"SameOidTwice", "snmp 1.3 = a\nsnmp 1.3 = b\n", "2: OID 1.3 given twice"},
        BadDescription{"SamePjlNameTwice", "pjl A = a\npjl A = b\n", "2: PJL name A given twice"},
        BadDescription{"UnknownEscape", "pjl A = bad \\q\n", "1: unknown escape \\q"},
        BadDescription{"ShortHexEscape", "pjl A = \\x4\n", "1: \\x needs two hex digits"},
        BadDescription{"TrailingBackslash", "ps /X = end\\\n",
                       "1: backslash at the end of the value"},
        BadDescription{"UnknownTcpBehaviour", "tcp-behaviour = sluggish\n",
                       "1: unknown tcp-behaviour 'sluggish'"},
        BadDescription{"TruncateNotNumber", "snmp-behaviour = truncate:x\n",
                       "1: truncate: 'x' is not a number"},
        BadDescription{"ZeroInterval", "slow-interval-ms = 0\n", "1: '0' is not a number from 1"},
        BadDescription{"ArgumentOnSetting", "community extra = x\n",
                       "1: unexpected 'extra' after community"},
        BadDescription{"SettingTwice", "community = a\ncommunity = b\n",
                       "2: community given twice"}),
    CaseName());

} // namespace
