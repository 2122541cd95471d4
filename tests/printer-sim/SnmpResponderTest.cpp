#include "SnmpResponder.h"

#include "CaseName.h"

#include <gtest/gtest.h>

namespace {

using namespace std::string_literals;

// The tool's GetRequest for 1.3.6.1.4.1.3172.1.1.1.1.1.3000.0, byte for byte.
const std::string kToolRequest =
    "\x30\x30\x02\x01\x00\x04\x06public\xA0\x23\x02\x04\x57\xDA\xB9\x28\x02\x01\x00\x02\x01\x00"
    "\x30\x15\x30\x13\x06\x0F\x2B\x06\x01\x04\x01\x98\x64\x01\x01\x01\x01\x01\x97\x38\x00\x05\x00"s;
constexpr std::string_view kUserCodeOid = "1.3.6.1.4.1.3172.1.1.1.1.1.3000.0";

// The contents of one element with a short-form length.
std::string Element(char tag, const std::string& contents) {
    return tag + std::string(1, static_cast<char>(contents.size())) + contents;
}

// A GetRequest of request-id 1 asking for the given OID contents, each with a NULL.
std::string GetRequest(const std::vector<std::string>& oids,
                       const std::string& community = "public") {
    std::string list;
    for (const auto& oid : oids)
        list += Element('\x30', Element('\x06', oid) + "\x05\x00"s);
    const auto pdu = "\x02\x01\x01\x02\x01\x00\x02\x01\x00"s + Element('\x30', list);
    return Element('\x30', "\x02\x01\x00"s + Element('\x04', community) + Element('\xA0', pdu));
}

const std::string kUserCodeContents = kToolRequest.substr(33, 15);
const std::string kSysServicesContents = "\x2B\x06\x01\x02\x01\x01\x07\x00"s;

class SnmpResponderTest : public testing::Test {
protected:
    SnmpExchange Respond(const std::string& description, std::string_view datagram) {
        auto parsed = ParsePrinterDescription(description, "printer.desc");
        EXPECT_TRUE(parsed) << parsed.error;
        m_Printer = parsed ? *parsed.value : PrinterDescription{};
        return SnmpResponder(m_Printer).Respond(datagram);
    }

    static std::string WithUserCode(const std::string& value) {
        return "snmp " + std::string(kUserCodeOid) + " = " + value + "\n";
    }

private:
    PrinterDescription m_Printer;
};

TEST_F(SnmpResponderTest, AnswersTheToolsRequestWithTheConfiguredString) {
    const auto exchange = Respond(WithUserCode("HX2"), kToolRequest);
    ASSERT_TRUE(exchange.response);
    const std::string expected =
        "\x30\x33\x02\x01\x00\x04\x06public\xA2\x26\x02\x04\x57\xDA\xB9\x28\x02\x01\x00\x02\x01"
        "\x00\x30\x18\x30\x16\x06\x0F\x2B\x06\x01\x04\x01\x98\x64\x01\x01\x01\x01\x01\x97\x38\x00"
        "\x04\x03HX2"s;
    EXPECT_EQ(*exchange.response, expected);
    EXPECT_EQ(exchange.response->size(), 53u);
    EXPECT_EQ((*exchange.response)[48], '\x04');
    EXPECT_EQ((*exchange.response)[49], '\x03');
    EXPECT_EQ(exchange.response->substr(50, 3), "HX2");
    EXPECT_EQ(exchange.logLines, std::vector<std::string>{"snmp get " + std::string(kUserCodeOid)});
}

TEST_F(SnmpResponderTest, AnswersAnUnknownOidWithNoSuchNameAndNull) {
    const auto exchange = Respond("snmp 1.3.6.1.2.1.1.7.0 = int:72\n", kToolRequest);
    ASSERT_TRUE(exchange.response);
    const auto& response = *exchange.response;
    ASSERT_EQ(response.size(), 50u);
    EXPECT_EQ(response.substr(21, 6), "\x02\x01\x02\x02\x01\x01"s); // noSuchName at binding 1
    EXPECT_EQ(response.substr(48, 2), "\x05\x00"s);
}

TEST_F(SnmpResponderTest, OneUnknownOidNullsEveryBindingAndPointsAtTheFirstUnknown) {
    const auto exchange =
        Respond(WithUserCode("HX2"), GetRequest({kUserCodeContents, kSysServicesContents}));
    ASSERT_TRUE(exchange.response);
    const auto& response = *exchange.response;
    EXPECT_NE(response.find("\x02\x01\x02\x02\x01\x02"s), std::string::npos); // status 2, index 2
    EXPECT_EQ(response.find("HX2"), std::string::npos);
    EXPECT_EQ(response.substr(response.size() - 2), "\x05\x00"s);
    EXPECT_EQ(exchange.logLines.size(), 2u);
}

TEST_F(SnmpResponderTest, AnswersSeveralKnownOidsInRequestOrder) {
    const auto exchange = Respond(WithUserCode("HX2") + "snmp 1.3.6.1.2.1.1.7.0 = int:72\n",
                                  GetRequest({kSysServicesContents, kUserCodeContents}));
    ASSERT_TRUE(exchange.response);
    const auto& response = *exchange.response;
    const auto integer = response.find(kSysServicesContents + "\x02\x01\x48"s);
    const auto text = response.find(kUserCodeContents + "\x04\x03HX2"s);
    ASSERT_NE(integer, std::string::npos);
    ASSERT_NE(text, std::string::npos);
    EXPECT_LT(integer, text);
    EXPECT_EQ(response.substr(response.size() - 5), "\x04\x03HX2"s);
}

struct LongValueCase {
    std::string name;
    std::size_t valueBytes;
    std::string valueHeader;   // tag and length of the value
    std::string messageHeader; // tag and length of the whole message
    friend void PrintTo(const LongValueCase& c, std::ostream* out) { *out << c.name; }
};

class SnmpLongValueTest : public SnmpResponderTest,
                          public testing::WithParamInterface<LongValueCase> {};

TEST_P(SnmpLongValueTest, UsesTheShortestLongFormLengths) {
    const std::string value(GetParam().valueBytes, 'v');
    const auto exchange = Respond(WithUserCode(value), kToolRequest);
    ASSERT_TRUE(exchange.response);
    const auto& response = *exchange.response;
    const auto header = GetParam().valueHeader;
    EXPECT_EQ(response.substr(response.size() - value.size() - header.size(), header.size()),
              header);
    EXPECT_EQ(response.substr(response.size() - value.size()), value);
    EXPECT_EQ(response.substr(0, GetParam().messageHeader.size()), GetParam().messageHeader);
}

INSTANTIATE_TEST_SUITE_P(
    Lengths, SnmpLongValueTest,
    testing::Values(LongValueCase{"ShortForm", 127, "\x04\x7F", "\x30\x81\xB2"},
                    LongValueCase{"OneLengthOctet", 200, "\x04\x81\xC8", "\x30\x81\xFC"},
                    LongValueCase{"TwoLengthOctets", 300, "\x04\x82\x01\x2C"s,
                                  "\x30\x82\x01\x64"s}),
    CaseName());

TEST_F(SnmpResponderTest, AcceptsLongFormLengthsInTheRequest) {
    const auto longForm = "\x30\x81\x30"s + kToolRequest.substr(2);
    const auto exchange = Respond(WithUserCode("HX2"), longForm);
    ASSERT_TRUE(exchange.response);
    EXPECT_EQ(*exchange.response, *Respond(WithUserCode("HX2"), kToolRequest).response);
}

TEST_F(SnmpResponderTest, IgnoresAnotherCommunityButLogsTheRequest) {
    const auto exchange = Respond(WithUserCode("HX2"), GetRequest({kUserCodeContents}, "private"));
    EXPECT_FALSE(exchange.response);
    EXPECT_EQ(exchange.logLines, std::vector<std::string>{"snmp get " + std::string(kUserCodeOid)});
}

TEST_F(SnmpResponderTest, AnswersTheCommunityTheDescriptionNames) {
    const auto description = WithUserCode("HX2") + "community = velmark\n";
    EXPECT_TRUE(Respond(description, GetRequest({kUserCodeContents}, "velmark")).response);
    EXPECT_FALSE(Respond(description, kToolRequest).response);
}

struct BehaviourCase {
    std::string name;
    std::string setting;
    std::optional<std::size_t> responseBytes;
    friend void PrintTo(const BehaviourCase& c, std::ostream* out) { *out << c.name; }
};

class SnmpBehaviourTest : public SnmpResponderTest,
                          public testing::WithParamInterface<BehaviourCase> {};

TEST_P(SnmpBehaviourTest, ShapesTheResponse) {
    const auto full = *Respond(WithUserCode("HX2"), kToolRequest).response;
    const auto exchange =
        Respond(WithUserCode("HX2") + "snmp-behaviour = " + GetParam().setting, kToolRequest);
    EXPECT_EQ(exchange.logLines.size(), 1u);
    ASSERT_EQ(exchange.response.has_value(), GetParam().responseBytes.has_value());
    if (exchange.response) {
        EXPECT_EQ(*exchange.response, full.substr(0, *GetParam().responseBytes));
    }
}

INSTANTIATE_TEST_SUITE_P(Behaviours, SnmpBehaviourTest,
                         testing::Values(BehaviourCase{"Silent", "silent", std::nullopt},
                                         BehaviourCase{"Truncate", "truncate:10", 10},
                                         BehaviourCase{"TruncateToNothing", "truncate:0", 0},
                                         BehaviourCase{"TruncateBeyondTheEnd", "truncate:999", 53}),
                         CaseName());

struct OidCase {
    std::string name;
    std::string contents;
    std::string dotted;
    friend void PrintTo(const OidCase& c, std::ostream* out) { *out << c.name; }
};

class SnmpOidLogTest : public SnmpResponderTest, public testing::WithParamInterface<OidCase> {};

TEST_P(SnmpOidLogTest, LogsTheDottedOid) {
    const auto exchange = Respond("", GetRequest({GetParam().contents}));
    EXPECT_EQ(exchange.logLines, std::vector<std::string>{"snmp get " + GetParam().dotted});
}

INSTANTIATE_TEST_SUITE_P(
    Oids, SnmpOidLogTest,
    testing::Values(OidCase{"Internet", "\x2B\x06\x01", "1.3.6.1"},
                    OidCase{"ZeroZero", "\x00"s, "0.0"},
                    OidCase{"JointIsoItuArcAbove39", "\x88\x37\x03", "2.999.3"},
                    OidCase{"LargestArc", "\x2B\x8F\xFF\xFF\xFF\x7F", "1.3.4294967295"}),
    CaseName());

struct Malformed {
    std::string name;
    std::string datagram;
    std::string reason;
    friend void PrintTo(const Malformed& c, std::ostream* out) { *out << c.name; }
};

std::string Patched(std::size_t at, char byte) {
    auto copy = kToolRequest;
    copy[at] = byte;
    return copy;
}

class SnmpMalformedTest : public SnmpResponderTest,
                          public testing::WithParamInterface<Malformed> {};

TEST_P(SnmpMalformedTest, IsLoggedAsBadAndNotAnswered) {
    const auto exchange = Respond(WithUserCode("HX2"), GetParam().datagram);
    EXPECT_FALSE(exchange.response);
    ASSERT_EQ(exchange.logLines.size(), 1u);
    EXPECT_EQ(exchange.logLines[0].rfind("snmp bad ", 0), 0u) << exchange.logLines[0];
    EXPECT_NE(exchange.logLines[0].find(GetParam().reason), std::string::npos)
        << exchange.logLines[0];
}

INSTANTIATE_TEST_SUITE_P(
    Datagrams, SnmpMalformedTest,
    testing::Values(Malformed{"Empty", "", "element missing"},
                    Malformed{"Cut", kToolRequest.substr(0, 30), "contents run past the end"},
                    Malformed{"TrailingByte", kToolRequest + "\x00"s, "trailing bytes"},
                    Malformed{"LengthPastEnd", Patched(1, '\x31'), "contents run past the end"},
                    Malformed{"IndefiniteLength", Patched(1, '\x80'), "indefinite length"},
                    Malformed{"FiveOctetLength", Patched(1, '\x85'), "length of 5 octets"},
                    Malformed{"LengthOctetsCut", "\x30\x82\x01"s, "length runs past the end"},
                    Malformed{"NotASequence", Patched(0, '\x31'), "tag 0x31 where 0x30 belongs"},
                    Malformed{"Version2c", Patched(4, '\x01'), "version 1 is not SNMPv1"},
                    Malformed{"GetNext", Patched(13, '\xA1'), "PDU type 0xA1 is not a GetRequest"},
                    Malformed{"RequestIdNotInteger", Patched(15, '\x04'), "request-id: tag 0x04"},
                    Malformed{"BindingNotSequence", Patched(29, '\x31'), "binding: tag 0x31"},
                    Malformed{"NameNotOid", Patched(31, '\x04'), "binding name: tag 0x04"},
                    Malformed{"OidEndsInsideArc", Patched(47, '\x80'), "OID ends inside an arc"},
                    Malformed{"OidArcTooLarge", GetRequest({"\x2B\x90\x80\x80\x80\x00"s}),
                              "OID arc too large"},
                    Malformed{"EmptyOid", GetRequest({""}), "empty OID"},
                    Malformed{"MultiOctetTag", Patched(0, '\x3F'), "multi-octet tag"}),
    CaseName());

} // namespace
